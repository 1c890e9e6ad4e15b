#include "frontend/program_globals.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/text/codepage.h"

std::u16string gAppTitle;
std::u16string gHelpFile;
std::u16string gInputDir;
std::u16string gOutputDir;
std::u16string gHLXDir;

namespace frontend {

std::u16string ProgramFolder() {
    std::error_code error;
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::u16string() : text::AnsiToText(program.parent_path().string());
}

std::u16string FallbackFolder() {
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
        const passwd* user = ::getpwuid(::getuid());
        home = user ? user->pw_dir : "/";
    }
    return text::AnsiToText(home);
}

}  // namespace frontend
