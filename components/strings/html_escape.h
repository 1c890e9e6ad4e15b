// HTML escaping of the formatter's hot path: "&", "<", ">" and space become "&amp;", "&lt;",
// "&gt;" and "&nbsp;"; nothing else changes. Eight units are tested at once with SSE2 (the
// x86-64 baseline) and copied as a block when none of them needs escaping; elsewhere a unit at
// a time.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace strings {

// The replacement for one unit, or an empty view when the unit stays as it is.
inline std::u16string_view HtmlEscapeOf(char16_t unit) {
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

inline char16_t* PutHtmlUnit(char16_t unit, char16_t* out) {
    std::u16string_view escape = HtmlEscapeOf(unit);
    if (escape.empty()) {
        *out = unit;
        return out + 1;
    }
    std::memcpy(out, escape.data(), escape.size() * sizeof(char16_t));
    return out + escape.size();
}

}  // namespace detail

// Writes the text escaped to out, which has room for HtmlEscapeRoom(text.size()) units; returns
// the end of what it wrote.
inline char16_t* EscapeHtmlInto(std::u16string_view text, char16_t* out) {
    const char16_t* in = text.data();
    const char16_t* const end = in + text.size();
#if defined(__SSE2__)
    const __m128i ampersand = _mm_set1_epi16(u'&');
    const __m128i less = _mm_set1_epi16(u'<');
    const __m128i greater = _mm_set1_epi16(u'>');
    const __m128i space = _mm_set1_epi16(u' ');
    while (end - in >= 8) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
        const __m128i hits = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(block, ampersand), _mm_cmpeq_epi16(block, less)),
                                          _mm_or_si128(_mm_cmpeq_epi16(block, greater), _mm_cmpeq_epi16(block, space)));
        const unsigned mask = unsigned(_mm_movemask_epi8(hits));
        // Written before it is known how much of it stays: the room allows for it.
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), block);
        if (mask == 0) {
            in += 8;
            out += 8;
            continue;
        }
        const unsigned plain = unsigned(__builtin_ctz(mask)) / 2;
        in += plain;
        out = detail::PutHtmlUnit(*in++, out + plain);
    }
#endif
    for (; in < end; ++in) out = detail::PutHtmlUnit(*in, out);
    return out;
}

}  // namespace strings
