// The exit status of lumivar, with or without its windows.
#pragma once

#include "frontend/frm_main.h"

namespace frontend {

// kCancelled: as a shell reports a program that Ctrl+C ended.
enum ExitStatus { kWritten = 0, kFailed = 1, kCannotRun = 2, kCancelled = 130 };

// After a conversion: written (a cancel after some input was formatted too), cancelled before
// anything was formatted, or failed.
inline int ExitStatusOf(const frmMain& form) {
    switch (form.lastOutcome()) {
    case engine::JobOutcome::Written: return kWritten;
    case engine::JobOutcome::Cancelled: return kCancelled;
    default: return kFailed;
    }
}

}  // namespace frontend
