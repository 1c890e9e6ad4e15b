#include "platform/os/process.h"

#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

// glibc 2.36 declares these without C linkage.
extern "C" {
#include <sys/pidfd.h>
}

#include <algorithm>
#include <cerrno>
#include <mutex>
#include <system_error>

extern char** environ;

namespace os {
namespace {

// Children whose owners let go before they ended, reaped once they have.
struct Released {
    std::mutex lock;
    std::vector<std::unique_ptr<fileio::FileDescriptor>> pidfds;
};

Released& ReleasedChildren() {
    static Released released;
    return released;
}

// Reaps the child if it has ended; true when nothing is left to wait for. With status, its
// exit status goes there.
bool Reap(int pidfd, int* status = nullptr) {
    siginfo_t info{};
    if (::waitid(static_cast<idtype_t>(P_PIDFD), static_cast<id_t>(pidfd), &info, WEXITED | WNOHANG) != 0)
        return errno == ECHILD;  // reaped already, or not our child
    if (info.si_pid == 0) return false;
    if (status) *status = info.si_code == CLD_EXITED ? info.si_status : 128 + info.si_status;
    return true;
}

void ReapReleasedChildren() {
    Released& released = ReleasedChildren();
    std::lock_guard guard(released.lock);
    std::erase_if(released.pidfds, [](const auto& fd) { return Reap(fd->get()); });
}

}  // namespace

ChildProcess::~ChildProcess() {
    if (status_ >= 0 || Reap(pidfd_->get())) return;
    Released& released = ReleasedChildren();
    std::lock_guard guard(released.lock);
    released.pidfds.push_back(std::move(pidfd_));
}

bool ChildProcess::waitForEnd(std::chrono::milliseconds timeout) const {
    pollfd entry{pidfd_->get(), POLLIN, 0};
    int result;
    do {
        result = ::poll(&entry, 1, static_cast<int>(timeout.count()));
    } while (result < 0 && errno == EINTR);
    return result > 0;
}

int ChildProcess::exitStatus() {
    if (status_ < 0 && waitForEnd(std::chrono::milliseconds(-1))) Reap(pidfd_->get(), &status_);
    return status_;
}

std::shared_ptr<ChildProcess> StartProcess(const std::vector<std::string>& argv) {
    ReapReleasedChildren();
    if (argv.empty() || argv[0].empty()) throw std::system_error(ENOENT, std::generic_category());
    std::vector<char*> arguments;
    for (const std::string& argument : argv) arguments.push_back(const_cast<char*>(argument.c_str()));
    arguments.push_back(nullptr);
    pid_t pid = 0;
    int error = ::posix_spawnp(&pid, arguments[0], nullptr, nullptr, arguments.data(), environ);
    if (error != 0) throw std::system_error(error, std::generic_category());
    // The child is ours and not reaped, so its id cannot have been reused yet.
    int pidfd = ::pidfd_open(pid, 0);
    if (pidfd < 0) {
        error = errno;
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        throw std::system_error(error, std::generic_category());
    }
    return std::make_shared<ChildProcess>(pid, pidfd);
}

bool KillProcess(pid_t pid) {
    if (pid <= 0) return false;
    fileio::FileDescriptor pidfd(::pidfd_open(pid, 0));
    return pidfd.get() >= 0 && ::pidfd_send_signal(pidfd.get(), SIGKILL, nullptr, 0) == 0;
}

unsigned UsableProcessors() {
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof(set), &set) != 0) return 1;
    return unsigned(std::max(CPU_COUNT(&set), 1));
}

std::filesystem::path ProgramFolder() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : program.parent_path();
}

}  // namespace os
