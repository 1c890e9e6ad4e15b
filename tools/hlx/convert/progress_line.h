// The progress of a tree's conversion as one line on a terminal: files and bytes done, the
// rate and the time left. Not on a terminal it draws nothing.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>

namespace convert {

class ProgressLine {
public:
    // Draws on `out` only when it is a terminal.
    ProgressLine(std::FILE* out, uint64_t files, uint64_t bytes);
    void draw(uint64_t filesDone, uint64_t bytesDone);
    // Wipes the line, for the summary.
    void clear();

private:
    std::FILE* out_;
    bool terminal_;
    bool drawn_ = false;
    uint64_t files_;
    uint64_t bytes_;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace convert
