// UTF-8 and UTF-16 forms of code points: one implementation for the platform's own texts (error
// messages, the locale's names, the registry store's file name) and for code page 65001.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace automation {

constexpr bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }
constexpr bool IsLeadSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
constexpr bool IsTrailSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
constexpr char32_t CodePointOfPair(char16_t lead, char16_t trail) {
    return 0x10000 + ((char32_t(lead) - 0xD800) << 10) + (char32_t(trail) - 0xDC00);
}

// Appends the code point as one code unit, or as a surrogate pair above U+FFFF.
void AppendUtf16(std::u16string& out, char32_t codePoint);
void AppendUtf8(std::string& out, char32_t codePoint);

// The code point of the well-formed UTF-8 sequence at the start of bytes, and its length;
// length 0 when there is none there (overlong forms, encoded surrogates and values above
// U+10FFFF are not well-formed).
struct Utf8Sequence {
    char32_t codePoint = 0;
    size_t length = 0;
};
Utf8Sequence ReadUtf8Sequence(std::string_view bytes);

// Keeps every byte: one that belongs to no well-formed sequence becomes U+DC80 + (byte - 0x80).
std::u16string Utf8ToUtf16(std::string_view bytes);
// For messages: an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace automation
