// Inside the text service: one object per available code page, found by number.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/automation/types.h"
#include "platform/automation/utf.h"
#include "platform/text/codepage_tables.h"

namespace text::detail {

using automation::IsLeadSurrogate;
using automation::IsSurrogate;
using automation::IsTrailSurrogate;

// What to write for a character the code page lacks, and whether to fail instead.
struct EncodeOptions {
    std::string_view defaultChar;  // empty: the code page's own question mark
    bool failOnInvalid = false;  // 65001: any unpaired surrogate fails
};

// Conversions return 0 or the failure's system error code.
class CodePage {
public:
    virtual ~CodePage() = default;
    // Appends the text of bytes to out. With failOnInvalid a byte sequence the code page does
    // not define fails with ERROR_NO_UNICODE_TRANSLATION (out is then unspecified).
    virtual DWORD decode(std::string_view bytes, bool failOnInvalid, std::u16string& out) const = 0;
    // Appends the bytes of text to out; usedDefault becomes true when a character was missing.
    virtual DWORD encode(std::u16string_view text, const EncodeOptions& options, std::string& out,
                         bool& usedDefault) const = 0;
    // The longest byte sequence of one character.
    virtual int maxCharSize() const = 0;
    // 65001 takes no default character and no flags but the error flag.
    virtual bool isUtf8() const { return false; }
    // How many bytes at the start of bytes decode alike whatever bytes come after them, for
    // text that arrives in pieces; nothing when the code page cannot tell where a character
    // ends without reading from the start.
    virtual std::optional<size_t> completePrefix(std::string_view) const { return std::nullopt; }
};

// A code page whose every character is one byte: 256 code units, kUndefinedByte where the
// code page leaves a byte undefined.
constexpr char16_t kUndefinedByte = 0xFFFF;

std::unique_ptr<CodePage> MakeSingleByteCodePage(const CodePageTable& table);
std::unique_ptr<CodePage> MakeUtf8CodePage();
// A code page ICU knows by one of its names: a single-byte one becomes a table, others stay
// ICU converters. Null when ICU knows none of the names.
std::unique_ptr<CodePage> MakeIcuCodePage(UINT number);

// The name of the locale that decides the character set, as the C library picks it from the
// environment (LC_ALL, LC_CTYPE, LANG; "C" when none is set).
std::string CharacterLocaleName();

// CP_ACP, CP_OEMCP, CP_MACCP and CP_THREAD_ACP become the code page they stand for.
UINT ResolveCodePage(UINT codePage);
// The code page with that number (after ResolveCodePage), or null when it is not available.
// The object lives for the rest of the process.
const CodePage* FindCodePage(UINT number);
// The code page a number or alias stands for; one that is not available raises ComError 5.
const CodePage& RequireCodePage(UINT codePage);
// Appends the text of bytes to out, keeping what the code page allows (ComError 5 otherwise).
void DecodeAppending(const CodePage& page, std::string_view bytes, std::u16string& out);

}  // namespace text::detail
