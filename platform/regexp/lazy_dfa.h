// A deterministic automaton, built state by state as a search needs it, for patterns without
// groups made of unit tests, alternatives, repeats and the assertions \b \B ^ $, such as the
// number pattern \b(?:0[xX][0-9A-Fa-f]+|\d+\.?\d*(?:[eE][+-]?\d+)?)[uUlLfF]*\b. A try at one
// start walks the subject a table lookup per unit, where a call into PCRE2 costs several hundred
// instructions before it looks at the subject.
//
// It finds the match PCRE2 finds. A state is the ordered list of the ways a backtracking
// matcher would still try, the first most preferred; a way that reaches the pattern's end ends a
// match there and drops every less preferred way, so the last match end recorded is the one the
// backtracking order gives (earlier alternatives first, greedy repeats longest first, lazy ones
// shortest first). Lookaheads, back references, groups and a repeated part that may match empty
// (PCRE2 has rules of its own for empty passes) are left to PCRE2, and so is a pattern whose
// automaton grows past a bound. Private to the regular-expression layer.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "platform/regexp/dialect_tree.h"
#include "platform/regexp/pattern.h"

namespace regexp::detail {

class LazyDfa {
public:
    // The automaton of a parsed pattern, or nothing for a shape it leaves to PCRE2.
    static std::optional<LazyDfa> Compile(const dialect::Node& root, bool ignoreCase, bool multiline);

    // The end of the match that starts at `start` of text[0, size) (the assertions see the whole
    // text), Span::npos for none; nothing when the automaton grew past its bound (it is then
    // left to PCRE2 for good).
    // Inline: most tries end within a unit or two.
    std::optional<size_t> matchEndAt(const char16_t* text, size_t size, size_t start) {
        if (overgrown_) return std::nullopt;
        const Before before = start == 0                    ? kTextStart
                              : IsWordUnit(text[start - 1]) ? kWordUnit
                              : IsLineEnd(text[start - 1])  ? kLineEnd
                                                            : kOther;
        uint32_t row = starts_[before] ? *starts_[before] * kRowSize : startRow(before);
        if (row == kUnknown) return std::nullopt;
        size_t end = Span::npos;
        size_t position = start;
        size_t checkpointAt = start + kUnitsBetweenCheckpoints;
        while (true) {
            // Units below 256 along edges already made: a lookup each. A tick may search with
            // this automaton too: it only adds states, so the edges are looked up afresh after it.
            const uint32_t* const edges = edges_.data();
            for (const size_t stop = std::min(size, checkpointAt); position < stop; ++position) {
                const char16_t unit = text[position];
                if (unit >= 256) break;
                const uint32_t encoded = edges[row + lowClass_[unit]];
                if (encoded == kUnknown) break;
                if (encoded & 1) end = position;
                row = encoded >> 1;
                if (row == 0) return end;
            }
            if (position == checkpointAt) {
                checkpoint();
                checkpointAt += kUnitsBetweenCheckpoints;
                continue;
            }
            // The text's end, an edge not yet made, or units above 255 (each until the next below).
            do {
                uint32_t unitClass = kEndClass;
                if (position < size) unitClass = text[position] < 256 ? lowClass_[text[position]] : classOf(text[position]);
                uint32_t encoded = unitClass == kUnknown ? kUnknown : edges_[row + unitClass];
                if (encoded == kUnknown && (encoded = slowEdge(row, unitClass)) == kUnknown) return std::nullopt;
                if (encoded & 1) end = position;
                row = encoded >> 1;
                if (row == 0 || position == size) return end;
                ++position;
            } while (position < size && position != checkpointAt && text[position] >= 256);
        }
    }
    bool overgrown() const { return overgrown_; }

private:
    // A code-unit test: the unit `a` or `b`, or a member of `bits`.
    struct Matcher {
        char16_t a = 0;
        char16_t b = 0;
        std::shared_ptr<const UnitBits> bits;
        bool test(char16_t unit) const { return bits ? bits->test(unit) : unit == a || unit == b; }
    };
    enum class Op : uint8_t { Consume, Split, Jump, Assert, Match };
    struct Instruction {
        Op op;
        dialect::NodeKind assertion = dialect::NodeKind::Empty;  // Assert
        uint32_t first = 0;   // Consume: matcher; Split: tried first; Jump: target
        uint32_t second = 0;  // Split: tried next
    };
    static bool IsLineEnd(char16_t unit) { return unit == u'\n' || unit == u'\r'; }
    // What the unit before a position is.
    enum Before : uint8_t { kTextStart, kWordUnit, kLineEnd, kOther };
    struct State {
        Before before;
        std::vector<uint32_t> ways;  // instructions to go on from, most preferred first
    };
    static constexpr uint32_t kUnknown = UINT32_MAX;
    static constexpr uint32_t kMostClasses = 64;
    static constexpr uint32_t kEndClass = kMostClasses;  // the edge taken at the text's end
    static constexpr uint32_t kRowSize = kMostClasses + 1;
    static constexpr size_t kUnitsBetweenCheckpoints = 1 << 16;

    LazyDfa() = default;
    bool emit(const dialect::Node& node);
    bool emitRepeat(const dialect::Node& node);
    bool emitConsume(const dialect::Node& node);
    uint32_t add(Instruction instruction);
    bool findClasses();
    uint64_t signature(char16_t unit) const;
    uint32_t classOf(char16_t unit);  // kUnknown when there would be too many classes
    std::optional<uint32_t> stateFor(Before before, std::vector<uint32_t> ways);
    uint32_t edge(uint32_t state, uint32_t unitClass);  // kUnknown when there would be too many states
    uint32_t startRow(Before before);  // kUnknown when overgrown
    uint32_t slowEdge(uint32_t row, uint32_t unitClass);  // an edge not yet made; kUnknown when overgrown
    static void checkpoint();
    bool holds(dialect::NodeKind assertion, Before before, std::optional<uint32_t> next) const;

    bool ignoreCase_ = false;
    bool multiline_ = false;
    bool overgrown_ = false;
    std::vector<Instruction> program_;
    std::vector<Matcher> matchers_;
    // Units are sorted into classes that every test treats alike: a byte table below 256, a
    // search by signature (which tests a unit passes) above.
    uint8_t lowClass_[256] = {};
    std::vector<uint64_t> classSignatures_;
    std::vector<State> states_;  // state 0: no way left
    // Each state's row of edges, by class: the next state's row start << 1, | 1 when a match ends
    // before the unit; kUnknown until first taken.
    std::vector<uint32_t> edges_;
    std::map<std::pair<Before, std::vector<uint32_t>>, uint32_t> stateIndex_;
    std::optional<uint32_t> starts_[4];
    std::vector<uint32_t> seen_;  // per instruction: the pass that last reached it
    uint32_t pass_ = 0;
};

}  // namespace regexp::detail
