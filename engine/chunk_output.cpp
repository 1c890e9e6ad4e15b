#include "engine/chunk_output.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#include "platform/text/large_buffer.h"

namespace engine::detail {

namespace {

constexpr size_t kSlabBytes = size_t(2) << 20;
constexpr size_t kPagesPerSlab = kSlabBytes / (OutputPages::kPageUnits * sizeof(char16_t));

}  // namespace

void OutputPages::SlabDeleter::operator()(char16_t* slab) const { std::free(slab); }

char16_t* OutputPages::take() {
    std::lock_guard guard(lock_);
    if (free_.empty()) {
        auto* slab = static_cast<char16_t*>(std::aligned_alloc(kSlabBytes, kSlabBytes));
        if (!slab) throw std::bad_alloc();
        slabs_.emplace_back(slab);
        text::AdviseHugePages(slab, kSlabBytes);
        for (size_t k = kPagesPerSlab; k-- > 0;) free_.push_back(slab + k * kPageUnits);
    }
    char16_t* page = free_.back();
    free_.pop_back();
    return page;
}

void OutputPages::give(char16_t* page) {
    std::lock_guard guard(lock_);
    free_.push_back(page);
}

ChunkOutput& ChunkOutput::operator=(ChunkOutput&& other) noexcept {
    if (this == &other) return *this;
    release();
    pages_ = std::exchange(other.pages_, nullptr);
    held_ = std::move(other.held_);
    size_ = std::exchange(other.size_, 0);
    other.held_.clear();
    return *this;
}

void ChunkOutput::append(std::u16string_view text) {
    while (!text.empty()) {
        const size_t offset = size_ % OutputPages::kPageUnits;
        if (offset == 0 && size_ / OutputPages::kPageUnits == held_.size()) {
            held_.reserve(held_.size() + 1);  // room first: a page taken is never lost to a failed push
            held_.push_back(pages_->take());
        }
        const size_t units = std::min(OutputPages::kPageUnits - offset, text.size());
        std::memcpy(held_.back() + offset, text.data(), units * sizeof(char16_t));
        size_ += units;
        text.remove_prefix(units);
    }
}

void ChunkOutput::release() {
    for (char16_t* page : held_) pages_->give(page);
    held_.clear();
    size_ = 0;
}

}  // namespace engine::detail
