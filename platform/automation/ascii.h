// Characters of the ASCII range as the platform reads them in names, numbers and GUIDs: case
// folds only the letters A to Z, and hexadecimal digits are read in either case.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace automation {

constexpr bool IsAsciiDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
constexpr bool IsAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
constexpr char16_t AsciiUpper(char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - u'a' + u'A') : c; }
constexpr char16_t AsciiLower(char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c; }

// The value of a hexadecimal digit in either case; -1 for any other character.
constexpr int HexDigitValue(char16_t c) {
    if (IsAsciiDigit(c)) return c - u'0';
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    return -1;
}

constexpr bool EqualIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
    return true;
}

inline std::u16string AsciiUppercase(std::u16string_view text) {
    std::u16string upper(text);
    for (char16_t& c : upper) c = AsciiUpper(c);
    return upper;
}

// The value in upper-case hexadecimal digits, with leading zeros up to minDigits.
inline std::u16string UpperHex(uint64_t value, size_t minDigits = 1) {
    constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    std::u16string text;
    do {
        text.insert(text.begin(), kDigits[value & 0xF]);
        value >>= 4;
    } while (value != 0 || text.size() < minDigits);
    return text;
}

// The value in decimal digits.
inline std::u16string DecimalDigits(uint64_t value) {
    std::u16string text;
    do {
        text.insert(text.begin(), char16_t(u'0' + value % 10));
        value /= 10;
    } while (value != 0);
    return text;
}

}  // namespace automation
