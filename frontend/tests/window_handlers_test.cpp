// The window's own handlers without a display: the show-once choices, the Browse start folders,
// closing, the refusals while a conversion runs, Feedback's page, and the About dialog.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "components/system/system.h"
#include "components/system/tests/system_test_support.h"
#include "engine/format_progress.h"
#include "frontend/frm_about.h"
#include "frontend/frm_main.h"
#include "frontend/frm_show_once.h"
#include "frontend/frm_progress.h"
#include "frontend/program_globals.h"
#include "platform/ui/scripted_ui.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using systemtest::U;

const std::u16string kKey = u"HKEY_CURRENT_USER\\Software\\Tavrel\\Lumivar\\";

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A registry and modules of the test's own, a scripted back end, and a folder.
struct Fixture {
    systemtest::RegisteredModules modules{QUILLON_PATH, MOSSEL_PATH};
    ui::ScopedScriptedServices scripted;
    testsupport::TempDir dir;
    System system{SystemCopy::Program};

    std::u16string stored(const std::u16string& name) {
        Variant value = system.RegRead(kKey + name);
        return value.vt == VT_BSTR ? value.toString() : u"<none>";
    }
};

enum class Press { Ok, ClearThenOk, Escape };

struct ShowOnceCase {
    const char* name;
    const char16_t* stored;  // nullptr: nothing stored
    bool checked, force;
    Press press;
    bool shown;
    int boxWhenShown;
    const char16_t* storedAfter;
};

void PrintTo(const ShowOnceCase& c, std::ostream* os) { *os << c.name; }

const ShowOnceCase kShowOnceCases[] = {
    {"first call, OK with the box as given", nullptr, true, false, Press::Ok, true, 1, u"1"},
    {"hidden: returns at once", u"1", true, false, Press::Ok, false, 0, u"1"},
    {"box cleared and OK", nullptr, true, false, Press::ClearThenOk, true, 1, u"-1"},
    {"-1 shows with the box cleared though checked is asked", u"-1", true, false, Press::Ok, true, 0, u"-1"},
    {"Escape stores nothing", nullptr, true, false, Press::Escape, true, 1, u"<none>"},
    {"force shows a hidden message, box checked", u"1", false, true, Press::Escape, true, 0, u"1"},
    {"a value edited by hand counts as 0", u"x7", false, false, Press::Ok, true, 0, u"-1"},
};

class ShowOnce : public ::testing::TestWithParam<ShowOnceCase> {};

TEST_P(ShowOnce, ShowsAndStoresByTheStoredChoice) {
    const ShowOnceCase& c = GetParam();
    Fixture f;
    if (c.stored) f.system.RegWrite(kKey + u"ShowOnce\\Tip", Variant::fromString(c.stored));
    bool shown = false;
    int boxWhenShown = -1;
    int closes = 0;
    gShowOnce.Window.close = [&] { ++closes; };
    gShowOnce.Window.showModal = [&] {
        shown = true;
        boxWhenShown = gShowOnce.chkHide.Value;
        if (c.press == Press::ClearThenOk) gShowOnce.chkHide.Value = 0;
        if (c.press == Press::Escape) gShowOnce.cmdCancel_Click(); else gShowOnce.cmdOk_Click();
    };
    gShowOnce.ShowOnce({0, 0, 7905, 4950}, u"Tip", u"message", u"caption", c.checked, c.force, 2500);
    gShowOnce.Window = {};

    EXPECT_EQ(c.shown, shown);
    if (c.shown) {
        EXPECT_EQ(c.boxWhenShown, boxWhenShown);
        EXPECT_EQ(1, closes);
        EXPECT_EQ(u"caption", gShowOnce.Caption);
        EXPECT_EQ(2500, gShowOnce.Bounds.height);
        EXPECT_EQ(2600, gShowOnce.cmdCancelTop);  // below the visible area
        EXPECT_EQ(gShowOnce.chkHideTop + 350, gShowOnce.cmdOkTop);
    }
    EXPECT_EQ(std::u16string(c.storedAfter), f.stored(u"ShowOnce\\Tip"));
}

