// The show-once dialog's view: each way out of it stores its choice through the form.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <QTest>

#include "frontend/frm_show_once.h"
#include "frontend/mod_main.h"
#include "frontend/program_globals.h"
#include "frontend/qt/show_once_dialog.h"
#include "frontend/qt/tests/qt_test_app.h"
#include "components/system/tests/system_test_support.h"

namespace {

struct Case {
    const char* name;
    bool check;        // the box's state when leaving
    bool escape;       // Escape instead of OK
    const char16_t* stored;
};

class ShowOnceDialogTest : public ::testing::TestWithParam<Case> {};

TEST_P(ShowOnceDialogTest, StoresTheChoice) {
    const Case& c = GetParam();
    qttest::App();
    systemtest::RegisteredModules modules{QUILLON_PATH, MOSSEL_PATH};  // and a registry of the test's own
    qtview::ShowOnceDialog::Install(gShowOnce);
    bool shown = false;
    qttest::WhenModal([&](QWidget* dialog) {
        shown = dialog && dialog->objectName() == "frmShowOnce";
        if (!shown) return;
        auto* box = dialog->findChild<QCheckBox*>("chkHide");
        if (box->isChecked() != c.check) QTest::mouseClick(box, Qt::LeftButton);
        if (c.escape)
            QTest::keyClick(dialog, Qt::Key_Escape);
        else
            QTest::mouseClick(dialog->findChild<QPushButton*>("cmdOk"), Qt::LeftButton);
    });

    gShowOnce.ShowOnce({0, 0, 9000, 6000}, u"tip", u"A message", u"Caption", !c.check, true, 2500);

    EXPECT_TRUE(shown);
    Variant stored = modMain::GetRegSetting(frontend::kCompanyName, frontend::kProductName, u"ShowOnce", u"tip", u"none");
    EXPECT_EQ(std::u16string(c.stored), stored.toString());
    gShowOnce.Window = {};
}

INSTANTIATE_TEST_SUITE_P(Choices, ShowOnceDialogTest,
                         ::testing::Values(Case{"ok_checked", true, false, u"1"}, Case{"ok_cleared", false, false, u"-1"},
                                           Case{"escape", true, true, u"none"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
