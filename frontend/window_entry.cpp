#include "frontend/window_entry.h"

#include <dlfcn.h>

#include "frontend/program_globals.h"
#include "platform/com/module_loader.h"
#include "platform/text/codepage.h"

namespace frontend {

bool RunWithWindows(int& argc, char** argv, const std::u16string& arguments, int& status, std::string& why) {
    const std::string path = text::TextToAnsi(ProgramFolder()) + "/" + LUMIVAR_WINDOW_MODULE_FILE;
    // Kept loaded until the program ends: Qt does not expect to be unloaded.
    void* module = com::OpenModuleFile(path, why);
    if (!module) {
        why = path + ": " + why;
        return false;
    }
    auto entry = reinterpret_cast<WindowEntry>(::dlsym(module, kWindowEntryName));
    if (!entry) {
        why = path + " has no entry point " + kWindowEntryName;
        return false;
    }
    status = entry(&argc, argv, arguments.c_str());
    return true;
}

}  // namespace frontend
