#include "platform/regexp/lazy_dfa.h"

#include <algorithm>

#include "platform/regexp/pattern_analysis.h"
#include "platform/regexp/search_watch.h"
#include "platform/regexp/unit_sequence.h"

namespace regexp::detail {

namespace {

using dialect::Node;
using dialect::NodeKind;

// Bounds that keep an automaton small: a counted repeat is written out once per pass, and a
// pattern whose states or classes grow past these is PCRE2's.
constexpr size_t kMostInstructions = 2048;
constexpr size_t kMostMatchers = 62;  // a class signature has a bit per test, and two more
constexpr size_t kMostStates = 256;  // a row of edges is 260 bytes
constexpr uint64_t kWordBit = 1;
constexpr uint64_t kLineEndBit = 2;

bool IsAsciiLetter(char16_t unit) { return (unit | 0x20) >= u'a' && (unit | 0x20) <= u'z'; }

}  // namespace

std::optional<LazyDfa> LazyDfa::Compile(const Node& root, bool ignoreCase, bool multiline) {
    LazyDfa dfa;
    dfa.ignoreCase_ = ignoreCase;
    dfa.multiline_ = multiline;
    if (!dfa.emit(root) || dfa.program_.size() >= kMostInstructions) return std::nullopt;
    dfa.add(Instruction{Op::Match});
    if (!dfa.findClasses()) return std::nullopt;
    dfa.seen_.assign(dfa.program_.size(), 0);
    dfa.states_.push_back(State{kOther, {}});  // no way left: stays there, and no match ends
    dfa.edges_.assign(kRowSize, 0);
    return dfa;
}

uint32_t LazyDfa::add(Instruction instruction) {
    program_.push_back(instruction);
    return static_cast<uint32_t>(program_.size() - 1);
}

bool LazyDfa::emitConsume(const Node& node) {
    Matcher matcher;
    if (node.kind == NodeKind::Unit && (!ignoreCase_ || node.unit < 128)) {
        matcher.a = matcher.b = node.unit;
        if (ignoreCase_ && IsAsciiLetter(node.unit)) {
            matcher.a = char16_t(node.unit | 0x20);
            matcher.b = char16_t(node.unit & ~0x20);
        }
    } else {
        matcher.bits = UnitNodeSet(node, ignoreCase_);
        if (!matcher.bits) return false;
    }
    auto same = [&](const Matcher& known) {
        return known.bits ? known.bits == matcher.bits : !matcher.bits && known.a == matcher.a && known.b == matcher.b;
    };
    auto found = std::find_if(matchers_.begin(), matchers_.end(), same);
    if (found == matchers_.end()) {
        if (matchers_.size() == kMostMatchers) return false;
        found = matchers_.insert(matchers_.end(), matcher);
    }
    add(Instruction{Op::Consume, NodeKind::Empty, static_cast<uint32_t>(found - matchers_.begin())});
    return true;
}

bool LazyDfa::emit(const Node& node) {
    if (program_.size() >= kMostInstructions) return false;
    switch (node.kind) {
    case NodeKind::Empty: return true;
    case NodeKind::Unit:
    case NodeKind::Set: return emitConsume(node);
    case NodeKind::Sequence:
        return std::all_of(node.children.begin(), node.children.end(), [&](const dialect::NodePtr& child) { return emit(*child); });
    case NodeKind::Alternation: {
        std::vector<uint32_t> jumpsToEnd;
        for (size_t i = 0; i < node.children.size(); ++i) {
            const bool last = i + 1 == node.children.size();
            const uint32_t split = last ? 0 : add(Instruction{Op::Split});
            if (!last) program_[split].first = split + 1;
            if (!emit(*node.children[i])) return false;
            if (last) break;
            jumpsToEnd.push_back(add(Instruction{Op::Jump}));
            program_[split].second = static_cast<uint32_t>(program_.size());
        }
        for (uint32_t jump : jumpsToEnd) program_[jump].first = static_cast<uint32_t>(program_.size());
        return true;
    }
    case NodeKind::NonCapturing: return emit(node.child());
    case NodeKind::Repeat: return emitRepeat(node);
    case NodeKind::Start:
    case NodeKind::End:
    case NodeKind::WordBoundary:
    case NodeKind::NotWordBoundary: add(Instruction{Op::Assert, node.kind}); return true;
    default: return false;  // groups, lookaheads and back references
    }
}

// The part written out for each pass it must take, then behind a split for each pass it may
// take, or once in a loop when there is no upper bound; the split tries the part first when
// greedy and last when lazy.
bool LazyDfa::emitRepeat(const Node& node) {
    const Node& part = node.child();
    if (node.max > 1 && dialect::MayMatchEmpty(part)) return false;
    const bool unbounded = node.max == dialect::kUnbounded;
    const uint32_t passes = unbounded ? node.min + 1 : node.max;
    if (passes >= kMostInstructions) return false;
    for (uint32_t pass = 0; pass < node.min; ++pass)
        if (!emit(part)) return false;
    std::vector<uint32_t> splits;
    for (uint32_t pass = node.min; pass < passes; ++pass) {
        splits.push_back(add(Instruction{Op::Split}));
        if (!emit(part)) return false;
    }
    if (unbounded) add(Instruction{Op::Jump, NodeKind::Empty, splits.back()});
    const auto exit = static_cast<uint32_t>(program_.size());
    for (uint32_t split : splits) {
        program_[split].first = node.lazy ? exit : split + 1;
        program_[split].second = node.lazy ? split + 1 : exit;
    }
    return program_.size() < kMostInstructions;
}

uint64_t LazyDfa::signature(char16_t unit) const {
    uint64_t bits = (IsWordUnit(unit) ? kWordBit : 0) | (IsLineEnd(unit) ? kLineEndBit : 0);
    for (size_t i = 0; i < matchers_.size(); ++i)
        if (matchers_[i].test(unit)) bits |= uint64_t{4} << i;
    return bits;
}

bool LazyDfa::findClasses() {
    for (char16_t unit = 0; unit < 256; ++unit) {
        const uint32_t unitClass = classOf(unit);
        if (unitClass == kUnknown) return false;
        lowClass_[unit] = static_cast<uint8_t>(unitClass);
    }
    return true;
}

uint32_t LazyDfa::classOf(char16_t unit) {
    const uint64_t bits = signature(unit);
    const auto known = std::find(classSignatures_.begin(), classSignatures_.end(), bits);
    if (known != classSignatures_.end()) return static_cast<uint32_t>(known - classSignatures_.begin());
    if (classSignatures_.size() == kMostClasses) return kUnknown;
    classSignatures_.push_back(bits);
    return static_cast<uint32_t>(classSignatures_.size() - 1);
}

bool LazyDfa::holds(NodeKind assertion, Before before, std::optional<uint32_t> next) const {
    const uint64_t nextBits = next ? classSignatures_[*next] : 0;
    switch (assertion) {
    case NodeKind::Start: return before == kTextStart || (multiline_ && before == kLineEnd);
    case NodeKind::End: return !next || (multiline_ && (nextBits & kLineEndBit));
    default: return ((before == kWordUnit) != ((nextBits & kWordBit) != 0)) == (assertion == NodeKind::WordBoundary);
    }
}

std::optional<uint32_t> LazyDfa::stateFor(Before before, std::vector<uint32_t> ways) {
    if (ways.empty()) return 0;
    auto key = std::make_pair(before, std::move(ways));
    if (auto found = stateIndex_.find(key); found != stateIndex_.end()) return found->second;
    if (states_.size() == kMostStates) return std::nullopt;
    const auto index = static_cast<uint32_t>(states_.size());
    states_.push_back(State{before, key.second});
    edges_.resize(edges_.size() + kRowSize, kUnknown);
    stateIndex_.emplace(std::move(key), index);
    return index;
}

// The ways of the state followed through splits, jumps and assertions (which see the unit
// before and the next one) to the tests that take the next unit, most preferred first; a way
// that reaches the end matches and drops the rest. Then the tests that the next unit passes.
uint32_t LazyDfa::edge(uint32_t state, uint32_t unitClass) {
    const std::optional<uint32_t> next = unitClass == kEndClass ? std::nullopt : std::optional(unitClass);
    const Before before = states_[state].before;
    std::vector<uint32_t> tests;
    std::vector<uint32_t> pending;
    bool matched = false;
    ++pass_;
    for (uint32_t way : states_[state].ways) {
        pending.push_back(way);
        while (!pending.empty() && !matched) {
            const uint32_t pc = pending.back();
            pending.pop_back();
            if (seen_[pc] == pass_) continue;
            seen_[pc] = pass_;
            const Instruction& step = program_[pc];
            switch (step.op) {
            case Op::Consume: tests.push_back(pc); break;
            case Op::Split:
                pending.push_back(step.second);
                pending.push_back(step.first);
                break;
            case Op::Jump: pending.push_back(step.first); break;
            case Op::Assert:
                if (holds(step.assertion, before, next)) pending.push_back(pc + 1);
                break;
            case Op::Match: matched = true; break;
            }
        }
        if (matched) break;
    }
    std::vector<uint32_t> ways;
    if (next) {
        const uint64_t bits = classSignatures_[*next];
        for (uint32_t pc : tests)
            if (bits & (uint64_t{4} << program_[pc].first)) ways.push_back(pc + 1);
    }
    const Before after = !next ? kOther : (classSignatures_[*next] & kWordBit) ? kWordUnit : (classSignatures_[*next] & kLineEndBit) ? kLineEnd : kOther;
    const std::optional<uint32_t> target = stateFor(after, std::move(ways));
    if (!target) return kUnknown;
    const uint32_t encoded = *target * kRowSize << 1 | (matched ? 1 : 0);
    edges_[state * kRowSize + unitClass] = encoded;
    return encoded;
}

uint32_t LazyDfa::startRow(Before before) {
    if (!starts_[before]) starts_[before] = stateFor(before, {0});
    if (!starts_[before]) {
        overgrown_ = true;
        return kUnknown;
    }
    return *starts_[before] * kRowSize;
}

uint32_t LazyDfa::slowEdge(uint32_t row, uint32_t unitClass) {
    const uint32_t encoded = unitClass == kUnknown ? kUnknown : edge(row / kRowSize, unitClass);
    overgrown_ = encoded == kUnknown;
    return encoded;
}

void LazyDfa::checkpoint() { SearchWatch::Checkpoint(); }

}  // namespace regexp::detail
