// Hints for the few buffers of megabytes (a whole input file, its text, the slabs of the
// formatter's chunk output): huge pages, and for the whole-input ones their pages made present in
// one call rather than by a fault per page as they are first written (a fault costs microseconds
// on a virtual machine). Only hints; nothing changes where a kernel does not take them.
#pragma once

#include <cstddef>

namespace text {

inline constexpr size_t kLargeBuffer = size_t(4) << 20;

// Call on storage reserved but not yet written, which will be written nearly whole. A buffer of
// kLargeBuffer bytes or more is made present, in huge pages until one comes slowly: on a virtual
// machine that hands free memory back to its host, a huge page the host no longer holds costs
// its faults (5 to 7 ms, against 0.25 ms for one it holds and about 1 ms to make 2 MB of small
// pages present, whose first write may cost more; after a pause most are such). From the first slow one on, the rest, and every later
// buffer of the process, go in small pages.
void AdviseLargeBuffer(void* data, size_t bytes);

// Asks for huge pages for the whole ones inside storage not yet written, made present as they
// are first written, whatever came before: a buffer filled bit by bit, a huge page at a time,
// over a whole run. Its first write costs one fault per 2 MB, where small pages cost one per 4 KB
// (about 2.6 ms for 2 MB here, even after being made present in one call) and a huge page the
// host must fault in 2 to 7 ms.
void AdviseHugePages(void* data, size_t bytes);

}  // namespace text
