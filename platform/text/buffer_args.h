// Inside the text service: the count and buffer rules that the platform's conversion calls
// share. A count of -1 means a null-terminated input whose null is counted too; an output size
// of 0 asks for the size needed.
#pragma once

#include <algorithm>
#include <climits>
#include <string>
#include <string_view>

#include "platform/automation/system_errors.h"

namespace text::detail {

constexpr DWORD kErrorArithmeticOverflow = 534;

inline int Fail(DWORD error) {
    SetLastError(error);
    return 0;
}

// An input pointer and count, and an output buffer and size, that no call accepts.
inline bool BadCounts(const void* input, int inputCount, const void* output, int outputCount) {
    return !input || inputCount == 0 || inputCount < -1 || outputCount < 0 || (outputCount > 0 && !output);
}

template <typename Char>
std::basic_string_view<Char> InputOf(const Char* text, int count) {
    if (count != -1) return {text, static_cast<size_t>(count)};
    return {text, std::char_traits<Char>::length(text) + 1};
}

// Writes a result to the caller's buffer, or only reports its size when the size given is 0.
template <typename String>
int CopyOut(const String& result, typename String::value_type* buffer, int bufferSize) {
    if (result.size() > static_cast<size_t>(INT_MAX)) return Fail(kErrorArithmeticOverflow);
    int size = static_cast<int>(result.size());
    if (bufferSize == 0) return size;
    if (size > bufferSize) return Fail(ERROR_INSUFFICIENT_BUFFER);
    std::copy(result.begin(), result.end(), buffer);
    return size;
}

}  // namespace text::detail
