// Registration of the shipped modules at start: into an empty store, over a registration whose
// module file is gone, never over one whose file exists, and failures as messages.
#include <gtest/gtest.h>

#include <fstream>

#include "components/registration/first_start.h"
#include "platform/com/creation.h"
#include "platform/com/registry_keys.h"
#include "platform/text/codepage.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

const fs::path kBuilt = MODULE_FOLDER;
const std::u16string kProgIds[] = {u"Tavrel.Dictionary", u"Tavrel.System", u"Tavrel.Strings2"};

std::string RegisteredFolder(const std::u16string& progId) {
    CLSID clsid{};
    if (FAILED(CLSIDFromProgID(progId.c_str(), &clsid))) return "(not registered)";
    auto module = com::detail::ReadString(HKEY_CLASSES_ROOT, com::detail::ClassKey(clsid) + u"\\InprocServer32");
    return module ? fs::path(text::TextToAnsi(*module)).parent_path().string() : "(no module)";
}

enum class Before { Nothing, RegisteredFromCopyRemoved, RegisteredFromCopyKept };

struct Case {
    const char* name;
    Before before;
    bool registeredFromCopyAfter;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class FirstStart : public ::testing::TestWithParam<Case> {};

TEST_P(FirstStart, LeavesEveryClassUsableFromTheRightModule) {
    const Case& c = GetParam();
    testsupport::TempRegistry registry;
    testsupport::TempDir copies;
    if (c.before != Before::Nothing) {
        // Another installation: the modules with the libraries they load beside them.
        for (const fs::directory_entry& file : fs::directory_iterator(kBuilt))
            if (file.path().extension() == ".so") fs::copy_file(file.path(), copies / file.path().filename());
        const auto problems = components::RegisterMissingModules(copies.path());
        ASSERT_TRUE(problems.empty()) << problems.front();
        if (c.before == Before::RegisteredFromCopyRemoved) fs::remove_all(copies.path());
    }
    EXPECT_TRUE(components::RegisterMissingModules(kBuilt).empty());
    const fs::path expected = c.registeredFromCopyAfter ? copies.path() : kBuilt;
    for (const std::u16string& progId : kProgIds) {
        EXPECT_EQ(expected.string(), RegisteredFolder(progId)) << text::TextToAnsi(progId);
        EXPECT_NO_THROW(com::CreateObject(progId)) << text::TextToAnsi(progId);
    }
}

const Case kCases[] = {
    {"empty store: registered", Before::Nothing, false},
    {"module file gone: registered again", Before::RegisteredFromCopyRemoved, false},
    {"other module file present: kept", Before::RegisteredFromCopyKept, true},
};
INSTANTIATE_TEST_SUITE_P(Stores, FirstStart, ::testing::ValuesIn(kCases));

TEST(FirstStartFailures, NameTheMissingModuleFiles) {
    testsupport::TempRegistry registry;
    testsupport::TempDir empty;
    const auto problems = components::RegisterMissingModules(empty.path());
    ASSERT_EQ(3u, problems.size());
    EXPECT_NE(std::string::npos, problems[2].find((empty / QUILLON_FILE).string() + "\" failed to load")) << problems[2];
    EXPECT_EQ("(not registered)", RegisteredFolder(u"Tavrel.Strings2"));
}

TEST(FirstStartFailures, NameTheStoreThatCannotBeWritten) {
    testsupport::TempDir dir;
    std::ofstream(dir / "file") << "not a folder";
    testsupport::ScopedEnv env;
    env.set("TAVREL_REGISTRY", (dir / "file" / "registry.db").string());
    const auto problems = components::RegisterMissingModules(kBuilt);
    ASSERT_EQ(3u, problems.size());
    for (const std::string& problem : problems)
        EXPECT_NE(std::string::npos, problem.find("registry store \"" + (dir / "file").string())) << problem;
}

}  // namespace
