// Patterns the engine rejects, with its numbers and texts, and searches that run away.
#include <optional>
#include <string>
#include <thread>

#include "platform/regexp/pattern.h"
#include "platform/regexp/tests/regexp_test_helpers.h"

namespace {

using regexptest::CompileError;
using regexptest::ErrorNumberOf;
using regexptest::ErrorOf;
using regexptest::Execute;

struct Rejected {
    std::u16string pattern;
    LONG number;
};

void ExpectRejected(const std::vector<Rejected>& cases) {
    for (const Rejected& c : cases)
        EXPECT_EQ(CompileError(c.pattern), c.number) << std::string(c.pattern.begin(), c.pattern.end());
}

TEST(PatternErrors, QuantifierWithNothingToRepeat) {
    ExpectRejected({{u"*a", 5018}, {u"+", 5018}, {u"?", 5018}, {u"a|*", 5018}, {u"(*)", 5018},
                    {u"{2}", 5018}, {u"a**", 5018}, {u"a++", 5018}, {u"a*+", 5018}, {u"a{2}{3}", 5018},
                    {u"a*??", 5018}, {u"^*", 5018}, {u"$+", 5018}, {u"\\b?", 5018}, {u"\\B{2}", 5018}});
}

TEST(PatternErrors, PcreOnlyGroupSyntaxIsAnUnexpectedQuantifier) {
    ExpectRejected({{u"(?<n>a)", 5018}, {u"(?P<n>a)", 5018}, {u"(?i)a", 5018}, {u"(?>a)", 5018},
                    {u"(?<=a)b", 5018}, {u"(?<!a)b", 5018}, {u"(?#c)", 5018}, {u"(?|a)", 5018},
                    {u"(?R)", 5018}, {u"(?", 5018}});
}

TEST(PatternErrors, UnclosedBracketsAndParentheses) {
    ExpectRejected({{u"[a", 5019}, {u"[", 5019}, {u"[^", 5019}, {u"[a\\", 5019}, {u"[a-", 5019},
                    {u"(a", 5020}, {u"((a)", 5020}, {u"(?:a", 5020}, {u"(?=a", 5020}, {u"(", 5020}});
}

TEST(PatternErrors, RangesAndOtherSyntax) {
    ExpectRejected({{u"[z-a]", 5021}, {u"[\\x7a-\\x61]", 5021}, {u"[b-a]", 5021},
                    {u"a{2,1}", 5017}, {u"a)", 5017}, {u")", 5017}, {u"\\", 5017}});
}

TEST(PatternErrors, EngineTextsAndSource) {
    const std::pair<std::u16string, std::u16string> texts[] = {
        {u"*", u"Unexpected quantifier"},
        {u"[", u"Expected ']' in regular expression"},
        {u"(", u"Expected ')' in regular expression"},
        {u"[b-a]", u"Invalid range in character set"},
        {u")", u"Syntax error in regular expression"},
    };
    for (const auto& [pattern, text] : texts) {
        const ComError e = ErrorOf([&] { Execute(pattern, u"x"); });
        EXPECT_EQ(e.description(), text);
        EXPECT_EQ(e.source(), u"VBScript_RegExp_55");
        EXPECT_EQ(e.hresult(), HRESULT(0x800A0000u + e.number()));
    }
}

TEST(PatternErrors, RaisedAtExecuteNotWhenThePatternIsSet) {
    regexp::RegExp re;
    re.setPattern(u"[a");
    EXPECT_EQ(ErrorNumberOf([&] { re.execute(u"a"); }), 5019);
    re.setPattern(u"[a]");
    EXPECT_EQ(re.execute(u"a").count(), 1u);
}

TEST(PatternErrors, EngineLimitsAreSyntaxErrorsNamingTheLimit) {
    for (const std::u16string& pattern : {std::u16string(400, u'(') + u"a" + std::u16string(400, u')'),
                                          std::u16string(260, u'(') + u"a" + std::u16string(260, u')'),
                                          std::u16string(u"a{70000}")}) {
        const ComError e = ErrorOf([&] { Execute(pattern, u"a"); });
        EXPECT_EQ(e.number(), 5017);
        EXPECT_NE(e.description().find(u"limit"), std::u16string::npos);
    }
    EXPECT_EQ(CompileError(std::u16string(200, u'(') + u"a" + std::u16string(200, u')')), 0);
}

TEST(PatternErrors, ItemOutOfRangeIsAnInvalidArgument) {
    regexp::MatchCollection m = Execute(u"(a)", u"a");
    EXPECT_EQ(ErrorNumberOf([&] { m.item(1); }), 5);
    EXPECT_EQ(ErrorNumberOf([&] { m.item(0).subMatch(1); }), 5);
    EXPECT_EQ(ErrorNumberOf([&] { m.item(0).subMatchTookPart(1); }), 5);
}

// Catastrophic backtracking, left to PCRE2 where a repeated part that may match empty or a back
// reference asks for it, ends with an error instead of running for ever; the automata search the
// same shapes without one in time that grows with the subject.
TEST(RunawaySearch, FailsWithTheMatchLimitErrorOnlyWherePcre2Searches) {
    struct Case {
        const char16_t* pattern;
        std::u16string subject;
        bool runsAway;
    };
    const Case cases[] = {
        {u"(a+|x?)+(?=bc)", std::u16string(40, u'a') + u"!b!c", true},
        {u"(x+x+|a?)+(?=yz)", std::u16string(40, u'x') + u"!y!z", true},
        {u"(a|a|x?)*(?=cd)c", std::u16string(60, u'a') + u"!c!d", true},
        {u"(a+)+b", std::u16string(40, u'a') + u"!b", false},
        {u"(x+x+)+y", std::u16string(40, u'x') + u"!y", false},
        {u"(a|a)*c", std::u16string(60, u'a') + u"!", false},
    };
    for (const auto& [pattern, subject, runsAway] : cases) {
        if (!runsAway) {
            EXPECT_EQ(Execute(pattern, subject).count(), 0);
            continue;
        }
        const ComError e = ErrorOf([&] { Execute(pattern, subject); });
        EXPECT_EQ(e.number(), 5017);
        EXPECT_NE(e.description().find(u"match limit"), std::u16string::npos);
    }
}

TEST(RunawaySearch, ALowerLimitEndsSearchesSoonerUntilItIsPutBack) {
    const std::u16string subject = std::u16string(15, u'a') + u"!b!c";  // some 65,000 steps, no match
    EXPECT_EQ(Execute(u"(a+|x?)+(?=bc)", subject).count(), 0);
    regexp::SetMatchLimit(1000);
    EXPECT_EQ(ErrorOf([&] { Execute(u"(a+|x?)+(?=bc)", subject); }).number(), 5017);
    regexp::SetMatchLimit(100'000'000);
    EXPECT_EQ(Execute(u"(a+|x?)+(?=bc)", subject).count(), 0);
}

// A failing try of a back-reference pattern that runs to the text's end needs JIT stack that
// grows with the text: the search gets a larger stack rather than failing.
TEST(RunawaySearch, ASearchThatNeedsMoreJitStackGetsIt) {
    regexp::SetFirstJitStackSize(64 * 1024);
    const std::u16string text = u"q\\" + std::u16string(300000, u'x') + u" q/y/";
    std::optional<size_t> found;
    std::thread([&] {  // a thread whose first search makes its stack
        try {
            found = Execute(u"\\bq([^\\w\\s])(?:(?!\\1)[^\\\\]|\\\\[\\s\\S])*\\1", text).item(0).firstIndex();
        } catch (const ComError&) {
        }
    }).join();
    regexp::SetFirstJitStackSize(256 * 1024 * 1024);
    EXPECT_EQ(found, text.size() - 4);
}

TEST(RunawaySearch, LongButLinearMatchesStayWithinTheLimits) {
    std::u16string literal = u"\"" + std::u16string(200000, u'x') + u"\"";
    EXPECT_EQ(Execute(u"\"(\\\\.|[^\"\\\\])*\"", literal).item(0).length(), literal.size());
    std::u16string comment = u"/*" + std::u16string(2000000, u' ') + u"*/";
    EXPECT_EQ(Execute(u"/\\*[\\s\\S]*?\\*/", comment).item(0).length(), comment.size());
}

// Whatever the pattern, compiling gives a pattern or one of the engine's errors.
TEST(PatternErrors, ArbitraryPatternsNeverCrash) {
    const std::u16string alphabet = u"ab()[]{}|*+?^$.\\-,:=!<>0129cuxdDbBsSwWQEPp";
    uint32_t state = 12345;
    auto next = [&] { return state = state * 1103515245u + 12345u, (state >> 16) & 0x7FFF; };
    for (int i = 0; i < 20000; ++i) {
        std::u16string pattern;
        size_t length = next() % 10;
        for (size_t k = 0; k < length; ++k) pattern += alphabet[next() % alphabet.size()];
        LONG number = CompileError(pattern, {next() % 2 == 0, next() % 2 == 0, true});
        EXPECT_TRUE(number == 0 || (number >= 5017 && number <= 5021)) << number;
    }
}

}  // namespace
