#include "tools/hlx/definition_json.h"

#include <string_view>

namespace {

using modHlx::DefinitionTree;
using modHlx::LineList;
using modHlx::OrderedMap;
using modHlx::PatternRecord;
using modHlx::RuleRecord;
using modHlx::SectionRecord;

std::u16string AsciiText(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

std::u16string HexEscape(char16_t c) {
    static constexpr char16_t digits[] = u"0123456789abcdef";
    std::u16string escape = u"\\u";
    for (int shift = 12; shift >= 0; shift -= 4) escape += digits[(c >> shift) & 0xF];
    return escape;
}

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Writes one JSON object member by member, opening it on construction.
class ObjectWriter {
public:
    ObjectWriter(std::u16string& out, int depth) : out_(out), depth_(depth) { out_ += u'{'; }
    ObjectWriter(const ObjectWriter&) = delete;
    ObjectWriter& operator=(const ObjectWriter&) = delete;

    // Starts a member: the caller writes its value next.
    std::u16string& member(std::u16string_view key) {
        out_ += first_ ? u"\n" : u",\n";
        first_ = false;
        indent(depth_ + 1);
        writeString(out_, key);
        out_ += u": ";
        return out_;
    }
    void number(std::u16string_view key, long long value) { member(key) += AsciiText(std::to_string(value)); }
    void boolean(std::u16string_view key, bool value) { member(key) += value ? u"true" : u"false"; }
    void string(std::u16string_view key, std::u16string_view value) { writeString(member(key), value); }
    int childDepth() const { return depth_ + 1; }

    void close() {
        if (!first_) {
            out_ += u'\n';
            indent(depth_);
        }
        out_ += u'}';
    }

    static void writeString(std::u16string& out, std::u16string_view text) {
        out += u'"';
        for (std::size_t i = 0; i < text.size(); ++i) {
            char16_t c = text[i];
            if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
                out += c;
                out += text[++i];
            } else if (c == u'"' || c == u'\\') {
                out += u'\\';
                out += c;
            } else if (c == u'\n') {
                out += u"\\n";
            } else if (c == u'\r') {
                out += u"\\r";
            } else if (c == u'\t') {
                out += u"\\t";
            } else if (c < 0x20 || IsHighSurrogate(c) || IsLowSurrogate(c)) {
                out += HexEscape(c);  // control characters and unpaired surrogates
            } else {
                out += c;
            }
        }
        out += u'"';
    }

private:
    void indent(int depth) { out_.append(static_cast<std::size_t>(depth) * 2, u' '); }

    std::u16string& out_;
    int depth_;
    bool first_ = true;
};

std::u16string Numbered(std::size_t index) { return AsciiText(std::to_string(index + 1)); }

void WriteLineLists(std::u16string& out, int depth, const OrderedMap<LineList>& lists) {
    ObjectWriter formats(out, depth);
    for (const auto& [format, lines] : lists) {
        ObjectWriter list(formats.member(format), formats.childDepth());
        for (std::size_t i = 0; i < lines.size(); ++i) list.string(Numbered(i), lines[i]);
        list.close();
    }
    formats.close();
}

void WritePattern(std::u16string& out, int depth, const PatternRecord& pattern) {
    ObjectWriter record(out, depth);
    record.string(u"Pattern", pattern.Pattern);
    record.number(u"Line", pattern.Line);
    record.string(u"File", pattern.File);
    record.close();
}

void WriteRule(std::u16string& out, int depth, const RuleRecord& rule) {
    ObjectWriter record(out, depth);
    ObjectWriter patterns(record.member(u"Patterns"), record.childDepth());
    for (std::size_t i = 0; i < rule.Patterns.size(); ++i)
        WritePattern(patterns.member(Numbered(i)), patterns.childDepth(), rule.Patterns[i]);
    patterns.close();
    ObjectWriter formats(record.member(u"Formats"), record.childDepth());
    for (const auto& [name, format] : rule.Formats) formats.string(name, format);
    formats.close();
    record.boolean(u"Return", rule.Return);
    if (rule.Enter) record.string(u"Enter", *rule.Enter);
    record.close();
}

void WriteSection(std::u16string& out, int depth, const SectionRecord& section) {
    ObjectWriter record(out, depth);
    ObjectWriter rules(record.member(u"Rules"), record.childDepth());
    for (std::size_t i = 0; i < section.Rules.size(); ++i)
        WriteRule(rules.member(Numbered(i)), rules.childDepth(), section.Rules[i]);
    rules.close();
    WriteLineLists(record.member(u"Header"), record.childDepth(), section.Header);
    WriteLineLists(record.member(u"Footer"), record.childDepth(), section.Footer);
    record.boolean(u"MultiLine", section.MultiLine);
    record.boolean(u"IgnoreCase", section.IgnoreCase);
    record.string(u"Name", section.Name);
    record.close();
}

}  // namespace

std::u16string DefinitionJson(const DefinitionTree& tree) {
    std::u16string out;
    ObjectWriter root(out, 0);
    ObjectWriter sections(root.member(u"Sections"), root.childDepth());
    for (const auto& [name, section] : tree.Sections) WriteSection(sections.member(name), sections.childDepth(), section);
    sections.close();
    root.close();
    out += u'\n';
    return out;
}
