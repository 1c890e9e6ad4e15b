// A compiled pattern of the VBScript 5.5 regular-expression dialect, run by PCRE2 (16-bit code
// units, JIT when available), or for some shapes by matchers of its own that find the same
// matches. Text and positions are UTF-16 code units.
//
// The dialect (ECMAScript 3 style, as the VBScript engine reads it):
// - `^` matches only at the start of the subject and `$` only at its very end; in multi-line
//   mode `^` also matches after "\n" or "\r" and `$` before them.
// - `.` is any code unit but "\n" ("\r" included).
// - `\d` [0-9], `\w` [A-Za-z0-9_], `\s` [ \f\n\r\t\v], `\b` `\B` by `\w`: ASCII only.
// - `\f \n \r \t \v` controls, `\cX` control of a letter (otherwise "c"), `\xhh`, `\uhhhh`
//   (otherwise "x", "u"), `\0`..`\377` octal; `\n`/`\nm` is a back reference when at least that
//   many groups open before it, else octal (or the digit itself for 8 and 9). `\` before any
//   other character is that character: PCRE's own escapes (\A \z \Z \G \K \Q \E \h \R \X \p ...)
//   have no meaning here. Inside brackets `\b` is backspace and `[:x:]`, `[.x.]` are ordinary
//   characters; `[]` matches nothing and `[^]` any code unit; a range with a class escape at an
//   end keeps the '-' as a character.
// - Groups `(...)`, `(?:...)`, lookahead `(?=...)` `(?!...)`; anything else after `(?` fails with
//   5018, so named groups, inline options, atomic groups and lookbehind do not exist. Greedy and
//   lazy quantifiers; a second quantifier (`a++`, `a**`) fails with 5018; `{` that does not
//   start a valid quantifier is a character.
// - A back reference to a group that took no part matches empty.
// - IgnoreCase compares code units by their simple upper-case mapping; a non-ASCII unit never
//   matches an ASCII one (so U+017F and U+212A do not match "s" and "k").
//
// Where PCRE2 cannot follow the dialect:
// - In a repeated group, ECMAScript clears the captures of inner groups at each pass; PCRE2 keeps
//   a capture from an earlier pass: `(?:(a)|b)+` on "ab" gives group 0 "a" here, empty there.
// - A case-insensitive back reference compares non-ASCII units exactly.
// - Counts in `{n,m}` above 65535, more than 250 nested groups and compiled patterns above
//   PCRE2's size limit fail with 5017, described as exceeding a limit of the engine. A keyword
//   list (see KeywordList) is searched by word lookup without PCRE2, so it has no such limit.
//
// Errors (ComError, source "VBScript_RegExp_55"), with the engine's texts: 5017 syntax (a ')'
// that closes nothing, a '\' at the end, {n,m} with n > m), 5018 unexpected quantifier, 5019
// expected ']', 5020 expected ')', 5021 invalid range. A search that reaches the backtracking
// limits (a runaway pattern) fails with 5017 and a description naming the limit.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/regexp/unit_set.h"

