// The state of a running section formatter: its section calls and their slots.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "engine/compiled_section.h"

namespace engine::detail {

// The next match of a searched pattern for one section call: the current element of the
// pattern's global match list (kNoMatch when the list is used up). A formatter that formats a
// chunk ahead searches only so far: then the slot may be unsearched, saying only that no element
// starts before `start`; the list goes on with a search from there.
struct Slot {
    static constexpr uint32_t kUnsearched = kNoMatch - 1;
    uint32_t start = kNoMatch;
    uint32_t end = kNoMatch;
    bool unsearched() const { return end == kUnsearched; }
};

// One running section call.
struct Frame {
    CompiledSection* section = nullptr;
    size_t slots = 0;               // where its slots begin in the slot stack
    uint32_t searchStart = 0;       // where its patterns' subject begins
    uint32_t nextSearched = 0;      // the smallest slot start, once searched
    bool rebuild = true;            // search afresh before the next step
    bool returnAfterChild = false;  // the rule that entered the running child also returns
};

// Where a run stopped: its calls, outermost first, with their slots, and its position.
struct SavedState {
    std::vector<std::pair<const modHlx::SectionRecord*, Frame>> frames;
    std::vector<Slot> slots;
    uint32_t ptr = 0;
};

}  // namespace engine::detail
