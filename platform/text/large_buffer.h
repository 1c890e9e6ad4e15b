// A hint for the few buffers of many megabytes (a whole input file, its text): backed by huge
// pages where the kernel offers them, and its pages made present in one call rather than by a
// fault per page as it is first written (a fault costs microseconds on a virtual machine). Only
// hints; nothing changes where a kernel does not take them.
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

// Call on storage reserved but not yet written, which will be written nearly whole.
inline void AdviseLargeBuffer(void* data, size_t bytes) {
    if (bytes < kLargeBuffer) return;
    AdviseHugePages(data, bytes);
#ifdef MADV_POPULATE_WRITE  // Linux 5.14
    constexpr uintptr_t kPage = 4096;
    uintptr_t begin = reinterpret_cast<uintptr_t>(data) & ~(kPage - 1);
    uintptr_t end = (reinterpret_cast<uintptr_t>(data) + bytes + kPage - 1) & ~(kPage - 1);
    ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
#endif
}

}  // namespace text
