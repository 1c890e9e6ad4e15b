// lumivar_screenshots FOLDER: shows the windows as the program does and saves each as a PNG in
// FOLDER: main.png (the main window), progress.png (the progress dialog during a conversion),
// about.png (the About dialog). Used by scripts/screenshots.sh on a virtual display.
#include <cstdio>
#include <fstream>

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTimer>

#include "frontend/frm_main.h"
#include "frontend/frm_progress.h"
#include "frontend/qt/progress_dialog.h"
#include "platform/ui/qt_ui.h"
#include "frontend/frm_about.h"
#include "frontend/qt/about_dialog.h"
#include "frontend/qt/main_window.h"
#include "frontend/qt/program_icon.h"

namespace {

QString folder;

// Nobody is there to answer: a box is printed and gets its default answer.
class UnattendedServices : public ui::QtServices {
public:
    ui::MsgBoxResult messageBox(const std::u16string& text, uint32_t style, const std::u16string&) override {
        std::fprintf(stderr, "box: %s\n", qPrintable(QString::fromStdU16String(text)));
        return ui::DefaultAnswer(style);
    }
};

void Save(QWidget* widget, const char* name) {
    QString path = QDir(folder).filePath(name);
    bool saved = widget && widget->grab().save(path);
    std::printf("%s %s\n", saved ? "saved" : "could not save", qPrintable(path));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    qtview::UseProgramIcon();
    folder = argc > 1 ? argv[1] : "screenshots";
    QDir().mkpath(folder);
    ui::Install(std::make_shared<UnattendedServices>());
    qtview::ProgressDialog progress(gProgress);
    frmMain form;
    form.Form_Load(u"");
    qtview::MainWindow window(form);
    window.show();
    QApplication::processEvents();
    Save(&window, "main.png");
    qtview::AboutDialog::Install(gAbout);

    // A conversion long enough for the dialog to be seen; once a third is done, it is saved and
    // the conversion cancelled.
    QString input = QDir(folder).filePath("long.asp");
    {
        std::ofstream out(input.toStdString());
        for (int i = 0; i < 40000; ++i) out << "<% Dim a" << i << " : a" << i << " = \"x\" %>\n";
    }
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        const auto& bar = gProgress.ProgressBar1;
        if (!gProgress.Visible || bar.Value < bar.Max / 3) return;
        watch.stop();
        Save(&progress, "progress.png");
        gProgress.cmdCancel_Click();
    });
    watch.start(0);
    form.txtInputFilename.Text = input.toStdU16String();
    form.setOutputFilename(QDir(folder).filePath("long.htm").toStdU16String());
    form.setUseDefaultHLX(1);
    form.chkShowOutput.Value = 0;
    form.cmdGo_Click();
    QFile::remove(input);
    QFile::remove(QDir(folder).filePath("long.htm"));

    QTimer::singleShot(0, [] {
        Save(QApplication::activeModalWidget(), "about.png");
        gAbout.cmdOK_Click();
    });
    form.mnuHelpAbout_Click();
    ui::Install(nullptr);
    return 0;
}
