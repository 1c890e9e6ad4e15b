// Reads a pattern of the VBScript dialect into a tree, rejecting what that engine rejects.
#include <algorithm>
#include <initializer_list>
#include <string_view>
#include <utility>

#include "platform/automation/ascii.h"
#include "platform/automation/error_numbers.h"
#include "platform/regexp/case_folding.h"
#include "platform/regexp/dialect_tree.h"
#include "platform/regexp/regexp_error.h"

namespace regexp::dialect {

namespace {

// Deeper nesting than this is refused rather than risk the machine stack.
constexpr int kMaxNesting = 300;
constexpr uint32_t kLargestCount = UINT32_MAX - 1;

using SetPtr = std::shared_ptr<const UnitBits>;

// The set of the ranges [first, last].
SetPtr MakeSet(std::initializer_list<std::pair<char16_t, char16_t>> ranges) {
    auto set = std::make_shared<UnitBits>();
    for (const auto& [first, last] : ranges)
        for (unsigned c = first; c <= last; ++c) set->set(c);
    return set;
}

SetPtr Complement(const SetPtr& set) { return std::make_shared<UnitBits>(~*set); }

SetPtr WordSet() {
    auto set = std::make_shared<UnitBits>();
    WordUnitSet().addTo(*set);
    return set;
}

// The sets of \d \D \s \S \w \W and of '.', built once.
struct ClassSets {
    SetPtr digit = MakeSet({{'0', '9'}}), notDigit = Complement(digit);
    SetPtr space = MakeSet({{' ', ' '}, {'\t', '\r'}}), notSpace = Complement(space);  // \t \n \v \f \r
    SetPtr word = WordSet(), notWord = Complement(word);
    SetPtr dot = Complement(MakeSet({{'\n', '\n'}}));
};

const ClassSets& Classes() {
    static const ClassSets sets;
    return sets;
}

// The set of a class escape letter (d D s S w W), or null.
SetPtr ClassEscape(char16_t c) {
    const ClassSets& s = Classes();
    switch (c) {
    case 'd': return s.digit;
    case 'D': return s.notDigit;
    case 's': return s.space;
    case 'S': return s.notSpace;
    case 'w': return s.word;
    case 'W': return s.notWord;
    default: return nullptr;
    }
}

bool IsDigit(char16_t c) { return c >= '0' && c <= '9'; }
bool IsOctal(char16_t c) { return c >= '0' && c <= '7'; }

NodePtr MakeNode(NodeKind kind) { return std::make_unique<Node>(kind); }

NodePtr MakeParent(NodeKind kind, std::vector<NodePtr> children) {
    NodePtr node = MakeNode(kind);
    node->children = std::move(children);
    return node;
}

// One item inside brackets: a code unit or a class escape's set.
struct ClassAtom {
    char16_t unit = 0;
    SetPtr set;
};

class Parser {
public:
    Parser(std::u16string_view pattern, bool ignoreCase) : p_(pattern), ignoreCase_(ignoreCase) {}

    ParsedPattern run() {
        NodePtr root = parseDisjunction(0);
        if (!atEnd()) RaiseError(errnum::kRegExpSyntax);  // a ')' that closes nothing
        if (root->kind != NodeKind::Alternation) alternatives_.clear();
        return {std::move(root), groups_, std::move(alternatives_)};
    }

private:
    bool atEnd() const { return pos_ >= p_.size(); }
    char16_t cur() const { return p_[pos_]; }
    bool at(char16_t c) const { return !atEnd() && cur() == c; }
    bool atOffset(size_t offset, char16_t c) const { return pos_ + offset < p_.size() && p_[pos_ + offset] == c; }

    NodePtr parseDisjunction(int depth) {
        std::vector<NodePtr> alternatives;
        alternatives.push_back(parseTopAlternative(depth));
        while (at('|')) {
            ++pos_;
            alternatives.push_back(parseTopAlternative(depth));
        }
        if (alternatives.size() == 1) return std::move(alternatives.front());
        return MakeParent(NodeKind::Alternation, std::move(alternatives));
    }

    // An alternative, its source noted when it is one of the whole pattern's.
    NodePtr parseTopAlternative(int depth) {
        const size_t begin = pos_;
        NodePtr alternative = parseAlternative(depth);
        if (depth == 0) alternatives_.push_back(p_.substr(begin, pos_ - begin));
        return alternative;
    }

    NodePtr parseAlternative(int depth) {
        std::vector<NodePtr> terms;
        while (!atEnd() && cur() != '|' && cur() != ')') terms.push_back(parseTerm(depth));
        if (terms.empty()) return MakeNode(NodeKind::Empty);
        if (terms.size() == 1) return std::move(terms.front());
        return MakeParent(NodeKind::Sequence, std::move(terms));
    }

