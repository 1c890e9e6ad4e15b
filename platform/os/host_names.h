// The computer's name and the name of the user the process runs as, from the system; nothing
// when the system cannot tell.
#pragma once

#include <optional>
#include <string>

namespace os {

std::optional<std::u16string> ComputerName();  // the host name
std::optional<std::u16string> UserName();      // the login name of the effective user

}  // namespace os
