// The HLX reader on arbitrary text: it either gives a tree or fails with 5, 457 or 91; the tree
// holds only what the lines can give; and the same lines written with CR LF and padded with
// spaces read the same (tree or error).
#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "engine/hlx_reader.h"
#include "fuzz/fuzz_input.h"
#include "platform/automation/error.h"
#include "platform/automation/error_numbers.h"

namespace {

const std::u16string kFileName = u"fuzz.hlx";

struct Failure {
    LONG number;
    std::u16string description;
    bool operator==(const Failure&) const = default;
};
using Outcome = std::variant<modHlx::DefinitionTree, Failure>;

Outcome Read(std::u16string_view text) {
    try {
        return modHlx::ParseHlx(text, kFileName);
    } catch (const ComError& error) {
        return Failure{error.number(), error.description()};
    }
}

// The lines as the reader sees them: split at LF, a CR right before the LF dropped.
std::vector<std::u16string_view> Lines(std::u16string_view text) {
    std::vector<std::u16string_view> lines;
    if (text.empty()) return lines;
    for (size_t start = 0;;) {
        size_t end = text.find(u'\n', start);
        std::u16string_view line = text.substr(start, end == text.npos ? text.npos : end - start);
        if (end != text.npos && !line.empty() && line.back() == u'\r') line.remove_suffix(1);
        lines.push_back(line);
        if (end == text.npos) return lines;
        start = end + 1;
    }
}

// Each line between two spaces, the lines joined by CR LF.
std::u16string PaddedWithCrLf(const std::vector<std::u16string_view>& lines) {
    std::u16string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i) text += u"\r\n";
        text += u' ';
        text += lines[i];
        text += u' ';
    }
    return text;
}

bool Trimmed(std::u16string_view text) { return text.empty() || (text.front() != u' ' && text.back() != u' '); }
// Keys keep the spaces after the "-".
bool KeyTrimmed(std::u16string_view key) { return key.empty() || key.back() != u' '; }
bool OneLine(std::u16string_view text) { return text.find(u'\n') == text.npos; }

void CheckLineLists(const modHlx::OrderedMap<modHlx::LineList>& lists) {
    for (const auto& entry : lists) {
        FUZZ_CHECK(OneLine(entry.key) && KeyTrimmed(entry.key), "header or footer key " + fuzz::Printable(entry.key));
        FUZZ_CHECK(!entry.value.empty(), "an empty line list");
        for (const std::u16string& line : entry.value)
            FUZZ_CHECK(OneLine(line) && Trimmed(line), "header or footer line " + fuzz::Printable(line));
    }
}

void CheckTree(const modHlx::DefinitionTree& tree, size_t lineCount) {
    for (const auto& section : tree.Sections) {
        const modHlx::SectionRecord& record = section.value;
        FUZZ_CHECK(!section.key.empty() && section.key == record.Name, "section name " + fuzz::Printable(section.key));
        FUZZ_CHECK(OneLine(record.Name), "section name over two lines");
        CheckLineLists(record.Header);
        CheckLineLists(record.Footer);
        for (const modHlx::RuleRecord& rule : record.Rules) {
            FUZZ_CHECK(!rule.Patterns.empty(), "a rule without patterns");
            LONG previous = -1;
            for (const modHlx::PatternRecord& pattern : rule.Patterns) {
                FUZZ_CHECK(pattern.Line > previous && size_t(pattern.Line) < lineCount,
                           "pattern line " + std::to_string(pattern.Line));
                FUZZ_CHECK(pattern.File == kFileName, "pattern file");
                FUZZ_CHECK(OneLine(pattern.Pattern) && (pattern.Pattern.empty() || pattern.Pattern.back() != u' '),
                           "pattern " + fuzz::Printable(pattern.Pattern));
                previous = pattern.Line;
            }
            for (const auto& format : rule.Formats)
                FUZZ_CHECK(KeyTrimmed(format.key) && OneLine(format.value) && Trimmed(format.value), "format");
            if (rule.Enter) FUZZ_CHECK(OneLine(*rule.Enter) && Trimmed(*rule.Enter), "enter");
        }
    }
}

void CheckFailure(const Failure& failure) {
    FUZZ_CHECK(failure.number == errnum::kInvalidProcedureCall || failure.number == errnum::kDuplicateKey ||
                   failure.number == errnum::kObjectNotSet,
               "load failure number " + std::to_string(failure.number));
    FUZZ_CHECK(failure.description.find(u"(line ") != std::u16string::npos,
               "load failure without its line: " + fuzz::Printable(failure.description));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput input(data, size);
    const std::u16string text = input.restAsText();
    const std::vector<std::u16string_view> lines = Lines(text);
    const Outcome outcome = Read(text);
    if (const auto* tree = std::get_if<modHlx::DefinitionTree>(&outcome)) CheckTree(*tree, lines.size());
    else CheckFailure(std::get<Failure>(outcome));
    FUZZ_CHECK(Read(PaddedWithCrLf(lines)) == outcome, "CR LF and padding change what is read");
    return 0;
}
