// One line describing a failure of one file, for the summary of a conversion.
#pragma once

#include <exception>
#include <string>

namespace convert {

// "Error NUMBER: DESCRIPTION" for a ComError, the errno's text and the path for a failed file
// replacement, what() for the rest.
std::string ErrorText(const std::exception& error);

}  // namespace convert
