// The regular-expression dialect: a pattern made of the dialect's symbols either fails to
// compile with 5017-5021 or searches without fault, and every search agrees with what the
// pattern says of itself (minimum length, first units, anchoring, single-unit sets, keyword
// lists, lookbehind), with PCRE2's interpreter on its translation, and with Execute's global
// iteration. Patterns that the generator of the tests builds are also compared, position by
// position, with the independent ECMAScript matcher.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "platform/automation/error.h"
#include "platform/automation/error_numbers.h"
#include "platform/regexp/pattern.h"
#include "platform/regexp/regexp.h"
#include "platform/regexp/tests/reference_matcher.h"

namespace {

using regexp::Options;
using regexp::Pattern;
using regexp::Span;
using Spans = std::vector<Span>;

const std::u16string kPatternUnits =
    u"aAbBsSkK_1 -,^$.|?*+()[]{}\\\\\\0123456789:=!<>#dDwWxXuUcCfnrtv\u00E9\u00C9\u017F\u212A\u0436" +
    std::u16string{char16_t(0xD800), char16_t(0xDC00)};  // lone surrogates
const std::u16string kSubjectUnits =
    regexptest::kSubjectUnits + u"kKsx0{}()\t\u212A" + std::u16string{char16_t(0xD800), char16_t(0xDC00)};

std::string Describe(const std::u16string& source, Options options, std::u16string_view subject) {
    return "pattern \"" + fuzz::Printable(source) + "\" ignoreCase " + std::to_string(options.ignoreCase) +
           " multiline " + std::to_string(options.multiline) + " subject \"" + fuzz::Printable(subject) + "\"";
}

bool IsWordUnit(char16_t c) { return regexptest::IsWordUnit(c); }

char16_t AsciiUpper(char16_t c) { return c >= 'a' && c <= 'z' ? char16_t(c - 32) : c; }

// The first match of a keyword list from `from`, by its definition.
std::optional<Span> KeywordSearch(const regexp::KeywordList& list, std::u16string_view s, size_t from) {
    for (size_t p = from; p < s.size(); ++p) {
        if (p > 0 && IsWordUnit(s[p - 1])) continue;
        size_t end = p;
        while (end < s.size() && IsWordUnit(s[end])) ++end;
        std::u16string_view run = s.substr(p, end - p);
        for (const std::u16string& word : list.words) {
            bool same = word.size() == run.size();
            for (size_t i = 0; same && i < run.size(); ++i)
                same = list.ignoreCase ? AsciiUpper(word[i]) == AsciiUpper(run[i]) : word[i] == run[i];
            if (same) return Span{p, end};
        }
    }
    return std::nullopt;
}

std::optional<Span> UnitSetSearch(const regexp::CodeUnitSet& set, std::u16string_view s, size_t from) {
    for (size_t p = from; p < s.size(); ++p)
        if (set.test(s[p])) return Span{p, p + 1};
    return std::nullopt;
}

// One search from `from`, checked against the facts the pattern offers about its matches.
std::optional<Spans> CheckedSearch(Pattern& pattern, std::u16string_view s, size_t from, const std::string& context) {
    Spans spans;
    if (!pattern.searchFrom(s, from, spans)) {
        FUZZ_CHECK(!pattern.searchFrom(s, from), "the two searches differ: " + context);
        if (const auto* set = pattern.singleUnitSet())
            FUZZ_CHECK(!UnitSetSearch(*set, s, from), "single-unit set misses: " + context);
        if (const auto& list = pattern.keywordList())
            FUZZ_CHECK(!KeywordSearch(*list, s, from), "keyword list misses: " + context);
        return std::nullopt;
    }
    const Span whole = spans.at(0);
    const std::string at = context + " from " + std::to_string(from) + " at " + std::to_string(whole.start);
    FUZZ_CHECK(spans.size() == pattern.groupCount() + 1, "group count: " + at);
    FUZZ_CHECK(pattern.searchFrom(s, from) == whole, "the two searches differ: " + at);
    FUZZ_CHECK(whole.start >= from && whole.start <= whole.end && whole.end <= s.size(), "match span: " + at);
    for (const Span& group : spans)
        FUZZ_CHECK(!group.matched() || (group.start <= group.end && group.end <= s.size()), "group span: " + at);
    FUZZ_CHECK(whole.start + pattern.minLength() <= s.size(), "shorter than minLength: " + at);
    FUZZ_CHECK(pattern.mayMatchEmpty() || whole.length() > 0, "empty match: " + at);
    if (const auto* first = pattern.firstUnits())
        FUZZ_CHECK(whole.length() > 0 && first->test(s[whole.start]), "first unit: " + at);
    FUZZ_CHECK(!pattern.anchoredAtStart() || whole.start == 0, "anchored: " + at);
    if (const auto* set = pattern.singleUnitSet())
        FUZZ_CHECK(UnitSetSearch(*set, s, from) == whole, "single-unit set: " + at);
    if (const auto& list = pattern.keywordList()) {
        FUZZ_CHECK(KeywordSearch(*list, s, from) == whole, "keyword list: " + at);
        if (list->captured) FUZZ_CHECK(spans.size() == 2 && spans[1] == whole, "keyword group: " + at);
    }
    return spans;
}

// The same match when the subject starts maxLookbehind units before `from`.
void CheckLookbehind(Pattern& pattern, std::u16string_view s, size_t from, const std::optional<Spans>& found,
                     const std::string& context) {
    size_t lookbehind = pattern.maxLookbehind();
    if (from < lookbehind) return;
    size_t start = from - lookbehind;
    Spans later;
    bool foundLater = pattern.searchFrom(s.substr(start), from - start, later);
    FUZZ_CHECK(foundLater == found.has_value(), "lookbehind changes the outcome: " + context);
    if (!foundLater) return;
    for (Span& span : later)
        if (span.matched()) span = Span{span.start + start, span.end + start};
    FUZZ_CHECK(later == *found, "lookbehind changes the match: " + context + " from " + std::to_string(from));
}

// PCRE2's interpreter on the translated pattern alone; a search it gives up on (a limit the
// other search did not reach) is not compared.
void CheckInterpreter(Pattern& pattern, std::u16string_view s, size_t from, const std::optional<Spans>& found,
                      const std::string& context) {
    Spans spans;
    std::optional<Spans> second;
    try {
        if (pattern.searchFromByInterpreter(s, from, spans)) second = spans;
    } catch (const ComError&) {
        return;
    }
    FUZZ_CHECK(second == found, "differs from PCRE2's interpreter: " + context + " from " + std::to_string(from));
}

// The automata's own search, where the pattern has them (a pattern with a longer lookahead
// searches by them only where PCRE2's search grows long).
void CheckAutomaton(Pattern& pattern, std::u16string_view s, size_t from, const std::optional<Spans>& found,
                    const std::string& context) {
    if (!pattern.searchesByAutomaton()) return;
    Spans spans;
    std::optional<Spans> second;
    if (pattern.searchFromByAutomaton(s, from, spans)) second = spans;
    FUZZ_CHECK(second == found, "differs from the automata's search: " + context + " from " + std::to_string(from));
}

// Execute's matches: each the search from where the one before ended (one further after an
// empty match). A pattern that decides its matches locally finds the same at each position.
void CheckGlobalIteration(Pattern& pattern, const std::u16string& source, Options options, std::u16string_view s,
                          const std::string& context) {
    regexp::RegExp re;
    re.setPattern(source);
    re.setGlobal(true);
    re.setIgnoreCase(options.ignoreCase);
    re.setMultiline(options.multiline);
    regexp::MatchCollection matches = re.execute(s);
    size_t from = 0, index = 0;
    Spans spans;
    std::vector<Span> beginning(s.size() + 1);  // the match that begins at each position
    while (from <= s.size() && pattern.searchFrom(s, from, spans)) {
        beginning[spans[0].start] = spans[0];
        FUZZ_CHECK(index < matches.count(), "Execute has too few matches: " + context);
        regexp::Match match = matches.item(index++);
        FUZZ_CHECK(match.firstIndex() == spans[0].start && match.length() == spans[0].length(),
                   "Execute's match differs: " + context);
        FUZZ_CHECK(match.subMatchCount() + 1 == spans.size(), "Execute's group count: " + context);
        for (size_t g = 1; g < spans.size(); ++g) {
            FUZZ_CHECK(match.subMatchTookPart(g - 1) == spans[g].matched() &&
                           match.subMatch(g - 1) == s.substr(spans[g].matched() ? spans[g].start : 0, spans[g].length()),
                       "Execute's group differs: " + context);
        }
        from = spans[0].end + (spans[0].length() == 0 ? 1 : 0);
    }
    FUZZ_CHECK(index == matches.count(), "Execute has too many matches: " + context);
    if (pattern.triesDecideMatches()) {
        for (size_t position = 0; position < s.size(); ++position) {
            if (!pattern.firstUnits()->test(s[position])) continue;
            FUZZ_CHECK(pattern.matchAt(s, position) == beginning[position],
                       "the try at a position differs from the global search: " + context + " at " + std::to_string(position));
        }
    }
    if (!pattern.localRuns()) return;
    for (size_t position = 0; position <= s.size(); ++position) {
        FUZZ_CHECK(pattern.runAt(s, position).value_or(Span{}) == beginning[position],
                   "local run differs from the global search: " + context + " at " + std::to_string(position));
    }
}

// Every search of the subject; runaway searches (5017) end the check.
void CheckSearches(Pattern& pattern, const std::u16string& source, Options options, std::u16string_view s,
                   const regexptest::RefNode* reference) {
    const std::string context = Describe(source, options, s);
    try {
        for (size_t from = 0; from <= s.size(); ++from) {
            std::optional<Spans> found = CheckedSearch(pattern, s, from, context);
            CheckLookbehind(pattern, s, from, found, context);
            CheckInterpreter(pattern, s, from, found, context);
            CheckAutomaton(pattern, s, from, found, context);
            if (!reference) continue;
            regexptest::ReferenceMatcher matcher(s, options, pattern.groupCount());
            try {
                FUZZ_CHECK(matcher.search(*reference, from) == found,
                           "differs from the reference matcher: " + context + " from " + std::to_string(from));
            } catch (const regexptest::ReferenceGaveUp&) {
            }
        }
        CheckGlobalIteration(pattern, source, options, s, context);
    } catch (const ComError& error) {
        FUZZ_CHECK(error.number() == errnum::kRegExpSyntax, "search error " + std::to_string(error.number()) + ": " + context);
    }
}

void FuzzPatternText(fuzz::FuzzInput& input, Options options) {
    const std::u16string source = input.text(32, kPatternUnits);
    std::optional<Pattern> pattern;
    try {
        pattern.emplace(source, options);
    } catch (const ComError& error) {
        FUZZ_CHECK(error.number() >= errnum::kRegExpSyntax && error.number() <= errnum::kRegExpInvalidRange,
                   "compile error " + std::to_string(error.number()) + ": " + fuzz::Printable(source));
        return;
    }
    for (int subjects = 3; subjects > 0 && !input.empty(); --subjects)
        CheckSearches(*pattern, source, options, input.text(16, kSubjectUnits), nullptr);
}

void FuzzGeneratedPattern(fuzz::FuzzInput& input, Options options) {
    regexptest::PatternGenerator generator([&input](size_t n) { return input.below(n); });
    const regexptest::RefPtr root = generator.generate();
    const std::u16string source = regexptest::Render(*root);
    std::optional<Pattern> pattern;
    try {
        pattern.emplace(source, options);
    } catch (const ComError&) {
        fuzz::Fail("a generated pattern does not compile: " + fuzz::Printable(source));
    }
    FUZZ_CHECK(pattern->groupCount() == generator.groups(), "group count of " + fuzz::Printable(source));
    for (int subjects = 2; subjects > 0 && !input.empty(); --subjects)
        CheckSearches(*pattern, source, options, input.text(10, regexptest::kSubjectUnits), root.get());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput input(data, size);
    const uint8_t mode = input.byte();
    const Options options{(mode & 1) != 0, (mode & 2) != 0};
    if (mode & 4) FuzzGeneratedPattern(input, options);
    else FuzzPatternText(input, options);
    return 0;
}
