// A hint for the few buffers of many megabytes (a whole input file, its text): its pages made
// present in one call rather than by a fault per page as it is first written (a fault costs
// microseconds on a virtual machine). Only a hint; nothing changes where a kernel does not take
// it. Huge pages are not asked for: on a virtual machine that hands free memory back to its host,
// the first huge pages a process takes after a pause cost the host's faults (20 MB: 28 to 54 ms,
// against 6 to 8 ms in small pages).
#pragma once

#include <sys/mman.h>

#include <cstddef>
#include <cstdint>

namespace text {

inline constexpr size_t kLargeBuffer = size_t(4) << 20;

// Call on storage reserved but not yet written, which will be written nearly whole.
inline void AdviseLargeBuffer(void* data, size_t bytes) {
    if (bytes < kLargeBuffer) return;
#ifdef MADV_POPULATE_WRITE  // Linux 5.14
    constexpr uintptr_t kPage = 4096;
    uintptr_t begin = reinterpret_cast<uintptr_t>(data) & ~(kPage - 1);
    uintptr_t end = (reinterpret_cast<uintptr_t>(data) + bytes + kPage - 1) & ~(kPage - 1);
    ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
#endif
}

}  // namespace text
