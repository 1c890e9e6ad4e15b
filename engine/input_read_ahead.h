// An input file read on a thread of its own while the program does its other first steps
// (checking its modules, reading the definition): the text, or the failure, is the one a read
// at the time of asking gives.
#pragma once

#include <atomic>
#include <future>
#include <string>

#include "platform/os/file_io.h"

namespace engine {

class InputReadAhead {
public:
    // Starts reading when path names a regular file; anything else (a pipe, a device, a missing
    // file) is read only when taken, as it may wait for a writer or fail.
    explicit InputReadAhead(std::u16string path);
    // A read nobody took stops at its next piece.
    ~InputReadAhead();
    InputReadAhead(const InputReadAhead&) = delete;
    InputReadAhead& operator=(const InputReadAhead&) = delete;

    const std::u16string& path() const { return path_; }
    // The text. stop is asked while the read is under way (on this thread, so it may process
    // events); when it answers true the read ends with fileio::ReadStopped. A second take reads
    // the file again.
    std::u16string take(const fileio::StopRequest& stop = {});

private:
    std::u16string path_;
    std::atomic<bool> abandoned_{false};
    std::future<std::u16string> ahead_;  // destroyed first: it waits for the read
};

}  // namespace engine
