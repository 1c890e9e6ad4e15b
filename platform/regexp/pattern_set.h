// The patterns of one section, asked together. Most patterns of a syntax definition have
// matches that the units around a position decide without a search: one unit of a set, a listed
// word at a word start, a listed name (NameList), a run (Pattern::LocalRuns), and a match whose
// first unit no match takes later (Pattern::triesDecideMatches), tried there, and any of these
// with alternatives of single units apart (Pattern::singlesApart). The set answers
// those at a position (matchesAt); the others need searches of their own (searched()), whose
// global match lists the caller keeps. A pattern's number is its index in the list the set was made from;
// among equally long matches the lowest number wins.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/regexp/keyword_set.h"
#include "platform/regexp/pattern.h"

namespace regexp {

class PatternSet {
public:
    static constexpr uint32_t kNone = UINT32_MAX;

    PatternSet() = default;
    explicit PatternSet(std::vector<std::shared_ptr<Pattern>> patterns);

    // The patterns whose matches need a search, in order.
    const std::vector<uint32_t>& searched() const { return searched_; }

    // Calls consider(pattern, end) for the matches that begin at `at` (< the subject's size) in
    // the global match lists, from the subject's start, of the patterns a position decides: every
    // length found, and for each length at least its lowest-numbered pattern. Inline: asked at
    // nearly every step of the formatter.
    template <class Consider>
    void matchesAt(std::u16string_view subject, size_t at, Consider&& consider) {
        const char16_t unit = subject[at];
        if (const uint32_t single = singleFor(unit); single != kNone) consider(single, at + 1);
        size_t wordEnd = 0;  // the end of the word that starts here, when it was walked
        if (wordStarts_.contains(unit) && (at == 0 || !IsWordUnit(subject[at - 1]))) {
            wordEnd = at + 1;
            while (wordEnd < subject.size() && IsWordUnit(subject[wordEnd])) ++wordEnd;
            if (wordMayStartWith(unit)) considerWords(subject.substr(at, wordEnd - at), at, consider);
        }
        if (nameStarts_.contains(unit)) {
            for (uint32_t index : names_) {
                const Span name = decided_[index].names->matchAt(subject, at);
                if (name.matched()) consider(index, name.end);
            }
        }
        if (tryStarts_.contains(unit)) {
            for (uint32_t index : tried_) {
                if (!decided_[index].units->test(unit)) continue;
                const Span match = decided_[index].tried->matchAt(subject, at);
                if (match.matched()) consider(index, match.end);
            }
        }
        if (!runMayStartWith(unit)) return;
        auto considerRun = [&](uint32_t index) {
            Decided& member = decided_[index];
            if (member.runsWords && wordEnd) return consider(index, wordEnd);
            const Span run = member.runs.runAtUnitOfFirst(subject, at, member.runsMemo);
            if (run.matched()) consider(index, run.end);
        };
        if (const uint32_t only = unit < 128 ? asciiOnlyRun_[unit] : kNone; only != kNone) return considerRun(only);
        for (uint32_t index : runs_) {
            if (decided_[index].units->test(unit)) considerRun(index);
        }
    }

    // The first pattern that matches the unit alone (a single-unit pattern), or kNone.
    uint32_t singleFor(char16_t unit) const {
        if (unit < 128) return asciiSingle_[unit];
        for (uint32_t index : singles_)
            if (decided_[index].singles->test(unit)) return index;
        return kNone;
    }
    // Whether a run pattern's match may begin with the unit, anywhere.
    bool runMayStartWith(char16_t unit) const {
        if (unit < 128) return asciiRunStarts_.contains(unit);
        for (uint32_t index : runs_)
            if (decided_[index].units->test(unit)) return true;
        return false;
    }
    // Whether a match longer than a unit that no word lookup finds may begin with the unit: a
    // run's, a listed name's or a tried pattern's.
    bool longerMatchMayStartWith(char16_t unit) const {
        return runMayStartWith(unit) || nameStarts_.contains(unit) || tryStarts_.contains(unit);
    }
    // Whether a listed word may begin with the unit (at a word start).
    bool wordMayStartWith(char16_t unit) const { return keywordStarts_.contains(unit); }

    // Whether every unit's matches at a position are its first single-unit pattern's alone,
    // and that pattern is one `accepts` takes: no word is looked up and no run begins anywhere.
    template <class Accepts>
    bool everyUnitMatchedAloneBy(Accepts accepts) const {
        if (!words_.empty() || !runs_.empty() || !names_.empty() || !tried_.empty()) return false;
        UnitBits left;  // the units no single-unit pattern before has taken
        left.set();
        for (uint32_t index : singles_) {
            UnitBits units;
            decided_[index].singles->addTo(units);
            if (!accepts(index) && (units & left).any()) return false;
            left &= ~units;
        }
        return left.none();
    }

    // Whether each group of a match that a position decides is the whole match (a listed word
    // or name in a group), so that no search is needed for it.
    bool groupsAreTheMatch(uint32_t index) const {
        return (decided_[index].words || decided_[index].names) && !decided_[index].apart;
    }

    // Whether the units before `position` in `text` can decide whether a run's or a name's match
    // begins at or after it: a run that decides such matches goes on across the position.
    bool runCrosses(std::u16string_view text, size_t position) const;

private:
    // What the set keeps of a pattern a position decides (units null for a searched one).
    struct Decided {
        const CodeUnitSet* units = nullptr;  // a run's or a tried match's first units
        const CodeUnitSet* singles = nullptr;  // the units matched alone
        Pattern* tried = nullptr;  // the pattern whose try decides a match
        bool apart = false;  // A|u|... (Pattern::singlesApart): the rest of the member describes A
        Pattern::LocalRuns runs{};
        Pattern::LocalRuns::Memo runsMemo;  // pairs: the run of first units last walked
        bool runsWords = false;  // a run of word units: a match that starts a word ends with it
        std::unique_ptr<KeywordSet> words;
        std::unique_ptr<NameSet> names;
    };

    template <class Consider>
    void considerWords(std::u16string_view word, size_t at, Consider& consider) const {
        for (uint32_t index : words_) {
            if (decided_[index].words->contains(word)) return consider(index, at + word.size());
        }
    }
    void classify(uint32_t index, Pattern& pattern);
    bool classifyDecided(uint32_t index, Pattern& pattern);
    void indexAscii();

    std::vector<std::shared_ptr<Pattern>> patterns_;
    std::vector<Decided> decided_;
    std::vector<uint32_t> searched_;
    std::vector<uint32_t> singles_;
    std::vector<uint32_t> words_;
    std::vector<uint32_t> runs_;
    std::vector<uint32_t> names_;
    std::vector<uint32_t> tried_;
    std::array<uint32_t, 128> asciiSingle_{};   // per unit below 128: singleFor
    std::array<uint32_t, 128> asciiOnlyRun_{};  // per unit below 128: the only run pattern it may begin, or kNone
    AsciiUnits asciiRunStarts_;
    AsciiUnits keywordStarts_;  // the units a listed word starts with
    AsciiUnits wordStarts_;     // those, and the units a runsWords match starts with
    AsciiUnits nameStarts_;     // the units a listed name starts with
    AsciiUnits tryStarts_;      // the units a tried pattern's match starts with
};

}  // namespace regexp
