// Named instance mutexes (modMutex).
#include "components/system/system.h"
#include "platform/automation/error.h"
#include "platform/automation/system_errors.h"
#include "platform/os/named_mutex.h"

void System::RaiseSystemError(DWORD code) const {
    throw ComError(static_cast<LONG>(code), runtimeSource_, SystemErrorMessage(code));
}

LONG System::CreateNamedMutex(const std::u16string& mutexname) {
    os::MutexCreation created = os::CreateNamedMutex(mutexname);
    if (created.error != ERROR_SUCCESS) RaiseSystemError(created.error);
    return created.handle;
}

LONG System::CreateInstanceMutex(const std::u16string& mutexname) { return CreateNamedMutex(mutexname); }

void System::DestroyInstanceMutex(LONG hmutex) {
    if (DWORD error = os::CloseNamedMutex(hmutex)) RaiseSystemError(error);
}

bool System::CheckInstanceMutex(const std::u16string& mutexname) {
    os::MutexCreation created = os::CreateNamedMutex(mutexname);
    if (created.error == ERROR_ALREADY_EXISTS) return true;
    if (created.error != ERROR_SUCCESS) RaiseSystemError(created.error);
    os::CloseNamedMutex(created.handle);
    return false;
}
