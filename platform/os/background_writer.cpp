#include "platform/os/background_writer.h"

#include <system_error>
#include <utility>

namespace fileio {

namespace {

constexpr size_t kMostBlocks = 4;

// Room for a block and for what the last append before its hand-on carries past its size.
ByteBlock EmptyBlock(size_t blockBytes) { return ByteBlock(blockBytes + BackgroundWriter::SlackOf(blockBytes)); }

}  // namespace

// The writing thread gives blocks back without allocating.
BackgroundWriter::BackgroundWriter(Writer writer, size_t blockBytes)
    : writer_(std::move(writer)), blockBytes_(blockBytes), block_(EmptyBlock(blockBytes)) {
    spare_.reserve(kMostBlocks);
}

BackgroundWriter::~BackgroundWriter() { stopThread(); }

void BackgroundWriter::handOn() {
    if (!thread_.joinable() && !startThread()) return writeHere();
    std::unique_lock lock(mutex_);
    raiseFailure();
    queued_.push_back(std::move(block_));
    changed_.notify_all();
    if (spare_.empty() && blocks_ < kMostBlocks) {
        ++blocks_;
        lock.unlock();
        block_ = EmptyBlock(blockBytes_);
        return;
    }
    changed_.wait(lock, [this] { return !spare_.empty() || failure_; });
    raiseFailure();
    block_ = std::move(spare_.back());
    spare_.pop_back();
}

void BackgroundWriter::finish() {
    if (thread_.joinable()) {
        {
            std::lock_guard lock(mutex_);
            if (!block_.empty()) queued_.push_back(std::move(block_));
            block_.clear();
        }
        stopThread();
    }
    writeHere();
}

// The caller's own write (when no thread took the blocks, none runs now).
void BackgroundWriter::writeHere() {
    raiseFailure();
    if (block_.empty()) return;
    try {
        writer_(block_.view());
    } catch (...) {
        failure_ = std::current_exception();
        block_.clear();
        throw;
    }
    block_.clear();
}

bool BackgroundWriter::startThread() {
    if (noThread_) return false;
    try {
        stopping_ = false;
        thread_ = std::thread([this] { writeBlocks(); });
        return true;
    } catch (const std::system_error&) {
        noThread_ = true;
        return false;
    }
}

// Once a write has failed, the blocks after it are given back unwritten.
void BackgroundWriter::writeBlocks() {
    std::unique_lock lock(mutex_);
    while (true) {
        changed_.wait(lock, [this] { return !queued_.empty() || stopping_; });
        if (queued_.empty()) return;
        ByteBlock block = std::move(queued_.front());
        queued_.pop_front();
        const bool failed = failure_ != nullptr;
        lock.unlock();
        std::exception_ptr failure;
        if (!failed) {
            try {
                writer_(block.view());
            } catch (...) {
                failure = std::current_exception();
            }
        }
        block.clear();
        lock.lock();
        if (failure) failure_ = failure;
        spare_.push_back(std::move(block));
        changed_.notify_all();
    }
}

// The thread writes what was handed on before it ends.
void BackgroundWriter::stopThread() noexcept {
    if (!thread_.joinable()) return;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        changed_.notify_all();
    }
    thread_.join();
}

void BackgroundWriter::raiseFailure() {
    if (failure_) std::rethrow_exception(failure_);
}

}  // namespace fileio
