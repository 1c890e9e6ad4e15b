#include "platform/regexp/pattern.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <algorithm>
#include <chrono>
#include <array>
#include <atomic>
#include <bitset>
#include <exception>
#include <list>
#include <map>
#include <tuple>
#include <type_traits>
#include <utility>

#include "platform/automation/error_numbers.h"
#include "platform/regexp/dialect_tree.h"
#include "platform/regexp/keyword_set.h"
#include "platform/regexp/lazy_dfa.h"
#include "platform/regexp/pattern_analysis.h"
#include "platform/regexp/pcre_translation.h"
#include "platform/regexp/regexp_error.h"
#include "platform/regexp/search_watch.h"
#include "platform/regexp/unit_sequence.h"

namespace regexp {

namespace {

// Limits that stop a runaway pattern: generous enough for the patterns of real definitions
// over inputs of tens of megabytes (a lazy [\s\S]*? across 10 MB takes about 10 million steps;
// a repeated group over a 1 MB string literal needs about 30 MB of JIT stack).
constexpr uint32_t kMatchLimit = 100'000'000;
std::atomic<uint32_t> gMatchLimit{kMatchLimit};  // SetMatchLimit
// A search runs first without callouts (each costs a call where the engine passes it), a stretch
// of this many starts at a time with the search watch's turn between them; when it reaches this
// many steps (well under a millisecond) it is run again with callouts from that stretch on.
constexpr size_t kQuickStarts = 64 * 1024;
constexpr uint32_t kQuickMatchLimit = 100'000;
// PCRE2's match limit does not count every step: a lazy repeat run to a line's end from every
// start before a lookahead fails takes time that grows with the square of the line within it. A
// pattern that the automata can take has its stretches start at a few starts, and one whose
// stretch costs more than this a start goes to the automata.
constexpr size_t kFirstTimedStarts = 64;
constexpr std::chrono::nanoseconds kSlowStart{2'000};
constexpr std::chrono::microseconds kSlowStretch{200};
constexpr uint32_t kDepthLimit = 10'000'000;    // the interpreter's backtracking depth
constexpr PCRE2_SIZE kHeapLimitKiB = 1 << 20;  // the interpreter's frames: 1 GiB
constexpr PCRE2_SIZE kJitStackStart = 32 * 1024;
constexpr PCRE2_SIZE kJitStackMax = 256 * 1024 * 1024;
std::atomic<PCRE2_SIZE> gFirstJitStackMax{kJitStackMax};  // SetFirstJitStackSize
// A search that needs more (a repeated group over tens of megabytes) runs again with a stack four
// times as large, up to this; only the pages it uses take memory.
constexpr PCRE2_SIZE kJitStackLargest = PCRE2_SIZE(4) << 30;
constexpr uint32_t kParenthesesNestLimit = 250;
constexpr size_t kCacheSize = 256;
// A search loop of this layer's own gives the search watch a turn about this often.
constexpr size_t kUnitsBetweenCheckpoints = 1 << 16;

// PCRE2 refuses a null subject even when it is empty.
const PCRE2_UCHAR* Units(std::u16string_view text) {
    return reinterpret_cast<const PCRE2_UCHAR*>(text.data() ? text.data() : u"");
}

std::u16string Pcre2Message(int code) {
    PCRE2_UCHAR buffer[256];
    int length = pcre2_get_error_message(code, buffer, 256);
    if (length < 0) return u"unknown PCRE2 error";
    return std::u16string(reinterpret_cast<const char16_t*>(buffer), static_cast<size_t>(length));
}

// PCRE2's compile errors as the engine's numbers. The translated pattern is always valid
// PCRE2 syntax, so in practice only the limits occur; the rest maps by meaning in case PCRE2
// ever disagrees with the translation.
struct CompileErrorMapping {
    int pcre2Code;
    LONG number;  // 0: a limit of the engine, reported with PCRE2's text
};

constexpr CompileErrorMapping kCompileErrors[] = {
    {PCRE2_ERROR_END_BACKSLASH, errnum::kRegExpSyntax},
    {PCRE2_ERROR_QUANTIFIER_OUT_OF_ORDER, errnum::kRegExpSyntax},
    {PCRE2_ERROR_MISSING_SQUARE_BRACKET, errnum::kRegExpExpectedBracket},
    {PCRE2_ERROR_CLASS_RANGE_ORDER, errnum::kRegExpInvalidRange},
    {PCRE2_ERROR_CLASS_INVALID_RANGE, errnum::kRegExpInvalidRange},
    {PCRE2_ERROR_QUANTIFIER_INVALID, errnum::kRegExpUnexpectedQuantifier},
    {PCRE2_ERROR_INTERNAL_UNEXPECTED_REPEAT, errnum::kRegExpUnexpectedQuantifier},
    {PCRE2_ERROR_INVALID_AFTER_PARENS_QUERY, errnum::kRegExpUnexpectedQuantifier},
    {PCRE2_ERROR_MISSING_CLOSING_PARENTHESIS, errnum::kRegExpExpectedParenthesis},
    {PCRE2_ERROR_UNMATCHED_CLOSING_PARENTHESIS, errnum::kRegExpSyntax},
    {PCRE2_ERROR_QUANTIFIER_TOO_BIG, 0},
    {PCRE2_ERROR_PARENTHESES_NEST_TOO_DEEP, 0},
    {PCRE2_ERROR_PATTERN_TOO_LARGE, 0},
    {PCRE2_ERROR_HEAP_FAILED, 0},
    {PCRE2_ERROR_INTERNAL_CODE_OVERFLOW, 0},
    {PCRE2_ERROR_TOO_MANY_CAPTURES, 0},
    {PCRE2_ERROR_PATTERN_TOO_COMPLICATED, 0},
    {PCRE2_ERROR_PATTERN_STRING_TOO_LONG, 0},
    {PCRE2_ERROR_PARENTHESES_STACK_CHECK, 0},
};

[[noreturn]] void RaiseCompileError(int pcre2Code) {
    for (const CompileErrorMapping& mapping : kCompileErrors) {
        if (mapping.pcre2Code != pcre2Code) continue;
        if (mapping.number == 0) RaiseLimitError(Pcre2Message(pcre2Code));
        RaiseError(mapping.number);
    }
    RaiseError(errnum::kRegExpSyntax);
}

// What a tick function threw inside a callout, to be raised again once the engine has returned.
std::exception_ptr& PendingFailure() {
    thread_local std::exception_ptr failure;
    return failure;
}

// Called by the engine at the callout points of every pattern: a tick of the search watch, when
// one is due. Nothing may be thrown through the engine.
int OnCallout(pcre2_callout_block*, void* thisThreadsWatch) {
    try {
        return SearchWatch::KeepGoing(*static_cast<SearchWatch* const*>(thisThreadsWatch)) ? 0 : PCRE2_ERROR_CALLOUT;
    } catch (...) {
        PendingFailure() = std::current_exception();
        return PCRE2_ERROR_CALLOUT;
    }
}

// A failed search: the limits as the runaway-pattern error, memory as error 7, a stop asked for
// by the search watch as SearchInterrupted.
[[noreturn]] void RaiseMatchError(int rc) {
    switch (rc) {
    case PCRE2_ERROR_CALLOUT:
        if (std::exception_ptr failure = std::exchange(PendingFailure(), nullptr)) std::rethrow_exception(failure);
        throw SearchInterrupted();
    case PCRE2_ERROR_MATCHLIMIT:
        RaiseLimitError(u"the search backtracks too much (match limit reached)");
    case PCRE2_ERROR_DEPTHLIMIT:
    case PCRE2_ERROR_HEAPLIMIT:
    case PCRE2_ERROR_JIT_STACKLIMIT:
        RaiseLimitError(u"the search backtracks too deeply (depth limit reached)");
    case PCRE2_ERROR_NOMEMORY: RaiseError(7);
    default: RaiseLimitError(Pcre2Message(rc));
    }
}

struct CodeDeleter {
    void operator()(pcre2_code* code) const { pcre2_code_free(code); }
};
struct MatchDataDeleter {
    void operator()(pcre2_match_data* data) const { pcre2_match_data_free(data); }
};
struct MatchContextDeleter {
    void operator()(pcre2_match_context* context) const { pcre2_match_context_free(context); }
};
struct CompileContextDeleter {
    void operator()(pcre2_compile_context* context) const { pcre2_compile_context_free(context); }
};
struct JitStackDeleter {
    void operator()(pcre2_jit_stack* stack) const { pcre2_jit_stack_free(stack); }
};

// Match contexts: the limits, the callout and a JIT stack. Each thread has one set that all its
// patterns share, and one more for the searches run by a tick of the search watch while another
// search waits in a callout. The quick context is for patterns without callouts: its small
// match limit keeps such a search short, and one that reaches it is run again with callouts.
class MatchResources {
public:
    MatchResources() : context_(NewContext(limit_)), quickContext_(NewContext(QuickLimit(limit_))) {
        pcre2_set_callout(context_.get(), OnCallout, const_cast<SearchWatch**>(&SearchWatch::ThisThread()));
        useJitStack(gFirstJitStackMax.load(std::memory_order_relaxed));
    }
    // A JIT stack four times as large, for a search that reached the end of this one: false when
    // there is none to be had.
    bool growJitStack() { return stackMax_ < kJitStackLargest && useJitStack(4 * stackMax_); }
    // The contexts, with the match limit in force now.
    pcre2_match_context* context() {
        followLimit();
        return context_.get();
    }
    pcre2_match_context* quickContext() {
        followLimit();
        return quickContext_.get();
    }

    static MatchResources& forThisThread(bool duringTick) {
        if (duringTick) {
            thread_local MatchResources tickResources;
            return tickResources;
        }
        // Found through a pointer of the static thread-local model, which costs no call into the
        // dynamic linker at each search as the object itself (of a shared library) would.
        static thread_local MatchResources* known __attribute__((tls_model("initial-exec"))) = nullptr;
        if (known) return *known;
        thread_local MatchResources resources;
        known = &resources;
        return resources;
    }

private:
    static std::unique_ptr<pcre2_match_context, MatchContextDeleter> NewContext(uint32_t matchLimit) {
        std::unique_ptr<pcre2_match_context, MatchContextDeleter> context(pcre2_match_context_create(nullptr));
        if (!context) RaiseError(7);
        pcre2_set_match_limit(context.get(), matchLimit);
        pcre2_set_depth_limit(context.get(), kDepthLimit);
        pcre2_set_heap_limit(context.get(), kHeapLimitKiB);
        return context;
    }
    static uint32_t QuickLimit(uint32_t limit) { return std::min(limit, kQuickMatchLimit); }
    bool useJitStack(PCRE2_SIZE max) {
        std::unique_ptr<pcre2_jit_stack, JitStackDeleter> stack(pcre2_jit_stack_create(kJitStackStart, max, nullptr));
        if (!stack) return false;
        pcre2_jit_stack_assign(context_.get(), nullptr, stack.get());
        pcre2_jit_stack_assign(quickContext_.get(), nullptr, stack.get());
        stack_ = std::move(stack);
        stackMax_ = max;
        return true;
    }
    void followLimit() {
        const uint32_t limit = gMatchLimit.load(std::memory_order_relaxed);
        if (limit == limit_) return;
        pcre2_set_match_limit(context_.get(), limit);
        pcre2_set_match_limit(quickContext_.get(), QuickLimit(limit));
        limit_ = limit;
    }

    uint32_t limit_ = kMatchLimit;
    std::unique_ptr<pcre2_match_context, MatchContextDeleter> context_;
    std::unique_ptr<pcre2_match_context, MatchContextDeleter> quickContext_;
    std::unique_ptr<pcre2_jit_stack, JitStackDeleter> stack_;
    PCRE2_SIZE stackMax_ = 0;
};

// PCRE2's JIT search, run again with a larger stack while the stack is what stops it.
int JitMatch(MatchResources& resources, const pcre2_code* code, std::u16string_view subject, size_t from,
             pcre2_match_data* data, pcre2_match_context* context) {
    int rc;
    do {
        rc = pcre2_jit_match(code, Units(subject), subject.size(), from, 0, data, context);
    } while (rc == PCRE2_ERROR_JIT_STACKLIMIT && resources.growJitStack());
    return rc;
}

std::unique_ptr<pcre2_code, CodeDeleter> Compile(const std::u16string& translated, Options options,
                                                 uint32_t extraFlags = 0) {
    std::unique_ptr<pcre2_compile_context, CompileContextDeleter> context(pcre2_compile_context_create(nullptr));
    if (!context) RaiseError(7);
    pcre2_set_newline(context.get(), PCRE2_NEWLINE_LF);
    pcre2_set_parens_nest_limit(context.get(), kParenthesesNestLimit);
    uint32_t flags = PCRE2_MATCH_UNSET_BACKREF | PCRE2_NEVER_UTF | PCRE2_NEVER_UCP | PCRE2_NEVER_BACKSLASH_C |
                     PCRE2_DOLLAR_ENDONLY | extraFlags;
    if (options.ignoreCase) flags |= PCRE2_CASELESS;
    int error = 0;
    PCRE2_SIZE offset = 0;
    pcre2_code* code = pcre2_compile(Units(translated), translated.size(), flags, &error, &offset, context.get());
    if (!code) RaiseCompileError(error);
    return std::unique_ptr<pcre2_code, CodeDeleter>(code);
}

uint32_t InfoNumber(const pcre2_code* code, uint32_t what) {
    uint32_t value = 0;
    pcre2_pattern_info(code, what, &value);
    return value;
}

}  // namespace

struct Pattern::Impl {
    std::u16string source;
    Options options;
    std::u16string translated;
    uint32_t compileFlags = 0;
    size_t groups = 0;
    std::unique_ptr<pcre2_code, CodeDeleter> code;   // with callouts; JIT-compiled when first needed
    std::unique_ptr<pcre2_code, CodeDeleter> quick;  // without callouts, JIT-compiled when first searched
    std::unique_ptr<pcre2_match_data, MatchDataDeleter> matchData;
    std::unique_ptr<pcre2_match_data, MatchDataDeleter> tickData;  // for a search run by a tick
    pcre2_match_data* current = nullptr;  // the match data of the last search
    bool jit = false;  // code is JIT-compiled
    bool jitTried = false;
    bool quickTried = false;
    size_t maxLookbehind = 0;
    dialect::LookBack lookBack;
    bool anchored = false;
    size_t minLength = 0;
    bool mayMatchEmpty = true;
    std::bitset<128> asciiHeld;  // the ASCII units a match or group may hold
    std::optional<CodeUnitSet> firstUnits;
    std::optional<CodeUnitSet> singleUnits;
    std::optional<KeywordList> keywords;
    std::optional<NameList> names;
    // Searches a keyword list by word lookup: PCRE2 would refuse a long list as too large.
    std::optional<KeywordSet> keywordSet;
    std::optional<detail::UnitSequence> sequence;  // walks a match for its groups in place of PCRE2...
    bool sequenceSearches = false;  // ... and searches too, when that takes linear time
    // X+ or X Y* of X+(?=S), X Y*(?=S), X Y*(?=W*S), X+Z? and X Y*Z?, with S or Z, and W (see LocalRuns)
    std::optional<detail::UnitSequence> runsBeforeEnding;
    std::optional<CodeUnitSet> endingUnits;
    std::optional<CodeUnitSet> passedBeforeEnding;
    bool endingIsLookahead = false;
    bool refersBack = false;  // holds a back reference
    // A|u|...: the alternatives other than the single units, and those units (see singlesApart).
    std::u16string restOfSingles;
    std::u16string singlesApart;
    std::optional<std::optional<SinglesApart>> singlesApartFound;  // once asked for
    bool startsNotTakenLater = false;  // see triesDecideMatches
    size_t startLimit = Span::npos;  // the search under way may give nothing for a match starting after it
    std::optional<detail::LazyDfa> dfa;  // finds a match's end in place of PCRE2...
    std::optional<detail::LazyDfa> backwardDfa;  // ... and its start
    bool dfaTried = false;
    bool lookaheadRereadsRun = false;  // see dialect::LookaheadRereadsRun
    bool repeatsAPart = false;  // see dialect::RepeatsAPart
    size_t dfaPairs[2] = {};  // the automaton's last match
    std::array<char16_t, 4> fewFirstUnits{};  // the units a match can start with (repeated to fill)...
    size_t fewFirstUnitCount = 0;             // ... when there are at most four, else 0
    std::optional<dialect::RequiredUnit> required;   // searches start a bounded way before it
    // Searches start where the first parts end at an inner unit (see FindInnerUnits), found by
    // reading those parts backward from the unit.
    std::optional<dialect::InnerUnits> inner;
    std::optional<detail::LazyDfa> partsBeforeInner;
    std::optional<std::pair<char16_t, char16_t>> startRange;  // every match starts with a unit of it
    bool startsWord = false;  // every match starts a word: the unit before it is no word unit

