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
// pattern whose program or classes grow past these is PCRE2's; states past their bound are
// dropped and made again.
constexpr size_t kMostInstructions = 2048;
constexpr size_t kMostMatchers = 62;  // a class signature has a bit per test, and two more
constexpr size_t kMostStates = 1024;  // a row of edges is 260 bytes
constexpr size_t kMostLookaheads = 2;  // a state that asks them has a row for each set of answers
constexpr size_t kLongestLookahead = size_t(1) << 24;  // units a lookahead reads before the search is PCRE2's
// A lookahead read that goes on past kKeptReadsAfter units notes its state every kKeptReadStride
// units, for later reads to take its answer where they come to one of those in the same state.
constexpr size_t kKeptReadsAfter = 32;
constexpr size_t kKeptReadStride = 32;
constexpr uint64_t kWordBit = 1;
constexpr uint64_t kLineEndBit = 2;

}  // namespace

LazyDfa::Before LazyDfa::KindOfClass(uint64_t signature) {
    return (signature & kWordBit) ? kWordUnit : (signature & kLineEndBit) ? kLineEnd : kOther;
}

namespace {

bool IsAsciiLetter(char16_t unit) { return (unit | 0x20) >= u'a' && (unit | 0x20) <= u'z'; }

}  // namespace

std::optional<LazyDfa> LazyDfa::Compile(const Node& root, bool ignoreCase, bool multiline, Direction direction) {
    LazyDfa dfa;
    dfa.direction_ = direction;
    std::fill(&dfa.unitAnswers_[0][0], &dfa.unitAnswers_[0][0] + sizeof dfa.unitAnswers_, kAnswersUnknown);
    dfa.ignoreCase_ = ignoreCase;
    dfa.multiline_ = multiline;
    const bool emitted = dfa.emit(root);
    dfa.lookaheadNodes_.clear();  // the tree's, gone after this
    if (!emitted || dfa.program_.size() >= kMostInstructions) return std::nullopt;
    dfa.add(Instruction{Op::Match});
    if (!dfa.findClassesDecidingAsks() && !dfa.findClasses()) return std::nullopt;
    dfa.seen_.assign(dfa.program_.size(), 0);
    dfa.dropStates();
    return dfa;
}

uint32_t LazyDfa::add(Instruction instruction) {
    program_.push_back(instruction);
    return static_cast<uint32_t>(program_.size() - 1);
}

// The index of the matcher for a node that tests one unit, added when new; nothing for any other
// node, or when there are too many.
std::optional<uint32_t> LazyDfa::matcherFor(const Node& node) {
    Matcher matcher;
    if (node.kind == NodeKind::Unit && (!ignoreCase_ || node.unit < 128)) {
        matcher.a = matcher.b = node.unit;
        if (ignoreCase_ && IsAsciiLetter(node.unit)) {
            matcher.a = char16_t(node.unit | 0x20);
            matcher.b = char16_t(node.unit & ~0x20);
        }
    } else {
        matcher.bits = UnitNodeSet(node, ignoreCase_);
        if (!matcher.bits) return std::nullopt;
    }
    const size_t found = findMatcher(matcher);
    if (found == matchers_.size()) {
        if (matchers_.size() == kMostMatchers) return std::nullopt;
        matchers_.push_back(matcher);
    }
    return static_cast<uint32_t>(found);
}

size_t LazyDfa::findMatcher(const Matcher& matcher) const {
    auto same = [&](const Matcher& known) {
        return known.bits ? known.bits == matcher.bits : !matcher.bits && known.a == matcher.a && known.b == matcher.b;
    };
    return static_cast<size_t>(std::find_if(matchers_.begin(), matchers_.end(), same) - matchers_.begin());
}

bool LazyDfa::emitConsume(const Node& node) {
    const std::optional<uint32_t> matcher = matcherFor(node);
    if (matcher) add(Instruction{Op::Consume, NodeKind::Empty, *matcher});
    return matcher.has_value();
}

