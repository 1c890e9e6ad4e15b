// The component modules loaded into this process: one load per file, kept until
// CoFreeUnusedLibraries finds that the module may be unloaded.
#pragma once

#include <string>

#include "platform/automation/types.h"

namespace com {

// Loads a module file for its entry points (dlopen, resolving every symbol now). Only a regular
// file is loaded: a FIFO or a device would block the loader. A name without a folder is a
// file in the current folder. Returns the handle, or nullptr with the reason in why.
void* OpenModuleFile(const std::string& path, std::string& why);

// The file-system path of the loaded module (program, library or module) that holds the
// address, its links resolved; empty when the address is in none.
std::string ModuleFileSystemPath(const void* addressInModule);

}  // namespace com

namespace com::detail {

// Loads the module file (once) and asks its DllGetClassObject for the class object.
// Missing file: HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND); a file that does not load or lacks
// DllGetClassObject: CO_E_ERRORINDLL.
HRESULT GetClassObjectFromModule(const std::string& path, REFCLSID clsid, REFIID riid, void** ppv);

// Unloads every loaded module whose DllCanUnloadNow answers S_OK.
void FreeUnusedModules();

}  // namespace com::detail
