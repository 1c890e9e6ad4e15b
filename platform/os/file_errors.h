// The error numbers with which the file services report a failed system call, and the
// conversion of file names to the file system's bytes.
#pragma once

#include <string>
#include <string_view>

#include "platform/automation/error.h"
#include "platform/automation/error_numbers.h"
#include "platform/os/file_io.h"

namespace fileerrors {

// The error number for errno after a call on path (the file-system bytes) failed. A missing
// file is 53, but 76 when the folder that should hold it is missing too.
LONG NumberForErrno(int error, const std::string& path);

// The error with that number, the platform's description for it, and the given source.
ComError ErrorForNumber(LONG number, const std::u16string& source);
ComError ErrorForErrno(int error, const std::string& path, const std::u16string& source);

// Every byte up to the end of fd (fileio::ReadToEnd) with failures raised as the runtime's
// errors: the errno's number for path, and 7 with a description naming the limit for an input
// larger than a byte array or a String can hold. A stop request ends it with fileio::ReadStopped.
std::string ReadToEndOrRaise(int fd, const std::string& path, const std::u16string& source,
                             const fileio::StopRequest& stop = {});

// The same bytes as text of the ANSI code page, converted a piece at a time as they are read.
std::u16string ReadTextToEndOrRaise(int fd, const std::string& path, const std::u16string& source,
                                    const fileio::StopRequest& stop = {});

// A file name as the file system's bytes, through the ANSI code page. A name holding a NUL
// cannot reach the file system and raises 52 (bad file name).
std::string FileSystemPath(std::u16string_view fileName, const std::u16string& source);

}  // namespace fileerrors
