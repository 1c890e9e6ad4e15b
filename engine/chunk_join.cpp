#include "engine/chunk_join.h"

#include <exception>

#include "engine/section_formatter.h"
#include "platform/os/process.h"

namespace engine::detail {

namespace {

constexpr uint32_t kChunkUnits = 64 * 1024;  // chunks of 128 Ki and more left one thread waiting at the end
std::atomic<uint32_t> gChunkUnits{kMachineChunkUnits};
std::atomic<uint64_t> gJoinedChunks{0};

uint32_t ChunkUnits() {
    static const uint32_t byMachine = os::UsableProcessors() >= 2 ? kChunkUnits : 0;
    const uint32_t set = gChunkUnits.load(std::memory_order_relaxed);
    return set == kMachineChunkUnits ? byMachine : set;
}

}  // namespace

void SetChunkUnits(uint32_t units) { gChunkUnits.store(units, std::memory_order_relaxed); }
uint64_t JoinedChunks() { return gJoinedChunks.load(std::memory_order_relaxed); }

std::unique_ptr<ChunkJoin> ChunkJoin::Start(std::u16string_view inp, uint32_t from, ChunkPool::GuesserFactory newGuesser) {
    const uint32_t units = ChunkUnits();
    if (units == 0 || inp.size() - from < 2 * uint64_t(units)) return nullptr;
    std::unique_ptr<ChunkJoin> join(new ChunkJoin(inp, from, units));
    if (join->plan_.count() < 2) return nullptr;
    join->pool_ = std::make_unique<ChunkPool>(join->plan_, std::move(newGuesser));
    return join;
}

bool ChunkJoin::joinNext(JoinableFormatter& formatter) {
    const size_t index = nextChunk_;
    std::optional<ChunkRun> run = take(index, formatter);
    if (!run) return false;
    if (index == 0) {
        splice(*run, 0, formatter);
    } else if (const JoinPoint* point = reachJoinPoint(*run, formatter)) {
        gJoinedChunks.fetch_add(1, std::memory_order_relaxed);
        splice(*run, point->output, formatter);
    }
    return true;
}

// The run of a chunk, reporting while it waits; nothing after a cancel or when the run was cut
// short.
std::optional<ChunkRun> ChunkJoin::take(size_t index, JoinableFormatter& formatter) {
    nextChunk_ = index + 1;
    nextJoin_ = nextChunk_ < plan_.count() ? plan_.begin(nextChunk_) : kNoMatch;
    std::optional<ChunkRun> run = pool_->take(index, [&formatter] { return formatter.keepWaiting(); });
    if (run && !run->usable) {
        formatter.lookForCancel();
        return std::nullopt;
    }
    if (formatter.cancelled()) nextJoin_ = kNoMatch;
    return run;
}

// Takes steps until a step ends at one of the run's join points in the same state; null when
// the steps pass them all.
const JoinPoint* ChunkJoin::reachJoinPoint(const ChunkRun& run, JoinableFormatter& formatter) {
    auto next = run.joins.begin();
    while (formatter.running() && !formatter.cancelled()) {
        const uint32_t position = formatter.position();
        while (next != run.joins.end() && next->position < position) ++next;
        if (next == run.joins.end()) return nullptr;
        if (next->position == position && formatter.sameFutureAs(run, *next)) return &*next;
        formatter.step(0);
    }
    return nullptr;
}

// A run's output from `from` on, then its state where it stopped.
void ChunkJoin::splice(const ChunkRun& run, size_t from, JoinableFormatter& formatter) {
    formatter.handOn(run.output, from);
    formatter.restore(run.end);
    if (run.failure) std::rethrow_exception(run.failure);
}

}  // namespace engine::detail
