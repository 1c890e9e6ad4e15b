// Streams on memory of their own, in place of streams on global memory: an IStream whose size
// is the size of its memory, which SetSize grows ahead of the data.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "platform/automation/handles.h"

namespace storage {

// A new stream holding a copy of the bytes, positioned at its start.
ComPtr<IStream> NewMemoryStream(std::span<const std::byte> bytes = {});

// The size of the memory behind a stream made by NewMemoryStream (GetHGlobalFromStream and the
// memory's size); E_INVALIDARG for any other stream.
HRESULT MemoryStreamSize(IStream* stream, ULONGLONG* size);

// The first count bytes of a memory stream's memory (all when count is larger); nothing for any
// other stream.
std::vector<std::byte> MemoryStreamBytes(IStream* stream, ULONGLONG count);

}  // namespace storage
