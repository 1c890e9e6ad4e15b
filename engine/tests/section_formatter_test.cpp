#include "engine/section_formatter.h"

#include <gtest/gtest.h>

#include <fstream>

#include "engine/hlx_reader.h"
#include "engine/tests/formatter_test_support.h"
#include "platform/automation/error_numbers.h"
#include "platform/ui/scripted_ui.h"
#include "tests/support/temp_dir.h"

using namespace formattest;
using modHlx::DefinitionTree;

namespace {

const std::string kData = LUMIVAR_ENGINE_TEST_DATA;

struct Result {
    std::u16string out;
    LONG ptr = 0;
};

Result Format(const DefinitionTree& tree, const std::u16string& input, engine::FormatProgress& progress,
              const modHlx::SectionRecord* start = nullptr) {
    Result result;
    FormatSection(tree, start ? *start : tree.Sections.at(0).value, input, result.out, result.ptr, progress);
    return result;
}

std::u16string Format(const DefinitionTree& tree, const std::u16string& input) {
    RecordingProgress progress(1000);
    return Format(tree, input, progress).out;
}

ComError FormatError(const DefinitionTree& tree, const std::u16string& input) {
    try {
        Format(tree, input);
    } catch (const ComError& error) {
        return error;
    }
    ADD_FAILURE() << "formatting did not fail";
    return ComError(0, {}, {});
}

DefinitionTree CExample() { return modHlx::ReadHlx(U(kData + "/c_example.hlx")); }

// A section "P" that enters itself on "(" and returns on ")", copying everything else.
TreeBuilder Parentheses(const std::u16string& header, const std::u16string& footer) {
    TreeBuilder builder;
    builder.section(u"P").header(header).footer(footer);
    builder.rule(u"\\(", u"(", u"P").rule(u"\\)", u")", {}, true).rule(u"[\\s\\S]", u"$$");
    return builder;
}

TEST(FormatSectionTest, WorkedExampleComesOutByteForByte) {
    DefinitionTree tree = CExample();
    RecordingProgress progress;
    Result result = Format(tree, u"int main() /* a<b */", progress);
    EXPECT_EQ(u"<pre><font color=blue>int</font>&nbsp;<b>main</b>()&nbsp;<font color=gray>/*&nbsp;a&lt;b&nbsp;*/</font></pre>",
              result.out);
    EXPECT_EQ(20, result.ptr);
    // One report per step: int, space, main(, ), space; in the comment a space, a, <, b, space
    // and */ (which returns); then the opener's step in Code ends at 20.
    EXPECT_EQ((std::vector<int32_t>{3, 4, 9, 10, 11, 14, 15, 16, 17, 18, 20}), progress.reports);
}

TEST(FormatSectionTest, EmptyInputGivesHeaderAndFooterOnly) {
    EXPECT_EQ(u"<pre></pre>", Format(CExample(), u""));
}

TEST(FormatSectionTest, LongestMatchWinsAndTiesGoToTheLowerRule) {
    TreeBuilder builder;
    builder.section(u"S").rule(u"ab", u"[1:$$]").rule(u"ab\nabc", u"[2:$$]").rule(u"a\\w", u"[3:$$]").rule(u"[\\s\\S]", u"$$");
    EXPECT_EQ(u"[2:abc][1:ab]x", Format(builder.tree(), u"abcabx"));
}

TEST(FormatSectionTest, UnmatchedUnitsAreDroppedAndACatchAllCopiesEscaped) {
    TreeBuilder dropping;
    dropping.section(u"S").rule(u"a", u"$$");
    EXPECT_EQ(u"aAa", Format(dropping.tree(), u"xaybAza"));

    TreeBuilder copying;
    copying.section(u"S").rule(u"[\\s\\S]", u"$$");
    EXPECT_EQ(u"a&nbsp;&lt;&nbsp;b&nbsp;&amp;&nbsp;c\"'\t\r\n&gt;&amp;lt;", Format(copying.tree(), u"a < b & c\"'\t\r\n>&lt;"));
}

TEST(FormatSectionTest, GroupsFillTheTemplateAndAGroupThatTookNoPartIsEmpty) {
    TreeBuilder builder;
    builder.section(u"S").rule(u"(\\w+)=(\\w+)", u"$1-$0").rule(u"(x)|(y)", u"<$0|$1>").rule(u"[\\s\\S]", u"$$");
    EXPECT_EQ(u"b-a&nbsp;<|y><x|>", Format(builder.tree(), u"a=b yx"));
}

TEST(FormatSectionTest, TemplateFillingNeverRescansInsertedText) {
    TreeBuilder builder;
    // "$$" inserts a match that itself holds "$0"; replacing "$0" in the whole text afterwards
    // would turn that into group 0 as well.
    builder.section(u"S").rule(u"(\\$)(\\d)", u"$$|$0$1|$2|$").rule(u"[\\s\\S]", u"$$");
    EXPECT_EQ(u"$0|$0|$2|$&nbsp;$9|$9|$2|$", Format(builder.tree(), u"$0 $9"));
}

TEST(FormatSectionTest, ARuleWithoutTemplateConsumesAndEmitsNothing) {
    TreeBuilder builder;
    builder.section(u"S").rule(u"b+", nullptr).rule(u"[\\s\\S]", u"$$");
    EXPECT_EQ(u"aa", Format(builder.tree(), u"abbba"));
}

TEST(FormatSectionTest, EmptyMatchesAreNeverChosen) {
    TreeBuilder builder;
    builder.section(u"S").header(u"<").footer(u">").rule(u"x*", u"[$$]", u"S").rule(u"a?", u"{$$}");
    // Without the guard, x* would enter S for ever at the first "b".
    EXPECT_EQ(u"<{a}[x]<>>", Format(builder.tree(), u"abx"));
}

TEST(FormatSectionTest, EnteredSectionReturnsAndTheCallerSearchesAfresh) {
    TreeBuilder builder;
    builder.section(u"Code").header(u"<c>").footer(u"</c>");
    builder.rule(u"\"", u"<s>$$", u"String").rule(u"\\bb\\w*", u"[$$]").rule(u"[\\s\\S]", u"$$");
    builder.section(u"String").header(u"{").footer(u"}").rule(u"x", u"$$</s>", {}, true).rule(u"[\\s\\S]", u"$$");
    // The fresh search starts right after the closing "x": \b sees the start of the text there,
    // so "bc" is a word although a word unit stands before it.
    EXPECT_EQ(u"<c><s>\"{ax</s>}[bc]&nbsp;[b]</c>", Format(builder.tree(), u"\"axbc b"));
}

TEST(FormatSectionTest, APatternMatchInsideConsumedTextIsPassedOver) {
    TreeBuilder builder;
    // The match "b c" found at the start is overtaken by "ab" of the first rule; the second rule
    // then finds nothing until the next fresh search, although " c" would match at 2.
    builder.section(u"S").rule(u"ab", u"[$$]").rule(u"b c|\\s\\w", u"<$$>").rule(u"[\\s\\S]", u"$$");
    EXPECT_EQ(u"[ab]&nbsp;c", Format(builder.tree(), u"ab c"));
}

TEST(FormatSectionTest, InputEndingInsideNestedSectionsEmitsEveryFooterInnermostFirst) {
    TreeBuilder builder;
    builder.section(u"A").header(u"<A>").footer(u"</A>").rule(u"\\(", u"(", u"B").rule(u"[\\s\\S]", u"$$");
    builder.section(u"B").header(u"<B>").footer(u"</B>").rule(u"\\[", u"[", u"C").rule(u"[\\s\\S]", u"$$");
    builder.section(u"C").header(u"<C>").footer(u"</C>").rule(u"[\\s\\S]", u"$$");
    EXPECT_EQ(u"<A>x(<B>y[<C>z</C></B></A>", Format(builder.tree(), u"x(y[z"));
}

TEST(FormatSectionTest, ARuleThatEntersAndReturnsEndsItsSectionWhenTheEnteredOneReturns) {
    TreeBuilder builder;
    builder.section(u"A").header(u"<A>").footer(u"</A>").rule(u"\\(", u"(", u"B").rule(u"[\\s\\S]", u"$$");
    builder.section(u"B").header(u"<B>").footer(u"</B>").rule(u"<", u"&lt;", u"C", true).rule(u"\\)", u")", {}, true)
        .rule(u"[\\s\\S]", u"$$");
    builder.section(u"C").header(u"<C>").footer(u"</C>").rule(u">", u"&gt;", {}, true).rule(u"[\\s\\S]", u"$$");
    EXPECT_EQ(u"<A>(<B>a&lt;<C>b&gt;</C></B>c)</A>", Format(builder.tree(), u"(a<b>c)"));
}

TEST(FormatSectionTest, HeaderAndFooterLinesAreJoinedWithNothingBetween) {
    DefinitionTree tree = modHlx::ReadHlx(U(kData + "/plain_example.hlx"));
    EXPECT_EQ(u"<html><body><pre>a\tb&nbsp;</pre></body></html>", Format(tree, u"a\tb "));
}

TEST(FormatSectionTest, IgnoreCaseFollowsTheSection) {
    TreeBuilder builder;
    builder.section(u"I", true).rule(u"abc", u"[$$]", u"C").rule(u"[\\s\\S]", u"$$");
    builder.section(u"C", false).rule(u"xy", u"<$$>").rule(u"[\\s\\S]", u"$$");
    EXPECT_EQ(u"[AbC]XY<xy>", Format(builder.tree(), u"AbCXYxy"));
}

TEST(FormatSectionTest, AKeywordListTooLargeForPcre2IsFormattedByItsWords) {
    const std::u16string longWord(70, u'w');
    std::u16string pattern = u"\\b(" + longWord;
    for (int i = 0; i < 4000; ++i) pattern += u"|function_" + U(std::to_string(i));
    pattern += u")\\b";
    TreeBuilder builder;
    builder.section(u"S").rule(pattern, u"<b>$0</b>").rule(u"[\\s\\S]", u"$$");
    EXPECT_EQ(u"<b>function_12</b>&nbsp;function_12x(<b>" + longWord + u"</b>)",
              Format(builder.tree(), u"function_12 function_12x(" + longWord + u")"));
}

TEST(FormatSectionTest, FormattingStartsAtPtrAndPatternsSeeTheTextFromThere) {
    TreeBuilder builder;
    builder.section(u"S").rule(u"^\\w", u"[$$]").rule(u"[\\s\\S]", u"$$");
    RecordingProgress progress(100);
    Result result;
    result.ptr = 2;
    FormatSection(builder.tree(), builder.first(), u"abcd", result.out, result.ptr, progress);
    EXPECT_EQ(u"[c]d", result.out);
    EXPECT_EQ(4, result.ptr);
}

TEST(FormatSectionTest, InvalidPatternNamesItsLineAndFile) {
    testsupport::TempDir dir;
    std::filesystem::path file = dir / "bad.hlx";
    std::ofstream(file, std::ios::binary) << "[Code]\nPATTERN=[\\s\\S]\nFORMAT-HTML=$$\n\nPATTERN=*x\nFORMAT-HTML=$$\n";
    DefinitionTree tree = modHlx::ReadHlx(U(file.string()));
    ComError error = FormatError(tree, u"abc");
    EXPECT_EQ(5018, error.number());
    EXPECT_EQ(U("Error searching for pattern: *x\r\nThe pattern is invalid.\r\nThe pattern is defined on line 4 in " +
                file.string() + "."),
              error.description());
}

TEST(FormatSectionTest, OtherPatternFailuresCarryTheEnginesNumberAndText) {
    TreeBuilder builder;
    builder.section(u"S").rule(u"a", u"$$").rule(u"[b", u"$$");
    ComError error = FormatError(builder.tree(), u"a");
    EXPECT_EQ(5019, error.number());
    EXPECT_EQ(u"Error searching for pattern: [b\r\nError 5019. Expected ']' in regular expression", error.description());
}

TEST(FormatSectionTest, ABadPatternFailsWhenItsSectionIsFirstEnteredEvenIfItNeverMatches) {
    TreeBuilder builder;
    builder.section(u"A").rule(u"<", u"$$", u"B").rule(u"[\\s\\S]", u"$$");
    builder.section(u"B").rule(u">", u"$$", {}, true).rule(u"a(", u"$$");
    EXPECT_EQ(u"xyz", Format(builder.tree(), u"xyz"));
    EXPECT_EQ(5020, FormatError(builder.tree(), u"x<y>").number());
    // Entered at the very end of the input, the section never searches.
    EXPECT_EQ(u"x&lt;", Format(builder.tree(), u"x<"));
}

TEST(FormatSectionTest, EnteringAMissingSectionFailsWithSubscriptOutOfRange) {
    TreeBuilder builder;
    builder.section(u"Code").rule(u"x", u"$$", u"Nowhere").rule(u"[\\s\\S]", u"$$");
    EXPECT_EQ(u"abc", Format(builder.tree(), u"abc"));
    ComError error = FormatError(builder.tree(), u"abxc");
    EXPECT_EQ(errnum::kSubscriptOutOfRange, error.number());
    EXPECT_NE(std::u16string::npos, error.description().find(u"\"Nowhere\""));
    EXPECT_NE(std::u16string::npos, error.description().find(u"\"Code\""));
    EXPECT_NE(std::u16string::npos, error.description().find(u"line 1 in generated.hlx"));
}

TEST(FormatSectionTest, CancelMidWayEmitsEveryPendingFooter) {
    DefinitionTree tree = CExample();
    // The eighth report comes after "<" inside the comment.
    RecordingProgress progress(1, 8);
    Result result = Format(tree, u"int main() /* a<b */", progress);
    EXPECT_EQ(u"<pre><font color=blue>int</font>&nbsp;<b>main</b>()&nbsp;<font color=gray>/*&nbsp;a&lt;</pre>", result.out);
    EXPECT_EQ(16, result.ptr);
    // The comment stops at the next step; Code, after its nested call, reports once more and stops.
    EXPECT_EQ((std::vector<int32_t>{3, 4, 9, 10, 11, 14, 15, 16, 16}), progress.reports);
}

TEST(FormatSectionTest, CancelInsideNestedSectionsEndsEachWithItsFooter) {
    TreeBuilder builder = Parentheses(u"<", u">");
    RecordingProgress progress(1, 2);
    Result result = Format(builder.tree(), u"((a(bcd)))", progress);
    EXPECT_EQ(u"<(<(<a(<b>>>>", result.out);
    EXPECT_EQ(5, result.ptr);
    // Each enclosing section reports once after its nested call, then finds the flag set.
    EXPECT_EQ((std::vector<int32_t>{3, 5, 5, 5, 5}), progress.reports);
}

TEST(FormatSectionTest, CancelledBeforeTheStartEmitsHeaderAndFooter) {
    RecordingProgress progress;
    progress.cancelNow();
    EXPECT_EQ(u"<pre></pre>", Format(CExample(), u"int x;", progress).out);
    EXPECT_TRUE(progress.reports.empty());
}

TEST(FormatSectionTest, CancelButtonReachesTheFormatterThroughPendingEvents) {
    ui::ScopedScriptedServices services;
    gCancelled = false;
    services->onPump = [] { gCancelled = true; };
    std::vector<int32_t> shown;
    engine::EventPumpProgress progress([&](int32_t position) { shown.push_back(position); });
    Result result = Format(CExample(), u"int main() /* a<b */", progress);
    gCancelled = false;
    // The first report lets events run at once; the Cancel click stops the loop there.
    EXPECT_EQ(u"<pre><font color=blue>int</font></pre>", result.out);
    EXPECT_EQ(1, services->pumps);
    EXPECT_EQ(std::vector<int32_t>{3}, shown);
}

// A search that takes far longer than the 20 ms between reports without reaching the engine's
// limits (PCRE2 backtracking over runs of "a", a repeated part that may match empty being PCRE2's):
// the cancel at the first report
// stops it.
TEST(FormatSectionTest, CancelReachesInsideALongSearch) {
    std::u16string runs;
    for (int i = 0; i < 300; ++i) runs += std::u16string(24, u'a') + u"b";
    TreeBuilder builder;
    builder.section(u"S").header(u"<pre>").footer(u"</pre>").rule(u"(a|aa|x?)+(?=[cd]x)", u"<b>$$</b>").rule(u"[\\s\\S]", u"$$");
    RecordingProgress progress(1000, 1);
    Result result = Format(builder.tree(), runs, progress);
    EXPECT_EQ(u"<pre></pre>", result.out);
    EXPECT_EQ(0, result.ptr);
    EXPECT_EQ(std::vector<int32_t>{0}, progress.reports);
}

TEST(FormatSectionTest, StepsBetweenReportsFollowTheGrantedQuota) {
    TreeBuilder builder;
    builder.section(u"S").rule(u"[\\s\\S]", u"$$");
    RecordingProgress progress(4);
    Format(builder.tree(), u"0123456789", progress);
    EXPECT_EQ((std::vector<int32_t>{1, 5, 9}), progress.reports);
}

TEST(FormatSectionTest, AMillionNestedSectionsFormatWithEveryFooter) {
    TreeBuilder builder = Parentheses(u"<", u">");
    const size_t depth = 1'000'000;
    std::u16string input(depth, u'(');
    std::u16string out;
    LONG ptr = 0;
    RecordingProgress progress(1u << 20);
    FormatSection(builder.tree(), builder.first(), input, out, ptr, progress);
    EXPECT_EQ(LONG(depth), ptr);
    ASSERT_EQ(depth * 2 + 1 + depth + 1, out.size());
    EXPECT_EQ(u"<(<(<", out.substr(0, 5));
    EXPECT_EQ(std::u16string(depth + 1, u'>'), out.substr(2 * depth + 1));
}

TEST(FormatSectionTest, DeepNestingUnwindsThroughReturns) {
    TreeBuilder builder = Parentheses(u"{", u"}");
    const size_t depth = 200'000;
    std::u16string input = std::u16string(depth, u'(') + u"x" + std::u16string(depth, u')') + u"y";
    std::u16string expected = u"{";
    for (size_t i = 0; i < depth; ++i) expected += u"({";
    expected += u"x";
    for (size_t i = 0; i < depth; ++i) expected += u")}";
    expected += u"y}";
    EXPECT_EQ(expected, Format(builder.tree(), input));
}

class CollectingSink : public engine::OutputSink {
public:
    void write(std::u16string_view text) override {
        ++writes;
        collected += text;
    }
    void writeEscaped(std::u16string_view text) override {
        ++escapedWrites;
        OutputSink::writeEscaped(text);
    }
    bool escapesCopies() const override { return true; }
    std::u16string collected;
    int writes = 0;
    int escapedWrites = 0;
};

// Short matches in templates, and long runs copied escaped between them (which a sink may be
// handed unescaped, after what came before them).
TEST(FormatSectionTest, ASinkReceivesTheSameTextInPieces) {
    TreeBuilder copies;
    copies.section(u"S").header(u"<pre>").footer(u"</pre>").rule(u"\\d+", u"<b>$$</b>").rule(u"[\\s\\S]", u"$$");
    std::u16string shortMatches, longRuns;
    for (int i = 0; i < 4000; ++i) shortMatches += u"int f(x) { return x < 1; } /* note & */\n";
    for (int i = 0; i < 40; ++i) longRuns += std::u16string(500 * (i % 7), i % 2 ? u'<' : u'\u00e9') + u" a&b 12 ";
    struct Case {
        DefinitionTree tree;
        std::u16string input;
        bool escapedWrites;
    };
    for (const Case& c : {Case{CExample(), shortMatches, false}, Case{copies.tree(), longRuns, true}}) {
        CollectingSink sink;
        LONG ptr = 0;
        RecordingProgress progress(256);
        FormatSection(c.tree, c.tree.Sections.at(0).value, c.input, sink, ptr, progress);
        EXPECT_EQ(Format(c.tree, c.input), sink.collected);
        EXPECT_GT(sink.writes, 2);
        EXPECT_EQ(c.escapedWrites, sink.escapedWrites > 0);
    }
}

TEST(FormatSectionTest, ASinkKeepsWhatWasMadeBeforeAFailure) {
    TreeBuilder builder;
    builder.section(u"S").header(u"<pre>").rule(u"!", u"!", u"Nowhere").rule(u"[\\s\\S]", u"$$");
    CollectingSink sink;
    LONG ptr = 0;
    RecordingProgress progress(1000);
    EXPECT_THROW(FormatSection(builder.tree(), builder.first(), u"ab!c", sink, ptr, progress), ComError);
    EXPECT_EQ(u"<pre>ab!", sink.collected);
    EXPECT_EQ(3, ptr);
}

// Compiling ahead raises nothing; formatting then gives the output, or raises the pattern's
// error when the section first searches, as it would have.
TEST(FormatSectionTest, CompiledAheadFormatsAndFailsAsBefore) {
    struct Case {
        std::u16string pattern;
        std::u16string out;
    };
    for (const Case& c : {Case{u"q+", u"x<b>qq</b>y"}, Case{u"q(", u""}}) {
        TreeBuilder builder;
        builder.section(u"S").rule(u"[\\s\\S]", u"$$").rule(c.pattern, u"<b>$$</b>");
        EXPECT_NO_THROW(engine::CompileAhead(builder.first()));
        std::u16string out;
        LONG ptr = 0;
        RecordingProgress progress;
        try {
            FormatSection(builder.tree(), builder.first(), u"xqqy", out, ptr, progress);
            EXPECT_EQ(c.out, out);
        } catch (const ComError& error) {
            EXPECT_TRUE(c.out.empty()) << Narrow(error.description());
            EXPECT_EQ(0u, error.description().find(u"Error searching for pattern: " + c.pattern));
        }
    }
}

TEST(FormatSectionTest, NegativePtrIsAnInvalidArgument) {
    TreeBuilder builder;
    builder.section(u"S").rule(u"a", u"$$");
    std::u16string out;
    LONG ptr = -1;
    RecordingProgress progress;
    try {
        FormatSection(builder.tree(), builder.first(), u"a", out, ptr, progress);
        ADD_FAILURE() << "no error";
    } catch (const ComError& error) {
        EXPECT_EQ(5, error.number());
    }
}

}  // namespace
