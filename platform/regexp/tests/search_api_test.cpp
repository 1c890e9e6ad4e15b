// Execute against an independent ECMAScript matcher, and the facts and calls offered to callers
// that search position by position.
#include <random>

#include "platform/regexp/dialect_tree.h"
#include "platform/regexp/lazy_dfa.h"
#include "platform/regexp/pattern.h"
#include "platform/regexp/pattern_analysis.h"
#include "platform/regexp/search_watch.h"
#include "platform/regexp/tests/reference_matcher.h"
#include "platform/regexp/tests/regexp_test_helpers.h"

namespace {

using regexp::Options;
using regexp::Pattern;
using regexp::Span;
using regexptest::PatternGenerator;
using regexptest::ReferenceMatcher;

std::string Printable(std::u16string_view text) {
    std::string out;
    for (char16_t c : text) {
        if (c >= 0x20 && c < 0x7F) out += char(c);
        else out += "\\u" + std::to_string(unsigned(c));
    }
    return out;
}

// Spans found in a subject that begins at `offset`, as positions in the whole text.
void ShiftBy(std::vector<Span>& spans, size_t offset) {
    for (Span& span : spans)
        if (span.matched()) span = Span{span.start + offset, span.end + offset};
}

std::u16string RandomSubject(std::mt19937& random, size_t maxLength) {
    std::u16string s;
    size_t length = std::uniform_int_distribution<size_t>(0, maxLength)(random);
    for (size_t i = 0; i < length; ++i)
        s += regexptest::kSubjectUnits[std::uniform_int_distribution<size_t>(0, regexptest::kSubjectUnits.size() - 1)(random)];
    return s;
}

const Options kAllOptions[] = {{false, false}, {true, false}, {false, true}, {true, true}};

// Calls check(source, pattern) for `count` generated patterns (seeds from firstSeed + 1), each
// under every option setting.
template <class Check>
void ForGeneratedPatterns(uint32_t count, uint32_t firstSeed, Check check) {
    for (uint32_t seed = 1; seed <= count; ++seed) {
        PatternGenerator generator(seed + firstSeed);
        const std::u16string source = regexptest::Render(*generator.generate());
        for (const Options& options : kAllOptions) {
            Pattern pattern(source, options);
            check(source, pattern);
        }
    }
}

// A match as Execute reports it: position, length and group texts (none: took no part).
struct Record {
    size_t index;
    size_t length;
    std::vector<std::optional<std::u16string>> groups;
    bool operator==(const Record&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Record& r) {
    os << r.index << "+" << r.length;
    for (const auto& g : r.groups) os << (g ? " \"" + Printable(*g) + "\"" : " -");
    return os;
}

std::vector<Record> ExecuteRecords(std::u16string_view pattern, std::u16string_view subject, Options options) {
    regexp::MatchCollection matches = regexptest::Execute(pattern, subject, {options.ignoreCase, options.multiline, true});
    std::vector<Record> records;
    for (size_t i = 0; i < matches.count(); ++i) {
        regexp::Match m = matches.item(i);
        Record r{m.firstIndex(), m.length(), {}};
        for (size_t g = 0; g < m.subMatchCount(); ++g)
            r.groups.push_back(m.subMatchTookPart(g) ? std::optional(m.subMatch(g)) : std::nullopt);
        records.push_back(std::move(r));
    }
    return records;
}

// The reference's global iteration: after an empty match the next search starts one further.
std::vector<Record> ReferenceRecords(const regexptest::RefNode& root, size_t groups, std::u16string_view subject,
                                     Options options, size_t stepsPerSearch = 20000) {
    ReferenceMatcher matcher(subject, options, groups, stepsPerSearch);
    std::vector<Record> records;
    size_t from = 0;
    while (from <= subject.size()) {
        std::optional<std::vector<Span>> found = matcher.search(root, from);
        if (!found) break;
        const Span& whole = (*found)[0];
        Record r{whole.start, whole.length(), {}};
        for (size_t g = 1; g <= groups; ++g) {
            const Span& span = (*found)[g];
            r.groups.push_back(span.matched() ? std::optional(std::u16string(subject.substr(span.start, span.length())))
                                              : std::nullopt);
        }
        records.push_back(std::move(r));
        from = whole.end + (whole.length() == 0 ? 1 : 0);
    }
    return records;
}

TEST(ExecuteAgainstReference, RandomPatternsAndSubjects) {
    std::mt19937 random(2024);
    int compared = 0, matched = 0;
    for (uint32_t seed = 1; seed <= 2000; ++seed) {
        PatternGenerator generator(seed);
        regexptest::RefPtr root = generator.generate();
        std::u16string pattern = regexptest::Render(*root);
        for (const Options& options : kAllOptions) {
            for (int k = 0; k < 3; ++k) {
                std::u16string subject = RandomSubject(random, 10);
                std::vector<Record> expected = ReferenceRecords(*root, generator.groups(), subject, options);
                std::vector<Record> actual;
                ASSERT_NO_THROW(actual = ExecuteRecords(pattern, subject, options)) << Printable(pattern);
                ASSERT_EQ(actual, expected) << "pattern " << Printable(pattern) << " subject " << Printable(subject)
                                            << " ignoreCase " << options.ignoreCase << " multiline " << options.multiline;
                ++compared;
                matched += !expected.empty();
            }
        }
    }
    EXPECT_EQ(compared, 2000 * 4 * 3);
    EXPECT_GT(matched, compared / 4);  // the cases are not all trivial misses
}

// A search from q sees the text from q - maxLookbehind on, whatever the subject's start.
TEST(SearchFrom, IndependentOfTheSubjectStartBeyondTheLookbehind) {
    std::mt19937 random(99);
    std::vector<Span> a, b;
    ForGeneratedPatterns(400, 10000, [&](const std::u16string& source, Pattern& pattern) {
        std::u16string text = RandomSubject(random, 16);
        size_t lookbehind = pattern.maxLookbehind();
        for (size_t q = lookbehind; q <= text.size(); ++q) {
            std::u16string_view whole(text);
            bool foundWhole = pattern.searchFrom(whole, q, a);
            size_t s1 = q - lookbehind;
            bool foundLater = pattern.searchFrom(whole.substr(s1), q - s1, b);
            ASSERT_EQ(foundWhole, foundLater) << Printable(source) << " q " << q;
            if (!foundWhole) continue;
            ShiftBy(b, s1);
            ASSERT_EQ(a, b) << Printable(source) << " in " << Printable(text) << " q " << q;
        }
    });
}

// Where triesAlike says two subjects' tries from `from` through `through` go alike, a search from
// `from` finds the same match in both, or none that starts by `through` in either.
TEST(TriesAlike, SearchesOfBothSubjectsAgree) {
    std::mt19937 random(7);
    std::vector<Span> a, b;
    int alikeAcrossALookbehind = 0;
    ForGeneratedPatterns(400, 20000, [&](const std::u16string& source, Pattern& pattern) {
        std::u16string text = RandomSubject(random, 12);
        std::u16string_view whole(text);
        for (size_t later = 1; later <= text.size(); ++later) {
            const size_t earlier = size_t(random()) % later;
            const size_t through = later + size_t(random()) % (text.size() - later + 1);
            if (!pattern.triesAlike(whole, earlier, later, later, through)) continue;
            alikeAcrossALookbehind += pattern.maxLookbehind() > 0;
            const bool inEarlier = pattern.searchFrom(whole.substr(earlier), later - earlier, a) && a[0].start + earlier <= through;
            const bool inLater = pattern.searchFrom(whole.substr(later), 0, b) && b[0].start + later <= through;
            ASSERT_EQ(inEarlier, inLater) << Printable(source) << " in " << Printable(text) << " from " << later;
            if (!inEarlier) continue;
            ShiftBy(a, earlier);
            ShiftBy(b, later);
            ASSERT_EQ(a, b) << Printable(source) << " in " << Printable(text) << " from " << later;
        }
    });
    EXPECT_GT(alikeAcrossALookbehind, 1000);
}

TEST(TriesAlike, ByWhatTheUnitBeforeTheLaterStartLooksLike) {
    struct Case {
        const char16_t* pattern;
        bool multiline;
        const char16_t* text;  // the later subject starts after its first unit
        bool alike;
    };
    const Case cases[] = {
        {u"\\bab", false, u" ab", true},     {u"\\bab", false, u"xab", false},  {u"\\Bab", false, u"-ab", true},
        {u"\\bab", false, u"xcd", true},     {u"ab", false, u"xab", true},      {u"^ab", false, u" ab", false},
        {u"^ab", true, u"\nab", true},        {u"^ab", true, u" ab", false},     {u"(?=\\b)a", false, u"xab", false},
        {u"\\b(a|x)\\s+/", false, u"/a /", true},
    };
    for (const Case& test : cases) {
        Pattern pattern(test.pattern, Options{false, test.multiline});
        const std::u16string_view text(test.text);
        EXPECT_EQ(test.alike, pattern.triesAlike(text, 0, 1, 1, text.size())) << Printable(test.pattern) << " " << Printable(text);
    }
}

// Every search, with the JIT and the shortcuts, against PCRE2's interpreter on the same
// translation; the subjects repeat their units, as the JIT's faults have needed.
TEST(SearchFrom, AgreesWithPcre2sInterpreter) {
    std::mt19937 random(17);
    std::vector<Span> fast, plain;
    ForGeneratedPatterns(1000, 20000, [&](const std::u16string& source, Pattern& pattern) {
        std::u16string text;
        for (char16_t unit : RandomSubject(random, 6)) text.append(1 + random() % 4, unit);
        for (size_t from = 0; from <= text.size(); ++from) {
            const bool found = pattern.searchFrom(text, from, fast);
            ASSERT_EQ(pattern.searchFromByInterpreter(text, from, plain), found)
                << Printable(source) << " in " << Printable(text) << " from " << from;
            if (!found) continue;
            ASSERT_EQ(fast, plain) << Printable(source) << " in " << Printable(text) << " from " << from;
        }
    });
}

// Long texts where places a match may start come every few units but matches seldom: the scans
// then read on through the automaton instead of skipping to each place. The last five start
// their searches where their first parts end at an inner unit.
TEST(SearchFrom, DenseStartsAndFewMatchesAgreeWithPcre2sInterpreter) {
    std::mt19937 random(23);
    const char16_t* words[] = {u"abcdefghijk", u"if", u"c", u"or x", u"lmn_opqrstu", u"/", u"\n", u" ", u"  ", u"x1", u"(", u","};
    const char16_t* rare[] = {u"ab: ", u":ab", u"if /ab/", u"f(", u"ab:: ", u"=/a/", u"( /b/", u"c\n/"};
    for (const char16_t* source : {u":[a-z_]\\w*[?!=]?|[a-z_]\\w*:(?!:)", u"\\b(if|or)(\\s+)(/[a-z]*/)",
                                   u"[a-z_]\\w*\\(|\\w+!", u"^[a-z]+:", u"\\b(if|or|c|ab|lmn)(\\s+)(/[a-z]*/)",
                                   u"([(,=:!]\\s*)(/(?![/*])[a-z]*/)", u"[a-z]*\\s*:[a-z]", u"^[a-z ]+\\b:", u"(\\w+)(\\s*)(/\\w)"}) {
        Pattern pattern(source, {.multiline = true});
        std::u16string text;
        while (text.size() < 40000) text += random() % 300 ? words[random() % std::size(words)] : rare[random() % std::size(rare)];
        std::vector<Span> fast, plain;
        for (size_t from = 0; from <= text.size(); from += 1 + random() % 997) {
            const bool found = pattern.searchFrom(text, from, fast);
            ASSERT_EQ(pattern.searchFromByInterpreter(text, from, plain), found) << Printable(source) << " from " << from;
            if (found) ASSERT_EQ(fast, plain) << Printable(source) << " from " << from;
        }
    }
}

// Alternatives whose first parts end at an inner unit, one whose inner unit is read by a
// lookahead and may also be its first, searched from every place of texts dense with such places.
TEST(SearchFrom, InnerUnitsOfAlternativesAgreeWithPcre2sInterpreter) {
    std::mt19937 random(29);
    const char16_t* pieces[] = {u"x", u"\n", u" ", u"#", u"12:", u"ab =", u"=", u":", u"-", u"?"};
    for (const char16_t* source : {u"[a-z]+(\\s*)=|[0-9]+:",
                                   u"[^\\s?:#-][^\\n:#]*?(?=[ \\t]*:(?:[ \\t\\n]|$))|[-?:](?=\\S)[^\\n:#]*?(?=[ \\t]*:(?:[ \\t\\n]|$))"}) {
        Pattern pattern(source, {});
        std::u16string text;
        while (text.size() < 3000) text += pieces[random() % std::size(pieces)];
        std::vector<Span> fast, plain;
        for (size_t from = 0; from <= text.size(); ++from) {
            const bool found = pattern.searchFrom(text, from, fast);
            ASSERT_EQ(pattern.searchFromByInterpreter(text, from, plain), found) << Printable(source) << " from " << from;
            if (found) ASSERT_EQ(fast, plain) << Printable(source) << " from " << from;
        }
    }
}

TEST(SearchFrom, FirstUnitsAndMinimumLengthHoldForEveryMatch) {
    std::mt19937 random(5);
    int patternsWithTable = 0;
    ForGeneratedPatterns(600, 20000, [&](const std::u16string& source, Pattern& pattern) {
        const regexp::CodeUnitSet* first = pattern.firstUnits();
        EXPECT_EQ(first == nullptr, pattern.mayMatchEmpty()) << Printable(source);
        patternsWithTable += first != nullptr;
        std::u16string text = RandomSubject(random, 16);
        for (size_t q = 0; q <= text.size(); ++q) {
            std::optional<Span> m = pattern.searchFrom(text, q);
            if (!m) break;
            EXPECT_LE(m->start + pattern.minLength(), text.size()) << Printable(source);
            if (!first) continue;
            ASSERT_GT(m->length(), 0u) << Printable(source);
            EXPECT_TRUE(first->test(text[m->start])) << Printable(source) << " at " << m->start;
        }
    });
    EXPECT_GT(patternsWithTable, 100);
}

TEST(SearchFrom, OffsetsGroupsAndTheEnd) {
    Pattern pattern(u"(x)|(y)", {});
    std::vector<Span> spans;
    ASSERT_TRUE(pattern.searchFrom(u"xay", 1, spans));
    EXPECT_EQ(spans, (std::vector<Span>{{2, 3}, {}, {2, 3}}));
    EXPECT_FALSE(pattern.searchFrom(u"xay", 3).has_value());
    EXPECT_FALSE(pattern.searchFrom(u"xay", 4).has_value());
    Pattern empty(u"$", {});
    EXPECT_EQ(empty.searchFrom(u"ab", 2), (Span{2, 2}));
    EXPECT_EQ(empty.searchFrom(std::u16string_view{}, 0), (Span{0, 0}));
    // Units before the start offset are visible to \b.
    Pattern word(u"\\bb", {});
    EXPECT_FALSE(word.searchFrom(u"ab", 1).has_value());
    EXPECT_TRUE(word.searchFrom(std::u16string_view(u"ab").substr(1), 0).has_value());
}

// What sends a pattern with longer lookaheads to the automata first: a lookahead after a run of
// units it may begin with (asked at every unit of the run), or a repeated part of more than one
// unit test (a backtracking frame a pass).
TEST(PatternFacts, ShapesThatBacktrackingSearchesReadOften) {
    struct Case {
        const char16_t* source;
        bool rereads, repeatsAPart;
    };
    const Case cases[] = {{u"[^\\n:#]*?(?=[ \\t]*:)", true, false}, {u"x(?:[^\\n]+)(?![ ]+;)", true, false},
                          {u"a|b\\s*(?=\\s+\\w)", true, false}, {u"[\\w-]+(?=\\s*:)", false, false},
                          {u"\"(?:[^\"\\\\]|\\\\.)*\"(?=\\s*:)", false, true}, {u"\\s*(?=[ ]:)", false, false},
                          {u"(?:ab)+(?=\\s)", false, true}, {u"a*(?=a)(?:b|c){2}", false, false}};
    for (const Case& c : cases) {
        const regexp::dialect::ParsedPattern parsed = regexp::dialect::Parse(c.source, false);
        EXPECT_EQ(regexp::dialect::LookaheadRereadsRun(*parsed.root, false), c.rereads) << Printable(c.source);
        EXPECT_EQ(regexp::dialect::RepeatsAPart(*parsed.root), c.repeatsAPart) << Printable(c.source);
    }
}

TEST(PatternFacts, LookbehindAndAnchoring) {
    EXPECT_EQ(Pattern(u"abc", {}).maxLookbehind(), 0u);
    EXPECT_EQ(Pattern(u"\\bx", {}).maxLookbehind(), 1u);
    EXPECT_EQ(Pattern(u"x^", {false, true}).maxLookbehind(), 1u);
    EXPECT_TRUE(Pattern(u"^x", {}).anchoredAtStart());
    EXPECT_TRUE(Pattern(u"^a|^b", {}).anchoredAtStart());
    EXPECT_FALSE(Pattern(u"^x", {false, true}).anchoredAtStart());
    EXPECT_FALSE(Pattern(u"a|^b", {}).anchoredAtStart());
    EXPECT_EQ(Pattern(u"ab+c?", {}).minLength(), 2u);
    EXPECT_TRUE(Pattern(u"a*", {}).mayMatchEmpty());
    EXPECT_TRUE(Pattern(u"(a)\\1", {}).mayMatchEmpty() == false);
    EXPECT_TRUE(Pattern(u"\\b", {}).mayMatchEmpty());
}

// A unit that a pattern is said never to hold is in no match and no group text, over generated
// patterns; the cases reach units that a match does not consume or that equal others by case.
TEST(PatternFacts, UnitsAMatchMayHold) {
    EXPECT_FALSE(Pattern(u"[A-Za-z_]\\w*", {}).mayHoldAnyOf(u"&<> "));
    EXPECT_TRUE(Pattern(u"x(?=(<))", {}).mayHoldAnyOf(u"&<> "));
    EXPECT_TRUE(Pattern(u"a.", {}).mayHoldAnyOf(u" "));
    EXPECT_FALSE(Pattern(u"(a)\\1", {}).mayHoldAnyOf(u"b"));
    EXPECT_TRUE(Pattern(u"k", {true, false}).mayHoldAnyOf(u"K"));
    EXPECT_FALSE(Pattern(u"k", {}).mayHoldAnyOf(u"K"));
    EXPECT_TRUE(Pattern(u"k", {}).mayHoldAnyOf(u"\u00E9"));  // beyond ASCII: taken as held
    std::mt19937 random(9);
    int without = 0;
    std::vector<Span> spans;
    for (uint32_t seed = 1; seed <= 300; ++seed) {
        std::u16string source = regexptest::Render(*PatternGenerator(seed + 30000).generate());
        for (const Options& options : kAllOptions) {
            Pattern pattern(source, options);
            for (char16_t unit : std::u16string_view(u" a1\n")) {
                if (pattern.mayHoldAnyOf(std::u16string_view(&unit, 1))) continue;
                ++without;
                std::u16string text = RandomSubject(random, 16);
                for (size_t q = 0; q <= text.size() && pattern.searchFrom(text, q, spans); q = spans[0].start + 1) {
                    for (const Span& span : spans) {
                        if (!span.matched()) continue;
                        EXPECT_EQ(text.substr(span.start, span.length()).find(unit), std::u16string::npos) << Printable(source);
                    }
                }
            }
        }
    }
    EXPECT_GT(without, 200);
}

// Searches skip ahead to a unit every match takes; the bound before it must hold for every
// match (the random patterns above check the searches themselves).
TEST(PatternFacts, RequiredUnitAfterABoundedStart) {
    struct Case {
        const char16_t* pattern;
        bool ignoreCase;
        char16_t unit;  // 0: none
        size_t within;
    };
    const Case cases[] = {
        {u"(?:L|u8|u|U)?\"", false, u'"', 2}, {u"\\b[0-9]{1,3}(x)\\.", false, u'x', 3},
        {u"(a(?=bcd)b?)-", false, u'-', 2},   {u"a?B", false, u'B', 1},
        {u"a?B", true, 0, 0},                 {u"\"a*x", false, 0, 0},
        {u"a*\"", false, 0, 0},               {u"(?:\"|')x", false, u'x', 1},
        {u"(a)\\1-", false, 0, 0},            {u"a-|b-", false, 0, 0},
    };
    for (const Case& c : cases) {
        regexp::dialect::ParsedPattern parsed = regexp::dialect::Parse(c.pattern, c.ignoreCase);
        std::optional<regexp::dialect::RequiredUnit> found = regexp::dialect::FindRequiredUnit(*parsed.root, c.ignoreCase);
        ASSERT_EQ(found.has_value(), c.unit != 0) << Printable(c.pattern);
        if (!found) continue;
        EXPECT_EQ(found->unit, c.unit) << Printable(c.pattern);
        EXPECT_EQ(found->within, c.within) << Printable(c.pattern);
    }
}

// Lookaheads followed by what may be empty: the length PCRE2 itself figures for these is too
// large, and a search that trusted it would pass over the match.
TEST(PatternFacts, LookaheadsDoNotAddToTheLengthNeeded) {
    struct Case {
        const char16_t* pattern;
        const char16_t* subject;
        Span match;
        size_t needed;  // the shortest subject a match needs
    };
    const Case cases[] = {
        {u"(?=a)b?a", u"a", {0, 1}, 1},
        {u"(?=a)(b?)a", u"xa\n", {1, 2}, 1},
        {u"((?=a)\\1(?:))\\1(?:)a", u"a\n", {0, 1}, 1},
        {u"(?=abc)a", u"abc", {0, 1}, 3},
        {u"(?=a)(?=ab)", u"ab", {0, 0}, 2},
        {u"(?=b[^\\n])\n*?b", u"-\u00E9b\u017F\nB\r", {2, 3}, 2},
        {u"\\b((?=bx)x?b)", u"bx", {0, 1}, 2},
        {u"(?:(?=bx)x?)b", u"bx", {0, 1}, 2},
    };
    for (const Case& c : cases) {
        for (Options options : kAllOptions) {
            Pattern pattern(c.pattern, options);
            EXPECT_EQ(pattern.searchFrom(c.subject, 0), c.match) << Printable(c.pattern);
            EXPECT_LE(pattern.minLength(), c.needed) << Printable(c.pattern);
        }
    }
}

// Forms PCRE2's JIT on its own gets wrong: a repeated set listing units above 255 after four or
// more equal units, matched up to the subject's end; a repeated back reference to a group that
// took no part; a negated set leaving out U+00FF, met at a unit above 255.
TEST(SearchFrom, FormsTheJitGetsWrongAlone) {
    struct Case {
        const char16_t* pattern;
        const char16_t* subject;
        Span match;
    };
    const Case cases[] = {
        {u"a{2}?a{2}?\u0416?", u"xaaaa", {1, 5}},
        {u"aaaa[\\s\\S]{0,2}", u"xaaaa", {1, 5}},
        {u"aaaa[^\u0416a]{0,2}", u"xaaaa", {1, 5}},
        {u"aaaa[b-\u0416]{0,2}", u"xaaaa", {1, 5}},
        {u"aaaa[]{0,2}", u"xaaaa", {1, 5}},
        {u"aaaa\u00FF?", u"xaaaa", {1, 5}},
        {u"(a)?\\1+b", u"xb", {1, 2}},
        {u"(?:(a)|x)\\1{2,}b", u"xb", {0, 2}},
        {u"[^\\x00-\\x60\\x62-\\xff]b{1,2}", u"x\u0416b", {1, 3}},
        {u"(a|\\B)a+aa", u"xaaa", {1, 4}},
        {u"(aa|a)a+aa", u"aaaa", {0, 4}},
        {u"([a-f]|\\B)[a-f]+aa", u"xaaa", {1, 4}},
        {u"(?:x(?:|yy)|(?:ba|)b+)a", u"bab", {0, 2}},
    };
    for (const Case& c : cases) {
        for (Options options : kAllOptions)
            EXPECT_EQ(Pattern(c.pattern, options).searchFrom(c.subject, 0), c.match) << Printable(c.pattern);
    }
}

// Patterns that begin with \b and a range of word units pass over the rest of a word where
// such a unit follows another word unit (the digits of int32_t).
TEST(SearchFrom, WordLedRangesAgreeWithPcre2sInterpreter) {
    const std::u16string text = u"int32_t x=0x1F+a2 3_4 _5 9z (7) ab12cd 0 1.5e3 u8 é7 7";
    std::vector<Span> fast, plain;
    for (const char16_t* source : {u"\\b\\d+", u"\\b[a-f]\\w*", u"\\b(?:0[xX][0-9A-Fa-f]+|\\d+\\.?\\d*)\\b", u"\\B\\d",
                                   u"\\b[0-9]\\w*"}) {
        Pattern pattern(source, {});
        for (size_t from = 0; from <= text.size(); ++from) {
            const bool found = pattern.searchFrom(text, from, fast);
            ASSERT_EQ(pattern.searchFromByInterpreter(text, from, plain), found) << Printable(source) << " from " << from;
            if (found) {
                ASSERT_EQ(fast, plain) << Printable(source) << " from " << from;
            }
        }
    }
}

// Every search of the pattern, from each position of the text, as PCRE2's interpreter finds it;
// and the automata's own scans (which the search uses only where tries grow long) find its ends.
void ExpectTheAutomatonAgrees(const char16_t* source, const std::u16string& text) {
    using regexp::detail::LazyDfa;
    std::vector<Span> fast, plain;
    for (const Options& options : kAllOptions) {
        Pattern pattern(source, options);
        ASSERT_TRUE(pattern.searchesByAutomaton()) << Printable(source);
        const regexp::dialect::ParsedPattern parsed = regexp::dialect::Parse(source, options.ignoreCase);
        std::optional<LazyDfa> forward = LazyDfa::Compile(*parsed.root, options.ignoreCase, options.multiline, LazyDfa::Direction::Forward);
        std::optional<LazyDfa> backward = LazyDfa::Compile(*parsed.root, options.ignoreCase, options.multiline, LazyDfa::Direction::Backward);
        ASSERT_TRUE(forward && backward) << Printable(source);
        for (size_t from = 0; from <= text.size(); ++from) {
            const bool found = pattern.searchFrom(text, from, fast);
            ASSERT_EQ(pattern.searchFromByInterpreter(text, from, plain), found) << Printable(source) << " from " << from;
            if (found) {
                ASSERT_EQ(fast, plain) << Printable(source) << " from " << from;
            }
            const size_t end = forward->firstMatchEnd(text.data(), text.size(), from, [](size_t at) { return at; });
            const bool ended = found && end != Span::npos;  // else the forward scan was unsure or wrong: checked below
            const size_t start = ended ? backward->leftmostStartOfMatchEndingAt(text.data(), text.size(), from, end) : 0;
            if (forward->tookUnsureAnswer() | backward->tookUnsureAnswer()) continue;
            ASSERT_EQ(found ? plain[0].end : Span::npos, end) << Printable(source) << " from " << from;
            if (found) {
                ASSERT_EQ(plain[0].start, start) << Printable(source) << " from " << from;
            }
            ASSERT_EQ(pattern.searchFrom(text, from), found ? std::optional(plain[0]) : std::nullopt);
        }
    }
}

// Patterns the automata take, where the order of trying decides the match: alternatives that
// share a start, greedy and lazy repeats, optional parts, counted repeats, assertions, groups,
// and shapes that make PCRE2 try each start to the text's end or backtrack.
TEST(SearchFrom, TheAutomatonAgreesWithPcre2sInterpreter) {
    const char16_t* const sources[] = {
        u"\\b(?:0[xX][0-9A-Fa-f_]+|0[bB][01_]+|\\d[\\d_]*(?:\\.\\d[\\d_]*)?(?:[eE][+-]?\\d+)?)[A-Za-z]*",
        u"\\b(?:0[xX][0-9A-Fa-f]+|\\d+\\.?\\d*(?:[eE][+-]?\\d+)?)[uUlLfF]*\\b",
        u"a|ab|abc", u"(?:a|ab)c", u"a+?b?", u"(?:ab|a)(?:bc|c)?", u"x(?:ab)*?b", u"(?:a|b)*a",
        u"a{2,3}b{0,2}?", u"(?:ab){1,3}", u"^a|b$", u"\\Ba\\w", u"(?:L|u8|u)?\"", u"[^\\n]+?$", u"\\b(?:Rem|if)\\b[^\\n]*",
        u"(a|ab)(c|bcd)?", u"x?a*[bc]", u"(a|aa)+[cd]", u"\\s+$", u"(\\w+\\s)*;", u"\\b(a)\\b|(b)(\\B)"};
    const char16_t* const lookaheads[] = {
        u"[\\w-]+(?=\\()", u"a(?![bc])\\w*", u"(/(?![/*])(?:[^/\\n]|\\\\.)+/)", u"\\w+(?!\\s)", u"(?=[ab])\\w+(?=\\n)$",
        u"(?:a(?=b)|a(?![c\\u20ac]))+.", u"\\b(?:if|a)(?=(?:\\s))", u"x+(?![ax])\\b",
        u"[\\w-]+(?=\\s*:)", u"\\w+(?!\\s*\\()", u"(?=a\\w)\\w+", u"a(?=b(?=c))\\w", u"(?:x(?=ab)|x(?!a\\b))+\\w",
        u"[^\\s:][^\\n:#]*?(?=[ \\t]*:(?:[ \\t\\n]|$))", u"b(?=[^!]*!)\\w", u"[+-]?\\d+\\.?\\d*(?=[\\s()/]|$)",
        u"\\w+(?=$|[\\s,])", u"\\w+(?=[,]|$)", u"(\\n)(#+[^\\n]*)(?=\\n|$)"};
    const std::u16string text =
        u"0x1F_ 0b12 0bz 12.5e+3x 7a ab abcab aabcc xababb \"u8\"L\" 0Xg 1.e5 ab\nba\rAB 9_9 xRem rem_ Rem x\nif"
        u" a\u20acb \u00e9ab 1\u4e2d2 ab\u20ac\nRem \u00e9\u20ac aaad xaac ab c;a_1 b;  \n/a/ //x/*y/ a-b(c xxa ifa\t key: v\nab : x(y) abc!";
    for (const char16_t* source : sources) ExpectTheAutomatonAgrees(source, text);
    // Long tries, which the automata scan: a lookahead read backward looks at the unit read last.
    const std::u16string longTries = text + std::u16string(150, u'a') + u"b(c/" + std::u16string(150, u'x') + u"/ ";
    for (const char16_t* source : lookaheads) ExpectTheAutomatonAgrees(source, longTries);
    // Lookaheads that read on from every position of a long run: later reads take the answers
    // that earlier ones noted where they pass in the same state.
    const std::u16string spaces(300, u' ');
    const std::pair<const char16_t*, std::u16string> longReads[] = {
        {u"x(?=[^!]*!)", u"ax" + std::u16string(600, u'a') + u"!x"},
        {u"[^\\s:][^\\n:#]*?(?=[ \\t]*:(?:[ \\t\\n]|$))", u"x" + spaces + u"y" + spaces + u":\n" + spaces + u"k" + spaces + u": v" + spaces},
        {u"\\w[^\\n]*?(?!\\s*(?:;|$))", u"a" + spaces + u";b" + spaces + u"\nc" + spaces},
        {u"[ab]+(?=(?:ab)*c)", std::u16string(150, u'a') + u"ab" + std::u16string(100, u'b') + std::u16string(200, u'a') + u"abababc"}};
    for (const auto& [source, text] : longReads) ExpectTheAutomatonAgrees(source, text);
    std::vector<Span> fast, plain;
    // An automaton whose states fill their bound drops them and goes on.
    Pattern growing(u"(?:a|b)*a(?:a|b){12}c", {});
    std::mt19937 random(5);
    std::u16string ab;
    for (int i = 0; i < 20000; ++i) ab += random() % 2 ? u'a' : u'b';
    ASSERT_TRUE(growing.searchesByAutomaton());
    EXPECT_EQ(growing.searchFrom(ab + u"c", 0, fast), growing.searchFromByInterpreter(ab + u"c", 0, plain));
    EXPECT_EQ(fast, plain);
    EXPECT_TRUE(growing.searchesByAutomaton());
}

// A caller that needs no match starting after lastStart lets the search stop there: it then gives
// the same match as without the bound, or nothing where that match starts after lastStart. By
// each way of searching: automata after a few first units or a required unit, PCRE2, callouts
// (a back reference), a walk.
TEST(SearchFrom, ALastStartOnlyLetsTheSearchGiveNothingForLaterMatches) {
    const char16_t* const sources[] = {u"\"(?:[^\"]|\"\")*\"", u"\\b\\d+(?:\\.\\d+)?\\b", u"x\\w?\\w?:",
                                       u"(\\$[a-z]\\w*\\$)[\\s\\S]*?\\1", u"[eE]'[^']*'", u"[a-c]+d", u"ab(?=c)", u"\\w+\\(",
                                       u"\\b(?:ab|x1)\\b", u"[a-c]+", u"\\$a", u"[ \\w]*\\("};
    const std::u16string text = u"ab x12: 3.5 \"q\"\"\" $ab$ z $ab$ e'x' abcabd ab( x1: 7";
    for (const char16_t* source : sources) {
        Pattern pattern(source, {});
        for (size_t from = 0; from <= text.size(); ++from) {
            const std::optional<Span> all = pattern.searchFrom(text, from);
            for (size_t lastStart = from; lastStart <= text.size(); lastStart += 3) {
                const std::optional<Span> bounded = pattern.searchFrom(text, from, lastStart);
                if (all && all->start <= lastStart) {
                    ASSERT_EQ(bounded, all) << Printable(source) << " from " << from << " to " << lastStart;
                } else if (bounded) {
                    ASSERT_EQ(bounded, all) << Printable(source) << " from " << from << " to " << lastStart;
                }
            }
        }
    }
}

// A search that PCRE2 makes in time that grows with the square of a line (each start runs a lazy
// repeat to the line's end before its lookahead fails) reaches the quick search's limit; the
// automata finish it, with PCRE2's answer.
TEST(SearchFrom, PastPcre2sQuickLimitALookaheadPatternIsTheAutomatons) {
    Pattern pattern(u"[^\\s:][^\\n:#]*?(?=[ \\t]*:(?:[ \\t\\n]|$))|z", {});
    std::u16string line;
    for (int i = 0; i < 25000; ++i) line += u"a b ";  // PCRE2's interpreter: about 50 s
    EXPECT_EQ(pattern.searchFrom(line + u"z", 0), (Span{line.size(), line.size() + 1}));
    EXPECT_EQ(pattern.searchFrom(line + u"\nkey : x", 0), (Span{line.size() + 1, line.size() + 4}));
    EXPECT_EQ(pattern.searchFrom(line, 0), std::nullopt);
}

// A search of millions of short attempts, or one attempt over millions of units, still gives the
// search watch its turn: by PCRE2 (whose match limit does not count attempts that end without
// backtracking) and by the automaton, over units below 256 and above.
TEST(SearchFrom, AWatchStopsALongSearch) {
    std::u16string pairs, oneLong = u"a", oneLongWide = u"a";
    for (int i = 0; i < 4'000'000; ++i) pairs += u"ab";
    oneLong.append(8'000'000, u'b').append(u"c");  // one attempt, which matches: no turn after it
    oneLongWide.append(8'000'000, u'\u4e2d').append(u"c");
    const std::u16string runOfA(8'000, u'a');  // a back reference compares for seconds between steps PCRE2 counts
    struct Case {
        const char16_t* source;
        const std::u16string& subject;
        bool byAutomaton;
    };
    const Case cases[] = {{u"(ab|ac)(?=d|e)", pairs, true},
                          {u"(?:ab|ac)(?:d|e)", pairs, true},
                          {u"a(?:b|xy)*c", oneLong, true},
                          {u"a(?:\u4e2d|xy)*c", oneLongWide, true},
                          {u"x?(a*)\\1[bc]", runOfA, false}};
    for (const auto& [source, subject, byAutomaton] : cases) {
        Pattern pattern(source, Options{});
        ASSERT_FALSE(pattern.walksWithoutEngine());
        ASSERT_EQ(pattern.searchesByAutomaton(), byAutomaton) << Printable(source);
        regexp::SearchWatch watch([] { return false; }, std::chrono::milliseconds(1));
        bool interrupted = false;  // searched again while the watch's thread has not yet run
        for (int round = 0; round < 50 && !interrupted; ++round) {
            try {
                pattern.searchFrom(subject, 0);
            } catch (const regexp::SearchInterrupted&) {
                interrupted = true;
            }
        }
        EXPECT_TRUE(interrupted) << Printable(source);
    }
}

struct SingleUnitCase {
    std::u16string pattern;
    Options options;
};

// The table must agree with PCRE2 itself on every code unit.
TEST(SingleUnitSet, AgreesWithTheSearchOnEveryCodeUnit) {
    const SingleUnitCase cases[] = {
        {u"[\\s\\S]", {}}, {u"[^\"\\\\\\n]", {}}, {u".", {}}, {u"a", {}}, {u"a", {true, false}},
        {u"[a-z_]", {true, false}}, {u"\\w|[\u00E9-\u0436]", {true, false}}, {u"\\W", {true, true}},
        {u"(?:x|[^\\d])", {}}, {u"\u00E9", {true, false}}, {u"[^a\u0436]", {true, false}}, {u"\\s", {}},
        {u"[]", {}}, {u"\\u0130|\\u03c3", {true, false}},
    };
    for (const SingleUnitCase& c : cases) {
        Pattern pattern(c.pattern, c.options);
        const regexp::CodeUnitSet* table = pattern.singleUnitSet();
        ASSERT_NE(table, nullptr) << Printable(c.pattern);
        for (unsigned unit = 0; unit < 65536; ++unit) {
            char16_t subject = static_cast<char16_t>(unit);
            std::optional<Span> m = pattern.searchFrom(std::u16string_view(&subject, 1), 0);
            ASSERT_EQ(m.has_value(), table->test(unit)) << Printable(c.pattern) << " unit " << unit;
            if (m) {
                EXPECT_EQ(*m, (Span{0, 1}));
            }
        }
        ASSERT_NE(pattern.firstUnits(), nullptr);
        EXPECT_EQ(*pattern.firstUnits(), *table);
    }
}

// Ranges short and long (a long one is added as a mask), at the start, middle and end of the units;
// with a unit apart, or alone, which the set tells is one unbroken range (and a part of the first,
// which the range without its last unit is not).
TEST(CodeUnitSet, AddToGivesBackItsUnits) {
    for (const auto& [first, last] : std::vector<std::pair<size_t, size_t>>{
             {0, 0}, {0x41, 0x5A}, {0x100, 0x4FE}, {0x100, 0x4FF}, {0x2A, 0xFFFF}, {0x300, 0x1400}, {0xFFFF, 0xFFFF}}) {
        regexp::UnitBits units;
        for (size_t unit = first; unit <= last; ++unit) units.set(unit);
        units.set(0x20);
        regexp::UnitBits added;
        regexp::CodeUnitSet(units).addTo(added);
        EXPECT_EQ(units, added) << first << ".." << last;
        EXPECT_EQ(std::nullopt, regexp::CodeUnitSet(units).onlyRange()) << first << ".." << last;
        const regexp::CodeUnitSet withApart(units);
        units.reset(0x20);
        EXPECT_EQ(std::pair(char16_t(first), char16_t(last)), regexp::CodeUnitSet(units).onlyRange()) << first << ".." << last;
        EXPECT_TRUE(regexp::CodeUnitSet(units).isSubsetOf(withApart)) << first << ".." << last;
        EXPECT_FALSE(withApart.isSubsetOf(regexp::CodeUnitSet(units))) << first << ".." << last;
        const regexp::CodeUnitSet whole(units);
        units.reset(last);
        EXPECT_FALSE(whole.isSubsetOf(regexp::CodeUnitSet(units))) << first << ".." << last;
    }
}

TEST(SingleUnitSet, AbsentForAnythingElse) {
    for (const char16_t* source : {u"ab", u"a*", u"(a)", u"\\b.", u"a|bc", u"^a", u"a?", u"(?=a)a", u"", u"\\b"})
        EXPECT_EQ(Pattern(source, {}).singleUnitSet(), nullptr) << Printable(source);
}

TEST(KeywordList, Recognised) {
    Pattern captured(u"\\b(if|else|while)\\b", {});
    ASSERT_TRUE(captured.keywordList());
    EXPECT_EQ(captured.keywordList()->words, (std::vector<std::u16string>{u"if", u"else", u"while"}));
    EXPECT_TRUE(captured.keywordList()->captured);
    EXPECT_FALSE(captured.keywordList()->ignoreCase);
    Pattern plain(u"\\b(?:If|END_1)\\b", {true, false});
    ASSERT_TRUE(plain.keywordList());
    EXPECT_EQ(plain.keywordList()->words, (std::vector<std::u16string>{u"If", u"END_1"}));
    EXPECT_FALSE(plain.keywordList()->captured);
    EXPECT_TRUE(plain.keywordList()->ignoreCase);
    Pattern single(u"\\bfor\\b", {});
    ASSERT_TRUE(single.keywordList());
    EXPECT_EQ(single.keywordList()->words, (std::vector<std::u16string>{u"for"}));
    Pattern shared(u"\\b(?:a(?:nd|s(?:sert)?)|b?x)\\b", {});
    ASSERT_TRUE(shared.keywordList());
    EXPECT_EQ(shared.keywordList()->words, (std::vector<std::u16string>{u"and", u"assert", u"as", u"bx", u"x"}));
}

TEST(KeywordList, NotRecognised) {
    for (const char16_t* source : {u"\\b(if|else)", u"(if|else)\\b", u"\\b(if|el se)\\b", u"\\b(if|)\\b", u"\\b(i.f)\\b",
                                   u"\\b(if|\u00E9t\u00E9)\\b", u"\\b(if)(x)\\b", u"\\b(a|b)+\\b", u"\\b\\b",
                                   u"\\b(?:a(b)|c)\\b", u"\\b(?:a-?b)\\b"})
        EXPECT_FALSE(Pattern(source, {}).keywordList().has_value()) << Printable(source);
}

bool AsciiEqualNoCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (regexptest::Canonical(a[i]) != regexptest::Canonical(b[i])) return false;
    return true;
}

// The first position at or after q where the list's rule says a keyword starts.
std::optional<Span> KeywordAt(const regexp::KeywordList& list, std::u16string_view s, size_t q) {
    for (size_t p = q; p < s.size(); ++p) {
        if (p > 0 && regexptest::IsWordUnit(s[p - 1])) continue;
        size_t end = p;
        while (end < s.size() && regexptest::IsWordUnit(s[end])) ++end;
        std::u16string_view run = s.substr(p, end - p);
        for (const std::u16string& word : list.words)
            if (list.ignoreCase ? AsciiEqualNoCase(run, word) : run == word) return Span{p, end};
    }
    return std::nullopt;
}

TEST(KeywordList, RuleAgreesWithTheSearch) {
    const std::u16string tokens[] = {u"if", u"else", u"elif", u"IF", u"x", u"_if", u"if_", u" ", u"(", u".", u"1if", u"\u00E9"};
    std::mt19937 random(3);
    std::vector<Span> spans;
    for (const Options& options : kAllOptions) {
        // Words written out, and the same words as alternatives that share prefixes.
        for (const char16_t* source : {u"\\b(if|else|el)\\b", u"\\b(?:i(?:f)|el(?:se)?)\\b"}) {
            Pattern pattern(source, options);
            ASSERT_TRUE(pattern.keywordList());
            for (int k = 0; k < 300; ++k) {
                std::u16string text;
                for (int t = 0; t < 8; ++t) text += tokens[random() % std::size(tokens)];
                for (size_t q = 0; q <= text.size(); ++q) {
                    const std::optional<Span> found = pattern.searchFrom(text, q);
                    ASSERT_EQ(found, KeywordAt(*pattern.keywordList(), text, q)) << Printable(text);
                    ASSERT_EQ(found.has_value(), pattern.searchFromByInterpreter(text, q, spans)) << Printable(text);
                    if (found) {
                        ASSERT_EQ(*found, spans[0]) << Printable(text);
                    }
                }
            }
        }
    }
}

// \b(w1|...|wN)\b as the reference builds it: a group of alternatives of units between boundaries.
regexptest::RefPtr KeywordListTree(const std::vector<std::u16string>& words) {
    auto alternation = regexptest::MakeRef(regexptest::RefNode::Alternation);
    for (const std::u16string& word : words) {
        auto sequence = regexptest::MakeRef(regexptest::RefNode::Sequence);
        for (char16_t unit : word) {
            sequence->children.push_back(regexptest::MakeRef(regexptest::RefNode::Unit, std::u16string(1, unit)));
            sequence->children.back()->unit = unit;
        }
        alternation->children.push_back(sequence);
    }
    auto group = regexptest::MakeRef(regexptest::RefNode::Group);
    group->number = 1;
    group->children.push_back(alternation);
    auto root = regexptest::MakeRef(regexptest::RefNode::Sequence);
    root->children = {regexptest::MakeRef(regexptest::RefNode::WordBoundary, u"\\b"), group,
                      regexptest::MakeRef(regexptest::RefNode::WordBoundary, u"\\b")};
    return root;
}

// A list longer than PCRE2's compiled size allows (PHP's functions are more than 3,000): found
// by Execute and Test as the independent matcher finds it.
TEST(KeywordList, LongerThanPcre2CanCompileIsSearched) {
    std::vector<std::u16string> words;
    for (int i = 0; i < 3600; ++i) {  // array_0ab, array_0abx and the like: prefixes of one another
        std::u16string word = u"array_" + std::u16string(1, char16_t('0' + i % 10));
        for (int n = i / 10; n > 0; n /= 26) word += char16_t('a' + n % 26);
        words.push_back(word);
        if (i % 7 == 0) words.push_back(word + u"x");
    }
    const regexptest::RefPtr root = KeywordListTree(words);
    const std::u16string source = regexptest::Render(*root);
    const std::u16string subject = u"array_6ab(array_6abx) ARRAY_9ZM _array_1b array_1b_ array_4mnb.array_7\u00E9array_4mn";
    for (const Options& options : kAllOptions) {
        std::vector<Record> expected = ReferenceRecords(*root, 1, subject, options, 100'000'000);
        ASSERT_GE(expected.size(), 3u);
        std::vector<Record> actual;
        ASSERT_NO_THROW(actual = ExecuteRecords(source, subject, options)) << source.size() << " units";
        EXPECT_EQ(actual, expected) << "ignoreCase " << options.ignoreCase;
    }
    regexp::RegExp re;
    re.setPattern(source);
    EXPECT_TRUE(re.test(u"(array_5b)"));
    EXPECT_FALSE(re.test(u"array_5b_ xarray_5 array_5b0"));
}

TEST(CachedPattern, OneCompiledPatternPerSourceAndOptions) {
    auto a = regexp::CachedPattern(u"a+", {});
    EXPECT_EQ(regexp::CachedPattern(u"a+", {}), a);
    EXPECT_NE(regexp::CachedPattern(u"a+", {true, false}), a);
    EXPECT_NE(regexp::CachedPattern(u"a+", {false, true}), a);
    EXPECT_EQ(regexp::CachedPattern(u"a+", {false, true})->options(), (Options{false, true}));
    for (int i = 0; i < 300; ++i) regexp::CachedPattern(u"x" + std::u16string(1, char16_t('a' + i % 26)) + std::u16string(i / 26, u'y'), {});
    EXPECT_NE(regexp::CachedPattern(u"a+", {}), a);  // pushed out by newer ones, compiled again
    EXPECT_EQ(a->source(), u"a+");
}

}  // namespace

// Units beyond 255 are sorted into the automaton's classes as a search meets them; past the bound
// of classes the search is PCRE2's, by every way the automaton serves.
TEST(SearchFrom, UnitsOfMoreClassesThanTheAutomatonKeepsArePcre2s) {
    std::u16string units, alternatives;
    for (char16_t unit = 0x400; unit < 0x43C; ++unit) {
        alternatives += (units.empty() ? u"" : u"|") + std::u16string(1, unit);
        units += unit;
    }
    const std::u16string text = u"a" + units + u"cc $" + units + u"c a" + units + u"c";
    for (const std::u16string& source : {u"a(?:" + alternatives + u")+?(?:c|cc)", u"\\$(?:" + alternatives + u")+c"}) {
        Pattern pattern(source, {});
        ASSERT_TRUE(pattern.searchesByAutomaton());
        std::vector<Span> fast, plain;
        for (size_t from = 0; from < text.size(); from += 7) {
            ASSERT_EQ(pattern.searchFrom(text, from, fast), pattern.searchFromByInterpreter(text, from, plain));
            EXPECT_EQ(fast, plain);
        }
        // (a match begins with units no match takes later: the try at a position decides)
        ASSERT_TRUE(pattern.triesDecideMatches());
        for (size_t at = 0; at < text.size(); ++at) {
            const std::optional<Span> first = pattern.searchFrom(text, at);
            EXPECT_EQ(pattern.matchAt(text, at), first && first->start == at ? *first : Span{}) << at;
        }
    }
}
