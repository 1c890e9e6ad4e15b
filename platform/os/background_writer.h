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
#include <mutex>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/text/growing_block.h"

namespace fileio {

using ByteBlock = text::GrowingBlock<char>;

class BackgroundWriter {
public:
    using Writer = std::function<void(std::string_view)>;
    // Small enough that the blocks in turn stay in the processor's cache, and that few fresh pages
    // are touched (a page fault is dear on a virtual machine): 1 MB blocks cost a 10 MB catch-all
    // conversion 10 to 20 ms more.
    static constexpr size_t kBlockBytes = size_t(128) << 10;
    // What an append may carry a block past blockBytes without its memory growing.
    static constexpr size_t SlackOf(size_t blockBytes) { return blockBytes / 4; }

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
