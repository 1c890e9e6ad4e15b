// The platform's system error code for a failed system call's errno.
#pragma once

#include "platform/automation/types.h"

namespace os {

DWORD SystemErrorCode(int error);

}  // namespace os
