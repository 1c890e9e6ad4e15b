// The progress dialog's view: it follows gProgress, only its Cancel button cancels, and Cancel
// stops a running conversion while the program keeps processing events.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "components/system/tests/system_test_support.h"
#include "engine/format_progress.h"
#include "frontend/frm_main.h"
#include "frontend/frm_progress.h"
#include "frontend/qt/progress_dialog.h"
#include "frontend/qt/tests/qt_test_app.h"
#include "platform/ui/scripted_ui.h"
#include "tests/support/temp_dir.h"

namespace {

class ProgressDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        gCancelled = false;
        gProgress.Load();
    }
    void TearDown() override { gProgress.Unload(); }

    QPushButton* cancel() { return dialog.findChild<QPushButton*>("cmdCancel"); }
    QProgressBar* bar() { return dialog.findChild<QProgressBar*>("ProgressBar1"); }

    QApplication& app = qttest::App();
    qtview::ProgressDialog dialog{gProgress, nullptr, 192};  // 2 pixels to 15 twips
};

TEST_F(ProgressDialogTest, HasItsControlsWhereTheFormPutsThem) {
    EXPECT_EQ(QSize(554, 120), dialog.size());
    EXPECT_EQ(QRect(16, 16, 530, 34), bar()->geometry());
    EXPECT_EQ(QRect(432, 64, 114, 40), cancel()->geometry());
    EXPECT_EQ("Formatting Output", dialog.windowTitle());
    EXPECT_TRUE(dialog.windowFlags().testFlag(Qt::Tool));
}

TEST_F(ProgressDialogTest, ShowsHidesAndScalesWithTheForm) {
    EXPECT_FALSE(dialog.isVisible());
    gProgress.Show();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.isModal());
    struct { int32_t max, value, barMax, barValue; } cases[] = {{1000, 250, 1000, 250}, {10, 99, 10, 10}, {0, 0, 1, 0}};
    for (const auto& c : cases) {
        gProgress.ProgressBar1.Max = c.max;
        gProgress.ProgressBar1.Value = c.value;
        gProgress.onChange(gProgress);
        EXPECT_EQ(c.barMax, bar()->maximum()) << c.max;
        EXPECT_EQ(c.barValue, bar()->value()) << c.max;
    }
    gProgress.Hide();
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(ProgressDialogTest, OnlyTheCancelButtonCancels) {
    gProgress.Show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    dialog.close();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(gCancelled);
    QTest::mouseClick(cancel(), Qt::LeftButton);
    EXPECT_TRUE(gCancelled);
}

std::string Read(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST_F(ProgressDialogTest, CancelStopsALongConversionWhileEventsRun) {
    systemtest::RegisteredModules modules{QUILLON_PATH, MOSSEL_PATH};
    testsupport::TempDir dir;
    {
        std::ofstream in(dir / "long.asp");
        for (int i = 0; i < 200000; ++i) in << "<% Dim a" << i << " : a" << i << " = \"x\" & Len(\"y\") ' step %>\n";
        in << "<% ' LASTLINE %>\n";
    }
    ui::ScopedScriptedServices services;  // boxes recorded; events are Qt's
    services->onPump = [] { QCoreApplication::processEvents(); };
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(0);
    // Clicked once formatting has begun: a cancel while the input is read writes nothing.
    bool shownWhenClicked = false;
    QTimer clicker;
    QObject::connect(&clicker, &QTimer::timeout, [&] {
        if (gCancelled || gProgress.ProgressBar1.Value == 0) return;
        shownWhenClicked = dialog.isVisible();
        QTest::mouseClick(cancel(), Qt::LeftButton);
    });
    clicker.start(0);

    frmMain form;
    form.txtInputFilename.Text = (dir / "long.asp").u16string();
    form.setOutputFilename((dir / "long.htm").u16string());
    form.setUseDefaultHLX(1);
    form.chkShowOutput.Value = 0;
    form.cmdGo_Click();
    ticker.stop();
    clicker.stop();

    EXPECT_TRUE(shownWhenClicked);
    EXPECT_TRUE(gCancelled);
    EXPECT_GT(ticks, 0);
    for (const auto& box : services->boxes) ADD_FAILURE() << QString::fromStdU16String(box.text).toStdString();
    EXPECT_FALSE(dialog.isVisible());
    std::string html = Read(dir / "long.htm");
    EXPECT_NE(std::string::npos, html.find("</html>"));  // the closing lines are written
    EXPECT_EQ(std::string::npos, html.find("LASTLINE"));
}

}  // namespace
