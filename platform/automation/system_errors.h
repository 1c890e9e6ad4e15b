// The platform's system error codes, and the calling thread's last error as the platform's
// GetLastError reports it (set by a service when it fails, left alone when it succeeds).
#pragma once

#include "platform/automation/types.h"

typedef LONG LSTATUS;

constexpr LSTATUS ERROR_SUCCESS = 0;
constexpr LSTATUS ERROR_FILE_NOT_FOUND = 2;
constexpr LSTATUS ERROR_PATH_NOT_FOUND = 3;
constexpr LSTATUS ERROR_TOO_MANY_OPEN_FILES = 4;
constexpr LSTATUS ERROR_ACCESS_DENIED = 5;
constexpr LSTATUS ERROR_INVALID_HANDLE = 6;
constexpr LSTATUS ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr LSTATUS ERROR_OUTOFMEMORY = 14;
constexpr LSTATUS ERROR_GEN_FAILURE = 31;
constexpr LSTATUS ERROR_INVALID_PARAMETER = 87;
constexpr LSTATUS ERROR_DISK_FULL = 112;
constexpr LSTATUS ERROR_INSUFFICIENT_BUFFER = 122;
constexpr LSTATUS ERROR_MOD_NOT_FOUND = 126;
constexpr LSTATUS ERROR_PROC_NOT_FOUND = 127;
constexpr LSTATUS ERROR_BAD_PATHNAME = 161;
constexpr LSTATUS ERROR_ALREADY_EXISTS = 183;
constexpr LSTATUS ERROR_BAD_EXE_FORMAT = 193;
constexpr LSTATUS ERROR_FILENAME_EXCED_RANGE = 206;
constexpr LSTATUS ERROR_MORE_DATA = 234;
constexpr LSTATUS ERROR_NO_MORE_ITEMS = 259;
constexpr LSTATUS ERROR_INVALID_FLAGS = 1004;
constexpr LSTATUS ERROR_BADDB = 1009;
constexpr LSTATUS ERROR_BADKEY = 1010;
constexpr LSTATUS ERROR_CANTOPEN = 1011;
constexpr LSTATUS ERROR_CANTREAD = 1012;
constexpr LSTATUS ERROR_CANTWRITE = 1013;
constexpr LSTATUS ERROR_REGISTRY_CORRUPT = 1015;
constexpr LSTATUS ERROR_KEY_DELETED = 1018;
constexpr LSTATUS ERROR_NO_UNICODE_TRANSLATION = 1113;

DWORD GetLastError();
void SetLastError(DWORD dwErrCode);
