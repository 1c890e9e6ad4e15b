// The error numbers with which the file services report a failed system call, and the
// conversion of file names to the file system's bytes.
#pragma once

#include <string>
#include <string_view>

#include "platform/automation/error.h"

namespace fileerrors {

inline constexpr LONG kOutOfMemory = 7;
inline constexpr LONG kBadFileName = 52;
inline constexpr LONG kFileNotFound = 53;
inline constexpr LONG kDeviceIoError = 57;
inline constexpr LONG kDiskFull = 61;
inline constexpr LONG kTooManyFiles = 67;
inline constexpr LONG kPermissionDenied = 70;
inline constexpr LONG kPathFileAccessError = 75;
inline constexpr LONG kPathNotFound = 76;

// The error number for errno after a call on path (the file-system bytes) failed. A missing
// file is 53, but 76 when the folder that should hold it is missing too.
LONG NumberForErrno(int error, const std::string& path);

// The error with that number, the platform's description for it, and the given source.
ComError ErrorForNumber(LONG number, const std::u16string& source);
ComError ErrorForErrno(int error, const std::string& path, const std::u16string& source);

// A file name as the file system's bytes, through the ANSI code page. A name holding a NUL
// cannot reach the file system and raises 52 (bad file name).
std::string FileSystemPath(std::u16string_view fileName, const std::u16string& source);

}  // namespace fileerrors
