#include "engine/compiled_section.h"

#include <gtest/gtest.h>

#include "engine/tests/formatter_test_support.h"

using namespace engine::detail;
using formattest::TreeBuilder;

namespace {

std::unique_ptr<CompiledSection> Compile(const std::u16string& pattern, bool ignoreCase = false) {
    TreeBuilder builder;
    builder.section(u"S", ignoreCase).rule(pattern, u"$$");
    return CompileSection(builder.tree(), builder.first());
}

PatternKind KindOf(const std::u16string& pattern) { return Compile(pattern)->patterns.at(0).kind; }

TEST(CompiledSectionTest, PatternsAreSortedByHowTheirMatchesAreFound) {
    for (const char16_t* pattern : {u"[\\s\\S]", u".", u"\"", u"[^a-z]", u"a|b"}) {
        EXPECT_EQ(PatternKind::SingleUnit, KindOf(pattern)) << formattest::Narrow(pattern);
    }
    for (const char16_t* pattern : {u"\\b(if|else)\\b", u"\\b(?:int|char)\\b", u"\\bwhile\\b"}) {
        EXPECT_EQ(PatternKind::Keywords, KindOf(pattern)) << formattest::Narrow(pattern);
    }
    // Only runs of every word unit end where the word does.
    for (const auto& [pattern, runsWords] : std::vector<std::pair<const char16_t*, bool>>{
             {u"\\w+", true}, {u"[A-Za-z_]\\w*", true}, {u"\\s+", false}, {u"(\\s+)", false}, {u"[^a]+", false},
             {u"[a-z]+", false}}) {
        EXPECT_EQ(PatternKind::LocalRuns, KindOf(pattern)) << formattest::Narrow(pattern);
        EXPECT_EQ(runsWords, Compile(pattern)->patterns.at(0).runsWords) << formattest::Narrow(pattern);
    }
    // Everything else is searched (other sequences such as a\w+ walk inside the regexp layer).
    for (const char16_t* pattern : {u"a\\w+", u"([A-Za-z_]\\w*)(\\s*)(\\()", u"(\\w+)|x", u"\\w+?", u"a*", u"^a",
                                    u"\\ba\\w*", u"ab|cd", u"#[a-z]*"}) {
        EXPECT_EQ(PatternKind::Search, KindOf(pattern)) << formattest::Narrow(pattern);
    }
}

// A section copies every unit when each unit's first single-unit rule is a plain "$$" and no
// word or local run is looked for: a plain run then takes its units without looking at them.
TEST(CompiledSectionTest, CopiesEveryUnitOnlyWhenNoUnitIsDroppedOrFilled) {
    struct Rule {
        const char16_t* pattern;
        const char16_t* format;
        const char16_t* enter;
    };
    const std::vector<std::pair<std::vector<Rule>, bool>> cases = {
        {{{u"[\\s\\S]", u"$$", u""}}, true},
        {{{u".", u"$$", u""}, {u"\\n", u"$$", u""}}, true},
        {{{u"a\\w+", u"<b>$$</b>", u""}, {u"[\\s\\S]", u"$$", u""}}, true},
        {{{u"\\w+", u"<b>$$</b>", u""}, {u"[\\s\\S]", u"$$", u""}}, false},  // a run stops where a word may begin
        {{{u".", u"$$", u""}}, false},  // "\n" is dropped
        {{{u"[^\u00E9]", u"$$", u""}, {u"\u00E9", u"<i>$$</i>", u""}}, false},
        {{{u"\u4E00+", u"<b>$$</b>", u""}, {u"[\\s\\S]", u"$$", u""}}, false},
        {{{u"[\\s\\S]", u"<i>$$</i>", u""}}, false},
        {{{u"[\\s\\S]", u"$$", u"S"}}, false},
        {{{u"\\b(if)\\b", u"$$", u""}, {u"[\\s\\S]", u"$$", u""}}, false},
    };
    for (const auto& [rules, copies] : cases) {
        TreeBuilder builder;
        builder.section(u"S", false);
        for (const Rule& rule : rules) builder.rule(rule.pattern, std::u16string(rule.format), rule.enter);
        EXPECT_EQ(copies, CompileSection(builder.tree(), builder.first())->copiesEveryUnit)
            << formattest::Narrow(rules[0].pattern) << " and " << rules.size() - 1 << " more";
    }
}

TEST(CompiledSectionTest, KeywordSetLooksUpWholeWords) {
    regexp::KeywordList list;
    list.words = {u"if", u"else", u"continue", u"restricted_word"};
    KeywordSet exact(list);
    EXPECT_TRUE(exact.contains(u"if"));
    EXPECT_TRUE(exact.contains(u"continue"));
    EXPECT_TRUE(exact.contains(u"restricted_word"));
    EXPECT_FALSE(exact.contains(u"i"));
    EXPECT_FALSE(exact.contains(u"iff"));
    EXPECT_FALSE(exact.contains(u"IF"));
    EXPECT_FALSE(exact.contains(u"restricted_wore"));
    list.ignoreCase = true;
    KeywordSet folded(list);
    EXPECT_TRUE(folded.contains(u"IF"));
    EXPECT_TRUE(folded.contains(u"Restricted_Word"));
    EXPECT_FALSE(folded.contains(u"elsE_"));
    // Enough words for the table's slots to collide: each is found, a one-unit change of it not.
    list.words.clear();
    for (char16_t a = u'a'; a <= u'z'; ++a) list.words.push_back(std::u16string{a, u'x', a});
    KeywordSet many(list);
    for (const std::u16string& word : list.words) {
        EXPECT_TRUE(many.contains(word)) << formattest::Narrow(word);
        EXPECT_FALSE(many.contains(std::u16string{word[0], u'y', word[2]})) << formattest::Narrow(word);
    }
}

TEST(CompiledSectionTest, HeaderFooterAndTheFirstBadPatternAreKept) {
    TreeBuilder builder;
    builder.section(u"S").header(u"<a>").header(u"<b>").footer(u"</b></a>");
    builder.rule(u"x", u"$$").rule(u"a**\n(b", u"$$");
    auto section = CompileSection(builder.tree(), builder.first());
    EXPECT_EQ(u"<a><b>", section->header);
    EXPECT_EQ(u"</b></a>", section->footer);
    ASSERT_TRUE(section->failure.has_value());
    EXPECT_EQ(5018, section->failure->number());
}

TEST(CompiledSectionTest, MultiLineModeNeverComesFromABoolean) {
    modHlx::SectionRecord section = modHlx::NewSection();
    EXPECT_FALSE(MultiLineMode(section));
    section.MultiLine = false;
    EXPECT_FALSE(MultiLineMode(section));
}

}  // namespace
