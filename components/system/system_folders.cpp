// Folders, copies, file names and temporary files of the System class.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "platform/os/file_descriptor.h"
#include "platform/os/file_errors.h"
#include "platform/os/file_replace.h"
#include "components/system/system.h"
#include "platform/automation/ascii.h"
#include "platform/automation/error_numbers.h"
#include "platform/text/codepage.h"

namespace {

constexpr char16_t kMkDirExSource[] = u"Tavrel.System->MkDirEx";
constexpr char16_t kAllowedPunctuation[] = u" $%'-_@~`!()^#&+,;=[].";
constexpr unsigned kTempNumbers = 0xFFFF;

bool IsFolder(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

std::vector<std::u16string> SplitAt(const std::u16string& text, char16_t separator) {
    std::vector<std::u16string> parts(1);
    for (char16_t c : text) {
        if (c == separator) parts.emplace_back();
        else parts.back() += c;
    }
    return parts;
}

ComError MkDirError(const std::u16string& path, const ComError& reason) {
    return ComError(errnum::kCannotCreateFolder, kMkDirExSource,
                    u"Error creating the directory \"" + path + u"\"\r\nError: " +
                        text::AnsiToText(std::to_string(reason.number())) + u"\r\nReason: " + reason.description());
}

// The characters from U+0080 up that the ANSI code page has (codes 128 to 255); all of them
// under a multi-byte code page such as 65001.
bool IsAnsiUpperCharacter(char16_t c) {
    if (c < 0x80) return false;
    UINT codePage = GetACP();
    if (codePage == 65001) return true;
    std::string bytes = text::TextToBytes(std::u16string(1, c), codePage);
    return bytes.size() == 1 && static_cast<unsigned char>(bytes[0]) >= 0x80 &&
           text::BytesToText(bytes, codePage) == std::u16string(1, c);
}

bool IsAllowedInFileName(char16_t c, bool pathSeparatorAllowed) {
    if (automation::IsAsciiLetter(c) || automation::IsAsciiDigit(c)) return true;
    if (pathSeparatorAllowed && c == u'/') return true;
    if (c < 0x80) return std::u16string_view(kAllowedPunctuation).find(c) != std::u16string_view::npos;
    return IsAnsiUpperCharacter(c);
}

std::string TempFolder() {
    const char* folder = std::getenv("TMPDIR");
    return folder && *folder ? folder : "/tmp";
}

timespec ModificationTime(const std::string& path, const std::u16string& source) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) throw fileerrors::ErrorForErrno(errno, path, source);
    if (S_ISDIR(status.st_mode)) throw fileerrors::ErrorForNumber(errnum::kFileNotFound, source);
    return status.st_mtim;
}

bool IsLater(const timespec& a, const timespec& b) {
    return a.tv_sec != b.tv_sec ? a.tv_sec > b.tv_sec : a.tv_nsec > b.tv_nsec;
}

}  // namespace

Variant System::FolderExists(const std::u16string& FolderName) {
    return Variant::fromBool(IsFolder(fileerrors::FileSystemPath(FolderName, runtimeSource_)));
}

void System::MkDirEx(const std::u16string& FolderName) {
    std::u16string name = FolderName;
    for (char16_t& c : name)
        if (c == u'\\') c = u'/';
    const bool network = name.starts_with(u"//");
    const size_t firstToCreate = network ? 4 : 1;
    std::vector<std::u16string> parts = SplitAt(name, u'/');
    std::u16string path;
    for (size_t i = 0; i < parts.size(); ++i) {
        path += parts[i] + u'/';
        if (i < firstToCreate || FolderExists(path).boolVal != VARIANT_FALSE) continue;
        std::string bytes = fileerrors::FileSystemPath(path, runtimeSource_);
        if (::mkdir(bytes.c_str(), 0777) == 0) continue;
        const int error = errno;
        if (error != EEXIST) throw MkDirError(path, fileerrors::ErrorForErrno(error, bytes, runtimeSource_));
        if (!IsFolder(bytes))  // a file of that name
            throw MkDirError(path, fileerrors::ErrorForNumber(errnum::kFileAlreadyExists, runtimeSource_));
    }
}

bool System::CopyFileIfNewer(const std::u16string& SourcePath, const std::u16string& DestinationPath) {
    std::string source = fileerrors::FileSystemPath(SourcePath, runtimeSource_);
    std::string destination = fileerrors::FileSystemPath(DestinationPath, runtimeSource_);
    timespec sourceTime = ModificationTime(source, runtimeSource_);
    struct stat existing {};
    bool due = ::stat(destination.c_str(), &existing) != 0 || IsLater(sourceTime, existing.st_mtim);
    if (!due) return false;
    std::string bytes = ReadBytes(Variant::fromString(SourcePath));
    try {
        filereplace::ReplaceFileContent(destination, bytes);
    } catch (const filereplace::ReplaceError& error) {
        throw fileerrors::ErrorForErrno(error.error(), error.path(), runtimeSource_);
    }
    const timespec times[2] = {{0, UTIME_OMIT}, sourceTime};
    if (::utimensat(AT_FDCWD, destination.c_str(), times, 0) != 0)
        throw fileerrors::ErrorForErrno(errno, destination, runtimeSource_);
    return true;
}

std::u16string System::ValidFileName(std::u16string& FileName, bool CheckPathName) {
    std::u16string result;
    if (CheckPathName && FileName.find(u':') == 1) {
        result = FileName.substr(0, 2);
        FileName.erase(0, 2);
    }
    for (char16_t c : FileName)
        if (IsAllowedInFileName(c, CheckPathName)) result += c;
    return result;
}

// O_EXCL makes each name new: two processes never get the same file.
Variant System::GetTempFileName(const std::u16string& path, const std::u16string& prefix) {
    std::u16string folder = path.empty() ? text::AnsiToText(TempFolder()) : path;
    if (!folder.ends_with(u'/')) folder += u'/';
    std::u16string stem = folder + prefix.substr(0, 3);
    static std::minstd_rand numbers(std::random_device{}());
    const unsigned start = numbers() % kTempNumbers;
    for (unsigned i = 0; i < kTempNumbers; ++i) {
        std::u16string name = stem + automation::UpperHex((start + i) % kTempNumbers + 1) + u".tmp";
        std::string bytes = text::TextToAnsi(name);
        if (bytes.find('\0') != std::string::npos) break;
        fileio::FileDescriptor file(::open(bytes.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        if (file.get() >= 0) return Variant::fromString(name);
        if (errno != EEXIST) break;
    }
    return Variant::fromString(u"");
}