    // Where a search from `from` can start: no match begins more than `within` units before the
    // required unit's first place at or after `from`. Past the end when there is no such place.
    size_t firstPossibleStart(std::u16string_view subject, size_t from, size_t lastStart = Span::npos) {
        size_t requiredAt = Span::npos;
        return nextPossibleStart(subject, from, requiredAt, lastStart);
    }
    // The same where `requiredAt` keeps the required unit's place found by an earlier call (npos
    // before the first), so that a loop over starts looks for it once per place.
    // Starts after `lastStart` are not looked for: past the end is returned when none is before.
    size_t nextPossibleStart(std::u16string_view subject, size_t from, size_t& requiredAt, size_t lastStart = Span::npos) {
        if (inner) return nextStartBeforeInner(subject, from, requiredAt, lastStart);
        if (startRange) {
            const size_t at = findStartUnitBy(subject, from, lastStart);
            return at == subject.size() ? subject.size() + 1 : at;
        }
        if (!required) return from;
        if (requiredAt == Span::npos || requiredAt < from) {
            // A match starting by lastStart holds the unit within `within` units of its start.
            const size_t starts = StartsEnd(subject, lastStart);
            const size_t reach = starts + std::min(required->within, subject.size() - starts);
            requiredAt = detail::FindUnit(subject.substr(0, reach), required->unit, from);
            if (requiredAt == reach) requiredAt = subject.size();
        }
        if (requiredAt == subject.size()) return subject.size() + 1;
        return requiredAt - from > required->within ? requiredAt - required->within : from;
    }

