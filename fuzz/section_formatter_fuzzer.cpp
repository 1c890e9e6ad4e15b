// The section formatter against the plain formatter of the tests, on small definitions and
// inputs made from the fuzz bytes: the same output, end position, error and progress reports,
// also when cancelled at some report; and the output written to a sink in pieces is the output
// collected in a string.
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "engine/section_formatter.h"
#include "engine/tests/formatter_test_support.h"
#include "engine/tests/reference_formatter.h"
#include "fuzz/fuzz_input.h"
#include "platform/automation/error_numbers.h"
#include "platform/regexp/pattern.h"
#include "platform/regexp/tests/reference_matcher.h"

namespace {

using formattest::Outcome;
using formattest::RecordingProgress;
using formattest::TreeBuilder;

// Pieces that patterns are strung together from; unbalanced ones give pattern errors.
const std::vector<std::u16string> kPatternPieces = {
    u"a", u"b", u"ab", u"A", u"\\w", u"\\s", u"[ab]", u"[\\s\\S]", u".", u"+", u"*", u"?", u"*?", u"(", u")",
    u"(?:", u"(?=", u"|", u"^", u"$", u"\\b", u"\\B", u"\"", u"<", u"&", u" ", u"\\n", u"\\(", u"1", u"{2}",
    u"[^a]", u"\\w+", u"(\\w)", u"(a|ab)", u"\\1", u"\u00E9",
};
const std::vector<std::u16string> kTemplates = {
    u"$$", u"<i>$$</i>", u"$0", u"[$0|$1]", u"$1$0", u"", u"$$$0$", u"$9", u"x$y", u"$10", u"{$2}",
};
const std::u16string kInputUnits = u"aAbB1_ ()<&>\"\n/*\\\u00E9\u017F";

std::u16string PatternFrom(fuzz::FuzzInput& input) {
    if (input.flag()) {
        regexptest::PatternGenerator generator([&input](size_t n) { return input.below(n); });
        return regexptest::Render(*generator.generate());
    }
    std::u16string pattern;
    for (size_t n = 1 + input.below(4); n > 0; --n) pattern += input.pick(kPatternPieces);
    return pattern;
}

modHlx::DefinitionTree DefinitionFrom(fuzz::FuzzInput& input) {
    TreeBuilder builder;
    const size_t sections = 1 + input.below(3);
    std::vector<std::u16string> names;
    for (size_t s = 0; s < sections; ++s) names.push_back(u"S" + std::u16string(1, char16_t(u'0' + s)));
    for (size_t s = 0; s < sections; ++s) {
        builder.section(names[s], input.flag());
        for (size_t h = input.below(3); h > 0; --h) builder.header(u"<h" + names[s] + u">");
        for (size_t f = input.below(3); f > 0; --f) builder.footer(u"</f" + names[s] + u">");
        for (size_t r = 1 + input.below(4); r > 0; --r) {
            std::u16string patterns = PatternFrom(input);
            if (input.below(4) == 0) patterns += u"\n" + PatternFrom(input);
            const uint8_t choice = input.byte();
            std::u16string enter;
            if (choice % 4 == 0) enter = choice % 32 == 0 ? u"Missing" : names[(choice / 4) % sections];
            const bool returns = choice % 5 == 1;
            const std::u16string* format = choice % 7 == 3 ? nullptr : &input.pick(kTemplates);
            builder.rule(patterns, format, enter, returns);
        }
    }
    return builder.tree();
}

class StringSink : public engine::OutputSink {
public:
    void write(std::u16string_view text) override { text_ += text; }
    std::u16string text_;
};

// One run with the step reports recorded, cancelled at report cancelAt.
template <class Run>
Outcome CaptureSteps(Run run, size_t cancelAt) {
    RecordingProgress progress = formattest::StepReports(1, cancelAt);
    return formattest::Capture(run, progress);
}

bool ReachedEngineLimit(const Outcome& outcome) {
    return outcome.error == errnum::kRegExpSyntax &&
           outcome.description.find(u"exceeds a limit of the regular-expression engine") != std::u16string::npos;
}

std::string Describe(const modHlx::DefinitionTree& tree, const std::u16string& input, size_t cancelAt) {
    std::string text;
    for (const auto& section : tree.Sections) {
        text += "[" + fuzz::Printable(section.key) + "] ignoreCase " + std::to_string(section.value.IgnoreCase) + "\n";
        for (const modHlx::RuleRecord& rule : section.value.Rules) {
            for (const modHlx::PatternRecord& pattern : rule.Patterns) text += "  " + fuzz::Printable(pattern.Pattern) + "\n";
            const std::u16string* format = rule.Formats.find(u"HTML");
            text += "    -> " + (format ? fuzz::Printable(*format) : "(none)") +
                    (rule.Enter ? " enter " + fuzz::Printable(*rule.Enter) : "") + (rule.Return ? " return" : "") + "\n";
        }
    }
    return text + "input \"" + fuzz::Printable(input) + "\" cancel at " + std::to_string(cancelAt);
}

}  // namespace

