#include "platform/regexp/regexp.h"

#include "platform/automation/error_numbers.h"
#include "platform/regexp/regexp_error.h"

namespace regexp {

std::u16string_view Match::text(size_t slot) const {
    const Span& s = span(slot);
    if (!s.matched()) return {};
    return std::u16string_view(list_->subject).substr(s.start, s.end - s.start);
}

const Span& Match::group(size_t index) const {
    if (index >= list_->groupCount) RaiseError(errnum::kInvalidProcedureCall);
    return span(index + 1);
}

std::u16string Match::subMatch(size_t index) const {
    group(index);
    return std::u16string(text(index + 1));
}

bool Match::subMatchTookPart(size_t index) const { return group(index).matched(); }

std::vector<std::u16string> Match::subMatches() const {
    std::vector<std::u16string> groups;
    for (size_t i = 0; i < list_->groupCount; ++i) groups.emplace_back(text(i + 1));
    return groups;
}

Match MatchCollection::item(size_t index) const {
    if (index >= count()) RaiseError(errnum::kInvalidProcedureCall);
    return Match(list_, index);
}

void RegExp::setPattern(std::u16string_view pattern) {
    pattern_ = pattern;
    compiled_.reset();
}

void RegExp::setIgnoreCase(bool ignoreCase) {
    options_.ignoreCase = ignoreCase;
    compiled_.reset();
}

void RegExp::setMultiline(bool multiline) {
    options_.multiline = multiline;
    compiled_.reset();
}

Pattern& RegExp::compiled() {
    if (!compiled_) compiled_ = CachedPattern(pattern_, options_);
    return *compiled_;
}

MatchCollection RegExp::execute(std::u16string_view subject) {
    Pattern& pattern = compiled();
    auto list = std::make_shared<detail::MatchList>();
    list->subject = subject;
    list->groupCount = pattern.groupCount();
    std::vector<Span> spans;
    size_t from = 0;
    while (pattern.searchFrom(list->subject, from, spans)) {
        list->spans.insert(list->spans.end(), spans.begin(), spans.end());
        if (!global_) break;
        from = spans[0].end + (spans[0].length() == 0 ? 1 : 0);
    }
    return MatchCollection(std::move(list));
}

bool RegExp::test(std::u16string_view subject) { return compiled().searchFrom(subject, 0).has_value(); }

}  // namespace regexp