    // The first place from `from` on (by lastStart) where the first parts match up to an inner
    // unit, past the end for none; `innerAt` keeps that unit's place as `requiredAt` does.
    size_t nextStartBeforeInner(std::u16string_view subject, size_t from, size_t& innerAt, size_t lastStart) {
        // With a first part of one unit, the inner unit where the parts end comes after the start.
        const size_t gap = inner->afterFirstUnit ? 1 : 0;
        for (size_t checkpointAt = from + kUnitsBetweenCheckpoints;
             from <= std::min(lastStart, subject.size()) && from + gap <= subject.size();) {
            if (from >= checkpointAt) {  // inner units where the parts do not end may fill the text
                SearchWatch::Checkpoint();
                checkpointAt = from + kUnitsBetweenCheckpoints;
            }
            if (innerAt == Span::npos || innerAt < from + gap) {
                innerAt = inner->count == 1 ? detail::FindUnit(subject, inner->units[0], from + gap)
                                            : detail::FindUnitOf(subject, inner->units, from + gap);
            }
            if (innerAt == subject.size()) break;
            // The parts hold no inner unit (past their first unit): they start after the one
            // before (or at it).
            const size_t start = partsBeforeInner->leftmostStartOfMatchEndingAt(subject.data(), subject.size(), from, innerAt);
            if (start != Span::npos) return start <= lastStart ? start : subject.size() + 1;
            from = innerAt + 1 - gap;
        }
        return subject.size() + 1;
    }