// A lookahead of one unit test, (?=X) or (?!X), asserts what the unit after the position is:
// forward the next one, backward the one read last (which the state then keeps). (?=X|$) is
// (?![^X]).
bool LazyDfa::emitUnitLookahead(const Node& node) {
    const Node& tested = node.child().kind == NodeKind::NonCapturing ? node.child().child() : node.child();
    std::optional<uint32_t> matcher = matcherFor(tested);
    NodeKind kind = node.kind;
    if (!matcher && kind == NodeKind::Lookahead) {
        if (std::unique_ptr<UnitBits> refused = UnitsRefusedNext(node, ignoreCase_)) {
            Node outside(NodeKind::Set);
            outside.set = std::move(refused);
            matcher = matcherFor(outside);
            kind = NodeKind::NegativeLookahead;
        }
    }
    if (!matcher) return false;
    add(Instruction{Op::Assert, kind, *matcher});
    keepsLastClass_ = direction_ == Direction::Backward;
    return true;
}

// A longer lookahead is asked of an automaton of its own, tried at the position, whichever way
// this one reads; a state whose ways may reach it has its edges by the answers too.
bool LazyDfa::emitLookahead(const Node& node) {
    if (emitUnitLookahead(node)) return true;
    // A repeat writes its part out once per pass: the lookaheads in it are asked once.
    const auto known = std::find(lookaheadNodes_.begin(), lookaheadNodes_.end(), &node);
    if (known == lookaheadNodes_.end()) {
        if (lookaheads_.size() == kMostLookaheads) return false;
        std::optional<LazyDfa> body = Compile(node.child(), ignoreCase_, multiline_, Direction::Forward);
        if (!body) return false;
        lookaheads_.push_back(std::make_unique<LazyDfa>(std::move(*body)));
        lookaheadNodes_.push_back(&node);
    }
    const auto index = static_cast<uint32_t>(std::find(lookaheadNodes_.begin(), lookaheadNodes_.end(), &node) - lookaheadNodes_.begin());
    add(Instruction{Op::Lookahead, node.kind, index});
    return true;
}

