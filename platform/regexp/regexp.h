// The VBScript 5.5 RegExp object: Pattern, Global, IgnoreCase, Multiline and Execute, which
// gives the matches of the pattern in a subject in order of position, not overlapping. After an
// empty match the next search starts one code unit further on; after any other match it starts
// where the match ended (an empty match may follow there). Without Global the collection holds
// at most the first match. The pattern is compiled at the first Execute after a change, so a bad
// pattern fails there (see pattern.h for the dialect and the errors).
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/regexp/pattern.h"

namespace regexp {

namespace detail {
// What Execute found: the subject and, per match, 1 + groupCount spans.
struct MatchList {
    std::u16string subject;
    size_t groupCount = 0;
    std::vector<Span> spans;
};
}  // namespace detail

// One match; it keeps what it refers to alive.
class Match {
public:
    size_t firstIndex() const { return span(0).start; }
    size_t length() const { return span(0).length(); }
    std::u16string value() const { return std::u16string(text(0)); }
    // The groups in the order of their opening parentheses, counted from 0; a group that took
    // no part gives empty text and subMatchTookPart false.
    size_t subMatchCount() const { return list_->groupCount; }
    std::u16string subMatch(size_t index) const;  // error 5 when index >= subMatchCount()
    bool subMatchTookPart(size_t index) const;    // error 5 when index >= subMatchCount()
    std::vector<std::u16string> subMatches() const;

private:
    friend class MatchCollection;
    Match(std::shared_ptr<const detail::MatchList> list, size_t index) : list_(std::move(list)), index_(index) {}
    const Span& span(size_t slot) const { return list_->spans[index_ * (list_->groupCount + 1) + slot]; }
    std::u16string_view text(size_t slot) const;
    const Span& group(size_t index) const;

    std::shared_ptr<const detail::MatchList> list_;
    size_t index_;
};

class MatchCollection {
public:
    size_t count() const { return list_->spans.size() / (list_->groupCount + 1); }
    Match item(size_t index) const;  // error 5 when index >= count()

private:
    friend class RegExp;
    explicit MatchCollection(std::shared_ptr<const detail::MatchList> list) : list_(std::move(list)) {}
    std::shared_ptr<const detail::MatchList> list_;
};

class RegExp {
public:
    const std::u16string& pattern() const { return pattern_; }
    void setPattern(std::u16string_view pattern);
    bool global() const { return global_; }
    void setGlobal(bool global) { global_ = global; }
    bool ignoreCase() const { return options_.ignoreCase; }
    void setIgnoreCase(bool ignoreCase);
    bool multiline() const { return options_.multiline; }
    void setMultiline(bool multiline);

    // Throws ComError for a pattern the engine rejects or a search that runs away.
    MatchCollection execute(std::u16string_view subject);
    bool test(std::u16string_view subject);

private:
    Pattern& compiled();

    std::u16string pattern_;
    Options options_;
    bool global_ = false;
    std::shared_ptr<Pattern> compiled_;  // for pattern_ and options_, once compiled
};

}  // namespace regexp
