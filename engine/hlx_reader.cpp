#include "engine/hlx_reader.h"

#include <array>
#include <string>

#include "components/general/general_helpers.h"
#include "components/system/system.h"
#include "platform/automation/ascii.h"
#include "platform/automation/error_numbers.h"

namespace modHlx {

namespace {

enum class LineKind {
    Ignored,
    SectionHeader,
    Pattern,
    Format,
    Enter,
    Return,
    Header,
    Footer,
    Comment,
    IgnoreCase,
    MultiLine,
};

struct Keyword {
    std::u16string_view word;
    LineKind kind;
};

// Tested in this order, after the section header and before the comment test.
constexpr std::array<Keyword, 6> kLineKeywords{{
    {u"PATTERN", LineKind::Pattern},
    {u"FORMAT", LineKind::Format},
    {u"ENTER", LineKind::Enter},
    {u"RETURN", LineKind::Return},
    {u"HEADER", LineKind::Header},
    {u"FOOTER", LineKind::Footer},
}};
// Tested after the comment test.
constexpr std::array<Keyword, 2> kOptionKeywords{{
    {u"IGNORECASE", LineKind::IgnoreCase},
    {u"MULTILINE", LineKind::MultiLine},
}};

// The pattern of a pattern line starts after the keyword and one more character ("=").
constexpr std::size_t kPatternTextStart = 8;

// Whether the line's first characters, in upper case, are the keyword.
bool StartsWithKeyword(std::u16string_view line, std::u16string_view keyword) {
    if (line.size() < keyword.size()) return false;
    for (std::size_t i = 0; i < keyword.size(); ++i)
        if (automation::AsciiUpper(line[i]) != keyword[i]) return false;
    return true;
}

template <std::size_t N>
bool FindKeyword(std::u16string_view line, const std::array<Keyword, N>& keywords, LineKind& kind) {
    for (const Keyword& keyword : keywords) {
        if (StartsWithKeyword(line, keyword.word)) {
            kind = keyword.kind;
            return true;
        }
    }
    return false;
}

LineKind Classify(std::u16string_view line) {
    if (line.empty()) return LineKind::Ignored;
    if (line.front() == u'[') return LineKind::SectionHeader;
    LineKind kind = LineKind::Ignored;
    if (FindKeyword(line, kLineKeywords, kind)) return kind;
    if (line.front() == u'\'' || line.front() == u'#') return LineKind::Comment;
    FindKeyword(line, kOptionKeywords, kind);
    return kind;
}

bool EndsRuleGroup(LineKind kind) {
    return kind != LineKind::Ignored && kind != LineKind::Comment && kind != LineKind::Pattern;
}

std::u16string_view TrimTrailingSpaces(std::u16string_view text) {
    auto last = text.find_last_not_of(u' ');
    return last == std::u16string_view::npos ? std::u16string_view() : text.substr(0, last + 1);
}

std::u16string_view TrimSpaces(std::u16string_view text) {
    auto first = text.find_first_not_of(u' ');
    return first == std::u16string_view::npos ? std::u16string_view() : TrimTrailingSpaces(text.substr(first));
}

// Calls lineRead(line) for each line of the text: lines end at LF, and a CR right before the
// LF ends the line with it. A lone CR is part of its line.
template <class LineRead>
void ForEachLine(std::u16string_view text, LineRead lineRead) {
    if (text.empty()) return;  // no lines at all
    std::size_t start = 0;
    while (true) {
        auto end = text.find(u'\n', start);
        if (end == std::u16string_view::npos) {
            lineRead(text.substr(start));
            return;
        }
        std::u16string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == u'\r') line.remove_suffix(1);
        lineRead(line);
        start = end + 1;
    }
}

// An option's value: "true" or "false" in any case, or a number (zero is false); any other
// text is false.
bool OptionValue(std::u16string_view line) {
    return modGeneral::VarToBool(Variant::fromString(GetLineValue(line)));
}

std::u16string NumberText(long long number) {
    std::string digits = std::to_string(number);
    return std::u16string(digits.begin(), digits.end());
}

// Where the rule that format, enter and return lines change is kept.
struct RuleLocation {
    enum class Place { None, CurrentSection, CompletedSection, Discarded };
    Place place = Place::None;
    std::size_t section = 0;  // position in the tree's sections, for CompletedSection
    std::size_t rule = 0;     // position in that section's rules
};

class DefinitionReader {
public:
    explicit DefinitionReader(const std::u16string& fileName) : fileName_(fileName) {}

