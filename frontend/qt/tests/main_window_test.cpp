// The main window's view: its controls where the form puts them, keyboard use, and events that
// reach the form's handlers (Go, Browse, closing).
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "components/system/tests/system_test_support.h"
#include "frontend/frm_main.h"
#include "frontend/frm_progress.h"
#include "frontend/mod_main.h"
#include "frontend/program_globals.h"
#include "frontend/qt/main_window.h"
#include "frontend/qt/progress_dialog.h"
#include "frontend/qt/tests/qt_test_app.h"
#include "platform/ui/scripted_ui.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Clicks the box (on its square) when it is not in the wanted state, as a user would.
void SetChecked(QCheckBox* box, bool checked) {
    if (box->isChecked() != checked) QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() : modules{QUILLON_PATH, MOSSEL_PATH} {
        services->onPump = [] { QCoreApplication::processEvents(); };
        form.Form_Load(u"");
        window = std::make_unique<qtview::MainWindow>(form, 192);  // 2 pixels to 15 twips
        window->show();
        QApplication::setActiveWindow(window.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    template <class W>
    W* control(const char* name) {
        W* widget = window->findChild<W*>(name);
        EXPECT_NE(nullptr, widget) << name;
        return widget;
    }

    QApplication& app = qttest::App();
    systemtest::RegisteredModules modules;  // and a registry of the test's own
    testsupport::TempDir dir;
    ui::ScopedScriptedServices services;
    qtview::ProgressDialog progress{gProgress};
    frmMain form;
    std::unique_ptr<qtview::MainWindow> window;
};

TEST_F(MainWindowTest, PlacesTheControlsAtTheirTwips) {
    struct { const char* name; int left, top, width, height; } cases[] = {
        {"Frame1", 120, 120, 7575, 3375},
        {"txtInputFilename", 1440, 360, 4695, 330},   {"cmdBrowseInput", 6240, 360, 1095, 330},
        {"chkDosText", 1440, 720, 4695, 255},
        {"txtOutputFilename", 1440, 1200, 4695, 330}, {"cmdBrowseOutput", 6240, 1200, 1095, 330},
        {"chkUseDefaultHLX", 1440, 1680, 4695, 255},
        {"txtHLXFileName", 1440, 2040, 4695, 330},    {"cmdBrowseHLX", 6240, 2040, 1095, 330},
        {"chkShowOutput", 1440, 2760, 4695, 255},
        {"cmdGo", 5160, 3720, 1095, 330},             {"cmdExit", 6480, 3720, 1095, 330},
    };
    auto px = [](int twips) { return twips * 2 / 15; };
    for (const auto& c : cases) {
        QWidget* widget = control<QWidget>(c.name);
        EXPECT_EQ(QRect(px(c.left), px(c.top), px(c.width), px(c.height)), widget->geometry()) << c.name;
    }
    EXPECT_EQ(QSize(1038, 560), window->centralWidget()->size());
    EXPECT_EQ(window->findChild<QGroupBox*>("Frame1"), control<QWidget>("txtInputFilename")->parentWidget());
    EXPECT_EQ(QString::fromStdU16String(form.Caption), window->windowTitle());
    EXPECT_EQ(QString::fromStdU16String(form.cmdGo.ToolTipText), control<QWidget>("cmdGo")->toolTip());
}

TEST_F(MainWindowTest, TabAndAccessKeysMoveAsTheFormSays) {
    form.setUseDefaultHLX(0);
    window->refresh();
    control<QWidget>("txtInputFilename")->setFocus();
    std::vector<QString> order{"txtInputFilename"};
    for (int i = 0; i < 10; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order.push_back(QApplication::focusWidget()->objectName());
    }
    EXPECT_EQ((std::vector<QString>{"txtInputFilename", "cmdBrowseInput", "chkDosText", "txtOutputFilename",
                                    "cmdBrowseOutput", "chkUseDefaultHLX", "txtHLXFileName", "cmdBrowseHLX",
                                    "chkShowOutput", "cmdGo", "cmdExit"}),
              order);

    const std::pair<Qt::Key, const char*> keys[] = {{Qt::Key_O, "txtOutputFilename"}, {Qt::Key_I, "txtInputFilename"}};
    for (const auto& [key, name] : keys) {
        QTest::keyClick(QApplication::focusWidget(), key, Qt::AltModifier);
        EXPECT_EQ(name, QApplication::focusWidget()->objectName());
    }
    // Alt+U checks the box through the form (an animated click): the syntax box greys.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_U, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.chkUseDefaultHLX.Value == 1; }));
    EXPECT_FALSE(control<QLineEdit>("txtHLXFileName")->isEnabled());
}

TEST_F(MainWindowTest, GoConvertsAfterAskingToOverwrite) {
    std::ofstream(dir / "in.asp") << "<% Dim x %>";
    std::ofstream(dir / "out.htm") << "old";
    const std::pair<const char*, fs::path> texts[] = {{"txtInputFilename", dir / "in.asp"},
                                                      {"txtOutputFilename", dir / "out.htm"}};
    for (const auto& [name, path] : texts) {
        control<QLineEdit>(name)->clear();
        QTest::keyClicks(control<QLineEdit>(name), QString::fromStdString(path.string()));
    }
    SetChecked(control<QCheckBox>("chkUseDefaultHLX"), true);
    SetChecked(control<QCheckBox>("chkShowOutput"), false);
    services->answers = {ui::vbYes};

    QTest::mouseClick(control<QPushButton>("cmdGo"), Qt::LeftButton);

    ASSERT_EQ(1u, services->boxes.size());
    EXPECT_EQ(ui::vbYesNo, services->boxes[0].style & ui::kButtonsMask);
    EXPECT_NE(std::string::npos, Read(dir / "out.htm").find("Dim"));
}

TEST_F(MainWindowTest, EnterPressesGoFromABoxOrACheckBox) {
    std::ofstream(dir / "in.asp") << "<% Dim x %>";
    std::ofstream(dir / "out.htm") << "old";
    form.txtInputFilename.Text = (dir / "in.asp").u16string();
    form.setOutputFilename((dir / "out.htm").u16string());
    window->refresh();
    const std::pair<const char*, Qt::Key> presses[] = {{"txtInputFilename", Qt::Key_Return},
                                                       {"chkDosText", Qt::Key_Enter}};
    for (const auto& [name, key] : presses) {
        services->answers = {ui::vbNo};  // Go asks before replacing out.htm
        control<QWidget>(name)->setFocus();
        QTest::keyClick(control<QWidget>(name), key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    }
    ASSERT_EQ(2u, services->boxes.size());
    EXPECT_EQ(u"Warning", services->boxes[1].title);
    EXPECT_EQ("old", Read(dir / "out.htm"));
}

TEST_F(MainWindowTest, EachBrowseButtonStartsInItsFolder) {
    const std::pair<const char*, std::u16string*> buttons[] = {
        {"cmdBrowseInput", &gInputDir}, {"cmdBrowseOutput", &gOutputDir}, {"cmdBrowseHLX", &gHLXDir}};
    form.setUseDefaultHLX(0);
    window->refresh();
    for (const auto& [name, folder] : buttons) {
        fs::create_directory(dir / name);
        *folder = (dir / name).u16string();
    }
    form.txtInputFilename.Text = (dir / "cmdBrowseInput" / "a.asp").u16string();
    form.setOutputFilename((dir / "cmdBrowseOutput" / "a.htm").u16string());
    form.txtHLXFileName.Text = (dir / "cmdBrowseHLX" / "a.hlx").u16string();
    window->refresh();
    for (const auto& [name, folder] : buttons) QTest::mouseClick(control<QPushButton>(name), Qt::LeftButton);

    ASSERT_EQ(3u, services->fileRequests.size());
    for (size_t i = 0; i < 3; ++i) EXPECT_EQ((dir / buttons[i].first).u16string(), services->fileRequests[i].initialDir);
    EXPECT_TRUE(services->fileRequests[1].save);
}

TEST_F(MainWindowTest, ClosingStoresTheSettings) {
    gInputDir = u"/in-dir";
    gOutputDir = u"/out-dir";
    gHLXDir = u"/hlx-dir";
    form.setUseDefaultHLX(0);
    window->refresh();
    const std::pair<const char*, QString> texts[] = {
        {"txtInputFilename", "/a/in.asp"}, {"txtOutputFilename", "/a/out.htm"}, {"txtHLXFileName", "/a/x.hlx"}};
    for (const auto& [name, text] : texts) {
        control<QLineEdit>(name)->clear();
        QTest::keyClicks(control<QLineEdit>(name), text);
    }
    SetChecked(control<QCheckBox>("chkShowOutput"), false);

    EXPECT_TRUE(window->close());
    EXPECT_FALSE(window->isVisible());

    const std::pair<const char16_t*, const char16_t*> stored[] = {
        {u"InputFile", u"/a/in.asp"}, {u"OutputFile", u"/a/out.htm"}, {u"HLXFile", u"/a/x.hlx"},
        {u"ShowOutput", u"0"},        {u"UseDefaultHLX", u"0"},        {u"InputDir", u"/in-dir"},
        {u"OutputDir", u"/out-dir"},  {u"HLXDir", u"/hlx-dir"}};
    for (const auto& [key, value] : stored) {
        Variant got = modMain::GetRegSetting(frontend::kCompanyName, frontend::kProductName, u"Settings", key, u"?");
        EXPECT_EQ(std::u16string(value), got.toString()) << QString::fromUtf16(key).toStdString();
    }
}

}  // namespace