namespace regexp {

struct Options {
    bool ignoreCase = false;
    bool multiline = false;
    bool operator==(const Options&) const = default;
};

// A matched stretch of the subject; both ends npos for a group that took no part.
struct Span {
    static constexpr size_t npos = static_cast<size_t>(-1);
    size_t start = npos;
    size_t end = npos;
    bool matched() const { return start != npos; }
    size_t length() const { return matched() ? end - start : 0; }
    bool operator==(const Span&) const = default;
};

// The dialect's word characters (\w, and what \b looks at): [A-Za-z0-9_].
namespace detail {
struct WordUnitTable {
    bool member[128] = {};
    constexpr WordUnitTable() {
        for (char16_t unit = 0; unit < 128; ++unit)
            member[unit] = (unit >= u'0' && unit <= u'9') || (unit >= u'a' && unit <= u'z') ||
                           (unit >= u'A' && unit <= u'Z') || unit == u'_';
    }
};
inline constexpr WordUnitTable kWordUnits;
}  // namespace detail
inline bool IsWordUnit(char16_t unit) { return unit < 128 && detail::kWordUnits.member[unit]; }
// The same units as a set.
const CodeUnitSet& WordUnitSet();

// A pattern of the form \b(w1|w2|...)\b, \b(?:w1|...)\b or \bw\b whose words are made of ASCII
// word characters only. At a position p it matches exactly when p is a word start (p is the
// subject start or the unit before p is not a word character) and the run of word characters
// from p equals one of the words (compared without regard to ASCII case when ignoreCase). The
// match is that run; when `captured`, group 1 is the same run.
struct KeywordList {
    std::vector<std::u16string> words;
    bool ignoreCase = false;
    bool captured = false;
};

// A pattern of the form (?:w1|w2|...)(?!C) or \b(?:w1|...)(?!C), case-sensitive, where C is one
// class that holds every unit of every word (ASCII) and the words may be written as alternatives
// sharing prefixes, with optional parts. (?=S|$) ends one too, S a class that holds the line ends:
// C is then every unit outside S. A match ends where the run of C's units ends. At p the
// global match list from the subject's start holds one exactly when the run from p to that end is
// a word and, with \b, p is a word start; without it, when also no longer part of the run ending
// there, beginning at or after the subject's start, is a word (that match would take p in).
struct NameList {
    KeywordList words;  // `captured` when a group holds the words
    std::shared_ptr<const CodeUnitSet> nameUnits;  // C
    bool wordStart = false;  // \b comes first
};

// One thread uses a Pattern at a time: it reuses its match data from search to search.
// How many backtracking steps one search may take before it fails with 5017 (100 million unless
// set). Fuzz targets lower it so that no single input runs for seconds under instrumentation;
// searches started afterwards, on every thread, use the new limit.
void SetMatchLimit(uint32_t limit);
// How large a thread's first JIT stack may grow (256 MiB unless set), for threads that start
// searching afterwards. A search that needs more runs again with a stack four times as large, up
// to 4 GiB; tests lower it to reach that.
void SetFirstJitStackSize(size_t bytes);

class Pattern {
public:
    // Translates and compiles; throws ComError for a pattern the dialect rejects.
    Pattern(std::u16string_view source, Options options);
    ~Pattern();
    Pattern(const Pattern&) = delete;
    Pattern& operator=(const Pattern&) = delete;

    const std::u16string& source() const;
    Options options() const;
    size_t groupCount() const;  // capturing groups, numbered from 1 in order of '('

    // The first match that starts at or after `from` in `subject`. The subject is the whole
    // text the pattern sees: `^` and a `\b` or lookahead at its start treat its first unit as
    // the start of the text, while units before `from` are still visible to `\b` and multi-line
    // `^`. Nothing when `from` is past the end. No allocation per call. Throws ComError 5017
    // when the search reaches a limit.
    // A caller that needs no match starting after `lastStart` says so: the search may then stop
    // there and give nothing (a match it gives is still the first at or after `from`).
    std::optional<Span> searchFrom(std::u16string_view subject, size_t from, size_t lastStart = Span::npos);
    // The same, filling spans[0] with the match and spans[i] with group i (resized to
    // groupCount() + 1). False when there is no match.
    bool searchFrom(std::u16string_view subject, size_t from, std::vector<Span>& spans, size_t lastStart = Span::npos);

