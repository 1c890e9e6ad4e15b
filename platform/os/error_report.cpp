#include "platform/os/error_report.h"

#include <unistd.h>

#include <new>
#include <string>
#include <system_error>

#include "platform/automation/error_numbers.h"
#include "platform/os/file_errors.h"
#include "platform/os/file_io.h"
#include "platform/text/codepage.h"

namespace os {

void ReportError(const ComError& error) {
    std::string line = "Error " + std::to_string(error.number()) + ": " + text::TextToAnsi(error.description()) + "\n";
    try {
        fileio::WriteAll(STDERR_FILENO, line);
    } catch (const std::system_error&) {
        // Standard error itself is gone: the exit status is all that is left.
    }
}

int RunReportingErrors(int failureStatus, const std::function<int()>& body) {
    try {
        return body();
    } catch (const ComError& error) {
        ReportError(error);
    } catch (const std::bad_alloc&) {
        ReportError(fileerrors::ErrorForNumber(errnum::kOutOfMemory, errsource::kProgram));
    }
    return failureStatus;
}

void WriteToStandardOutput(std::string_view bytes) {
    try {
        fileio::WriteAll(STDOUT_FILENO, bytes);
    } catch (const std::system_error& error) {
        throw fileerrors::ErrorForErrno(error.code().value(), {}, errsource::kProgram);
    }
}

}  // namespace os
