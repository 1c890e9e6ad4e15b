#include "tools/hlx/convert/line_anchors.h"

#include <algorithm>
#include <array>

namespace convert {

namespace {

constexpr char16_t kStyle[] =
    u"<style>pre{counter-reset:ln}"
    u"a.ln{counter-increment:ln;display:inline-block;min-width:4ch;margin-right:2ch;text-align:right;"
    u"color:#8c959f;text-decoration:none;user-select:none}a.ln::before{content:counter(ln)}"
    u"a.ln:target{background:#fff8c5}"
    u"@media (prefers-color-scheme:dark){a.ln{color:#6e7681}a.ln:target{background:#3b3b1e}}</style>";

constexpr std::array<std::u16string_view, 6> kVoidElements{u"br", u"hr", u"img", u"wbr", u"input", u"meta"};

// The element name of a tag, in lower case: "<span class=x>" -> "span", "</B>" -> "b".
std::u16string NameOf(std::u16string_view tag) {
    size_t start = tag.size() > 1 && tag[1] == u'/' ? 2 : 1;
    std::u16string name;
    for (size_t i = start; i < tag.size(); ++i) {
        char16_t c = tag[i];
        if (c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'/' || c == u'>') break;
        name += c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c;
    }
    return name;
}

bool OpensElement(std::u16string_view tag, const std::u16string& name) {
    if (tag.size() < 3 || tag[1] == u'!' || tag[1] == u'?' || tag[tag.size() - 2] == u'/') return false;
    return std::find(kVoidElements.begin(), kVoidElements.end(), name) == kVoidElements.end();
}

std::u16string Number(unsigned n) {
    std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace

void LineAnchorSink::write(std::u16string_view text) {
    for (char16_t c : text) unit(c);
    if (!piece_.empty()) out_.write(piece_);
    piece_.clear();
}

void LineAnchorSink::finish() {
    if (!tag_.empty()) out_.write(tag_);
    tag_.clear();
}

void LineAnchorSink::unit(char16_t c) {
    if (!tag_.empty()) {
        tag_ += c;
        if (quote_) {
            if (c == quote_) quote_ = 0;
        } else if (c == u'"' || c == u'\'') {
            quote_ = c;
        } else if (c == u'>') {
            tag(tag_);
            tag_.clear();
        }
        return;
    }
    if (c == u'<') {
        tag_ = c;
        return;
    }
    if (preDepth_ > 0) {
        if (lineStartDue_) startLine();
        if (c == u'\n') return endLine();
    }
    piece_ += c;
}

void LineAnchorSink::tag(const std::u16string& tag) {
    const std::u16string name = NameOf(tag);
    const bool closing = tag.size() > 1 && tag[1] == u'/';
    if (preDepth_ > 0) return tagInPre(tag, name, closing);
    if (!styled_ && ((closing && name == u"head") || (!closing && name == u"pre"))) style();
    piece_ += tag;
    if (!closing && name == u"pre") {
        preDepth_ = 1;
        lineStartDue_ = true;
    }
}

void LineAnchorSink::tagInPre(const std::u16string& tag, const std::u16string& name, bool closing) {
    if (name == u"pre" && closing && --preDepth_ == 0) {
        lineStartDue_ = false;
        piece_ += tag;
        return;
    }
    if (name == u"pre" && !closing) ++preDepth_;
    if (lineStartDue_) startLine();
    piece_ += tag;
    if (closing) {
        auto match = std::find_if(open_.rbegin(), open_.rend(), [&](const OpenElement& e) { return e.name == name; });
        if (match != open_.rend()) open_.erase(std::next(match).base());
    } else if (OpensElement(tag, name)) {
        open_.push_back({name, tag});
    }
}

void LineAnchorSink::startLine() {
    lineStartDue_ = false;
    const std::u16string n = Number(++line_);
    piece_ += u"<a class=\"ln\" id=\"L" + n + u"\" href=\"#L" + n + u"\"></a>";
    for (const OpenElement& element : open_) piece_ += element.tag;
}

void LineAnchorSink::endLine() {
    for (auto it = open_.rbegin(); it != open_.rend(); ++it) piece_ += u"</" + it->name + u">";
    piece_ += u'\n';
    lineStartDue_ = true;
}

void LineAnchorSink::style() {
    piece_ += kStyle;
    styled_ = true;
}

}  // namespace convert