    // What a caller may learn to avoid searches:
    // - maxLookbehind: how many units before a match position the pattern may inspect (`\b` and
    //   multi-line `^` count 1, and so does a `^` outside multi-line mode). Searches from q
    //   find the same match, counted in positions of the whole text, in every subject that
    //   begins at or before q - maxLookbehind() and runs to the end of the text.
    // - anchoredAtStart: every match starts at position 0 of the subject.
    // - minLength: a lower bound of the units a subject must hold from a match's start (PCRE2's
    //   figure, or the parse tree's where PCRE2's is too large; text that a lookahead inspects
    //   counts, so an empty match may need some).
    // - mayMatchEmpty: false only when no match can be empty.
    // - firstUnits: the units a match can start with; null when mayMatchEmpty().
    // - singleUnitSet: non-null when the pattern is a single code unit test (a character, a
    //   class, `.`, or alternatives of these, without groups or assertions): it matches at p
    //   exactly when p < size and subject[p] is in the set.
    // - keywordList: see KeywordList; nameList: see NameList.
    // - localRuns: for X+, X Y*, O?X Y* and X Y where every unit of X and O is one of Y (as
    //   \s+, [A-Za-z_]\w*, -?[a-z][\w-]* and \\[\s\S]): the matches a global search from the
    //   subject's start finds are decided by the units around them, without a search. For X+,
    //   X Y* and O?X Y*, each run of units of Y holds at most one, from its first unit of X (or
    //   the unit of O right before it) to the run's end. For X Y, in each run of units of
    //   X one begins at its first unit and at every second one after it, and takes the next unit
    //   when that is one of Y. `first` is X, `rest` Y. X+(?=S) and X Y*(?=S), where S is a set
    //   of units none of Y, hold the same matches where the unit after the run is one of S
    //   (`followedBy`), and none elsewhere; the same with (?=W*S), W a set of units none of Y,
    //   where S comes after units of W (`passedBeforeFollower`); X+Z? and X Y*Z? (Z a set of units none of Y, taken
    //   greedily) the same matches, each with the unit after the run when that is one of Z
    //   (`optionalLast`). Nothing for any other pattern.
    // - singlesApart: for A|u|..., whose other alternatives are single units that no match of A
    //   holds (`~` in \b(?:true|null)\b|~), the pattern A and those units. Its global match
    //   list is A's, with each of those units matched alone where it stands.
    // - runAt (only with localRuns): that global search's match that begins at `position`.
    // - mayHoldAnyOf: whether a match or a group's text may hold one of `units` (any unit beyond
    //   ASCII counts as held).
    struct LocalRuns {
        const CodeUnitSet* first;
        const CodeUnitSet* rest;
        bool pairs = false;  // X Y
        const CodeUnitSet* followedBy = nullptr;  // S, or null
        const CodeUnitSet* passedBeforeFollower = nullptr;  // W, or null
        const CodeUnitSet* optionalLast = nullptr;  // Z, or null
        const CodeUnitSet* lead = nullptr;  // O of O?X Y*, or null
        const CodeUnitSet* starts = nullptr;  // the units a match begins with: X, or O and X
        // Where the last pair asked for stood, with the start of the run of X it stands in, so
        // that asking along a long run walks it once. Good for one text, whatever subjects of it
        // are asked about.
        struct Memo {
            const char16_t* subject = nullptr;
            const char16_t* at = nullptr;
            const char16_t* runStart = nullptr;
        };
        // The match that begins at `position`, or an unmatched span.
        Span runAt(std::u16string_view subject, size_t position) const {
            if (position >= subject.size() || !starts->test(subject[position])) return Span{};
            Memo memo;
            return runAtUnitOfFirst(subject, position, memo);
        }
        // The same where the subject holds a unit of `starts` at `position` (inline: the formatter
        // asks at nearly every step).
        Span runAtUnitOfFirst(std::u16string_view subject, size_t position, Memo& memo) const {
            if (pairs) return pairAt(subject, position, memo);
            if (lead) return leadRunAt(subject, position);
            const char16_t* const units = subject.data();
            // A match that began earlier in the same run of Y takes this unit in.
            for (size_t before = position; before > 0 && rest->test(units[before - 1]); --before) {
                if (first->test(units[before - 1])) return Span{};
            }
            return runOnFrom(subject, position, position + 1);
        }
        // Whether the units before `position` (< the subject's size) can decide a match at or
        // after it: the run that decides it goes on across the position.
        bool reachesBack(std::u16string_view subject, size_t position) const {
            const CodeUnitSet& run = pairs ? *first : *rest;
            return position > 0 && run.test(subject[position - 1]) && run.test(subject[position]);
        }

