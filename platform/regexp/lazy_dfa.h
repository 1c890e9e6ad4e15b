// Deterministic automata, built state by state as a search needs them, for patterns made of unit
// tests, groups, alternatives, repeats and the assertions \b \B ^ $ (?=X) (?!X), such as the number pattern
// \b(?:0[xX][0-9A-Fa-f]+|\d+\.?\d*(?:[eE][+-]?\d+)?)[uUlLfF]*\b. A search reads each unit once
// with a table lookup, so its time grows with the text alone, whatever the pattern's shape
// (PCRE2 may try every start and backtrack at each).
//
// A search takes two automata. The forward one runs the tries from every start at once: a state
// is the ordered list of the ways a backtracking matcher would still try, earlier starts first and
// within a start the most preferred first; a way that reaches the pattern's end ends a match there
// and drops every less preferred way (and stops new starts), so when no way is left the last end
// recorded is that of the match PCRE2 finds: the leftmost start, then the backtracking order
// (earlier alternatives first, greedy repeats longest first, lazy ones shortest first). The
// backward one reads the pattern reversed from that end towards the search's start and keeps
// every way: the furthest place where one ends is the leftmost start of a match with that end,
// the match's start. Groups only group here: their spans are PCRE2's, found from that start.
// A lookahead of one unit test is an assertion on the unit after the position; up to two longer
// ones are asked of automata of their own, tried at each position where a way reaches them (a
// state's edges then depend on the answers too). Forward, an ask that the unit at the position
// decides is an edge of the table; a long read ends where an earlier one of the search passed in
// the same state, so that asks from every unit of a long run read it about once. Back references, more lookaheads and a repeated
// part that may match empty (PCRE2 has rules of its own for empty passes) are left to PCRE2. When the states fill their bound they are dropped
// and made again as needed. Private to the regular-expression layer.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <tuple>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/regexp/dialect_tree.h"
#include "platform/regexp/pattern.h"

namespace regexp::detail {

class LazyDfa {
public:
    enum class Direction : uint8_t { Forward, Backward };
    // The automaton of a parsed pattern read in `direction`, or nothing for a shape it leaves to PCRE2.
    static std::optional<LazyDfa> Compile(const dialect::Node& root, bool ignoreCase, bool multiline, Direction direction);