    // The next start from `from` whose unit a match can begin with (past the end for none).
    size_t nextFirstUnit(std::u16string_view subject, size_t from, size_t& requiredAt, size_t lastStart = Span::npos) {
        from = nextPossibleStart(subject, from, requiredAt, lastStart);
        if (inner || startRange || from >= subject.size()) return from;
        return findStartUnitBy(subject, from, lastStart);
    }

    // Where the units that a start up to lastStart can take end.
    static size_t StartsEnd(std::u16string_view subject, size_t lastStart) {
        return lastStart < subject.size() ? lastStart + 1 : subject.size();
    }
    // findStartUnit for starts up to lastStart: the subject's size when there is none.
    size_t findStartUnitBy(std::u16string_view subject, size_t from, size_t lastStart) const {
        const size_t starts = StartsEnd(subject, lastStart);
        const size_t at = findStartUnit(subject.substr(0, starts), from);
        return at == starts ? subject.size() : at;
    }

    // The first unit from `from` on that a match can begin with, or the subject's size; a word-led
    // pattern's unit that follows a word unit (the digits of int32_t) is passed over with the rest
    // of its word. Only for a pattern with first units.
    size_t findStartUnit(std::u16string_view subject, size_t from) const {
        if (startsWord && !startRange && fewFirstUnitCount == 0) return detail::FindWordStartIn(subject, *firstUnits, from);
        size_t at = findFirstUnit(subject, from);
        while (startsWord && at < subject.size() && at > 0 && IsWordUnit(subject[at - 1])) {
            while (at < subject.size() && IsWordUnit(subject[at])) ++at;
            at = findFirstUnit(subject, at);
        }
        return at;
    }
    size_t findFirstUnit(std::u16string_view subject, size_t from) const {
        if (startRange) return detail::FindUnitInRange(subject, startRange->first, startRange->second, from);
        if (fewFirstUnitCount == 1) return detail::FindUnit(subject, fewFirstUnits[0], from);
        if (fewFirstUnitCount > 1) return detail::FindUnitOf(subject, fewFirstUnits, from);
        while (from < subject.size() && !firstUnits->test(subject[from])) ++from;
        return from;
    }

    // The automata, built when the pattern is first searched: for a pattern whose matches are
    // never empty (so that a scan may skip to a unit a match can start with).
    bool dfaReady() {
        if (!dfaTried) buildDfa();
        return dfa.has_value();
    }
    // Whether the automata search first. Those that ask longer lookaheads are slower than PCRE2
    // on most text, and search only after PCRE2's quick search reaches its limit, unless a
    // lookahead may read a run again from each of its units (PCRE2 may then take seconds on one
    // start, where its limits cannot see it), or the pattern has no groups (for PCRE2 to find
    // after them) and repeats a part (for which PCRE2 keeps a frame a pass).
    bool dfaFirst() {
        return dfaReady() && (!dfa->asksLookaheads() || lookaheadRereadsRun || (groups == 0 && repeatsAPart));
    }
    [[gnu::noinline]] void buildDfa() {
        dfaTried = true;
        if (!firstUnits || sequenceSearches) return;
        dialect::ParsedPattern parsed = dialect::Parse(source, options.ignoreCase);
        using detail::LazyDfa;
        backwardDfa = LazyDfa::Compile(*parsed.root, options.ignoreCase, options.multiline, LazyDfa::Direction::Backward);
        if (backwardDfa) dfa = LazyDfa::Compile(*parsed.root, options.ignoreCase, options.multiline, LazyDfa::Direction::Forward);
        if (dfa) listFewFirstUnits();
        lookaheadRereadsRun = dialect::LookaheadRereadsRun(*parsed.root, options.ignoreCase);
        repeatsAPart = dialect::RepeatsAPart(*parsed.root);
    }

    // The first units, when there are at most four, for the automaton's look for starts.
    void listFewFirstUnits() {
        if (firstUnits->count() > fewFirstUnits.size()) return;
        UnitBits members;
        firstUnits->addTo(members);
        for (size_t unit = members._Find_first(); unit < members.size(); unit = members._Find_next(unit))
            fewFirstUnits[fewFirstUnitCount++] = char16_t(unit);
        for (size_t i = fewFirstUnitCount; i < fewFirstUnits.size(); ++i) fewFirstUnits[i] = fewFirstUnits[0];
    }

    // The search by the automata from `from`: the match's bounds, and its groups by PCRE2 from
    // the match's start when asked for. The number of pairs set, 0 for no match.
    int runDfa(std::u16string_view subject, size_t from, bool wantGroups) {
        dfa->forgetLookaheadReads();
        backwardDfa->forgetLookaheadReads();
        size_t requiredAt = Span::npos;
        // A pattern anchored at the subject's start is tried there alone.
        const auto nextStart = [&](size_t at) {
            if (at > startLimit) return Span::npos;
            return anchored ? (at == 0 ? 0 : Span::npos) : nextFirstUnit(subject, at, requiredAt, startLimit);
        };
        // Tries at one start each while they stay short, then the scan that runs the tries from
        // every start at once, and the backward one that finds where its match starts.
        size_t start = nextStart(from);
        // (A pattern whose lookahead rereads runs has tries that read on through them.)
        size_t end = lookaheadRereadsRun ? Span::npos : tryStartsWhileShort(subject, start, nextStart);
        bool found = start < subject.size();
        if (found && end == Span::npos) {
            end = dfa->firstMatchEnd(subject.data(), subject.size(), start, nextStart, startLimit, !anchored);
            found = end != Span::npos;
            if (found) start = backwardDfa->leftmostStartOfMatchEndingAt(subject.data(), subject.size(), start, end);
        }
        if (dfa->tookUnsureAnswer() | backwardDfa->tookUnsureAnswer()) {  // a lookahead read too far
            found = true;
            start = Span::npos;
        }
        if (!found) return 0;
        if (start == Span::npos || (wantGroups && groups > 0)) {
            startLimit = Span::npos;  // the match found may start past it
            // The groups, by PCRE2 from the match's start (from `from` for a start not found, or
            // an answer not sure: PCRE2 then decides).
            return runEngine(subject, start == Span::npos ? from : start);
        }
        dfaPairs[0] = start;
        dfaPairs[1] = end;
        current = nullptr;
        return 1;
    }

