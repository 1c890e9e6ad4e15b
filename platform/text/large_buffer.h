// A hint for the few buffers of many megabytes (a whole input file, its text): backed by huge
// pages where the kernel offers them, such a buffer costs a few hundred page faults instead of
// thousands when it is first written. Only a hint; nothing changes where it is not taken.
#pragma once

#include <sys/mman.h>

#include <cstddef>
#include <cstdint>

namespace text {

inline constexpr size_t kLargeBuffer = size_t(4) << 20;

// Advises the whole huge pages (2 MB) inside the storage; call before it is written.
inline void AdviseHugePages(void* data, size_t bytes) {
    constexpr uintptr_t kHugePage = uintptr_t(2) << 20;
    uintptr_t begin = (reinterpret_cast<uintptr_t>(data) + kHugePage - 1) & ~(kHugePage - 1);
    uintptr_t end = (reinterpret_cast<uintptr_t>(data) + bytes) & ~(kHugePage - 1);
    if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

// Call on storage reserved but not yet written.
inline void AdviseLargeBuffer(void* data, size_t bytes) {
    if (bytes >= kLargeBuffer) AdviseHugePages(data, bytes);
}

}  // namespace text
