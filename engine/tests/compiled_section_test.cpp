#include "engine/compiled_section.h"

#include <gtest/gtest.h>

#include "engine/tests/formatter_test_support.h"

using namespace engine::detail;
using formattest::TreeBuilder;

namespace {

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
