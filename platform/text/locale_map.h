// Locale string mapping: case, width and kana mapping of UTF-16 text for a locale (LCID), the
// locale's ICU name and its ANSI code page.
//
// Case mapping is the platform's default one: each code point maps to one code point (ICU's
// simple case mapping), the same for every locale. Width and kana mapping follow the platform:
//   full width: ASCII 0x21-0x7E to U+FF01-U+FF5E, space to U+3000, the narrow signs and
//     half-width katakana and Hangul to their wide forms; a half-width kana followed by the
//     half-width (semi-)voiced mark becomes one voiced kana (U+FF76 U+FF9E to U+30AC).
//   half width: the reverse; a voiced katakana becomes two characters (U+30AC to U+FF76 U+FF9E).
//   katakana / hiragana: U+3041-U+3096 and U+309D-U+309E against U+30A1-U+30F6 and
//     U+30FD-U+30FE.
// LCID 0, LOCALE_USER_DEFAULT and LOCALE_SYSTEM_DEFAULT stand for the process locale (LC_ALL,
// LC_CTYPE or LANG; en_US for C and POSIX). An LCID that ICU does not know fails with
// ERROR_INVALID_PARAMETER.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/text/codepage.h"

constexpr DWORD LCMAP_LOWERCASE = 0x00000100;
constexpr DWORD LCMAP_UPPERCASE = 0x00000200;
constexpr DWORD LCMAP_TITLECASE = 0x00000300;  // first letter of each word upper, the rest lower
constexpr DWORD LCMAP_HIRAGANA = 0x00100000;
constexpr DWORD LCMAP_KATAKANA = 0x00200000;
constexpr DWORD LCMAP_HALFWIDTH = 0x00400000;
constexpr DWORD LCMAP_FULLWIDTH = 0x00800000;

// Maps text with any sensible combination of the flags above (not hiragana with katakana, not
// half with full width): full width first, then kana, then half width, then case. Counts as in
// MultiByteToWideChar (-1: null-terminated, the null included; output size 0 asks for the size).
// 0 on failure: ERROR_INVALID_FLAGS for other or contradicting flags, ERROR_INVALID_PARAMETER
// for an unknown LCID or bad counts, ERROR_INSUFFICIENT_BUFFER.
int LCMapStringW(LCID Locale, DWORD dwMapFlags, LPCWSTR lpSrcStr, int cchSrc, LPWSTR lpDestStr, int cchDest);

// The process locale's LCID (0x0409 for C and POSIX).
LCID GetUserDefaultLCID();
LCID GetSystemDefaultLCID();

namespace text {

// LCMapStringW for whole strings; raises ComError 5 (invalid procedure call or argument) where
// LCMapStringW fails.
std::u16string MapString(std::u16string_view source, DWORD flags, LCID lcid = 0);

// Title case: every word's first character upper case and its other letters lower case, words
// separated by space, tab, line feed, vertical tab, form feed, carriage return or U+0000.
std::u16string TitleCase(std::u16string_view source);

// The ICU locale name of an LCID ("de_DE", "zh_Hant_TW"); nothing for an unknown LCID.
std::optional<std::string> LocaleNameForLcid(LCID lcid);

// The ANSI code page of an LCID's locale: 932 Japanese, 936 Chinese (PRC, Singapore),
// 950 Chinese (Taiwan, Hong Kong, Macao), 949 Korean, 874 Thai, 1250 Central European,
// 1251 Cyrillic, 1253 Greek, 1254 Turkish, 1255 Hebrew, 1256 Arabic, 1257 Baltic,
// 1258 Vietnamese, 1252 for the rest; nothing for an unknown LCID.
std::optional<UINT> AnsiCodePageForLcid(LCID lcid);

}  // namespace text
