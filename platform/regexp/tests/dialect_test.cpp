// The pattern dialect as Execute shows it, rule by rule.
#include <unicode/uchar.h>

#include "platform/regexp/case_folding.h"
#include "platform/regexp/tests/regexp_test_helpers.h"

namespace {

using regexptest::All;
using regexptest::Flags;
using regexptest::Found;
using regexptest::Execute;
using V = std::vector<Found>;

constexpr Flags kMultiline{false, true, true};
constexpr Flags kIgnoreCase{true, false, true};
constexpr Flags kFirstOnly{false, false, false};

TEST(Anchors, CaretAndDollarOnlyAtTheEndsWithoutMultiline) {
    EXPECT_EQ(All(u"^a", u"a\na\ra"), (V{{0, u"a"}}));
    EXPECT_EQ(All(u"a$", u"a\na\ra"), (V{{4, u"a"}}));
    EXPECT_EQ(All(u"a$", u"a\n"), V{});  // no match before a final line feed
    EXPECT_EQ(All(u"^", u"ab"), (V{{0, u""}}));
    EXPECT_EQ(All(u"$", u"ab"), (V{{2, u""}}));
}

TEST(Anchors, MultilineLinesEndAtLineFeedAndCarriageReturn) {
    EXPECT_EQ(All(u"^a", u"a\na\ra", kMultiline), (V{{0, u"a"}, {2, u"a"}, {4, u"a"}}));
    EXPECT_EQ(All(u"a$", u"a\na\ra", kMultiline), (V{{0, u"a"}, {2, u"a"}, {4, u"a"}}));
    // Between "\r" and "\n" is a line start and a line end.
    EXPECT_EQ(All(u"^", u"x\r\ny", kMultiline), (V{{0, u""}, {2, u""}, {3, u""}}));
    EXPECT_EQ(All(u"$", u"x\r\ny", kMultiline), (V{{1, u""}, {2, u""}, {4, u""}}));
    EXPECT_EQ(All(u"^\\w+$", u"one\ntwo\r\nthree", kMultiline), (V{{0, u"one"}, {4, u"two"}, {9, u"three"}}));
}

// The classes of case-equal units are built without asking about the units of the caseless
// blocks: none of them has another case, and no other unit's upper case lies in them.
TEST(IgnoreCase, TheCaselessBlocksHoldNoUnitWithAnotherCase) {
    int inBlocks = 0;
    for (UChar32 c = 0; c < 0x10000; ++c) {
        if (!regexp::casefold::InCaselessBlock(char16_t(c))) continue;
        ++inBlocks;
        ASSERT_EQ(u_toupper(c), c) << std::hex << c;
        ASSERT_EQ(u_tolower(c), c) << std::hex << c;
    }
    for (UChar32 c = 0; c < 0x10000; ++c) {
        const UChar32 upper = u_toupper(c);
        if (upper != c && upper < 0x10000) {
            ASSERT_FALSE(regexp::casefold::InCaselessBlock(char16_t(upper))) << std::hex << c;
        }
    }
    EXPECT_GT(inBlocks, 40000);
}

TEST(Dot, MatchesEverythingButLineFeed) {
    EXPECT_EQ(All(u".", u"a\r\n\u2028\xA0"), (V{{0, u"a"}, {1, u"\r"}, {3, u"\u2028"}, {4, u"\xA0"}}));
    const std::u16string loneSurrogates = {0xD800, 0xDC00};
    EXPECT_EQ(All(u".", loneSurrogates), (V{{0, {0xD800}}, {1, {0xDC00}}}));
    EXPECT_EQ(All(u"a.*", u"abc\ndef"), (V{{0, u"abc"}}));
}

TEST(ClassEscapes, SpaceIsTheSixAsciiSpaces) {
    EXPECT_EQ(All(u"\\s", u" \t\n\v\f\r"), (V{{0, u" "}, {1, u"\t"}, {2, u"\n"}, {3, u"\v"}, {4, u"\f"}, {5, u"\r"}}));
    EXPECT_EQ(All(u"\\s", u"\xA0\u2028\u3000\x85"), V{});
    EXPECT_EQ(All(u"\\S+", u"\xA0\u3000 x"), (V{{0, u"\xA0\u3000"}, {3, u"x"}}));
}

TEST(ClassEscapes, WordAndDigitAreAscii) {
    EXPECT_EQ(All(u"\\w+", u"na\u00EFve_1 \u0436\u0416"), (V{{0, u"na"}, {3, u"ve_1"}}));
    EXPECT_EQ(All(u"\\W", u"a\u00E9-"), (V{{1, u"\u00E9"}, {2, u"-"}}));
    EXPECT_EQ(All(u"\\d+", u"12\u0660\uFF1134"), (V{{0, u"12"}, {4, u"34"}}));
    EXPECT_EQ(All(u"\\D", u"1\u0660"), (V{{1, u"\u0660"}}));
}

TEST(ClassEscapes, WordBoundaryUsesAsciiWordCharacters) {
    EXPECT_EQ(All(u"\\b\\w", u"ab c\u00E9d"), (V{{0, u"a"}, {3, u"c"}, {5, u"d"}}));
    EXPECT_EQ(All(u"\\B\\w", u"ab c\u00E9d"), (V{{1, u"b"}}));
    EXPECT_EQ(All(u"\\bif\\b", u"if elif if_ (if)"), (V{{0, u"if"}, {13, u"if"}}));
}

TEST(Escapes, HexUnicodeControlAndOctal) {
    EXPECT_EQ(All(u"\\x41\\u0416", u"A\u0416"), (V{{0, u"A\u0416"}}));
    EXPECT_EQ(All(u"\\x4G", u"x4G"), (V{{0, u"x4G"}}));      // too few digits: the letter
    EXPECT_EQ(All(u"\\u41", u"u41"), (V{{0, u"u41"}}));
    EXPECT_EQ(All(u"\\cM\\cj", u"\r\n"), (V{{0, u"\r\n"}}));
    EXPECT_EQ(All(u"\\c1", u"c1"), (V{{0, u"c1"}}));         // not a letter: "c"
    EXPECT_EQ(All(u"\\101\\0", std::u16string(u"A\0", 2)), (V{{0, std::u16string(u"A\0", 2)}}));
    EXPECT_EQ(All(u"\\400", u" 0"), (V{{0, u" 0"}}));        // \40 then "0"
    EXPECT_EQ(All(u"\\0011", std::u16string(u"\x01" u"1")), (V{{0, u"\x01" u"1"}}));
    EXPECT_EQ(All(u"\\8\\9", u"89"), (V{{0, u"89"}}));
    EXPECT_EQ(All(u"\\f\\t\\v", u"\f\t\v"), (V{{0, u"\f\t\v"}}));
}

TEST(Escapes, OtherLettersAndPcreEscapesAreThemselves) {
    EXPECT_EQ(All(u"\\q\\/\\-", u"q/-"), (V{{0, u"q/-"}}));
    EXPECT_EQ(All(u"\\A\\z\\Z\\G\\K\\h\\R\\X\\N\\e\\a\\g\\k\\o", u"AzZGKhRXNeagko"), (V{{0, u"AzZGKhRXNeagko"}}));
    EXPECT_EQ(All(u"\\Qa.\\E", u"Qa.E"), (V{{0, u"Qa.E"}}));
    EXPECT_EQ(All(u"\\Qa.\\E", u"QaxE"), (V{{0, u"QaxE"}}));  // the dot still is a dot
    EXPECT_EQ(All(u"\\p{L}", u"p{L}"), (V{{0, u"p{L}"}}));
    EXPECT_EQ(All(u"\\v", u"v\v"), (V{{1, u"\v"}}));  // vertical tab, not a class
}

TEST(BackReferences, GroupBeforeOrOctal) {
    EXPECT_EQ(All(u"(\\w)\\1", u"abccd"), (V{{2, u"cc"}}));
    EXPECT_EQ(All(u"\\1(a)", u"\x01" u"a"), (V{{0, u"\x01" u"a"}}));  // no group yet: octal
    EXPECT_EQ(All(u"(a)\\11", u"aa1"), (V{{0, u"aa1"}}));              // group 1, then "1"
    std::u16string tenGroups = u"(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)\\10";
    EXPECT_EQ(All(tenGroups, u"abcdefghijj"), (V{{0, u"abcdefghijj"}}));
}

TEST(BackReferences, ToAGroupThatTookNoPartMatchesEmpty) {
    EXPECT_EQ(All(u"(?:(a)|b)\\1c", u"bc"), (V{{0, u"bc"}}));
    EXPECT_EQ(All(u"(a)?b\\1", u"b"), (V{{0, u"b"}}));
}

TEST(Quantifiers, GreedyAndLazy) {
    EXPECT_EQ(All(u"<.*>", u"<a><b>"), (V{{0, u"<a><b>"}}));
    EXPECT_EQ(All(u"<.*?>", u"<a><b>"), (V{{0, u"<a>"}, {3, u"<b>"}}));
    EXPECT_EQ(All(u"a+?", u"aaa"), (V{{0, u"a"}, {1, u"a"}, {2, u"a"}}));
    EXPECT_EQ(All(u"a{2,3}?", u"aaaaa"), (V{{0, u"aa"}, {2, u"aa"}}));
    EXPECT_EQ(All(u"a{2,}", u"a aa aaaa"), (V{{2, u"aa"}, {5, u"aaaa"}}));
    EXPECT_EQ(All(u"a??b", u"ab"), (V{{0, u"ab"}}));
}

TEST(Braces, ThatAreNotQuantifiersAreCharacters) {
    EXPECT_EQ(All(u"a{", u"a{"), (V{{0, u"a{"}}));
    EXPECT_EQ(All(u"{", u"{"), (V{{0, u"{"}}));
    EXPECT_EQ(All(u"x{,3}", u"x{,3}"), (V{{0, u"x{,3}"}}));
    EXPECT_EQ(All(u"a{1, 2}", u"a{1, 2}"), (V{{0, u"a{1, 2}"}}));
    EXPECT_EQ(All(u"a{1,x}}]", u"a{1,x}}]"), (V{{0, u"a{1,x}}]"}}));
}

TEST(GlobalIteration, AfterAnEmptyMatchTheNextSearchStartsOneFurther) {
    EXPECT_EQ(All(u"a*", u"baaac"), (V{{0, u""}, {1, u"aaa"}, {4, u""}, {5, u""}}));
    EXPECT_EQ(All(u"", u"ab"), (V{{0, u""}, {1, u""}, {2, u""}}));
    EXPECT_EQ(All(u"x*", u""), (V{{0, u""}}));
    // The empty alternative wins at 0; "a" is never tried there again.
    EXPECT_EQ(All(u"|a", u"a"), (V{{0, u""}, {1, u""}}));
    EXPECT_EQ(All(u"\\b", u"ab cd"), (V{{0, u""}, {2, u""}, {3, u""}, {5, u""}}));
}

TEST(GlobalIteration, WithoutGlobalOnlyTheFirstMatch) {
    EXPECT_EQ(All(u"a", u"banana", kFirstOnly), (V{{1, u"a"}}));
    EXPECT_EQ(All(u"z", u"banana", kFirstOnly), V{});
}

TEST(IgnoreCase, AsciiAndOtherLettersByTheirUpperCase) {
    EXPECT_EQ(All(u"abc", u"ABC aBc", kIgnoreCase), (V{{0, u"ABC"}, {4, u"aBc"}}));
    EXPECT_EQ(All(u"[a-c]+", u"xAbC", kIgnoreCase), (V{{1, u"AbC"}}));
    EXPECT_EQ(All(u"\u00E9\u0436", u"\u00C9\u0416", kIgnoreCase), (V{{0, u"\u00C9\u0416"}}));
    EXPECT_EQ(All(u"[\u00E0-\u00E9]", u"\u00C0\u00C9\u00F7", kIgnoreCase), (V{{0, u"\u00C0"}, {1, u"\u00C9"}}));
    EXPECT_EQ(All(u"[^a]", u"aAb", kIgnoreCase), (V{{2, u"b"}}));
    // A non-ASCII letter whose upper case is ASCII keeps to itself.
    EXPECT_EQ(All(u"s", u"\u017FsS", kIgnoreCase), (V{{1, u"s"}, {2, u"S"}}));
    EXPECT_EQ(All(u"k", u"\u212AkK", kIgnoreCase), (V{{1, u"k"}, {2, u"K"}}));
    EXPECT_EQ(All(u"\u03C3", u"\u03A3\u03C2", kIgnoreCase), (V{{0, u"\u03A3"}, {1, u"\u03C2"}}));
    EXPECT_EQ(All(u"abc", u"ABC"), V{});
}

TEST(Brackets, PosixLookingItemsAreOrdinaryCharacters) {
    // [[:alpha:] is the set "[:alph", then a literal "]".
    EXPECT_EQ(All(u"[[:alpha:]]", u"a] b] :]"), (V{{0, u"a]"}, {6, u":]"}}));
    EXPECT_EQ(All(u"[[.x.]]+", u"x.]]"), (V{{1, u".]]"}}));
    EXPECT_EQ(All(u"[[=a=]]", u"=]"), (V{{0, u"=]"}}));
}

TEST(Brackets, EmptyAndNegatedEmpty) {
    EXPECT_EQ(All(u"[]", u"a]"), V{});
    EXPECT_EQ(All(u"[]a]", u"a]"), V{});  // the empty set, then "a]"
    EXPECT_EQ(All(u"[]|b", u"ab"), (V{{1, u"b"}}));
    EXPECT_EQ(All(u"[^]", u"\n\r"), (V{{0, u"\n"}, {1, u"\r"}}));
    EXPECT_EQ(All(u"x[]*y", u"xy"), (V{{0, u"xy"}}));
}

TEST(Brackets, EscapesRangesAndDashes) {
    EXPECT_EQ(All(u"[\\b]", u"b\b"), (V{{1, u"\b"}}));
    EXPECT_EQ(All(u"[a-\\d]+", u"b-a5"), (V{{1, u"-a5"}}));  // a class at a range end: '-' is a character
    EXPECT_EQ(All(u"[\\w-.]+", u"a-b.c d"), (V{{0, u"a-b.c"}, {6, u"d"}}));
    EXPECT_EQ(All(u"[-a]+|[a-]+", u"-a-"), (V{{0, u"-a-"}}));
    EXPECT_EQ(All(u"[\\x41-\\x43\\u0416]+", u"ABCD\u0416"), (V{{0, u"ABC"}, {4, u"\u0416"}}));
    EXPECT_EQ(All(u"[\\cA\\101\\8\\B]+", u"\x01" u"A8B"), (V{{0, u"\x01" u"A8B"}}));
    EXPECT_EQ(All(u"[\\s\\S]", u"\n"), (V{{0, u"\n"}}));
    EXPECT_EQ(All(u"[^\"\\\\\\n]+", u"ab\"c\\d\ne"), (V{{0, u"ab"}, {3, u"c"}, {5, u"d"}, {7, u"e"}}));
}

TEST(Groups, SubMatchesInOrderOfOpeningParentheses) {
    regexp::MatchCollection m = Execute(u"((a)|(b))(c)?", u"b");
    ASSERT_EQ(m.count(), 1u);
    regexp::Match match = m.item(0);
    EXPECT_EQ(match.subMatches(), (std::vector<std::u16string>{u"b", u"", u"b", u""}));
    EXPECT_TRUE(match.subMatchTookPart(0));
    EXPECT_FALSE(match.subMatchTookPart(1));
    EXPECT_TRUE(match.subMatchTookPart(2));
    EXPECT_FALSE(match.subMatchTookPart(3));
    EXPECT_EQ(match.subMatch(2), u"b");
}

TEST(Groups, NonCapturingAndLookaheadsAreNotCounted) {
    regexp::MatchCollection m = Execute(u"(?:x)(?=(y))(?!z)(\\w)", u"xy");
    ASSERT_EQ(m.count(), 1u);
    EXPECT_EQ(m.item(0).value(), u"xy");
    EXPECT_EQ(m.item(0).subMatches(), (std::vector<std::u16string>{u"y", u"y"}));
    EXPECT_EQ(All(u"a(?=b)", u"ab ac"), (V{{0, u"a"}}));
    EXPECT_EQ(All(u"a(?!b)", u"ab ac"), (V{{3, u"a"}}));
    EXPECT_EQ(All(u"(?=a)*b", u"b"), (V{{0, u"b"}}));  // a quantified lookahead is allowed
}

TEST(Groups, MatchKeepsItsValuesAfterTheCollectionIsGone) {
    std::optional<regexp::Match> kept;
    {
        regexp::MatchCollection m = Execute(u"(o)(x)?", u"foo");
        kept = m.item(1);
    }
    EXPECT_EQ(kept->firstIndex(), 2u);
    EXPECT_EQ(kept->length(), 1u);
    EXPECT_EQ(kept->value(), u"o");
    EXPECT_EQ(kept->subMatchCount(), 2u);
    EXPECT_EQ(kept->subMatch(1), u"");
}

TEST(RegExpObject, PropertiesChangeTheCompiledPattern) {
    regexp::RegExp re;
    re.setPattern(u"^b");
    re.setGlobal(true);
    EXPECT_EQ(re.execute(u"a\nB").count(), 0u);
    re.setIgnoreCase(true);
    re.setMultiline(true);
    EXPECT_EQ(re.execute(u"a\nB").count(), 1u);
    re.setPattern(u"a");
    EXPECT_EQ(re.execute(u"a\nA").count(), 2u);
    EXPECT_TRUE(re.test(u"xA"));
    EXPECT_FALSE(re.test(u"xy"));
    EXPECT_EQ(re.pattern(), u"a");
    EXPECT_TRUE(re.global() && re.ignoreCase() && re.multiline());
}

}  // namespace
