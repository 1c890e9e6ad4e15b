// Facts about a parsed pattern that let a caller skip searches.
#pragma once

#include <array>
#include <bitset>
#include <memory>
#include <optional>
#include <vector>

#include "platform/regexp/dialect_tree.h"

namespace regexp::dialect {

// False only when no match can be empty.
bool MayMatchEmpty(const Node& node);
// A lower bound of the units a subject must hold from a match's start: what the match consumes,
// or more where a lookahead looks further (back references count nothing: the group may be
// unset).
size_t MinimumReach(const Node& node);
// Whether a lookahead can be tested at a match's start, before anything is consumed.
bool LooksAheadAtStart(const Node& node);
// Whether the pattern holds a back reference.
bool RefersBack(const Node& node);
// Whether an unbounded repeat takes a part that is more than one unit test, as in (?:[^"\\]|\\.)*:
// a backtracking search keeps a frame for each pass, where an automaton reads each unit once.
bool RepeatsAPart(const Node& node);
// Whether a lookahead that holds an unbounded repeat comes right after an unbounded repeat of
// units it may begin with, as in [^\n:]*?(?=[ \t]*:): a backtracking search asks it at every
// unit of the repeat's run, and each ask may read to the run's end.
bool LookaheadRereadsRun(const Node& root, bool ignoreCase);
// Where an alternation with two alternatives that each take a fixed number of units, but not
// the same number (an assertion takes none), as "(?:a|\B)" and "(?:aa|a)", comes before the
// first part of a match that varies in length: the root's part that holds it (the root itself
// unless the root is a sequence), else null. The parts before it are of fixed length.
const Node* PartOpeningUnequalAlternatives(const Node& root);
// The units a non-empty match can start with; null when the pattern may match empty.
std::unique_ptr<UnitBits> FirstUnits(const Node& root, bool ignoreCase);
// The set of a pattern that tests exactly one code unit, or null.
std::unique_ptr<UnitBits> SingleUnitSet(const Node& root, bool ignoreCase);
// The ASCII units that a match, or the text of a group (a lookahead's too), may hold. (No unit
// beyond ASCII equals an ASCII one without regard to case.)
std::bitset<128> AsciiUnitsHeld(const Node& root, bool ignoreCase);
// The assertions of a pattern that look at the unit before their position (\b, \B, ^), by what
// they take a subject's start for: the unit before it is no word unit, is a line end, or the
// start is unlike any unit.
struct LookBack {
    bool wordBoundary = false;  // \b or \B
    bool lineStart = false;     // ^ in multi-line mode
    bool textStart = false;     // ^ otherwise
    bool any() const { return wordBoundary || lineStart || textStart; }
    // Whether each of them takes `before` in front of a position as it takes a subject's start.
    bool takesAsStart(char16_t before) const {
        return !textStart && !(wordBoundary && IsWordUnit(before)) && !(lineStart && before != u'\n' && before != u'\r');
    }
};
LookBack LooksBack(const Node& root, bool multiline);
// Whether every match begins at a word boundary (\b comes first).
bool StartsAtWordBoundary(const Node& root);
// The words of a keyword-list pattern (see KeywordList), or nothing.
std::optional<KeywordList> FindKeywordList(const Node& root, bool ignoreCase);
// The units a match begins with, where no match can take in a position at which one begins: no
// later unit of a match (nor of a lookahead) can be one of them, as in \$\w+ and
// </?[A-Za-z][\w:.-]*; or the pattern starts with \b and holds word units only, as \b[A-Z]\w*
// (a match then takes in no word start). For a pattern that starts (after a \b) with one test of
// ASCII units; null otherwise.
std::unique_ptr<UnitBits> StartUnitsNotTakenLater(const Node& root, bool ignoreCase);
// The units a lookahead that tests the next unit alone refuses there: those of (?![...]), or
// those outside the set of (?=[...]|$) when the set holds the line ends (in multi-line mode $
// stands before them too). Null for any other node. ((?=\n|$) stays a longer lookahead: as a
// unit test it had md.hlx's line patterns searched by the automata first, 18% slower there.)
std::unique_ptr<UnitBits> UnitsRefusedNext(const Node& lookahead, bool ignoreCase);
// The words of a name-list pattern (see NameList), or nothing.
std::optional<NameList> FindNameList(const Node& root, bool ignoreCase);

// A code unit that every match takes at most `within` units after its start.
struct RequiredUnit {
    char16_t unit = 0;
    size_t within = 0;
};
// Such a unit that a match need not start with (the engine finds those itself): one the
// pattern takes once, outside any repeat, alternative or lookahead, that equals no other unit
// when ignoring case, after a part of bounded length.
std::optional<RequiredUnit> FindRequiredUnit(const Node& root, bool ignoreCase);

// At most four ASCII units, one of which every match takes right after its first parts (of the
// root sequence, or of each alternative of a root alternation), which hold none of them (but for
// a first part of one unit, when every alternative has one): the first such unit from a match's
// start (or the unit after it) on is where those parts end. For patterns whose first parts may run
// long, as the keyword and spaces of \b(return|case)(\s+)(/[^/]+/): a match starts where those
// parts, read backward from such a unit, end. A positive lookahead that ends a sequence counts
// as its parts (the text it reads comes right after the match).
struct InnerUnits {
    std::vector<size_t> partsBefore;  // the number of first parts, of each alternative
    std::array<char16_t, 4> units{};  // repeated to fill
    size_t count = 0;
    bool afterFirstUnit = false;  // the first part of each is one unit, which may be an inner one
};
std::optional<InnerUnits> FindInnerUnits(const Node& root, bool ignoreCase);
// Those first parts, taken out of a root for which FindInnerUnits gave `inner`: a sequence of
// them, or an alternation of such sequences.
NodePtr PartsBeforeInner(NodePtr root, const InnerUnits& inner);

}  // namespace regexp::dialect
