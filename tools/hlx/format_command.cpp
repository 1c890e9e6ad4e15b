#include "tools/hlx/format_command.h"

#include <unistd.h>

#include <cstdio>

#include "engine/definition_choice.h"
#include "engine/format_progress.h"
#include "engine/hlx_reader.h"
#include "engine/input_read_ahead.h"
#include "engine/section_formatter.h"
#include "engine/text_streams.h"
#include "components/registration/first_start.h"
#include "platform/automation/ascii.h"
#include "platform/automation/error.h"
#include "platform/automation/error_numbers.h"
#include "platform/os/file_io.h"
#include "platform/os/process.h"
#include "platform/text/codepage.h"
#include "platform/ui/console_ui.h"
#include "platform/os/error_report.h"

namespace {

// The input: a file, read ahead while the program checks its component modules and reads the
// definition; or the standard input ("-" or none), read only when asked for.
class InputReader {
public:
    explicit InputReader(const std::optional<std::string>& argument) {
        if (argument && *argument != "-") ahead_.emplace(text::AnsiToText(*argument));
    }
    std::u16string take() {
        if (ahead_) return ahead_->take();
        // Ctrl+C while the input is awaited ends the read at once, as a cancel.
        return engine::ReadAllText(STDIN_FILENO, u"the standard input", engine::CancelledWhileReading);
    }

private:
    std::optional<engine::InputReadAhead> ahead_;
};

const modHlx::SectionRecord& FirstSection(const modHlx::DefinitionTree& tree, const std::u16string& fileName) {
    if (tree.Sections.empty()) {
        throw ComError(errnum::kSubscriptOutOfRange, errsource::kProgram,
                       u"Subscript out of range: the definition " + fileName + u" has no section to start with.");
    }
    return tree.Sections.at(0).value;
}

// Output made before a failure stays written; a second failure while writing it is not reported.
void FinishAfterFailure(engine::AnsiOutputSink& sink) {
    try {
        sink.finish();
    } catch (const ComError&) {
    }
}

bool EndsWithHlx(const std::string& argument) {
    return argument.size() > 4 &&
           automation::EqualIgnoringAsciiCase(text::AnsiToText(argument.substr(argument.size() - 4)), u".hlx");
}

std::u16string ShippedDefinitions() { return text::AnsiToText((os::ProgramFolder() / "hlx").string()); }

std::string InFolder(const std::u16string& folder, const std::u16string& name) {
    return text::TextToAnsi(folder + u"/" + name);
}

struct FormatArguments {
    std::string definition;
    std::optional<std::string> input;
};

// The definition file and the input the arguments name; nothing when they fit no form of the command.
std::optional<FormatArguments> ReadArguments(const std::optional<std::string>& lang,
                                             const std::vector<std::string>& positional) {
    const std::u16string folder = ShippedDefinitions();
    if (lang) {
        if (positional.size() > 1 || lang->empty() || lang->find('/') != std::string::npos) return std::nullopt;
        return FormatArguments{InFolder(folder, engine::DefinitionOfStem(text::AnsiToText(*lang))),
                               positional.empty() ? std::nullopt : std::optional(positional[0])};
    }
    if (positional.size() == 2) return FormatArguments{positional[0], positional[1]};
    if (positional.size() != 1 || positional[0] == "-") return std::nullopt;  // standard input needs a definition
    if (EndsWithHlx(positional[0])) return FormatArguments{positional[0], std::nullopt};
    const std::u16string chosen =
        engine::ChooseDefinitionForFile(text::AnsiToText(positional[0]), engine::DefinitionsInFolder(folder));
    return FormatArguments{InFolder(folder, chosen), positional[0]};
}

}  // namespace

int RunFormatCommand(const std::vector<std::string>& arguments) {
    std::optional<std::string> lang;
    std::vector<std::string> positional;
    for (size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] != "--lang") {
            positional.push_back(arguments[i]);
        } else if (lang || ++i == arguments.size()) {
            return kFormatUsage;
        } else {
            lang = arguments[i];
        }
    }
    std::optional<FormatArguments> read = ReadArguments(lang, positional);
    return read ? RunFormat(read->definition, read->input) : kFormatUsage;
}

int RunFormat(const std::string& definitionArgument, const std::optional<std::string>& inputArgument) {
    // Ctrl+C sets the cancel flag, as the Cancel button does; it takes effect at the next
    // processing of events, the first of which comes before the first step.
    gCancelled = false;
    ui::ConsoleServices::catchInterrupt([] { gCancelled = true; });
    InputReader reader(inputArgument);
    // The definition reader creates "Tavrel.Strings2".
    components::RegisterModulesOnFirstStart("lumivar-hlx");
    LONG ptr = 0;
    size_t length = 0;
    try {
        int status = os::RunReportingErrors(kFormatFailed, [&] {
            std::u16string definitionName = text::AnsiToText(definitionArgument);
            modHlx::DefinitionTree tree = modHlx::ReadHlx(definitionName);
            const modHlx::SectionRecord& start = FirstSection(tree, definitionName);
            engine::CompileAhead(start);  // while a large input is still being read
            std::u16string input = reader.take();
            length = input.size();
            engine::AnsiOutputSink sink(STDOUT_FILENO);
            engine::EventPumpProgress progress;
            ui::Current().processPendingEvents();
            try {
                FormatSection(tree, start, input, sink, ptr, progress);
            } catch (...) {
                FinishAfterFailure(sink);
                throw;
            }
            sink.finish();
            return kFormatDone;
        });
        if (status != kFormatDone) return status;
    } catch (const fileio::ReadStopped&) {
        std::fputs("lumivar-hlx: cancelled while reading the standard input; nothing was formatted.\n", stderr);
        return kFormatCancelled;
    }
    if (gCancelled && size_t(ptr) < length) {
        std::fprintf(stderr, "lumivar-hlx: cancelled at position %ld of %zu; the output ends there.\n", long(ptr), length);
        return kFormatCancelled;
    }
    return kFormatDone;
}
