#include "platform/regexp/case_folding.h"

#include <unicode/uchar.h>

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace regexp::casefold {

namespace {

char16_t Canonical(char16_t c) {
    UChar32 upper = u_toupper(c);
    if (upper > 0xFFFF) return c;
    if (c >= 0x80 && upper < 0x80) return c;
    return static_cast<char16_t>(upper);
}

// The blocks of ideographs, syllables, surrogates and private use, where no unit has another
// case (most of the BMP): the table is built without asking about each of their units.
constexpr std::pair<char16_t, char16_t> kCaselessBlocks[] = {
    {0x3400, 0x4DBF}, {0x4E00, 0x9FFF}, {0xAC00, 0xD7A3}, {0xD800, 0xF8FF}};

// The last unit of the caseless block that begins with c.
std::optional<char16_t> LastOfCaselessBlock(char16_t c) {
    for (const auto& [first, last] : kCaselessBlocks)
        if (c == first) return last;
    return std::nullopt;
}

// Each unit's next unit of the same class of case-equal units, in a cycle in increasing order.
// Only units with a class of two or more are kept (a few thousand); any other unit is alone.
class CaseCycles {
public:
    CaseCycles() {
        std::vector<std::pair<char16_t, char16_t>> members;  // (class key, unit)
        for (unsigned c = 0; c < 65536; ++c) {
            if (const std::optional<char16_t> last = LastOfCaselessBlock(char16_t(c))) {
                c = *last;
                continue;
            }
            char16_t key = Canonical(static_cast<char16_t>(c));
            if (key != c) members.emplace_back(key, static_cast<char16_t>(c));
        }
        size_t mapped = members.size();
        for (size_t i = 0; i < mapped; ++i) {  // a key that maps to itself is in its own class
            char16_t key = members[i].first;
            if (Canonical(key) == key) members.emplace_back(key, key);
        }
        std::sort(members.begin(), members.end());
        members.erase(std::unique(members.begin(), members.end()), members.end());
        for (size_t first = 0, last; first < members.size(); first = last) {
            for (last = first + 1; last < members.size() && members[last].first == members[first].first;) ++last;
            if (last - first < 2) continue;
            for (size_t i = first; i < last; ++i)
                links_.emplace_back(members[i].second, members[i + 1 < last ? i + 1 : first].second);
        }
        std::sort(links_.begin(), links_.end());
    }
    char16_t next(char16_t c) const {
        auto found = std::lower_bound(links_.begin(), links_.end(), std::make_pair(c, char16_t(0)));
        return found != links_.end() && found->first == c ? found->second : c;
    }
    // (unit, next) for every unit that is not alone, by unit.
    const std::vector<std::pair<char16_t, char16_t>>& links() const { return links_; }

private:
    std::vector<std::pair<char16_t, char16_t>> links_;
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
    const CaseCycles& cycles = Cycles();
    const UnitBits members = set;
    for (const auto& [unit, next] : cycles.links()) {
        if (!members.test(unit)) continue;
        for (char16_t other = next; other != unit; other = cycles.next(other)) set.set(other);
    }
}

std::u16string CaseVariants(char16_t c) {
    std::u16string variants(1, c);
    const CaseCycles& cycles = Cycles();
    for (char16_t o = cycles.next(c); o != c; o = cycles.next(o)) variants += o;
    return variants;
}

bool InCaselessBlock(char16_t c) {
    for (const auto& [first, last] : kCaselessBlocks)
        if (c >= first && c <= last) return true;
    return false;
}

bool HasNonAsciiVariants(char16_t c) {
    const CaseCycles& cycles = Cycles();
    for (char16_t o = cycles.next(c); o != c; o = cycles.next(o))
        if (o >= 0x80) return true;
    return false;
}

}  // namespace regexp::casefold
