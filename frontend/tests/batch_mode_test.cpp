// Batch runs in process: the "showoutput" switch against the stored "ShowOutput" setting, the
// settings read at start and written back at the end, and switch spellings.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "components/system/system.h"
#include "components/system/tests/system_test_support.h"
#include "frontend/frm_main.h"
#include "platform/ui/scripted_ui.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

const std::u16string kSettings = u"HKEY_CURRENT_USER\\Software\\Tavrel\\Lumivar\\Settings\\";

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct Case {
    const char* name;
    std::u16string switches;       // after in= and out=
    const char16_t* storedShowOutput;  // nullptr: not stored
    bool opened;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

const Case kCases[] = {
    {"absent: opened", u"", nullptr, true},
    {"alone: opened", u" showoutput", nullptr, true},
    {"empty: opened", u" showoutput=", nullptr, true},
    {"1: opened", u" -showoutput=1", u"1", true},
    {"0: not", u" showoutput=0", nullptr, false},
    {"false: not", u",/showoutput=false", nullptr, false},
    {"no: not", u" SHOWOUTPUT=no", nullptr, false},
    {"setting 0 wins", u" showoutput=1", u"0", false},
};

class BatchMode : public ::testing::TestWithParam<Case> {};

TEST_P(BatchMode, OpensTheOutputOnlyWhenSwitchAndSettingAgree) {
    const Case& c = GetParam();
    systemtest::RegisteredModules modules{QUILLON_PATH, MOSSEL_PATH};  // and a registry of its own
    testsupport::TempDir dir;
    // A stand-in for the desktop's opener that notes what it was given.
    std::ofstream(dir / "xdg-open") << "#!/bin/sh\nprintf '%s\\n' \"$1\" >> \"$(dirname \"$0\")/opened\"\n";
    fs::permissions(dir / "xdg-open", fs::perms::owner_all);
    testsupport::ScopedEnv env;
    env.set("PATH", (dir.path().string() + ":" + std::getenv("PATH")));
    std::ofstream(dir / "in.txt") << "a<b";
    System system(SystemCopy::Program);
    if (c.storedShowOutput) system.RegWrite(kSettings + u"ShowOutput", Variant::fromString(c.storedShowOutput));
    system.RegWrite(kSettings + u"InputFile", Variant::fromString(u"kept.asp"));
    ui::ScopedScriptedServices scripted;

    frmMain form;
    EXPECT_FALSE(form.Form_Load(u"in=" + (dir / "in.txt").u16string() + u" out=" + (dir / "out.html").u16string() +
                                c.switches));

    EXPECT_TRUE(scripted->boxes.empty()) << (scripted->boxes.empty() ? "" : "a box was shown");
    EXPECT_EQ(engine::JobOutcome::Written, form.lastOutcome());
    EXPECT_NE(std::string::npos, Read(dir / "out.html").find("&lt;"));
    EXPECT_EQ(c.opened ? (dir / "out.html").string() + "\n" : "", Read(dir / "opened"));
    // The settings read at start go back unchanged; a missing one is written with its default.
    EXPECT_EQ(u"kept.asp", system.RegRead(kSettings + u"InputFile").toString());
    EXPECT_EQ(c.storedShowOutput ? c.storedShowOutput : u"1", system.RegRead(kSettings + u"ShowOutput").toString());
}

INSTANTIATE_TEST_SUITE_P(Switches, BatchMode, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(BatchModeOpener, AMissingOpenerIsReportedAndTheOutputStays) {
    systemtest::RegisteredModules modules{QUILLON_PATH, MOSSEL_PATH};
    testsupport::TempDir dir;
    testsupport::ScopedEnv env;
    env.set("PATH", dir.path().string());  // no xdg-open anywhere
    std::ofstream(dir / "in.txt") << "a<b";
    ui::ScopedScriptedServices scripted;
    frmMain form;
    const std::u16string out = (dir / "out.html").u16string();
    form.Form_Load(u"in=" + (dir / "in.txt").u16string() + u" out=" + out);
    ASSERT_EQ(1u, scripted->boxes.size());
    EXPECT_EQ(u"Unable to display output file (" + out + u").The desktop's opener (xdg-open) is missing or could not open it.",
              scripted->boxes[0].text);
    EXPECT_EQ(engine::JobOutcome::Written, form.lastOutcome());
    EXPECT_NE(std::string::npos, Read(dir / "out.html").find("&lt;"));
}

}  // namespace
