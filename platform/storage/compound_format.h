// The compound-file format itself, between a stream's bytes and the bytes of a compound file
// that holds it in its root storage. It lives in a library of its own,
// libtavrel_compound_format.so beside libtavrel_storage.so, which compound_file.cpp loads when a
// compound file is first read or written: libgsf and GLib take milliseconds to load, and most
// processes that create a dictionary never touch a compound file.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/types.h"

extern "C" {

// The bytes of a compound file whose root storage holds only the named stream with the bytes.
HRESULT tavrel_build_compound_file(std::string_view streamName, std::span<const std::byte> bytes,
                                   std::vector<std::byte>& file);
// The named stream's bytes from the bytes of a compound file (names compare without regard to
// case): STG_E_FILEALREADYEXISTS when they are not a compound file, STG_E_FILENOTFOUND when it
// has no such stream, STG_E_DOCFILECORRUPT when libgsf reads it but finds it damaged. Nothing
// of libgsf's complaints reaches GLib's log, the host's.
HRESULT tavrel_stream_of_compound_file(const std::string& file, std::string_view streamName,
                                       std::vector<std::byte>& bytes);
}