    // Forward: the end of the first match at or after `from` of text[0, size) (the assertions
    // see the whole text), Span::npos for none. While no try is under way the scan goes on at
    // nextStart(position): the first place at or after it where a match may start (past the
    // text's end for none). No try starts after lastStart: past it the scan follows the tries
    // under way only. When mayReadOn (nextStart only passes over places where no match starts),
    // a scan whose skips have been short reads on through the automaton instead.
    template <class NextStart>
    size_t firstMatchEnd(const char16_t* text, size_t size, size_t from, NextStart&& nextStart,
                         size_t lastStart = Span::npos, bool mayReadOn = false);
    // Forward: the end of the match that starts at `start` (Span::npos for none), when the try
    // has matched or decided within `most` units; nothing when it would read further without a
    // match. `readTo`: where it stopped.
    std::optional<size_t> matchEndAt(const char16_t* text, size_t size, size_t start, size_t most, size_t& readTo);
    // Backward: the leftmost start at or after `from` of a match that ends at `end`, Span::npos
    // for none.
    size_t leftmostStartOfMatchEndingAt(const char16_t* text, size_t size, size_t from, size_t end);
    // For a search of a text that may differ from the last one's: the answers that the
    // lookaheads' long reads noted hold for the text they read alone.
    void forgetLookaheadReads() {
        if (!lookaheads_.empty()) forgetReadsOfLookaheads();
    }
    // Whether a lookahead read more than 2^24 units, or a scan met a unit of a class past the
    // bound of classes, since the last call, so that an answer since may be wrong: the search is
    // then left to PCRE2.
    bool tookUnsureAnswer() { return std::exchange(unsure_, false); }
    // Whether the automaton asks longer lookaheads, each of which may read on from every position.
    bool asksLookaheads() const { return !lookaheads_.empty(); }

private:
    // A code-unit test: the unit `a` or `b`, or a member of `bits`.
    struct Matcher {
        char16_t a = 0;
        char16_t b = 0;
        std::shared_ptr<const UnitBits> bits;
        bool test(char16_t unit) const { return bits ? bits->test(unit) : unit == a || unit == b; }
    };
    enum class Op : uint8_t { Consume, Split, Jump, Assert, Lookahead, Match };
    struct Instruction {
        Op op;
        dialect::NodeKind assertion = dialect::NodeKind::Empty;  // Assert
        uint32_t first = 0;  // Consume, Assert: matcher; Lookahead: its automaton; Split: tried first; Jump: target
        uint32_t second = 0;  // Split: tried next
    };
    static bool IsLineEnd(char16_t unit) { return unit == u'\n' || unit == u'\r'; }
    // What the unit already read next to a position is (the one before it forward, the one after
    // it backward); kTextStart: none, the text ends there.
    enum Before : uint8_t { kTextStart, kWordUnit, kLineEnd, kOther };
    static Before Kind(char16_t unit) { return IsWordUnit(unit) ? kWordUnit : IsLineEnd(unit) ? kLineEnd : kOther; }
    static Before KindOfClass(uint64_t signature);
    struct State {
        Before before;
        bool restarts;  // forward, before any match: a new try starts at every position
        std::vector<uint32_t> ways;  // instructions to go on from, most preferred first
        uint32_t lastClass;  // backward with a unit lookahead: the class of the unit read last (kEndClass: none)
        auto key() const { return std::tie(before, restarts, ways, lastClass); }
        bool operator<(const State& other) const { return key() < other.key(); }
    };
    static constexpr uint32_t kUnknown = UINT32_MAX;
    static constexpr uint32_t kMostClasses = 64;
    static constexpr uint32_t kEndClass = kMostClasses;  // the edge taken at the text's end
    static constexpr uint32_t kRowSize = kMostClasses + 1;
    // An edge: the next state's row << 2, | kMatchBit when a match ends before the unit, |
    // kIdleBit when the next state has no way and restarts (the scan may skip to a next start).
    static constexpr uint32_t kMatchBit = 1;
    static constexpr uint32_t kIdleBit = 2;
    static constexpr size_t kUnitsBetweenCheckpoints = 1 << 16;
    // A skip to the next start pays when such starts are this many units apart or more: below it
    // a look for the next start costs more than reading the units through the automaton.
    static constexpr uint32_t kSkipThatPays = 8;
    // While reading on, a skip is tried again after this many units, to see whether it pays now.
    static constexpr size_t kUnitsBetweenSkipTries = 4096;

    LazyDfa() = default;
    bool emit(const dialect::Node& node);
    bool emitRepeat(const dialect::Node& node);
    std::optional<uint32_t> matcherFor(const dialect::Node& node);
    bool emitConsume(const dialect::Node& node);
    bool emitUnitLookahead(const dialect::Node& node);
    bool emitLookahead(const dialect::Node& node);
    template <class Visit>
    void follow(std::vector<uint32_t>& pending, Visit&& visit);
    bool mayAskLookaheads(const State& state);
    uint32_t answersAt(const char16_t* text, size_t size, size_t position);
    bool matchesAt(const char16_t* text, size_t size, size_t start);
    void forgetReads();
    void keepReadsOfThisGeneration();
    void forgetReadsOfLookaheads();
    uint32_t& edgeSlot(uint32_t state, uint32_t unitClass, uint32_t answers);
    uint32_t add(Instruction instruction);
    bool findClasses();
    bool findClassesDecidingAsks();
    size_t findMatcher(const Matcher& matcher) const;  // matchers_.size() when new
    std::optional<uint32_t> answersOfUnit(Before before, uint32_t unitClass);
    std::optional<bool> answerAtUnit(Before before, char16_t unit);
    uint64_t signature(char16_t unit) const;
    uint32_t classOf(char16_t unit);  // kUnknown when there would be too many classes
    uint32_t classAt(const char16_t* text, size_t size, size_t position);  // kEndClass at the end
    uint32_t rowFor(State state);
    uint32_t edge(uint32_t state, uint32_t unitClass, uint32_t answers);
    // The edge, made when not yet made; a state that asks lookaheads asks them at the position.
    uint32_t edgeAt(uint32_t row, uint32_t unitClass, const char16_t* text, size_t size, size_t position);
    uint32_t startRow(Before before);  // forward: a try at every start; backward: at the end
    uint32_t oneStartRow(Before before);  // forward: a try at this start alone
    uint32_t rowWithoutRestarts(uint32_t row);  // forward: the tries of the row's state, and no new one
    uint32_t backwardStartRowAfter(uint32_t unitClass);  // startRow when the state keeps the last class
    void dropStates();
    // A turn for the search watch; `row` still names the same state after it (a tick may search
    // with this automaton too).
    void checkpoint(uint32_t& row);
    bool holds(const Instruction& assertion, const State& state, std::optional<uint32_t> next) const;