bool LazyDfa::emit(const Node& node) {
    if (program_.size() >= kMostInstructions) return false;
    switch (node.kind) {
    case NodeKind::Empty: return true;
    case NodeKind::Unit:
    case NodeKind::Set: return emitConsume(node);
    case NodeKind::Sequence: {
        const auto emitChild = [&](const dialect::NodePtr& child) { return emit(*child); };
        if (direction_ == Direction::Backward) return std::all_of(node.children.rbegin(), node.children.rend(), emitChild);
        return std::all_of(node.children.begin(), node.children.end(), emitChild);
    }
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
    case NodeKind::Group:
    case NodeKind::NonCapturing: return emit(node.child());
    case NodeKind::Repeat: return emitRepeat(node);
    case NodeKind::Start:
    case NodeKind::End:
        // Read backward, ^ looks at the unit still to come and $ at the one already read.
        if (direction_ == Direction::Backward) {
            add(Instruction{Op::Assert, node.kind == NodeKind::Start ? NodeKind::End : NodeKind::Start});
            return true;
        }
        [[fallthrough]];
    case NodeKind::WordBoundary:
    case NodeKind::NotWordBoundary: add(Instruction{Op::Assert, node.kind}); return true;
    case NodeKind::Lookahead:
    case NodeKind::NegativeLookahead: return emitLookahead(node);
    default: return false;  // back references
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

// Forward, the classes also tell the lookaheads' classes of the unit at the position, so that an
// ask the unit decides (as (?=\s*:) before a letter) is an edge of the table: false when that
// does not fit in the bounds.
bool LazyDfa::findClassesDecidingAsks() {
    if (direction_ != Direction::Forward || lookaheads_.empty()) return false;
    const size_t own = matchers_.size();
    for (const std::unique_ptr<LazyDfa>& body : lookaheads_) {
        for (const Matcher& matcher : body->matchers_) {
            if (findMatcher(matcher) == matchers_.size()) matchers_.push_back(matcher);
        }
    }
    decidesAsks_ = matchers_.size() <= kMostMatchers && findClasses();
    if (decidesAsks_) return true;
    matchers_.resize(own);
    classSignatures_.clear();
    classUnits_.clear();
    return false;
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
    classUnits_.push_back(unit);
    return static_cast<uint32_t>(classSignatures_.size() - 1);
}

bool LazyDfa::holds(const Instruction& assertion, const State& state, std::optional<uint32_t> next) const {
    const uint64_t nextBits = next ? classSignatures_[*next] : 0;
    switch (assertion.assertion) {
    case NodeKind::Start: return state.before == kTextStart || (multiline_ && state.before == kLineEnd);
    case NodeKind::End: return !next || (multiline_ && (nextBits & kLineEndBit));
    case NodeKind::Lookahead:
    case NodeKind::NegativeLookahead: {
        const std::optional<uint32_t> after = direction_ == Direction::Forward ? next : state.lastClass == kEndClass ? std::nullopt : std::optional(state.lastClass);
        const bool passes = after && (classSignatures_[*after] & (uint64_t{4} << assertion.first)) != 0;
        return passes == (assertion.assertion == NodeKind::Lookahead);
    }
    default:
        return ((state.before == kWordUnit) != ((nextBits & kWordBit) != 0)) == (assertion.assertion == NodeKind::WordBoundary);
    }
}

uint32_t LazyDfa::classAt(const char16_t* text, size_t size, size_t position) {
    return position == size ? kEndClass : text[position] < 256 ? lowClass_[text[position]] : classOf(text[position]);
}

void LazyDfa::dropStates() {
    states_.assign(1, State{kOther, false, {}, 0});
    answerRows_.assign(lookaheads_.empty() ? 0 : 1, kUnknown);
    answerEdges_.clear();
    backwardStartRows_.assign(keepsLastClass_ ? kRowSize : 0, kUnknown);  // no way left: stays there, and no match ends
    edges_.assign(kRowSize, 0);
    stateIndex_.clear();
    std::fill(std::begin(startRows_), std::end(startRows_), kUnknown);
    std::fill(std::begin(oneStartRows_), std::end(oneStartRows_), kUnknown);
    ++generation_;
}

uint32_t LazyDfa::rowFor(State state) {
    if (state.ways.empty() && !state.restarts) return 0;
    if (auto found = stateIndex_.find(state); found != stateIndex_.end()) return found->second * kRowSize;
    if (states_.size() == kMostStates) dropStates();
    const auto index = static_cast<uint32_t>(states_.size());
    states_.push_back(state);
    edges_.resize(edges_.size() + kRowSize, kUnknown);
    if (!lookaheads_.empty()) {
        answerRows_.push_back(kUnknown);
        if (mayAskLookaheads(state)) {
            answerRows_.back() = static_cast<uint32_t>(answerEdges_.size());
            answerEdges_.resize(answerEdges_.size() + (kRowSize << lookaheads_.size()), kUnknown);
        }
    }
    stateIndex_.emplace(std::move(state), index);
    return index * kRowSize;
}

// Follows the instructions on `pending` (the last first) through splits and jumps, each once in
// this pass; visit(pc, instruction) takes the others, may push onto `pending`, and stops the walk
// by returning false.
template <class Visit>
void LazyDfa::follow(std::vector<uint32_t>& pending, Visit&& visit) {
    while (!pending.empty()) {
        const uint32_t pc = pending.back();
        pending.pop_back();
        if (seen_[pc] == pass_) continue;
        seen_[pc] = pass_;
        const Instruction& step = program_[pc];
        if (step.op == Op::Split) {
            pending.push_back(step.second);
            pending.push_back(step.first);
        } else if (step.op == Op::Jump) {
            pending.push_back(step.first);
        } else if (!visit(pc, step)) {
            return;
        }
    }
}

// Whether a way of the state may reach a lookahead before its next test (assertions taken as
// holding).
bool LazyDfa::mayAskLookaheads(const State& state) {
    std::vector<uint32_t> pending = state.ways;
    if (state.restarts) pending.push_back(0);
    ++pass_;
    bool asks = false;
    follow(pending, [&](uint32_t pc, const Instruction& step) {
        asks = step.op == Op::Lookahead;
        if (step.op == Op::Assert) pending.push_back(pc + 1);
        return !asks;
    });
    return asks;
}

// The answers of the lookaheads at a position where the unit of the class comes next, when that
// unit decides them all.
std::optional<uint32_t> LazyDfa::answersOfUnit(Before before, uint32_t unitClass) {
    uint8_t& known = unitAnswers_[before][unitClass];
    if (known == kAnswersUnknown) {
        known = 0;
        for (size_t i = 0; i < lookaheads_.size() && known != kAnswersLater; ++i) {
            const std::optional<bool> answer = lookaheads_[i]->answerAtUnit(before, classUnits_[unitClass]);
            known = !answer ? kAnswersLater : *answer ? uint8_t(known | 1u << i) : known;
        }
    }
    if (known == kAnswersLater) return std::nullopt;
    return known;
}

// As a lookahead: whether it matches at a position from the unit there (and the one before)
// alone, when they decide it.
std::optional<bool> LazyDfa::answerAtUnit(Before before, char16_t unit) {
    const uint32_t unitClass = classOf(unit);
    if (unitClass == kUnknown) return std::nullopt;
    const uint32_t state = oneStartRow(before) / kRowSize;
    if (!answerRows_.empty() && answerRows_[state] != kUnknown) return std::nullopt;  // it asks lookaheads itself
    const uint32_t made = edgeSlot(state, unitClass, 0);
    const uint32_t encoded = made != kUnknown ? made : edge(state, unitClass, 0);
    if (encoded & kMatchBit) return true;
    if ((encoded >> 2) == 0) return false;
    return std::nullopt;  // it reads on
}

// The answers of the lookaheads at the position: bit i for lookahead i's pattern matching there.
uint32_t LazyDfa::answersAt(const char16_t* text, size_t size, size_t position) {
    uint32_t answers = 0;
    for (size_t i = 0; i < lookaheads_.size(); ++i) {
        LazyDfa& body = *lookaheads_[i];
        if (body.matchesAt(text, size, position)) answers |= 1u << i;
        unsure_ = body.tookUnsureAnswer() || unsure_;
    }
    return answers;
}

// Whether a match starts at the position, read no further than kLongestLookahead units (past
// that: false, and unsure_ is set). A long read ends where an earlier read passed in the same
// state, with that read's answer: so reads from every position of a long run cost a few units each.
bool LazyDfa::matchesAt(const char16_t* text, size_t size, size_t start) {
    uint32_t row = oneStartRow(start == 0 ? kTextStart : Kind(text[start - 1]));
    readNotes_.clear();
    keepReadsOfThisGeneration();
    const auto answer = [this](bool matched) {
        for (const uint64_t note : readNotes_) readAnswers_.emplace(note, matched);
        return matched;
    };
    for (size_t position = start;; ++position) {
        // Units below 256 along edges already made, up to the next place a long read notes: a
        // lookup each.
        const size_t noteAt = std::max(start + kKeptReadsAfter, (position + kKeptReadStride - 1) / kKeptReadStride * kKeptReadStride);
        for (const size_t stop = std::min(size, noteAt); position < stop && text[position] < 256; ++position) {
            const uint32_t next = edges_[row + lowClass_[text[position]]];
            if (next == kUnknown) break;
            if (next & kMatchBit) return answer(true);
            row = next >> 2;
            if (row == 0) return answer(false);
        }
        if (position - start >= kKeptReadsAfter && position % kKeptReadStride == 0) {
            const uint64_t note = uint64_t(position) << 32 | row;
            if (const auto known = readAnswers_.find(note); known != readAnswers_.end()) return answer(known->second);
            readNotes_.push_back(note);
        }
        const uint32_t encoded = edgeAt(row, classAt(text, size, position), text, size, position);
        keepReadsOfThisGeneration();
        if (encoded & kMatchBit) return answer(true);
        row = encoded >> 2;
        if (row == 0 || position == size) return answer(false);
        if (position - start >= kLongestLookahead) {
            unsure_ = true;
            return false;
        }
    }
}

void LazyDfa::forgetReads() {
    readAnswers_.clear();
    readNotes_.clear();
}

void LazyDfa::keepReadsOfThisGeneration() {
    if (readsGeneration_ == generation_) return;
    forgetReads();  // the rows noted are gone
    readsGeneration_ = generation_;
}

void LazyDfa::forgetReadsOfLookaheads() {
    for (const std::unique_ptr<LazyDfa>& body : lookaheads_) {
        if (!body->readAnswers_.empty()) body->forgetReads();
    }
}

// The ways of the state followed through splits, jumps and assertions (which see the unit
// before and the next one) to the tests that take the next unit, most preferred first, then a new
// try when the state restarts. Forward, a way that reaches the end matches and drops the rest;
// backward every way goes on. Then the tests that the next unit passes.
uint32_t LazyDfa::edge(uint32_t state, uint32_t unitClass, uint32_t answers) {
    const std::optional<uint32_t> next = unitClass == kEndClass ? std::nullopt : std::optional(unitClass);
    const State& from = states_[state];  // not used once rowFor may add states
    const bool restarts = from.restarts;
    const bool firstMatchOnly = direction_ == Direction::Forward;
    std::vector<uint32_t> ways = from.ways;
    if (restarts) ways.push_back(0);
    std::vector<uint32_t> tests;
    std::vector<uint32_t> pending;
    bool matched = false;
    ++pass_;
    for (uint32_t way : ways) {
        pending.push_back(way);
        follow(pending, [&](uint32_t pc, const Instruction& step) {
            switch (step.op) {
            case Op::Consume: tests.push_back(pc); break;
            case Op::Assert:
                if (holds(step, from, next)) pending.push_back(pc + 1);
                break;
            case Op::Lookahead:
                if (((answers >> step.first & 1) != 0) == (step.assertion == NodeKind::Lookahead)) pending.push_back(pc + 1);
                break;
            case Op::Match: matched = true; break;
            default: break;
            }
            return !(matched && firstMatchOnly);
        });
        if (matched && firstMatchOnly) break;
    }
    State target{kOther, restarts && !matched, {}, 0};
    if (next) {
        if (keepsLastClass_) target.lastClass = *next;
        const uint64_t bits = classSignatures_[*next];
        for (uint32_t pc : tests)
            if (bits & (uint64_t{4} << program_[pc].first)) target.ways.push_back(pc + 1);
        target.before = KindOfClass(bits);
    }
    const bool idle = target.restarts && target.ways.empty();
    const uint32_t generation = generation_;
    const uint32_t row = rowFor(std::move(target));
    const uint32_t encoded = row << 2 | (idle ? kIdleBit : 0) | (matched ? kMatchBit : 0);
    if (generation == generation_) edgeSlot(state, unitClass, answers) = encoded;  // else the row is gone
    return encoded;
}

uint32_t LazyDfa::startRow(Before before) {
    if (startRows_[before] == kUnknown) {
        const bool forward = direction_ == Direction::Forward;
        startRows_[before] = rowFor(State{before, forward, forward ? std::vector<uint32_t>{} : std::vector<uint32_t>{0}, 0});
    }
    return startRows_[before];
}

uint32_t LazyDfa::backwardStartRowAfter(uint32_t unitClass) {
    if (backwardStartRows_[unitClass] == kUnknown) {
        const Before before = unitClass == kEndClass ? kTextStart : KindOfClass(classSignatures_[unitClass]);
        backwardStartRows_[unitClass] = rowFor(State{before, false, {0}, unitClass});
    }
    return backwardStartRows_[unitClass];
}

uint32_t LazyDfa::rowWithoutRestarts(uint32_t row) {
    State state = states_[row / kRowSize];
    if (!state.restarts) return row;
    state.restarts = false;
    return rowFor(std::move(state));
}

uint32_t LazyDfa::oneStartRow(Before before) {
    if (oneStartRows_[before] == kUnknown) oneStartRows_[before] = rowFor(State{before, false, {0}, 0});
    return oneStartRows_[before];
}

uint32_t& LazyDfa::edgeSlot(uint32_t state, uint32_t unitClass, uint32_t answers) {
    const uint32_t answerRow = answerRows_.empty() ? kUnknown : answerRows_[state];
    if (answerRow == kUnknown) return edges_[state * kRowSize + unitClass];
    return answerEdges_[answerRow + answers * kRowSize + unitClass];
}

uint32_t LazyDfa::edgeAt(uint32_t row, uint32_t unitClass, const char16_t* text, size_t size, size_t position) {
    if (unitClass == kUnknown) {  // a unit of a class past the bound: the search is PCRE2's
        unsure_ = true;
        return 0;
    }
    const uint32_t state = row / kRowSize;
    const bool asks = !answerRows_.empty() && answerRows_[state] != kUnknown;
    if (asks && decidesAsks_ && unitClass != kEndClass) {
        if (const std::optional<uint32_t> answers = answersOfUnit(states_[state].before, unitClass)) {
            const uint32_t known = edgeSlot(state, unitClass, *answers);
            if (known != kUnknown) return edges_[row + unitClass] = known;
            const uint32_t generation = generation_;
            const uint32_t encoded = edge(state, unitClass, *answers);
            if (generation == generation_) edges_[row + unitClass] = encoded;  // the scans' table takes it on
            return encoded;
        }
    }
    const uint32_t answers = asks ? answersAt(text, size, position) : 0;
    if (unsure_) return 0;  // no way left: the scan stops, and its caller leaves the search to PCRE2
    const uint32_t known = edgeSlot(state, unitClass, answers);
    return known != kUnknown ? known : edge(state, unitClass, answers);
}

void LazyDfa::checkpoint(uint32_t& row) {
    const State state = states_[row / kRowSize];
    const uint32_t generation = generation_;
    SearchWatch::Checkpoint();
    if (generation != generation_) row = rowFor(state);
}

size_t LazyDfa::leftmostStartOfMatchEndingAt(const char16_t* text, size_t size, size_t from, size_t end) {
    const uint32_t endClass = keepsLastClass_ ? classAt(text, size, end) : kEndClass;
    if (endClass == kUnknown) {
        unsure_ = true;
        return Span::npos;
    }
    uint32_t row = keepsLastClass_ ? backwardStartRowAfter(endClass) : startRow(end == size ? kTextStart : Kind(text[end]));
    size_t start = Span::npos;
    size_t checkpointAt = end > kUnitsBetweenCheckpoints ? end - kUnitsBetweenCheckpoints : 0;
    for (size_t position = end;; --position) {
        // Units below 256 along edges already made that leave some way: a lookup each.
        for (const size_t stop = std::max(from, checkpointAt); position > stop && text[position - 1] < 256; --position) {
            const uint32_t next = edges_[row + lowClass_[text[position - 1]]];
            if (next == kUnknown || next >> 2 == 0) break;
            if (next & kMatchBit) start = position;
            row = next >> 2;
        }
        // The unit to come is the one before the position; at the text's start there is none.
        uint32_t encoded = kUnknown;
        if (position > 0 && text[position - 1] < 256) encoded = edges_[row + lowClass_[text[position - 1]]];
        if (encoded == kUnknown) encoded = edgeAt(row, position == 0 ? kEndClass : classAt(text, size, position - 1), text, size, position);
        if (encoded & kMatchBit) start = position;
        row = encoded >> 2;
        if (row == 0 || position == from) return start;
        if (position == checkpointAt) {
            checkpoint(row);
            checkpointAt = checkpointAt > kUnitsBetweenCheckpoints ? checkpointAt - kUnitsBetweenCheckpoints : 0;
        }
    }
}

}  // namespace regexp::detail
