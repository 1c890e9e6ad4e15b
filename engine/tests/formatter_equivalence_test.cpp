// The formatter against the plain formatter of reference_formatter.h, on generated definitions
// and inputs: the same output, the same end position, the same error, the same reports after
// the same steps, and the same output when cancelled after any report.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <sstream>

#include "engine/section_formatter.h"
#include "engine/tests/formatter_test_support.h"
#include "engine/tests/reference_formatter.h"
#include "platform/automation/error_numbers.h"

using namespace formattest;

namespace {

// Patterns over the input alphabet below: literals, runs, classes, keyword lists, groups,
// alternatives whose order matters, empty-capable ones, anchors, boundaries, lookahead, name lists.
const std::vector<std::u16string> kPatterns = {
    u"a", u"b", u"ab", u"A", u"a+", u"b+", u"\\w+", u"\\s+", u"[ab]+", u"[a-b]\\w*", u"[\\s\\S]", u".",
    u"[^a]", u"\\(", u"\\)", u"[()]", u"a|ab", u"ab|a", u"(a)(b)?", u"(a+)(b*)", u"(\\w)(\\w)?(\\w)?",
    u"\\b(a|ab|b1)\\b", u"\\b(?:ab|ba)\\b", u"\\bab\\b", u"\\bA", u"a*", u"x*", u"(?=a)", u"a(?=b)", u"b*?",
    u"^a", u"^", u"$", u"a$", u"\\ba", u"\\Bb", u"a\\b", u"\"[^\"]*\"", u"\"", u"<", u"&+", u"1", u"\\d+",
    u" ", u"\\n", u"[a\\n]+", u"(a|b)+", u"(?:ab)+", u"a{2}", u"[ab]*?b", u"(\\w+)\\s*\\(", u"\\w+(?=\\()",
    u"[A-Z_]\\w*", u"\\b\\w", u"(b)|(a)", u"_+", u"[^\"\\n]+", u"<[^>]*>?", u"&", u"\\s",
    u"a\\w+", u"ab*", u"\\\\[\\s\\S]", u"//.*", u"/\\*", u"\\*/", u"\"a", u"[ab]b+", u"A\\s", u"(?:a)+",
    u"(a\\w*)(\\s*)(\\()", u"(_)(\\w)", u"b?a", u"[ab]\\w*\\(", u"([ab]+)",
    u"a(?![b(])\\w*", u"(/(?![/*])[^/\\n]*/)", u"\\w+(?=\\s*<)", u"(?:b(?=a)|a(?!\\$))+",
    u"(?:a|ab|b-a)(?![\\w-])", u"\\b(a|b1)(?![\\w(])", u"[\\w-]+",
};
const std::vector<std::u16string> kBadPatterns = {u"*a", u"a**", u"[a", u"(a", u"[b-a]", u"a)"};
const std::vector<std::u16string> kTemplates = {
    u"$$", u"$$", u"$$", u"<i>$$</i>", u"$0", u"[$0|$1]", u"$1$0", u"", u"$$$0$", u"$9", u"x$y", u"$10", u"<$$>",
    u"{$2}",
};
const std::u16string kAlphabet = u"aAbB1_ ()<&>\"\nab  aa/*\\$02-";
// Patterns whose next match may lie far ahead, most with \b, ^ or a lookahead at their start, and
// units of input that enter and leave a quoted section: each return searches afresh.
const std::vector<std::u16string> kFarPatterns = {
    u"\\b(ab|b1)(\\s+)(/\\w*/)", u"\\bz\\w*", u"^a", u"^", u"(?=z)\\w+", u"\\Bz", u"a\\b", u"z", u"\\$\\d",
    u"\\b\\d+", u"\\bA", u"b$", u"(?=\\b)q", u"\\Bb+", u"(a)(z)?\\b", u"\\b_\\w",
};
const std::vector<std::u16string> kReturningUnits = {
    u"\"x\"ab ", u"\"x\"a", u"\"\"_", u"\"x\" b1 /a/", u"\"$1\"2", u"\"x\"\n", u"\"z\"", u"\"x\"q", u"z", u"ab", u"a\"b\"$0",
};

class Generator {
public:
    explicit Generator(uint32_t seed) : random_(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    bool chance(int inN) { return below(inN) == 0; }
    template <class T>
    const T& pick(const std::vector<T>& items) {
        return items[size_t(below(int(items.size())))];
    }

    modHlx::DefinitionTree definition(bool withBadPatterns, std::string& description) {
        TreeBuilder builder;
        int sections = 2 + below(2);
        std::vector<std::u16string> names;
        for (int s = 0; s < sections; ++s) names.push_back(U("S" + std::to_string(s)));
        std::ostringstream text;
        for (int s = 0; s < sections; ++s) {
            bool ignoreCase = !chance(3);
            builder.section(names[s], ignoreCase);
            text << "[" << Narrow(names[s]) << "] ignoreCase=" << ignoreCase << "\n";
            for (int h = below(3); h > 0; --h) builder.header(U("<h" + std::to_string(s) + char('a' + h) + ">"));
            for (int f = below(3); f > 0; --f) builder.footer(U("</f" + std::to_string(s) + char('a' + f) + ">"));
            int rules = 1 + below(5);
            for (int r = 0; r < rules; ++r) {
                std::u16string patterns;
                for (int p = 1 + (chance(3) ? 1 : 0); p > 0; --p) {
                    if (!patterns.empty()) patterns += u'\n';
                    patterns += withBadPatterns && chance(12) ? pick(kBadPatterns) : pick(kPatterns);
                }
                std::u16string enter;
                if (chance(3)) enter = chance(12) ? u"Missing" : names[size_t(below(sections))];
                bool returns = chance(5);
                const std::u16string* format = chance(8) ? nullptr : &pick(kTemplates);
                builder.rule(patterns, format, enter, returns);
                text << "  " << Narrow(patterns) << " -> " << (format ? Narrow(*format) : "(none)")
                     << (enter.empty() ? "" : " enter " + Narrow(enter)) << (returns ? " return" : "") << "\n";
            }
            if (chance(2)) builder.rule(u"[\\s\\S]", u"$$");
        }
        description = text.str();
        return builder.tree();
    }

    // A section of far patterns and a catch-all that enters a quoted section, which returns at
    // the next quote.
    modHlx::DefinitionTree returningDefinition(std::string& description) {
        TreeBuilder builder;
        const bool ignoreCase = chance(2);
        builder.section(u"S0", ignoreCase).header(u"<h0>").footer(u"</f0>");
        std::ostringstream text;
        text << "[S0] ignoreCase=" << ignoreCase << "\n";
        for (int r = 1 + below(4); r > 0; --r) {
            const std::u16string& pattern = pick(kFarPatterns);
            const std::u16string& format = pick(kTemplates);
            builder.rule(pattern, format);
            text << "  " << Narrow(pattern) << " -> " << Narrow(format) << "\n";
        }
        builder.rule(u"\"", u"<q>", u"S1");
        if (chance(2)) builder.rule(u"\\w+", u"$$");
        builder.rule(u"[\\s\\S]", u"$$");
        builder.section(u"S1").footer(u"</q>");
        builder.rule(u"\"", u"$$", {}, true);
        builder.rule(u"[^\"]+", u"$$");
        description = text.str();
        return builder.tree();
    }

    std::u16string returningInput() {
        std::u16string text;
        for (int n = 5 + below(40); n > 0; --n) text += pick(kReturningUnits);
        return text;
    }

    std::u16string input() {
        std::u16string text;
        for (int n = below(80); n > 0; --n) text += kAlphabet[size_t(below(int(kAlphabet.size())))];
        return text;
    }

private:
    std::mt19937 random_;
};

Outcome RunReference(const modHlx::DefinitionTree& tree, const std::u16string& input, RecordingProgress progress) {
    return Capture(
        [&](std::u16string& out, LONG& ptr, engine::FormatProgress& p) {
            reference::FormatSection(tree, &tree.Sections.at(0).value, input, out, ptr, p);
        },
        progress);
}

Outcome RunFormatter(const modHlx::DefinitionTree& tree, const std::u16string& input, RecordingProgress progress) {
    return Capture(
        [&](std::u16string& out, LONG& ptr, engine::FormatProgress& p) {
            FormatSection(tree, tree.Sections.at(0).value, input, out, ptr, p);
        },
        progress);
}

void ExpectSame(const Outcome& expected, const Outcome& actual, const std::string& context) {
    EXPECT_EQ(expected.error, actual.error) << context;
    if (expected.error != 0) {
        // The missing-section text is the formatter's own; pattern errors have a fixed form.
        if (expected.error != errnum::kSubscriptOutOfRange) {
            EXPECT_EQ(expected.description, actual.description) << context;
        }
        return;
    }
    EXPECT_EQ(expected.out, actual.out) << context;
    EXPECT_EQ(expected.ptr, actual.ptr) << context;
    EXPECT_EQ(expected.reports, actual.reports) << context;
}

std::string Context(uint32_t seed, const std::string& definition, const std::u16string& input) {
    return "seed " + std::to_string(seed) + "\n" + definition + "input: \"" + Narrow(input) + "\"";
}

// Whether the output shows a header or footer of a section other than the first.
bool EntersAnotherSection(const std::u16string& out) {
    for (const char16_t* mark : {u"<h1", u"<h2", u"</f1", u"</f2"})
        if (out.find(mark) != std::u16string::npos) return true;
    return false;
}

// LUMIVAR_EQUIVALENCE_DEFINITIONS sets how many definitions a long run generates.
const uint32_t kDefinitions = [] {
    const char* asked = std::getenv("LUMIVAR_EQUIVALENCE_DEFINITIONS");
    return asked && std::atoi(asked) > 0 ? uint32_t(std::atoi(asked)) : 3000u;
}();
constexpr int kInputsPerDefinition = 4;

TEST(FormatterEquivalenceTest, SameOutputReportsAndErrorsAsThePlainFormatter) {
    int compared = 0, withErrors = 0, nested = 0;
    for (uint32_t seed = 1; seed <= kDefinitions; ++seed) {
        Generator generator(seed);
        std::string description;
        modHlx::DefinitionTree tree = generator.definition(seed % 10 == 0, description);
        for (int i = 0; i < kInputsPerDefinition; ++i) {
            std::u16string input = generator.input();
            Outcome expected = RunReference(tree, input, StepReports());
            Outcome actual = RunFormatter(tree, input, StepReports());
            ExpectSame(expected, actual, Context(seed, description, input));
            ++compared;
            if (expected.error) ++withErrors;
            if (EntersAnotherSection(expected.out)) ++nested;
            if (HasFailure()) return;
        }
    }
    // The generated cases reach the parts they are meant to reach.
    EXPECT_EQ(int(kDefinitions) * kInputsPerDefinition, compared);
    EXPECT_GT(withErrors, int(kDefinitions / 8));
    EXPECT_GT(nested, int(kDefinitions / 3));
    std::printf("compared %d cases: %d with errors, %d entering sections\n", compared, withErrors, nested);
}

// Both fill a template in one pass: a match or group holding "$0" is not read again.
TEST(FormatterEquivalenceTest, InsertedTextIsNotReadAgain) {
    TreeBuilder builder;
    builder.section(u"S");
    builder.rule(u"\\$(\\d)", u"<$$|$0>");
    builder.rule(u"[\\s\\S]", u"$$");
    const std::u16string expected = u"<$0|0>&nbsp;<$1|1>";
    EXPECT_EQ(expected, RunReference(builder.tree(), u"$0 $1", StepReports()).out);
    EXPECT_EQ(expected, RunFormatter(builder.tree(), u"$0 $1", StepReports()).out);
}

// A section entered and left at every quote while other patterns' next matches lie far ahead
// (or nowhere): the searches after each return give the same matches as the plain formatter's.
TEST(FormatterEquivalenceTest, SameOutputWhenASectionReturnsOften) {
    int compared = 0;
    for (uint32_t seed = 1; seed <= kDefinitions; ++seed) {
        Generator generator(seed + 500000);
        std::string description;
        modHlx::DefinitionTree tree = generator.returningDefinition(description);
        for (int i = 0; i < kInputsPerDefinition; ++i) {
            std::u16string input = generator.returningInput();
            ExpectSame(RunReference(tree, input, StepReports()), RunFormatter(tree, input, StepReports()),
                       Context(seed, description, input));
            ++compared;
            if (HasFailure()) return;
        }
    }
    std::printf("compared %d cases of a section that returns often\n", compared);
}

// Inputs cut into chunks of a few units, each formatted from a guess by whichever thread is free
// and joined where the true run meets it: the same output, end and error.
TEST(FormatterEquivalenceTest, InChunksTheSameOutputAndErrors) {
    const uint64_t joinedBefore = engine::detail::JoinedChunks();
    for (uint32_t seed = 1; seed <= kDefinitions; ++seed) {
        Generator generator(seed + 300000);
        std::string description;
        modHlx::DefinitionTree tree = generator.definition(seed % 10 == 0, description);
        std::u16string input = generator.input() + u"\n" + generator.input() + u"\n" + generator.input();
        const uint32_t units = 1 + uint32_t(generator.below(24));
        Outcome expected = RunReference(tree, input, StepReports());
        engine::detail::SetChunkUnits(units);
        Outcome actual = RunFormatter(tree, input, StepReports());
        engine::detail::SetChunkUnits(engine::detail::kMachineChunkUnits);
        std::string context = Context(seed, description, input) + "\nchunks of " + std::to_string(units);
        EXPECT_EQ(expected.error, actual.error) << context;
        if (!expected.error) {
            EXPECT_EQ(expected.out, actual.out) << context;
            EXPECT_EQ(expected.ptr, actual.ptr) << context;
        }
        if (HasFailure()) return;
    }
    const uint64_t joined = engine::detail::JoinedChunks() - joinedBefore;
    EXPECT_GT(joined, uint64_t(kDefinitions));  // the runs met, not only the fallback
    std::printf("joined %llu chunks\n", static_cast<unsigned long long>(joined));
}

// A local run begun before a chunk goes on into it: the guess, which searched from the chunk's
// start, can see matches begin where the true run's do not, so the true run must not join the
// guess inside the run. For b[ab\n]*, the run begun at the "b" after "x" (which "xb" took) still
// holds the "b" of "ab" on the next line ("a\n" ends the step before the chunk, so that the
// true run takes a step of its own to that "b"). For [b\n][ab\n], pairs begin at every second
// unit of a run of "b" and line ends, counted from where the run begins.
TEST(FormatterEquivalenceTest, InChunksNoJoinInsideALocalRunThatBeganBefore) {
    struct Case {
        std::vector<std::pair<std::u16string, std::u16string>> rules;
        std::u16string line;
    };
    const Case cases[] = {
        {{{u"xb", u"<x>$$</x>"}, {u"a\\n", u"<n>$$</n>"}, {u"b[ab\\n]*", u"<r>$$</r>"}}, u"xba\nab\n"},
        {{{u"[b\\n][ab\\n]", u"<r>$$</r>"}, {u"bbb", u"<t>$$</t>"}}, u"\nbbbbb"},
    };
    for (const Case& test : cases) {
        TreeBuilder builder;
        builder.section(u"S");
        for (const auto& [pattern, format] : test.rules) builder.rule(pattern, format);
        builder.rule(u"[\\s\\S]", u"$$");
        std::u16string input;
        for (int line = 0; line < 20; ++line) input += test.line;
        for (uint32_t units : {1u, 2u, 5u}) {
            const uint64_t joinedBefore = engine::detail::JoinedChunks();
            engine::detail::SetChunkUnits(units);
            Outcome actual = RunFormatter(builder.tree(), input, StepReports());
            engine::detail::SetChunkUnits(engine::detail::kMachineChunkUnits);
            const std::string context = "case " + std::to_string(&test - cases) + ", chunks of " + std::to_string(units);
            EXPECT_EQ(RunReference(builder.tree(), input, StepReports()).out, actual.out) << context;
            EXPECT_GT(engine::detail::JoinedChunks(), joinedBefore) << context;
        }
    }
}

// A cancel during a run in chunks stops it where the true run stands: its output is the plain
// formatter's when cancelled after the step that ended there.
TEST(FormatterEquivalenceTest, InChunksACancelEndsLikeOneBetweenSteps) {
    int compared = 0;
    for (uint32_t seed = 1; seed <= kDefinitions / 2; ++seed) {
        Generator generator(seed + 400000);
        std::string description;
        modHlx::DefinitionTree tree = generator.definition(false, description);
        std::u16string input = generator.input() + u"\n" + generator.input() + u"\n" + generator.input();
        engine::detail::SetChunkUnits(1 + uint32_t(generator.below(24)));
        Outcome whole = RunFormatter(tree, input, StepReports());
        Outcome cut;
        if (!whole.error && !whole.reports.empty())
            cut = RunFormatter(tree, input, StepReports(1, 1 + size_t(generator.below(int(whole.reports.size())))));
        engine::detail::SetChunkUnits(engine::detail::kMachineChunkUnits);
        if (whole.error || whole.reports.empty() || cut.ptr == 0 || size_t(cut.ptr) >= input.size()) continue;
        Outcome plain = RunReference(tree, input, StepReports());
        // A step that enters a section makes no report, so a cancel seen while waiting right
        // after one has no counterpart there.
        auto step = std::find(plain.reports.begin(), plain.reports.end(), cut.ptr);
        if (step == plain.reports.end()) continue;
        Outcome expected = RunReference(tree, input, StepReports(1, size_t(step - plain.reports.begin()) + 1));
        EXPECT_EQ(expected.out, cut.out) << Context(seed, description, input) << "\ncancelled at " << cut.ptr;
        ++compared;
        if (HasFailure()) return;
    }
    EXPECT_GT(compared, int(kDefinitions / 8));
    std::printf("compared %d runs in chunks cancelled after a step\n", compared);
}

TEST(FormatterEquivalenceTest, CancelAfterAnyReportGivesTheSameOutput) {
    for (uint32_t seed = 1; seed <= kDefinitions / 2; ++seed) {
        Generator generator(seed + 100000);
        std::string description;
        modHlx::DefinitionTree tree = generator.definition(false, description);
        std::u16string input = generator.input();
        Outcome full = RunReference(tree, input, StepReports());
        if (full.error || full.reports.empty()) continue;
        size_t cancelAt = 1 + size_t(generator.below(int(full.reports.size())));
        Outcome expected = RunReference(tree, input, StepReports(1, cancelAt));
        Outcome actual = RunFormatter(tree, input, StepReports(1, cancelAt));
        ExpectSame(expected, actual, Context(seed, description, input) + "\ncancel at report " + std::to_string(cancelAt));
        if (HasFailure()) return;
    }
}

// With a larger quota the formatter reports less often, at positions where the plain one
// reports too, and writes the same text.
TEST(FormatterEquivalenceTest, FewerReportsFallOnTheSameSteps) {
    for (uint32_t seed = 1; seed <= kDefinitions / 2; ++seed) {
        Generator generator(seed + 200000);
        std::string description;
        modHlx::DefinitionTree tree = generator.definition(false, description);
        std::u16string input = generator.input();
        Outcome expected = RunReference(tree, input, StepReports());
        uint32_t quota = 2 + uint32_t(generator.below(6));
        Outcome actual = RunFormatter(tree, input, StepReports(quota));
        std::string context = Context(seed, description, input) + "\nquota " + std::to_string(quota);
        EXPECT_EQ(expected.error, actual.error) << context;
        if (expected.error) continue;
        EXPECT_EQ(expected.out, actual.out) << context;
        // The first step reports; after that every quota-th.
        size_t steps = expected.reports.size();
        EXPECT_EQ(steps == 0 ? 0 : (steps - 1) / quota + 1, actual.reports.size()) << context;
        for (size_t k = 0; k < actual.reports.size() && 1 + k * quota <= steps; ++k) {
            EXPECT_EQ(expected.reports[k * quota], actual.reports[k]) << context;
        }
        if (HasFailure()) return;
    }
}

}  // namespace