    Direction direction_ = Direction::Forward;
    bool ignoreCase_ = false;
    bool multiline_ = false;
    std::vector<Instruction> program_;
    std::vector<Matcher> matchers_;
    // Units are sorted into classes that every test treats alike: a byte table below 256, a
    // search by signature (which tests a unit passes) above.
    uint8_t lowClass_[256] = {};
    std::vector<uint64_t> classSignatures_;
    std::vector<char16_t> classUnits_;  // a unit of each class
    // Forward with lookaheads: the classes tell the lookaheads' classes too (see
    // findClassesDecidingAsks), and edges on units that decide the asks are in edges_.
    bool decidesAsks_ = false;
    // answersOfUnit's, by the unit before and the class of the unit there.
    static constexpr uint8_t kAnswersUnknown = 0xFF;
    static constexpr uint8_t kAnswersLater = 0xFE;
    uint8_t unitAnswers_[4][kMostClasses];
    std::vector<State> states_;  // state 0: no way left
    std::vector<uint32_t> edges_;  // each state's row of edges, by class; kUnknown until first taken
    std::map<State, uint32_t> stateIndex_;
    uint32_t startRows_[4] = {};  // by the unit before the start; kUnknown until made
    uint32_t oneStartRows_[4] = {};
    std::vector<std::unique_ptr<LazyDfa>> lookaheads_;  // the automata of the longer lookaheads
    std::vector<const dialect::Node*> lookaheadNodes_;  // theirs, while compiling
    std::vector<uint32_t> answerRows_;  // per state asking lookaheads: its rows in answerEdges_, else kUnknown
    std::vector<uint32_t> answerEdges_;  // kRowSize edges for each set of answers
    bool unsure_ = false;  // a lookahead read too far: the search's answer is PCRE2's to give
    // As a lookahead: the answers of long reads by (position << 32 | row) passed in this search,
    // and the notes of the read under way.
    std::unordered_map<uint64_t, bool> readAnswers_;
    std::vector<uint64_t> readNotes_;
    uint32_t readsGeneration_ = 0;
    std::vector<uint32_t> backwardStartRows_;  // by the class of the unit after the end, when keepsLastClass_
    bool keepsLastClass_ = false;
    uint32_t generation_ = 0;  // counts the times the states were dropped
    std::vector<uint32_t> seen_;  // per instruction: the pass that last reached it
    uint32_t pass_ = 0;
    uint32_t recentSkip16_ = kSkipThatPays * 16;  // the recent skips' length, x16, a moving average
    bool skipsPay() const { return recentSkip16_ >= kSkipThatPays * 16; }
    void noteSkip(size_t units) {
        recentSkip16_ = recentSkip16_ - recentSkip16_ / 8 + uint32_t(std::min<size_t>(units, 1024) * 2);
    }
};

template <class NextStart>
size_t LazyDfa::firstMatchEnd(const char16_t* text, size_t size, size_t from, NextStart&& nextStart, size_t lastStart,
                              bool mayReadOn) {
    size_t position = nextStart(from);
    if (position >= size) return Span::npos;  // matches are never empty
    uint32_t row = startRow(position == 0 ? kTextStart : Kind(text[position - 1]));
    size_t end = Span::npos;
    size_t checkpointAt = position + kUnitsBetweenCheckpoints;
    size_t startsEnd = lastStart < size ? lastStart + 1 : Span::npos;  // where the tries stop starting
    size_t skipTryAt = position + kUnitsBetweenSkipTries;  // while reading on: where a skip is tried again
    while (true) {
        if (position >= startsEnd) {
            row = rowWithoutRestarts(row);
            startsEnd = Span::npos;
            if (row == 0) return end;
        }
        // Units below 256 along edges already made that leave the automaton neither idle (unless
        // the scan reads on) nor dead: a lookup each (kUnknown has the idle bit).
        const bool readsOn = mayReadOn && !skipsPay() && position < skipTryAt;
        const uint32_t stopBits = readsOn ? 0 : kIdleBit;
        for (const size_t stop = std::min({size, checkpointAt, startsEnd, readsOn ? skipTryAt : Span::npos});
             position < stop && text[position] < 256; ++position) {
            const uint32_t next = edges_[row + lowClass_[text[position]]];
            if ((next & stopBits) != 0 || next == kUnknown || next >> 2 == 0) break;
            if (next & kMatchBit) end = position;
            row = next >> 2;
        }
        if (position >= startsEnd) continue;
        uint32_t encoded = kUnknown;
        if (position < size && text[position] < 256) encoded = edges_[row + lowClass_[text[position]]];
        if (encoded == kUnknown) encoded = edgeAt(row, classAt(text, size, position), text, size, position);
        if (encoded & kMatchBit) end = position;
        row = encoded >> 2;
        if (row == 0 || position == size) return end;
        ++position;
        if ((encoded & kIdleBit) && !readsOn) {
            const size_t skipFrom = position;
            position = nextStart(position);
            if (mayReadOn) noteSkip(position - skipFrom);
            skipTryAt = position + kUnitsBetweenSkipTries;
            if (position >= size) return end;
            row = startRow(Kind(text[position - 1]));
        }
        if (position >= checkpointAt) {
            checkpoint(row);
            checkpointAt = position + kUnitsBetweenCheckpoints;
        }
    }
}

inline std::optional<size_t> LazyDfa::matchEndAt(const char16_t* text, size_t size, size_t start, size_t most, size_t& readTo) {
    const Before before = start == 0 ? kTextStart : Kind(text[start - 1]);
    uint32_t row = oneStartRows_[before] != kUnknown ? oneStartRows_[before] : oneStartRow(before);
    size_t end = Span::npos;
    const size_t last = size - start > most ? start + most : size;
    size_t checkpointAt = start + kUnitsBetweenCheckpoints;
    for (size_t position = start;; ++position) {
        // Units below 256 along edges already made: a lookup each.
        const size_t stop = std::min(end == Span::npos ? last : size, checkpointAt);
        for (; position < stop && text[position] < 256; ++position) {
            const uint32_t next = edges_[row + lowClass_[text[position]]];
            if (next == kUnknown) break;
            if (next & kMatchBit) end = position;
            row = next >> 2;
            if (row == 0) {
                readTo = position;
                return end;
            }
        }
        uint32_t encoded = kUnknown;
        if (position < size && text[position] < 256) encoded = edges_[row + lowClass_[text[position]]];
        if (encoded == kUnknown) encoded = edgeAt(row, classAt(text, size, position), text, size, position);
        if (encoded & kMatchBit) end = position;
        row = encoded >> 2;
        readTo = position;
        if (row == 0 || position == size) return end;
        if (position >= last && end == Span::npos) return std::nullopt;  // a try that has matched goes on
        if (position >= checkpointAt) {  // a long match
            checkpoint(row);
            checkpointAt = position + kUnitsBetweenCheckpoints;
        }
    }
}

}  // namespace regexp::detail
