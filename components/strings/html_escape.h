// HTML escaping of the formatter's hot path: "&", "<", ">" and space become "&amp;", "&lt;",
// "&gt;" and "&nbsp;"; nothing else changes. Eight units are tested at once with SSE2 (the
// x86-64 baseline) and copied as a block when none of them needs escaping; elsewhere a unit at
// a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace strings {

// The replacement for one unit, or an empty view when the unit stays as it is.
constexpr std::u16string_view HtmlEscapeOf(char16_t unit) {
    if (unit > u'>') return {};
    switch (unit) {
    case u'&': return u"&amp;";
    case u'<': return u"&lt;";
    case u'>': return u"&gt;";
    case u' ': return u"&nbsp;";
    default: return {};
    }
}
constexpr size_t kLongestHtmlEscape = 6;  // "&nbsp;"

// The room EscapeHtmlInto needs for a text of `units`: the longest escape of each, and a block
// that may be written past the end of the result.
constexpr size_t HtmlEscapeRoom(size_t units) { return units * kLongestHtmlEscape + 8; }

namespace detail {

// The escapes of the four units by their low five bits (distinct for "&", "<", ">" and space),
// each padded to one 16-byte copy; `escaped` is the unit an entry escapes, or a unit with other
// low bits where there is none.
struct HtmlEscapeEntry {
    char16_t units[8];
    char16_t escaped;
    uint8_t length;
};
struct HtmlEscapeTable {
    HtmlEscapeEntry entries[32];
    constexpr HtmlEscapeTable() : entries{} {
        for (size_t k = 0; k < 32; ++k) entries[k].escaped = char16_t((k + 1) % 32);
        for (char16_t unit : {u'&', u'<', u'>', u' '}) {
            std::u16string_view escape = HtmlEscapeOf(unit);
            HtmlEscapeEntry& entry = entries[unit & 31];
            for (size_t i = 0; i < escape.size(); ++i) entry.units[i] = escape[i];
            entry.escaped = unit;
            entry.length = uint8_t(escape.size());
        }
    }
};
inline constexpr HtmlEscapeTable kHtmlEscapes;

// Writes one unit escaped; up to eight units at out may be written.
inline char16_t* PutHtmlUnit(char16_t unit, char16_t* out) {
    const HtmlEscapeEntry& entry = kHtmlEscapes.entries[unit & 31];
    if (unit != entry.escaped) {
        *out = unit;
        return out + 1;
    }
    std::memcpy(out, entry.units, sizeof entry.units);
    return out + entry.length;
}

#if defined(__SSE2__)
inline __m128i LoadUnits(const char16_t* in) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(in)); }
inline void StoreUnits(char16_t* out, __m128i units) { _mm_storeu_si128(reinterpret_cast<__m128i*>(out), units); }

// One bit per unit of the eight at `in` that needs escaping (bit 2k for unit k).
inline unsigned HtmlEscapeMask(__m128i block) {
    const __m128i hits = _mm_or_si128(
        _mm_or_si128(_mm_cmpeq_epi16(block, _mm_set1_epi16(u'&')), _mm_cmpeq_epi16(block, _mm_set1_epi16(u'<'))),
        _mm_or_si128(_mm_cmpeq_epi16(block, _mm_set1_epi16(u'>')), _mm_cmpeq_epi16(block, _mm_set1_epi16(u' '))));
    return unsigned(_mm_movemask_epi8(hits)) & 0x5555u;
}

// Escapes the eight units at `in`, of which `mask` says which need it; the eight after them
// may be read. Each store writes a whole block, of which only the part kept is counted.
inline char16_t* EscapeHtmlBlock(const char16_t* in, unsigned mask, char16_t* out) {
    unsigned done = 0;  // units of the block written
    do {
        const unsigned hit = unsigned(__builtin_ctz(mask)) / 2;
        StoreUnits(out, LoadUnits(in + done));
        out += hit - done;
        const HtmlEscapeEntry& escape = kHtmlEscapes.entries[in[hit] & 31];
        StoreUnits(out, LoadUnits(escape.units));
        out += escape.length;
        done = hit + 1;
        mask &= mask - 1;
    } while (mask != 0);
    StoreUnits(out, LoadUnits(in + done));
    return out + (8 - done);
}
#endif

}  // namespace detail

// Writes the text escaped to out, which has room for HtmlEscapeRoom(text.size()) units; returns
// the end of what it wrote.
inline char16_t* EscapeHtmlInto(std::u16string_view text, char16_t* out) {
    const char16_t* in = text.data();
    const char16_t* const end = in + text.size();
#if defined(__SSE2__)
    // Blocks with another block after them: the stores of a block's plain units may read it.
    while (end - in >= 16) {
        const __m128i block = detail::LoadUnits(in);
        const unsigned mask = detail::HtmlEscapeMask(block);
        if (mask == 0) {
            detail::StoreUnits(out, block);
            out += 8;
        } else {
            out = detail::EscapeHtmlBlock(in, mask, out);
        }
        in += 8;
    }
#endif
    for (; in < end; ++in) out = detail::PutHtmlUnit(*in, out);
    return out;
}

}  // namespace strings
