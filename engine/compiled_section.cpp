#include "engine/compiled_section.h"

#include <algorithm>

#include "components/strings/html_escape.h"
#include "platform/automation/error_numbers.h"

namespace engine::detail {

namespace {

std::u16string JoinedLines(const modHlx::OrderedMap<modHlx::LineList>& lines) {
    std::u16string text;
    for (const std::u16string& line : lines.get(u"HTML")) text += line;
    return text;
}

CompiledRule CompileRule(const modHlx::DefinitionTree& tree, const modHlx::RuleRecord& record) {
    CompiledRule rule;
    rule.record = &record;
    rule.enter = record.Enter.value_or(std::u16string());
    if (!rule.enter.empty()) rule.enterSection = tree.Sections.find(rule.enter);
    rule.returns = record.Return;
    rule.plain = rule.enter.empty() && !rule.returns;
    return rule;
}

void IndexPatterns(CompiledSection& section) {
    std::vector<std::shared_ptr<regexp::Pattern>> patterns;
    for (const CompiledPattern& pattern : section.patterns) patterns.push_back(pattern.regex);
    section.set = regexp::PatternSet(std::move(patterns));
    for (char16_t unit = 0; unit < 128; ++unit) section.asciiAction[unit] = section.actionFromSet(unit);
    section.copiesEveryUnit = section.set.everyUnitMatchedAloneBy([&](uint32_t index) { return section.patterns[index].copiesMatch; });
}

}  // namespace

bool MultiLineMode(const modHlx::SectionRecord& section) {
    std::u16string_view asText = section.MultiLine ? u"True" : u"False";
    return asText == u"0";
}

ComError PatternError(const modHlx::PatternRecord& pattern, const ComError& engineError) {
    std::u16string description = u"Error searching for pattern: " + pattern.Pattern + u"\r\n";
    if (engineError.number() == errnum::kRegExpUnexpectedQuantifier) {
        description += u"The pattern is invalid.\r\nThe pattern is defined on line ";
        std::string line = std::to_string(pattern.Line);
        description += std::u16string(line.begin(), line.end()) + u" in " + pattern.File + u".";
    } else {
        std::string number = std::to_string(engineError.number());
        description += u"Error " + std::u16string(number.begin(), number.end()) + u". " + engineError.description();
    }
    return ComError(engineError.number(), errsource::kProgram, description);
}

regexp::Options PatternOptions(const modHlx::SectionRecord& record) {
    return regexp::Options{record.IgnoreCase, MultiLineMode(record)};
}

std::unique_ptr<CompiledSection> CompileSection(const modHlx::DefinitionTree& tree, const modHlx::SectionRecord& record) {
    auto section = std::make_unique<CompiledSection>();
    section->record = &record;
    section->header = JoinedLines(record.Header);
    section->footer = JoinedLines(record.Footer);
    const regexp::Options options = PatternOptions(record);
    for (const modHlx::RuleRecord& ruleRecord : record.Rules) {
        section->rules.push_back(CompileRule(tree, ruleRecord));
        const std::u16string& format = ruleRecord.Formats.get(u"HTML");
        for (const modHlx::PatternRecord& patternRecord : ruleRecord.Patterns) {
            CompiledPattern compiled;
            try {
                compiled.regex = regexp::CachedPattern(patternRecord.Pattern, options);
            } catch (const ComError& error) {
                section->failure = PatternError(patternRecord, error);
                return section;
            }
            compiled.record = &patternRecord;
            compiled.order = uint32_t(section->patterns.size());
            compiled.rule = uint32_t(section->rules.size() - 1);
            compiled.format = FormatTemplate(format, compiled.regex->groupCount());
            compiled.copiesMatch = compiled.format.isMatchOnly() && section->rules.back().plain;
            if (!compiled.regex->mayHoldAnyOf(strings::kHtmlEscapedUnits)) compiled.format.fillBetweenLiteralsAsIs();
            section->patterns.push_back(std::move(compiled));
        }
    }
    IndexPatterns(*section);
    return section;
}

void CompilePatterns(const modHlx::SectionRecord& record) {
    const regexp::Options options = PatternOptions(record);
    for (const modHlx::RuleRecord& rule : record.Rules) {
        for (const modHlx::PatternRecord& pattern : rule.Patterns) {
            try {
                regexp::CachedPattern(pattern.Pattern, options);
            } catch (const ComError&) {
                return;  // CompileSection meets it again and keeps it as the section's failure
            }
        }
    }
}

}  // namespace engine::detail