INSTANTIATE_TEST_SUITE_P(Choices, ShowOnce, ::testing::ValuesIn(kShowOnceCases),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(Browse, StartsInTheNearestExistingFolderOrTheButtonsOwnAndStoresTheChoice) {
    Fixture f;
    fs::create_directories(f.dir / "web");
    frmMain form;
    form.Form_Load(u"");
    gInputDir = U(f.dir / "last");
    f.scripted->fileAnswers = {U(f.dir / "web/a.asp"), std::nullopt, U(f.dir / "web/b.asp")};

    form.txtInputFilename.Text = U(f.dir / "web/x/y.asp");  // only web exists
    form.cmdBrowseInput_Click();
    EXPECT_EQ(U(f.dir / "web/a.asp"), form.txtInputFilename.Text);
    EXPECT_EQ(U(f.dir / "web"), gInputDir);

    form.txtInputFilename.Text.clear();
    gInputDir = U(f.dir / "last");
    form.cmdBrowseInput_Click();  // closed without a choice: nothing changes
    EXPECT_EQ(u"", form.txtInputFilename.Text);
    EXPECT_EQ(U(f.dir / "last"), gInputDir);

    form.setOutputFilename(u"");
    form.cmdBrowseOutput_Click();
    EXPECT_TRUE(form.cmdGo.Enabled);  // the chosen name went through the box's Change handler

    ASSERT_EQ(3u, f.scripted->fileRequests.size());
    EXPECT_EQ(U(f.dir / "web"), f.scripted->fileRequests[0].initialDir);
    EXPECT_EQ(U(f.dir / "last"), f.scripted->fileRequests[1].initialDir);
    EXPECT_EQ(u"Select Input File", f.scripted->fileRequests[0].title);
    EXPECT_TRUE(f.scripted->fileRequests[2].save);
    EXPECT_EQ(u"HTML files (*.htm;*.html)|*.htm;*.html|All files (*.*)|*.*", f.scripted->fileRequests[2].filter);
}

// A window whose program folder, and so whose hlx folder, is the test's.
class FormInFolder : public frmMain {
public:
    explicit FormInFolder(fs::path folder) : folder_(std::move(folder)) {}
    std::u16string programFolder() const override { return U(folder_); }

private:
    fs::path folder_;
};

TEST(DefaultSyntaxFile, TheLabelNamesWhatTheInputChoosesAsItChanges) {
    Fixture f;
    fs::create_directories(f.dir / "hlx");
    std::ofstream(f.dir / "hlx/py.hlx") << "[S]\n";
    std::ofstream(f.dir / "tool") << "#!/usr/bin/env python3\n";
    std::ofstream(f.dir / "README") << "text\n";
    FormInFolder form(f.dir.path());
    form.Form_Load(u"");
    f.scripted->fileAnswers = {U(f.dir / "README")};

    form.setInputFilename(U(f.dir / "tool"));
    EXPECT_EQ(u"Default syntax file: py.hlx", form.lblDefaultHLX);
    form.cmdBrowseInput_Click();
    EXPECT_EQ(u"No default syntax file for this input", form.lblDefaultHLX);
    form.setInputFilename(u"");
    EXPECT_EQ(u"", form.lblDefaultHLX);
}

TEST(Closing, StoresTheEightValuesEvenUnchangedButNotDosText) {
    Fixture f;
    frmMain form;
    form.Form_Load(u"");
    form.chkDosText.Value = 1;
    int closes = 0;
    form.Window.close = [&] { ++closes; };
    EXPECT_TRUE(form.QueryClose());
    EXPECT_EQ(1, closes);
    for (const char16_t* name : {u"InputFile", u"OutputFile", u"ShowOutput", u"InputDir", u"OutputDir", u"HLXDir",
                                 u"UseDefaultHLX", u"HLXFile"})
        EXPECT_NE(u"<none>", f.stored(std::u16string(u"Settings\\") + name));
    EXPECT_EQ(u"<none>", f.stored(u"Settings\\DosText"));
    EXPECT_EQ(u"1", f.stored(u"Settings\\UseDefaultHLX"));
}

TEST(Busy, GoBrowseAndClosingAreRefusedWhileAConversionRuns) {
    Fixture f;
    std::string big(4 << 20, 'a');
    std::ofstream(f.dir / "in.txt") << big;
    std::ofstream(f.dir / "def.hlx") << "[S]\nPATTERN=a\nFORMAT-HTML=$$\n";
    frmMain form;
    form.Form_Load(u"");
    form.txtInputFilename.Text = U(f.dir / "in.txt");
    form.setOutputFilename(U(f.dir / "out.html"));
    form.setUseDefaultHLX(0);
    form.txtHLXFileName.Text = U(f.dir / "def.hlx");
    form.chkShowOutput.Value = 0;
    bool closeRefused = false;
    f.scripted->onPump = [&] {
        if (!form.Busy()) return;
        closeRefused = !form.QueryClose();
        form.cmdBrowseInput_Click();
        form.cmdGo_Click();  // would start a second conversion from inside the first
        // Once formatting has begun, so that the partial output is written.
        if (gProgress.ProgressBar1.Value > 0) gCancelled = true;
    };
    form.cmdGo_Click();
    EXPECT_TRUE(closeRefused);
    EXPECT_TRUE(f.scripted->fileRequests.empty());
    EXPECT_FALSE(form.Busy());
    EXPECT_TRUE(fs::exists(f.dir / "out.html"));
    EXPECT_TRUE(form.QueryClose());
}

TEST(Feedback, OpensTheDispatchPageAfterTheNoticeAndOnlyThePageOnceHidden) {
    Fixture f;
    std::ofstream(f.dir / "xdg-open") << "#!/bin/sh\nprintf '%s\\n' \"$1\" >> \"$(dirname \"$0\")/opened\"\n";
    fs::permissions(f.dir / "xdg-open", fs::perms::owner_all);
    testsupport::ScopedEnv env;
    env.set("PATH", f.dir.path().string() + ":" + std::getenv("PATH"));
    int notices = 0;
    gShowOnce.Window.showModal = [&] {
        ++notices;
        gShowOnce.cmdOk_Click();  // the box pre-checked, as it comes
    };
    frmMain form;
    form.mnuFeedback_Click();
    form.mnuFeedback_Click();
    form.mnuSupport_Click();
    gShowOnce.Window = {};
    EXPECT_EQ(2, notices);
    EXPECT_EQ(u"1", f.stored(u"ShowOnce\\Feedback"));
    EXPECT_EQ("https://lumivar.example/dispatch/?action=Feedback&productid=HLX\n"
              "https://lumivar.example/dispatch/?action=Feedback&productid=HLX\n"
              "https://lumivar.example/dispatch/?action=Support&productid=HLX\n",
              Read(f.dir / "opened"));
}

TEST(About, LabelsAndTheSystemInformationTool) {
    Fixture f;
    gAbout.Form_Load();
    EXPECT_EQ(u"About Lumivar", gAbout.Caption);
    EXPECT_EQ(u"Version " + std::u16string(frontend::kVersion), gAbout.lblVersion);

    gAbout.cmdSysInfo_Click();  // no tool named
    ASSERT_EQ(1u, f.scripted->boxes.size());
    EXPECT_EQ(u"System Information Is Unavailable At This Time", f.scripted->boxes[0].text);

    std::ofstream(f.dir / "sysinfo") << "#!/bin/sh\ntouch \"$(dirname \"$0\")/ran\"\n";
    fs::permissions(f.dir / "sysinfo", fs::perms::owner_all);
    const std::u16string tool = u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO\\PATH";
    f.system.RegWrite(tool, Variant::fromString(U(f.dir / "sysinfo")));
    std::u16string value;
    EXPECT_TRUE(frmAbout::GetKeyValue(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", u"PATH", value));
    EXPECT_EQ(U(f.dir / "sysinfo"), value);  // the terminating NUL dropped
    EXPECT_FALSE(frmAbout::GetKeyValue(HKEY_LOCAL_MACHINE, u"SOFTWARE\\None", u"PATH", value));
    EXPECT_EQ(u"", value);

    gAbout.cmdSysInfo_Click();
    for (int i = 0; i < 200 && !fs::exists(f.dir / "ran"); ++i) ::usleep(10000);
    EXPECT_TRUE(fs::exists(f.dir / "ran"));
    EXPECT_EQ(1u, f.scripted->boxes.size());
}

}  // namespace
