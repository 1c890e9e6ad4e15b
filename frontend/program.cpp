// lumivar: converts a source file into syntax-coloured HTML. With the switch "in" it runs one
// conversion without the main window (batch mode) and ends; without it, it shows the main window
// when there is a display, and prints its usage when there is none.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "engine/format_progress.h"
#include "frontend/command_line.h"
#include "frontend/exit_status.h"
#include "components/registration/first_start.h"
#include "frontend/frm_main.h"
#include "frontend/frm_progress.h"
#include "frontend/window_entry.h"
#include "platform/os/file_replace.h"
#include "platform/text/codepage.h"
#include "platform/ui/console_ui.h"
#include "platform/ui/display.h"
#include "platform/os/error_report.h"

namespace {

using frontend::ExitStatusOf;
using frontend::kCancelled;
using frontend::kCannotRun;
using frontend::kFailed;
using frontend::kWritten;

constexpr char kUsage[] =
    "Usage: lumivar in=FILE [out=FILE] [hlx=FILE] [hlxfolder=FOLDER] [overwrite=0|1|2]\n"
    "               [dostext=0|1] [showoutput=0|1]\n"
    "Try 'lumivar --help' for more information.\n";

constexpr char kHelp[] =
    "lumivar: turns a source file into HTML coloured by its syntax.\n"
    "\n"
    "  lumivar in=FILE out=FILE [hlx=FILE] [hlxfolder=FOLDER] [overwrite=N] [dostext=N] [showoutput=B]\n"
    "\n"
    "Switches (name=value, separated by spaces or commas; a leading / or - is allowed; a value\n"
    "with spaces or commas goes in double quotes):\n"
    "  in          the source file; its presence runs one conversion without a window\n"
    "  out         the HTML file to write\n"
    "  hlx         the syntax definition; absent, the input's extension chooses one from the\n"
    "              hlx folder beside the program (or from hlxfolder)\n"
    "  hlxfolder   the folder in which a definition named without a folder is looked up\n"
    "  overwrite   when the output exists: 0 keep it (default), 1 replace it, 2 ask\n"
    "              (without a terminal the answer is No)\n"
    "  dostext     1: the input is DOS (OEM code page) text\n"
    "  showoutput  open the HTML file afterwards (default 1), when the stored setting allows\n"
    "\n"
    "Without \"in\", the program opens its window when a display answers (DISPLAY or\n"
    "WAYLAND_DISPLAY, or QT_QPA_PLATFORM set). With one, batch mode shows its messages and\n"
    "progress in windows; without one, or with one nobody sees (QT_QPA_PLATFORM=offscreen or\n"
    "minimal), messages go to standard error and Ctrl+C cancels like the Cancel button: the\n"
    "output made so far, with its closing lines, is written. A cancel before anything was\n"
    "formatted (the input or the definition still being read) ends the run at once and writes\n"
    "nothing.\n"
    "\n"
    "Exit status: 0 the output file was written (a conversion cancelled part way too), 1 the\n"
    "conversion failed or the output was not overwritten, 2 the command line cannot run (no\n"
    "\"in\" and no window to show), 130 cancelled before anything was formatted (an existing\n"
    "output stays as it was); after the window is closed, 0.\n";

// On a terminal, the progress dialog becomes a bar on standard error.
void DrawProgressOnTerminal(const frmProgress& progress) {
    static bool drawn = false;
    if (!progress.Visible) {
        if (drawn) std::fputs("\r\033[K", stderr);
        drawn = false;
        return;
    }
    int32_t max = progress.ProgressBar1.Max > 0 ? progress.ProgressBar1.Max : 1;
    int percent = int(int64_t(progress.ProgressBar1.Value) * 100 / max);
    char bar[41];
    std::memset(bar, ' ', 40);
    std::memset(bar, '#', size_t(percent * 40 / 100));
    bar[40] = 0;
    std::fprintf(stderr, "\r[%s] %3d%%", bar, percent);
    drawn = true;
}

int RunOnConsole(const std::u16string& arguments, std::shared_ptr<engine::InputReadAhead> inputReadAhead) {
    ui::ConsoleServices::catchInterrupt([] { gCancelled = true; });
    if (::isatty(STDERR_FILENO)) gProgress.onChange = DrawProgressOnTerminal;
    frmMain form;
    form.inputReadAhead = std::move(inputReadAhead);
    return os::RunReportingErrors(kFailed, [&] {
        if (form.Form_Load(arguments)) {
            std::fputs(kUsage, stderr);
            return int(kCannotRun);
        }
        int status = ExitStatusOf(form);
        if (status == kCancelled) std::fputs("lumivar: cancelled before anything was formatted; nothing was written.\n", stderr);
        return status;
    });
}

// The window module is loaded only now; when it cannot be, the program goes on without windows.
int RunWithDisplay(int& argc, char** argv, const std::u16string& arguments) {
    int status = 0;
    std::string why;
    if (frontend::RunWithWindows(argc, argv, arguments, status, why)) return status;
    std::fprintf(stderr, "lumivar: the window cannot be shown (%s); going on without it.\n", why.c_str());
    return RunOnConsole(arguments, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kHelp, stdout);
        return kWritten;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::puts("lumivar " LUMIVAR_VERSION);
        return kWritten;
    }
    // Killed by a termination request, the program leaves no temporary file beside its output.
    filereplace::RemoveTemporaryFilesWhenTerminated();
    std::vector<std::u16string> arguments;
    for (int i = 1; i < argc; ++i) arguments.push_back(text::AnsiToText(argv[i]));
    std::u16string joined = frontend::JoinArguments(arguments);
    // A batch run on a display that nobody sees reports as on the console: a message box there
    // would wait for an answer that never comes.
    bool windows = ui::DisplayReachable() && !(ui::DisplayUnseen() && frmMain::AsksForBatch(joined));
    // A batch run's input is read while the modules are checked and the settings read.
    std::shared_ptr<engine::InputReadAhead> inputReadAhead = windows ? nullptr : frmMain::ReadBatchInputAhead(joined);
    components::RegisterModulesOnFirstStart("lumivar");
    return windows ? RunWithDisplay(argc, argv, joined) : RunOnConsole(joined, std::move(inputReadAhead));
}
