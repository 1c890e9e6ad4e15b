// Sets of UTF-16 code units. UnitBits, a bitset of every unit (8 KB), is for building and
// combining sets while a pattern is compiled; CodeUnitSet, built from one, is what a compiled pattern
// keeps: a byte for each unit below 256 (most tests are of these, and a load is the quickest
// test) and sorted ranges for the others, so that it costs what it holds.
#pragma once

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace regexp {

// A set of UTF-16 code units, indexed by the unit.
using UnitBits = std::bitset<65536>;

class CodeUnitSet {
public:
    CodeUnitSet() = default;
    explicit CodeUnitSet(const UnitBits& units);

    bool test(size_t unit) const {
        if (unit < 256) return low_[unit] != 0;
        return testHigh(static_cast<char16_t>(unit));
    }
    bool operator[](size_t unit) const { return test(unit); }
    size_t count() const;
    // The first and last members when the members are one unbroken range (nothing when empty).
    std::optional<std::pair<char16_t, char16_t>> onlyRange() const;
    bool intersects(const CodeUnitSet& other) const;
    bool isSubsetOf(const CodeUnitSet& other) const;
    // Adds the members to `units`.
    void addTo(UnitBits& units) const;
    bool operator==(const CodeUnitSet&) const = default;

private:
    struct Range {
        char16_t first;
        char16_t last;
        bool operator==(const Range&) const = default;
    };
    bool testHigh(char16_t unit) const;

    std::array<uint8_t, 256> low_{};  // 1 for a member
    std::vector<Range> high_;  // units from 256 on, in order, neither overlapping nor touching
};

}  // namespace regexp
