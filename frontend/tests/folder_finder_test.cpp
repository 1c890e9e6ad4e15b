// The folder part of a path and the nearest existing folder above it.
#include <gtest/gtest.h>

#include <filesystem>

#include "frontend/mod_main.h"
#include "frontend/program_globals.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(FolderPart, IsTheParentFolder) {
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"/a/b.asp", u"/a"}, {u"/b.asp", u"/"}, {u"b.asp", u""}, {u"/a/b/", u"/a"}, {u"/", u""}, {u"", u""}};
    for (const auto& [path, folder] : cases) EXPECT_TRUE(modMain::FolderPart(path) == folder);
}

TEST(ExistingFolder, WalksUpToAFolderThatExists) {
    testsupport::TempDir dir;
    std::filesystem::create_directory(dir / "Web");
    const std::u16string web = (dir / "Web").u16string();
    EXPECT_TRUE(modMain::ExistingFolder(web + u"/x/y.asp") == web);
    EXPECT_TRUE(modMain::ExistingFolder(web + u"/y.asp") == web);
    EXPECT_TRUE(modMain::ExistingFolder(u"y.asp") == frontend::FallbackFolder());
    EXPECT_TRUE(modMain::ExistingFolder(u"") == frontend::FallbackFolder());
}

}  // namespace
