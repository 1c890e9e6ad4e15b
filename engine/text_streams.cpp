#include "engine/text_streams.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "components/system/file_errors.h"
#include "platform/text/codepage.h"

namespace engine {

namespace {

constexpr char16_t kErrorSource[] = u"lumivar";
constexpr size_t kReadBlock = 1 << 20;

bool IsLeadSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

// Code pages whose bytes depend on the characters before them.
bool IsStateful(UINT codePage) {
    switch (codePage) {
    case 50220: case 50221: case 50222: case 50225: case 50227: case 50229: case 52936: case 65000: return true;
    default: return false;
    }
}

// Whether each unit below 0x80 becomes the byte of the same value, whatever stands around it.
bool AsciiPassesThrough(UINT codePage) {
    if (IsStateful(codePage)) return false;
    std::u16string ascii;
    for (char16_t unit = 0; unit < 0x80; ++unit) ascii += unit;
    std::string bytes = text::TextToBytes(ascii, codePage);
    if (bytes.size() != ascii.size()) return false;
    for (size_t i = 0; i < bytes.size(); ++i)
        if (static_cast<unsigned char>(bytes[i]) != i) return false;
    return true;
}

std::u16string HexNumber(LONG number) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%lX", static_cast<unsigned long>(static_cast<uint32_t>(number)));
    return std::u16string(digits, digits + std::strlen(digits));
}

// Described as a failed whole-file read is: what, the reason, the number in hexadecimal.
ComError ReadError(int error, std::u16string_view what) {
    ComError cause = fileerrors::ErrorForErrno(error, {}, kErrorSource);
    std::u16string description = u"Error reading " + std::u16string(what) + u"\r\n\r\nReason: " + cause.description() +
                                 u"\r\nError: 0x" + HexNumber(cause.number());
    return ComError(cause.number(), kErrorSource, description);
}

}  // namespace

// Reads up to size bytes into data; fewer only at the end of the input.
size_t ReadSome(int fd, char* data, size_t size, std::u16string_view what) {
    size_t done = 0;
    while (done < size) {
        ssize_t count = ::read(fd, data + done, size - done);
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) throw ReadError(errno, what);
        if (count == 0) break;
        done += size_t(count);
    }
    return done;
}

std::string ReadAllBytes(int fd, std::u16string_view what) {
    // A regular file is read into a string of its size; anything else in blocks that are joined
    // at the end, so that no growing string is ever copied.
    struct stat status {};
    size_t expected = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) ? size_t(status.st_size) : 0;
    std::string bytes(expected, '\0');
    bytes.resize(ReadSome(fd, bytes.data(), expected, what));
    std::vector<std::string> blocks;
    size_t total = bytes.size();
    while (true) {
        std::string block(kReadBlock, '\0');
        block.resize(ReadSome(fd, block.data(), kReadBlock, what));
        if (block.empty()) break;
        total += block.size();
        blocks.push_back(std::move(block));
    }
    if (blocks.empty()) return bytes;
    bytes.reserve(total);
    for (std::string& block : blocks) {
        bytes += block;
        std::string().swap(block);
    }
    return bytes;
}

AnsiOutputSink::AnsiOutputSink(int fd) : fd_(fd), codePage_(GetACP()) {
    piecewise_ = !IsStateful(codePage_);
    asciiPassesThrough_ = AsciiPassesThrough(codePage_);
}

void AnsiOutputSink::write(std::u16string_view text) {
    if (text.empty()) return;
    if (!piecewise_) {
        held_ += text;
        return;
    }
    // A lead surrogate at the end waits for its partner in the next piece.
    size_t ready = IsLeadSurrogate(text.back()) ? text.size() - 1 : text.size();
    if (!held_.empty()) {
        held_ += text.substr(0, ready);
        convertAndWrite(held_);
        held_.clear();
    } else {
        convertAndWrite(text.substr(0, ready));
    }
    held_.assign(text.substr(ready));
}

void AnsiOutputSink::finish() {
    convertAndWrite(held_);
    held_.clear();
}

void AnsiOutputSink::convertAndWrite(std::u16string_view text) {
    bytes_.clear();
    if (!asciiPassesThrough_) {
        bytes_ = text::TextToBytes(text, codePage_);
    } else {
        size_t i = 0;
        while (i < text.size()) {
            size_t end = i;
            while (end < text.size() && text[end] < 0x80) ++end;
            size_t used = bytes_.size();
            bytes_.resize(used + (end - i));
            for (size_t k = i; k < end; ++k) bytes_[used + (k - i)] = char(text[k]);
            i = end;
            while (end < text.size() && text[end] >= 0x80) ++end;
            if (end > i) bytes_ += text::TextToBytes(text.substr(i, end - i), codePage_);
            i = end;
        }
    }
    writeBytes(bytes_);
}

void AnsiOutputSink::writeBytes(std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t count = ::write(fd_, bytes.data(), bytes.size());
        if (count < 0) {
            if (errno == EINTR) continue;
            throw fileerrors::ErrorForErrno(errno, {}, kErrorSource);
        }
        bytes.remove_prefix(size_t(count));
    }
}

}  // namespace engine
