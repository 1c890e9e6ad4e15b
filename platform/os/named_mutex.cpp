#include "platform/os/named_mutex.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/os/file_descriptor.h"
#include "platform/automation/system_errors.h"
#include "platform/os/handle_table.h"
#include "platform/os/system_error_codes.h"
#include "platform/text/codepage.h"

namespace os {
namespace {

constexpr size_t kMaxFileName = 255;
// Lock files taken over by others while being locked, before creation gives up.
constexpr int kMaxAttempts = 100;

// A folder of the user's only: made when missing, refused when someone else owns it or may
// write in it. The error is a system error code.
DWORD EnsurePrivateFolder(const std::string& path) {
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return SystemErrorCode(errno);
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) return SystemErrorCode(errno);
    if (!S_ISDIR(status.st_mode) || status.st_uid != ::geteuid() || (status.st_mode & 022) != 0)
        return ERROR_ACCESS_DENIED;
    return ERROR_SUCCESS;
}

DWORD MutexFolder(std::string& folder) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime == '/') {
        folder = std::string(runtime) + "/tavrel-mutexes";
        return EnsurePrivateFolder(folder);
    }
    std::string base = "/tmp/tavrel-" + std::to_string(::geteuid());
    if (DWORD error = EnsurePrivateFolder(base)) return error;
    folder = base + "/mutexes";
    return EnsurePrivateFolder(folder);
}

// The name's ANSI bytes, with every byte but letters, digits, "-" and "_" written as %XX, so
// that any name is one file name of its own (names are case-sensitive, as the file names).
std::string LockFileName(std::u16string_view name) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    for (unsigned char byte : text::TextToAnsi(name)) {
        bool plain = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9') ||
                     byte == '-' || byte == '_';
        if (plain) {
            encoded += static_cast<char>(byte);
        } else {
            encoded += '%';
            encoded += kHex[byte >> 4];
            encoded += kHex[byte & 0xF];
        }
    }
    return encoded + ".lock";
}

MutexCreation Fail(DWORD error) { return {0, error}; }

// A held lock file. The holder removes it while it still holds the lock, so that the file of a
// mutex nobody holds does not stay behind. A forked child that ends leaves its parent's alone.
class HeldLockFile {
public:
    HeldLockFile(std::string path, fileio::FileDescriptor lock)
        : path_(std::move(path)), lock_(std::move(lock)), holder_(::getpid()) {}
    HeldLockFile(const HeldLockFile&) = delete;
    HeldLockFile& operator=(const HeldLockFile&) = delete;
    // The lock goes with the descriptor, after the removal.
    ~HeldLockFile() {
        if (::getpid() == holder_) ::unlink(path_.c_str());
    }

private:
    std::string path_;
    fileio::FileDescriptor lock_;
    pid_t holder_;
};

int LockWithoutWaiting(int fd) {
    int result;
    do {
        result = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    return result;
}

// True while path still names the open file: its holder removes it before letting go, so a
// lock taken on a file no longer at the path came too late and guards nothing.
bool StillAtPath(int fd, const std::string& path) {
    struct stat opened {}, named {};
    return ::fstat(fd, &opened) == 0 && ::stat(path.c_str(), &named) == 0 && opened.st_dev == named.st_dev &&
           opened.st_ino == named.st_ino;
}

}  // namespace

MutexCreation CreateNamedMutex(std::u16string_view name) {
    if (name.empty()) return {OpenHandle(HandleKind::Mutex, std::make_shared<int>(0)), ERROR_SUCCESS};
    std::string fileName = LockFileName(name);
    if (fileName.size() > kMaxFileName) return Fail(ERROR_FILENAME_EXCED_RANGE);
    std::string folder;
    if (DWORD error = MutexFolder(folder)) return Fail(error);
    std::string path = folder + "/" + fileName;
    for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
        fileio::FileDescriptor lock(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600));
        if (lock.get() < 0) return Fail(SystemErrorCode(errno));
        if (LockWithoutWaiting(lock.get()) != 0)
            return Fail(errno == EWOULDBLOCK ? ERROR_ALREADY_EXISTS : SystemErrorCode(errno));
        if (StillAtPath(lock.get(), path))
            return {OpenHandle(HandleKind::Mutex, std::make_shared<HeldLockFile>(path, std::move(lock))), ERROR_SUCCESS};
    }
    return Fail(ERROR_ALREADY_EXISTS);
}

DWORD CloseNamedMutex(LONG handle) {
    return CloseHandle(HandleKind::Mutex, handle) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

}  // namespace os
