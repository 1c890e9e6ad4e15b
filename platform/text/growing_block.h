// Units (bytes, or UTF-16 units) in one piece of memory that grows, keeping them, and is written
// past its end: ask for room, write into it, commit the new end. Nothing is zero-filled, so the
// hot paths that fill it (escaping, encoding) write each unit once.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>
#include <utility>

namespace text {

template <class Unit>
class GrowingBlock {
public:
    explicit GrowingBlock(size_t capacity = 0) : data_(capacity ? new Unit[capacity] : nullptr), capacity_(capacity) {}
    // A block moved from is empty, with no room.
    GrowingBlock(GrowingBlock&& other) noexcept
        : data_(std::move(other.data_)), size_(std::exchange(other.size_, 0)), capacity_(std::exchange(other.capacity_, 0)) {}
    GrowingBlock& operator=(GrowingBlock&& other) noexcept {
        data_ = std::move(other.data_);
        size_ = std::exchange(other.size_, 0);
        capacity_ = std::exchange(other.capacity_, 0);
        return *this;
    }

    // Room for `units` more after the end; returns the end.
    Unit* room(size_t units) {
        if (capacity_ - size_ < units) grow(units);
        return data_.get() + size_;
    }
    // The end moves to `end`, within the room asked for last.
    void commit(const Unit* end) { size_ = size_t(end - data_.get()); }
    void append(std::basic_string_view<Unit> units) {
        if (units.empty()) return;
        std::memcpy(room(units.size()), units.data(), units.size() * sizeof(Unit));
        size_ += units.size();
    }
    std::basic_string_view<Unit> view() const { return {data_.get(), size_}; }
    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    void clear() { size_ = 0; }

private:
    void grow(size_t units) {
        constexpr size_t kLeast = 1024;
        const size_t capacity = std::max({capacity_ * 2, size_ + units, kLeast});
        std::unique_ptr<Unit[]> data(new Unit[capacity]);
        if (size_) std::memcpy(data.get(), data_.get(), size_ * sizeof(Unit));
        data_ = std::move(data);
        capacity_ = capacity;
    }

    std::unique_ptr<Unit[]> data_;
    size_t size_ = 0;
    size_t capacity_ = 0;
};

}  // namespace text
