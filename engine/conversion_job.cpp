#include "engine/conversion_job.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "components/general/general_helpers.h"
#include "components/system/system.h"
#include "engine/definition_choice.h"
#include "engine/format_progress.h"
#include "engine/hlx_reader.h"
#include "engine/section_formatter.h"
#include "engine/text_streams.h"
#include "platform/automation/ascii.h"
#include "platform/automation/client.h"
#include "platform/automation/error_numbers.h"
#include "platform/ui/ui_services.h"

namespace engine {

namespace {

using ui::MsgBox;

constexpr char16_t kCrLf[] = u"\r\n";

// A failure to write the output, told apart from the formatter's own errors on their way out.
struct OutputNotWritten {
    ComError error;
};

bool IsNotFound(const ComError& error) {
    return error.number() == errnum::kFileNotFound || error.number() == errnum::kPathNotFound;
}

std::u16string Number(LONG number) {
    std::u16string text = automation::DecimalDigits(uint64_t(number < 0 ? -int64_t(number) : number));
    return number < 0 ? u"-" + text : text;
}

// "Unable to load <what> (<path>). ..." with the not-found wording for 53 and 76.
std::u16string LoadFailure(std::u16string_view what, const std::u16string& path, const ComError& error) {
    std::u16string head = u"Unable to load " + std::u16string(what) + u" (" + path + u").";
    if (IsNotFound(error)) return head + u" The input path or file was not found.";
    return head + kCrLf + u"Error " + Number(error.number()) + u". " + error.description();
}

class Job {
public:
    Job(JobHost& host, JobRequest request) : host_(host), r_(std::move(request)) {}

    JobOutcome run() {
        gCancelled = false;
        try {
            return runSteps();
        } catch (const fileio::ReadStopped&) {
            return JobOutcome::Cancelled;  // before the progress display: nothing to take down
        } catch (const ComError& error) {
            // Unlike the steps with messages of their own, a failure here may come while the
            // progress display and the hourglass are up: both go, so the window is usable again.
            host_.hideProgress();
            ui::Current().setMousePointer(ui::MousePointer::Default);
            MsgBox(u"Error in processing file." + std::u16string(kCrLf) + u"Error " + Number(error.number()) + u", " +
                       error.description() + kCrLf + u"Hint: " + step_,
                   ui::vbOKOnly | ui::vbExclamation, host_.appTitleWithVersion());
            return JobOutcome::Failed;
        }
    }

private:
    JobOutcome runSteps() {
        step_ = u"Detect if outputfile exists";
        bool permitted = overwritePermitted();
        step_ = u"Abort the process if overwrite is not allowed and the file already exists";
        if (!permitted) {
            if (r_.overwritemode != 2) showRefusal();
            return JobOutcome::NotOverwritten;
        }
        step_ = u"Load Input File";
        std::u16string input;
        try {
            input = readInput();
        } catch (const ComError& error) {
            return fail(LoadFailure(u"input file", r_.inputfilename, error));
        }
        step_ = u"Convert input to ansi characters";
        if (r_.dostext != 0) input = OemToAnsi(input);
        step_ = u"Prepend hlx folder if not specified";
        std::u16string folder = modGeneral::VarToStr(r_.hlxfolder);
        if (!r_.hlxfile.empty() && !folder.empty() && r_.hlxfile.find(u'/') == std::u16string::npos)
            r_.hlxfile = folder + u"/" + r_.hlxfile;
        step_ = u"Get default hlx";
        if (r_.hlxfile.empty()) {
            std::u16string definitions = DefinitionFolder(host_.programFolder(), folder);
            r_.hlxfile = definitions + u"/" +
                         ChooseDefinition(r_.inputfilename, [&input] { return std::u16string(FirstLine(input)); },
                                          DefinitionsInFolder(definitions));
        }
        step_ = u"Read the hlx";
        modHlx::DefinitionTree tree;
        try {
            tree = modHlx::ParseHlx(ReadFileToStringAs(SystemCopy::Program, r_.hlxfile, CancelledWhileReading),
                                    r_.hlxfile);
        } catch (const ComError& error) {
            return fail(LoadFailure(u"the HLX file", r_.hlxfile, error));
        }
        step_ = u"Display the progress dialog";
        host_.showProgress();
        ui::Current().processPendingEvents();
        ui::Current().setMousePointer(ui::MousePointer::Hourglass);
        step_ = u"Initialize progress bar";
        host_.setProgressMaximum(int32_t(std::min<size_t>(input.size(), 0x7FFFFFFF)));
        if (tree.Sections.empty())
            throw ComError(errnum::kSubscriptOutOfRange, errsource::kProgram, u"Subscript out of range");
        const modHlx::SectionRecord& start = tree.Sections.at(0).value;
        step_ = u"Format Section";
        if (JobOutcome outcome = formatIntoOutput(tree, start, input); outcome != JobOutcome::Written) return outcome;
        step_ = u"Display output";
        if (r_.showoutput && host_.showOutputChecked()) {
            // The opener answers False rather than raising (no xdg-open, or it failed): that is
            // a failure to display too, not a silent success.
            std::u16string failure;
            try {
                if (!modGeneral::VarToBool(system_.ShellOpen(r_.destfile)))
                    failure = u"The desktop's opener (xdg-open) is missing or could not open it.";
            } catch (const ComError& error) {
                failure = error.description();
            }
            if (!failure.empty()) {
                fail(u"Unable to display output file (" + r_.destfile + u")." + failure);
                return JobOutcome::Written;
            }
        }
        step_ = u"Done";
        ui::Current().setMousePointer(ui::MousePointer::Default);
        host_.setProgressValue(0);
        return JobOutcome::Written;
    }

