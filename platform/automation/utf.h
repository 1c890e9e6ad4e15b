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

// A byte 0x80..0xFF that was not UTF-8 where it was read, kept as the unit U+DC80..U+DCFF.
inline constexpr char16_t kLosslessByteBase = 0xDC00;  // + the byte
constexpr bool IsLosslessByte(char16_t unit) { return unit >= kLosslessByteBase + 0x80 && unit <= kLosslessByteBase + 0xFF; }

// Writes the code point at `to` as one code unit, or as a surrogate pair above U+FFFF; returns
// the end of what was written.
inline char16_t* PutUtf16(char16_t* to, char32_t c) {
    if (c < 0x10000) {
        *to++ = char16_t(c);
    } else {
        c -= 0x10000;
        *to++ = char16_t(0xD800 + (c >> 10));
        *to++ = char16_t(0xDC00 + (c & 0x3FF));
    }
    return to;
}
// The same in UTF-8: one to four bytes.
inline char* PutUtf8(char* to, char32_t c) {
    if (c < 0x80) {
        *to++ = char(c);
    } else if (c < 0x800) {
        *to++ = char(0xC0 | (c >> 6));
        *to++ = char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        *to++ = char(0xE0 | (c >> 12));
        *to++ = char(0x80 | ((c >> 6) & 0x3F));
        *to++ = char(0x80 | (c & 0x3F));
    } else {
        *to++ = char(0xF0 | (c >> 18));
        *to++ = char(0x80 | ((c >> 12) & 0x3F));
        *to++ = char(0x80 | ((c >> 6) & 0x3F));
        *to++ = char(0x80 | (c & 0x3F));
    }
    return to;
}

// Appends the code point (PutUtf16, PutUtf8).
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
