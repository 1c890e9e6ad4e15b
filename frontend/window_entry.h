// The window lives in a module of its own (lumivar_window), loaded only when a display is there:
// batch mode without one never loads Qt, which would cost it several times the start-up of
// the conversion itself. The program and the module share only this entry point.
#pragma once

#include <string>

namespace frontend {

// Runs the program with its windows: argc and argv for QApplication, arguments the joined
// command line. Returns the exit status.
using WindowEntry = int (*)(int* argc, char** argv, const char16_t* arguments);
inline constexpr char kWindowEntryName[] = "LumivarRunWithWindows";

// Loads the window module beside the program and runs its entry; false (with the reason in
// `why`) when the module cannot be loaded.
bool RunWithWindows(int& argc, char** argv, const std::u16string& arguments, int& status, std::string& why);

}  // namespace frontend
