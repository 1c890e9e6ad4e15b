#include <gtest/gtest.h>

#include "components/system/system.h"
#include "components/system/tests/system_test_support.h"
#include "platform/automation/safearray.h"
#include "platform/text/codepage.h"
#include "tests/support/temp_dir.h"

using namespace systemtest;

namespace {

std::string ArrayBytes(const Variant& value) {
    EXPECT_EQ(value.vt, VT_ARRAY | VT_UI1);
    if (value.vt != (VT_ARRAY | VT_UI1) || !value.parray) return "<not a byte array>";
    LONG lower = -1, upper = -1;
    SafeArrayGetLBound(value.parray, 1, &lower);
    SafeArrayGetUBound(value.parray, 1, &upper);
    EXPECT_EQ(lower, 0);
    EXPECT_EQ(SafeArrayGetDim(value.parray), 1u);
    void* data = nullptr;
    SafeArrayAccessData(value.parray, &data);
    std::string bytes(static_cast<const char*>(data), static_cast<std::size_t>(upper + 1));
    SafeArrayUnaccessData(value.parray);
    return bytes;
}

Variant ByteArray(const std::string& bytes) {
    SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
    void* data = nullptr;
    SafeArrayAccessData(array, &data);
    std::copy(bytes.begin(), bytes.end(), static_cast<char*>(data));
    SafeArrayUnaccessData(array);
    return Variant::fromArray(VT_UI1, array);
}

Variant ByReference(Variant& target) {
    Variant reference;
    reference.vt = VT_BYREF | VT_VARIANT;
    reference.pvarVal = target.ptr();
    return reference;
}

std::u16string ReadDescription(const std::u16string& path, const std::u16string& reason, const char16_t* hex) {
    return u"Error reading the file " + path + u"\r\n\r\nReason: " + reason + u"\r\nError: 0x" + hex;
}

class SystemFiles : public ::testing::Test {
protected:
    testsupport::TempDir dir_;
    RegisteredModules modules_{QUILLON_PATH};
    System system_;
    AnsiCodePage utf8_{"65001"};
};

// ---- ReadFile ----

TEST_F(SystemFiles, ReadFileGivesEveryByte) {
    std::string bytes("a\0\xff\r\n\x80z", 7);
    WriteBytes(dir_ / "f.bin", bytes);
    EXPECT_EQ(ArrayBytes(system_.ReadFile(Variant::fromString(U(dir_ / "f.bin")))), bytes);

    Variant path = Variant::fromString(U(dir_ / "f.bin"));
    EXPECT_EQ(ArrayBytes(system_.ReadFile(ByReference(path))), bytes);
}

TEST_F(SystemFiles, ReadFileOfAnEmptyFileGivesAnEmptyByteArray) {
    // Longer than one read: characters and invalid bytes cut at every boundary convert alike.
    std::string mixed;
    while (mixed.size() < 600000) mixed += "ab\xE2\x82\xAC\xF0\x9F\x98\x80\xC3";
    WriteBytes(dir_ / "long.txt", mixed);
    EXPECT_EQ(system_.ReadFileToString(U(dir_ / "long.txt")), text::AnsiToText(mixed));

    WriteBytes(dir_ / "empty", "");
    Variant result = system_.ReadFile(Variant::fromString(U(dir_ / "empty")));
    ASSERT_EQ(result.vt, VT_ARRAY | VT_UI1);
    LONG lower = -1, upper = 0;
    SafeArrayGetLBound(result.parray, 1, &lower);
    SafeArrayGetUBound(result.parray, 1, &upper);
    EXPECT_EQ(lower, 0);
    EXPECT_EQ(upper, -1);
}

TEST_F(SystemFiles, ReadFileOfABlankNameRaises1000) {
    for (const Variant& blank : {Variant(), Variant::fromString(u"")}) {
        ComError error = ErrorOf([&] { system_.ReadFile(blank); });
        EXPECT_EQ(error.number(), 1000);
        EXPECT_EQ(error.source(), u"Tavrel.System->ReadFile");
        EXPECT_EQ(error.description(), u"The filename cannot be blank.");
    }
    EXPECT_EQ(ErrorOf([&] { system_.ReadFile(Variant::null()); }).number(), 94);
}

TEST_F(SystemFiles, ReadFileRaisesThePlatformsFileErrors) {
    ComError missing = ErrorOf([&] { system_.ReadFile(Variant::fromString(U(dir_ / "missing"))); });
    EXPECT_EQ(missing.number(), 53);
    EXPECT_EQ(missing.description(), u"File not found");
    EXPECT_EQ(missing.source(), u"Tavrel");

    ComError noFolder = ErrorOf([&] { system_.ReadFile(Variant::fromString(U(dir_ / "no" / "x"))); });
    EXPECT_EQ(noFolder.number(), 76);
    EXPECT_EQ(noFolder.description(), u"Path not found");

    WriteBytes(dir_ / "file", "x");
    EXPECT_EQ(ErrorOf([&] { system_.ReadFile(Variant::fromString(U(dir_ / "file" / "x"))); }).number(), 76);

    ComError folder = ErrorOf([&] { system_.ReadFile(Variant::fromString(U(dir_.path()))); });
    EXPECT_EQ(folder.number(), 75);
    EXPECT_EQ(folder.description(), u"Path/File access error");

    EXPECT_EQ(ErrorOf([&] { system_.ReadFile(Variant::fromString(std::u16string(u"a\0b", 3))); }).number(), 52);
}

TEST_F(SystemFiles, ReadFileOfAnUnreadableFileRaisesPermissionDenied) {
    WriteBytes(dir_ / "secret", "x");
    std::filesystem::permissions(dir_ / "secret", std::filesystem::perms::none);
    std::filesystem::permissions(dir_.path(), std::filesystem::perms::all);
    int status = RunInChild(
        [&] {
            try {
                system_.ReadFile(Variant::fromString(U(dir_ / "secret")));
                return 0;
            } catch (const ComError& error) {
                return error.description() == u"Permission denied" ? int(error.number()) : 1;
            }
        },
        true);
    EXPECT_EQ(status, 70);
}

// ---- ReadFileToString ----

TEST_F(SystemFiles, ReadFileToStringConvertsFromTheAnsiCodePage) {
    WriteBytes(dir_ / "t.txt", "caf\xe9\r\n");
    {
        AnsiCodePage western("1252");
        EXPECT_EQ(system_.ReadFileToString(U(dir_ / "t.txt")), u"café\r\n");
    }
    EXPECT_EQ(system_.ReadFileToString(U(dir_ / "t.txt")), u"caf\xDCE9\r\n");  // 65001 keeps the byte

    WriteBytes(dir_ / "empty", "");
    EXPECT_EQ(system_.ReadFileToString(U(dir_ / "empty")), u"");
}

TEST_F(SystemFiles, ReadFileToStringRewritesTheDescription) {
    ComError blank = ErrorOf([&] { system_.ReadFileToString(u""); });
    EXPECT_EQ(blank.number(), 1000);
    EXPECT_EQ(blank.source(), u"Tavrel.System->ReadFile");
    EXPECT_EQ(blank.description(), ReadDescription(u"", u"The filename cannot be blank.", u"3E8"));

    std::u16string missing = U(dir_ / "missing.txt");
    ComError notFound = ErrorOf([&] { system_.ReadFileToString(missing); });
    EXPECT_EQ(notFound.number(), 53);
    EXPECT_EQ(notFound.description(), ReadDescription(missing, u"File not found", u"35"));

    std::u16string noFolder = U(dir_ / "none" / "x.txt");
    EXPECT_EQ(ErrorOf([&] { system_.ReadFileToString(noFolder); }).description(),
              ReadDescription(noFolder, u"Path not found", u"4C"));
}

TEST_F(SystemFiles, ProgramCopyAsksToCheckTheName) {
    System program(SystemCopy::Program);
    std::u16string missing = U(dir_ / "missing.txt");
    ComError error = ErrorOf([&] { program.ReadFileToString(missing); });
    EXPECT_EQ(error.number(), 53);
    EXPECT_EQ(error.description(), u"Error reading the file " + missing +
                                       u". Please check that file name and path are valid.\r\n\r\n"
                                       u"Reason: File not found\r\nError: 0x35");
    // Only the read description differs.
    std::u16string noFolder = U(dir_ / "none" / "x.txt");
    EXPECT_EQ(ErrorOf([&] { program.WriteFileFromString(noFolder, u"x"); }).description(),
              ErrorOf([&] { system_.WriteFileFromString(noFolder, u"x"); }).description());
}

// ---- WriteFileFromString ----

TEST_F(SystemFiles, WriteFileFromStringWritesAnsiTextWithoutALineBreak) {
    AnsiCodePage western("1252");
    system_.WriteFileFromString(U(dir_ / "out.html"), u"<p>café</p>\r\n€");
    EXPECT_EQ(FileBytes(dir_ / "out.html"), "<p>caf\xe9</p>\r\n\x80");
}

TEST_F(SystemFiles, WriteFileFromStringReplacesALongerFileExactly) {
    WriteBytes(dir_ / "out.txt", std::string(10000, 'x'));
    system_.WriteFileFromString(U(dir_ / "out.txt"), u"short");
    EXPECT_EQ(FileBytes(dir_ / "out.txt"), "short");
    system_.WriteFileFromString(U(dir_ / "out.txt"), u"");
    EXPECT_EQ(FileBytes(dir_ / "out.txt"), "");
    EXPECT_EQ(EntryCount(dir_.path()), 1u);  // no temporary file left
}

TEST_F(SystemFiles, WriteFileFromStringFailuresSayWhy) {
    std::u16string noFolder = U(dir_ / "none" / "out.txt");
    ComError missing = ErrorOf([&] { system_.WriteFileFromString(noFolder, u"x"); });
    EXPECT_EQ(missing.number(), 76);
    EXPECT_EQ(missing.source(), u"Tavrel");
    EXPECT_EQ(missing.description(),
              u"Error writing the file " + noFolder + u"\r\n\r\nReason: Path not found\r\nError: 0x4C");

    ComError folder = ErrorOf([&] { system_.WriteFileFromString(U(dir_.path()), u"x"); });
    EXPECT_EQ(folder.number(), 75);
    EXPECT_EQ(folder.description(), u"Error writing the file " + U(dir_.path()) +
                                        u"\r\n\r\nReason: Path/File access error\r\nError: 0x4B");

    EXPECT_EQ(ErrorOf([&] { system_.WriteFileFromString(u"", u"x"); }).number(), 75);
}

TEST_F(SystemFiles, WriteToAFullDeviceRaisesDiskFull) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    ComError error = ErrorOf([&] { system_.WriteFileFromString(u"/dev/full", u"x"); });
    EXPECT_EQ(error.number(), 61);
    EXPECT_EQ(error.description(), u"Error writing the file /dev/full\r\n\r\nReason: Disk full\r\nError: 0x3D");
}

