// Registration of the component modules shipped beside the program into the running user's
// registry store, so that an installed program works on its first start for every user.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace components {

// Registers each shipped module (mossel, halvern, quillon) found in moduleFolder whose class is
// not registered in the current store, or is registered to a module file that no longer exists.
// A class registered to another existing file is left as it is. Returns one message per module
// that could not be registered; empty when every class is usable.
std::vector<std::string> RegisterMissingModules(const std::filesystem::path& moduleFolder);

// The same for the modules beside the running program; each problem goes to standard error as
// "PROGRAM: MESSAGE". Returns whether every class is usable.
bool RegisterModulesOnFirstStart(const char* program);

}  // namespace components
