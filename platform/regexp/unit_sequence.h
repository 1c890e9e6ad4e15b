// Patterns that are a sequence of code-unit tests, each taken once, optionally (?), or as often
// as it holds (* and +), such as \w+, [A-Za-z_]\w*, //.*, \\[\s\S], ([A-Za-z_]\w*)(\s*)(\()
// and #[ \t]*[A-Za-z_]\w*, matched without the regular-expression engine. The shape is taken only
// where the greedy reading is the only one: a repeated or optional test shares no unit with what
// may follow it, so no match ever gives units back, and a match is found by one left-to-right
// walk. Such a pattern looks at nothing before its match, so where a search starts never
// matters. Private to the regular-expression layer: Pattern searches with it when it can.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/regexp/dialect_tree.h"
#include "platform/regexp/pattern.h"

namespace regexp::detail {

class UnitSequence {
public:
    static constexpr size_t npos = static_cast<size_t>(-1);

    // The sequence that a parsed pattern is, or nothing for any other shape.
    static std::optional<UnitSequence> Read(const dialect::Node& root, bool ignoreCase);

    // The first match that starts at or after `from`: [start, end), start npos for none, or for
    // none that starts at or before `lastStart` (the search stops there). A long walk passes the
    // search watch's checkpoints (SearchWatch), which may throw.
    Span find(std::u16string_view text, size_t from, size_t lastStart = npos) const;
    // The match at `start` (there must be one) with its groups: spans[0] the match, spans[n]
    // group n; spans holds groupCount + 1 entries.
    void groupsAt(std::u16string_view text, size_t start, size_t groupCount, std::vector<Span>& spans) const;

    // The end of the match that begins at `start`, or npos.
    size_t matchEndAt(std::u16string_view text, size_t start) const {
        return walk(text.data(), text.size(), start, [](size_t, size_t) {});
    }

    // X+, X Y*, O?X Y* and X Y where every unit of X and O is one of Y: the units around a
    // position decide whether a global search from the text's start finds a match beginning there
    // (Pattern::LocalRuns, with X, Y and O).
    bool runsDecidedLocally() const { return localRuns_; }
    Pattern::LocalRuns localRuns() const {
        Pattern::LocalRuns runs{&first_, &steps_.back().units, pairs_};
        runs.starts = &first_;
        if (leadThenRun_) {
            runs.first = &steps_[1].units;
            runs.lead = &steps_[0].units;
        }
        return runs;
    }

    // Whether find() takes time that grows with the text alone: for X+ and X Y*, and where no
    // test repeats but the last one, the one whose run a failed try skips, and ones after it
    // whose units no match starts with (so no run is walked twice). Other sequences may walk a
    // run again from each start before it.
    bool findsInLinearTime() const;

    // How many tests there are (for tests of the shapes taken).
    size_t stepCount() const { return steps_.size(); }

private:
    struct Step {
        CodeUnitSet units;
        bool optional;   // may be absent (? and *)
        bool repeated;   // may come again (* and +)
    };
    struct Group {
        size_t number;  // counted from 1, in the order of the opening parentheses
        size_t first;   // the steps it holds: [first, last)
        size_t last;
    };

    UnitSequence() = default;
    bool addTerm(const dialect::Node& node, bool ignoreCase);
    bool addStep(const dialect::Node& node, bool ignoreCase);
    bool isGreedyOnly() const;
    void prepareSearch();
    // Takes the steps from start: the match's end, or npos. Each step taken is reported as
    // taken(step, where it ended), the failing one not.
    template <class Taken>
    size_t walk(const char16_t* text, size_t size, size_t start, Taken taken) const {
        size_t position = start;
        for (size_t i = 0; i < steps_.size(); ++i) {
            const Step& step = steps_[i];
            const size_t before = position;
            if (step.repeated) {
                while (position < size && step.units.test(text[position])) ++position;
            } else if (position < size && step.units.test(text[position])) {
                ++position;
            }
            if (position == before && !step.optional) return npos;
            taken(i, position);
        }
        return position;
    }
    // A search's try at start: the match's end or npos, where the steps taken ended, and where
    // the next try may start (see prepareSearch).
    struct Attempt {
        size_t end;
        size_t walkedTo;
        size_t skipTo;
    };
    Attempt attempt(const char16_t* text, size_t size, size_t start) const;
    Span findByAnchor(std::u16string_view text, size_t from, size_t startsBefore) const;
    // The first position from `from` whose unit a match can start with: limit or more when
    // there is none before limit.
    size_t firstStart(std::u16string_view text, size_t from, size_t limit) const;
    Span findRun(std::u16string_view text, size_t from, size_t startsBefore) const;
    Span findBetween(std::u16string_view text, size_t from, size_t startsBefore, size_t& walked) const;
    void findAnchor();

    std::vector<Step> steps_;
    std::vector<Group> groups_;
    CodeUnitSet first_;           // the units a match can start with
    int firstUnit_ = -1;              // the only one of them, when there is one below 256
    int skipStep_ = -1;               // see prepareSearch
    int anchorUnit_ = -1;             // see findAnchor
    size_t anchorReach_ = npos;       // the most units the steps before the anchor take, when bounded
    bool oneRun_ = false;             // X+ or X Y*: see prepareSearch
    bool localRuns_ = false;          // see runsDecidedLocally
    bool pairs_ = false;              // X Y, every unit of X one of Y
    bool leadThenRun_ = false;        // O?X Y*, every unit of O and X one of Y
    CodeUnitSet beforeAnchor_;        // the units the steps before the anchor take
};

// The set of a node that tests one code unit (a plain unit or a set), or null for any other node
// and for a unit above ASCII when ignoring case.
std::shared_ptr<const UnitBits> UnitNodeSet(const dialect::Node& node, bool ignoreCase);

// The first position at or after `from` that holds the unit, or the text's size.
size_t FindUnit(std::u16string_view text, char16_t unit, size_t from);
// The same for any of four units (a unit may be given more than once).
size_t FindUnitOf(std::u16string_view text, const std::array<char16_t, 4>& units, size_t from);
// The same for any unit from `first` to `last`.
size_t FindUnitInRange(std::u16string_view text, char16_t first, char16_t last, size_t from);
// The first position at or after `from` where a unit of the set begins a word (the unit before is
// no word unit, or there is none), or the text's size. Every member of the set is a word unit.
size_t FindWordStartIn(std::u16string_view text, const CodeUnitSet& units, size_t from);

}  // namespace regexp::detail
