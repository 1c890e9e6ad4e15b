// Replacing a file's whole content so that a failure or a crash part-way never leaves a
// truncated file in place of the old one: the new bytes go to a temporary file in the same
// folder, which is flushed to disk and then renamed over the target. The target keeps its
// permissions; a new file gets the usual ones (0666 less the umask). A new file is renamed into
// place unflushed, as the system writes any file: a crash can then lose only the bytes just
// written, never what was there, and the flush (tens of milliseconds for a large output) is
// paid only where it protects something.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace filereplace {

// Where a replacement failed: while the new content was being written (the temporary file,
// or the file itself when it cannot be replaced by a rename), or while the existing target was
// examined or replaced.
enum class Step { Write, Replace };

class ReplaceError : public std::runtime_error {
public:
    ReplaceError(int error, Step step, std::string path);
    int error() const { return error_; }  // errno
    Step step() const { return step_; }
    const std::string& path() const { return path_; }  // the path the failed call was given

private:
    int error_;
    Step step_;
    std::string path_;
};

// Called after each block written, with the count of bytes written so far (tests use it to
// interrupt a write).
using ProgressHook = std::function<void(std::size_t written)>;

inline constexpr std::size_t kBlockSize = std::size_t(1) << 20;

// Whether a new file may take the place of whatever is at the target when it is put there.
// Keep: only if nothing is there, then or when the replacement begins; otherwise EEXIST and
// the target stays as it is.
enum class IfPresent { Replace, Keep };

// A file's new content written in pieces: the bytes go to a temporary file beside the target,
// which replaces the target on commit. Until then the target is as it was; destroyed without a
// commit, the replacement removes its temporary file. A symbolic link to an existing file is
// followed and that file is replaced; a dangling one is replaced itself. A target that exists
// but is not a regular file (a device, a pipe) cannot be renamed over: it is opened and written
// in place. So is an existing file in a folder where no new file can be made, with the new
// content held until commit. Every call raises ReplaceError.
//
// The temporary file is ".name.<pid>-<tag>.tmp", the writer's process id in it: a replacement
// removes those of the folder whose writer no longer runs (one killed before it could).
class Replacement {
public:
    explicit Replacement(const std::string& path, IfPresent ifPresent = IfPresent::Replace);  // a file-system path
    Replacement(const Replacement&) = delete;
    Replacement& operator=(const Replacement&) = delete;
    ~Replacement();

    void write(std::string_view bytes);
    // Renames the new content over the target, flushed to disk first when the target existed.
    // Call once.
    void commit();

private:
    struct State;
    std::unique_ptr<State> state_;
};

// Makes bytes the whole content of the file at path, as one Replacement does, written a block at
// a time (the hook hears after each).
void ReplaceFileContent(const std::string& path, std::string_view bytes, const ProgressHook& hook = {});

// From now on, a termination request (SIGTERM, or SIGHUP when not ignored) first removes the
// temporary files of the replacements under way, then ends the process as the signal would.
void RemoveTemporaryFilesWhenTerminated();

}  // namespace filereplace
