#include "tools/hlx/convert/progress_line.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>

namespace convert {

ProgressLine::ProgressLine(std::FILE* out, uint64_t files, uint64_t bytes)
    : out_(out), terminal_(::isatty(::fileno(out)) != 0), files_(files), bytes_(std::max<uint64_t>(bytes, 1)) {}

void ProgressLine::draw(uint64_t filesDone, uint64_t bytesDone) {
    if (!terminal_) return;
    constexpr int kWidth = 30;
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    const double rate = seconds > 0 ? double(bytesDone) / seconds : 0;  // bytes per second
    const int filled = int(std::min<uint64_t>(bytesDone * kWidth / bytes_, kWidth));
    char bar[kWidth + 1];
    std::memset(bar, ' ', kWidth);
    std::memset(bar, '#', size_t(filled));
    bar[kWidth] = 0;
    const long left = rate > 0 ? long(double(bytes_ - std::min(bytesDone, bytes_)) / rate) : 0;
    std::fprintf(out_, "\r\033[K[%s] %llu/%llu files, %.1f/%.1f MB, %.1f MB/s, %ld:%02ld left", bar,
                 (unsigned long long)filesDone, (unsigned long long)files_, double(bytesDone) / 1e6,
                 double(bytes_) / 1e6, rate / 1e6, left / 60, left % 60);
    std::fflush(out_);
    drawn_ = true;
}

void ProgressLine::clear() {
    if (drawn_) std::fputs("\r\033[K", out_);
    drawn_ = false;
}

}  // namespace convert
