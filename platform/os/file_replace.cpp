#include "platform/os/file_replace.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
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

// ---- temporary files removed when the process is told to end ----

// The paths of this process's temporary files in fixed slots, so that a signal handler can
// remove them without allocating or locking.
struct TrackedPath {
    std::atomic<bool> live{false};
    char path[PATH_MAX]{};  // zeroed: the slots then need no code at start-up
};
constexpr int kTrackedPaths = 16;
TrackedPath gTracked[kTrackedPaths];
std::mutex gTrackingLock;  // orders the registrations; the handler does without it

// The slot that now holds path, or -1 when none is free (the file is then left to the removal
// of abandoned temporary files).
int Track(const std::string& path) {
    if (path.size() >= PATH_MAX) return -1;
    std::lock_guard guard(gTrackingLock);
    for (int slot = 0; slot < kTrackedPaths; ++slot) {
        if (gTracked[slot].live.load()) continue;
        std::memcpy(gTracked[slot].path, path.c_str(), path.size() + 1);
        gTracked[slot].live.store(true);
        return slot;
    }
    return -1;
}

void Untrack(int slot) {
    if (slot >= 0) gTracked[slot].live.store(false);
}

extern "C" void RemoveTrackedAndEnd(int signal) {
    for (TrackedPath& tracked : gTracked)
        if (tracked.live.load()) ::unlink(tracked.path);
    ::signal(signal, SIG_DFL);
    ::raise(signal);  // ends the process as the signal would have, once the handler returns
}

// A temporary file that is removed again unless it was moved into place.
class TemporaryFile {
public:
    TemporaryFile(std::string path, int fd) : path_(std::move(path)), fd_(fd), slot_(Track(path_)) {}
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (!moved_) ::unlink(path_.c_str());
        Untrack(slot_);
    }
    const std::string& path() const { return path_; }
    fileio::FileDescriptor& descriptor() { return fd_; }
    void renameTo(const std::string& target) {
        if (::rename(path_.c_str(), target.c_str()) != 0) Fail(Step::Replace, target);
        moved_ = true;
    }
    // Moves the file to target only if nothing has that name; EEXIST otherwise.
    void moveToFreeName(const std::string& target) {
        if (::renameat2(AT_FDCWD, path_.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) != 0) {
            if (errno != EINVAL && errno != ENOSYS) Fail(Step::Replace, target);
            linkToFreeName(target);
        }
        moved_ = true;
    }

private:
    // For a file system without that rename: a second name, which a link makes only when it is
    // free; without links either, a look just before the rename.
    void linkToFreeName(const std::string& target) {
        if (::link(path_.c_str(), target.c_str()) == 0) {
            ::unlink(path_.c_str());
            return;
        }
        if (errno != EPERM && errno != ENOSYS && errno != EOPNOTSUPP) Fail(Step::Replace, target);
        struct stat status {};
        if (::lstat(target.c_str(), &status) == 0) Fail(Step::Replace, target, EEXIST);
        renameTo(target);
    }

    std::string path_;
    fileio::FileDescriptor fd_;
    int slot_;
    bool moved_ = false;
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

// A temporary file is named ".name.<pid>-<tag>.tmp": the writer's process id tells a later
// writer whether it is still being written.
constexpr std::size_t kTagLength = 6;
constexpr std::string_view kTemporarySuffix = ".tmp";

std::string RandomTag() {
    static constexpr char alphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    unsigned char random[kTagLength];
    if (!automation::FillRandomBytes(random, sizeof random)) {  // no random source: the pid
        for (unsigned i = 0; i < sizeof random; ++i) random[i] = static_cast<unsigned char>(::getpid() >> (i * 5));
    }
    std::string tag;
    for (unsigned char c : random) tag += alphabet[c % (sizeof alphabet - 1)];
    return tag;
}

bool IsTagCharacter(char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); }

// The process id in the name of a temporary file of that form; 0 for any other name.
pid_t WriterOf(std::string_view name) {
    if (name.size() < 2 || name[0] != '.' || !name.ends_with(kTemporarySuffix)) return 0;
    name.remove_suffix(kTemporarySuffix.size());
    if (name.size() < kTagLength + 1) return 0;
    std::string_view tag = name.substr(name.size() - kTagLength);
    if (!std::all_of(tag.begin(), tag.end(), IsTagCharacter)) return 0;
    name.remove_suffix(kTagLength);
    if (!name.ends_with('-')) return 0;
    name.remove_suffix(1);
    auto dot = name.rfind('.');
    if (dot == std::string_view::npos || dot < 2) return 0;  // ".", at least one character, "."
    std::string_view digits = name.substr(dot + 1);
    pid_t pid = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), pid);
    if (error != std::errc() || end != digits.data() + digits.size()) return 0;
    return pid > 0 ? pid : 0;
}

bool IsRunning(pid_t pid) { return ::kill(pid, 0) == 0 || errno == EPERM; }

