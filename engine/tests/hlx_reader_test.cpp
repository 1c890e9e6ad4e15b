#include "engine/hlx_reader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "tests/support/temp_dir.h"

using namespace modHlx;

namespace {

const std::string kData = LUMIVAR_ENGINE_TEST_DATA;

std::u16string U(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string WithCrLf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

DefinitionTree Parse(const std::string& text) { return ParseHlx(U(text), u"test.hlx"); }

const SectionRecord& Section(const DefinitionTree& tree, const std::u16string& name) {
    const SectionRecord* section = tree.Sections.find(name);
    if (!section) throw std::runtime_error("no such section");
    return *section;
}

// The error a load fails with.
ComError LoadError(const std::string& text) {
    try {
        Parse(text);
    } catch (const ComError& error) {
        return error;
    }
    ADD_FAILURE() << "the text loaded: " << text;
    return ComError(0, {}, {});
}

std::vector<std::u16string> Keys(const auto& map) {
    std::vector<std::u16string> keys;
    for (const auto& entry : map) keys.push_back(entry.key);
    return keys;
}

class HlxReader : public ::testing::Test {
protected:
    void SetUp() override { setenv("TAVREL_ACP", "65001", 1); }
    void TearDown() override { unsetenv("TAVREL_ACP"); }
};

// ---- the two example files ----

TEST_F(HlxReader, CExampleGivesCodeAndCommentWithTheirRules) {
    std::u16string file = U(kData + "/c_example.hlx");
    DefinitionTree tree = ReadHlx(file);

    EXPECT_EQ(Keys(tree.Sections), (std::vector<std::u16string>{u"Code", u"Comment"}));
    const SectionRecord& code = Section(tree, u"Code");
    EXPECT_EQ(code.Name, u"Code");
    ASSERT_EQ(code.Rules.size(), 5u);
    EXPECT_TRUE(code.MultiLine);
    EXPECT_TRUE(code.IgnoreCase);
    EXPECT_EQ(code.Header.get(u"HTML"), LineList{u"<pre>"});
    EXPECT_EQ(code.Footer.get(u"HTML"), LineList{u"</pre>"});

    const RuleRecord& keywords = code.Rules[2];
    ASSERT_EQ(keywords.Patterns.size(), 2u);
    EXPECT_EQ(keywords.Patterns[0].Line, 10);
    EXPECT_EQ(keywords.Patterns[1].Line, 11);
    EXPECT_EQ(keywords.Patterns[1].Pattern, u"\\b(int|char|void)\\b");
    EXPECT_EQ(keywords.Patterns[1].File, file);
    EXPECT_EQ(keywords.Formats.get(u"HTML"), u"<font color=blue>$$</font>");

    const RuleRecord& opener = code.Rules[1];
    EXPECT_EQ(opener.Patterns.at(0).Line, 7);
    EXPECT_EQ(opener.Enter, u"Comment");
    EXPECT_FALSE(code.Rules[0].Enter.has_value());
    EXPECT_EQ(code.Rules[3].Formats.get(u"HTML"), u"<b>$0</b>$1$2");

    const SectionRecord& comment = Section(tree, u"Comment");
    ASSERT_EQ(comment.Rules.size(), 2u);
    EXPECT_FALSE(comment.IgnoreCase);
    EXPECT_TRUE(comment.MultiLine);
    EXPECT_TRUE(comment.Rules[0].Return);
    EXPECT_FALSE(comment.Rules[1].Return);
    EXPECT_TRUE(comment.Header.empty());
}

TEST_F(HlxReader, PlainExampleKeepsHeaderLinesInOrderAndGroupsAcrossAComment) {
    DefinitionTree tree = ReadHlx(U(kData + "/plain_example.hlx"));
    const SectionRecord& plain = Section(tree, u"Plain");
    EXPECT_EQ(plain.Header.get(u"HTML"), (LineList{u"<html>", u"<body>", u"<pre>"}));
    EXPECT_EQ(plain.Footer.get(u"HTML"), LineList{u"</pre></body></html>"});
    ASSERT_EQ(plain.Rules.size(), 2u);
    ASSERT_EQ(plain.Rules[0].Patterns.size(), 2u);
    EXPECT_EQ(plain.Rules[0].Patterns[0].Pattern, u"\\t");
    EXPECT_EQ(plain.Rules[0].Patterns[1].Pattern, u"\\x20");
    EXPECT_EQ(plain.Rules[1].Patterns.size(), 1u);
}

// ---- line ends ----

TEST_F(HlxReader, CrLfAndLfFilesGiveTheSameTree) {
    for (const char* name : {"c_example.hlx", "plain_example.hlx"}) {
        std::string lf = FileBytes(kData + "/" + name);
        ASSERT_FALSE(lf.empty());
        EXPECT_EQ(ParseHlx(U(lf), u"x.hlx"), ParseHlx(U(WithCrLf(lf)), u"x.hlx")) << name;
    }
}

TEST_F(HlxReader, CrLfFileOnDiskKeepsItsLineNumbers) {
    testsupport::TempDir dir;
    WriteBytes(dir / "crlf.hlx", WithCrLf(FileBytes(kData + "/c_example.hlx")));
    DefinitionTree tree = ReadHlx(U((dir / "crlf.hlx").string()));
    const RuleRecord& keywords = Section(tree, u"Code").Rules.at(2);
    EXPECT_EQ(keywords.Patterns.at(0).Line, 10);
    EXPECT_EQ(keywords.Patterns.at(0).Pattern, u"\\b(if|else|while|for|return)\\b");
    EXPECT_EQ(Section(tree, u"Code").Header.get(u"HTML"), LineList{u"<pre>"});
}

TEST_F(HlxReader, LoneCarriageReturnStaysInItsLine) {
    DefinitionTree tree = Parse("[S]\nPATTERN=a\r\r\nFORMAT-HTML=x\ry\nPATTERN=b\rPATTERN=c\n");
    const SectionRecord& s = Section(tree, u"S");
    ASSERT_EQ(s.Rules.size(), 2u);
    EXPECT_EQ(s.Rules[0].Patterns.at(0).Pattern, u"a\r");
    EXPECT_EQ(s.Rules[0].Formats.get(u"HTML"), u"x\ry");
    EXPECT_EQ(s.Rules[1].Patterns.at(0).Pattern, u"b\rPATTERN=c");
    EXPECT_EQ(s.Rules[1].Patterns.at(0).Line, 3);
}

// ---- line kinds and values ----

TEST_F(HlxReader, KeywordsAreCaseInsensitivePrefixes) {
    DefinitionTree tree = Parse(
        "[S]\n"
        "pattern=lower\n"
        "Patterns=x\n"
        "format-html=F\n"
        "Entering=Other\n"
        "  PATTERN=indented  \n"
        "returned\n");
    const SectionRecord& s = Section(tree, u"S");
    ASSERT_EQ(s.Rules.size(), 2u);
    EXPECT_EQ(s.Rules[0].Patterns.at(0).Pattern, u"lower");
    EXPECT_EQ(s.Rules[0].Patterns.at(1).Pattern, u"=x");
    EXPECT_EQ(s.Rules[0].Formats.get(u"html"), u"F");
    EXPECT_EQ(s.Rules[0].Enter, u"Other");
    EXPECT_EQ(s.Rules[1].Patterns.at(0).Pattern, u"indented");
    EXPECT_TRUE(s.Rules[1].Return);
}

TEST_F(HlxReader, PatternTextStartsAtTheNinthCharacter) {
    DefinitionTree tree = Parse("[S]\nPATTERN = \\d+\nFORMAT-HTML=$$\nPATTERN\nFORMAT-HTML=$$\nPATTERN=\t\\w \n");
    const SectionRecord& s = Section(tree, u"S");
    EXPECT_EQ(s.Rules.at(0).Patterns.at(0).Pattern, u"= \\d+");
    EXPECT_EQ(s.Rules.at(1).Patterns.at(0).Pattern, u"");
    EXPECT_EQ(s.Rules.at(2).Patterns.at(0).Pattern, u"\t\\w");
}

TEST_F(HlxReader, LinesAreCountedFromZeroIncludingBlankAndCommentLines) {
    DefinitionTree tree = Parse("[S]\nPATTERN=a\n\n'c\n#c\nPATTERN=b\n");
    const auto& patterns = Section(tree, u"S").Rules.at(0).Patterns;
    ASSERT_EQ(patterns.size(), 2u);
    EXPECT_EQ(patterns[0].Line, 1);
    EXPECT_EQ(patterns[1].Line, 5);
    EXPECT_EQ(patterns[0].File, u"test.hlx");
}

TEST_F(HlxReader, WhatEndsARuleGroup) {
    DefinitionTree blankCommentUnknown = Parse("[S]\nPATTERN=a\n\n'x\n#y\nsomething else\nPATTERN=b\n");
    EXPECT_EQ(Section(blankCommentUnknown, u"S").Rules.size(), 1u);
    for (const char* separator : {"HEADER-HTML=h", "FOOTER-HTML=f", "FORMAT-HTML=x", "ENTER=T", "RETURN",
                                  "IGNORECASE=1", "MULTILINE=1"}) {
        DefinitionTree tree = Parse(std::string("[S]\nPATTERN=a\n") + separator + "\nPATTERN=b\n");
        EXPECT_EQ(Section(tree, u"S").Rules.size(), 2u) << separator;
    }
    DefinitionTree header = Parse("[S]\nPATTERN=a\n[T]\nPATTERN=b\n");
    EXPECT_EQ(Section(header, u"S").Rules.size(), 1u);
    EXPECT_EQ(Section(header, u"T").Rules.size(), 1u);
}

TEST_F(HlxReader, RepeatedFormatReplacesAndLastEnterWins) {
    DefinitionTree tree = Parse(
        "[S]\nPATTERN=a\nFORMAT-HTML=one\nFORMAT-RTF=r\nFORMAT-HTML=two\nFORMAT-html=lower\nENTER=A\nENTER=B\n");
    const RuleRecord& rule = Section(tree, u"S").Rules.at(0);
    EXPECT_EQ(Keys(rule.Formats), (std::vector<std::u16string>{u"HTML", u"RTF", u"html"}));
    EXPECT_EQ(rule.Formats.get(u"HTML"), u"two");
    EXPECT_EQ(rule.Enter, u"B");
}

TEST_F(HlxReader, ReturnLineSetsTrueWhateverItsValue) {
    DefinitionTree tree = Parse("[S]\nPATTERN=a\nRETURN=False\n");
    EXPECT_TRUE(Section(tree, u"S").Rules.at(0).Return);
}

TEST_F(HlxReader, OptionValuesFollowTheBooleanConversion) {
    struct Case {
        const char* value;
        bool expected;
    };
    for (Case c : {Case{"0", false}, Case{"False", false}, Case{"off", false}, Case{"", false},
                   Case{"1", true}, Case{"TRUE", true}, Case{"true", true}, Case{"-1", true},
                   Case{"2.5", true}, Case{"yes", false}}) {
        DefinitionTree tree = Parse(std::string("[S]\nIGNORECASE=") + c.value + "\nMULTILINE=" + c.value + "\n");
        EXPECT_EQ(Section(tree, u"S").IgnoreCase, c.expected) << c.value;
        EXPECT_EQ(Section(tree, u"S").MultiLine, c.expected) << c.value;
    }
}

TEST_F(HlxReader, HeaderAndFooterLinesCollectByFormatName) {
    DefinitionTree tree = Parse(
        "[S]\nHEADER-HTML=a\nHEADER-TEXT=b\nHEADER-HTML = <p class=x>  \nFOOTER=plain\nFOOTER-HTML=z\n");
    const SectionRecord& s = Section(tree, u"S");
    EXPECT_EQ(Keys(s.Header), (std::vector<std::u16string>{u"HTML", u"TEXT"}));
    EXPECT_EQ(s.Header.get(u"HTML"), (LineList{u"a", u"<p class=x>"}));
    EXPECT_EQ(s.Footer.get(u""), LineList{u"plain"});
    EXPECT_EQ(s.Footer.get(u"HTML"), LineList{u"z"});
}

// ---- sections ----

TEST_F(HlxReader, LinesBeforeTheFirstSectionAndUnnamedSectionsAreDropped) {
    DefinitionTree tree = Parse("PATTERN=early\nFORMAT-HTML=x\n[]\nPATTERN=unnamed\n[Real]\nPATTERN=r\n[]\n");
    EXPECT_EQ(Keys(tree.Sections), std::vector<std::u16string>{u"Real"});
    EXPECT_EQ(Section(tree, u"Real").Rules.size(), 1u);
}

TEST_F(HlxReader, SectionNameLosesTheLastCharacterWhateverItIs) {
    DefinitionTree tree = Parse("[Code\nPATTERN=a\n[Other]x\nPATTERN=b\n");
    EXPECT_EQ(Keys(tree.Sections), (std::vector<std::u16string>{u"Cod", u"Other]"}));
}

TEST_F(HlxReader, RuleLinesAfterASectionHeaderChangeThePreviousSectionsLastRule) {
    DefinitionTree tree = Parse("[A]\nPATTERN=a\nFORMAT-HTML=1\n[B]\nFORMAT-HTML=2\nENTER=X\nRETURN\nPATTERN=b\n");
    const RuleRecord& last = Section(tree, u"A").Rules.at(0);
    EXPECT_EQ(last.Formats.get(u"HTML"), u"2");
    EXPECT_EQ(last.Enter, u"X");
    EXPECT_TRUE(last.Return);
    const RuleRecord& b = Section(tree, u"B").Rules.at(0);
    EXPECT_TRUE(b.Formats.empty());
    EXPECT_FALSE(b.Return);
}

TEST_F(HlxReader, RuleOfADroppedSectionTakesLaterRuleLinesHarmlessly) {
    DefinitionTree tree = Parse("PATTERN=early\n[B]\nFORMAT-HTML=x\nRETURN\nPATTERN=b\n");
    const RuleRecord& b = Section(tree, u"B").Rules.at(0);
    EXPECT_TRUE(b.Formats.empty());
    EXPECT_FALSE(b.Return);
}

TEST_F(HlxReader, EmptyTextAndSectionsWithoutRulesLoad) {
    EXPECT_TRUE(Parse("").Sections.empty());
    DefinitionTree tree = Parse("[Empty]\n[Named]\nPATTERN=a\nENTER=Nowhere\n");
    EXPECT_TRUE(Section(tree, u"Empty").Rules.empty());
    EXPECT_EQ(Section(tree, u"Named").Rules.at(0).Enter, u"Nowhere");
}

// ---- failures ----

TEST_F(HlxReader, LoneOpeningBracketFailsWithInvalidArgument) {
    ComError error = LoadError("[S]\nPATTERN=a\n\n  [  \n");
    EXPECT_EQ(error.number(), 5);
    EXPECT_EQ(error.description(),
              u"Invalid procedure call or argument: a section header line that is \"[\" alone has no name "
              u"(line 4 of \"test.hlx\")");
}

TEST_F(HlxReader, DuplicateSectionFailsWith457NamingTheSecondHeader) {
    ComError error = LoadError("[Code]\nPATTERN=a\n[Code]\nPATTERN=b\n");
    EXPECT_EQ(error.number(), 457);
    EXPECT_EQ(error.description(),
              u"This key is already associated with an element of this collection: the section \"Code\" is "
              u"defined twice (line 3 of \"test.hlx\")");
    EXPECT_EQ(LoadError("[a]\n[b]\n[a]").number(), 457);  // completed at the end of the text
    EXPECT_NO_THROW(Parse("[Code]\n[code]\n[]\n[]\n"));  // names differ in case; empty names are dropped
}

TEST_F(HlxReader, RuleLinesBeforeTheFirstPatternFailWithNoCurrentRule) {
    for (const char* keyword : {"FORMAT", "ENTER", "RETURN"}) {
        ComError error = LoadError(std::string("'comment\n[S]\n") + keyword + "-HTML=x\nPATTERN=a\n");
        EXPECT_EQ(error.number(), 91) << keyword;
        EXPECT_EQ(error.description(),
                  u"Object variable or With block variable not set: the " + U(keyword) +
                      u" line comes before the first PATTERN line, so there is no rule for it (line 3 of "
                      u"\"test.hlx\")");
        EXPECT_EQ(error.source(), u"lumivar");
    }
}

TEST_F(HlxReader, UnreadableFilesFailWithTheReadError) {
    testsupport::TempDir dir;
    std::u16string missing = U((dir / "missing.hlx").string());
    try {
        ReadHlx(missing);
        FAIL() << "a missing file loaded";
    } catch (const ComError& error) {
        EXPECT_EQ(error.number(), 53);
        EXPECT_EQ(error.description(), u"Error reading the file " + missing +
                                           u". Please check that file name and path are valid.\r\n\r\n"
                                           u"Reason: File not found\r\nError: 0x35");
    }
    try {
        ReadHlx(U((dir / "no-folder" / "x.hlx").string()));
        FAIL() << "a file in a missing folder loaded";
    } catch (const ComError& error) {
        EXPECT_EQ(error.number(), 76);
    }
}

// ---- line keys and values ----

TEST(HlxLineParts, KeyIsBetweenTheFirstDashAndTheNextEquals) {
    EXPECT_EQ(GetLineKey(u"FORMAT-HTML=<a href=x>"), u"HTML");
    EXPECT_EQ(GetLineKey(u"FORMAT- HTML  =v"), u" HTML");
    EXPECT_EQ(GetLineKey(u"HEADER=no dash"), u"");
    EXPECT_EQ(GetLineKey(u"HEADER-HTML no equals"), u"");
    EXPECT_EQ(GetLineKey(u"A=B-C"), u"");
    EXPECT_EQ(GetLineKey(u"A=B-C=D"), u"C");
    EXPECT_EQ(GetLineKey(u"X-=v"), u"");
}

TEST(HlxLineParts, ValueIsAfterTheFirstEqualsTrimmedOfSpaces) {
    EXPECT_EQ(GetLineValue(u"FORMAT-HTML=<font color=blue>$$</font>"), u"<font color=blue>$$</font>");
    EXPECT_EQ(GetLineValue(u"X=   v w   "), u"v w");
    EXPECT_EQ(GetLineValue(u"X=\tv\t"), u"\tv\t");
    EXPECT_EQ(GetLineValue(u"no equals"), u"");
    EXPECT_EQ(GetLineValue(u"X="), u"");
}

TEST(HlxRecords, NewRecordsHaveTheirDefaults) {
    SectionRecord section = NewSection();
    EXPECT_TRUE(section.Rules.empty() && section.Header.empty() && section.Footer.empty());
    EXPECT_TRUE(section.MultiLine);
    EXPECT_TRUE(section.IgnoreCase);
    RuleRecord rule = NewRule();
    EXPECT_TRUE(rule.Patterns.empty() && rule.Formats.empty());
    EXPECT_FALSE(rule.Return);
    EXPECT_FALSE(rule.Enter.has_value());
}

}  // namespace
