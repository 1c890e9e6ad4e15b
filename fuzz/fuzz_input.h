// The fuzzer's bytes read as a series of small choices. Once the bytes run out every choice is
// 0 and every text is empty, so a target always finishes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool empty() const { return position_ == size_; }
    uint8_t byte() { return empty() ? 0 : data_[position_++]; }
    bool flag() { return (byte() & 1) != 0; }
    // A number from 0 to n - 1 (n > 0), from one byte, or two when n exceeds 256.
    size_t below(size_t n) {
        size_t value = byte();
        if (n > 256) value = value << 8 | byte();
        return value % n;
    }
    template <class T>
    const T& pick(const std::vector<T>& items) { return items[below(items.size())]; }

    // Up to maxUnits units, each one taken from the alphabet.
    std::u16string text(size_t maxUnits, std::u16string_view alphabet) {
        std::u16string result;
        for (size_t n = below(maxUnits + 1); n > 0 && !empty(); --n) result += alphabet[below(alphabet.size())];
        return result;
    }

    // The remaining bytes as UTF-16 text: a byte below 0x80 is that unit, a higher byte and the
    // next one make one unit from its low seven bits and the next eight (so surrogates and
    // every other unit occur).
    std::u16string restAsText() {
        std::u16string result;
        while (!empty()) {
            uint8_t b = byte();
            result += b < 0x80 ? char16_t(b) : char16_t((b & 0x7F) << 9 | byte() << 1 | (b & 1));
        }
        return result;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
};

// Text for a report: ASCII as it is, other units as \uXXXX.
inline std::string Printable(std::u16string_view text) {
    std::string out;
    char escape[8];
    for (char16_t c : text) {
        if (c >= 0x20 && c < 0x7F) {
            out += char(c);
        } else {
            std::snprintf(escape, sizeof escape, "\\u%04X", unsigned(c));
            out += escape;
        }
    }
    return out;
}

// Stops the run with a message when a property does not hold: libFuzzer keeps the input.
[[noreturn]] inline void Fail(const std::string& what) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what.c_str());
    std::abort();
}

}  // namespace fuzz

// The message is built only when the check fails.
#define FUZZ_CHECK(holds, message)              \
    do {                                        \
        if (!(holds)) ::fuzz::Fail(message);    \
    } while (0)
