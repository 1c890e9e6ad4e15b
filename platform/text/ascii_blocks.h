// Runs of ASCII copied between bytes and UTF-16 units a block at a time: sixteen with SSE2 (the
// x86-64 baseline), eight with plain words elsewhere. Most text is mostly ASCII, so
// the converters take such runs this way and only the rest unit by unit.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace text::detail {

// Widens the ASCII bytes at the start of bytes[0..n) into out; returns how many there were
// (up to the first byte from 0x80 up).
inline size_t WidenAscii(const char* bytes, size_t n, char16_t* out) {
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    for (; i + 16 <= n; i += 16) {
        __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
        if (_mm_movemask_epi8(block) != 0) break;
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_unpacklo_epi8(block, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 8), _mm_unpackhi_epi8(block, zero));
    }
#else
    for (; i + 8 <= n; i += 8) {
        uint64_t word;
        std::memcpy(&word, bytes + i, 8);
        if (word & 0x8080808080808080u) break;
        for (size_t k = 0; k < 8; ++k) out[i + k] = char16_t(static_cast<unsigned char>(bytes[i + k]));
    }
#endif
    for (; i < n && static_cast<unsigned char>(bytes[i]) < 0x80; ++i) out[i] = char16_t(bytes[i]);
    return i;
}

// Narrows the units below 0x80 at the start of text[0..n) into out; returns how many there
// were (up to the first unit from 0x80 up).
inline size_t NarrowAscii(const char16_t* text, size_t n, char* out) {
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i high = _mm_set1_epi16(static_cast<short>(0xFF80));
    const __m128i zero = _mm_setzero_si128();
    for (; i + 16 <= n; i += 16) {  // sixteen units tested together, stored as one block
        const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
        const __m128i second = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i + 8));
        if (_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(_mm_or_si128(first, second), high), zero)) != 0xFFFF) break;
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(first, second));
    }
    for (; i + 8 <= n; i += 8) {
        __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
        if (_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(block, high), zero)) != 0xFFFF) break;
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(block, block));
    }
#else
    for (; i + 4 <= n; i += 4) {
        uint64_t word;
        std::memcpy(&word, text + i, 8);
        if (word & 0xFF80FF80FF80FF80u) break;
        for (size_t k = 0; k < 4; ++k) out[i + k] = char(text[i + k]);
    }
#endif
    for (; i < n && text[i] < 0x80; ++i) out[i] = char(text[i]);
    return i;
}

// Appends the units below 0x80 at the start of text to out, through a small block so that out
// never grows by more than it keeps; returns how many there were.
inline size_t AppendAscii(std::u16string_view text, std::string& out) {
    char block[512];
    size_t total = 0;
    while (total < text.size()) {
        size_t n = std::min(text.size() - total, sizeof block);
        size_t ascii = NarrowAscii(text.data() + total, n, block);
        out.append(block, ascii);
        total += ascii;
        if (ascii < n) break;
    }
    return total;
}

}  // namespace text::detail
