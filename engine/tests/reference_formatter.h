// A plain, literal formatter for comparison: every pattern of the section is run over the whole
// rest of the input with the RegExp object at each rebuild, the steps walk the match lists with
// one cursor per pattern, templates are read once left to right ("$$" the match, "$" and a digit
// below the group count that group, inserted text never read again), escaping is four
// replacements, and nesting is recursion. Its one departure
// from that plan is the formatter's own: an empty match is never chosen.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/definition_tree.h"
#include "engine/format_progress.h"
#include "platform/automation/error.h"
#include "platform/regexp/regexp.h"

namespace reference {

// Every occurrence of `what`, left to right, without rescanning what was inserted.
inline std::u16string ReplaceAll(std::u16string_view text, std::u16string_view what, std::u16string_view with) {
    std::u16string result;
    size_t from = 0;
    for (size_t found; (found = text.find(what, from)) != std::u16string_view::npos; from = found + what.size()) {
        result.append(text.substr(from, found - from));
        result.append(with);
    }
    result.append(text.substr(from));
    return result;
}

inline std::u16string EncodeHTML(std::u16string_view s) {
    std::u16string text = ReplaceAll(s, u"&", u"&amp;");
    text = ReplaceAll(text, u"<", u"&lt;");
    text = ReplaceAll(text, u">", u"&gt;");
    return ReplaceAll(text, u" ", u"&nbsp;");
}

inline std::u16string Digits(long value) {
    std::string text = std::to_string(value);
    return std::u16string(text.begin(), text.end());
}

// The rule's template with the escaped match for "$$" and the escaped group d for "$d" (d a
// digit below the group count); any other "$" is itself.
template <class Match>
std::u16string Filled(std::u16string_view format, const Match& match) {
    std::u16string filled;
    for (size_t i = 0; i < format.size(); ++i) {
        const char16_t next = i + 1 < format.size() ? format[i + 1] : 0;
        if (format[i] == u'$' && next == u'$') {
            filled += EncodeHTML(match.value());
            ++i;
        } else if (format[i] == u'$' && next >= u'0' && next <= u'9' && size_t(next - u'0') < size_t(match.subMatchCount())) {
            filled += EncodeHTML(match.subMatch(next - u'0'));
            ++i;
        } else {
            filled += format[i];
        }
    }
    return filled;
}

inline ComError SearchError(const modHlx::PatternRecord& pattern, const ComError& error) {
    std::u16string description = u"Error searching for pattern: " + pattern.Pattern + u"\r\n";
    if (error.number() == 5018) {
        description += u"The pattern is invalid.\r\nThe pattern is defined on line " + Digits(pattern.Line) + u" in " +
                       pattern.File + u".";
    } else {
        description += u"Error " + Digits(error.number()) + u". " + error.description();
    }
    return ComError(error.number(), u"lumivar", description);
}

inline std::u16string Lines(const modHlx::OrderedMap<modHlx::LineList>& lines) {
    std::u16string text;
    for (const std::u16string& line : lines.get(u"HTML")) text += line;
    return text;
}

inline void FormatSection(const modHlx::DefinitionTree& hlx, const modHlx::SectionRecord* Section,
                          std::u16string_view inp, std::u16string& out, LONG& ptr, engine::FormatProgress& progress) {
    if (!Section) throw ComError(9, u"lumivar", u"Subscript out of range");
    regexp::RegExp engine;
    engine.setGlobal(true);
    engine.setIgnoreCase(Section->IgnoreCase);
    engine.setMultiline(false);
    out += Lines(Section->Header);

    struct PatternState {
        std::optional<regexp::MatchCollection> matches;
        size_t cursor = 0;
    };
    std::vector<std::vector<PatternState>> state;
    bool rebuild = true;
    LONG searchStart = 0;
    const LONG length = LONG(inp.size());
    while (ptr < length && !progress.cancelled()) {
        if (rebuild) {
            searchStart = ptr;
            state.assign(Section->Rules.size(), {});
            for (size_t r = 0; r < Section->Rules.size(); ++r) {
                for (const modHlx::PatternRecord& pattern : Section->Rules[r].Patterns) {
                    engine.setPattern(pattern.Pattern);
                    try {
                        state[r].push_back(PatternState{engine.execute(inp.substr(size_t(ptr))), 0});
                    } catch (const ComError& error) {
                        throw SearchError(pattern, error);
                    }
                }
            }
            rebuild = false;
        }
        size_t rel = size_t(ptr - searchStart);
        std::optional<regexp::Match> best;
        size_t bestRule = 0;
        for (size_t r = 0; r < state.size(); ++r) {
            for (PatternState& pattern : state[r]) {
                for (size_t i = pattern.cursor; i < pattern.matches->count(); ++i) {
                    regexp::Match match = pattern.matches->item(i);
                    if (match.firstIndex() < rel) continue;
                    if (match.firstIndex() > rel) {
                        pattern.cursor = i;
                        break;
                    }
                    if (match.length() > 0 && (!best || match.length() > best->length())) {
                        best = match;
                        bestRule = r;
                    }
                    pattern.cursor = i;
                }
            }
        }
        if (!best) {
            ptr += 1;
        } else {
            const modHlx::RuleRecord& rule = Section->Rules[bestRule];
            out += Filled(rule.Formats.get(u"HTML"), *best);
            ptr += LONG(best->length());
            if (rule.Enter && !rule.Enter->empty()) {
                FormatSection(hlx, hlx.Sections.find(*rule.Enter), inp, out, ptr, progress);
                rebuild = true;
            }
            if (rule.Return) break;
        }
        progress.report(ptr);
    }
    out += Lines(Section->Footer);
}

}  // namespace reference
