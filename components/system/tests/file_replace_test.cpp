// A replacement that fails or is cut short leaves the old file whole.
#include "platform/os/file_replace.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <cstring>

#include "components/system/system.h"
#include "components/system/tests/system_test_support.h"
#include "tests/support/temp_dir.h"

using namespace systemtest;
using filereplace::ReplaceError;
using filereplace::ReplaceFileContent;
using filereplace::Step;

namespace {

const std::string kOldContent = "the old content, which must survive\n";

class FileReplace : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::permissions(dir_.path(), std::filesystem::perms(0755));
        WriteBytes(target(), kOldContent);
    }
    std::filesystem::path target() const { return dir_ / "page.html"; }

    testsupport::TempDir dir_;
    AnsiCodePage utf8_{"65001"};
};

TEST_F(FileReplace, WritesTheWholeContentInBlocks) {
    std::string content(filereplace::kBlockSize * 2 + 17, 'q');
    std::vector<std::size_t> progress;
    ReplaceFileContent(target(), content, [&](std::size_t written) { progress.push_back(written); });
    EXPECT_EQ(FileBytes(target()), content);
    EXPECT_EQ(progress, (std::vector<std::size_t>{filereplace::kBlockSize, filereplace::kBlockSize * 2,
                                                  content.size()}));
    EXPECT_EQ(EntryCount(dir_.path()), 1u);
}

// The temporary file of a writer that was killed is removed by the next writer in the folder;
// one whose writer runs, and files of other names, stay.
TEST_F(FileReplace, AProcessKilledMidWriteLeavesTheOldFileWholeAndItsTemporaryFileToTheNextWriter) {
    std::string content(filereplace::kBlockSize * 3, 'n');
    int status = RunInChild([&] {
        ReplaceFileContent(target(), content, [](std::size_t) { ::raise(SIGKILL); });
        return 0;
    });
    EXPECT_EQ(status, -SIGKILL);
    EXPECT_EQ(FileBytes(target()), kOldContent);
    EXPECT_EQ(EntryCount(dir_.path()), 2u);
    WriteBytes(dir_ / (".page.html." + std::to_string(::getpid()) + "-abcdef.tmp"), "being written");
    WriteBytes(dir_ / ".notes.tmp", "");
    ReplaceFileContent(dir_ / "other.html", "other");
    EXPECT_EQ(EntryCount(dir_.path()), 4u);
}

TEST_F(FileReplace, ATerminationRequestMidWriteRemovesTheTemporaryFile) {
    std::string content(filereplace::kBlockSize * 3, 'n');
    for (int signal : {SIGTERM, SIGHUP}) {
        int status = RunInChild([&] {
            ::signal(signal, SIG_DFL);
            filereplace::RemoveTemporaryFilesWhenTerminated();
            ReplaceFileContent(target(), content, [signal](std::size_t) { ::raise(signal); });
            return 0;
        });
        EXPECT_EQ(status, -signal);
        EXPECT_EQ(FileBytes(target()), kOldContent);
        EXPECT_EQ(EntryCount(dir_.path()), 1u) << strsignal(signal);
    }
}

TEST_F(FileReplace, AnExceptionMidWriteRemovesTheTemporaryFile) {
    std::string content(filereplace::kBlockSize * 2, 'n');
    EXPECT_THROW(ReplaceFileContent(target(), content, [](std::size_t) { throw std::runtime_error("stop"); }),
                 std::runtime_error);
    EXPECT_EQ(FileBytes(target()), kOldContent);
    EXPECT_EQ(EntryCount(dir_.path()), 1u);
}

// A folder that takes no new file: a file there that may be written is written in place, and
// only at commit; a new file cannot be made.
TEST_F(FileReplace, AFolderWhereNoTemporaryFileCanBeMadeGetsTheFileWrittenInPlace) {
    std::filesystem::permissions(target(), std::filesystem::perms(0666));
    std::filesystem::permissions(dir_.path(), std::filesystem::perms(0555));
    int status = RunInChild(
        [&] {
            try {
                {
                    filereplace::Replacement unfinished(target());
                    unfinished.write("partial");
                }
                if (FileBytes(target()) != kOldContent) return 1;
                ReplaceFileContent(target(), "new");
            } catch (const ReplaceError&) {
                return 2;
            }
            try {
                ReplaceFileContent(dir_ / "new.html", "new");
                return 3;
            } catch (const ReplaceError& error) {
                return error.step() == Step::Write ? error.error() : 4;
            }
        },
        true);
    EXPECT_EQ(status, EACCES);
    EXPECT_EQ(FileBytes(target()), "new");
    EXPECT_EQ(EntryCount(dir_.path()), 1u);
}

TEST_F(FileReplace, AFullDiskLeavesTheOldFileWholeAndNoTemporaryFile) {
    std::u16string path = U(target());
    RegisteredModules modules{QUILLON_PATH};
    System system;
    int status = RunInChild([&] {
        ::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{4096, 4096};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 1;
        try {
            system.WriteFileFromString(path, std::u16string(65536, u'n'));
            return 0;
        } catch (const ComError& error) {
            return int(error.number());
        }
    });
    EXPECT_EQ(status, 61);  // disk full
    EXPECT_EQ(FileBytes(target()), kOldContent);
    EXPECT_EQ(EntryCount(dir_.path()), 1u);
}

TEST_F(FileReplace, ATargetThatIsNoRegularFileIsWrittenInPlace) {
    if (!std::filesystem::exists("/dev/null")) GTEST_SKIP() << "no /dev/null";
    EXPECT_NO_THROW(ReplaceFileContent("/dev/null", "discarded"));
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
}

TEST_F(FileReplace, FailuresTellTheStepAndTheError) {
    try {
        ReplaceFileContent(dir_.path(), "x");
        FAIL() << "a folder was replaced";
    } catch (const ReplaceError& error) {
        EXPECT_EQ(error.error(), EISDIR);
        EXPECT_EQ(error.step(), Step::Replace);
    }
    try {
        ReplaceFileContent(dir_ / "missing" / "x", "x");
        FAIL() << "a file was written into a missing folder";
    } catch (const ReplaceError& error) {
        EXPECT_EQ(error.error(), ENOENT);
        EXPECT_EQ(error.step(), Step::Write);
    }
}

TEST_F(FileReplace, AVeryLongNameStillGetsATemporaryFile) {
    std::filesystem::path longName = dir_ / std::string(250, 'l');
    ReplaceFileContent(longName, "content");
    EXPECT_EQ(FileBytes(longName), "content");
    EXPECT_EQ(EntryCount(dir_.path()), 2u);
}

}  // namespace