    DefinitionTree read(std::u16string_view text) {
        LONG number = 0;
        ForEachLine(text, [&](std::u16string_view line) { readLine(TrimSpaces(line), number++); });
        completeSection();
        return std::move(tree_);
    }

private:
    void readLine(std::u16string_view line, LONG number) {
        LineKind kind = Classify(line);
        switch (kind) {
        case LineKind::SectionHeader: startSection(line, number); break;
        case LineKind::Pattern: addPattern(line, number); break;
        case LineKind::Format: currentRule(u"FORMAT", number).Formats.assign(GetLineKey(line), GetLineValue(line)); break;
        case LineKind::Enter: currentRule(u"ENTER", number).Enter = GetLineValue(line); break;
        case LineKind::Return: currentRule(u"RETURN", number).Return = true; break;
        case LineKind::Header: appendLine(section_.Header, line); break;
        case LineKind::Footer: appendLine(section_.Footer, line); break;
        case LineKind::IgnoreCase: section_.IgnoreCase = OptionValue(line); break;
        case LineKind::MultiLine: section_.MultiLine = OptionValue(line); break;
        case LineKind::Comment:
        case LineKind::Ignored: break;
        }
        if (kind == LineKind::Pattern) inRuleGroup_ = true;
        else if (EndsRuleGroup(kind)) inRuleGroup_ = false;
    }

    void startSection(std::u16string_view line, LONG number) {
        completeSection();
        section_ = NewSection();
        sectionLine_ = number;
        if (line.size() < 2)
            throw failure(errnum::kInvalidProcedureCall, u"a section header line that is \"[\" alone has no name", number);
        section_.Name = line.substr(1, line.size() - 2);
    }

    // Adds the section read so far to the tree; one without a name is dropped.
    void completeSection() {
        bool holdsCurrentRule = rule_.place == RuleLocation::Place::CurrentSection;
        if (section_.Name.empty()) {
            if (holdsCurrentRule) {
                discardedRule_ = std::move(section_.Rules[rule_.rule]);
                rule_.place = RuleLocation::Place::Discarded;
            }
            return;
        }
        if (tree_.Sections.contains(section_.Name))
            throw failure(errnum::kDuplicateKey, u"the section \"" + section_.Name + u"\" is defined twice", sectionLine_);
        std::u16string name = section_.Name;
        tree_.Sections.add(name, std::move(section_));
        section_ = NewSection();
        if (holdsCurrentRule) {
            rule_.place = RuleLocation::Place::CompletedSection;
            rule_.section = tree_.Sections.size() - 1;
        }
    }

    void addPattern(std::u16string_view line, LONG number) {
        if (!inRuleGroup_) {
            section_.Rules.push_back(NewRule());
            rule_ = {RuleLocation::Place::CurrentSection, 0, section_.Rules.size() - 1};
        }
        std::u16string_view pattern = line.size() > kPatternTextStart ? line.substr(kPatternTextStart) : u"";
        ruleAt(rule_).Patterns.push_back(PatternRecord{std::u16string(pattern), number, fileName_});
    }

    RuleRecord& currentRule(std::u16string_view keyword, LONG number) {
        if (rule_.place == RuleLocation::Place::None) {
            throw failure(errnum::kObjectNotSet,
                          u"the " + std::u16string(keyword) +
                              u" line comes before the first PATTERN line, so there is no rule for it",
                          number);
        }
        return ruleAt(rule_);
    }

    RuleRecord& ruleAt(const RuleLocation& location) {
        switch (location.place) {
        case RuleLocation::Place::CompletedSection: return tree_.Sections.valueAt(location.section).Rules.at(location.rule);
        case RuleLocation::Place::Discarded: return discardedRule_;
        default: return section_.Rules.at(location.rule);
        }
    }

    static void appendLine(OrderedMap<LineList>& lists, std::u16string_view line) {
        lists.obtain(GetLineKey(line)).push_back(GetLineValue(line));
    }

    ComError failure(LONG number, const std::u16string& explanation, LONG line) const {
        std::u16string description = DescribeHresult(HRESULT_FROM_ERRNUMBER(number));
        description += u": " + explanation + u" (line " + NumberText(line + 1LL) + u" of \"" + fileName_ + u"\")";
        return ComError(number, errsource::kProgram, std::move(description));
    }

    const std::u16string& fileName_;
    DefinitionTree tree_;
    SectionRecord section_ = NewSection();  // the unnamed section before the first header
    LONG sectionLine_ = 0;
    bool inRuleGroup_ = false;
    RuleLocation rule_;
    RuleRecord discardedRule_;  // the current rule when its section was dropped
};

}  // namespace

SectionRecord NewSection() { return SectionRecord{}; }

RuleRecord NewRule() { return RuleRecord{}; }

std::u16string GetLineKey(std::u16string_view line) {
    auto dash = line.find(u'-');
    if (dash == std::u16string_view::npos) return {};
    auto equals = line.find(u'=', dash);
    if (equals == std::u16string_view::npos) return {};
    return std::u16string(TrimTrailingSpaces(line.substr(dash + 1, equals - dash - 1)));
}

std::u16string GetLineValue(std::u16string_view line) {
    auto equals = line.find(u'=');
    if (equals == std::u16string_view::npos) return {};
    return std::u16string(TrimSpaces(line.substr(equals + 1)));
}

DefinitionTree ParseHlx(std::u16string_view text, const std::u16string& fileName) {
    return DefinitionReader(fileName).read(text);
}

DefinitionTree ReadHlx(const std::u16string& fileName) {
    return ParseHlx(System(SystemCopy::Program).ReadFileToString(fileName), fileName);
}

}  // namespace modHlx
