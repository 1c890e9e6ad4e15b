#include "platform/regexp/case_folding.h"

#include <unicode/uchar.h>

#include <array>
#include <vector>

namespace regexp::casefold {

namespace {

char16_t Canonical(char16_t c) {
    UChar32 upper = u_toupper(c);
    if (upper > 0xFFFF) return c;
    if (c >= 0x80 && upper < 0x80) return c;
    return static_cast<char16_t>(upper);
}

// Each unit's next unit of the same class of case-equal units, in a cycle (a unit alone points
// to itself).
class CaseCycles {
public:
    CaseCycles() {
        std::vector<char16_t> first(65536, 0), last(65536, 0);
        std::vector<bool> seen(65536, false);
        for (unsigned c = 0; c < 65536; ++c) next_[c] = static_cast<char16_t>(c);
        for (unsigned c = 0; c < 65536; ++c) {
            char16_t key = Canonical(static_cast<char16_t>(c));
            if (!seen[key]) {
                seen[key] = true;
                first[key] = last[key] = static_cast<char16_t>(c);
                continue;
            }
            next_[last[key]] = static_cast<char16_t>(c);
            next_[c] = first[key];
            last[key] = static_cast<char16_t>(c);
        }
    }
    char16_t next(char16_t c) const { return next_[c]; }

private:
    std::array<char16_t, 65536> next_;
};

const CaseCycles& Cycles() {
    static const CaseCycles cycles;
    return cycles;
}

}  // namespace

void AddUnit(UnitBits& set, char16_t c, bool ignoreCase) {
    set.set(c);
    if (!ignoreCase) return;
    const CaseCycles& cycles = Cycles();
    for (char16_t o = cycles.next(c); o != c; o = cycles.next(o)) set.set(o);
}

void Close(UnitBits& set) {
    UnitBits closed = set;
    for (size_t c = set._Find_first(); c < set.size(); c = set._Find_next(c)) AddUnit(closed, static_cast<char16_t>(c), true);
    set = closed;
}

std::u16string CaseVariants(char16_t c) {
    std::u16string variants(1, c);
    const CaseCycles& cycles = Cycles();
    for (char16_t o = cycles.next(c); o != c; o = cycles.next(o)) variants += o;
    return variants;
}

bool HasNonAsciiVariants(char16_t c) {
    const CaseCycles& cycles = Cycles();
    for (char16_t o = cycles.next(c); o != c; o = cycles.next(o))
        if (o >= 0x80) return true;
    return false;
}

}  // namespace regexp::casefold
