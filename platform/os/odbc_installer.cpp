#include "platform/os/odbc_installer.h"

#include <dlfcn.h>
#include <odbcinst.h>

namespace os {

namespace {

using ConfigFunction = decltype(&::SQLConfigDataSource);

// The installer library (and the libltdl it needs) is loaded when a data source is first
// configured, not by every program that starts; it stays loaded for the rest of the process.
ConfigFunction InstallerConfigFunction() {
    static const ConfigFunction function = []() -> ConfigFunction {
        void* library = ::dlopen("libodbcinst.so.2", RTLD_NOW | RTLD_LOCAL);
        return library ? reinterpret_cast<ConfigFunction>(::dlsym(library, "SQLConfigDataSource")) : nullptr;
    }();
    return function;
}

}  // namespace

int ConfigDataSource(DataSourceRequest request, const std::string& driver, std::string attributes) {
    const ConfigFunction config = InstallerConfigFunction();
    if (!config) return 0;  // no installer library: the data source cannot be configured
    attributes.append(2, '\0');  // an empty pair ends the list, whether or not the caller ended its last one
    return config(nullptr, request, driver.c_str(), attributes.c_str()) ? 1 : 0;
}

}  // namespace os
