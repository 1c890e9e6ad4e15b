// The exit status of lumivar, with or without its windows.
#pragma once

#include "frontend/frm_main.h"

namespace frontend {

enum ExitStatus { kWritten = 0, kFailed = 1, kCannotRun = 2 };

// After a conversion: written (a cancelled one too) or failed.
inline int ExitStatusOf(const frmMain& form) {
    return form.lastOutcome() == engine::JobOutcome::Written ? int(kWritten) : int(kFailed);
}

}  // namespace frontend