    // Tries the starts from `start` on one at a time while they read little more than the units
    // they pass (most tries of most patterns end within a unit or two): the end of the match at
    // the `start` it leaves, or Span::npos with `start` where the tries grew long (or past the
    // subject's end when no start is left).
    template <class NextStart>
    size_t tryStartsWhileShort(std::u16string_view subject, size_t& start, NextStart& nextStart) {
        constexpr size_t kUnitsOfAShortTry = 64;
        const size_t firstStart = start;
        size_t read = 0;  // by the tries so far
        for (size_t checkpointAt = start + kUnitsBetweenCheckpoints; start < subject.size(); start = nextStart(start + 1)) {
            if (read > 2 * (start - firstStart) + kUnitsOfAShortTry) break;
            size_t readTo = start;
            const std::optional<size_t> tried = dfa->matchEndAt(subject.data(), subject.size(), start, kUnitsOfAShortTry, readTo);
            read += readTo - start + 1;
            if (!tried) break;
            if (*tried != Span::npos) return *tried;
            if (start >= checkpointAt) {
                SearchWatch::Checkpoint();  // a tick may search with this pattern too: no try is under way
                checkpointAt = start + kUnitsBetweenCheckpoints;
            }
        }
        return Span::npos;
    }

    // Compiles PCRE2's code now, so that a pattern it refuses fails here, and takes its facts.
    void compileForSearches(const dialect::Node& root) {
        minLength = InfoNumber(engineCode(), PCRE2_INFO_MINLENGTH);
        size_t reach = dialect::MinimumReach(root);
        if (minLength > reach || dialect::LooksAheadAtStart(root)) {
            // PCRE2 10.42 skips subjects that do match when a lookahead comes first: it overstates
            // the length some need ("(?=a)b?a" gets 2), and it takes the first unit from the
            // lookahead and then wants the required unit after it ("(?=bx)x?b" fails on "bx").
            // Such a pattern goes without the start-up checks.
            compileFlags = PCRE2_NO_START_OPTIMIZE;
            code.reset();
            engineCode();
            minLength = std::min(minLength, reach);
        }
        maxLookbehind = InfoNumber(code.get(), PCRE2_INFO_MAXLOOKBEHIND);
        anchored = (InfoNumber(code.get(), PCRE2_INFO_ALLOPTIONS) & PCRE2_ANCHORED) != 0;
    }

    // PCRE2's code with callouts, compiled when first needed (a keyword list needs it only for
    // the interpreter's second opinion), and match data for it.
    pcre2_code* engineCode() {
        if (!code) {
            code = Compile(translated, options, compileFlags | PCRE2_USE_OFFSET_LIMIT);
            matchData.reset(pcre2_match_data_create_from_pattern(code.get(), nullptr));
            if (!matchData) RaiseError(7);
        }
        return code.get();
    }

    // Takes the pattern's parse: its first parts go to the backward automaton.
    void noteInnerUnits(dialect::NodePtr root) {
        std::optional<dialect::InnerUnits> found = dialect::FindInnerUnits(*root, options.ignoreCase);
        if (!found) return;
        dialect::NodePtr parts = dialect::PartsBeforeInner(std::move(root), *found);
        partsBeforeInner = detail::LazyDfa::Compile(*parts, options.ignoreCase, options.multiline, detail::LazyDfa::Direction::Backward);
        if (partsBeforeInner) inner = found;
    }

    // Notes the ASCII units that alternatives of their own match alone, and the other alternatives,
    // when the pattern has both.
    void noteSinglesApart(const dialect::ParsedPattern& parsed, bool ignoreCase) {
        if (parsed.alternatives.size() != parsed.root->children.size()) return;
        UnitBits singles;
        std::u16string rest;
        size_t restCount = 0;
        for (size_t i = 0; i < parsed.alternatives.size(); ++i) {
            if (std::unique_ptr<UnitBits> units = dialect::SingleUnitSet(*parsed.root->children[i], ignoreCase)) {
                singles |= *units;
            } else {
                rest += (restCount++ ? u"|" : u"") + std::u16string(parsed.alternatives[i]);
            }
        }
        if (restCount == 0 || singles.none() || singles._Find_next(127) < singles.size()) return;
        for (size_t unit = singles._Find_first(); unit < 128; unit = singles._Find_next(unit)) singlesApart += char16_t(unit);
        restOfSingles = std::move(rest);
    }

    // X+(?=S), X Y*(?=S), X+Z? and X Y*Z? where S or Z holds no unit of Y: decided where runs
    // are (see LocalRuns).
    void readRunsBeforeEnding(dialect::Node& root, bool ignoreCase) {
        if (root.kind != dialect::NodeKind::Sequence || root.children.size() < 2) return;
        const dialect::Node& ending = *root.children.back();
        const bool lookahead = ending.kind == dialect::NodeKind::Lookahead;
        const bool optional = ending.kind == dialect::NodeKind::Repeat && ending.min == 0 && ending.max == 1 && !ending.lazy;
        if (!lookahead && !optional) return;
        std::unique_ptr<UnitBits> passed;
        std::unique_ptr<UnitBits> units = dialect::SingleUnitSet(ending.child(), ignoreCase);
        if (!units && lookahead) std::tie(passed, units) = PassedThenOneUnit(ending.child(), ignoreCase);
        if (!units) return;
        dialect::NodePtr last = std::move(root.children.back());
        root.children.pop_back();
        std::optional<detail::UnitSequence> runs = detail::UnitSequence::Read(root, ignoreCase);
        root.children.push_back(std::move(last));
        if (!runs || !runs->runsDecidedLocally() || runs->localRuns().pairs) return;
        CodeUnitSet set(*units);
        if (set.intersects(*runs->localRuns().rest)) return;
        if (passed) {
            CodeUnitSet passedSet(*passed);
            if (passedSet.intersects(*runs->localRuns().rest)) return;
            passedBeforeEnding = std::move(passedSet);
        }
        runsBeforeEnding = std::move(runs);
        endingUnits = std::move(set);
        endingIsLookahead = lookahead;
    }
    // W and S of a lookahead's W*S, each a set of units; nulls for any other shape.
    static std::pair<std::unique_ptr<UnitBits>, std::unique_ptr<UnitBits>> PassedThenOneUnit(const dialect::Node& node, bool ignoreCase) {
        const dialect::Node& body = node.kind == dialect::NodeKind::NonCapturing ? node.child() : node;
        if (body.kind != dialect::NodeKind::Sequence || body.children.size() != 2) return {};
        const dialect::Node& repeat = *body.children[0];
        if (repeat.kind != dialect::NodeKind::Repeat || repeat.min != 0 || repeat.max != dialect::kUnbounded) return {};
        std::unique_ptr<UnitBits> passed = dialect::SingleUnitSet(repeat.child(), ignoreCase);
        std::unique_ptr<UnitBits> follower = dialect::SingleUnitSet(*body.children[1], ignoreCase);
        if (!passed || !follower) return {};
        return {std::move(passed), std::move(follower)};
    }

