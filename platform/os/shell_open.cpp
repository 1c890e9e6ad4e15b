#include "platform/os/shell_open.h"

#include <sys/stat.h>

#include <string>
#include <system_error>

#include "platform/text/codepage.h"

namespace os {
namespace {

// "scheme:" with a scheme of two characters or more (a single letter is a drive).
bool IsAddress(std::string_view target) {
    size_t colon = target.find(':');
    if (colon == std::string_view::npos || colon < 2) return false;
    for (size_t i = 0; i < colon; ++i) {
        char c = target[i];
        bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (i > 0 && ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.'));
        if (!ok) return false;
    }
    return true;
}

bool Exists(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0;
}

// A relative path goes as ./path, so that a name beginning with "-" cannot pass for an option.
std::string OpenerArgument(std::string target) {
    if (IsAddress(target) || target[0] == '/') return target;
    return "./" + target;
}

}  // namespace

std::shared_ptr<ChildProcess> StartShellOpen(std::u16string_view target) {
    std::string bytes = text::TextToAnsi(target);
    if (bytes.empty() || bytes.find('\0') != std::string::npos) return nullptr;
    if (!IsAddress(bytes) && !Exists(bytes)) return nullptr;
    try {
        return StartProcess({"xdg-open", OpenerArgument(std::move(bytes))});
    } catch (const std::system_error&) {
        return nullptr;
    }
}

}  // namespace os
