// Long inputs formatted on two threads. The input is cut into chunks at line starts; each chunk
// is formatted from a guess of the state at its start (the start section, searching afresh),
// by whichever thread is free, and the formatter then joins the chunks in order (chunk_join.h):
// from the true state at a chunk's start it takes steps until it stands at one of the points
// the guess noted near that start in the same state, takes the guess's output from there and
// its state at the chunk's end; when it meets none it formats the chunk itself. The output is
// the same as from one thread.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "engine/chunk_output.h"
#include "engine/formatter_state.h"

namespace engine::detail {

// A point near the start of a chunk formatted from a guess: a step there ended in the start
// section, whose slots are each the first element of their list that does not start before it.
struct JoinPoint {
    uint32_t position = 0;
    uint32_t searchStart = 0;
    bool rebuild = false;
    size_t output = 0;  // units of the chunk's output made before it
    size_t slots = 0;   // where its slots begin in the run's joinSlots
};

// What a run made of one chunk, formatting it from a guess.
struct ChunkRun {
    size_t index = 0;
    bool usable = true;  // false when it was cut short (a cancel, or the run abandoned)
    std::vector<JoinPoint> joins;
    std::vector<Slot> joinSlots;
    ChunkOutput output;
    SavedState end;
    std::exception_ptr failure;  // raised at end.ptr, after the output
};

// The chunks of an input from a position: each begins at the first line start at least `units`
// after the one before (at a line start a guess of the state is more often right).
class ChunkPlan {
public:
    ChunkPlan(std::u16string_view text, uint32_t from, uint32_t units) : size_(uint32_t(text.size())) {
        begins_.push_back(from);
        for (uint64_t at = uint64_t(from) + units; at < text.size(); at = uint64_t(begins_.back()) + units) {
            size_t newline = text.find(u'\n', size_t(at) - 1);
            if (newline == std::u16string_view::npos || newline + 1 >= text.size()) break;
            begins_.push_back(uint32_t(newline + 1));
        }
    }
    size_t count() const { return begins_.size(); }
    uint32_t begin(size_t k) const { return k < begins_.size() ? begins_[k] : size_; }

private:
    std::vector<uint32_t> begins_;
    uint32_t size_;
};

// Formats chunks from a guess; each thread of a pool has one.
class ChunkGuesser {
public:
    virtual ~ChunkGuesser() = default;
    // Formats from `from` as if the start section began there, up to the first step that ends
    // at or after stopAt (or to the end of the input), noting join points near `from`.
    virtual void guess(uint32_t from, uint32_t stopAt, const std::atomic<bool>& abandoned, ChunkRun& run) = 0;
};

// The chunks of a long run, formatted by two threads: the calling one, while it would otherwise
// wait, and a helper. Each takes the next chunk that nobody has taken, so a slower processor
// takes fewer, and none takes one more than a few past the chunk being joined.
class ChunkPool {
public:
    using GuesserFactory = std::function<std::unique_ptr<ChunkGuesser>()>;

    ChunkPool(const ChunkPlan& plan, GuesserFactory newGuesser);
    ~ChunkPool();  // abandons the helper's chunk in hand
    ChunkPool(const ChunkPool&) = delete;
    ChunkPool& operator=(const ChunkPool&) = delete;

    // The run of a chunk, asked for in order. While the helper formats it, the calling thread
    // formats later chunks or waits, calling keepWaiting about every 20 ms; nothing when that
    // returns false.
    std::optional<ChunkRun> take(size_t index, const std::function<bool()>& keepWaiting);

private:
    bool mayClaim() const;
    ChunkRun format(size_t index, ChunkGuesser& guesser);
    void help();

    const ChunkPlan& plan_;
    GuesserFactory newGuesser_;
    std::unique_ptr<ChunkGuesser> callerGuesser_;
    std::mutex lock_;
    std::condition_variable changed_;
    OutputPages pages_;  // before the runs that hold them
    std::vector<std::optional<ChunkRun>> done_;
    size_t next_ = 0;     // the first chunk nobody has taken
    size_t joining_ = 0;  // the chunk the caller asks for
    std::atomic<bool> abandoned_{false};
    std::thread helper_;
};

}  // namespace engine::detail
