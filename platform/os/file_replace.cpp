#include "platform/os/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <system_error>
#include <utility>

#include "platform/automation/random_bytes.h"
#include "platform/os/file_descriptor.h"
#include "platform/os/file_io.h"

namespace filereplace {

ReplaceError::ReplaceError(int error, Step step, std::string path)
    : std::runtime_error(std::string(std::strerror(error)) + ": " + path), error_(error), step_(step),
      path_(std::move(path)) {}

namespace {

[[noreturn]] void Fail(Step step, const std::string& path, int error = errno) {
    throw ReplaceError(error, step, path);
}

// A temporary file that is removed again unless it was renamed into place.
class TemporaryFile {
public:
    TemporaryFile(std::string path, int fd) : path_(std::move(path)), fd_(fd) {}
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (!renamed_) ::unlink(path_.c_str());
    }
    const std::string& path() const { return path_; }
    fileio::FileDescriptor& descriptor() { return fd_; }
    void renameTo(const std::string& target) {
        if (::rename(path_.c_str(), target.c_str()) != 0) Fail(Step::Replace, target);
        renamed_ = true;
    }

private:
    std::string path_;
    fileio::FileDescriptor fd_;
    bool renamed_ = false;
};

struct Target {
    std::string path;  // the file to replace, symbolic links resolved
    bool exists = false;
    struct stat status {};
};

std::string FolderOf(const std::string& path) {
    auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ResolvedPath(const std::string& path) {
    struct stat linkStatus {};
    if (::lstat(path.c_str(), &linkStatus) != 0 || !S_ISLNK(linkStatus.st_mode)) return path;
    std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr), &std::free);
    if (!resolved) Fail(Step::Replace, path);
    return resolved.get();
}

// What is at path now. A file that is there must be one this process may write: renaming
// over it would otherwise get round its permissions.
Target ExamineTarget(const std::string& path) {
    Target target;
    target.path = path;
    if (::stat(path.c_str(), &target.status) != 0) {
        if (errno != ENOENT) Fail(Step::Replace, path);
        return target;  // a new file (or its folder is missing, which creating it reports)
    }
    if (S_ISDIR(target.status.st_mode)) Fail(Step::Replace, path, EISDIR);
    if (::access(path.c_str(), W_OK) != 0) Fail(Step::Replace, path);
    target.exists = true;
    target.path = ResolvedPath(path);
    return target;
}

std::string RandomTag() {
    static constexpr char alphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    unsigned char random[6];
    if (!automation::FillRandomBytes(random, sizeof random)) {  // no random source: the pid
        for (unsigned i = 0; i < sizeof random; ++i) random[i] = static_cast<unsigned char>(::getpid() >> (i * 5));
    }
    std::string tag;
    for (unsigned char c : random) tag += alphabet[c % (sizeof alphabet - 1)];
    return tag;
}

// A new, empty file beside the target: ".name.xxxxxx.tmp", the name shortened so that the
// temporary name stays within the file system's limit.
std::unique_ptr<TemporaryFile> CreateTemporaryBeside(const std::string& target) {
    constexpr std::size_t kMaxNameKept = 200;
    std::string prefix = FolderOf(target) + "/." + NameOf(target).substr(0, kMaxNameKept) + ".";
    constexpr int kAttempts = 100;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        std::string path = prefix + RandomTag() + ".tmp";
        int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) return std::make_unique<TemporaryFile>(std::move(path), fd);
        if (errno != EEXIST) Fail(Step::Write, target);
    }
    Fail(Step::Write, target, EEXIST);
}

// Gives the new file the owner (when this process may) and the permission bits of the old one.
void CopyOwnershipAndMode(int fd, const struct stat& old, const std::string& target) {
    struct stat now {};
    if (::fstat(fd, &now) != 0) Fail(Step::Write, target);
    if (now.st_uid != old.st_uid || now.st_gid != old.st_gid) {
        // Only a privileged process may give a file away; others keep their own ownership.
        [[maybe_unused]] int ignored = ::fchown(fd, old.st_uid, old.st_gid);
    }
    if (::fchmod(fd, old.st_mode & 07777) != 0) Fail(Step::Write, target);
}

// Makes the rename itself durable. Some file systems cannot sync a folder; the content is in
// place by then either way, so a failure here is not the write's failure.
void SyncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

struct Replacement::State {
    Target target;
    std::unique_ptr<TemporaryFile> temporary;  // none when the target is written in place
    fileio::FileDescriptor inPlace;
    bool committed = false;
    off_t written = 0;
    off_t queued = 0;  // bytes whose writeback to disk has been started

    int fd() { return temporary ? temporary->descriptor().get() : inPlace.get(); }
    // The new content is flushed to disk before it replaces an old file.
    bool flushes() const { return temporary && target.exists; }
};

Replacement::Replacement(const std::string& path) : state_(std::make_unique<State>()) {
    if (path.empty()) Fail(Step::Write, path, ENOENT);
    State& s = *state_;
    s.target = ExamineTarget(path);
    if (s.target.exists && !S_ISREG(s.target.status.st_mode)) {
        s.inPlace = fileio::FileDescriptor(::open(s.target.path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
        if (s.inPlace.get() < 0) Fail(Step::Write, s.target.path);
        return;
    }
    s.temporary = CreateTemporaryBeside(s.target.path);
    if (s.target.exists) CopyOwnershipAndMode(s.fd(), s.target.status, s.target.path);
}

Replacement::~Replacement() = default;

void Replacement::write(std::string_view bytes) {
    State& s = *state_;
    try {
        fileio::WriteAll(s.fd(), bytes);
    } catch (const std::system_error& error) {
        Fail(Step::Write, s.target.path, error.code().value());
    }
    s.written += off_t(bytes.size());
    // Writeback starts while the rest is still being made, so the flush at commit has little
    // left to wait for. Only a hint: a file system without it flushes everything at commit.
    constexpr off_t kWritebackStep = 4 << 20;
    if (s.flushes() && s.written - s.queued >= kWritebackStep) {
        ::sync_file_range(s.fd(), s.queued, s.written - s.queued, SYNC_FILE_RANGE_WRITE);
        s.queued = s.written;
    }
}

void Replacement::commit() {
    State& s = *state_;
    if (s.committed) return;
    s.committed = true;
    if (!s.temporary) {
        if (s.inPlace.close() != 0) Fail(Step::Write, s.target.path);
        return;
    }
    if (s.flushes() && ::fsync(s.fd()) != 0) Fail(Step::Write, s.target.path);
    if (s.temporary->descriptor().close() != 0) Fail(Step::Write, s.target.path);
    s.temporary->renameTo(s.target.path);
    if (s.flushes()) SyncFolder(FolderOf(s.target.path));
}

void ReplaceFileContent(const std::string& path, std::string_view bytes, const ProgressHook& hook) {
    Replacement replacement(path);
    for (std::size_t written = 0; written < bytes.size();) {
        std::size_t block = std::min(kBlockSize, bytes.size() - written);
        replacement.write(bytes.substr(written, block));
        written += block;
        if (hook) hook(written);
    }
    replacement.commit();
}

}  // namespace filereplace