    std::u16string readInput() {
        if (r_.inputReadAhead && r_.inputReadAhead->path() == r_.inputfilename)
            return r_.inputReadAhead->take(CancelledWhileReading);
        return ReadFileToStringAs(SystemCopy::Program, r_.inputfilename, CancelledWhileReading);
    }

    // Formats into a replacement of destfile as the text is made, so the output is never held
    // whole; the file is replaced once formatting has ended (or was cancelled: the footers are
    // written and the partial output kept), unless the cancel came before any input was
    // formatted. After a formatting error it stays as it was and the error passes on; a failure
    // to write is reported here and gives Failed.
    JobOutcome formatIntoOutput(const modHlx::DefinitionTree& tree, const modHlx::SectionRecord& start,
                                std::u16string_view input) {
        std::optional<System::FileWriter> output;
        try {
            output.emplace(system_.BeginWriteFile(r_.destfile, ifPresent_));
        } catch (const ComError& error) {
            return writeFailed(error);
        }
        AnsiOutputSink sink([&output](std::string_view bytes) {
            try {
                output->Write(bytes);
            } catch (const ComError& error) {
                throw OutputNotWritten{error};
            }
        });
        LONG ptr = 0;
        EventPumpProgress progress([this](int32_t position) { host_.setProgressValue(position); });
        try {
            FormatSection(tree, start, input, sink, ptr, progress);
            sink.finish();
        } catch (const OutputNotWritten& failure) {
            return writeFailed(failure.error);
        }
        host_.hideProgress();
        if (gCancelled && ptr == 0) {
            ui::Current().setMousePointer(ui::MousePointer::Default);
            return JobOutcome::Cancelled;
        }
        step_ = u"Write output";
        try {
            output->Commit();
        } catch (const ComError& error) {
            return writeFailed(error);
        }
        return JobOutcome::Written;
    }

    JobOutcome writeFailed(const ComError& error) {
        host_.hideProgress();
        if (ifPresent_ == filereplace::IfPresent::Keep && error.number() == errnum::kFileAlreadyExists) {
            // The output appeared while the conversion ran: kept, as one there at the start is.
            showRefusal();
            ui::Current().setMousePointer(ui::MousePointer::Default);
            return JobOutcome::NotOverwritten;
        }
        return fail(u"Unable to write output file (" + r_.destfile + u")." + error.description());
    }

    void showRefusal() {
        MsgBox(u"The output file already existed and overwrite was not allowed (" + r_.destfile +
                   u"). The process was aborted",
               ui::vbOKOnly | ui::vbInformation, host_.appTitle());
    }

    // Whether destfile may be written: yes when no file of that name exists (and one that
    // appears meanwhile is then replaced only in mode 1), else by the mode.
    bool overwritePermitted() {
        if (!system_.FileExists(r_.destfile)) {
            if (r_.overwritemode != 1) ifPresent_ = filereplace::IfPresent::Keep;
            return true;
        }
        switch (r_.overwritemode) {
        case 1:
            return true;
        case 2:
            return MsgBox(u"The file \"" + r_.destfile + u"\" already exists." + kCrLf + kCrLf +
                              u"Do you want to overwrite this file?",
                          ui::vbYesNo | ui::vbExclamation, u"Warning") == ui::vbYes;
        default:
            return false;
        }
    }

    static std::u16string OemToAnsi(const std::u16string& text) {
        ComPtr<IDispatch> strings = modGeneral::CreateObjectEx(u"Tavrel.Strings2");
        Variant argument = Variant::fromString(text);
        return automation::Call(strings.get(), u"Oem2CharBuff", {argument.ptr(), 1}).toString();
    }

    // Reports a failure of a step that has a message of its own; the pointer goes back.
    JobOutcome fail(const std::u16string& message) {
        MsgBox(message, ui::vbOKOnly | ui::vbExclamation, host_.appTitleWithVersion());
        ui::Current().setMousePointer(ui::MousePointer::Default);
        return JobOutcome::Failed;
    }

    JobHost& host_;
    JobRequest r_;
    System system_{SystemCopy::Program};
    std::u16string step_;
    filereplace::IfPresent ifPresent_ = filereplace::IfPresent::Replace;
};

}  // namespace

JobOutcome RunConversion(JobHost& host, JobRequest request) { return Job(host, std::move(request)).run(); }

}  // namespace engine
