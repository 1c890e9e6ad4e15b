#include "platform/regexp/pcre_translation.h"

#include <algorithm>

#include "platform/regexp/case_folding.h"
#include "platform/regexp/pattern_analysis.h"

namespace regexp::dialect {

namespace {

void AppendNumber(std::u16string& out, uint64_t n, int base) {
    static constexpr char16_t kDigits[] = u"0123456789abcdef";
    char16_t buffer[24];
    size_t length = 0;
    do {
        buffer[length++] = kDigits[n % base];
        n /= base;
    } while (n);
    while (length) out += buffer[--length];
}

bool IsAsciiAlphanumeric(char16_t c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// A code unit as PCRE2 reads it literally, in or out of brackets.
void AppendUnit(std::u16string& out, char16_t c) {
    if (IsAsciiAlphanumeric(c)) {
        out += c;
        return;
    }
    out += u"\\x{";
    AppendNumber(out, c, 16);
    out += u'}';
}

// The members of `set` as bracket items: units and ranges.
void AppendRanges(std::u16string& out, const UnitBits& set) {
    size_t c = set._Find_first();
    while (c < set.size()) {
        size_t last = c;
        while (last + 1 < set.size() && set.test(last + 1)) ++last;
        AppendUnit(out, static_cast<char16_t>(c));
        if (last > c) {
            if (last > c + 1) out += u'-';
            AppendUnit(out, static_cast<char16_t>(last));
        }
        c = set._Find_next(last);
    }
}

// How a set goes out: as its one member, as PCRE2's any-unit item (rather than an extended class),
// or as a bracket. The bracket lists the members or, for the empty set and when they are more
// than half and U+00FF is one of them, the other units negated. PCRE2 10.42's JIT, looking ahead
// for where a match may start, takes a negated bracket that leaves out U+00FF to leave out every
// unit above 255 as well ("[^\x{0}-\x{60}\x{62}-\x{ff}]b" misses "\x{416}b").
struct SetForm {
    enum Kind { OneUnit, AnyUnit, Bracket } kind;
    bool negated = false;
};

SetForm FormOf(const UnitBits& set) {
    const size_t first = set._Find_first();
    if (first < set.size() && set._Find_next(first) == set.size()) return {SetForm::OneUnit};
    if (set.all()) return {SetForm::AnyUnit};
    return {SetForm::Bracket, first == set.size() || (set.test(0xFF) && set.count() > set.size() / 2)};
}

void AppendSet(std::u16string& out, const UnitBits& set) {
    const SetForm form = FormOf(set);
    switch (form.kind) {
    case SetForm::OneUnit: AppendUnit(out, static_cast<char16_t>(set._Find_first())); break;
    case SetForm::AnyUnit: out += u"(?s:.)"; break;
    case SetForm::Bracket:
        out += form.negated ? u"[^" : u"[";
        AppendRanges(out, form.negated ? ~set : set);
        out += u']';
        break;
    }
}

// True when the set goes out as a bracket that lists a unit above 255 (an extended class).
bool IsWideBracket(const UnitBits& set) {
    const SetForm form = FormOf(set);
    if (form.kind != SetForm::Bracket) return false;
    const UnitBits listed = form.negated ? ~set : set;
    return listed._Find_next(255) < listed.size();
}

// Where the search watch gets its turn (search_watch.h).
constexpr std::u16string_view kCallout = u"(?C)";

class Emitter {
public:
    explicit Emitter(Options options) : options_(options) {}

    std::u16string run(const Node& root) {
        earlyFailStop_ = PartOpeningUnequalAlternatives(root);
        emit(root);
        if (out_.ends_with(kCallout)) out_.resize(out_.size() - kCallout.size());  // nothing left to come back to
        return std::move(out_);
    }

private:
    // PCRE2 10.42's JIT lets an open repeat of a single unit fail at once where it failed
    // before from a later position, which holds while the repeat is reached at positions that
    // only grow; after alternatives of different lengths they do not ("(?:a|\B)a+aa" misses
    // "aaa" in "xaaa"). An empty lookahead before the part that holds them keeps it from doing
    // so from there on; the parts before it are of fixed length, so hold no such repeat.
    void emit(const Node& node) {
        if (&node == earlyFailStop_) {
            out_ += u"(?=)";
            if (node.kind == NodeKind::Alternation) {
                out_ += u"(?:";
                emitPart(node);
                out_ += u')';
                return;
            }
        }
        emitPart(node);
    }

    void emitPart(const Node& node) {
        switch (node.kind) {
        case NodeKind::Empty: break;
        case NodeKind::Unit: emitUnit(node.unit); break;
        case NodeKind::Set: AppendSet(out_, *node.set); break;
        case NodeKind::Sequence:
            for (const NodePtr& child : node.children) emit(*child);
            break;
        case NodeKind::Alternation:
            for (size_t i = 0; i < node.children.size(); ++i) {
                if (i) (out_ += u'|') += kCallout;
                emit(*node.children[i]);
            }
            break;
        case NodeKind::Group: emitGroup(u"(", node); break;
        case NodeKind::NonCapturing: emitGroup(u"(?:", node); break;
        case NodeKind::Lookahead: emitGroup(u"(?=", node); break;
        case NodeKind::NegativeLookahead: emitGroup(u"(?!", node); break;
        case NodeKind::Repeat: emitRepeat(node); break;
        case NodeKind::BackReference:
            out_ += u"\\g{";
            AppendNumber(out_, node.number, 10);
            out_ += u'}';
            break;
        case NodeKind::Start: out_ += options_.multiline ? u"(?<![^\\n\\r])" : u"\\A"; break;
        case NodeKind::End: out_ += options_.multiline ? u"(?![^\\n\\r])" : u"\\z"; break;
        case NodeKind::WordBoundary: out_ += u"\\b"; break;
        case NodeKind::NotWordBoundary: out_ += u"\\B"; break;
        }
    }

    // PCRE2 folds only ASCII letters; other letters go out as a bracket of their case variants.
    bool bracketsUnit(char16_t c) const { return options_.ignoreCase && casefold::HasNonAsciiVariants(c); }

    void emitUnit(char16_t c) {
        if (!bracketsUnit(c)) {
            AppendUnit(out_, c);
            return;
        }
        out_ += u'[';
        for (char16_t variant : casefold::CaseVariants(c)) AppendUnit(out_, variant);
        out_ += u']';
    }

    // Repeated items PCRE2 10.42's JIT gets wrong unless each has a group of its own:
    // - an extended class after four or more equal units misses a match that ends at the
    //   subject's end ("aaaa[\x{416}\x{436}]?" on "xaaaa");
    // - a back reference to a group that took no part, repeated at least once, fails where
    //   it should match empty ("(a)?\g{1}+b" on "xb").
    bool needsGroupToRepeat(const Node& node) const {
        return node.kind == NodeKind::BackReference || isWideBracket(node);
    }

    bool isWideBracket(const Node& node) const {
        if (node.kind == NodeKind::Set) return IsWideBracket(*node.set);
        if (node.kind != NodeKind::Unit || !bracketsUnit(node.unit)) return false;
        for (char16_t variant : casefold::CaseVariants(node.unit))
            if (variant > 0xFF) return true;
        return false;
    }

    void emitGroup(const char16_t* opening, const Node& node) {
        out_ += opening;
        emit(node.child());
        out_ += u')';
    }

    // A callout where the engine comes back to a repeat: after a greedy one (each unit given
    // back passes it), before a lazy one (each further unit taken follows it). An optional unit
    // has none: it doubles the ways to match at most, as often as the pattern has one.
    void emitRepeat(const Node& node) {
        bool optionalUnit = node.max == 1 && (node.child().kind == NodeKind::Unit || node.child().kind == NodeKind::Set);
        bool variable = node.min != node.max && !optionalUnit;
        if (variable && node.lazy) out_ += kCallout;
        const bool grouped = needsGroupToRepeat(node.child());
        if (grouped) out_ += u"(?:";
        emit(node.child());
        if (grouped) out_ += u')';
        if (node.min == 0 && node.max == kUnbounded) {
            out_ += u'*';
        } else if (node.min == 1 && node.max == kUnbounded) {
            out_ += u'+';
        } else if (node.min == 0 && node.max == 1) {
            out_ += u'?';
        } else {
            out_ += u'{';
            AppendNumber(out_, node.min, 10);
            if (node.max != node.min) {
                out_ += u',';
                if (node.max != kUnbounded) AppendNumber(out_, node.max, 10);
            }
            out_ += u'}';
        }
        if (node.lazy) out_ += u'?';
        if (variable && !node.lazy) out_ += kCallout;
    }

    Options options_;
    const Node* earlyFailStop_ = nullptr;
    std::u16string out_;
};

}  // namespace

std::u16string ToPcre2(const Node& root, Options options) { return Emitter(options).run(root); }

// A unit other than a letter or digit is written as \x{...}, so "(?C)" is only ever a callout.
std::u16string WithoutCallouts(std::u16string_view translated) {
    std::u16string out;
    out.reserve(translated.size());
    for (size_t at = 0; at < translated.size();) {
        const size_t callout = std::min(translated.find(kCallout, at), translated.size());
        out.append(translated.substr(at, callout - at));
        at = callout + kCallout.size();
    }
    return out;
}

}  // namespace regexp::dialect
