#include "platform/regexp/keyword_set.h"

#include <algorithm>

namespace regexp {

KeywordSet::KeywordSet(const KeywordList& list) : ignoreCase_(list.ignoreCase) {
    std::vector<uint64_t> packed;
    for (std::u16string word : list.words) {
        if (word.empty()) continue;  // a run of word units is never empty
        std::transform(word.begin(), word.end(), word.begin(), [this](char16_t unit) { return folded(unit); });
        lengths_ |= uint64_t(1) << LengthBit(word.size());
        firstUnits_.add(word[0]);
        if (word.size() > 8) {
            longWords_.push_back(std::move(word));
            continue;
        }
        uint64_t key = 0;
        for (char16_t unit : word) key = key << 8 | unit;
        packed.push_back(key);
    }
    size_t slots = 8;
    while (slots < 2 * packed.size()) slots *= 2;
    table_.assign(slots, 0);
    mask_ = slots - 1;
    for (uint64_t key : packed) {
        size_t slot = SlotOf(key) & mask_;
        while (table_[slot] != 0 && table_[slot] != key) slot = (slot + 1) & mask_;
        table_[slot] = key;
    }
    std::sort(longWords_.begin(), longWords_.end());
}

bool KeywordSet::containsLong(std::u16string_view word) const {
    std::u16string key(word);
    std::transform(key.begin(), key.end(), key.begin(), [this](char16_t unit) { return folded(unit); });
    return std::binary_search(longWords_.begin(), longWords_.end(), key);
}

Span KeywordSet::findWord(std::u16string_view subject, size_t from, size_t lastStart) const {
    const size_t startsBefore = lastStart < subject.size() ? lastStart + 1 : subject.size();
    size_t at = from;
    while (at > 0 && at < subject.size() && IsWordUnit(subject[at - 1])) ++at;  // inside a run: past it
    while (at < startsBefore) {
        if (!IsWordUnit(subject[at])) {
            ++at;
            continue;
        }
        size_t end = at + 1;
        while (end < subject.size() && IsWordUnit(subject[end])) ++end;
        if (contains(subject.substr(at, end - at))) return Span{at, end};
        at = end;
    }
    return Span{};
}

NameSet::NameSet(const NameList& list) : words_(list.words), units_(list.nameUnits), wordStart_(list.wordStart) {
    for (const std::u16string& word : list.words.words) longest_ = std::max(longest_, word.size());
}

Span NameSet::matchAt(std::u16string_view subject, size_t at) const {
    const CodeUnitSet& units = *units_;
    auto mayBeginAt = [&](size_t q) { return !wordStart_ || q == 0 || !IsWordUnit(subject[q - 1]); };
    if (!mayBeginAt(at)) return Span{};
    // The run of name units from here: a name when it is short enough, ASCII and listed.
    size_t end = at;
    for (; end < subject.size() && units.test(subject[end]); ++end) {
        if (subject[end] >= 128 || end - at == longest_) return Span{};
    }
    if (end == at || !words_.contains(subject.substr(at, end - at))) return Span{};
    // A name that began earlier in the same run ends here too, and took this position in.
    for (size_t q = at; q > 0 && end - q < longest_ && units.test(subject[q - 1]) && subject[q - 1] < 128;) {
        --q;
        if (mayBeginAt(q) && words_.contains(subject.substr(q, end - q))) return Span{};
    }
    return Span{at, end};
}

}  // namespace regexp
