#include "engine/input_read_ahead.h"

#include <sys/stat.h>

#include <chrono>
#include <system_error>

#include "components/system/system.h"
#include "platform/text/codepage.h"

namespace engine {

InputReadAhead::InputReadAhead(std::u16string path) : path_(std::move(path)) {
    struct stat status {};
    if (::stat(text::TextToAnsi(path_).c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return;
    try {
        ahead_ = std::async(std::launch::async, [this] {
            return ReadFileToStringAs(SystemCopy::Program, path_, [this] { return abandoned_.load(); });
        });
    } catch (const std::system_error&) {
        // No thread to be had: the input is read when taken.
    }
}

InputReadAhead::~InputReadAhead() { abandoned_ = true; }

std::u16string InputReadAhead::take(const fileio::StopRequest& stop) {
    if (!ahead_.valid()) return ReadFileToStringAs(SystemCopy::Program, path_, stop);
    constexpr auto kStopLookEvery = std::chrono::milliseconds(20);
    while (stop && ahead_.wait_for(kStopLookEvery) != std::future_status::ready) {
        if (stop()) abandoned_ = true;  // the read ends with ReadStopped at its next piece
    }
    return ahead_.get();
}

}  // namespace engine
