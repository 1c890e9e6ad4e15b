// UTF-16 text as ASCII for test messages: other units show as '?'.
#pragma once

#include <string>
#include <string_view>

namespace testsupport {

inline std::string Narrow(std::u16string_view text) {
    std::string result;
    for (char16_t c : text) result += c < 128 ? char(c) : '?';
    return result;
}

}  // namespace testsupport
