// Splitting one line of delimited text into fields.
#include <gtest/gtest.h>

#include "components/strings/line_splitting.h"
#include "components/strings/tests/strings_test_support.h"

namespace {

using Fields = std::vector<std::u16string>;
using stringstest::Raises;

Fields Split(std::u16string_view line) { return strings::SplitLine(line, u",", u"\""); }

TEST(SplitLine, UnquotedFields) {
    EXPECT_EQ((Fields{u"a", u"b", u"c"}), Split(u"a,b,c"));
    EXPECT_EQ((Fields{u"a", u"", u"c"}), Split(u"a,,c"));
    EXPECT_EQ((Fields{u"", u"a"}), Split(u",a"));
    EXPECT_EQ((Fields{u"a", u""}), Split(u"a,"));
    EXPECT_EQ((Fields{u""}), Split(u""));
    EXPECT_EQ((Fields{u"", u""}), Split(u","));
    EXPECT_EQ((Fields{u" a ", u"b\"c"}), Split(u" a ,b\"c"));  // a qualifier inside a field is text
}

TEST(SplitLine, QuotedFields) {
    EXPECT_EQ((Fields{u"x,y", u"z"}), Split(u"\"x,y\",z"));
    EXPECT_EQ((Fields{u"say \"hi\"", u"1"}), Split(u"\"say \"\"hi\"\"\",1"));
    EXPECT_EQ((Fields{u"open"}), Split(u"\"open"));
    EXPECT_EQ((Fields{u"x,y"}), Split(u"\"x,y\""));
    EXPECT_EQ((Fields{u""}), Split(u"\"\""));
    EXPECT_EQ((Fields{u"a", u""}), Split(u"\"a\","));
    // The character after a closing qualifier is skipped, whatever it is.
    EXPECT_EQ((Fields{u"ab", u"", u"d"}), Split(u"\"ab\"c,d"));
    EXPECT_EQ((Fields{u"ab", u"d"}), Split(u"\"ab\"cd"));
    // A doubled qualifier at the very end of an open field.
    EXPECT_EQ((Fields{u"a\""}), Split(u"\"a\"\""));
}

TEST(SplitLine, DelimitersAndQualifiersMatchSingleCharactersOnly) {
    EXPECT_EQ((Fields{u"a,,b"}), strings::SplitLine(u"a,,b", u",,", u"\""));
    EXPECT_EQ((Fields{u"a,b"}), strings::SplitLine(u"a,b", u"", u"\""));
    EXPECT_EQ((Fields{u"''a''", u"b"}), strings::SplitLine(u"''a'',b", u",", u"''"));
    // An empty qualifier matches only an empty rest, which gives an empty field anyway.
    EXPECT_EQ((Fields{u"\"a\"", u""}), strings::SplitLine(u"\"a\",", u",", u""));
    EXPECT_EQ((Fields{u"a", u"b c"}), strings::SplitLine(u"a\tb c", u"\t", u"'"));
    EXPECT_EQ((Fields{u"a", u"x\ty"}), strings::SplitLine(u"a\t'x\ty'", u"\t", u"'"));
}

TEST(SplitLine, AtMost32768Fields) {
    const std::u16string most(strings::kMaxLineFields - 1, u',');
    EXPECT_EQ(strings::kMaxLineFields, strings::SplitLine(most, u",", u"\"").size());
    EXPECT_TRUE(Raises([&] { strings::SplitLine(most + u",", u",", u"\""); }, 6));
    const std::u16string quoted = u"\"a\"," + most;
    EXPECT_TRUE(Raises([&] { strings::SplitLine(quoted, u",", u"\""); }, 6));
}

}  // namespace
