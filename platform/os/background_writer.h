// Bytes written on a thread of their own, so that the caller makes the next block while the
// system copies the last one (writing a large file costs about as much as making it). Blocks
// are written whole, in order, by one thread; the caller fills one block while up to three
// wait or are being written, and waits when all are taken. Output that fits one block is
// written on the caller's thread at finish, with no thread started.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace fileio {

// Bytes in one piece of memory that grows (keeping them) and is written past its end: room, then
// commit. Nothing is zero-filled.
class ByteBlock {
public:
    explicit ByteBlock(size_t capacity = 0);
    // A block moved from is empty, with no room.
    ByteBlock(ByteBlock&& other) noexcept
        : data_(std::move(other.data_)), size_(std::exchange(other.size_, 0)), capacity_(std::exchange(other.capacity_, 0)) {}
    ByteBlock& operator=(ByteBlock&& other) noexcept {
        data_ = std::move(other.data_);
        size_ = std::exchange(other.size_, 0);
        capacity_ = std::exchange(other.capacity_, 0);
        return *this;
    }
    // Room for `bytes` more after the end; returns the end.
    char* room(size_t bytes) {
        if (capacity_ - size_ < bytes) grow(bytes);
        return data_.get() + size_;
    }
    // The end moves to `end`, within the room asked for last.
    void commit(const char* end) { size_ = size_t(end - data_.get()); }
    void append(std::string_view bytes);
    std::string_view view() const { return {data_.get(), size_}; }
    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    void clear() { size_ = 0; }

private:
    void grow(size_t bytes);

    std::unique_ptr<char[]> data_;
    size_t size_ = 0;
    size_t capacity_ = 0;
};

class BackgroundWriter {
public:
    using Writer = std::function<void(std::string_view)>;
    static constexpr size_t kBlockBytes = size_t(1) << 20;

    // writer is called on the writing thread only, one block at a time.
    explicit BackgroundWriter(Writer writer, size_t blockBytes = kBlockBytes);
    // Waits for the blocks handed on; the block being filled is dropped (call finish to write it).
    ~BackgroundWriter();
    BackgroundWriter(const BackgroundWriter&) = delete;
    BackgroundWriter& operator=(const BackgroundWriter&) = delete;

    // Where the next bytes go; call handOnIfFull after appending.
    ByteBlock& block() { return block_; }
    // Hands the block on once it holds blockBytes. A failure of an earlier write is raised here,
    // as the writer threw it; no block after it is written.
    void handOnIfFull() {
        if (block_.size() >= blockBytes_) handOn();
    }
    // Writes the rest and waits until every block is written; raises a failure of any write.
    // Call it last.
    void finish();

private:
    void handOn();
    void writeHere();
    bool startThread();
    void writeBlocks();
    void stopThread() noexcept;
    void raiseFailure();

    Writer writer_;
    size_t blockBytes_;
    ByteBlock block_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<ByteBlock> queued_;  // handed on, not yet written
    std::vector<ByteBlock> spare_;  // written, kept for reuse
    size_t blocks_ = 1;               // blocks made so far, the one being filled among them
    bool stopping_ = false;
    bool noThread_ = false;  // none could be started: blocks are written by the caller
    std::exception_ptr failure_;
    std::thread thread_;
};

}  // namespace fileio
