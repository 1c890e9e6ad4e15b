#include "engine/chunk_pool.h"

#include <algorithm>
#include <chrono>

#include "platform/regexp/search_watch.h"

namespace engine::detail {

namespace {

constexpr size_t kChunksAhead = 4;  // chunks formatted past the one being joined, at most

}  // namespace

ChunkPool::ChunkPool(const ChunkPlan& plan, GuesserFactory newGuesser)
    : plan_(plan), newGuesser_(std::move(newGuesser)), done_(plan.count()), helper_([this] { help(); }) {}

bool ChunkPool::mayClaim() const { return next_ < plan_.count() && next_ < joining_ + kChunksAhead; }

ChunkPool::~ChunkPool() {
    {
        std::lock_guard guard(lock_);
        abandoned_ = true;
    }
    changed_.notify_all();
    helper_.join();
}

std::optional<ChunkRun> ChunkPool::take(size_t index, const std::function<bool()>& keepWaiting) {
    std::unique_lock guard(lock_);
    joining_ = index;
    changed_.notify_all();
    while (!done_[index]) {
        if (next_ <= index || mayClaim()) {
            const size_t claimed = next_++;
            guard.unlock();
            if (!callerGuesser_) callerGuesser_ = newGuesser_();
            ChunkRun run = format(claimed, *callerGuesser_);
            guard.lock();
            done_[claimed] = std::move(run);
        } else if (changed_.wait_for(guard, std::chrono::milliseconds(20), [&] { return done_[index].has_value(); })) {
            break;
        }
        guard.unlock();
        const bool keepGoing = keepWaiting();
        guard.lock();
        if (!keepGoing) return std::nullopt;
    }
    std::optional<ChunkRun> run = std::exchange(done_[index], std::nullopt);
    changed_.notify_all();
    return run;
}

ChunkRun ChunkPool::format(size_t index, ChunkGuesser& guesser) {
    ChunkRun run;
    run.index = index;
    run.output = ChunkOutput(pages_);
    guesser.guess(plan_.begin(index), plan_.begin(index + 1), abandoned_, run);
    return run;
}

void ChunkPool::help() {
    std::optional<size_t> inHand;
    try {
        // A long search stops when the pool is abandoned.
        regexp::SearchWatch watch([this] { return !abandoned_.load(std::memory_order_relaxed); });
        std::unique_ptr<ChunkGuesser> guesser = newGuesser_();
        std::unique_lock guard(lock_);
        while (true) {
            changed_.wait(guard, [this] { return abandoned_ || next_ >= plan_.count() || mayClaim(); });
            if (abandoned_ || next_ >= plan_.count()) return;
            inHand = next_++;
            guard.unlock();
            ChunkRun run = format(*inHand, *guesser);
            guard.lock();
            done_[*inHand] = std::move(run);
            inHand.reset();
            changed_.notify_all();
        }
    } catch (...) {
        // Out of memory at worst: the caller formats the chunk in hand itself.
        std::lock_guard guard(lock_);
        if (inHand) {
            ChunkRun cut;
            cut.index = *inHand;
            cut.usable = false;
            done_[*inHand] = std::move(cut);
        }
        changed_.notify_all();
    }
}

}  // namespace engine::detail
