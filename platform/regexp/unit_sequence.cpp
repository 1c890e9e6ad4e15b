#include "platform/regexp/unit_sequence.h"

#include <algorithm>
#include <cstring>
#include <memory>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/regexp/case_folding.h"
#include "platform/regexp/search_watch.h"

namespace regexp::detail {

namespace {

using dialect::Node;
using dialect::NodeKind;

// The set's only unit when it has just one and it is below 256 (searched for with FindUnit);
// -1 otherwise.
int OnlyUnitBelow256(const CodeUnitSet& units) {
    if (units.count() != 1) return -1;
    for (int unit = 0; unit < 256; ++unit)
        if (units.test(size_t(unit))) return unit;
    return -1;
}

}  // namespace

std::shared_ptr<const UnitBits> UnitNodeSet(const Node& node, bool ignoreCase) {
    if (node.kind == NodeKind::Set) return node.set;
    // Without regard to case, only ASCII units are walked; other case mappings are the engine's.
    if (node.kind != NodeKind::Unit || (ignoreCase && node.unit >= 128)) return nullptr;
    auto set = std::make_shared<UnitBits>();
    casefold::AddUnit(*set, node.unit, ignoreCase);
    return set;
}

// Eight units tested at a time, whole (blockHits: a pair of mask bits for each unit found): most
// searches end within a few units, where a call to memchr costs more than the testing. Past the
// first block, four blocks are tested together.
template <class BlockHits, class Found>
size_t FindBlockwise(std::u16string_view text, size_t from, BlockHits blockHits, Found found) {
    const char16_t* const units = text.data();
    const size_t size = text.size();
    size_t position = from;
#if defined(__SSE2__)
    auto hitsAt = [&](size_t at) { return blockHits(_mm_loadu_si128(reinterpret_cast<const __m128i*>(units + at))); };
    if (position + 8 <= size) {
        if (const unsigned mask = hitsAt(position)) return position + unsigned(__builtin_ctz(mask)) / 2;
        position += 8;
    }
    for (; position + 32 <= size; position += 32) {
        const unsigned low = hitsAt(position) | hitsAt(position + 8) << 16;
        const unsigned high = hitsAt(position + 16) | hitsAt(position + 24) << 16;
        if ((low | high) == 0) continue;
        return position + (low != 0 ? unsigned(__builtin_ctz(low)) : 32 + unsigned(__builtin_ctz(high))) / 2;
    }
    for (; position + 8 <= size; position += 8) {
        if (const unsigned mask = hitsAt(position)) return position + unsigned(__builtin_ctz(mask)) / 2;
    }
#endif
    for (; position < size; ++position)
        if (found(units[position])) return position;
    return size;
}

size_t FindUnit(std::u16string_view text, char16_t unit, size_t from) {
#if defined(__SSE2__)
    const __m128i wanted = _mm_set1_epi16(short(unit));
    auto blockHits = [wanted](__m128i block) { return unsigned(_mm_movemask_epi8(_mm_cmpeq_epi16(block, wanted))); };
#else
    auto blockHits = nullptr;
#endif
    return FindBlockwise(text, from, blockHits, [unit](char16_t at) { return at == unit; });
}

size_t FindUnitOf(std::u16string_view text, const std::array<char16_t, 4>& units, size_t from) {
#if defined(__SSE2__)
    const __m128i a = _mm_set1_epi16(short(units[0])), b = _mm_set1_epi16(short(units[1]));
    const __m128i c = _mm_set1_epi16(short(units[2])), d = _mm_set1_epi16(short(units[3]));
    auto blockHits = [=](__m128i block) {
        const __m128i ab = _mm_or_si128(_mm_cmpeq_epi16(block, a), _mm_cmpeq_epi16(block, b));
        const __m128i cd = _mm_or_si128(_mm_cmpeq_epi16(block, c), _mm_cmpeq_epi16(block, d));
        return unsigned(_mm_movemask_epi8(_mm_or_si128(ab, cd)));
    };
#else
    auto blockHits = nullptr;
#endif
    return FindBlockwise(text, from, blockHits, [&units](char16_t at) {
        return at == units[0] || at == units[1] || at == units[2] || at == units[3];
    });
}

// A unit is in the range when its distance from the first, wrapping below it, is within the span.
size_t FindUnitInRange(std::u16string_view text, char16_t first, char16_t last, size_t from) {
    const auto span = static_cast<uint16_t>(last - first);
#if defined(__SSE2__)
    const __m128i firsts = _mm_set1_epi16(short(first)), spans = _mm_set1_epi16(short(span));
    auto blockHits = [firsts, spans](__m128i block) {
        const __m128i beyond = _mm_subs_epu16(_mm_sub_epi16(block, firsts), spans);
        return unsigned(_mm_movemask_epi8(_mm_cmpeq_epi16(beyond, _mm_setzero_si128())));
    };
#else
    auto blockHits = nullptr;
#endif
    return FindBlockwise(text, from, blockHits, [first, span](char16_t at) { return uint16_t(at - first) <= span; });
}

#if defined(__SSE2__)
namespace {

// Lanes holding a word unit ([0-9A-Za-z_]): all ones.
__m128i WordLanes(__m128i block) {
    const auto within = [](__m128i units, short first, short span) {
        const __m128i beyond = _mm_subs_epu16(_mm_sub_epi16(units, _mm_set1_epi16(first)), _mm_set1_epi16(span));
        return _mm_cmpeq_epi16(beyond, _mm_setzero_si128());
    };
    const __m128i letter = within(_mm_or_si128(block, _mm_set1_epi16(0x20)), 'a', 25);
    const __m128i digit = within(block, '0', 9);
    return _mm_or_si128(_mm_or_si128(letter, digit), _mm_cmpeq_epi16(block, _mm_set1_epi16('_')));
}

}  // namespace
#endif

size_t FindWordStartIn(std::u16string_view text, const CodeUnitSet& units, size_t from) {
    const char16_t* const at = text.data();
    const size_t size = text.size();
    const auto startsHere = [&](size_t position) {
        return units.test(at[position]) && (position == 0 || !IsWordUnit(at[position - 1]));
    };
    size_t position = from;
    if (position == 0 && size > 0) {
        if (startsHere(0)) return 0;
        position = 1;
    }
#if defined(__SSE2__)
    // Word starts eight lanes at a time; each is then looked up in the set.
    for (; position + 8 <= size; position += 8) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + position));
        const __m128i before = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + position - 1));
        unsigned starts = unsigned(_mm_movemask_epi8(_mm_andnot_si128(WordLanes(before), WordLanes(block))));
        for (; starts != 0; starts &= starts - 1) {
            const size_t lane = unsigned(__builtin_ctz(starts)) / 2;
            starts &= starts - 1;  // the lane's second byte
            if (units.test(at[position + lane])) return position + lane;
        }
    }
