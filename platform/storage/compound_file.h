// Compound files (structured storage) holding one stream in their root storage, written and
// read whole. The file is held with an exclusive lock during each call, so a second open of the
// same file meanwhile fails with STG_E_SHAREVIOLATION; errors are the structured-storage ones.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/types.h"

namespace storage {

// Writes a new compound file whose root storage holds only the named stream with the bytes.
// An existing file of that name is replaced once the new one is complete and on disk, so a
// crash leaves either the old file or the new one whole.
HRESULT WriteSingleStreamFile(const std::string& path, std::string_view streamName,
                              std::span<const std::byte> bytes);

// The bytes of the named stream in the root storage of a compound file; names compare without
// regard to case. A missing file gives STG_E_FILENOTFOUND (STG_E_PATHNOTFOUND when its folder
// is missing), a file that is not a compound file STG_E_FILEALREADYEXISTS, a compound file
// without that stream STG_E_FILENOTFOUND, a damaged one STG_E_DOCFILECORRUPT or the error of
// the step that failed.
HRESULT ReadStreamOfFile(const std::string& path, std::string_view streamName, std::vector<std::byte>& bytes);

}  // namespace storage
