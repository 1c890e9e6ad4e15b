#include "platform/regexp/unit_set.h"

#include <algorithm>

namespace regexp {

CodeUnitSet::CodeUnitSet(const UnitBits& units) {
    for (size_t unit = units._Find_first(); unit < 256; unit = units._Find_next(unit)) low_[unit] = 1;
    const UnitBits others = ~units;
    for (size_t first = units._Find_next(255); first < units.size();) {
        size_t end = others._Find_next(first);  // units.size() when the run goes to the end
        high_.push_back(Range{static_cast<char16_t>(first), static_cast<char16_t>(end - 1)});
        if (end >= units.size()) break;
        first = units._Find_next(end);
    }
}

bool CodeUnitSet::testHigh(char16_t unit) const {
    auto after = std::upper_bound(high_.begin(), high_.end(), unit, [](char16_t u, const Range& r) { return u < r.first; });
    return after != high_.begin() && unit <= std::prev(after)->last;
}

size_t CodeUnitSet::count() const {
    size_t members = 0;
    for (uint8_t member : low_) members += member;
    for (const Range& range : high_) members += size_t(range.last - range.first) + 1;
    return members;
}

std::optional<std::pair<char16_t, char16_t>> CodeUnitSet::onlyRange() const {
    const size_t members = count();
    if (members == 0) return std::nullopt;
    size_t first = 0;
    while (first < low_.size() && !low_[first]) ++first;
    if (first == low_.size()) first = high_.front().first;
    size_t last = low_.size() - 1;
    if (!high_.empty()) {
        last = high_.back().last;
    } else {
        while (!low_[last]) --last;
    }
    if (last - first + 1 != members) return std::nullopt;
    return std::pair{char16_t(first), char16_t(last)};
}

bool CodeUnitSet::intersects(const CodeUnitSet& other) const {
    for (size_t i = 0; i < low_.size(); ++i)
        if (low_[i] & other.low_[i]) return true;
    auto a = high_.begin(), b = other.high_.begin();
    while (a != high_.end() && b != other.high_.end()) {
        if (a->last < b->first) {
            ++a;
        } else if (b->last < a->first) {
            ++b;
        } else {
            return true;
        }
    }
    return false;
}

// A set's ranges never touch, so each range of this set lies within a single one of the other's.
bool CodeUnitSet::isSubsetOf(const CodeUnitSet& other) const {
    for (size_t i = 0; i < low_.size(); ++i)
        if (low_[i] && !other.low_[i]) return false;
    auto b = other.high_.begin();
    for (const Range& range : high_) {
        while (b != other.high_.end() && b->last < range.first) ++b;
        if (b == other.high_.end() || b->first > range.first || b->last < range.last) return false;
    }
    return true;
}

void CodeUnitSet::addTo(UnitBits& units) const {
    for (size_t unit = 0; unit < 256; ++unit)
        if (test(unit)) units.set(unit);
    for (const Range& range : high_) {
        const size_t count = size_t(range.last) - range.first + 1;
        if (count < 1024) {
            for (size_t unit = range.first; unit <= range.last; ++unit) units.set(unit);
            continue;
        }
        // A long range (a negated class holds nearly all units) as a shifted mask, a word at a time.
        UnitBits mask;
        mask.set();
        units |= (mask >> (mask.size() - count)) << range.first;
    }
}

}  // namespace regexp