// Both formatters search the same patterns; with the engine's full limit one input whose patterns
// backtrack to it takes seconds under the instrumentation. A lower limit ends such searches early,
// and runs that reach it are not compared.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    regexp::SetMatchLimit(1'000'000);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput input(data, size);
    const modHlx::DefinitionTree tree = DefinitionFrom(input);
    const uint8_t cancel = input.byte();
    const size_t cancelAt = cancel < 200 ? std::numeric_limits<size_t>::max() : size_t(cancel - 199);
    const std::u16string text = input.text(64, kInputUnits);
    const uint32_t chunkUnits = 1 + uint32_t(input.byte() % 32);
    const modHlx::SectionRecord& first = tree.Sections.at(0).value;

    const Outcome expected = CaptureSteps(
        [&](std::u16string& out, LONG& ptr, engine::FormatProgress& p) {
            reference::FormatSection(tree, &first, text, out, ptr, p);
        },
        cancelAt);
    const Outcome actual = CaptureSteps(
        [&](std::u16string& out, LONG& ptr, engine::FormatProgress& p) { FormatSection(tree, first, text, out, ptr, p); },
        cancelAt);
    StringSink sink;
    const Outcome sunk = CaptureSteps(
        [&](std::u16string&, LONG& ptr, engine::FormatProgress& p) { FormatSection(tree, first, text, sink, ptr, p); },
        cancelAt);

    // The input in chunks of a few units, formatted on two threads and joined.
    engine::detail::SetChunkUnits(chunkUnits);
    const Outcome chunked = CaptureSteps(
        [&](std::u16string& out, LONG& ptr, engine::FormatProgress& p) { FormatSection(tree, first, text, out, ptr, p); },
        cancelAt);
    engine::detail::SetChunkUnits(engine::detail::kMachineChunkUnits);

    // The plain formatter runs every pattern over the whole rest of the input, the section
    // formatter only as far as it needs: one may reach a backtracking limit where the other
    // never searches. Such runs cannot be compared.
    if (ReachedEngineLimit(expected) || ReachedEngineLimit(actual) || ReachedEngineLimit(chunked)) return 0;

    const std::string context = Describe(tree, text, cancelAt);
    FUZZ_CHECK(actual.error == expected.error, "error " + std::to_string(actual.error) + " instead of " +
                                                   std::to_string(expected.error) + "\n" + context);
    FUZZ_CHECK(sunk.error == actual.error && sunk.ptr == actual.ptr, "the sink's run differs\n" + context);
    // A cancel stops a run in chunks where the chunks happen to be: only whole runs compare.
    if (cancelAt == std::numeric_limits<size_t>::max()) {
        FUZZ_CHECK(chunked.error == actual.error && chunked.ptr == actual.ptr && chunked.out == actual.out,
                   "the run in chunks of " + std::to_string(chunkUnits) + " differs\n" + context);
    }
    if (expected.error != 0) {
        // The missing-section text is the formatter's own; pattern errors have a fixed form.
        FUZZ_CHECK(expected.error == errnum::kSubscriptOutOfRange || actual.description == expected.description,
                   "description \"" + fuzz::Printable(actual.description) + "\" instead of \"" +
                       fuzz::Printable(expected.description) + "\"\n" + context);
        return 0;
    }
    FUZZ_CHECK(actual.out == expected.out, "output \"" + fuzz::Printable(actual.out) + "\" instead of \"" +
                                               fuzz::Printable(expected.out) + "\"\n" + context);
    FUZZ_CHECK(actual.ptr == expected.ptr, "end position " + std::to_string(actual.ptr) + " instead of " +
                                               std::to_string(expected.ptr) + "\n" + context);
    FUZZ_CHECK(actual.reports == expected.reports, "reports differ\n" + context);
    FUZZ_CHECK(sink.text_ == actual.out, "the sink's output differs\n" + context);
    return 0;
}
