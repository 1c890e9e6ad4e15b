// Bytes from the kernel's random source (GUIDs, temporary file names).
#pragma once

#include <cstddef>

namespace automation {

// Fills count bytes; false when the kernel gives none (no random source at all).
bool FillRandomBytes(unsigned char* bytes, size_t count);

}  // namespace automation
