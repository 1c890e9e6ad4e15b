// A section of a definition tree prepared for the formatter: its patterns compiled in rule and
// pattern order and sorted by how a match can be found without a regular-expression search,
// its rules' templates cut into pieces, its header and footer joined. Built once per section per
// formatting run, when the section is first entered.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/definition_tree.h"
#include "engine/format_template.h"
#include "platform/automation/error.h"
#include "platform/regexp/keyword_set.h"
#include "platform/regexp/pattern.h"

namespace engine::detail {

inline constexpr uint32_t kNoMatch = UINT32_MAX;

// How the matches of a pattern are found.
enum class PatternKind : uint8_t {
    Search,        // by the regular-expression engine
    SingleUnit,    // one code unit of a set: a table lookup at the position
    Keywords,      // \b(w1|w2|...)\b: a word lookup at word starts
    LocalRuns,     // X+ or X Y* (regexp::Pattern::localRuns): decided by the units around a position
};

using regexp::IsWordUnit;

using regexp::AsciiUnits;
using regexp::KeywordSet;

// The last search of a Search pattern: the first match at or after `from` in the
// subject that started at `subjectStart`, positions counted in the whole input.
struct SearchMemo {
    uint32_t from = kNoMatch;
    uint32_t subjectStart = 0;
    uint32_t start = kNoMatch;  // kNoMatch: no match at or after `from` up to searchedTo
    uint32_t end = kNoMatch;
    uint32_t searchedTo = kNoMatch;
    std::vector<regexp::Span> groups;  // relative to subjectStart, when the template needs them
    bool hasGroups = false;
};

struct CompiledPattern {
    const modHlx::PatternRecord* record = nullptr;
    std::shared_ptr<regexp::Pattern> regex;
    uint32_t order = 0;  // among the section's patterns, in rule and pattern order
    uint32_t rule = 0;   // index into CompiledSection::rules
    PatternKind kind = PatternKind::Search;
    FormatTemplate format;  // the rule's template, with this pattern's groups
    bool copiesMatch = false;  // the template is "$$" and the rule neither enters nor returns
    const regexp::CodeUnitSet* units = nullptr;  // SingleUnit; LocalRuns: the units a match starts with
    regexp::Pattern::LocalRuns runs{};  // LocalRuns
    regexp::Pattern::LocalRuns::Memo runsMemo;  // LocalRuns pairs: the run of first units last walked
    bool runsWords = false;  // LocalRuns over word units: a match that starts a word ends with it
    std::unique_ptr<KeywordSet> keywords;  // Keywords
    SearchMemo memo;
};

struct CompiledSection;

struct CompiledRule {
    const modHlx::RuleRecord* record = nullptr;
    std::u16string enter;  // empty: no section is entered
    const modHlx::SectionRecord* enterSection = nullptr;  // null when the tree has no such section
    CompiledSection* entered = nullptr;  // enterSection compiled by the formatter, once it is first entered
    bool returns = false;
    bool plain = false;    // neither enters nor returns
};

// What a plain run does with a unit: copies it escaped (its single-unit pattern's rule has the
// template "$$" and neither enters nor returns), drops it (no single-unit pattern takes it),
// stops before it (a LocalRuns pattern may match there), or anything else.
enum class UnitAction : uint8_t { Copy, Drop, Stop, Other };

struct CompiledSection {
    const modHlx::SectionRecord* record = nullptr;
    std::u16string header;
    std::u16string footer;
    std::vector<CompiledRule> rules;
    std::vector<CompiledPattern> patterns;
    std::vector<uint32_t> searched;   // Search patterns, in order
    std::vector<uint32_t> singles;    // SingleUnit patterns, in order
    std::vector<uint32_t> keywords;   // Keywords patterns, in order
    std::vector<uint32_t> localRuns;  // LocalRuns patterns, in order
    std::array<uint32_t, 128> asciiSingle{};  // per unit below 128: the first SingleUnit pattern, or kNoMatch
    std::array<UnitAction, 128> asciiAction{};  // per unit below 128
    std::array<uint32_t, 128> asciiOnlyLocalRun{};  // per unit below 128: the only LocalRuns pattern it starts, or kNoMatch
    bool copiesEveryUnit = false;  // every unit's action is Copy and no word is looked up
    AsciiUnits keywordStarts;  // the units a word of a Keywords pattern starts with
    AsciiUnits wordStarts;     // those, and the units a runsWords match starts with
    // The error of the first pattern that does not compile, raised when the section first searches.
    std::optional<ComError> failure;

    // The first SingleUnit pattern whose set holds the unit, or kNoMatch.
    uint32_t singleFor(char16_t unit) const {
        if (unit < 128) return asciiSingle[unit];
        for (uint32_t index : singles)
            if (patterns[index].units->test(unit)) return index;
        return kNoMatch;
    }
    // Whether a keyword can start with the unit (keywords are ASCII).
    bool startsKeyword(char16_t unit) const { return keywordStarts.contains(unit); }
    // Whether a LocalRuns pattern's match can start with the unit.
    bool startsLocalRun(char16_t unit) const {
        for (uint32_t index : localRuns)
            if (patterns[index].units->test(unit)) return true;
        return false;
    }
    // The LocalRuns pattern whose match alone can start with the unit, or kNoMatch (none, several,
    // or a unit beyond ASCII: ask each).
    uint32_t onlyLocalRunFor(char16_t unit) const { return unit < 128 ? asciiOnlyLocalRun[unit] : kNoMatch; }
    UnitAction actionFor(char16_t unit) const {
        if (unit < 128) return asciiAction[unit];
        if (startsLocalRun(unit)) return UnitAction::Stop;
        uint32_t index = singleFor(unit);
        if (index == kNoMatch) return UnitAction::Drop;
        const CompiledPattern& pattern = patterns[index];
        return pattern.copiesMatch ? UnitAction::Copy : UnitAction::Other;
    }
};

// Builds a section of the tree. Pattern failures are kept in `failure`, not raised.
std::unique_ptr<CompiledSection> CompileSection(const modHlx::DefinitionTree& tree, const modHlx::SectionRecord& section);
// Compiles the section's patterns into this thread's cache of compiled patterns (up to one that
// fails), so that CompileSection on this thread finds them there.
void CompilePatterns(const modHlx::SectionRecord& section);

// The error raised for a pattern that fails, as the formatter describes it: 5018 names the
// pattern's line and file; any other number carries the engine's own description.
ComError PatternError(const modHlx::PatternRecord& pattern, const ComError& engineError);

// Whether the engine's multi-line mode is on for a section: only when its MultiLine value, as
// text, is "0". A Boolean's text is "True" or "False", so it never is for a section read from a
// definition file.
bool MultiLineMode(const modHlx::SectionRecord& section);

}  // namespace engine::detail
