// Child processes started with posix_spawn and known by a pidfd, so that waits and signals
// reach the very process that was started even when its id has been reused since.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/os/file_descriptor.h"

namespace os {

class ChildProcess {
public:
    ChildProcess(pid_t pid, int pidfd) : pid_(pid), pidfd_(std::make_unique<fileio::FileDescriptor>(pidfd)) {}
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    // A child that has not ended is reaped later, when it has, so that it leaves no zombie.
    ~ChildProcess();

    pid_t pid() const { return pid_; }
    // True when the process has ended by the time the wait is over; a zero wait only looks.
    bool waitForEnd(std::chrono::milliseconds timeout) const;
    // Once it has ended: its exit status, or 128 + the signal that ended it.
    int exitStatus();

private:
    pid_t pid_;
    int status_ = -1;  // when reaped
    std::unique_ptr<fileio::FileDescriptor> pidfd_;
};

// How many processors this process may run on (its affinity mask; at least 1).
unsigned UsableProcessors();

// The folder that holds the running program (empty when it cannot be known): where the
// definitions, help pages and component modules beside it are found.
std::filesystem::path ProgramFolder();

// Starts argv[0] (looked up in PATH when it holds no slash) with argv as its arguments, the
// caller's environment and current folder, and the descriptors that are not close-on-exec.
// Raises std::system_error with the errno of the failed start.
std::shared_ptr<ChildProcess> StartProcess(const std::vector<std::string>& argv);

// Kills the process with that id (SIGKILL: it ends at once and cannot set an exit code). False
// when there is no such process or it may not be signalled.
bool KillProcess(pid_t pid);

}  // namespace os
