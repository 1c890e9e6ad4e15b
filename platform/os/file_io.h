// Reading and writing whole streams of bytes through file descriptors: reads go to the end of
// the input whatever size the file reports (pipes, FIFOs and /proc files report 0), and both
// retry the calls that a signal interrupts. Failures are std::system_error with the errno.
#pragma once

#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace fileio {

// The most bytes one whole-file read hands back: what a byte array or a String can hold.
inline constexpr std::size_t kMaxWholeFileBytes = 0x7FFFFFFF;

// A read that would pass its limit (a file too large, or a stream that never ends).
class InputTooLarge : public std::length_error {
public:
    explicit InputTooLarge(std::size_t limit);
    std::size_t limit() const { return limit_; }

private:
    std::size_t limit_;
};

// A read abandoned because the caller asked to stop.
class ReadStopped : public std::exception {
public:
    const char* what() const noexcept override { return "the read was stopped"; }
};

// Asked before each read and when a signal interrupts one; true abandons the read with
// ReadStopped.
using StopRequest = std::function<bool()>;

// Reads up to size bytes into data; fewer only at the end of the input.
std::size_t ReadSome(int fd, char* data, std::size_t size, const StopRequest& stop = {});

// Every byte up to the end of the input, at most limit of them (InputTooLarge beyond).
std::string ReadToEnd(int fd, std::size_t limit = kMaxWholeFileBytes, const StopRequest& stop = {});

// The same bytes handed to take a piece at a time (each view lasts until take returns), so that
// the input is never held whole.
void ReadInPieces(int fd, std::size_t limit, const StopRequest& stop, const std::function<void(std::string_view)>& take);

// What fstat reports as the size of a regular file; 0 for anything else (a first guess only).
std::size_t ReportedSize(int fd);

// Writes all of bytes.
void WriteAll(int fd, std::string_view bytes);

}  // namespace fileio
