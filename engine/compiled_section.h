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
#include "platform/regexp/pattern.h"
#include "platform/regexp/pattern_set.h"

namespace engine::detail {

inline constexpr uint32_t kNoMatch = UINT32_MAX;

using regexp::IsWordUnit;

// The last search of a searched pattern: the first match at or after `from` in the
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
    FormatTemplate format;  // the rule's template, with this pattern's groups
    bool copiesMatch = false;  // the template is "$$" and the rule neither enters nor returns
    // A searched pattern's. The formatter gives the sections that search the same pattern one
    // memo: what one section's search showed spares the others theirs.
    std::shared_ptr<SearchMemo> memo = std::make_shared<SearchMemo>();
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
// stops before it (a run pattern's match may begin there), or anything else.
enum class UnitAction : uint8_t { Copy, Drop, Stop, Other };

struct CompiledSection {
    const modHlx::SectionRecord* record = nullptr;
    std::u16string header;
    std::u16string footer;
    std::vector<CompiledRule> rules;
    std::vector<CompiledPattern> patterns;
    regexp::PatternSet set;  // the patterns, numbered by order
    std::array<UnitAction, 128> asciiAction{};  // per unit below 128
    bool copiesEveryUnit = false;  // every unit's action is Copy and no word is looked up
    // The error of the first pattern that does not compile, raised when the section first searches.
    std::optional<ComError> failure;

    const std::vector<uint32_t>& searched() const { return set.searched(); }
    UnitAction actionFor(char16_t unit) const { return unit < 128 ? asciiAction[unit] : actionFromSet(unit); }
    UnitAction actionFromSet(char16_t unit) const {
        if (set.longerMatchMayStartWith(unit)) return UnitAction::Stop;
        const uint32_t index = set.singleFor(unit);
        if (index == regexp::PatternSet::kNone) return UnitAction::Drop;
        return patterns[index].copiesMatch ? UnitAction::Copy : UnitAction::Other;
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
