#include "platform/text/large_buffer.h"

#include <sys/mman.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <utility>

namespace text {

namespace {

constexpr uintptr_t kPage = 4096;
constexpr uintptr_t kHugePage = uintptr_t(2) << 20;
// A huge page the host still holds is made present in about 0.25 ms, 2 MB of small pages in about
// 1 ms; a huge page the host must fault in takes 5 to 7 ms.
constexpr auto kSlowHugePage = std::chrono::microseconds(1500);

std::atomic<bool> gHugePagesSlow{false};

void Advise(uintptr_t begin, uintptr_t end, int advice) {
    if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, advice);
}

// The whole huge pages inside [data, data + bytes).
std::pair<uintptr_t, uintptr_t> HugePagesIn(void* data, size_t bytes) {
    const uintptr_t begin = (reinterpret_cast<uintptr_t>(data) + kHugePage - 1) & ~(kHugePage - 1);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(data) + bytes) & ~(kHugePage - 1);
    return {begin, end > begin ? end : begin};
}

}  // namespace

void AdviseHugePages(void* data, size_t bytes) {
    const auto [begin, end] = HugePagesIn(data, bytes);
    Advise(begin, end, MADV_HUGEPAGE);
}

void AdviseLargeBuffer(void* data, size_t bytes) {
    if (bytes < kLargeBuffer) return;
    const auto [hugeBegin, hugeEnd] = HugePagesIn(data, bytes);
    if (!gHugePagesSlow.load(std::memory_order_relaxed)) AdviseHugePages(data, bytes);
#ifdef MADV_POPULATE_WRITE  // Linux 5.14
    // Huge page by huge page while they come quickly; the rest in small pages from the first
    // slow one on.
    for (uintptr_t page = hugeBegin; page < hugeEnd && !gHugePagesSlow.load(std::memory_order_relaxed); page += kHugePage) {
        const auto start = std::chrono::steady_clock::now();
        Advise(page, page + kHugePage, MADV_POPULATE_WRITE);
        if (std::chrono::steady_clock::now() - start <= kSlowHugePage) continue;
        gHugePagesSlow.store(true, std::memory_order_relaxed);
        Advise(page + kHugePage, hugeEnd, MADV_NOHUGEPAGE);
    }
    const uintptr_t begin = reinterpret_cast<uintptr_t>(data) & ~(kPage - 1);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(data) + bytes + kPage - 1) & ~(kPage - 1);
    Advise(begin, end, MADV_POPULATE_WRITE);
#endif
}

}  // namespace text
