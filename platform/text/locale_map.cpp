// LCIDs and LCMapStringW.
#include <unicode/uloc.h>

#include "platform/automation/error.h"
#include "platform/automation/error_numbers.h"
#include "platform/text/buffer_args.h"
#include "platform/text/codepage_impl.h"
#include "platform/text/locale_map.h"
#include "platform/text/string_mapping.h"

namespace text {
namespace {

constexpr LCID kEnglishUnitedStates = 0x0409;

bool IsDefaultLcid(LCID lcid) { return lcid == 0 || lcid == LOCALE_USER_DEFAULT || lcid == LOCALE_SYSTEM_DEFAULT; }

// The ICU name of the process locale: "de_DE" for "de_DE.UTF-8@euro", en_US for C and POSIX.
std::string DefaultLocaleName() {
    std::string name = detail::CharacterLocaleName();
    name = name.substr(0, name.find_first_of(".@"));
    if (name.empty() || name == "C" || name == "POSIX") return "en_US";
    return name;
}

LCID DefaultLcid() {
    LCID lcid = uloc_getLCID(DefaultLocaleName().c_str());
    return lcid != 0 ? lcid : kEnglishUnitedStates;
}

LCID ResolveLcid(LCID lcid) { return IsDefaultLcid(lcid) ? DefaultLcid() : lcid; }

UINT AnsiCodePageOfLanguage(LCID lcid) {
    WORD language = lcid & 0xFFFF;
    switch (language) {
        case 0x0004: case 0x0804: case 0x1004: return 936;                // Chinese, simplified
        case 0x0404: case 0x0C04: case 0x1404: case 0x7C04: return 950;  // Chinese, traditional
        case 0x0C1A: case 0x1C1A: case 0x281A: case 0x301A:               // Serbian, Cyrillic
        case 0x201A: case 0x641A: case 0x6C1A:                            // Bosnian and Serbian, Cyrillic
        case 0x082C: case 0x742C:                                         // Azeri, Cyrillic
        case 0x0843: case 0x7843: return 1251;                            // Uzbek, Cyrillic
    }
    switch (language & 0x3FF) {
        case 0x04: return 936;
        case 0x11: return 932;
        case 0x12: return 949;
        case 0x1E: return 874;
        case 0x05: case 0x0E: case 0x15: case 0x18: case 0x1A: case 0x1B: case 0x1C: case 0x24: case 0x42:
            return 1250;
        case 0x02: case 0x19: case 0x22: case 0x23: case 0x28: case 0x2F: case 0x3F: case 0x40: case 0x44:
        case 0x50: case 0x6D: case 0x85:
            return 1251;
        case 0x08: return 1253;
        case 0x1F: case 0x2C: case 0x43: return 1254;
        case 0x0D: return 1255;
        case 0x01: case 0x20: case 0x29: case 0x80: case 0x8C: return 1256;
        case 0x25: case 0x26: case 0x27: return 1257;
        case 0x2A: return 1258;
        default: return 1252;
    }
}

DWORD CheckMapFlags(DWORD flags) {
    constexpr DWORD known =
        LCMAP_LOWERCASE | LCMAP_UPPERCASE | LCMAP_HIRAGANA | LCMAP_KATAKANA | LCMAP_HALFWIDTH | LCMAP_FULLWIDTH;
    auto both = [&](DWORD a, DWORD b) { return (flags & a) && (flags & b); };
    if (flags == 0 || (flags & ~known) || both(LCMAP_HIRAGANA, LCMAP_KATAKANA) ||
        both(LCMAP_HALFWIDTH, LCMAP_FULLWIDTH)) {
        return ERROR_INVALID_FLAGS;
    }
    return 0;
}

std::u16string ApplyCase(std::u16string text, DWORD flags) {
    switch (flags & LCMAP_TITLECASE) {
        case LCMAP_UPPERCASE: return detail::ToUpperCase(text);
        case LCMAP_LOWERCASE: return detail::ToLowerCase(text);
        case LCMAP_TITLECASE: return detail::ToTitleCase(text);
        default: return text;
    }
}

// The mapping of LCMapStringW: 0, or the error code.
DWORD Map(LCID lcid, DWORD flags, std::u16string_view source, std::u16string& out) {
    if (DWORD error = CheckMapFlags(flags)) return error;
    if (!LocaleNameForLcid(lcid)) return ERROR_INVALID_PARAMETER;
    std::u16string text(source);
    if (flags & LCMAP_FULLWIDTH) text = detail::ToFullWidth(text);
    if (flags & LCMAP_KATAKANA) text = detail::ToKatakana(text);
    if (flags & LCMAP_HIRAGANA) text = detail::ToHiragana(text);
    if (flags & LCMAP_HALFWIDTH) text = detail::ToHalfWidth(text);
    out = ApplyCase(std::move(text), flags);
    return 0;
}

}  // namespace

std::optional<std::string> LocaleNameForLcid(LCID lcid) {
    if (IsDefaultLcid(lcid)) return DefaultLocaleName();
    char name[ULOC_FULLNAME_CAPACITY];
    UErrorCode error = U_ZERO_ERROR;
    int32_t length = uloc_getLocaleForLCID(lcid, name, sizeof name, &error);
    if (U_FAILURE(error) || error == U_STRING_NOT_TERMINATED_WARNING || length <= 0) return std::nullopt;
    std::string result(name, static_cast<size_t>(length));
    if (result == "root") return std::nullopt;  // ICU's answer for a language it does not know
    return result;
}

std::optional<UINT> AnsiCodePageForLcid(LCID lcid) {
    if (!LocaleNameForLcid(lcid)) return std::nullopt;
    return AnsiCodePageOfLanguage(ResolveLcid(lcid));
}

std::u16string MapString(std::u16string_view source, DWORD flags, LCID lcid) {
    std::u16string out;
    if (Map(lcid, flags, source, out) != 0) throw ComError(errnum::kInvalidProcedureCall, u"", u"");
    return out;
}

std::u16string TitleCase(std::u16string_view source) { return detail::ToTitleCase(source); }

}  // namespace text

int LCMapStringW(LCID Locale, DWORD dwMapFlags, LPCWSTR lpSrcStr, int cchSrc, LPWSTR lpDestStr, int cchDest) {
    using namespace text::detail;
    if (BadCounts(lpSrcStr, cchSrc, lpDestStr, cchDest)) return Fail(ERROR_INVALID_PARAMETER);
    std::u16string out;
    if (DWORD error = text::Map(Locale, dwMapFlags, InputOf(lpSrcStr, cchSrc), out)) return Fail(error);
    return CopyOut(out, lpDestStr, cchDest);
}

LCID GetUserDefaultLCID() { return text::DefaultLcid(); }

LCID GetSystemDefaultLCID() { return text::DefaultLcid(); }