#endif
    for (; position < size; ++position)
        if (startsHere(position)) return position;
    return size;
}

std::optional<UnitSequence> UnitSequence::Read(const Node& root, bool ignoreCase) {
    UnitSequence sequence;
    if (!sequence.addTerm(root, ignoreCase)) return std::nullopt;
    bool mandatory = std::any_of(sequence.steps_.begin(), sequence.steps_.end(), [](const Step& step) { return !step.optional; });
    if (!mandatory || !sequence.isGreedyOnly()) return std::nullopt;
    sequence.prepareSearch();
    return sequence;
}

bool UnitSequence::addTerm(const Node& node, bool ignoreCase) {
    switch (node.kind) {
    case NodeKind::Sequence:
        for (const dialect::NodePtr& child : node.children)
            if (!addTerm(*child, ignoreCase)) return false;
        return true;
    case NodeKind::NonCapturing: return addTerm(node.child(), ignoreCase);
    case NodeKind::Group: {
        size_t first = steps_.size();
        if (!addTerm(node.child(), ignoreCase) || steps_.size() == first) return false;
        groups_.push_back(Group{node.number, first, steps_.size()});
        return true;
    }
    default: return addStep(node, ignoreCase);
    }
}

bool UnitSequence::addStep(const Node& node, bool ignoreCase) {
    bool optional = false, repeated = false;
    const Node* tested = &node;
    if (node.kind == NodeKind::Repeat) {
        if (node.lazy || node.min > 1 || (node.max != 1 && node.max != dialect::kUnbounded)) return false;
        optional = node.min == 0;
        repeated = node.max == dialect::kUnbounded;
        tested = &node.child();
    }
    std::shared_ptr<const UnitBits> set = UnitNodeSet(*tested, ignoreCase);
    if (!set) return false;
    steps_.push_back(Step{CodeUnitSet(*set), optional, repeated});
    return true;
}