    NodePtr parseTerm(int depth) {
        switch (cur()) {
        case '^': ++pos_; return assertion(NodeKind::Start);
        case '$': ++pos_; return assertion(NodeKind::End);
        case '*': case '+': case '?': RaiseError(errnum::kRegExpUnexpectedQuantifier);
        case '{':
            if (braceQuantifierAhead()) RaiseError(errnum::kRegExpUnexpectedQuantifier);
            break;
        case '\\':
            if (atOffset(1, 'b') || atOffset(1, 'B')) {
                NodeKind kind = p_[pos_ + 1] == 'b' ? NodeKind::WordBoundary : NodeKind::NotWordBoundary;
                pos_ += 2;
                return assertion(kind);
            }
            break;
        default: break;
        }
        return parseQuantifier(parseAtom(depth));
    }

    // ^ $ \b \B take no quantifier.
    NodePtr assertion(NodeKind kind) {
        if (quantifierAhead()) RaiseError(errnum::kRegExpUnexpectedQuantifier);
        return MakeNode(kind);
    }

    bool quantifierAhead() const {
        if (atEnd()) return false;
        char16_t c = cur();
        return c == '*' || c == '+' || c == '?' || (c == '{' && braceQuantifierAhead());
    }

    // At '{': whether {n}, {n,} or {n,m} follows.
    bool braceQuantifierAhead() const {
        size_t i = pos_ + 1;
        auto digits = [&] {
            size_t start = i;
            while (i < p_.size() && IsDigit(p_[i])) ++i;
            return i > start;
        };
        if (!digits()) return false;
        if (i < p_.size() && p_[i] == ',') {
            ++i;
            digits();
        }
        return i < p_.size() && p_[i] == '}';
    }

    uint32_t readCount() {
        uint64_t value = 0;
        while (!atEnd() && IsDigit(cur())) {
            value = std::min<uint64_t>(value * 10 + (cur() - '0'), kLargestCount);
            ++pos_;
        }
        return static_cast<uint32_t>(value);
    }

    NodePtr parseQuantifier(NodePtr atom) {
        if (!quantifierAhead()) return atom;
        NodePtr repeat = MakeNode(NodeKind::Repeat);
        switch (cur()) {
        case '*': repeat->min = 0; repeat->max = kUnbounded; ++pos_; break;
        case '+': repeat->min = 1; repeat->max = kUnbounded; ++pos_; break;
        case '?': repeat->min = 0; repeat->max = 1; ++pos_; break;
        default: readBraces(*repeat); break;
        }
        if (at('?')) {
            repeat->lazy = true;
            ++pos_;
        }
        if (quantifierAhead()) RaiseError(errnum::kRegExpUnexpectedQuantifier);
        repeat->children.push_back(std::move(atom));
        return repeat;
    }

    void readBraces(Node& repeat) {
        ++pos_;  // {
        repeat.min = repeat.max = readCount();
        if (at(',')) {
            ++pos_;
            repeat.max = at('}') ? kUnbounded : readCount();
        }
        ++pos_;  // }
        if (repeat.min > repeat.max) RaiseError(errnum::kRegExpSyntax);
    }

    NodePtr parseAtom(int depth) {
        char16_t c = cur();
        switch (c) {
        case '.': ++pos_; return setNode(Classes().dot);
        case '(': return parseGroup(depth);
        case '[': return parseClass();
        case '\\': return parseAtomEscape();
        default: ++pos_; return unitNode(c);
        }
    }

    NodePtr parseGroup(int depth) {
        if (depth >= kMaxNesting) RaiseLimitError(u"parentheses are too deeply nested");
        ++pos_;  // (
        NodeKind kind = NodeKind::Group;
        if (at('?')) {
            if (atOffset(1, ':')) kind = NodeKind::NonCapturing;
            else if (atOffset(1, '=')) kind = NodeKind::Lookahead;
            else if (atOffset(1, '!')) kind = NodeKind::NegativeLookahead;
            else RaiseError(errnum::kRegExpUnexpectedQuantifier);  // the '?' repeats nothing
            pos_ += 2;
        }
        NodePtr group = MakeNode(kind);
        if (kind == NodeKind::Group) group->number = ++groups_;
        group->children.push_back(parseDisjunction(depth + 1));
        if (!at(')')) RaiseError(errnum::kRegExpExpectedParenthesis);
        ++pos_;
        return group;
    }

    static NodePtr unitNode(char16_t c) {
        NodePtr node = MakeNode(NodeKind::Unit);
        node->unit = c;
        return node;
    }

    static NodePtr setNode(SetPtr set) {
        NodePtr node = MakeNode(NodeKind::Set);
        node->set = std::move(set);
        return node;
    }

    // After '\' outside brackets (\b and \B are assertions, handled before).
    NodePtr parseAtomEscape() {
        ++pos_;  // backslash
        if (atEnd()) RaiseError(errnum::kRegExpSyntax);
        char16_t c = cur();
        if (SetPtr set = ClassEscape(c)) {
            ++pos_;
            return setNode(std::move(set));
        }
        if (IsDigit(c)) {
            if (NodePtr reference = backReference()) return reference;
            return unitNode(octalOrDigit());
        }
        return unitNode(characterEscape());
    }