    // Searches that need no PCRE2: a keyword list's word lookup, or the walk of a unit sequence.
    bool searchesWithoutEngine() const { return keywordSet || sequenceSearches; }
    // Groups that need no PCRE2: those of a match found by the automata are walked.
    bool groupsWithoutEngine() const { return keywordSet || sequence; }
    Span findWithoutEngine(std::u16string_view subject, size_t from, size_t lastStart) const {
        return keywordSet ? keywordSet->findWord(subject, from, lastStart) : sequence->find(subject, from, lastStart);
    }
    void groupsWithoutEngine(std::u16string_view subject, const Span& match, std::vector<Span>& spans) const {
        if (keywordSet) {
            spans.assign(groups + 1, match);  // a captured list's group is the word itself
            return;
        }
        sequence->groupsAt(subject, match.start, groups, spans);
    }

    // The pattern without callouts, or null when the JIT cannot take it or the pattern refers
    // back (PCRE2's match limit does not count the comparisons of a back reference, so a stretch
    // without callouts could run for minutes): then the pattern with callouts serves alone.
    pcre2_code* quickCode() {
        if (quickTried) return quick.get();
        quickTried = true;
        if (refersBack) return nullptr;
        try {
            std::unique_ptr<pcre2_code, CodeDeleter> compiled =
                Compile(dialect::WithoutCallouts(translated), options, compileFlags | PCRE2_USE_OFFSET_LIMIT);
            if (pcre2_jit_compile(compiled.get(), PCRE2_JIT_COMPLETE) == 0) quick = std::move(compiled);
        } catch (const ComError&) {
        }
        return quick.get();
    }

    // The search without callouts, a stretch of starts at a time with the watch's turn between
    // them; moves `from` to the stretch where it stopped. PCRE2's result code. `timed`: the
    // stretches grow from a few starts, and one that costs more than kSlowStart a start ends the
    // search with PCRE2_ERROR_MATCHLIMIT, for the automata to take over.
    int runQuick(std::u16string_view subject, size_t& from, bool timed) {
        using Clock = std::chrono::steady_clock;
        MatchResources& resources = MatchResources::forThisThread(false);
        pcre2_match_context* context = resources.quickContext();
        const size_t finalStart = std::min(subject.size(), startLimit);
        for (size_t starts = timed ? kFirstTimedStarts : kQuickStarts;; starts = std::min(2 * starts, kQuickStarts)) {
            const size_t lastStart = finalStart - std::min(from, finalStart) > starts ? from + starts : finalStart;
            pcre2_set_offset_limit(context, lastStart);
            const Clock::time_point began = timed ? Clock::now() : Clock::time_point();
            const int rc = JitMatch(resources, quick.get(), subject, from, matchData.get(), context);
            current = matchData.get();
            if (rc != PCRE2_ERROR_NOMATCH || lastStart == finalStart) return rc;
            if (timed) {
                const Clock::duration took = Clock::now() - began;
                if (took > kSlowStretch && took > kSlowStart * (lastStart + 1 - from)) return PCRE2_ERROR_MATCHLIMIT;
            }
            SearchWatch::Checkpoint();
            from = firstPossibleStart(subject, lastStart + 1, finalStart);
            if (from > subject.size()) return PCRE2_ERROR_NOMATCH;
        }
    }

    // The number of pairs set by a match, or 0 for no match; the pairs are in ovector(), all of
    // them when `wantGroups`, else at least the match's. The interpreter, when asked for, runs
    // from `from` itself, without the JIT.
    int run(std::u16string_view subject, size_t from, bool interpreter = false, bool wantGroups = true) {
        engineCode();
        if (!interpreter && dfaFirst()) return runDfa(subject, from, wantGroups);
        return runEngine(subject, from, interpreter, wantGroups);
    }
    // PCRE2's search; when its quick search reaches its limit, the automata's if they can take
    // the pattern (wantGroups: as for run), else PCRE2's with callouts.
    int runEngine(std::u16string_view subject, size_t from, bool interpreter = false, std::optional<bool> dfaWantsGroups = std::nullopt) {
        pcre2_code* compiled = engineCode();
        if (!interpreter) from = firstPossibleStart(subject, from);
        if (from > subject.size()) return 0;
        pcre2_match_data* data = matchData.get();
        bool duringTick = SearchWatch::Ticking();
        if (!interpreter && !duringTick && quickCode()) {
            const int rc = runQuick(subject, from, dfaWantsGroups && dfaReady());
            if (rc >= 0 || rc == PCRE2_ERROR_NOMATCH) return pairsOf(rc);
            // A limit reached: the automata, or the search with callouts, decide from the stretch
            // that reached it.
            if (dfaWantsGroups && dfaReady()) return runDfa(subject, from, *dfaWantsGroups);
        }
        if (!interpreter && !jitTried) {
            jitTried = true;
            jit = pcre2_jit_compile(compiled, PCRE2_JIT_COMPLETE) == 0;
        }
        if (duringTick) {  // this pattern's match data may belong to a waiting search
            tickData.reset(pcre2_match_data_create_from_pattern(compiled, nullptr));
            if (!tickData) RaiseError(7);
            data = tickData.get();
        }
        MatchResources& resources = MatchResources::forThisThread(duringTick);
        pcre2_match_context* context = resources.context();
        // A caller that needs no match starting past startLimit (a chunk formatted ahead) is not
        // made to wait for a search to the end.
        pcre2_set_offset_limit(context, startLimit == Span::npos ? PCRE2_UNSET : startLimit);
        int rc = jit && !interpreter
                     ? JitMatch(resources, compiled, subject, from, data, context)
                     : pcre2_match(compiled, Units(subject), subject.size(), from, interpreter ? PCRE2_NO_JIT : 0,
                                   data, context);
        current = data;  // set after the search: a tick inside it may have run this pattern too
        if (rc < 0 && rc != PCRE2_ERROR_NOMATCH) RaiseMatchError(rc);
        return pairsOf(rc);
    }
    int pairsOf(int rc) const {
        if (rc == PCRE2_ERROR_NOMATCH) return 0;
        return rc == 0 ? static_cast<int>(groups + 1) : rc;
    }
    // The pairs of the last search: PCRE2's, or the automaton's when no PCRE2 search set them.
    const PCRE2_SIZE* ovector() const {
        static_assert(std::is_same_v<PCRE2_SIZE, size_t> && PCRE2_UNSET == Span::npos);
        return current ? pcre2_get_ovector_pointer(current) : dfaPairs;
    }

