// The definition tree that a syntax definition (HLX) file is read into. Numbered collections
// (rules, patterns, header and footer lines) are vectors in file order: the entry numbered n is
// element n - 1. Named collections are OrderedMaps in the order their names first appeared.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/ordered_map.h"
#include "platform/automation/types.h"

namespace modHlx {

struct PatternRecord {
    std::u16string Pattern;  // a regular expression
    LONG Line = 0;           // the line of the file it stands on, counted from 0
    std::u16string File;     // the definition file's path as the reader was given it
    friend bool operator==(const PatternRecord&, const PatternRecord&) = default;
};

struct RuleRecord {
    std::vector<PatternRecord> Patterns;       // the rule matches where any one of them matches
    OrderedMap<std::u16string> Formats;        // format name ("HTML") -> template
    bool Return = false;                       // the section ends after this rule's match
    std::optional<std::u16string> Enter;       // the section entered after a match, once set
    friend bool operator==(const RuleRecord&, const RuleRecord&) = default;
};

using LineList = std::vector<std::u16string>;

struct SectionRecord {
    std::vector<RuleRecord> Rules;
    OrderedMap<LineList> Header;  // format name -> lines written when the section starts
    OrderedMap<LineList> Footer;  // format name -> lines written when it ends
    bool MultiLine = true;
    bool IgnoreCase = true;
    std::u16string Name;
    friend bool operator==(const SectionRecord&, const SectionRecord&) = default;
};

struct DefinitionTree {
    OrderedMap<SectionRecord> Sections;  // the first one is where a conversion starts
    friend bool operator==(const DefinitionTree&, const DefinitionTree&) = default;
};

}  // namespace modHlx