    private:
        // The match from `position` whose units before `end` are taken: to the end of the run of
        // Y, with Z and S as asked for.
        Span runOnFrom(std::u16string_view subject, size_t position, size_t end) const {
            const char16_t* const units = subject.data();
            while (end < subject.size() && rest->test(units[end])) ++end;
            if (optionalLast && end < subject.size() && optionalLast->test(units[end])) ++end;
            if (followedBy && !followerAt(subject, end)) return Span{};
            return Span{position, end};
        }
        Span leadRunAt(std::u16string_view subject, size_t position) const;
        // Whether a unit of S comes at `at`, or after units of W there.
        bool followerAt(std::u16string_view subject, size_t at) const {
            for (; at < subject.size(); ++at) {
                if (followedBy->test(subject[at])) return true;
                if (!passedBeforeFollower || !passedBeforeFollower->test(subject[at])) return false;
            }
            return false;
        }
        Span pairAt(std::u16string_view subject, size_t position, Memo& memo) const;
        // Where the run of X units that ends at `at` begins, no further back than floor.
        const char16_t* runStartBefore(const char16_t* floor, const char16_t* at, Memo& memo) const;
    };
    // Whether the try at a position alone decides the global match list's match there: a match
    // begins with units no later unit of a match can be (StartUnitsNotTakenLater), so no earlier
    // match takes that position in, and the automata try it without PCRE2. Builds them.
    bool triesDecideMatches();
    // Then the match that begins at `position` (< the subject's size) in the global match list
    // from the subject's start, or an unmatched span.
    Span matchAt(std::u16string_view subject, size_t position);
    size_t maxLookbehind() const;
    // Whether a search from any position in [from, through] finds the same match in the subjects
    // of `text` that begin at startA and at startB (both at or before `from`, both running to the
    // end of `text`): the try at every such position gives the same result in both. Only a try
    // that looks back past the later start can differ, and not when it cannot begin with the unit
    // there, or when what it looks back at (\b \B ^) takes the unit before that start as it
    // takes a subject's start. So what a search showed for one subject holds for the other.
    bool triesAlike(std::u16string_view text, size_t startA, size_t startB, size_t from, size_t through) const;
    bool anchoredAtStart() const;
    size_t minLength() const;
    bool mayMatchEmpty() const;
    const CodeUnitSet* firstUnits() const;
    const CodeUnitSet* singleUnitSet() const;
    const std::optional<KeywordList>& keywordList() const;
    const std::optional<NameList>& nameList() const;
    std::optional<LocalRuns> localRuns() const;
    struct SinglesApart {
        std::shared_ptr<Pattern> rest;
        CodeUnitSet units;
    };
    const std::optional<SinglesApart>& singlesApart();
    std::optional<Span> runAt(std::u16string_view subject, size_t position) const;
    bool mayHoldAnyOf(std::u16string_view units) const;

    // Whether searches walk the subject with a sequence of unit tests instead of running PCRE2
    // (patterns such as \w+ or [A-Za-z_]\w*\( with one greedy reading; for tests).
    bool walksWithoutEngine() const;
    // Whether searches find a match's bounds with deterministic automata in time that grows with
    // the text alone, PCRE2 giving only its groups (patterns of unit tests, groups, alternatives,
    // repeats and \b \B ^ $ whose matches are never empty; for tests).
    bool searchesByAutomaton();
    // The search run by PCRE2's interpreter on the translated pattern alone, without the JIT
    // and without the shortcuts above (a second opinion for tests; a keyword list's PCRE2 code
    // is compiled for it, and may fail there with 5017).
    bool searchFromByInterpreter(std::u16string_view subject, size_t from, std::vector<Span>& spans);
    // The search by the automata first, where searchesByAutomaton() (a pattern with a longer
    // lookahead has them search only where PCRE2's search grows long; for tests).
    bool searchFromByAutomaton(std::u16string_view subject, size_t from, std::vector<Span>& spans);
    // The pattern as handed to PCRE2 (for diagnostics).
    const std::u16string& translated() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// A compiled pattern for (source, options), shared by every caller on this thread; the most
// recently used few hundred stay compiled.
std::shared_ptr<Pattern> CachedPattern(std::u16string_view source, Options options);

}  // namespace regexp