TEST_F(SystemFiles, ReadOnlyFileIsNeitherReplacedNorChanged) {
    WriteBytes(dir_ / "locked.txt", "old");
    std::filesystem::permissions(dir_ / "locked.txt", std::filesystem::perms::owner_read);
    std::filesystem::permissions(dir_.path(), std::filesystem::perms::all);
    int status = RunInChild(
        [&] {
            try {
                system_.WriteFileFromString(U(dir_ / "locked.txt"), u"new");
                return 0;
            } catch (const ComError& error) {
                return int(error.number());
            }
        },
        true);
    EXPECT_EQ(status, 70);
    EXPECT_EQ(FileBytes(dir_ / "locked.txt"), "old");
}

// ---- WriteFile ----

TEST_F(SystemFiles, WriteFileWritesTheByteArrayExactly) {
    WriteBytes(dir_ / "b.bin", std::string(5000, 'z'));
    std::string bytes("\0\x01\xfe\xff", 4);
    Variant content = ByteArray(bytes);
    Variant path = Variant::fromString(U(dir_ / "b.bin"));
    system_.WriteFile(ByReference(path), ByReference(content));
    EXPECT_EQ(FileBytes(dir_ / "b.bin"), bytes);
    EXPECT_EQ(ArrayBytes(system_.ReadFile(path)), bytes);
}

