// Sequences of unit tests against PCRE2: the same first match from every position, with the
// same groups.
#include "platform/regexp/unit_sequence.h"

#include <gtest/gtest.h>

#include <array>
#include <random>

#include "platform/regexp/dialect_tree.h"
#include "tests/support/narrow_text.h"

using regexp::detail::UnitSequence;
using testsupport::Narrow;

namespace {

std::optional<UnitSequence> Read(const std::u16string& pattern, bool ignoreCase = false) {
    regexp::dialect::ParsedPattern parsed = regexp::dialect::Parse(pattern, ignoreCase);
    return UnitSequence::Read(*parsed.root, ignoreCase);
}

bool Walks(const std::u16string& pattern, bool ignoreCase = false) {
    return regexp::Pattern(pattern, regexp::Options{ignoreCase, false}).walksWithoutEngine();
}

TEST(UnitSequenceTest, TakesOnlyPatternsWithOneReading) {
    for (const char16_t* pattern : {u"\\w+", u"[A-Za-z_]\\w*", u"//.*", u"/\\*", u"\\\\[\\s\\S]", u"a?b", u"(?:ab)c",
                                    u"([A-Za-z_]\\w*)(\\s*)(\\()", u"#[ \\t]*[A-Za-z_]\\w*", u"x(y(z+))"}) {
        EXPECT_TRUE(Walks(pattern)) << Narrow(pattern);
    }
    // Units given back, empty matches, alternatives, counts, lazy repeats, assertions, repeated
    // groups and case mappings beyond ASCII go to the engine.
    for (const char16_t* pattern : {u"a+a", u"\\w+\\s*\\w", u"a?a", u"a*", u"x?", u"a|b+", u"a{2}", u"\\w+?", u"^a",
                                    u"a\\b", u"(a)?", u"(?:ab)+", u"(a)\\1", u"a(?=b)", u"()a", u"x(y(z)+)"}) {
        EXPECT_FALSE(Walks(pattern)) << Narrow(pattern);
    }
    EXPECT_FALSE(Walks(u"\u00e9+", true));
    EXPECT_TRUE(Walks(u"\u00e9+", false));
}

const std::vector<std::u16string> kPatterns = {
    u"\\w+", u"[A-Za-z_]\\w*", u"//.*", u"/\\*", u"\\\\[\\s\\S]", u"a?b", u"(?:ab)c", u"([A-Za-z_]\\w*)(\\s*)(\\()",
    u"#[ \\t]*[A-Za-z_]\\w*", u"x(y(z+))", u"(a)(b?)(c*)", u"[ab]+c", u"a(b+)", u"A", u"\\s+", u"[^\"\\\\\\n]+",
    u"[ab][bc]*d", u"a[bc]+\\(", u"b+(c*)x", u"ab*c[ax]*y", u"[ab]*\\(b*c", u"(a)(b*)", u"(\\s+)", u"[^a]+",
    u"[ab][abc]", u"\\\\.", u"a[^a]", u"-?[a-z][\\w-]*", u"/?[ab]\\w*",
};
const std::u16string kAlphabet = u"abcxyzAB_ 1(\t\n/*\\\"#\u00A0\u00E9\u2028-";

std::u16string RandomText(std::mt19937& random) {
    std::u16string text;
    for (int n = std::uniform_int_distribution<int>(0, 40)(random); n > 0; --n) {
        text += kAlphabet[std::uniform_int_distribution<size_t>(0, kAlphabet.size() - 1)(random)];
    }
    return text;
}

TEST(UnitSequenceTest, FindsWhatTheEngineFinds) {
    std::mt19937 random(7);
    for (bool ignoreCase : {false, true}) {
        for (const std::u16string& source : kPatterns) {
            std::optional<UnitSequence> sequence = Read(source, ignoreCase);
            ASSERT_TRUE(sequence) << Narrow(source);
            // An empty lookahead changes no match but keeps the pattern with PCRE2.
            regexp::Pattern engine(source + u"(?=)", regexp::Options{ignoreCase, false});
            ASSERT_FALSE(engine.walksWithoutEngine());
            std::vector<regexp::Span> expected, actual;
            for (int round = 0; round < 200; ++round) {
                std::u16string text = RandomText(random);
                for (size_t from = 0; from <= text.size(); ++from) {
                    bool found = engine.searchFrom(text, from, expected);
                    regexp::Span span = sequence->find(text, from);
                    std::string context = Narrow(source) + " in \"" + Narrow(text) + "\" from " + std::to_string(from);
                    ASSERT_EQ(found, span.matched()) << context;
                    if (!found) continue;
                    ASSERT_EQ(expected[0], span) << context;
                    sequence->groupsAt(text, span.start, engine.groupCount(), actual);
                    ASSERT_EQ(expected, actual) << context;
                }
            }
        }
    }
}

// For X+, X Y*, O?X Y* and X Y with X and O within Y (and no other shape), the match of a global search that
// begins at a position, found from the units around it, is the one the engine's global search
// finds there. One memo serves the positions of a text in order, asked from two subjects in turn.
TEST(UnitSequenceTest, RunsDecidedLocallyAreTheGlobalSearchsMatches) {
    std::mt19937 random(11);
    int local = 0;
    for (bool ignoreCase : {false, true}) {
        for (const std::u16string& source : kPatterns) {
            std::optional<UnitSequence> sequence = Read(source, ignoreCase);
            if (!sequence->runsDecidedLocally()) continue;
            ++local;
            const regexp::Pattern::LocalRuns runs = sequence->localRuns();
            regexp::Pattern engine(source + u"(?=)", regexp::Options{ignoreCase, false});
            std::vector<regexp::Span> found;
            for (int round = 0; round < 200; ++round) {
                const std::u16string text = RandomText(random);
                const size_t offsets[] = {0, text.size() / 3};
                std::vector<regexp::Span> beginning[2];
                for (int s : {0, 1}) {
                    const std::u16string_view subject = std::u16string_view(text).substr(offsets[s]);
                    beginning[s].assign(subject.size() + 1, regexp::Span{});
                    for (size_t from = 0; from <= subject.size() && engine.searchFrom(subject, from, found); from = found[0].end)
                        beginning[s][found[0].start] = found[0];
                }
                regexp::Pattern::LocalRuns::Memo memo;
                for (size_t position = 0; position <= text.size(); ++position) {
                    for (int s : {0, 1}) {
                        if (position < offsets[s]) continue;
                        const std::u16string_view subject = std::u16string_view(text).substr(offsets[s]);
                        const size_t at = position - offsets[s];
                        const bool startsHere = at < subject.size() && runs.starts->test(subject[at]);
                        const std::string context = Narrow(source) + " in \"" + Narrow(subject) + "\" at " + std::to_string(at);
                        ASSERT_EQ(beginning[s][at], runs.runAt(subject, at)) << context;
                        if (!startsHere) continue;
                        ASSERT_EQ(beginning[s][at], runs.runAtUnitOfFirst(subject, at, memo)) << context;
                    }
                }
            }
        }
    }
    // \w+, [A-Za-z_]\w*, \s+, [^"\\\n]+, (\s+), [^a]+, \\[\s\S], [ab][abc], \\. and -?[a-z][\w-]*, with and
    // without case (not /?[ab]\w*: / is no word unit)
    EXPECT_EQ(20, local);
}

// Searches walk in linear time only where no failed try walks a run that a later try walks again.
TEST(UnitSequenceTest, SearchesInLinearTimeOnlyWhereNoRunIsWalkedTwice) {
    const std::pair<const char16_t*, bool> cases[] = {
        {u"([A-Za-z_]\\w*)(\\s*)(\\()", true}, {u"[A-Za-z_]\\w*[ \\t]*=", true}, {u"\\w+", true},
        {u"a[b]*[ac]*d", false},  // a try from each a of a run walks the rest of it
        {u"ab*c[ax]*y", false}, {u"[ab]*\\(b*c", false}};
    for (const auto& [source, linear] : cases) EXPECT_EQ(linear, Read(source)->findsInLinearTime()) << Narrow(source);
}

TEST(UnitSequenceTest, AFailedAttemptSkipsOnlyTheRunOfItsFirstRepeatedTest) {
    // The attempt at 0 fails at "b" after [ax]* took "a" at 3; the match starts at that "a".
    std::optional<UnitSequence> sequence = Read(u"ab*c[ax]*y");
    ASSERT_TRUE(sequence);
    EXPECT_EQ((regexp::Span{3, 8}), sequence->find(u"abcabcay", 0));
    // A word that fails is passed over whole; the next one is tried.
    std::optional<UnitSequence> call = Read(u"[A-Za-z_]\\w*\\(");
    ASSERT_TRUE(call);
    EXPECT_EQ((regexp::Span{8, 12}), call->find(u"abc_def abc(", 0));
}

TEST(UnitSequenceTest, FindUnitSkipsHighBytesThatLookAlike) {
    std::u16string text = u"\u2F00\u002F\u0100/";
    EXPECT_EQ(1u, regexp::detail::FindUnit(text, u'/', 0));
    EXPECT_EQ(3u, regexp::detail::FindUnit(text, u'/', 2));
    EXPECT_EQ(4u, regexp::detail::FindUnit(text, u'/', 4));
    EXPECT_EQ(4u, regexp::detail::FindUnit(text, u'x', 0));
}

// Eight units are compared at a time: a unit found at either edge of a block and in the tail,
// and a unit above 255 found whole.
TEST(UnitSequenceTest, FindUnitAcrossBlocksAndTail) {
    std::u16string text(37, u'\u2F2F');
    for (size_t at : {0, 7, 8, 15, 16, 36}) text[at] = u'/';
    text[20] = u'\u0100';
    size_t found = 0;
    for (size_t expected : {0, 7, 8, 15, 16, 36, 37}) {
        found = regexp::detail::FindUnit(text, u'/', found);
        EXPECT_EQ(expected, found);
        ++found;
    }
    EXPECT_EQ(20u, regexp::detail::FindUnit(text, u'\u0100', 1));
    EXPECT_EQ(1u, regexp::detail::FindUnit(text, u'\u2F2F', 0));
}

// Past the first block four blocks are tested together: one unit to find, at every place, is
// found from every start before it, by each search (by four units, with it in each place).
TEST(UnitSequenceTest, FindsAUnitAtEveryPlaceFromEveryStart) {
    const std::array<char16_t, 4> fours[] = {{u'/', u'a', u'b', u'c'}, {u'a', u'/', u'b', u'c'},
                                             {u'a', u'b', u'/', u'c'}, {u'a', u'b', u'c', u'/'}};
    for (size_t at = 0; at <= 100; ++at) {
        std::u16string text(100, u'\u2F2F');
        if (at < text.size()) text[at] = u'/';
        for (size_t from = 0; from <= at; ++from) {
            ASSERT_EQ(at, regexp::detail::FindUnit(text, u'/', from)) << at << " from " << from;
            ASSERT_EQ(at, regexp::detail::FindUnitInRange(text, u'.', u'/', from)) << at << " from " << from;
            for (const std::array<char16_t, 4>& units : fours)
                ASSERT_EQ(at, regexp::detail::FindUnitOf(text, units, from)) << at << " from " << from;
        }
    }
}

// A range of units, in blocks and in the tail: units just outside it (below, wrapping below the
// first, above) are passed over.
TEST(UnitSequenceTest, FindUnitInRangeAcrossBlocksAndTail) {
    std::u16string text(37, u'/');  // '0' - 1
    for (size_t at : {3, 11, 25}) text[at] = u':';  // '9' + 1
    text[30] = u'\u8030';
    for (size_t at : {8, 15, 36}) text[at] = char16_t(u'0' + at % 10);
    size_t found = 0;
    for (size_t expected : {8, 15, 36, 37}) {
        found = regexp::detail::FindUnitInRange(text, u'0', u'9', found);
        EXPECT_EQ(expected, found);
        ++found;
    }
    EXPECT_EQ(30u, regexp::detail::FindUnitInRange(text, u'\u8000', u'\uFFFF', 0));
}

// Word starts with a unit of a set, against a plain look at each place, on random texts of word
// units, their neighbours in the table ('@' '[' '`' '{' '/' ':') and units above ASCII.
TEST(UnitSequenceTest, FindWordStartInAgreesWithAPlainLook) {
    std::mt19937 random(31);
    const std::u16string alphabet = u"aZz_09@[`{/: \u00E9\u0130\u2F61";
    regexp::UnitBits bits;
    for (char16_t unit : std::u16string_view(u"aZ_0")) bits.set(unit);
    const regexp::CodeUnitSet units(bits);
    for (int round = 0; round < 200; ++round) {
        std::u16string text;
        for (size_t i = random() % 60; i > 0; --i) text += alphabet[random() % alphabet.size()];
        for (size_t from = 0; from <= text.size(); ++from) {
            size_t expected = from;
            while (expected < text.size() && !(units.test(text[expected]) &&
                                               (expected == 0 || !regexp::IsWordUnit(text[expected - 1]))))
                ++expected;
            ASSERT_EQ(expected, regexp::detail::FindWordStartIn(text, units, from)) << Narrow(text) << " from " << from;
        }
    }
}

}  // namespace
