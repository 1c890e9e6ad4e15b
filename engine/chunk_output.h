// The output of a chunk formatted ahead, held until the formatter hands it on. It is kept in
// pages of a pool shared by both threads: pages come back to the pool when the output is done
// with, and new ones are cut from slabs of 2 MB, each a huge page. Growing strings would touch
// fresh memory again and again instead, and a page fault is dear on a virtual machine.
#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <mutex>
#include <string_view>
#include <vector>

namespace engine::detail {

class OutputPages {
public:
    static constexpr size_t kPageUnits = 32 * 1024;

    OutputPages() = default;
    OutputPages(const OutputPages&) = delete;
    OutputPages& operator=(const OutputPages&) = delete;

    char16_t* take();
    void give(char16_t* page);

private:
    struct SlabDeleter {
        void operator()(char16_t* slab) const;
    };

    std::mutex lock_;
    std::vector<char16_t*> free_;
    std::vector<std::unique_ptr<char16_t, SlabDeleter>> slabs_;
};

class ChunkOutput {
public:
    ChunkOutput() = default;
    explicit ChunkOutput(OutputPages& pages) : pages_(&pages) {}
    ChunkOutput(ChunkOutput&& other) noexcept { *this = std::move(other); }
    ChunkOutput& operator=(ChunkOutput&& other) noexcept;
    ~ChunkOutput() { release(); }

    void append(std::u16string_view text);
    size_t size() const { return size_; }

    // The units from `from` on, handed to take a page at a time.
    template <class Take>
    void forEachPiece(size_t from, Take take) const {
        for (size_t at = from; at < size_;) {
            const size_t page = at / OutputPages::kPageUnits, offset = at % OutputPages::kPageUnits;
            const size_t units = std::min(OutputPages::kPageUnits - offset, size_ - at);
            take(std::u16string_view(held_[page] + offset, units));
            at += units;
        }
    }

private:
    void release();

    OutputPages* pages_ = nullptr;
    std::vector<char16_t*> held_;
    size_t size_ = 0;
};

}  // namespace engine::detail
