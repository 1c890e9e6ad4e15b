#include "platform/regexp/pattern_set.h"

#include <algorithm>

namespace regexp {

PatternSet::PatternSet(std::vector<std::shared_ptr<Pattern>> patterns)
    : patterns_(std::move(patterns)), decided_(patterns_.size()) {
    for (uint32_t index = 0; index < patterns_.size(); ++index) classify(index, *patterns_[index]);
    indexAscii();
}

void PatternSet::classify(uint32_t index, Pattern& pattern) {
    Decided& member = decided_[index];
    if (const CodeUnitSet* set = pattern.singleUnitSet()) {
        member.singles = set;
        singles_.push_back(index);
        return;
    }
    if (classifyDecided(index, pattern)) return;
    const std::optional<Pattern::SinglesApart>& apart = pattern.singlesApart();
    if (apart && classifyDecided(index, *apart->rest)) {  // the pattern keeps its parts
        member.singles = &apart->units;
        member.apart = true;
        singles_.push_back(index);
        return;
    }
    searched_.push_back(index);
}

bool PatternSet::classifyDecided(uint32_t index, Pattern& pattern) {
    Decided& member = decided_[index];
    if (const std::optional<KeywordList>& list = pattern.keywordList()) {
        member.words = std::make_unique<KeywordSet>(*list);
        words_.push_back(index);
    } else if (const std::optional<NameList>& names = pattern.nameList()) {
        member.names = std::make_unique<NameSet>(*names);
        names_.push_back(index);
    } else if (const std::optional<Pattern::LocalRuns> runs = pattern.localRuns()) {
        member.units = runs->starts;
        member.runs = *runs;
        member.runsWords = !runs->pairs && !runs->followedBy && !runs->optionalLast && !runs->lead && *runs->rest == WordUnitSet();
        runs_.push_back(index);
    } else if (pattern.triesDecideMatches()) {
        member.units = pattern.firstUnits();
        member.tried = &pattern;
        tried_.push_back(index);
    } else {
        return false;
    }
    return true;
}

void PatternSet::indexAscii() {
    for (char16_t unit = 0; unit < 128; ++unit) {
        auto holds = [&](uint32_t index) { return decided_[index].units->test(unit); };
        const auto single = std::find_if(singles_.begin(), singles_.end(),
                                         [&](uint32_t index) { return decided_[index].singles->test(unit); });
        asciiSingle_[unit] = single == singles_.end() ? kNone : *single;
        for (uint32_t index : words_) {
            if (!decided_[index].words->mayStartWith(unit)) continue;
            keywordStarts_.add(unit);
            wordStarts_.add(unit);
        }
        for (uint32_t index : names_) {
            if (decided_[index].names->mayStartWith(unit)) nameStarts_.add(unit);
        }
        for (uint32_t index : tried_) {
            if (decided_[index].units->test(unit)) tryStarts_.add(unit);
        }
        asciiOnlyRun_[unit] = kNone;
        const auto first = std::find_if(runs_.begin(), runs_.end(), holds);
        if (first == runs_.end()) continue;
        asciiRunStarts_.add(unit);
        if (std::none_of(first + 1, runs_.end(), holds)) asciiOnlyRun_[unit] = *first;
        for (uint32_t index : runs_) {
            if (decided_[index].runsWords && holds(index)) wordStarts_.add(unit);
        }
    }
}

bool PatternSet::runCrosses(std::u16string_view text, size_t position) const {
    if (position == 0 || position >= text.size()) return false;
    return std::any_of(runs_.begin(), runs_.end(), [&](uint32_t index) { return decided_[index].runs.reachesBack(text, position); }) ||
           std::any_of(names_.begin(), names_.end(), [&](uint32_t index) { return decided_[index].names->reachesBack(text, position); });
}

}  // namespace regexp
