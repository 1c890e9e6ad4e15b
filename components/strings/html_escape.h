// HTML escaping of the formatter's hot path: "&", "<", ">" and space become "&amp;", "&lt;",
// "&gt;" and "&nbsp;"; nothing else changes. Eight units are tested at once with SSE2 (the
// x86-64 baseline) and copied as a block when none of them needs escaping; elsewhere a unit at
// a time. The escaped text is written as UTF-16 units, or straight as the bytes of code page
// 65001 (no UTF-16 copy on the way out to a UTF-8 file).
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "platform/text/utf8_text.h"

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
// that may be written past the end of the result. EscapeHtmlIntoUtf8 needs as many bytes (no
// unit makes more than three, a pair four).
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

// Each unit below 0x80 as the bytes written for it (its escape, or itself) in one word, with
// their count in its last byte, so that one eight-byte store writes any of them.
constexpr unsigned HtmlByteShift(unsigned index) {
    return std::endian::native == std::endian::little ? 8 * index : 56 - 8 * index;
}
struct HtmlByteTable {
    uint64_t entries[128];
    constexpr HtmlByteTable() : entries{} {
        for (unsigned unit = 0; unit < 128; ++unit) {
            const std::u16string_view escape = HtmlEscapeOf(char16_t(unit));
            uint64_t entry = uint64_t(escape.empty() ? 1 : escape.size()) << HtmlByteShift(7);
            if (escape.empty()) entry |= uint64_t(unit) << HtmlByteShift(0);
            for (unsigned i = 0; i < escape.size(); ++i) entry |= uint64_t(escape[i]) << HtmlByteShift(i);
            entries[unit] = entry;
        }
    }
};
inline constexpr HtmlByteTable kHtmlBytes;

// Writes a unit below 0x80 escaped, as bytes; up to eight bytes at out may be written.
inline char* PutHtmlByte(char16_t unit, char* out) {
    const uint64_t entry = kHtmlBytes.entries[unit];
    std::memcpy(out, &entry, sizeof entry);
    return out + ((entry >> HtmlByteShift(7)) & 0xFF);
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

// Whether all eight units are below 0x80.
inline bool IsAsciiBlock(__m128i block) {
    const __m128i high = _mm_and_si128(block, _mm_set1_epi16(static_cast<short>(0xFF80)));
    return _mm_movemask_epi8(_mm_cmpeq_epi16(high, _mm_setzero_si128())) == 0xFFFF;
}
inline void StoreBytes(char* out, __m128i bytes) { _mm_storel_epi64(reinterpret_cast<__m128i*>(out), bytes); }
#endif

// Writes the units from `in` up to `stop` (a pair may take the unit after it) escaped, as bytes;
// moves `in` past them.
inline char* EscapeHtmlUnitsUtf8(const char16_t*& in, const char16_t* stop, const char16_t* end, char* out,
                                 bool& usedDefault) {
    while (in < stop) {
        if (*in < 0x80) {
            out = PutHtmlByte(*in++, out);
        } else {
            out = text::PutUtf8Unit(in, end, out, usedDefault);
        }
    }
    return out;
}

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

// Writes the text escaped and as code page 65001 writes it (text::PutUtf8Text) to out, which has
// room for HtmlEscapeRoom(text.size()) bytes; returns the end of what it wrote.
inline char* EscapeHtmlIntoUtf8(std::u16string_view text, char* out, bool& usedDefault) {
    const char16_t* in = text.data();
    const char16_t* const end = in + text.size();
#if defined(__SSE2__)
    while (end - in >= 8) {
        const __m128i block = detail::LoadUnits(in);
        if (!detail::IsAsciiBlock(block)) {
            out = detail::EscapeHtmlUnitsUtf8(in, in + 8, end, out, usedDefault);
            continue;
        }
        if (detail::HtmlEscapeMask(block) == 0) {
            detail::StoreBytes(out, _mm_packus_epi16(block, block));
            out += 8;
        } else {
            // A store a unit from the table: no branch on where the escapes are.
            for (int k = 0; k < 8; ++k) out = detail::PutHtmlByte(in[k], out);
        }
        in += 8;
    }
#endif
    return detail::EscapeHtmlUnitsUtf8(in, end, end, out, usedDefault);
}

}  // namespace strings