TEST_F(SystemFiles, WriteFileTakesAStringAsItsUtf16Bytes) {
    system_.WriteFile(Variant::fromString(U(dir_ / "s.bin")), Variant::fromString(u"A\u20AC"));
    EXPECT_EQ(FileBytes(dir_ / "s.bin"), std::string("A\0\xAC\x20", 4));
}

TEST_F(SystemFiles, WriteFileHintsNameTheFailedStep) {
    std::u16string target = U(dir_ / "t.bin");
    ComError badContent = ErrorOf([&] { system_.WriteFile(Variant::fromString(target), Variant::fromLong(5)); });
    EXPECT_EQ(badContent.number(), 13);
    EXPECT_EQ(badContent.description(),
              u"Error writing the file " + target + u"\r\n\r\nReason: Type mismatch\r\nError: 0xD\r\nHint: ");

    std::u16string noFolder = U(dir_ / "none" / "t.bin");
    ComError missing = ErrorOf([&] { system_.WriteFile(Variant::fromString(noFolder), ByteArray("x")); });
    EXPECT_EQ(missing.number(), 76);
    EXPECT_EQ(missing.description(), u"Error writing the file " + noFolder +
                                         u"\r\n\r\nReason: Path not found\r\nError: 0x4C\r\nHint: Write the file");

    ComError folder = ErrorOf([&] { system_.WriteFile(Variant::fromString(U(dir_.path())), ByteArray("x")); });
    EXPECT_EQ(folder.number(), 75);
    EXPECT_TRUE(folder.description().ends_with(u"\r\nHint: Write the file"));
    EXPECT_FALSE(std::filesystem::exists(dir_ / "t.bin"));
}

