#include "components/strings/charset_conversion.h"

#include <bit>
#include <cstring>

#include "components/strings/string_errors.h"
#include "platform/text/codepage.h"
#include "platform/text/locale_map.h"

namespace strings {
namespace {

static_assert(std::endian::native == std::endian::little, "a string's bytes are its code units, low byte first");

constexpr LONG kAllConversions = 0xFF;

bool Both(LONG conversion, LONG a, LONG b) { return (conversion & a) && (conversion & b); }

void CheckConversion(LONG conversion) {
    if (conversion <= 0 || (conversion & ~kAllConversions) || Both(conversion, kWide, kNarrow) ||
        Both(conversion, kKatakana, kHiragana) || Both(conversion, kUnicode, kFromUnicode)) {
        Raise(kInvalidProcedureCall);
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
    if (!codePage) Raise(kInvalidProcedureCall);
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

std::string BytesOfText(std::u16string_view text) {
    std::string bytes(text.size() * sizeof(char16_t), '\0');
    if (!text.empty()) std::memcpy(bytes.data(), text.data(), bytes.size());
    return bytes;
}

std::u16string TextOfBytes(std::string_view bytes) {
    std::u16string text(bytes.size() / sizeof(char16_t), u'\0');
    if (!text.empty()) std::memcpy(text.data(), bytes.data(), text.size() * sizeof(char16_t));
    return text;
}

std::string ConvertStringBytes(std::string_view bytes, LONG conversion, LCID lcid) {
    CheckConversion(conversion);
    std::u16string text = (conversion & kUnicode) ? text::BytesToText(bytes, AnsiCodePageOf(lcid)) : TextOfBytes(bytes);
    if (const DWORD flags = MapFlagsOf(conversion)) text = text::MapString(text, flags, lcid);
    if (conversion & kFromUnicode) return text::TextToBytes(text, AnsiCodePageOf(lcid));
    return BytesOfText(text);
}

}  // namespace strings
