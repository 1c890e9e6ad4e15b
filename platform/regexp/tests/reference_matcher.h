// Random patterns of the dialect with an independent backtracking matcher that follows the
// ECMAScript 3 matching rules, to check the PCRE2 translation against.
//
// The generator leaves out what PCRE2 is documented to do differently: capturing groups inside
// repeats and repeats of bodies that can match empty. The matcher folds case the way the dialect
// does for the few letters the subjects use (back references fold ASCII only).
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "platform/regexp/pattern.h"

namespace regexptest {

// The units that random subjects are made of.
inline const std::u16string kSubjectUnits = u"aAbB_1 \n\r-\u00E9\u00C9\u0436\u0416\u017F";

inline char16_t Canonical(char16_t c) {
    if (c >= 'a' && c <= 'z') return static_cast<char16_t>(c - 32);
    if (c == u'\u00E9') return u'\u00C9';
    if (c == u'\u0436') return u'\u0416';
    return c;  // U+017F keeps to itself: its upper case is ASCII
}

inline bool IsWordUnit(char16_t c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

struct RefNode {
    enum Kind { Unit, Set, Sequence, Alternation, Group, NonCapturing, Lookahead, NegativeLookahead, Repeat,
                BackReference, Start, End, WordBoundary, NotWordBoundary };
    Kind kind = Unit;
    std::u16string text;                         // how a unit or a set is written
    char16_t unit = 0;
    std::function<bool(char16_t)> member;        // of a set, before case folding
    bool negated = false;                        // a negated bracket: folding applies before negation
    std::vector<std::shared_ptr<RefNode>> children;
    size_t number = 0;
    uint32_t min = 0, max = 0;                   // max UINT32_MAX: unbounded
    bool lazy = false;
};
using RefPtr = std::shared_ptr<RefNode>;

inline RefPtr MakeRef(RefNode::Kind kind, std::u16string text = {}) {
    auto node = std::make_shared<RefNode>();
    node->kind = kind;
    node->text = std::move(text);
    return node;
}

struct RefSet {
    const char16_t* text;
    bool (*member)(char16_t);
    bool negated;
};

inline const std::vector<RefSet>& RefSets() {
    static const std::vector<RefSet> sets = {
        {u".", [](char16_t c) { return c != '\n'; }, false},
        {u"\\d", [](char16_t c) { return c >= '0' && c <= '9'; }, false},
        {u"\\D", [](char16_t c) { return !(c >= '0' && c <= '9'); }, false},
        {u"\\w", IsWordUnit, false},
        {u"\\W", [](char16_t c) { return !IsWordUnit(c); }, false},
        {u"\\s", [](char16_t c) { return c == ' ' || (c >= '\t' && c <= '\r'); }, false},
        {u"\\S", [](char16_t c) { return !(c == ' ' || (c >= '\t' && c <= '\r')); }, false},
        {u"[ab]", [](char16_t c) { return c == 'a' || c == 'b'; }, false},
        {u"[^ab]", [](char16_t c) { return c == 'a' || c == 'b'; }, true},
        {u"[a-c_]", [](char16_t c) { return (c >= 'a' && c <= 'c') || c == '_'; }, false},
        {u"[\\s\\S]", [](char16_t) { return true; }, false},
        {u"[^\\n]", [](char16_t c) { return c == '\n'; }, true},
        {u"[\u00E9-\u0436]", [](char16_t c) { return c >= 0xE9 && c <= 0x436; }, false},
        {u"[A-Z]", [](char16_t c) { return c >= 'A' && c <= 'Z'; }, false},
        {u"[]", [](char16_t) { return false; }, false},
        {u"[^]", [](char16_t) { return false; }, true},
        {u"[\\w-]", [](char16_t c) { return IsWordUnit(c) || c == '-'; }, false},
        {u"[^\\r\\n-]", [](char16_t c) { return c == '\r' || c == '\n' || c == '-'; }, true},
    };
    return sets;
}

class PatternGenerator {
public:
    // Makes each choice: a number below its argument.
    using Chooser = std::function<size_t(size_t)>;

    explicit PatternGenerator(uint32_t seed)
        : choose_([random = std::mt19937(seed)](size_t n) mutable {
              return std::uniform_int_distribution<size_t>(0, n - 1)(random);
          }) {}
    explicit PatternGenerator(Chooser choose) : choose_(std::move(choose)) {}

    RefPtr generate() {
        groups_ = 0;
        return alternation(3);
    }
    size_t groups() const { return groups_; }

private:
    size_t pick(size_t n) { return choose_(n); }

    RefPtr alternation(int depth) {
        if (depth <= 0 || pick(4) != 0) return sequence(depth);
        auto node = MakeRef(RefNode::Alternation);
        for (size_t i = 0, n = 2 + pick(2); i < n; ++i) node->children.push_back(sequence(depth - 1));
        return node;
    }

    RefPtr sequence(int depth) {
        auto node = MakeRef(RefNode::Sequence);
        for (size_t i = 0, n = 1 + pick(3); i < n; ++i) node->children.push_back(term(depth));
        return node;
    }

    RefPtr term(int depth) {
        switch (pick(12)) {
        case 0: return assertion();
        case 1:
        case 2:
            if (depth > 0) return quantified(group(depth));
            [[fallthrough]];
        case 3:
            if (groups_ > 0) return quantified(backReference());
            [[fallthrough]];
        default: return quantified(pick(2) ? unit() : set());
        }
    }

    RefPtr assertion() {
        static const std::pair<RefNode::Kind, const char16_t*> kinds[] = {
            {RefNode::Start, u"^"}, {RefNode::End, u"$"}, {RefNode::WordBoundary, u"\\b"},
            {RefNode::NotWordBoundary, u"\\B"}};
        auto [kind, text] = kinds[pick(4)];
        return MakeRef(kind, text);
    }

    RefPtr group(int depth) {
        static const RefNode::Kind kinds[] = {RefNode::Lookahead, RefNode::NegativeLookahead, RefNode::Group,
                                              RefNode::NonCapturing};
        RefNode::Kind kind = kinds[pick(4)];
        if (kind == RefNode::Group && groups_ == 9) kind = RefNode::NonCapturing;
        auto node = MakeRef(kind);
        if (kind == RefNode::Group) node->number = ++groups_;
        node->children.push_back(alternation(depth - 1));
        return node;
    }

    // To a group opened before it (perhaps still open).
    RefPtr backReference() {
        auto node = MakeRef(RefNode::BackReference);
        node->number = 1 + pick(groups_);
        return node;
    }

    RefPtr unit() {
        static const std::pair<char16_t, const char16_t*> units[] = {
            {'a', u"a"}, {'a', u"\\x61"}, {'b', u"b"}, {'A', u"A"}, {'_', u"_"}, {'1', u"1"}, {' ', u" "},
            {'\n', u"\\n"}, {'\r', u"\\r"}, {'-', u"-"}, {u'\u00E9', u"\u00E9"}, {u'\u0416', u"\\u0416"},
            {u'\u017F', u"\u017F"}, {'s', u"s"}, {'\n', u"\\012"}};
        auto [c, text] = units[pick(std::size(units))];
        auto node = MakeRef(RefNode::Unit, text);
        node->unit = c;
        return node;
    }

    RefPtr set() {
        const RefSet& s = RefSets()[pick(RefSets().size())];
        auto node = MakeRef(RefNode::Set, s.text);
        node->member = s.member;
        node->negated = s.negated;
        return node;
    }

    // Units, sets, back references and groups that cannot match empty may take a quantifier.
    RefPtr quantified(RefPtr atom) {
        if (pick(3) != 0 || !Repeatable(*atom)) return atom;
        static const std::tuple<uint32_t, uint32_t, const char16_t*> quantifiers[] = {
            {0, UINT32_MAX, u"*"}, {1, UINT32_MAX, u"+"}, {0, 1, u"?"}, {2, 2, u"{2}"}, {1, UINT32_MAX, u"{1,}"},
            {0, 2, u"{0,2}"}, {1, 3, u"{1,3}"}};
        auto [min, max, text] = quantifiers[pick(std::size(quantifiers))];
        auto node = MakeRef(RefNode::Repeat, text);
        node->min = min;
        node->max = max;
        node->lazy = pick(3) == 0;
        if (node->lazy) node->text += u'?';
        node->children.push_back(atom);
        return node;
    }

    static bool Repeatable(const RefNode& n);

    Chooser choose_;
    size_t groups_ = 0;
};

inline bool ContainsGroup(const RefNode& n) {
    if (n.kind == RefNode::Group) return true;
    for (const RefPtr& c : n.children)
        if (ContainsGroup(*c)) return true;
    return false;
}

inline bool MayBeEmpty(const RefNode& n) {
    switch (n.kind) {
    case RefNode::Unit:
    case RefNode::Set: return false;
    case RefNode::Sequence:
        for (const RefPtr& c : n.children)
            if (!MayBeEmpty(*c)) return false;
        return true;
    case RefNode::Alternation:
        for (const RefPtr& c : n.children)
            if (MayBeEmpty(*c)) return true;
        return false;
    case RefNode::Group:
    case RefNode::NonCapturing: return MayBeEmpty(*n.children[0]);
    case RefNode::Repeat: return n.min == 0 || MayBeEmpty(*n.children[0]);
    default: return true;
    }
}

inline bool PatternGenerator::Repeatable(const RefNode& n) {
    if (n.kind == RefNode::Unit || n.kind == RefNode::Set || n.kind == RefNode::BackReference) return true;
    return n.kind == RefNode::NonCapturing && !MayBeEmpty(n) && !ContainsGroup(n);
}

inline std::u16string BackReferenceText(const RefNode& n) { return u"\\" + std::u16string(1, char16_t('0' + n.number)); }

inline std::u16string Render(const RefNode& n) {
    std::u16string out;
    switch (n.kind) {
    case RefNode::Unit:
    case RefNode::Set:
    case RefNode::Start:
    case RefNode::End:
    case RefNode::WordBoundary:
    case RefNode::NotWordBoundary: return n.text;
    case RefNode::Sequence:
        for (const RefPtr& c : n.children) out += Render(*c);
        return out;
    case RefNode::Alternation:
        for (size_t i = 0; i < n.children.size(); ++i) out += (i ? u"|" : u"") + Render(*n.children[i]);
        return out;
    case RefNode::Group: return u"(" + Render(*n.children[0]) + u")";
    case RefNode::NonCapturing: return u"(?:" + Render(*n.children[0]) + u")";
    case RefNode::Lookahead: return u"(?=" + Render(*n.children[0]) + u")";
    case RefNode::NegativeLookahead: return u"(?!" + Render(*n.children[0]) + u")";
    case RefNode::Repeat:
        if (n.children[0]->kind == RefNode::BackReference) return BackReferenceText(*n.children[0]) + n.text;
        return Render(*n.children[0]) + n.text;
    case RefNode::BackReference: return BackReferenceText(n) + u"(?:)";  // a digit after it stays apart
    }
    return out;
}

// Raised by the reference matcher when a search takes more steps than it allows itself: it
// backtracks without limit, so some patterns would take it minutes; such a search is not compared.
struct ReferenceGaveUp {};

// The ECMAScript 3 matcher, in continuation-passing style.
class ReferenceMatcher {
public:
    ReferenceMatcher(std::u16string_view subject, regexp::Options options, size_t groups, size_t stepsPerSearch = 20000)
        : s_(subject), options_(options), groups_(groups), stepsPerSearch_(stepsPerSearch) {}

    struct State {
        size_t pos;
        std::vector<regexp::Span> captures;  // index 0 unused
    };
    using Continuation = std::function<bool(const State&)>;

    // The first match at or after `from`, as spans (0: the match).
    std::optional<std::vector<regexp::Span>> search(const RefNode& root, size_t from) const {
        steps_ = 0;
        for (size_t p = from; p <= s_.size(); ++p) {
            std::optional<State> end;
            State start{p, std::vector<regexp::Span>(groups_ + 1)};
            if (match(root, start, [&](const State& st) { end = st; return true; })) {
                std::vector<regexp::Span> spans = end->captures;
                spans[0] = regexp::Span{p, end->pos};
                return spans;
            }
        }
        return std::nullopt;
    }

private:
    bool sameUnit(char16_t a, char16_t b) const { return a == b || (options_.ignoreCase && Canonical(a) == Canonical(b)); }

    bool inSet(const RefNode& n, char16_t c) const {
        bool found = n.member(c);
        if (options_.ignoreCase)
            for (char16_t v : kSubjectUnits + u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ")
                if (Canonical(v) == Canonical(c) && n.member(v)) found = true;
        return found != n.negated;
    }

    bool isWordAt(size_t p) const { return p < s_.size() && IsWordUnit(s_[p]); }
    bool isLineBreak(size_t p) const { return s_[p] == '\n' || s_[p] == '\r'; }

    bool assertionHolds(const RefNode& n, size_t p) const {
        switch (n.kind) {
        case RefNode::Start: return p == 0 || (options_.multiline && isLineBreak(p - 1));
        case RefNode::End: return p == s_.size() || (options_.multiline && isLineBreak(p));
        case RefNode::WordBoundary: return (p > 0 && isWordAt(p - 1)) != isWordAt(p);
        default: return (p > 0 && isWordAt(p - 1)) == isWordAt(p);
        }
    }

    bool match(const RefNode& n, const State& st, const Continuation& k) const {
        if (++steps_ > stepsPerSearch_) throw ReferenceGaveUp{};
        switch (n.kind) {
        case RefNode::Unit:
        case RefNode::Set: {
            if (st.pos >= s_.size()) return false;
            char16_t c = s_[st.pos];
            if (n.kind == RefNode::Unit ? !sameUnit(c, n.unit) : !inSet(n, c)) return false;
            State next = st;
            ++next.pos;
            return k(next);
        }
        case RefNode::Sequence: return sequence(n, 0, st, k);
        case RefNode::Alternation:
            for (const RefPtr& c : n.children)
                if (match(*c, st, k)) return true;
            return false;
        case RefNode::Group:
            return match(*n.children[0], st, [&](const State& inner) {
                State next = inner;
                next.captures[n.number] = regexp::Span{st.pos, inner.pos};
                return k(next);
            });
        case RefNode::NonCapturing: return match(*n.children[0], st, k);
        case RefNode::Lookahead:
        case RefNode::NegativeLookahead: {
            std::optional<State> inner;
            bool found = match(*n.children[0], st, [&](const State& s) { inner = s; return true; });
            if (n.kind == RefNode::NegativeLookahead) return !found && k(st);
            if (!found) return false;
            State next = *inner;
            next.pos = st.pos;
            return k(next);
        }
        case RefNode::Repeat: return repeat(n, n.min, n.max, st, k);
        case RefNode::BackReference: return backReference(n, st, k);
        default: return assertionHolds(n, st.pos) && k(st);
        }
    }

    bool sequence(const RefNode& n, size_t i, const State& st, const Continuation& k) const {
        if (i == n.children.size()) return k(st);
        return match(*n.children[i], st, [&](const State& next) { return sequence(n, i + 1, next, k); });
    }

    bool repeat(const RefNode& n, uint32_t min, uint32_t max, const State& st, const Continuation& k) const {
        if (max == 0) return k(st);
        auto again = [&](const State& next) {
            if (min == 0 && next.pos == st.pos) return false;
            return repeat(n, min ? min - 1 : 0, max == UINT32_MAX ? max : max - 1, next, k);
        };
        if (min != 0) return match(*n.children[0], st, again);
        if (n.lazy) return k(st) || match(*n.children[0], st, again);
        return match(*n.children[0], st, again) || k(st);
    }

    bool backReference(const RefNode& n, const State& st, const Continuation& k) const {
        const regexp::Span& group = st.captures[n.number];
        if (!group.matched()) return k(st);
        size_t length = group.end - group.start;
        if (st.pos + length > s_.size()) return false;
        for (size_t i = 0; i < length; ++i) {
            char16_t a = s_[group.start + i], b = s_[st.pos + i];
            bool asciiFold = options_.ignoreCase && a < 0x80 && b < 0x80 && Canonical(a) == Canonical(b);
            if (a != b && !asciiFold) return false;
        }
        State next = st;
        next.pos += length;
        return k(next);
    }

    std::u16string_view s_;
    regexp::Options options_;
    size_t groups_;
    size_t stepsPerSearch_;
    mutable size_t steps_ = 0;
};

}  // namespace regexptest