    // \n or \nm naming a group that opened before it; null when the digits are not one.
    NodePtr backReference() {
        unsigned first = cur() - '0';
        if (first == 0) return nullptr;
        size_t length = 0;
        size_t number = 0;
        if (pos_ + 1 < p_.size() && IsDigit(p_[pos_ + 1]) && first * 10 + (p_[pos_ + 1] - '0') <= groups_) {
            length = 2;
            number = first * 10 + (p_[pos_ + 1] - '0');
        } else if (first <= groups_) {
            length = 1;
            number = first;
        } else {
            return nullptr;
        }
        pos_ += length;
        NodePtr node = MakeNode(NodeKind::BackReference);
        node->number = number;
        return node;
    }

    // Octal \0..\377 (three digits only when the first is 0..3); \8 and \9 are the digits.
    char16_t octalOrDigit() {
        char16_t first = cur();
        ++pos_;
        if (!IsOctal(first)) return first;
        unsigned value = first - '0';
        if (!atEnd() && IsOctal(cur())) {
            value = value * 8 + (cur() - '0');
            ++pos_;
            if (first <= '3' && !atEnd() && IsOctal(cur())) {
                value = value * 8 + (cur() - '0');
                ++pos_;
            }
        }
        return static_cast<char16_t>(value);
    }

    // At the character after '\' of an escape that stands for one code unit.
    char16_t characterEscape() {
        char16_t c = cur();
        ++pos_;
        switch (c) {
        case 'f': return u'\f';
        case 'n': return u'\n';
        case 'r': return u'\r';
        case 't': return u'\t';
        case 'v': return u'\v';
        case 'c':
            if (!atEnd() && automation::IsAsciiLetter(cur())) return static_cast<char16_t>(p_[pos_++] % 32);
            return c;
        case 'x': return hexEscape(2, c);
        case 'u': return hexEscape(4, c);
        default: return c;
        }
    }

    char16_t hexEscape(size_t digits, char16_t letter) {
        if (pos_ + digits > p_.size()) return letter;
        unsigned value = 0;
        for (size_t i = 0; i < digits; ++i) {
            int d = automation::HexDigitValue(p_[pos_ + i]);
            if (d < 0) return letter;
            value = value * 16 + d;
        }
        pos_ += digits;
        return static_cast<char16_t>(value);
    }

    NodePtr parseClass() {
        ++pos_;  // [
        bool negated = at('^');
        if (negated) ++pos_;
        auto set = std::make_shared<UnitBits>();
        for (;;) {
            if (atEnd()) RaiseError(errnum::kRegExpExpectedBracket);
            if (cur() == ']') break;
            addClassItem(*set);
        }
        ++pos_;  // ]
        if (ignoreCase_) casefold::Close(*set);
        if (negated) set->flip();
        return setNode(std::move(set));
    }

    // One atom, or a range atom-atom, into the set.
    void addClassItem(UnitBits& set) {
        ClassAtom from = parseClassAtom();
        bool rangeAhead = at('-') && pos_ + 1 < p_.size() && p_[pos_ + 1] != ']';
        if (from.set || !rangeAhead) {
            addAtom(set, from);
            return;
        }
        ++pos_;  // -
        ClassAtom to = parseClassAtom();
        if (to.set) {  // a class escape at an end: the '-' is a character
            addAtom(set, from);
            set.set(u'-');
            addAtom(set, to);
            return;
        }
        if (from.unit > to.unit) RaiseError(errnum::kRegExpInvalidRange);
        for (unsigned c = from.unit; c <= to.unit; ++c) set.set(c);
    }

    static void addAtom(UnitBits& set, const ClassAtom& atom) {
        if (atom.set) set |= *atom.set;
        else set.set(atom.unit);
    }

    ClassAtom parseClassAtom() {
        if (cur() != '\\') return {p_[pos_++], nullptr};
        ++pos_;
        if (atEnd()) RaiseError(errnum::kRegExpExpectedBracket);
        char16_t c = cur();
        if (SetPtr set = ClassEscape(c)) {
            ++pos_;
            return {0, std::move(set)};
        }
        if (c == 'b') {
            ++pos_;
            return {u'\b', nullptr};
        }
        if (IsDigit(c)) return {octalOrDigit(), nullptr};
        return {characterEscape(), nullptr};
    }

    std::u16string_view p_;
    bool ignoreCase_;
    size_t pos_ = 0;
    size_t groups_ = 0;
    std::vector<std::u16string_view> alternatives_;
};

}  // namespace

ParsedPattern Parse(std::u16string_view pattern, bool ignoreCase) { return Parser(pattern, ignoreCase).run(); }

}  // namespace regexp::dialect
