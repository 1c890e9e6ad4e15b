// Helpers for the tests of the System class's file services.
#pragma once

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "platform/automation/error.h"
#include "tests/support/raised_error.h"
#include "tests/support/temp_dir.h"

namespace systemtest {

inline std::u16string U(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }
inline std::u16string U(const std::filesystem::path& path) { return U(path.string()); }

inline std::string FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline mode_t ModeOf(const std::filesystem::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return 0;
    return status.st_mode & 07777;
}

inline std::size_t EntryCount(const std::filesystem::path& folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

using testsupport::ErrorOf;

// Sets TAVREL_ACP for as long as it lives.
class AnsiCodePage {
public:
    explicit AnsiCodePage(const char* codePage) { setenv("TAVREL_ACP", codePage, 1); }
    ~AnsiCodePage() { unsetenv("TAVREL_ACP"); }
};

// Runs body in a child process and gives its exit status (-signal when a signal ended it). With
// unprivileged set, a child of root first becomes the user nobody, so that permissions apply.
inline int RunInChild(const std::function<int()>& body, bool unprivileged = false) {
    constexpr int kCannotDropPrivileges = 250;
    pid_t child = ::fork();
    if (child == 0) {
        if (unprivileged && ::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(kCannotDropPrivileges);
        ::_exit(body());
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child) return -1000;
    return WIFSIGNALED(status) ? -WTERMSIG(status) : WEXITSTATUS(status);
}

// A registry store of the test's own with the given component modules registered in it.
class RegisteredModules {
public:
    explicit RegisteredModules(std::initializer_list<const char*> modules) {
        for (const char* module : modules) {
            void* handle = ::dlopen(module, RTLD_NOW | RTLD_LOCAL);
            auto registerServer = handle ? reinterpret_cast<long (*)()>(::dlsym(handle, "DllRegisterServer")) : nullptr;
            EXPECT_TRUE(registerServer && registerServer() == 0) << module;
            if (handle) ::dlclose(handle);
        }
    }

private:
    testsupport::TempRegistry registry_;
};

}  // namespace systemtest
