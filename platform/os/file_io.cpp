#include "platform/os/file_io.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <system_error>
#include <vector>

#include "platform/text/large_buffer.h"

namespace fileio {

namespace {

constexpr std::size_t kReadBlock = std::size_t(1) << 20;

[[noreturn]] void FailWithErrno() { throw std::system_error(errno, std::generic_category()); }

constexpr std::size_t kPieceBytes = std::size_t(128) << 10;  // read pieces stay in the processor's cache

}  // namespace

std::size_t ReportedSize(int fd) {
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size < 0) return 0;
    return static_cast<std::size_t>(status.st_size);
}

InputTooLarge::InputTooLarge(std::size_t limit)
    : std::length_error("the input holds more than " + std::to_string(limit) + " bytes"), limit_(limit) {}

std::size_t ReadSome(int fd, char* data, std::size_t size, const StopRequest& stop) {
    std::size_t done = 0;
    while (done < size) {
        // Asked before each read as well: a signal that came before the read began interrupts
        // nothing.
        if (stop && stop()) throw ReadStopped();
        ssize_t count = ::read(fd, data + done, size - done);
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) FailWithErrno();
        if (count == 0) break;
        done += static_cast<std::size_t>(count);
    }
    return done;
}

std::string ReadToEnd(int fd, std::size_t limit, const StopRequest& stop) {
    // The reported size is only a first guess: one read of that size, then a small read that
    // usually only confirms the end (a buffer of a megabyte costs hundreds of page faults), then
    // blocks until the end, joined once so that no growing string is copied again and again.
    std::size_t expected = std::min(ReportedSize(fd), limit);
    std::string bytes;
    bytes.reserve(expected);
    text::AdviseLargeBuffer(bytes.data(), expected);
    bytes.resize(expected);
    bytes.resize(ReadSome(fd, bytes.data(), expected, stop));
    char probe[4096];
    std::size_t probed = ReadSome(fd, probe, sizeof probe, stop);
    if (probed == 0) return bytes;
    std::size_t total = bytes.size() + probed;
    if (total > limit) throw InputTooLarge(limit);
    std::vector<std::string> blocks;
    blocks.emplace_back(probe, probed);
    while (true) {
        std::string block(kReadBlock, '\0');
        block.resize(ReadSome(fd, block.data(), kReadBlock, stop));
        if (block.empty()) break;
        total += block.size();
        if (total > limit) throw InputTooLarge(limit);
        blocks.push_back(std::move(block));
    }
    bytes.reserve(total);
    for (std::string& block : blocks) {
        bytes += block;
        std::string().swap(block);
    }
    return bytes;
}

void ReadInPieces(int fd, std::size_t limit, const StopRequest& stop, const std::function<void(std::string_view)>& take) {
    std::unique_ptr<char[]> piece(new char[kPieceBytes]);
    std::size_t total = 0;
    while (true) {
        std::size_t count = ReadSome(fd, piece.get(), kPieceBytes, stop);
        total += count;
        if (total > limit) throw InputTooLarge(limit);
        if (count > 0) take(std::string_view(piece.get(), count));
        if (count < kPieceBytes) return;  // ReadSome stops short only at the end
    }
}

void WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t count = ::write(fd, bytes.data(), bytes.size());
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) FailWithErrno();
        bytes.remove_prefix(static_cast<std::size_t>(count));
    }
}

}  // namespace fileio
