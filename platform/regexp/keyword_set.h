// The words of a keyword-list pattern (see KeywordList), looked up by the run of word units at a
// position: the formatter's lookup at word starts, and the search of such a pattern, which
// needs no PCRE2 code however long the list.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/ascii.h"
#include "platform/regexp/pattern.h"

namespace regexp {

// A set of ASCII code units, a byte each (a test is one load); no other unit is ever in it.
class AsciiUnits {
public:
    void add(char16_t unit) {
        if (unit < 128) members_[unit] = 1;
    }
    bool contains(char16_t unit) const { return unit < 128 && members_[unit] != 0; }

private:
    uint8_t members_[128] = {};
};

// The words are ASCII: up to eight of them pack into one number, looked up in a small hash table;
// longer ones are kept as text. Most runs that are no word (names, numbers) are turned away by
// their length or first unit before any lookup.
class KeywordSet {
public:
    explicit KeywordSet(const KeywordList& list);
    // Whether some word starts with the unit.
    bool mayStartWith(char16_t unit) const { return firstUnits_.contains(folded(unit)); }
    // word: a run of word units.
    bool contains(std::u16string_view word) const {
        if (!(lengths_ >> LengthBit(word.size()) & 1) || !firstUnits_.contains(folded(word[0]))) return false;
        if (word.size() > 8) return containsLong(word);
        uint64_t key = 0;
        for (char16_t unit : word) key = key << 8 | folded(unit);
        for (size_t slot = SlotOf(key) & mask_;; slot = (slot + 1) & mask_) {
            if (table_[slot] == key) return true;
            if (table_[slot] == 0) return false;
        }
    }
    // The first run of word units that starts at or after `from` (the unit before it, even before
    // `from`, is no word unit) and is one of the words; unmatched when there is none, or none that
    // starts at or before `lastStart`.
    Span findWord(std::u16string_view subject, size_t from, size_t lastStart = Span::npos) const;

private:
    char16_t folded(char16_t unit) const { return ignoreCase_ ? automation::AsciiLower(unit) : unit; }
    static size_t SlotOf(uint64_t key) { return size_t((key * 0x9E3779B97F4A7C15u) >> 40); }
    static size_t LengthBit(size_t length) { return length < 63 ? length : 63; }
    bool containsLong(std::u16string_view word) const;

    bool ignoreCase_;
    uint64_t lengths_ = 0;        // bit n: some word has n units (bit 63: 63 or more)
    AsciiUnits firstUnits_;        // the words' first units (lower case when ignoring case)
    std::vector<uint64_t> table_;  // packed words by SlotOf, 0 where free; at most half full
    size_t mask_ = 0;
    std::vector<std::u16string> longWords_;  // sorted, lower case when ignoring case
};

// The names of a name-list pattern (see NameList), with the rule that finds its matches.
class NameSet {
public:
    explicit NameSet(const NameList& list);
    bool mayStartWith(char16_t unit) const { return words_.mayStartWith(unit); }
    // The match that begins at `at` in the global match list from the subject's start, or an
    // unmatched span.
    Span matchAt(std::u16string_view subject, size_t at) const;
    // Whether the units before `position` (< the text's size) can decide a match at or after
    // it: a run of name units that goes on across it.
    bool reachesBack(std::u16string_view text, size_t position) const {
        return position > 0 && units_->test(text[position - 1]) && units_->test(text[position]);
    }

private:
    KeywordSet words_;
    std::shared_ptr<const CodeUnitSet> units_;
    bool wordStart_;
    size_t longest_ = 0;  // units of the longest name
};

}  // namespace regexp