// Whether no optional or repeated step shares a unit with what may come right after it.
bool UnitSequence::isGreedyOnly() const {
    for (size_t i = 0; i < steps_.size(); ++i) {
        if (!steps_[i].optional && !steps_[i].repeated) continue;
        for (size_t next = i + 1; next < steps_.size(); ++next) {
            if (steps_[i].units.intersects(steps_[next].units)) return false;
            if (!steps_[next].optional) break;
        }
    }
    return true;
}

// A failed attempt need not be repeated inside the run that its first repeated step took when
// every attempt started there would take that run to the same end and go on alike from there:
// so for X+, X* and for X Y* or X Y+ at the start.
void UnitSequence::prepareSearch() {
    UnitBits first;
    for (const Step& step : steps_) {
        step.units.addTo(first);
        if (!step.optional) break;
    }
    first_ = CodeUnitSet(first);
    firstUnit_ = OnlyUnitBelow256(first_);
    if (firstUnit_ < 0) findAnchor();
    const Step& lead = steps_[0];
    // X+, and X Y* where X is taken once: a match starts at every unit of X and ends where
    // the repeated units do, so a search is a look for the first unit and a walk.
    oneRun_ = (steps_.size() == 1 && lead.repeated && !lead.optional) ||
              (steps_.size() == 2 && !lead.optional && !lead.repeated && steps_[1].repeated && steps_[1].optional);
    const bool twoOnce = steps_.size() == 2 && std::none_of(steps_.begin(), steps_.end(), [](const Step& step) {
        return step.optional || step.repeated;
    });
    pairs_ = twoOnce && lead.units.isSubsetOf(steps_[1].units);
    leadThenRun_ = steps_.size() == 3 && lead.optional && !lead.repeated && !steps_[1].optional && !steps_[1].repeated &&
                   steps_[2].optional && steps_[2].repeated && lead.units.isSubsetOf(steps_[2].units) &&
                   steps_[1].units.isSubsetOf(steps_[2].units);
    localRuns_ = (oneRun_ && (steps_.size() == 1 || lead.units.isSubsetOf(steps_[1].units))) || pairs_ || leadThenRun_;
    if (lead.repeated) {
        skipStep_ = 0;
    } else if (steps_.size() > 1 && !lead.optional && steps_[1].repeated) {
        skipStep_ = 1;
    }
}

// A later step that takes one unit once, which no step before it takes, such as the "(" of
// ([A-Za-z_]\w*)(\s*)(\(): every match holds that unit, and its first one at or after the
// match's start, with only units of the earlier steps before it. A search finds that unit
// first and tries only the starts in the run of such units before it.
void UnitSequence::findAnchor() {
    UnitBits before;
    size_t reach = 0;
    for (size_t i = 0; i < steps_.size(); ++i) {
        const Step& step = steps_[i];
        const int unit = i > 0 && !step.optional && !step.repeated ? OnlyUnitBelow256(step.units) : -1;
        if (unit >= 0 && !before.test(size_t(unit))) {
            anchorUnit_ = unit;
            beforeAnchor_ = CodeUnitSet(before);
            anchorReach_ = reach;
            return;
        }
        step.units.addTo(before);
        reach = step.repeated || reach == npos ? npos : reach + 1;
    }
}

[[gnu::always_inline]] inline UnitSequence::Attempt UnitSequence::attempt(const char16_t* text, size_t size, size_t start) const {
    size_t walkedTo = start;
    size_t skipTo = start + 1;
    const size_t end = walk(text, size, start, [&](size_t step, size_t stepEnd) {
        walkedTo = stepEnd;
        if (step == size_t(skipStep_)) skipTo = std::max(skipTo, stepEnd);
    });
    return Attempt{end, walkedTo, skipTo};
}

bool UnitSequence::findsInLinearTime() const {
    if (oneRun_) return true;
    // A run after the skipped one that holds no unit a match starts with is walked by one try:
    // the next try starts past it.
    for (size_t i = 0; i + 1 < steps_.size(); ++i) {
        if (!steps_[i].repeated || int(i) == skipStep_) continue;
        if (skipStep_ < 0 || int(i) < skipStep_ || steps_[i].units.intersects(first_)) return false;
    }
    return true;
}

