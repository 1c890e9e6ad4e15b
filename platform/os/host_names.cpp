#include "platform/os/host_names.h"

#include <pwd.h>
#include <unistd.h>

#include <vector>

#include "platform/text/codepage.h"

namespace os {

std::optional<std::u16string> ComputerName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0) return std::nullopt;
    return text::AnsiToText(name);
}

std::optional<std::u16string> UserName() {
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found) return std::nullopt;
    return text::AnsiToText(found->pw_name);
}

}  // namespace os
