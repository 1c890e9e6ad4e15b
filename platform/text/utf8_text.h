// UTF-16 text written as code page 65001 writes it, never failing: a pair as one four-byte
// sequence, a unit U+DC80..U+DCFF (a byte that was not UTF-8 when it was read) as that byte
// again, any other unpaired surrogate as U+FFFD. For the code page itself and for writers that
// make their own bytes (HTML escaping on its way out).
#pragma once

#include <cstddef>
#include <string_view>

#include "platform/automation/utf.h"
#include "platform/text/ascii_blocks.h"

namespace text {

// Writes the unit at `in` (with its partner when it begins a pair before `end`) at `to`; moves
// `in` past them and returns the end of what was written (four bytes at most).
inline char* PutUtf8Unit(const char16_t*& in, const char16_t* end, char* to, bool& usedDefault) {
    const char16_t unit = *in++;
    if (!automation::IsSurrogate(unit)) return automation::PutUtf8(to, unit);
    if (automation::IsLeadSurrogate(unit) && in < end && automation::IsTrailSurrogate(*in)) {
        return automation::PutUtf8(to, automation::CodePointOfPair(unit, *in++));
    }
    if (automation::IsLosslessByte(unit)) {
        *to++ = static_cast<char>(unit - automation::kLosslessByteBase);
        return to;
    }
    usedDefault = true;
    return automation::PutUtf8(to, 0xFFFD);
}

// Writes the text at `to`, which has room for three bytes a unit; returns the end.
inline char* PutUtf8Text(std::u16string_view text, char* to, bool& usedDefault) {
    const char16_t* in = text.data();
    const char16_t* const end = in + text.size();
    while (in < end) {
        const size_t ascii = detail::NarrowAscii(in, size_t(end - in), to);
        in += ascii;
        to += ascii;
        if (in < end) to = PutUtf8Unit(in, end, to, usedDefault);
    }
    return to;
}

// Whether the text holds a surrogate that is not part of a pair (a lost byte among them).
inline bool HasUnpairedSurrogate(std::u16string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (!automation::IsSurrogate(unit)) continue;
        if (automation::IsLeadSurrogate(unit) && i + 1 < text.size() && automation::IsTrailSurrogate(text[i + 1])) {
            ++i;
            continue;
        }
        return true;
    }
    return false;
}

}  // namespace text
