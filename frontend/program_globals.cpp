#include "frontend/program_globals.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include "platform/os/process.h"
#include "platform/text/codepage.h"

std::u16string gAppTitle;
std::u16string gHelpFile;
std::u16string gInputDir;
std::u16string gOutputDir;
std::u16string gHLXDir;

namespace frontend {

std::u16string ProgramFolder() {
    return text::AnsiToText(os::ProgramFolder().string());
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
