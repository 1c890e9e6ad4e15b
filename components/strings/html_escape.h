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
// The units HtmlEscapeOf replaces: text without them is the same escaped.
inline constexpr std::u16string_view kHtmlEscapedUnits = u"&<> ";
static_assert([] {
    for (char16_t unit = 0; unit < 128; ++unit)
        if (HtmlEscapeOf(unit).empty() != (kHtmlEscapedUnits.find(unit) == std::u16string_view::npos)) return false;
    return true;
}());

// The room EscapeHtmlInto needs for a text of `units`: the longest escape of each, and a block
// that may be written past the end of the result. EscapeHtmlIntoUtf8 needs as many bytes (no
// unit makes more than three, a pair four).
constexpr size_t HtmlEscapeRoom(size_t units) { return units * kLongestHtmlEscape + 8; }

namespace detail {

// Each unit below 0x80 as what is written for it (its escape, or itself), padded so that one
// store writes any of them, with their count in the last place: eight units for text, eight
// bytes in one word for code page 65001.
constexpr unsigned HtmlByteShift(unsigned index) {
    return std::endian::native == std::endian::little ? 8 * index : 56 - 8 * index;
}
static_assert(kLongestHtmlEscape < 8);
struct HtmlEscapeTables {
    char16_t units[128][8];
    uint64_t bytes[128];
    constexpr HtmlEscapeTables() : units{}, bytes{} {
        for (unsigned unit = 0; unit < 128; ++unit) {
            const std::u16string_view escape = HtmlEscapeOf(char16_t(unit));
            const size_t length = escape.empty() ? 1 : escape.size();
            for (size_t i = 0; i < length; ++i) {
                const char16_t written = escape.empty() ? char16_t(unit) : escape[i];
                units[unit][i] = written;
                bytes[unit] |= uint64_t(written) << HtmlByteShift(unsigned(i));
            }
            units[unit][7] = char16_t(length);
            bytes[unit] |= uint64_t(length) << HtmlByteShift(7);
        }
    }
};
inline constexpr HtmlEscapeTables kHtmlEscapes;

// Writes one unit escaped; up to eight units at out may be written.
inline char16_t* PutHtmlUnit(char16_t unit, char16_t* out) {
    if (unit >= 0x80) {
        *out = unit;
        return out + 1;
    }
    std::memcpy(out, kHtmlEscapes.units[unit], sizeof kHtmlEscapes.units[unit]);
    return out + kHtmlEscapes.units[unit][7];
}

// The same as bytes, for a unit below 0x80; up to eight bytes at out may be written.
inline char* PutHtmlByte(char16_t unit, char* out) {
    const uint64_t entry = kHtmlEscapes.bytes[unit];
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
    while (end - in >= 8) {
        const __m128i block = detail::LoadUnits(in);
        if (detail::HtmlEscapeMask(block) == 0) {
            detail::StoreUnits(out, block);
            out += 8;
        } else {
            // A store a unit from the table: no branch on where the escapes are.
            for (int k = 0; k < 8; ++k) out = detail::PutHtmlUnit(in[k], out);
        }
        in += 8;
    }
#endif
    for (; in < end; ++in) out = detail::PutHtmlUnit(*in, out);
    return out;
}

// Hands the text escaped to take(view), a piece at a time through a block on the stack, so that
// whatever gathers the pieces grows only by what it keeps.
template <class Take>
void EscapeHtmlInPieces(std::u16string_view text, Take take) {
    constexpr size_t kPiece = 1024;
    char16_t block[HtmlEscapeRoom(kPiece)];
    for (size_t done = 0; done < text.size(); done += kPiece) {
        const char16_t* end = EscapeHtmlInto(text.substr(done, kPiece), block);
        take(std::u16string_view(block, size_t(end - block)));
    }
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
