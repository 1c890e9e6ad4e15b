// The formatter's side of formatting a long input on two threads (chunk_pool.h): while the run
// formats in order, chunks further on are formatted ahead from a guess, and the run joins each
// one as it reaches it. Everything about chunks, guesses and join points is here; the formatter
// takes part through JoinableFormatter: it steps, notes and recognises its state at a join
// point, and saves and restores its state.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "engine/chunk_pool.h"

namespace engine::detail {

// What the join needs of a section formatter.
class JoinableFormatter {
public:
    virtual uint32_t position() const = 0;
    virtual bool running() const = 0;  // some section call has not ended yet
    virtual bool cancelled() const = 0;
    // A step, and more in the same call while the section stays and they end before batchUntil.
    virtual void step(uint32_t batchUntil) = 0;

    // While the run waits for a chunk: reports the progress; false once the run is cancelled.
    virtual bool keepWaiting() = 0;
    // Looks whether the run has been cancelled since the last step.
    virtual void lookForCancel() = 0;

    // Notes the state here into the run of a chunk formatted ahead, when it can be joined: only
    // the start section runs and its next matches are known.
    virtual void noteJoinPoint(ChunkRun& run) = 0;
    // Whether every step from here on is the same as from the run's join point.
    virtual bool sameFutureAs(const ChunkRun& run, const JoinPoint& point) = 0;

    // Hands on the output made so far, then the chunk's output from `from` on.
    virtual void handOn(const ChunkOutput& output, size_t from) = 0;
    virtual SavedState save() const = 0;
    virtual void restore(const SavedState& state) = 0;

protected:
    ~JoinableFormatter() = default;
};

// The chunks of one run, from where the run starts to the end of the input.
class ChunkJoin {
public:
    // Null when the input from `from` is too short to share between two threads.
    static std::unique_ptr<ChunkJoin> Start(std::u16string_view inp, uint32_t from, ChunkPool::GuesserFactory newGuesser);

    // Where the next chunk begins; kNoMatch after the last one or a cancel.
    uint32_t nextJoin() const { return nextJoin_; }

    // At the start of the next chunk: takes its run's output and state from one of its join
    // points (all of the first chunk's, which began in the true state), or leaves the formatter
    // to format the chunk itself when its steps meet none. False when there is no run to take.
    bool joinNext(JoinableFormatter& formatter);

private:
    ChunkJoin(std::u16string_view inp, uint32_t from, uint32_t units) : plan_(inp, from, units) {}

    std::optional<ChunkRun> take(size_t index, JoinableFormatter& formatter);
    const JoinPoint* reachJoinPoint(const ChunkRun& run, JoinableFormatter& formatter);
    static void splice(const ChunkRun& run, size_t from, JoinableFormatter& formatter);

    ChunkPlan plan_;
    std::unique_ptr<ChunkPool> pool_;  // after the plan it reads
    size_t nextChunk_ = 0;
    uint32_t nextJoin_ = kNoMatch;
};

namespace join {

constexpr uint32_t kWindow = 4096;      // join points are noted this far into a chunk
constexpr uint32_t kGuessBatch = 4096;  // a guess looks whether it is still wanted after about this many units
constexpr size_t kMostPoints = 512;
constexpr size_t kDensePoints = 32;
constexpr uint32_t kSpacing = 32;

// Every step's end at first (most chunks join within a few units of their start), then points
// some units apart: once the two runs agree, any later point serves.
inline bool PointDue(const ChunkRun& run, uint32_t position) {
    if (run.joins.size() < kDensePoints) return true;
    return run.joins.size() < kMostPoints && position >= run.joins.back().position + kSpacing;
}

}  // namespace join

// Formats a chunk ahead, on a thread of the pool, with a formatter that has just entered the
// start section at `from`: steps to the first step that ends at or after stopAt (or to the end
// of the input, inputEnd), noting join points near `from`, until the run is abandoned. Inline:
// in the join window this loop runs once a step, and inlined into the (final) formatter its
// calls are direct, as cheap as the steps' own.
inline void FormatAhead(JoinableFormatter& formatter, uint32_t from, uint32_t stopAt, uint32_t inputEnd,
                        const std::atomic<bool>& abandoned, ChunkRun& run) {
    while (formatter.running() && !abandoned.load(std::memory_order_relaxed)) {
        const uint32_t position = formatter.position();
        if (position >= stopAt && position < inputEnd) break;
        const bool joinPoints = position - from < join::kWindow;
        if (joinPoints && join::PointDue(run, position)) formatter.noteJoinPoint(run);
        formatter.step(joinPoints ? 0 : std::min({stopAt, inputEnd, position + join::kGuessBatch}));
    }
}

}  // namespace engine::detail