    // The match and groups of the last search that set `pairs` pairs.
    void spansOfMatch(int pairs, std::vector<Span>& spans) const {
        spans.assign(groups + 1, Span{});
        const PCRE2_SIZE* pair = ovector();
        for (int i = 0; i < pairs; ++i)
            if (pair[2 * i] != PCRE2_UNSET) spans[i] = Span{pair[2 * i], pair[2 * i + 1]};
    }
};

Pattern::Pattern(std::u16string_view source, Options options) : impl_(std::make_unique<Impl>()) {
    Impl& d = *impl_;
    d.source = source;
    d.options = options;
    dialect::ParsedPattern parsed = dialect::Parse(source, options.ignoreCase);
    d.groups = parsed.groupCount;
    d.translated = dialect::ToPcre2(*parsed.root, options);
    d.keywords = dialect::FindKeywordList(*parsed.root, options.ignoreCase);
    d.names = dialect::FindNameList(*parsed.root, options.ignoreCase);
    d.sequence = detail::UnitSequence::Read(*parsed.root, options.ignoreCase);
    d.sequenceSearches = d.sequence && d.sequence->findsInLinearTime();
    if (!d.sequence || !d.sequence->runsDecidedLocally()) d.readRunsBeforeEnding(*parsed.root, options.ignoreCase);
    if (d.keywords && !d.sequence) {
        d.keywordSet.emplace(*d.keywords);
        d.minLength = dialect::MinimumReach(*parsed.root);
        d.maxLookbehind = 1;  // the \b before a word
    } else {
        d.compileForSearches(*parsed.root);
    }
    d.mayMatchEmpty = dialect::MayMatchEmpty(*parsed.root);
    d.refersBack = dialect::RefersBack(*parsed.root);
    if (!d.refersBack) d.noteSinglesApart(parsed, options.ignoreCase);
    d.startsNotTakenLater = dialect::StartUnitsNotTakenLater(*parsed.root, options.ignoreCase) != nullptr;
    d.lookBack = dialect::LooksBack(*parsed.root, options.multiline);
    d.asciiHeld = dialect::AsciiUnitsHeld(*parsed.root, options.ignoreCase);
    if (std::unique_ptr<UnitBits> units = dialect::FirstUnits(*parsed.root, options.ignoreCase)) d.firstUnits.emplace(*units);
    if (std::unique_ptr<UnitBits> units = dialect::SingleUnitSet(*parsed.root, options.ignoreCase)) d.singleUnits.emplace(*units);
    if (!d.sequenceSearches) d.required = dialect::FindRequiredUnit(*parsed.root, options.ignoreCase);
    // PCRE2 finds a single first unit quickly, but tests a set of them unit by unit (such as the
    // digits a number begins with): a range is looked for eight units at a time instead.
    if (!d.sequenceSearches && !d.required && !d.anchored && d.firstUnits) {
        const std::optional<std::pair<char16_t, char16_t>> range = d.firstUnits->onlyRange();
        if (range && range->first != range->second) d.startRange = range;
    }
    d.startsWord = d.firstUnits && dialect::StartsAtWordBoundary(*parsed.root) && d.firstUnits->isSubsetOf(WordUnitSet());
    // Four units or fewer are found as fast as an inner unit, and tell starts well enough.
    // (Where an inner unit is more common than a few first units, as a line end for yaml's [|>]
    // of a block scalar, looking for it costs more.)
    if (!d.searchesWithoutEngine() && !d.required && !d.anchored && d.firstUnits && d.firstUnits->count() > 4)
        d.noteInnerUnits(std::move(parsed.root));  // the parse's last use
}

Pattern::~Pattern() = default;

const CodeUnitSet& WordUnitSet() {
    static const CodeUnitSet units = [] {
        UnitBits bits;
        for (char16_t unit = 0; unit < 128; ++unit) bits[unit] = IsWordUnit(unit);
        return CodeUnitSet(bits);
    }();
    return units;
}

void SetMatchLimit(uint32_t limit) { gMatchLimit.store(limit, std::memory_order_relaxed); }
void SetFirstJitStackSize(size_t bytes) { gFirstJitStackMax.store(std::max(bytes, kJitStackStart), std::memory_order_relaxed); }

const std::u16string& Pattern::source() const { return impl_->source; }
Options Pattern::options() const { return impl_->options; }
size_t Pattern::groupCount() const { return impl_->groups; }
size_t Pattern::maxLookbehind() const { return impl_->maxLookbehind; }
bool Pattern::triesAlike(std::u16string_view text, size_t startA, size_t startB, size_t from, size_t through) const {
    if (startA == startB) return true;
    const Impl& d = *impl_;
    const size_t later = std::max(startA, startB);
    // Tries from here on look back at units that both subjects hold.
    const size_t seenByBoth = later + d.maxLookbehind;
    const size_t last = std::min({through, seenByBoth - 1, text.size()});
    for (size_t position = from; position <= last && position < seenByBoth; ++position) {
        if (d.firstUnits && (position == text.size() || !d.firstUnits->test(text[position]))) continue;
        // A look back of one unit that none of \b \B ^ explains is not known well enough to judge.
        if (position == later && d.maxLookbehind == 1 && d.lookBack.any() && d.lookBack.takesAsStart(text[later - 1]))
            continue;
        return false;
    }
    return true;
}
bool Pattern::triesDecideMatches() {
    Impl& d = *impl_;
    if (!d.startsNotTakenLater || d.mayMatchEmpty) return false;
    return d.sequence || (d.dfaReady() && !d.dfa->asksLookaheads());
}
Span Pattern::matchAt(std::u16string_view subject, size_t position) {
    if (impl_->sequence) {
        const size_t end = impl_->sequence->matchEndAt(subject, position);
        return end != Span::npos ? Span{position, end} : Span{};
    }
    size_t readTo = position;
    const std::optional<size_t> end = impl_->dfa->matchEndAt(subject.data(), subject.size(), position, Span::npos, readTo);
    if (impl_->dfa->tookUnsureAnswer()) {  // PCRE2's first match from the position, if it begins there
        const std::optional<Span> found = searchFrom(subject, position);
        return found && found->start == position ? *found : Span{};
    }
    return end && *end != Span::npos ? Span{position, *end} : Span{};
}
bool Pattern::anchoredAtStart() const { return impl_->anchored; }
size_t Pattern::minLength() const { return impl_->minLength; }
bool Pattern::mayMatchEmpty() const { return impl_->mayMatchEmpty; }
bool Pattern::mayHoldAnyOf(std::u16string_view units) const {
    return std::any_of(units.begin(), units.end(), [&](char16_t unit) { return unit >= 128 || impl_->asciiHeld[unit]; });
}
const CodeUnitSet* Pattern::firstUnits() const { return impl_->firstUnits ? &*impl_->firstUnits : nullptr; }
const CodeUnitSet* Pattern::singleUnitSet() const { return impl_->singleUnits ? &*impl_->singleUnits : nullptr; }
const std::optional<KeywordList>& Pattern::keywordList() const { return impl_->keywords; }
const std::optional<Pattern::SinglesApart>& Pattern::singlesApart() {
    Impl& d = *impl_;
    if (!d.singlesApartFound) {
        d.singlesApartFound.emplace();
        if (!d.singlesApart.empty()) {
            auto rest = std::make_shared<Pattern>(d.restOfSingles, d.options);
            if (!rest->mayMatchEmpty() && !rest->mayHoldAnyOf(d.singlesApart)) {
                UnitBits bits;
                for (char16_t unit : d.singlesApart) bits[unit] = true;
                d.singlesApartFound->emplace(SinglesApart{std::move(rest), CodeUnitSet(bits)});
            }
        }
    }
    return *d.singlesApartFound;
}
const std::optional<NameList>& Pattern::nameList() const { return impl_->names; }
std::optional<Pattern::LocalRuns> Pattern::localRuns() const {
    if (impl_->sequence && impl_->sequence->runsDecidedLocally()) return impl_->sequence->localRuns();
    if (!impl_->runsBeforeEnding) return std::nullopt;
    LocalRuns runs = impl_->runsBeforeEnding->localRuns();
    (impl_->endingIsLookahead ? runs.followedBy : runs.optionalLast) = &*impl_->endingUnits;
    if (impl_->passedBeforeEnding) runs.passedBeforeFollower = &*impl_->passedBeforeEnding;
    return runs;
}
Span Pattern::LocalRuns::pairAt(std::u16string_view subject, size_t position, Memo& memo) const {
    const char16_t* const floor = subject.data();
    const char16_t* const at = floor + position;
    const char16_t* const runStart = at > floor && first->test(at[-1]) ? runStartBefore(floor, at, memo) : at;
    // The unit before is the second of a match (every unit of X is one of Y).
    if ((at - runStart) % 2 != 0) return Span{};
    if (position + 1 >= subject.size() || !rest->test(subject[position + 1])) return Span{};
    return Span{position, position + 2};
}

// O?X Y*: a unit of O not followed by one of X is decided first, so that asking along a long run
// of O walks it once (the walk back stops at the last place asked before in the run).
Span Pattern::LocalRuns::leadRunAt(std::u16string_view subject, size_t position) const {
    const char16_t* const units = subject.data();
    const bool ofLead = !first->test(units[position]);
    if (ofLead && (position + 1 == subject.size() || !first->test(units[position + 1]))) return Span{};
    for (size_t before = position; before > 0 && rest->test(units[before - 1]); --before) {
        if (first->test(units[before - 1]) || (lead->test(units[before - 1]) && first->test(units[before]))) return Span{};
    }
    return runOnFrom(subject, position, position + (ofLead ? 2 : 1));
}

const char16_t* Pattern::LocalRuns::runStartBefore(const char16_t* floor, const char16_t* at, Memo& memo) const {
    const auto inRun = [this](char16_t unit) { return first->test(unit); };
    const char16_t* runStart = at;
    if (memo.subject == floor && memo.at <= at && std::all_of(memo.at, at, inRun)) {
        runStart = memo.runStart;
    } else {
        while (runStart > floor && inRun(runStart[-1])) --runStart;
    }
    memo = Memo{floor, at, runStart};
    return runStart;
}

std::optional<Span> Pattern::runAt(std::u16string_view subject, size_t position) const {
    const Span span = localRuns()->runAt(subject, position);
    if (!span.matched()) return std::nullopt;
    return span;
}
const std::u16string& Pattern::translated() const { return impl_->translated; }

std::optional<Span> Pattern::searchFrom(std::u16string_view subject, size_t from, size_t lastStart) {
    impl_->startLimit = lastStart;
    if (impl_->searchesWithoutEngine()) {
        Span span = impl_->findWithoutEngine(subject, from, lastStart);
        if (!span.matched()) return std::nullopt;
        return span;
    }
    if (impl_->run(subject, from, false, false) == 0) return std::nullopt;
    const PCRE2_SIZE* ovector = impl_->ovector();
    return Span{ovector[0], ovector[1]};
}

bool Pattern::searchFrom(std::u16string_view subject, size_t from, std::vector<Span>& spans, size_t lastStart) {
    if (impl_->groupsWithoutEngine()) {
        const std::optional<Span> match = searchFrom(subject, from, lastStart);
        if (!match) return false;
        impl_->groupsWithoutEngine(subject, *match, spans);
        return true;
    }
    impl_->startLimit = lastStart;
    int pairs = impl_->run(subject, from);
    if (pairs == 0) return false;
    impl_->spansOfMatch(pairs, spans);
    return true;
}

bool Pattern::searchFromByAutomaton(std::u16string_view subject, size_t from, std::vector<Span>& spans) {
    if (!impl_->dfaReady()) return searchFrom(subject, from, spans);
    impl_->startLimit = Span::npos;
    impl_->engineCode();
    int pairs = impl_->runDfa(subject, from, true);
    if (pairs == 0) return false;
    impl_->spansOfMatch(pairs, spans);
    return true;
}

bool Pattern::searchFromByInterpreter(std::u16string_view subject, size_t from, std::vector<Span>& spans) {
    impl_->startLimit = Span::npos;
    int pairs = impl_->run(subject, from, true);
    if (pairs == 0) return false;
    impl_->spansOfMatch(pairs, spans);
    return true;
}

bool Pattern::walksWithoutEngine() const { return impl_->sequence.has_value(); }
bool Pattern::searchesByAutomaton() { return impl_->dfaReady(); }

namespace {

// The most recently used compiled patterns of this thread.
class PatternCache {
public:
    std::shared_ptr<Pattern> get(std::u16string_view source, Options options) {
        Key key{std::u16string(source), options.ignoreCase, options.multiline};
        auto found = index_.find(key);
        if (found != index_.end()) {
            order_.splice(order_.begin(), order_, found->second);
            return found->second->second;
        }
        auto pattern = std::make_shared<Pattern>(source, options);
        order_.emplace_front(key, pattern);
        index_.emplace(std::move(key), order_.begin());
        if (order_.size() > kCacheSize) {
            index_.erase(order_.back().first);
            order_.pop_back();
        }
        return pattern;
    }

private:
    using Key = std::tuple<std::u16string, bool, bool>;
    using Entry = std::pair<Key, std::shared_ptr<Pattern>>;
    std::list<Entry> order_;
    std::map<Key, std::list<Entry>::iterator> index_;
};

}  // namespace

std::shared_ptr<Pattern> CachedPattern(std::u16string_view source, Options options) {
    thread_local PatternCache cache;
    return cache.get(source, options);
}

}  // namespace regexp
