#include "tools/hlx/format_command.h"

#include <unistd.h>

#include <cstdio>
#include <new>
#include <optional>

#include "components/system/system.h"
#include "engine/format_progress.h"
#include "engine/hlx_reader.h"
#include "engine/section_formatter.h"
#include "engine/text_streams.h"
#include "platform/automation/error.h"
#include "platform/text/codepage.h"
#include "platform/ui/console_ui.h"

namespace {

constexpr LONG kOutOfMemory = 7;
constexpr LONG kSubscriptOutOfRange = 9;

int Report(LONG number, std::u16string_view description) {
    std::string message = "Error " + std::to_string(number) + ": " + text::TextToAnsi(description) + "\n";
    std::fwrite(message.data(), 1, message.size(), stderr);
    return kFormatFailed;
}

std::u16string ReadInput(const std::optional<std::string>& inputArgument) {
    if (!inputArgument || *inputArgument == "-") {
        return text::AnsiToText(engine::ReadAllBytes(STDIN_FILENO, u"the standard input"));
    }
    return System(SystemCopy::Program).ReadFileToString(text::AnsiToText(*inputArgument));
}

const modHlx::SectionRecord& FirstSection(const modHlx::DefinitionTree& tree, const std::u16string& fileName) {
    if (tree.Sections.empty()) {
        throw ComError(kSubscriptOutOfRange, u"lumivar",
                       u"Subscript out of range: the definition " + fileName + u" has no section to start with.");
    }
    return tree.Sections.at(0).value;
}

// Output made before a failure stays written; a second failure while writing it is not reported.
void FinishAfterFailure(std::optional<engine::AnsiOutputSink>& sink) {
    if (!sink) return;
    try {
        sink->finish();
    } catch (const ComError&) {
    }
}

}  // namespace

int RunFormat(const std::string& definitionArgument, const std::optional<std::string>& inputArgument) {
    // Ctrl+C sets the cancel flag, as the Cancel button does; it takes effect at the next
    // processing of events, the first of which comes before the first step.
    gCancelled = false;
    ui::ConsoleServices::catchInterrupt([] { gCancelled = true; });
    LONG ptr = 0;
    size_t length = 0;
    std::optional<engine::AnsiOutputSink> sink;
    try {
        std::u16string definitionName = text::AnsiToText(definitionArgument);
        modHlx::DefinitionTree tree = modHlx::ReadHlx(definitionName);
        const modHlx::SectionRecord& start = FirstSection(tree, definitionName);
        std::u16string input = ReadInput(inputArgument);
        length = input.size();
        sink.emplace(STDOUT_FILENO);
        engine::EventPumpProgress progress;
        ui::Current().processPendingEvents();
        FormatSection(tree, start, input, *sink, ptr, progress);
        sink->finish();
    } catch (const ComError& error) {
        FinishAfterFailure(sink);
        return Report(error.number(), error.description());
    } catch (const std::bad_alloc&) {
        return Report(kOutOfMemory, DescribeHresult(HRESULT_FROM_ERRNUMBER(kOutOfMemory)));
    }
    if (gCancelled && size_t(ptr) < length) {
        std::fprintf(stderr, "lumivar-hlx: cancelled at position %ld of %zu; the output ends there.\n", long(ptr), length);
        return kFormatCancelled;
    }
    return kFormatDone;
}
