// tavrel-regsvr: registers a component module into the current registry (its
// DllRegisterServer), or unregisters it with -u (its DllUnregisterServer).
//
// Exit status: 0 done, 1 bad arguments, 3 the module does not load (or is missing),
// 4 the module lacks the entry point, 5 the entry point reported a failure.
#include <dlfcn.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/automation/error.h"
#include "platform/automation/system_errors.h"
#include "platform/com/module_loader.h"
#include "platform/text/codepage.h"
#include "platform/registry/registry.h"

namespace {

enum ExitCode { Done = 0, BadArguments = 1, LoadFailed = 3, EntryMissing = 4, CallFailed = 5 };

struct Options {
    bool unregister = false;
    bool help = false;
    std::string module;
};

constexpr const char* kUsage =
    "Usage: tavrel-regsvr [-u] MODULE\n"
    "Registers the component module MODULE (calls its DllRegisterServer) into the current\n"
    "registry, or with -u unregisters it (calls its DllUnregisterServer).\n"
    "The registry is the store named by TAVREL_REGISTRY, by default\n"
    "$XDG_CONFIG_HOME/tavrel/registry.db.\n"
    "\n"
    "  -u, --unregister   unregister instead of register\n"
    "  -h, --help         show this text\n"
    "      --version      print \"tavrel-regsvr VERSION\"\n"
    "\n"
    "Exit status: 0 done, 1 bad arguments, 3 the module does not load, 4 the module lacks\n"
    "the entry point, 5 the entry point reported a failure.\n";

// Fills options; returns false with a message on stderr for arguments that make no sense.
bool ParseArguments(int argc, char** argv, Options& options) {
    bool onlyFiles = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (!onlyFiles && (arg == "-h" || arg == "--help")) {
            options.help = true;
        } else if (!onlyFiles && (arg == "-u" || arg == "--unregister")) {
            options.unregister = true;
        } else if (!onlyFiles && arg == "--") {
            onlyFiles = true;
        } else if (!onlyFiles && arg.size() > 1 && arg[0] == '-') {
            std::fprintf(stderr, "tavrel-regsvr: unknown option '%s'\n%s", argv[i], kUsage);
            return false;
        } else if (options.module.empty()) {
            options.module = arg;
        } else {
            std::fprintf(stderr, "tavrel-regsvr: only one module at a time ('%s' is one too many)\n", argv[i]);
            return false;
        }
    }
    if (!options.help && options.module.empty()) {
        std::fprintf(stderr, "tavrel-regsvr: no module given\n%s", kUsage);
        return false;
    }
    return true;
}

int Run(const Options& options) {
    const char* entry = options.unregister ? "DllUnregisterServer" : "DllRegisterServer";
    const char* module = options.module.c_str();
    std::string why;
    void* handle = com::OpenModuleFile(options.module, why);
    if (!handle) {
        std::fprintf(stderr, "tavrel-regsvr: the module \"%s\" failed to load: %s\n", module, why.c_str());
        return LoadFailed;
    }
    using EntryPoint = HRESULT (*)();
    auto call = reinterpret_cast<EntryPoint>(dlsym(handle, entry));
    if (!call) {
        std::fprintf(stderr, "tavrel-regsvr: the module \"%s\" was loaded, but the entry point %s was not found.\n",
                     module, entry);
        dlclose(handle);
        return EntryMissing;
    }
    const HRESULT result = call();
    dlclose(handle);
    if (FAILED(result)) {
        std::fprintf(stderr, "tavrel-regsvr: %s in \"%s\" failed. The result was 0x%08X: %s\n", entry, module,
                     static_cast<unsigned>(result), text::TextToAnsi(DescribeHresult(result)).c_str());
        if (const std::u16string store = RegistryLastErrorText(); !store.empty())
            std::fprintf(stderr, "tavrel-regsvr: the registry reported: %s\n", text::TextToAnsi(store).c_str());
        if (result == HRESULT_FROM_WIN32(ERROR_NO_UNICODE_TRANSLATION))
            std::fprintf(stderr, "tavrel-regsvr: the module's path cannot be written in the ANSI code page %u "
                                 "(TAVREL_ACP), so nothing was registered; move the module or choose a code page "
                                 "that holds its path.\n", GetACP());
        return CallFailed;
    }
    std::printf("%s in \"%s\" succeeded (registry %s).\n", entry, module, RegistryStorePath().c_str());
    return Done;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::puts("tavrel-regsvr " LUMIVAR_VERSION);
        return Done;
    }
    Options options;
    if (!ParseArguments(argc, argv, options)) return BadArguments;
    if (options.help) {
        std::fputs(kUsage, stdout);
        return Done;
    }
    return Run(options);
}
