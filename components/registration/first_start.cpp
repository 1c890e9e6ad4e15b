#include "components/registration/first_start.h"

#include <dlfcn.h>

#include <cstdio>
#include <optional>
#include <string_view>

#include "platform/automation/error.h"
#include "platform/com/creation.h"
#include "platform/com/module_loader.h"
#include "platform/com/registry_keys.h"
#include "platform/os/process.h"
#include "platform/registry/registry.h"
#include "platform/text/codepage.h"

namespace components {
namespace {

struct ShippedModule {
    std::u16string_view progId;
    const char* file;  // the module's file name in the program's folder
};

constexpr ShippedModule kShippedModules[] = {
    {u"Tavrel.Dictionary", LUMIVAR_MOSSEL_FILE},
    {u"Tavrel.System", LUMIVAR_HALVERN_FILE},
    {u"Tavrel.Strings2", LUMIVAR_QUILLON_FILE},
};

// The module file the store names for the class, when the class is registered at all.
std::optional<std::u16string> RegisteredModule(std::u16string_view progId) {
    CLSID clsid{};
    if (FAILED(CLSIDFromProgID(std::u16string(progId).c_str(), &clsid))) return std::nullopt;
    return com::detail::ReadString(HKEY_CLASSES_ROOT, com::detail::ClassKey(clsid) + u"\\InprocServer32");
}

bool Usable(std::u16string_view progId) {
    const std::optional<std::u16string> module = RegisteredModule(progId);
    std::error_code error;
    return module && !module->empty() && std::filesystem::is_regular_file(text::TextToAnsi(*module), error);
}

// Calls the module's DllRegisterServer; returns the problem, or nothing when it succeeded.
std::optional<std::string> Register(const std::filesystem::path& file) {
    std::string why;
    void* handle = com::OpenModuleFile(file.string(), why);
    if (!handle) return "the component module \"" + file.string() + "\" failed to load: " + why;
    using EntryPoint = HRESULT (*)();
    auto entry = reinterpret_cast<EntryPoint>(dlsym(handle, "DllRegisterServer"));
    const HRESULT result = entry ? entry() : E_FAIL;
    dlclose(handle);
    if (!entry) return "the component module \"" + file.string() + "\" has no entry point DllRegisterServer";
    if (SUCCEEDED(result)) return std::nullopt;
    char code[16];
    std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(result));
    std::string message = "registering the component module \"" + file.string() + "\" into the registry store \"" +
                          RegistryStorePath() + "\" failed (" + code + "): " +
                          text::TextToAnsi(DescribeHresult(result));
    if (const std::u16string store = RegistryLastErrorText(); !store.empty())
        message += " (" + text::TextToAnsi(store) + ")";
    return message;
}

}  // namespace

std::vector<std::string> RegisterMissingModules(const std::filesystem::path& moduleFolder) {
    std::vector<std::string> problems;
    const RegistryReadSession oneSnapshot;  // the checks read the store together
    for (const ShippedModule& module : kShippedModules) {
        if (Usable(module.progId)) continue;
        if (std::optional<std::string> problem = Register(moduleFolder / module.file)) {
            problems.push_back(std::move(*problem));
        } else if (!Usable(module.progId)) {
            problems.push_back("the component module \"" + (moduleFolder / module.file).string() +
                               "\" registered, but not the class " + text::TextToAnsi(module.progId));
        }
    }
    return problems;
}

bool RegisterModulesOnFirstStart(const char* program) {
    const std::vector<std::string> problems = RegisterMissingModules(os::ProgramFolder());
    for (const std::string& problem : problems) std::fprintf(stderr, "%s: %s\n", program, problem.c_str());
    return problems.empty();
}

}  // namespace components
