#include "tools/hlx/convert/error_text.h"

#include <system_error>

#include "platform/automation/error.h"
#include "platform/os/file_replace.h"
#include "platform/text/codepage.h"

namespace convert {

std::string ErrorText(const std::exception& error) {
    if (const auto* com = dynamic_cast<const ComError*>(&error)) {
        std::string description = text::TextToAnsi(com->description());
        for (char& c : description)
            if (c == '\r' || c == '\n') c = ' ';
        return "Error " + std::to_string(com->number()) + ": " + description;
    }
    if (const auto* replace = dynamic_cast<const filereplace::ReplaceError*>(&error))
        return std::system_category().message(replace->error()) + ": " + replace->path();
    if (const auto* system = dynamic_cast<const std::system_error*>(&error)) return system->code().message();
    return error.what();
}

}  // namespace convert
