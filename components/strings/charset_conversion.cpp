#include "components/strings/charset_conversion.h"

#include "components/strings/string_errors.h"
#include "platform/automation/bstr.h"
#include "platform/automation/error_numbers.h"
#include "platform/text/codepage.h"
#include "platform/text/locale_map.h"

namespace strings {
namespace {

constexpr LONG kAllConversions = 0xFF;

bool Both(LONG conversion, LONG a, LONG b) { return (conversion & a) && (conversion & b); }

void CheckConversion(LONG conversion) {
    if (conversion <= 0 || (conversion & ~kAllConversions) || Both(conversion, kWide, kNarrow) ||
        Both(conversion, kKatakana, kHiragana) || Both(conversion, kUnicode, kFromUnicode)) {
        Raise(errnum::kInvalidProcedureCall);
    }
}

// The locale mapping flags of a conversion; 0 when it asks for none.
DWORD MapFlagsOf(LONG conversion) {
    DWORD flags = 0;
    switch (conversion & kProperCase) {
    case kUpperCase: flags |= LCMAP_UPPERCASE; break;
    case kLowerCase: flags |= LCMAP_LOWERCASE; break;
    case kProperCase: flags |= LCMAP_TITLECASE; break;
    default: break;
    }
    if (conversion & kWide) flags |= LCMAP_FULLWIDTH;
    if (conversion & kNarrow) flags |= LCMAP_HALFWIDTH;
    if (conversion & kKatakana) flags |= LCMAP_KATAKANA;
    if (conversion & kHiragana) flags |= LCMAP_HIRAGANA;
    return flags;
}

bool IsDefaultLcid(LCID lcid) { return lcid == 0 || lcid == LOCALE_USER_DEFAULT || lcid == LOCALE_SYSTEM_DEFAULT; }

UINT AnsiCodePageOf(LCID lcid) {
    if (IsDefaultLcid(lcid)) return CP_ACP;
    const std::optional<UINT> codePage = text::AnsiCodePageForLcid(lcid);
    if (!codePage) Raise(errnum::kInvalidProcedureCall);
    return *codePage;
}

}  // namespace

std::u16string AnsiRoundTrip(std::u16string_view source) { return text::AnsiToText(text::TextToAnsi(source)); }

std::u16string OemToAnsiText(std::u16string_view source) {
    const std::u16string oemText = text::BytesToText(text::TextToAnsi(source), CP_OEMCP);
    return AnsiRoundTrip(oemText);
}

std::u16string AnsiToOemText(std::u16string_view source) {
    return text::AnsiToText(text::TextToBytes(AnsiRoundTrip(source), CP_OEMCP));
}

std::string ConvertStringBytes(std::string_view bytes, LONG conversion, LCID lcid) {
    CheckConversion(conversion);
    std::u16string text =
        (conversion & kUnicode) ? text::BytesToText(bytes, AnsiCodePageOf(lcid)) : TextOfStringBytes(bytes);
    if (const DWORD flags = MapFlagsOf(conversion)) text = text::MapString(text, flags, lcid);
    if (conversion & kFromUnicode) return text::TextToBytes(text, AnsiCodePageOf(lcid));
    return StringBytes(text);
}

}  // namespace strings
