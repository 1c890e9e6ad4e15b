// The runtime's error numbers and the error sources our code raises them with: the one place
// each is named. Their texts live beside the numbers' descriptions in error.cpp.
#pragma once

#include "platform/automation/types.h"

namespace errnum {

inline constexpr LONG kInvalidProcedureCall = 5;
inline constexpr LONG kOverflow = 6;
inline constexpr LONG kOutOfMemory = 7;
inline constexpr LONG kSubscriptOutOfRange = 9;
inline constexpr LONG kTypeMismatch = 13;
inline constexpr LONG kOutOfStringSpace = 14;
inline constexpr LONG kInternalError = 51;
inline constexpr LONG kBadFileName = 52;
inline constexpr LONG kFileNotFound = 53;
inline constexpr LONG kDeviceIoError = 57;
inline constexpr LONG kFileAlreadyExists = 58;
inline constexpr LONG kDiskFull = 61;
inline constexpr LONG kInputPastEndOfFile = 62;
inline constexpr LONG kTooManyFiles = 67;
inline constexpr LONG kPermissionDenied = 70;
inline constexpr LONG kPathFileAccessError = 75;
inline constexpr LONG kPathNotFound = 76;
inline constexpr LONG kObjectNotSet = 91;
inline constexpr LONG kInvalidUseOfNull = 94;
inline constexpr LONG kObjectRequired = 424;
inline constexpr LONG kCannotCreateObject = 429;
inline constexpr LONG kNotSupported = 438;
inline constexpr LONG kArgumentNotOptional = 449;
inline constexpr LONG kWrongArgumentCount = 450;
inline constexpr LONG kDuplicateKey = 457;
inline constexpr LONG kRegExpSyntax = 5017;
inline constexpr LONG kRegExpUnexpectedQuantifier = 5018;
inline constexpr LONG kRegExpExpectedBracket = 5019;
inline constexpr LONG kRegExpExpectedParenthesis = 5020;
inline constexpr LONG kRegExpInvalidRange = 5021;
inline constexpr LONG kElementNotFound = 32811;

// The System component's own numbers.
inline constexpr LONG kBlankFileName = 1000;
inline constexpr LONG kNoFreeFileHandles = 1002;
inline constexpr LONG kCannotCreateFolder = 1000;   // MkDirEx
inline constexpr LONG kCannotLaunchCommand = 1000;  // starting a process

}  // namespace errnum

namespace errsource {

inline constexpr char16_t kProgram[] = u"lumivar";            // the program's own procedures
inline constexpr char16_t kComponents[] = u"Tavrel";          // components' runtime errors, creation (429)
inline constexpr char16_t kRegExp[] = u"VBScript_RegExp_55";  // the regular-expression object

}  // namespace errsource
