#include "platform/regexp/pattern_analysis.h"

#include <algorithm>
#include <cstdint>

#include "platform/automation/ascii.h"
#include "platform/regexp/case_folding.h"

namespace regexp::dialect {

namespace {

// Adds the units that a non-empty match of `node` can start with.
void AddFirstUnits(const Node& node, bool ignoreCase, UnitBits& out) {
    switch (node.kind) {
    case NodeKind::Unit: casefold::AddUnit(out, node.unit, ignoreCase); break;
    case NodeKind::Set: out |= *node.set; break;
    case NodeKind::Sequence:
        for (const NodePtr& child : node.children) {
            AddFirstUnits(*child, ignoreCase, out);
            if (!MayMatchEmpty(*child)) break;
        }
        break;
    case NodeKind::Alternation:
        for (const NodePtr& child : node.children) AddFirstUnits(*child, ignoreCase, out);
        break;
    case NodeKind::Group:
    case NodeKind::NonCapturing: AddFirstUnits(node.child(), ignoreCase, out); break;
    case NodeKind::Repeat:
        if (node.max > 0) AddFirstUnits(node.child(), ignoreCase, out);
        break;
    case NodeKind::BackReference: out.set(); break;
    case NodeKind::Empty:
    case NodeKind::Lookahead:  // zero-width: the units come from what follows
    case NodeKind::NegativeLookahead:
    case NodeKind::Start:
    case NodeKind::End:
    case NodeKind::WordBoundary:
    case NodeKind::NotWordBoundary: break;
    }
}

// Adds the units of a node that tests one code unit; false for any other node.
bool AddSingleUnit(const Node& node, bool ignoreCase, UnitBits& out) {
    switch (node.kind) {
    case NodeKind::Unit: casefold::AddUnit(out, node.unit, ignoreCase); return true;
    case NodeKind::Set: out |= *node.set; return true;
    case NodeKind::NonCapturing: return AddSingleUnit(node.child(), ignoreCase, out);
    case NodeKind::Alternation:
        for (const NodePtr& child : node.children)
            if (!AddSingleUnit(*child, ignoreCase, out)) return false;
        return true;
    default: return false;
    }
}

// Appends to `out` prefix + each text that the nodes of `rest` (the next one last) match one
// after the other, depth first: each text is built once, in the order of the alternatives. False
// when a node is of another kind, there would be more than kMostSpellings texts, or the nodes
// nest deeper than kDeepestSpelling (a unit a level: the stack stays small).
constexpr size_t kMostSpellings = size_t(1) << 16;
constexpr size_t kDeepestSpelling = 512;
bool AppendSpellings(std::vector<const Node*>& rest, std::u16string& prefix, std::vector<std::u16string>& out,
                     size_t depth = 0) {
    if (depth == kDeepestSpelling) return false;
    if (rest.empty()) {
        if (out.size() == kMostSpellings) return false;
        out.push_back(prefix);
        return true;
    }
    const Node& node = *rest.back();
    rest.pop_back();
    bool spelled = true;
    switch (node.kind) {
    case NodeKind::Empty: spelled = AppendSpellings(rest, prefix, out, depth + 1); break;
    case NodeKind::Unit:
        prefix.push_back(node.unit);
        spelled = AppendSpellings(rest, prefix, out, depth + 1);
        prefix.pop_back();
        break;
    case NodeKind::NonCapturing:
        rest.push_back(&node.child());
        spelled = AppendSpellings(rest, prefix, out, depth + 1);
        rest.pop_back();
        break;
    case NodeKind::Repeat:
        if (node.max != 1) {
            spelled = false;
            break;
        }
        rest.push_back(&node.child());
        spelled = AppendSpellings(rest, prefix, out, depth + 1);
        rest.pop_back();
        if (spelled && node.min == 0) spelled = AppendSpellings(rest, prefix, out, depth + 1);
        break;
    case NodeKind::Alternation:
        for (const NodePtr& child : node.children) {
            rest.push_back(child.get());
            spelled = AppendSpellings(rest, prefix, out, depth + 1);
            rest.pop_back();
            if (!spelled) break;
        }
        break;
    case NodeKind::Sequence:
        for (auto child = node.children.rbegin(); child != node.children.rend(); ++child) rest.push_back(child->get());
        spelled = AppendSpellings(rest, prefix, out, depth + 1);
        rest.resize(rest.size() - node.children.size());
        break;
    default: spelled = false; break;
    }
    rest.push_back(&node);
    return spelled;
}

// Every text a node of units, sequences, alternatives and optional parts matches (at most
// kMostSpellings of them); nothing for any other node.
std::optional<std::vector<std::u16string>> Spellings(const Node& node) {
    std::vector<const Node*> rest{&node};
    std::u16string prefix;
    std::vector<std::u16string> texts;
    if (!AppendSpellings(rest, prefix, texts)) return std::nullopt;
    return texts;
}

// Whether a name of a name list is spelled by units of the run that ends it.
bool IsListedName(std::u16string_view word, const UnitBits& nameUnits, bool wordStart) {
    if (word.empty() || (wordStart && !IsWordUnit(word[0]))) return false;
    return std::all_of(word.begin(), word.end(), [&](char16_t unit) { return unit != 0 && unit < 128 && nameUnits[unit]; });
}

// The part between \b and \b: a group of words, or the units of one word.
std::optional<KeywordList> KeywordsBetweenBoundaries(const std::vector<NodePtr>& terms, bool ignoreCase) {
    KeywordList list;
    list.ignoreCase = ignoreCase;
    const Node& inner = *terms[1];
    std::optional<std::vector<std::u16string>> words;
    if (terms.size() == 3 && (inner.kind == NodeKind::Group || inner.kind == NodeKind::NonCapturing)) {
        list.captured = inner.kind == NodeKind::Group;
        words = Spellings(inner.child());
    } else {
        std::u16string word;
        for (size_t i = 1; i + 1 < terms.size(); ++i) {
            if (terms[i]->kind != NodeKind::Unit || !IsWordUnit(terms[i]->unit)) return std::nullopt;
            word += terms[i]->unit;
        }
        words = std::vector<std::u16string>{word};
    }
    const auto isWord = [](const std::u16string& word) { return !word.empty() && std::all_of(word.begin(), word.end(), IsWordUnit); };
    if (!words || !std::all_of(words->begin(), words->end(), isWord)) return std::nullopt;
    list.words = std::move(*words);
    return list;
}

}  // namespace

bool MayMatchEmpty(const Node& node) {
    switch (node.kind) {
    case NodeKind::Unit:
    case NodeKind::Set: return false;
    case NodeKind::Sequence:
        for (const NodePtr& child : node.children)
            if (!MayMatchEmpty(*child)) return false;
        return true;
    case NodeKind::Alternation:
        for (const NodePtr& child : node.children)
            if (MayMatchEmpty(*child)) return true;
        return false;
    case NodeKind::Group:
    case NodeKind::NonCapturing: return MayMatchEmpty(node.child());
    case NodeKind::Repeat: return node.min == 0 || MayMatchEmpty(node.child());
    default: return true;  // assertions, back references, the empty pattern
    }
}

bool RefersBack(const Node& node) {
    return node.kind == NodeKind::BackReference ||
           std::any_of(node.children.begin(), node.children.end(), [](const NodePtr& child) { return RefersBack(*child); });
}

namespace {

// ofAPart: only a repeat of more than one unit test counts.
bool HoldsUnboundedRepeat(const Node& node, bool ofAPart = false) {
    if (node.kind == NodeKind::Repeat && node.max == kUnbounded && (!ofAPart || !SingleUnitSet(node.child(), false))) return true;
    return std::any_of(node.children.begin(), node.children.end(),
                       [ofAPart](const NodePtr& child) { return HoldsUnboundedRepeat(*child, ofAPart); });
}

const Node& Ungrouped(const Node& node) {
    return node.kind == NodeKind::Group || node.kind == NodeKind::NonCapturing ? Ungrouped(node.child()) : node;
}

bool RereadsRun(const Node& repeat, const Node& lookahead, bool ignoreCase) {
    if (repeat.kind != NodeKind::Repeat || repeat.max != kUnbounded || !HoldsUnboundedRepeat(lookahead)) return false;
    const std::unique_ptr<UnitBits> run = FirstUnits(repeat.child(), ignoreCase);
    const std::unique_ptr<UnitBits> asked = FirstUnits(lookahead.child(), ignoreCase);
    return run && asked && (*run & *asked).any();
}

}  // namespace

bool RepeatsAPart(const Node& node) { return HoldsUnboundedRepeat(node, true); }

bool LookaheadRereadsRun(const Node& node, bool ignoreCase) {
    if (node.kind == NodeKind::Sequence) {
        for (size_t i = 1; i < node.children.size(); ++i) {
            const Node& child = *node.children[i];
            const bool looksAhead = child.kind == NodeKind::Lookahead || child.kind == NodeKind::NegativeLookahead;
            if (looksAhead && RereadsRun(Ungrouped(*node.children[i - 1]), child, ignoreCase)) return true;
        }
    }
    return std::any_of(node.children.begin(), node.children.end(),
                       [ignoreCase](const NodePtr& child) { return LookaheadRereadsRun(*child, ignoreCase); });
}

bool LooksAheadAtStart(const Node& node) {
    switch (node.kind) {
    case NodeKind::Lookahead: return true;
    case NodeKind::Sequence:
        for (const NodePtr& child : node.children) {
            if (LooksAheadAtStart(*child)) return true;
            if (!MayMatchEmpty(*child)) return false;
        }
        return false;
    case NodeKind::Alternation:
        return std::any_of(node.children.begin(), node.children.end(),
                           [](const NodePtr& child) { return LooksAheadAtStart(*child); });
    case NodeKind::Group:
    case NodeKind::NonCapturing: return LooksAheadAtStart(node.child());
    case NodeKind::Repeat: return node.max > 0 && LooksAheadAtStart(node.child());
    default: return false;
    }
}

namespace {

// What a node consumes at the least, and how far from its start it inspects at the least.
struct Extent {
    uint64_t consumed = 0;
    uint64_t reach = 0;
};

constexpr uint64_t kExtentCap = uint64_t(1) << 40;  // far beyond any subject; keeps sums exact

Extent ExtentOf(const Node& node) {
    switch (node.kind) {
    case NodeKind::Unit:
    case NodeKind::Set: return {1, 1};
    case NodeKind::Sequence: {
        Extent total;
        for (const NodePtr& child : node.children) {
            Extent part = ExtentOf(*child);
            total.reach = std::max(total.reach, total.consumed + part.reach);
            total.consumed = std::min(total.consumed + part.consumed, kExtentCap);
        }
        total.reach = std::min(std::max(total.reach, total.consumed), kExtentCap);
        return total;
    }
    case NodeKind::Alternation: {
        Extent least{kExtentCap, kExtentCap};
        for (const NodePtr& child : node.children) {
            Extent part = ExtentOf(*child);
            least.consumed = std::min(least.consumed, part.consumed);
            least.reach = std::min(least.reach, part.reach);
        }
        return node.children.empty() ? Extent{} : least;
    }
    case NodeKind::Group:
    case NodeKind::NonCapturing: return ExtentOf(node.child());
    case NodeKind::Lookahead: return {0, ExtentOf(node.child()).reach};
    case NodeKind::Repeat: {
        if (node.min == 0) return {};
        Extent once = ExtentOf(node.child());
        uint64_t before = std::min(uint64_t(node.min - 1) * once.consumed, kExtentCap);
        return {std::min(before + once.consumed, kExtentCap), std::min(before + once.reach, kExtentCap)};
    }
    default: return {};  // assertions, negative lookaheads, back references, the empty pattern
    }
}

// The most units a match of the node consumes; nothing when there is no bound.
std::optional<size_t> MaximumLength(const Node& node) {
    constexpr size_t kLongest = size_t(1) << 20;  // longer parts are taken as unbounded
    switch (node.kind) {
    case NodeKind::Unit:
    case NodeKind::Set: return 1;
    case NodeKind::Sequence:
    case NodeKind::Alternation: {
        size_t total = 0;
        for (const NodePtr& child : node.children) {
            std::optional<size_t> part = MaximumLength(*child);
            if (!part) return std::nullopt;
            total = node.kind == NodeKind::Sequence ? total + *part : std::max(total, *part);
            if (total > kLongest) return std::nullopt;
        }
        return total;
    }
    case NodeKind::Group:
    case NodeKind::NonCapturing: return MaximumLength(node.child());
    case NodeKind::Repeat: {
        if (node.max == kUnbounded) return std::nullopt;
        std::optional<size_t> once = MaximumLength(node.child());
        if (!once || (*once > 0 && node.max > kLongest / *once)) return std::nullopt;
        return *once * node.max;
    }
    case NodeKind::BackReference: return std::nullopt;
    default: return 0;  // assertions, lookaheads, the empty pattern
    }
}

// The number of units every match of the node takes, when it is one number.
std::optional<size_t> FixedLength(const Node& node) {
    const std::optional<size_t> longest = MaximumLength(node);
    if (!longest || *longest != ExtentOf(node).consumed) return std::nullopt;
    return longest;
}

bool HasUnequalFixedAlternatives(const Node& alternation) {
    std::optional<size_t> length;
    for (const NodePtr& child : alternation.children) {
        const std::optional<size_t> consumed = FixedLength(*child);
        if (!consumed) continue;
        if (length && *length != *consumed) return true;
        length = consumed;
    }
    return false;
}

enum class Prefix { Found, Fixed, Ends };

// Looks for an alternation with alternatives of unequal fixed lengths through the parts of fixed
// length from the node's start.
Prefix ScanFixedPrefix(const Node& node) {
    switch (node.kind) {
    case NodeKind::Sequence:
        for (const NodePtr& child : node.children) {
            const Prefix part = ScanFixedPrefix(*child);
            if (part != Prefix::Fixed) return part;
        }
        return Prefix::Fixed;
    case NodeKind::Alternation:
        if (HasUnequalFixedAlternatives(node)) return Prefix::Found;
        for (const NodePtr& child : node.children)
            if (ScanFixedPrefix(*child) == Prefix::Found) return Prefix::Found;
        break;
    case NodeKind::Group:
    case NodeKind::NonCapturing:
    case NodeKind::Repeat:
        if (ScanFixedPrefix(node.child()) == Prefix::Found) return Prefix::Found;
        break;
    default: break;
    }
    return FixedLength(node) ? Prefix::Fixed : Prefix::Ends;
}

}  // namespace

const Node* PartOpeningUnequalAlternatives(const Node& root) {
    if (root.kind != NodeKind::Sequence) return ScanFixedPrefix(root) == Prefix::Found ? &root : nullptr;
    for (const NodePtr& child : root.children) {
        const Prefix part = ScanFixedPrefix(*child);
        if (part == Prefix::Found) return child.get();
        if (part == Prefix::Ends) break;
    }
    return nullptr;
}

namespace {

constexpr size_t kNoBound = SIZE_MAX;

// Looks for the required unit among the parts that every match takes in order, `before` units
// after the match's start at most (kNoBound: no bound is known).
std::optional<RequiredUnit> RequiredUnitOf(const Node& node, bool ignoreCase, size_t& before) {
    switch (node.kind) {
    case NodeKind::Unit:
        if (before > 0 && (!ignoreCase || casefold::CaseVariants(node.unit).size() == 1)) return RequiredUnit{node.unit, before};
        break;
    case NodeKind::Sequence:
        for (const NodePtr& child : node.children) {
            if (std::optional<RequiredUnit> found = RequiredUnitOf(*child, ignoreCase, before)) return found;
            if (before == kNoBound) return std::nullopt;
        }
        return std::nullopt;
    case NodeKind::Group:
    case NodeKind::NonCapturing: return RequiredUnitOf(node.child(), ignoreCase, before);
    default: break;
    }
    std::optional<size_t> length = MaximumLength(node);
    before = length ? before + *length : kNoBound;
    return std::nullopt;
}

}  // namespace

std::optional<RequiredUnit> FindRequiredUnit(const Node& root, bool ignoreCase) {
    size_t before = 0;
    return RequiredUnitOf(root, ignoreCase, before);
}

namespace {

// The ASCII units a part of a sequence may take (a lookahead takes none).
std::bitset<128> PartHolds(const Node& part, bool ignoreCase) {
    const bool looks = part.kind == NodeKind::Lookahead || part.kind == NodeKind::NegativeLookahead;
    return looks ? std::bitset<128>() : AsciiUnitsHeld(part, ignoreCase);
}

bool HeldAmong(const UnitBits& units, const std::bitset<128>& held) {
    for (size_t unit = units._Find_first(); unit < 128; unit = units._Find_next(unit))
        if (held[unit]) return true;
    return false;
}

// Visits the holders of the parts of a sequence: its children, where a positive lookahead that
// comes last gives its own parts in its place (the text it reads comes right after the match).
template <class SequenceNode, class Visit>
void VisitParts(SequenceNode& sequence, Visit visit) {
    auto& children = sequence.children;
    const size_t ending = !children.empty() && children.back()->kind == NodeKind::Lookahead ? 1 : 0;
    for (size_t i = 0; i + ending < children.size(); ++i) visit(children[i]);
    if (ending == 0) return;
    NodePtr* body = &children.back()->children.front();
    while ((*body)->kind == NodeKind::NonCapturing) body = &(*body)->children.front();
    if ((*body)->kind != NodeKind::Sequence) {
        visit(*body);
        return;
    }
    for (NodePtr& part : (*body)->children) visit(part);
}

std::vector<const Node*> PartsOf(const Node& sequence) {
    std::vector<const Node*> parts;
    VisitParts(sequence, [&](const NodePtr& part) { parts.push_back(part.get()); });
    return parts;
}

// The last of the parts that begins with at most four ASCII units, none of which the parts before
// it (which take some units; but for the first part when `firstApart`) hold: its index and those
// units. The later the part, the fewer places where the parts before it end at such a unit.
std::optional<std::pair<size_t, UnitBits>> LastInnerPart(const std::vector<const Node*>& parts, bool ignoreCase, bool firstApart) {
    std::optional<std::pair<size_t, UnitBits>> found;
    bool takesBefore = false;
    std::bitset<128> heldBefore;  // by the parts that count
    for (size_t i = 0; i < parts.size(); ++i) {
        std::unique_ptr<UnitBits> first = takesBefore ? FirstUnits(*parts[i], ignoreCase) : nullptr;
        if (first && first->any() && first->count() <= 4 && first->_Find_next(127) == first->size() &&
            !HeldAmong(*first, heldBefore))
            found.emplace(i, *first);
        const std::bitset<128> held = PartHolds(*parts[i], ignoreCase);
        takesBefore |= held.any();
        if (i > 0 || !firstApart) heldBefore |= held;
    }
    return found;
}

}  // namespace

NodePtr PartsBeforeInner(NodePtr root, const InnerUnits& inner) {
    const bool alternation = root->kind == NodeKind::Alternation;
    for (size_t i = 0; i < inner.partsBefore.size(); ++i) {
        auto taken = std::make_unique<Node>(NodeKind::Sequence);
        VisitParts(alternation ? *root->children[i] : *root, [&](NodePtr& part) {
            if (taken->children.size() < inner.partsBefore[i]) taken->children.push_back(std::move(part));
        });
        if (!alternation) return taken;
        root->children[i] = std::move(taken);
    }
    return root;
}

std::optional<InnerUnits> FindInnerUnits(const Node& root, bool ignoreCase) {
    std::vector<const Node*> sequences{&root};
    if (root.kind == NodeKind::Alternation) {
        sequences.clear();
        for (const NodePtr& alternative : root.children) sequences.push_back(alternative.get());
    }
    if (!std::all_of(sequences.begin(), sequences.end(), [](const Node* sequence) { return sequence->kind == NodeKind::Sequence; }))
        return std::nullopt;
    std::vector<std::vector<const Node*>> partsOf;
    for (const Node* sequence : sequences) partsOf.push_back(PartsOf(*sequence));
    InnerUnits inner;
    inner.afterFirstUnit = std::all_of(partsOf.begin(), partsOf.end(), [&](const std::vector<const Node*>& parts) {
        return !parts.empty() && SingleUnitSet(*parts.front(), ignoreCase) != nullptr;
    });
    UnitBits units;
    for (const std::vector<const Node*>& parts : partsOf) {
        std::optional<std::pair<size_t, UnitBits>> part = LastInnerPart(parts, ignoreCase, inner.afterFirstUnit);
        if (!part) return std::nullopt;
        inner.partsBefore.push_back(part->first);
        units |= part->second;
    }
    if (units.count() > inner.units.size()) return std::nullopt;
    for (size_t i = 0; i < partsOf.size(); ++i) {
        std::bitset<128> held;
        for (size_t part = inner.afterFirstUnit ? 1 : 0; part < inner.partsBefore[i]; ++part) held |= PartHolds(*partsOf[i][part], ignoreCase);
        if (HeldAmong(units, held)) return std::nullopt;
    }
    for (size_t unit = units._Find_first(); unit < 128; unit = units._Find_next(unit)) inner.units[inner.count++] = char16_t(unit);
    std::fill(inner.units.begin() + inner.count, inner.units.end(), inner.units[0]);
    return inner;
}

size_t MinimumReach(const Node& node) { return size_t(ExtentOf(node).reach); }

std::unique_ptr<UnitBits> FirstUnits(const Node& root, bool ignoreCase) {
    if (MayMatchEmpty(root)) return nullptr;
    auto set = std::make_unique<UnitBits>();
    AddFirstUnits(root, ignoreCase, *set);
    return set;
}

std::unique_ptr<UnitBits> SingleUnitSet(const Node& root, bool ignoreCase) {
    auto set = std::make_unique<UnitBits>();
    if (!AddSingleUnit(root, ignoreCase, *set)) return nullptr;
    return set;
}

std::bitset<128> AsciiUnitsHeld(const Node& node, bool ignoreCase) {
    std::bitset<128> held;
    switch (node.kind) {
    case NodeKind::Unit:
        if (node.unit < 128) {
            held.set(node.unit);
            if (ignoreCase) held.set(automation::AsciiLower(node.unit)).set(automation::AsciiUpper(node.unit));
        }
        break;
    case NodeKind::Set:
        for (char16_t unit = 0; unit < 128; ++unit) held[unit] = node.set->test(unit);
        break;
    case NodeKind::BackReference: break;  // the group's text, held by the group
    default:
        for (const NodePtr& child : node.children) held |= AsciiUnitsHeld(*child, ignoreCase);
    }
    return held;
}

LookBack LooksBack(const Node& root, bool multiline) {
    LookBack found;
    switch (root.kind) {
    case NodeKind::WordBoundary:
    case NodeKind::NotWordBoundary: found.wordBoundary = true; break;
    case NodeKind::Start: (multiline ? found.lineStart : found.textStart) = true; break;
    default:
        for (const NodePtr& child : root.children) {
            const LookBack inner = LooksBack(*child, multiline);
            found.wordBoundary |= inner.wordBoundary;
            found.lineStart |= inner.lineStart;
            found.textStart |= inner.textStart;
        }
    }
    return found;
}

bool StartsAtWordBoundary(const Node& root) {
    return root.kind == NodeKind::Sequence && !root.children.empty() && root.children.front()->kind == NodeKind::WordBoundary;
}

std::optional<KeywordList> FindKeywordList(const Node& root, bool ignoreCase) {
    if (root.kind != NodeKind::Sequence || root.children.size() < 3) return std::nullopt;
    const std::vector<NodePtr>& terms = root.children;
    if (terms.front()->kind != NodeKind::WordBoundary || terms.back()->kind != NodeKind::WordBoundary) return std::nullopt;
    return KeywordsBetweenBoundaries(terms, ignoreCase);
}

namespace {

// Whether a node may take or look at a unit beyond ASCII (a back reference may).
bool HoldsBeyondAscii(const Node& node) {
    switch (node.kind) {
    case NodeKind::Unit: return node.unit >= 128;
    case NodeKind::Set: return node.set->_Find_next(127) < node.set->size();
    case NodeKind::BackReference: return true;
    default: return std::any_of(node.children.begin(), node.children.end(), [](const NodePtr& child) { return HoldsBeyondAscii(*child); });
    }
}

}  // namespace

std::unique_ptr<UnitBits> StartUnitsNotTakenLater(const Node& root, bool ignoreCase) {
    if (root.kind != NodeKind::Sequence) return nullptr;
    const std::vector<NodePtr>& terms = root.children;
    const size_t first = !terms.empty() && terms.front()->kind == NodeKind::WordBoundary ? 1 : 0;
    if (first >= terms.size()) return nullptr;
    // One test, or one repeated (\d+): then what it takes after its first unit counts as later.
    const Node& lead = *terms[first];
    const bool repeated = lead.kind == NodeKind::Repeat && lead.min >= 1 && lead.max > 1;
    std::unique_ptr<UnitBits> starts = SingleUnitSet(repeated ? lead.child() : lead, ignoreCase);
    if (!starts || starts->none()) return nullptr;
    std::bitset<128> later, words;
    bool laterBeyondAscii = false;
    if (repeated) {
        later = AsciiUnitsHeld(lead, ignoreCase);
        laterBeyondAscii = HoldsBeyondAscii(lead);
    }
    for (size_t i = first + 1; i < terms.size(); ++i) {
        later |= AsciiUnitsHeld(*terms[i], ignoreCase);
        laterBeyondAscii |= HoldsBeyondAscii(*terms[i]);
    }
    for (char16_t unit = 0; unit < 128; ++unit) words[unit] = IsWordUnit(unit);
    bool notLater = true, allWords = first == 1 && !laterBeyondAscii && (later & ~words).none();
    for (size_t unit = starts->_Find_first(); unit < starts->size(); unit = starts->_Find_next(unit)) {
        if (unit >= 128) return nullptr;
        notLater &= !later[unit];
        allWords &= words[unit];
    }
    return notLater || allWords ? std::move(starts) : nullptr;
}

std::unique_ptr<UnitBits> UnitsRefusedNext(const Node& lookahead, bool ignoreCase) {
    if (lookahead.kind == NodeKind::NegativeLookahead) return SingleUnitSet(lookahead.child(), ignoreCase);
    if (lookahead.kind != NodeKind::Lookahead) return nullptr;
    const Node& either = lookahead.child();
    if (either.kind != NodeKind::Alternation || either.children.size() != 2) return nullptr;
    const bool endFirst = either.children[0]->kind == NodeKind::End;
    if (either.children[endFirst ? 0 : 1]->kind != NodeKind::End) return nullptr;
    std::unique_ptr<UnitBits> followers = SingleUnitSet(*either.children[endFirst ? 1 : 0], ignoreCase);
    if (!followers || !followers->test(u'\n') || !followers->test(u'\r')) return nullptr;
    followers->flip();
    return followers;
}

std::optional<NameList> FindNameList(const Node& root, bool ignoreCase) {
    if (ignoreCase || root.kind != NodeKind::Sequence) return std::nullopt;
    const std::vector<NodePtr>& terms = root.children;
    const bool wordStart = terms.size() == 3 && terms.front()->kind == NodeKind::WordBoundary;
    if (terms.size() != (wordStart ? 3 : 2)) return std::nullopt;
    const Node& words = *terms[terms.size() - 2];
    if (words.kind != NodeKind::Group && words.kind != NodeKind::NonCapturing) return std::nullopt;
    std::unique_ptr<UnitBits> nameUnits = UnitsRefusedNext(*terms.back(), false);
    std::optional<std::vector<std::u16string>> spelled = Spellings(words.child());
    if (!nameUnits || !spelled) return std::nullopt;
    for (const std::u16string& word : *spelled)
        if (!IsListedName(word, *nameUnits, wordStart)) return std::nullopt;
    std::sort(spelled->begin(), spelled->end());
    spelled->erase(std::unique(spelled->begin(), spelled->end()), spelled->end());
    NameList list;
    list.words.words = std::move(*spelled);
    list.words.captured = words.kind == NodeKind::Group;
    list.nameUnits = std::make_shared<const CodeUnitSet>(*nameUnits);
    list.wordStart = wordStart;
    return list;
}

}  // namespace regexp::dialect
