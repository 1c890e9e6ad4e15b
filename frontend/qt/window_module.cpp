// The entry of the window module: the program with its Qt windows.
#include <memory>
#include <string>
#include <type_traits>

#include <QApplication>

#include "frontend/exit_status.h"
#include "frontend/frm_about.h"
#include "frontend/frm_main.h"
#include "frontend/frm_progress.h"
#include "frontend/frm_show_once.h"
#include "frontend/qt/about_dialog.h"
#include "frontend/qt/main_window.h"
#include "frontend/qt/program_icon.h"
#include "frontend/qt/progress_dialog.h"
#include "frontend/qt/show_once_dialog.h"
#include "frontend/window_entry.h"
#include "platform/ui/qt_ui.h"
#include "platform/os/error_report.h"

extern "C" __attribute__((visibility("default"))) int LumivarRunWithWindows(int* argc, char** argv,
                                                                              const char16_t* arguments) {
    static_assert(std::is_same_v<decltype(&LumivarRunWithWindows), frontend::WindowEntry>);
    QApplication app(*argc, argv);
    qtview::UseProgramIcon();
    auto services = std::make_shared<ui::QtServices>();
    ui::Install(services);
    qtview::ProgressDialog progress(gProgress);
    frmMain form;
    qtview::ShowOnceDialog::Install(gShowOnce);
    qtview::AboutDialog::Install(gAbout);
    std::unique_ptr<qtview::MainWindow> window;
    int status = os::RunReportingErrors(frontend::kFailed, [&] {
        if (!form.Form_Load(arguments)) return frontend::ExitStatusOf(form);
        window = std::make_unique<qtview::MainWindow>(form);
        progress.setParent(window.get(), progress.windowFlags());
        window->show();
        app.exec();
        return int(frontend::kWritten);
    });
    progress.setParent(nullptr);
    ui::Install(nullptr);
    return status;
}
