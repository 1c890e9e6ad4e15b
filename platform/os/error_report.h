// How the programs report a failure: one line "Error NUMBER: DESCRIPTION" on standard
// error, in the ANSI code page.
#pragma once

#include <functional>
#include <string_view>

#include "platform/automation/error.h"

namespace os {

void ReportError(const ComError& error);

// Runs body and returns its exit status. A ComError, memory exhaustion or a failed write to a
// standard stream is reported as above and gives failureStatus.
int RunReportingErrors(int failureStatus, const std::function<int()>& body);

// Writes all of bytes to standard output; a failure raises ComError with the file services'
// number for it (61 disk full, 57 device I/O error, ...).
void WriteToStandardOutput(std::string_view bytes);

}  // namespace os
