// Code pages: the system's ANSI and OEM code pages and conversion between their bytes and
// UTF-16, with the platform's calls and results.
//
// The ANSI code page is TAVREL_ACP when that names an available code page, otherwise the one of
// the locale's codeset (LC_ALL, LC_CTYPE, LANG; UTF-8, C and POSIX give 65001). The OEM code page
// is TAVREL_OEMCP, default 437. Both are read from the environment on every call.
//
// 1252, 850 and 437 convert through exact tables (1252's undefined bytes 0x81, 0x8D, 0x8F, 0x90
// and 0x9D stand for U+0081 and so on, both ways). 65001 keeps every byte: a byte that is not
// part of valid UTF-8 becomes U+DC80 + (byte - 0x80) and turns back into that byte on the way
// out; any other unpaired surrogate goes out as U+FFFD. The other code pages come from ICU.
// Characters a code page lacks become its default character "?" (no best fit); bytes a code
// page leaves undefined become "?" too.
#pragma once

#include <string>
#include <string_view>

#include "platform/automation/types.h"
#include "platform/automation/system_errors.h"

typedef char16_t WCHAR;
typedef WCHAR* LPWSTR;
typedef const WCHAR* LPCWSTR;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef BOOL* LPBOOL;

constexpr UINT CP_ACP = 0;
constexpr UINT CP_OEMCP = 1;
constexpr UINT CP_MACCP = 2;        // 10000
constexpr UINT CP_THREAD_ACP = 3;  // the ANSI code page
constexpr UINT CP_UTF8 = 65001;

// MultiByteToWideChar flags. MB_PRECOMPOSED is what happens anyway; MB_ERR_INVALID_CHARS makes
// a byte sequence the code page does not define fail with ERROR_NO_UNICODE_TRANSLATION (with
// 65001 instead of becoming U+DC80 + byte). Other flags fail with ERROR_INVALID_FLAGS.
constexpr DWORD MB_PRECOMPOSED = 0x1;
constexpr DWORD MB_COMPOSITE = 0x2;
constexpr DWORD MB_USEGLYPHCHARS = 0x4;
constexpr DWORD MB_ERR_INVALID_CHARS = 0x8;

// WideCharToMultiByte flags. WC_NO_BEST_FIT_CHARS is what happens anyway; WC_ERR_INVALID_CHARS
// (65001 only) makes every unpaired surrogate fail with ERROR_NO_UNICODE_TRANSLATION. Other
// flags fail with ERROR_INVALID_FLAGS.
constexpr DWORD WC_COMPOSITECHECK = 0x200;
constexpr DWORD WC_DISCARDNS = 0x10;
constexpr DWORD WC_SEPCHARS = 0x20;
constexpr DWORD WC_DEFAULTCHAR = 0x40;
constexpr DWORD WC_ERR_INVALID_CHARS = 0x80;
constexpr DWORD WC_NO_BEST_FIT_CHARS = 0x400;

UINT GetACP();
UINT GetOEMCP();
// True for a code page number that converts here (not for CP_ACP and the other aliases).
BOOL IsValidCodePage(UINT CodePage);

// Counts of -1 mean a null-terminated input whose null is converted and counted too; an output
// size of 0 asks for the size needed. A result of 0 is a failure, with GetLastError telling
// which: ERROR_INVALID_PARAMETER (87) for a bad code page, pointer or count,
// ERROR_INSUFFICIENT_BUFFER when the output does not fit (nothing is written then),
// ERROR_INVALID_FLAGS, ERROR_NO_UNICODE_TRANSLATION.
int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
                        LPWSTR lpWideCharStr, int cchWideChar);
// lpDefaultChar: the character written for a missing one (null for "?"); lpUsedDefaultChar,
// when given, tells whether that happened. Both must be null for 65001.
int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar,
                        LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar,
                        LPBOOL lpUsedDefaultChar);

// Translate cchDstLength bytes between the OEM and the ANSI code page (through UTF-16, with the
// code pages current at the call). A character the target lacks becomes "?". lpszSrc and
// lpszDst may be the same buffer. At most cchDstLength bytes are written: where the target
// needs more bytes than the source (UTF-8), the translation is cut there; where it needs fewer
// (a double-byte character that becomes "?"), the bytes after it are left as they were.
// FALSE, with ERROR_INVALID_PARAMETER, only for a null pointer.
BOOL OemToCharBuffA(LPCSTR lpszSrc, LPSTR lpszDst, DWORD cchDstLength);
BOOL CharToOemBuffA(LPCSTR lpszSrc, LPSTR lpszDst, DWORD cchDstLength);

namespace text {

// The same conversions for whole strings. codePage may be CP_ACP, CP_OEMCP and the other
// aliases; a code page that is not available raises ComError 5 (invalid procedure call or
// argument). Nothing else fails: undefined bytes and missing characters become "?".
std::u16string BytesToText(std::string_view bytes, UINT codePage);
std::string TextToBytes(std::u16string_view text, UINT codePage);
// TextToBytes appending to out, for callers that convert piece by piece into one buffer.
void AppendTextBytes(std::u16string_view text, UINT codePage, std::string& out);

// Through the ANSI code page (GetACP); these never fail.
std::u16string AnsiToText(std::string_view bytes);
std::string TextToAnsi(std::u16string_view text);

}  // namespace text