Span UnitSequence::find(std::u16string_view text, size_t from, size_t lastStart) const {
    const size_t startsBefore = lastStart < text.size() ? lastStart + 1 : text.size();
    if (oneRun_) return findRun(text, from, startsBefore);
    if (anchorUnit_ >= 0) return findByAnchor(text, from, startsBefore);
    size_t walked = 0;
    return findBetween(text, from, startsBefore, walked);
}

size_t UnitSequence::firstStart(std::u16string_view text, size_t from, size_t limit) const {
    if (from >= limit) return limit;
    if (firstUnit_ >= 0) return FindUnit(text.substr(0, limit), char16_t(firstUnit_), from);
    const char16_t* const units = text.data();
    while (from < limit && !first_.test(units[from])) ++from;
    return from;
}

Span UnitSequence::findRun(std::u16string_view text, size_t from, size_t startsBefore) const {
    const char16_t* const units = text.data();
    const size_t size = text.size();
    const size_t start = firstStart(text, from, startsBefore);
    if (start >= startsBefore) return Span{};
    const CodeUnitSet& repeated = steps_.back().units;
    size_t end = start + 1;
    while (end < size && repeated.test(units[end])) ++end;
    return Span{start, end};
}

Span UnitSequence::findByAnchor(std::u16string_view text, size_t from, size_t startsBefore) const {
    const char16_t* const units = text.data();
    // An anchor further on than the steps before it reach from the last start is of no use.
    const std::u16string_view anchors = text.substr(0, anchorReach_ < text.size() - startsBefore ? startsBefore + anchorReach_ : text.size());
    size_t tried = from;  // no match starts before this
    size_t walked = 0;
    for (size_t anchor = FindUnit(anchors, char16_t(anchorUnit_), from); anchor < anchors.size() && tried < startsBefore;
         anchor = FindUnit(anchors, char16_t(anchorUnit_), anchor + 1)) {
        size_t first = anchor;
        while (first > tried && beforeAnchor_.test(units[first - 1])) --first;
        Span found = findBetween(text, first, std::min(anchor + 1, startsBefore), walked);
        if (found.matched()) return found;
        tried = anchor + 1;
    }
    return Span{};
}

// The first match that starts in [from, startsBefore). `walked` counts the units that failed
// attempts walked since the last checkpoint.
Span UnitSequence::findBetween(std::u16string_view text, size_t from, size_t startsBefore, size_t& walked) const {
    constexpr size_t kUnitsBetweenCheckpoints = 1 << 16;
    const char16_t* const units = text.data();
    const size_t size = text.size();
    for (size_t start = from;;) {
        start = firstStart(text, start, startsBefore);
        if (start >= startsBefore) return Span{};
        const Attempt tried = attempt(units, size, start);
        if (tried.end != npos) return Span{start, tried.end};
        walked += tried.walkedTo - start + 1;
        start = tried.skipTo;
        if (walked >= kUnitsBetweenCheckpoints) {  // attempts may walk far: a search may take long
            SearchWatch::Checkpoint();  // a tick may run this pattern too: nothing of it is used after
            walked = 0;
        }
    }
}

void UnitSequence::groupsAt(std::u16string_view text, size_t start, size_t groupCount,
                            std::vector<Span>& spans) const {
    constexpr size_t kStepsOnStack = 16;  // most sequences are a few steps: no allocation per match
    size_t onStack[kStepsOnStack];  // a match takes every step: each is written before it is read
    std::unique_ptr<size_t[]> onHeap;
    if (steps_.size() > kStepsOnStack) onHeap.reset(new size_t[steps_.size()]);
    size_t* const ends = onHeap ? onHeap.get() : onStack;
    const size_t end = walk(text.data(), text.size(), start, [&](size_t step, size_t stepEnd) { ends[step] = stepEnd; });
    spans.resize(groupCount + 1);
    spans[0] = Span{start, end};
    for (size_t group = 1; group <= groupCount; ++group) spans[group] = Span{};
    for (const Group& group : groups_) {
        if (group.number > groupCount) continue;
        size_t groupStart = group.first == 0 ? start : ends[group.first - 1];
        spans[group.number] = Span{groupStart, ends[group.last - 1]};
    }
}

}  // namespace regexp::detail
