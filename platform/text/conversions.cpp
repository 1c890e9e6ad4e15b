// MultiByteToWideChar, WideCharToMultiByte, the OEM/ANSI byte translations and their string
// forms, on top of the code page objects.
#include <cstring>

#include "platform/automation/error.h"
#include "platform/automation/error_numbers.h"
#include "platform/text/buffer_args.h"
#include "platform/text/codepage.h"
#include "platform/text/codepage_impl.h"

using text::detail::BadCounts;
using text::detail::CodePage;
using text::detail::CopyOut;
using text::detail::EncodeOptions;
using text::detail::Fail;
using text::detail::FindCodePage;
using text::detail::InputOf;
using text::detail::RequireCodePage;
using text::detail::ResolveCodePage;

namespace {

const CodePage* FindResolved(UINT codePage) { return FindCodePage(ResolveCodePage(codePage)); }

// The bytes of the first character of a default-character string.
std::string_view FirstCharacter(const char* text, int maxCharSize) {
    size_t length = std::strlen(text);
    if (length > 1 && static_cast<unsigned char>(text[0]) < 0x80) length = 1;
    return {text, std::min(length, static_cast<size_t>(maxCharSize))};
}

std::u16string Decode(const CodePage& page, std::string_view bytes) {
    std::u16string text;
    text::detail::DecodeAppending(page, bytes, text);
    return text;
}

void EncodeAppending(const CodePage& page, std::u16string_view text, std::string& bytes) {
    bool usedDefault = false;
    if (page.encode(text, EncodeOptions{}, bytes, usedDefault) != 0) {
        throw ComError(errnum::kInvalidProcedureCall, u"", u"");
    }
}

std::string Encode(const CodePage& page, std::u16string_view text) {
    std::string bytes;
    EncodeAppending(page, text, bytes);
    return bytes;
}

// Translates count bytes from one code page to the other through UTF-16, in place if need be.
BOOL TranslateBuffer(UINT from, UINT to, LPCSTR source, LPSTR target, DWORD count) {
    if (!source || !target) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::string translated =
        Encode(RequireCodePage(to), Decode(RequireCodePage(from), std::string_view(source, count)));
    std::copy_n(translated.begin(), std::min<size_t>(translated.size(), count), target);
    return 1;
}

}  // namespace

int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
                        LPWSTR lpWideCharStr, int cchWideChar) {
    const auto* page = FindResolved(CodePage);
    if (!page || BadCounts(lpMultiByteStr, cbMultiByte, lpWideCharStr, cchWideChar)) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    DWORD allowed = page->isUtf8() ? MB_ERR_INVALID_CHARS : MB_PRECOMPOSED | MB_ERR_INVALID_CHARS;
    if (dwFlags & ~allowed) return Fail(ERROR_INVALID_FLAGS);

    std::u16string result;
    if (DWORD error = page->decode(InputOf(lpMultiByteStr, cbMultiByte), dwFlags & MB_ERR_INVALID_CHARS, result)) {
        return Fail(error);
    }
    return CopyOut(result, lpWideCharStr, cchWideChar);
}

int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar,
                        LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar,
                        LPBOOL lpUsedDefaultChar) {
    const auto* page = FindResolved(CodePage);
    if (!page || BadCounts(lpWideCharStr, cchWideChar, lpMultiByteStr, cbMultiByte)) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    DWORD allowed = page->isUtf8() ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    if (dwFlags & ~allowed) return Fail(ERROR_INVALID_FLAGS);
    if (page->isUtf8() && (lpDefaultChar || lpUsedDefaultChar)) return Fail(ERROR_INVALID_PARAMETER);
    if (lpDefaultChar && *lpDefaultChar == '\0') return Fail(ERROR_INVALID_PARAMETER);

    EncodeOptions options;
    if (lpDefaultChar) options.defaultChar = FirstCharacter(lpDefaultChar, page->maxCharSize());
    options.failOnInvalid = dwFlags & WC_ERR_INVALID_CHARS;
    std::string result;
    bool usedDefault = false;
    if (DWORD error = page->encode(InputOf(lpWideCharStr, cchWideChar), options, result, usedDefault)) {
        return Fail(error);
    }
    int size = CopyOut(result, lpMultiByteStr, cbMultiByte);
    if (size != 0 && lpUsedDefaultChar) *lpUsedDefaultChar = usedDefault ? 1 : 0;
    return size;
}

BOOL OemToCharBuffA(LPCSTR lpszSrc, LPSTR lpszDst, DWORD cchDstLength) {
    return TranslateBuffer(CP_OEMCP, CP_ACP, lpszSrc, lpszDst, cchDstLength);
}

BOOL CharToOemBuffA(LPCSTR lpszSrc, LPSTR lpszDst, DWORD cchDstLength) {
    return TranslateBuffer(CP_ACP, CP_OEMCP, lpszSrc, lpszDst, cchDstLength);
}

namespace text {

const detail::CodePage& detail::RequireCodePage(UINT codePage) {
    const CodePage* page = FindResolved(codePage);
    if (!page) throw ComError(errnum::kInvalidProcedureCall, u"", u"");
    return *page;
}

void detail::DecodeAppending(const CodePage& page, std::string_view bytes, std::u16string& out) {
    if (page.decode(bytes, false, out) != 0) throw ComError(errnum::kInvalidProcedureCall, u"", u"");
}

std::u16string BytesToText(std::string_view bytes, UINT codePage) { return Decode(RequireCodePage(codePage), bytes); }

std::string TextToBytes(std::u16string_view text, UINT codePage) { return Encode(RequireCodePage(codePage), text); }

void AppendTextBytes(std::u16string_view text, UINT codePage, std::string& out) {
    EncodeAppending(RequireCodePage(codePage), text, out);
}

std::u16string AnsiToText(std::string_view bytes) { return BytesToText(bytes, CP_ACP); }

std::string TextToAnsi(std::u16string_view text) { return TextToBytes(text, CP_ACP); }

}  // namespace text
