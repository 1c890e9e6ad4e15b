// Case, width and kana mapping of UTF-16 text. The width pairs come from Unicode's <wide> and
// <narrow> compatibility mappings (through ICU), with the half-width sound marks U+FF9E and
// U+FF9F paired with the spacing marks U+309B and U+309C, as the platform pairs them.
#include <unicode/uchar.h>
#include <unicode/unorm2.h>
#include <unicode/utf16.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <unordered_map>

#include "platform/automation/utf.h"
#include "platform/text/string_mapping.h"

namespace text::detail {
namespace {

constexpr char16_t kHalfVoicedMark = 0xFF9E;
constexpr char16_t kHalfSemiVoicedMark = 0xFF9F;
constexpr char16_t kCombiningVoicedMark = 0x3099;
constexpr char16_t kCombiningSemiVoicedMark = 0x309A;

// Maps every code point (an unpaired surrogate stays as it is).
template <typename Map>
std::u16string MapCodePoints(std::u16string_view source, Map map) {
    std::u16string out;
    out.reserve(source.size());
    for (size_t i = 0; i < source.size();) {
        UChar32 c;
        U16_NEXT(source.data(), i, source.size(), c);
        automation::AppendUtf16(out, static_cast<char32_t>(map(c)));
    }
    return out;
}

bool IsWordSeparator(UChar32 c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r' || c == 0;
}

const UNormalizer2* Normalizer(const UNormalizer2* (*instance)(UErrorCode*)) {
    UErrorCode error = U_ZERO_ERROR;
    const UNormalizer2* normalizer = instance(&error);
    if (U_FAILURE(error)) throw std::runtime_error(std::string("ICU normalization data: ") + u_errorName(error));
    return normalizer;
}

// The one-step decomposition of c under a normalizer, or empty.
std::u16string RawDecomposition(const UNormalizer2* normalizer, UChar32 c) {
    UChar buffer[8];
    UErrorCode error = U_ZERO_ERROR;
    int32_t length = unorm2_getRawDecomposition(normalizer, c, buffer, 8, &error);
    if (U_FAILURE(error) || length < 0) return {};
    return std::u16string(buffer, static_cast<size_t>(length));
}

struct WidthTables {
    std::unordered_map<char16_t, char16_t> toWide;    // narrow or half-width -> wide
    std::unordered_map<char16_t, char16_t> toNarrow;  // wide -> narrow or half-width
};

WidthTables BuildWidthTables() {
    const UNormalizer2* nfkd = Normalizer(unorm2_getNFKDInstance);
    WidthTables tables;
    for (UChar32 c = 0; c < 0x10000; ++c) {
        int type = u_getIntPropertyValue(c, UCHAR_DECOMPOSITION_TYPE);
        if (type != U_DT_WIDE && type != U_DT_NARROW) continue;
        std::u16string target = RawDecomposition(nfkd, c);
        if (target.size() != 1) continue;
        auto form = static_cast<char16_t>(c);
        if (type == U_DT_WIDE) {
            tables.toNarrow[form] = target[0];
            tables.toWide.emplace(target[0], form);
        } else {
            tables.toWide[form] = target[0];
            tables.toNarrow.emplace(target[0], form);
        }
    }
    tables.toWide[kHalfVoicedMark] = 0x309B;
    tables.toWide[kHalfSemiVoicedMark] = 0x309C;
    tables.toNarrow[0x309B] = kHalfVoicedMark;
    tables.toNarrow[0x309C] = kHalfSemiVoicedMark;
    return tables;
}

const WidthTables& Widths() {
    static const WidthTables tables = BuildWidthTables();
    return tables;
}

std::optional<char16_t> Lookup(const std::unordered_map<char16_t, char16_t>& map, char16_t c) {
    auto it = map.find(c);
    if (it == map.end()) return std::nullopt;
    return it->second;
}

// A half-width kana and the sound mark after it as one wide kana (U+FF76 U+FF9E -> U+30AC).
std::optional<char16_t> ComposeVoiced(char16_t wideKana, char16_t halfMark) {
    if (halfMark != kHalfVoicedMark && halfMark != kHalfSemiVoicedMark) return std::nullopt;
    static const UNormalizer2* nfc = Normalizer(unorm2_getNFCInstance);
    char16_t mark = halfMark == kHalfVoicedMark ? kCombiningVoicedMark : kCombiningSemiVoicedMark;
    UChar32 composed = unorm2_composePair(nfc, wideKana, mark);
    if (composed < 0 || composed > 0xFFFF) return std::nullopt;
    return static_cast<char16_t>(composed);
}

// A voiced katakana as its half-width kana and sound mark (U+30AC -> U+FF76 U+FF9E).
bool AppendHalfWidthVoiced(char16_t c, std::u16string& out) {
    if (c < 0x30A0 || c > 0x30FF) return false;
    static const UNormalizer2* nfd = Normalizer(unorm2_getNFDInstance);
    std::u16string parts = RawDecomposition(nfd, c);
    if (parts.size() != 2) return false;
    auto base = Lookup(Widths().toNarrow, parts[0]);
    auto mark = Lookup(Widths().toNarrow, parts[1]);
    if (!base || !mark) return false;
    out.push_back(*base);
    out.push_back(*mark);
    return true;
}

bool IsHiragana(char16_t c) { return (c >= 0x3041 && c <= 0x3096) || c == 0x309D || c == 0x309E; }
bool IsKatakana(char16_t c) { return (c >= 0x30A1 && c <= 0x30F6) || c == 0x30FD || c == 0x30FE; }
constexpr char16_t kKanaDistance = 0x30A1 - 0x3041;

}  // namespace

std::u16string ToUpperCase(std::u16string_view source) { return MapCodePoints(source, u_toupper); }

std::u16string ToLowerCase(std::u16string_view source) { return MapCodePoints(source, u_tolower); }

std::u16string ToTitleCase(std::u16string_view source) {
    bool wordStart = true;
    return MapCodePoints(source, [&](UChar32 c) {
        UChar32 mapped = wordStart ? u_toupper(c) : u_tolower(c);
        wordStart = IsWordSeparator(c);
        return mapped;
    });
}

std::u16string ToFullWidth(std::u16string_view source) {
    std::u16string out;
    out.reserve(source.size());
    for (size_t i = 0; i < source.size(); ++i) {
        auto wide = Lookup(Widths().toWide, source[i]);
        if (!wide) {
            out.push_back(source[i]);
            continue;
        }
        if (i + 1 < source.size()) {
            if (auto voiced = ComposeVoiced(*wide, source[i + 1])) {
                out.push_back(*voiced);
                ++i;
                continue;
            }
        }
        out.push_back(*wide);
    }
    return out;
}

std::u16string ToHalfWidth(std::u16string_view source) {
    std::u16string out;
    out.reserve(source.size());
    for (char16_t c : source) {
        if (auto narrow = Lookup(Widths().toNarrow, c)) {
            out.push_back(*narrow);
        } else if (!AppendHalfWidthVoiced(c, out)) {
            out.push_back(c);
        }
    }
    return out;
}

std::u16string ToKatakana(std::u16string_view source) {
    std::u16string out(source);
    for (char16_t& c : out) {
        if (IsHiragana(c)) c += kKanaDistance;
    }
    return out;
}

std::u16string ToHiragana(std::u16string_view source) {
    std::u16string out(source);
    for (char16_t& c : out) {
        if (IsKatakana(c)) c -= kKanaDistance;
    }
    return out;
}

}  // namespace text::detail