TEST_F(SystemFiles, WriteFileOverAReadOnlyFileFailsAtDeleteTheFile) {
    WriteBytes(dir_ / "locked.bin", "old");
    std::filesystem::permissions(dir_ / "locked.bin", std::filesystem::perms::owner_read);
    std::filesystem::permissions(dir_.path(), std::filesystem::perms::all);
    std::u16string expected = u"Error writing the file " + U(dir_ / "locked.bin") +
                              u"\r\n\r\nReason: Permission denied\r\nError: 0x46\r\nHint: Delete the file";
    int status = RunInChild(
        [&] {
            try {
                system_.WriteFile(Variant::fromString(U(dir_ / "locked.bin")), ByteArray("new"));
                return 0;
            } catch (const ComError& error) {
                return error.description() == expected ? int(error.number()) : 1;
            }
        },
        true);
    EXPECT_EQ(status, 70);
    EXPECT_EQ(FileBytes(dir_ / "locked.bin"), "old");
}

// ---- what a replacement keeps ----

TEST_F(SystemFiles, ReplacedFileKeepsItsPermissions) {
    WriteBytes(dir_ / "script.sh", "old");
    std::filesystem::permissions(dir_ / "script.sh", std::filesystem::perms(0751));
    system_.WriteFileFromString(U(dir_ / "script.sh"), u"new");
    EXPECT_EQ(ModeOf(dir_ / "script.sh"), 0751u);
}

TEST_F(SystemFiles, NewFileGetsThePermissionsOfTheUmask) {
    mode_t previous = ::umask(027);
    system_.WriteFileFromString(U(dir_ / "new.txt"), u"x");
    ::umask(previous);
    EXPECT_EQ(ModeOf(dir_ / "new.txt"), 0640u);
}

TEST_F(SystemFiles, WriteThroughASymbolicLinkReplacesTheFileItNames) {
    WriteBytes(dir_ / "real.txt", "old");
    std::filesystem::create_symlink(dir_ / "real.txt", dir_ / "link.txt");
    system_.WriteFileFromString(U(dir_ / "link.txt"), u"new");
    EXPECT_TRUE(std::filesystem::is_symlink(dir_ / "link.txt"));
    EXPECT_EQ(FileBytes(dir_ / "real.txt"), "new");
}

// ---- FileExists ----

TEST_F(SystemFiles, FileExistsFindsFilesButNotFolders) {
    WriteBytes(dir_ / "a.txt", "");
    std::filesystem::create_directory(dir_ / "sub");
    EXPECT_TRUE(system_.FileExists(U(dir_ / "a.txt")));
    EXPECT_FALSE(system_.FileExists(U(dir_ / "b.txt")));
    EXPECT_FALSE(system_.FileExists(U(dir_ / "sub")));
    EXPECT_FALSE(system_.FileExists(U(dir_ / "s*")));
    EXPECT_FALSE(system_.FileExists(U(dir_ / "none" / "a.txt")));
    EXPECT_FALSE(system_.FileExists(u""));
    EXPECT_FALSE(system_.FileExists(std::u16string(u"a\0b", 3)));
}

// "*", "?" and "[" are characters of a file name: only the file of exactly that name counts.
TEST_F(SystemFiles, FileExistsTakesTheNameLiterally) {
    for (const char* name : {"report1.htm", "ga.htm", ".hidden", "a[1].txt", "back\\slash"}) WriteBytes(dir_ / name, "");
    for (const char* name : {".hidden", "a[1].txt", "back\\slash"}) EXPECT_TRUE(system_.FileExists(U(dir_ / name))) << name;
    for (const char* name : {"report[1].htm", "report?.htm", "g?.htm", "*", "*hid*", "back\\s*"})
        EXPECT_FALSE(system_.FileExists(U(dir_ / name))) << name;
}

}  // namespace