// Removes the temporary files in folder whose writers ended without removing them (killed).
void RemoveAbandonedTemporaries(const std::string& folder) {
    struct Closer {
        void operator()(DIR* dir) const { ::closedir(dir); }
    };
    std::unique_ptr<DIR, Closer> dir(::opendir(folder.c_str()));
    if (!dir) return;
    while (const dirent* entry = ::readdir(dir.get())) {
        pid_t writer = WriterOf(entry->d_name);
        if (writer != 0 && !IsRunning(writer)) ::unlinkat(::dirfd(dir.get()), entry->d_name, 0);
    }
}

// A new, empty file beside the target, the target's name shortened so that the temporary name
// stays within the file system's limit.
std::unique_ptr<TemporaryFile> CreateTemporaryBeside(const std::string& target) {
    constexpr std::size_t kMaxNameKept = 200;
    std::string prefix =
        FolderOf(target) + "/." + NameOf(target).substr(0, kMaxNameKept) + "." + std::to_string(::getpid()) + "-";
    constexpr int kAttempts = 100;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        std::string path = prefix + RandomTag() + std::string(kTemporarySuffix);
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
    IfPresent ifPresent = IfPresent::Replace;
    std::unique_ptr<TemporaryFile> temporary;  // none when the target is written in place
    fileio::FileDescriptor inPlace;
    bool holdsContent = false;  // written in place at commit only, so that it stays whole until then
    std::string held;
    bool committed = false;
    off_t written = 0;
    off_t queued = 0;  // bytes whose writeback to disk has been started

    int fd() { return temporary ? temporary->descriptor().get() : inPlace.get(); }
    // The new content is flushed to disk before it replaces an old file.
    bool flushes() const { return temporary && target.exists; }

    void openInPlace(int flags) {
        inPlace = fileio::FileDescriptor(::open(target.path.c_str(), O_WRONLY | O_CLOEXEC | flags));
        if (inPlace.get() < 0) Fail(Step::Write, target.path);
    }
    void writeHeldContent() {
        try {
            fileio::WriteAll(inPlace.get(), held);
        } catch (const std::system_error& error) {
            Fail(Step::Write, target.path, error.code().value());
        }
        if (::ftruncate(inPlace.get(), off_t(held.size())) != 0) Fail(Step::Write, target.path);
    }
};

Replacement::Replacement(const std::string& path, IfPresent ifPresent) : state_(std::make_unique<State>()) {
    if (path.empty()) Fail(Step::Write, path, ENOENT);
    State& s = *state_;
    s.ifPresent = ifPresent;
    s.target = ExamineTarget(path);
    struct stat entry {};
    if (ifPresent == IfPresent::Keep && ::lstat(path.c_str(), &entry) == 0) Fail(Step::Replace, path, EEXIST);
    if (s.target.exists && !S_ISREG(s.target.status.st_mode)) {
        s.openInPlace(O_TRUNC);
        return;
    }
    RemoveAbandonedTemporaries(FolderOf(s.target.path));
    try {
        s.temporary = CreateTemporaryBeside(s.target.path);
    } catch (const ReplaceError& error) {
        // A folder that takes no new file, holding a file that may be written: that file is
        // written in place, as a plain write would.
        if (!s.target.exists || (error.error() != EACCES && error.error() != EPERM)) throw;
        s.openInPlace(0);
        s.holdsContent = true;
        return;
    }
    if (s.target.exists) CopyOwnershipAndMode(s.fd(), s.target.status, s.target.path);
}

Replacement::~Replacement() = default;

void Replacement::write(std::string_view bytes) {
    State& s = *state_;
    if (s.holdsContent) {
        s.held.append(bytes);
        return;
    }
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
        if (s.holdsContent) s.writeHeldContent();
        if (s.inPlace.close() != 0) Fail(Step::Write, s.target.path);
        return;
    }
    if (s.flushes() && ::fsync(s.fd()) != 0) Fail(Step::Write, s.target.path);
    if (s.temporary->descriptor().close() != 0) Fail(Step::Write, s.target.path);
    if (s.ifPresent == IfPresent::Keep) {
        s.temporary->moveToFreeName(s.target.path);
        return;
    }
    s.temporary->renameTo(s.target.path);
    if (s.flushes()) SyncFolder(FolderOf(s.target.path));
}

void RemoveTemporaryFilesWhenTerminated() {
    for (int signal : {SIGTERM, SIGHUP}) {
        struct sigaction current {};
        // A signal that is ignored (nohup) or handled elsewhere is left so.
        if (::sigaction(signal, nullptr, &current) != 0 || current.sa_handler != SIG_DFL) continue;
        struct sigaction action {};
        action.sa_handler = RemoveTrackedAndEnd;
        sigemptyset(&action.sa_mask);
        ::sigaction(signal, &action, nullptr);
    }
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
