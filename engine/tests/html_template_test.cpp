#include <gtest/gtest.h>

#include "engine/format_template.h"
#include "components/strings/text_transforms.h"

using engine::FormatTemplate;

namespace {

TEST(HtmlEscapeTest, ReplacesTheFourCharactersInOnePass) {
    EXPECT_EQ(u"a&nbsp;&lt;&nbsp;b&nbsp;&amp;&nbsp;c", strings::EncodeHTML(u"a < b & c"));
    EXPECT_EQ(u"&amp;lt;&gt;&amp;amp;", strings::EncodeHTML(u"&lt;>&amp;"));
    EXPECT_EQ(u"\"'\t\r\n\u00e9\U0001F600", strings::EncodeHTML(u"\"'\t\r\n\u00e9\U0001F600"));
    EXPECT_EQ(u"", strings::EncodeHTML(u""));
    EXPECT_EQ(u"&nbsp;&nbsp;", strings::EncodeHTML(u"  "));
}

TEST(HtmlEscapeTest, AppendsAfterWhatIsThere) {
    std::u16string out = u"x";
    strings::AppendEncodedHTML(out, u"<y>");
    EXPECT_EQ(u"x&lt;y&gt;", out);
}

std::u16string Fill(std::u16string_view text, size_t groupCount, std::u16string_view match,
                    const std::vector<std::u16string>& groups) {
    std::u16string out;
    FormatTemplate(text, groupCount).appendFilled(out, match, [&](uint32_t d) -> std::u16string_view { return groups.at(d); });
    return out;
}

TEST(FormatTemplateTest, FillsMatchAndGroupsEscaped) {
    EXPECT_EQ(u"<b>a&lt;</b>", Fill(u"<b>$$</b>", 0, u"a<", {}));
    EXPECT_EQ(u"y-x", Fill(u"$1-$0", 2, u"xy", {u"x", u"y"}));
    EXPECT_EQ(u"&amp;", Fill(u"$0", 1, u"&", {u"&"}));
}

// For a pattern that never holds what escaping changes: a fill between two literals goes as it
// is, one at either end still escaped (a "<" shows which way each went).
TEST(FormatTemplateTest, FillsBetweenLiteralsGoAsTheyAreWhenAsked) {
    FormatTemplate format(u"$$<b>$$|$0</b>$0", 1);
    format.fillBetweenLiteralsAsIs();
    std::u16string out;
    format.appendFilled(out, u"<", [](uint32_t) -> std::u16string_view { return u"<"; });
    EXPECT_EQ(u"&lt;<b><|<</b>&lt;", out);
}

TEST(FormatTemplateTest, OtherDollarSignsStay) {
    EXPECT_EQ(u"$2|$x|$|a", Fill(u"$2|$x|$|$0", 2, u"m", {u"a", u"b"}));
    EXPECT_EQ(u"$0", Fill(u"$0", 0, u"m", {}));
    EXPECT_EQ(u"m$", Fill(u"$$$", 0, u"m", {}));
}

TEST(FormatTemplateTest, OneDigitOnlySoDollarTenIsGroupOneAndZero) {
    std::vector<std::u16string> groups;
    for (int i = 0; i < 11; ++i) groups.push_back(std::u16string(1, char16_t(u'a' + i)));
    EXPECT_EQ(u"b0", Fill(u"$10", 11, u"m", groups));
}

TEST(FormatTemplateTest, InsertedTextIsNotScannedAgain) {
    EXPECT_EQ(u"$0|$1", Fill(u"$$|$0", 2, u"$0", {u"$1", u""}));
}

TEST(FormatTemplateTest, KnowsTheShapesTheFormatterShortens) {
    EXPECT_TRUE(FormatTemplate(u"$$", 3).isMatchOnly());
    EXPECT_FALSE(FormatTemplate(u"$$ ", 0).isMatchOnly());
    EXPECT_FALSE(FormatTemplate(u"", 0).isMatchOnly());
    EXPECT_TRUE(FormatTemplate(u"<$1>", 2).usesGroups());
    EXPECT_FALSE(FormatTemplate(u"<$1>", 1).usesGroups());
}

}  // namespace
