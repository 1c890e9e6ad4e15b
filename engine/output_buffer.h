// The formatter's output on its way out: appends and HTML escaping write straight into one
// growing block of units, which is handed on (to a sink or the caller's string) in pieces: when
// the formatter flushes it, and while a long text is escaped, so that the block stays small
// however long one match is.
#pragma once

#include <cstring>
#include <functional>
#include <memory>
#include <string_view>

#include "components/strings/html_escape.h"

namespace engine::detail {

class OutputBuffer {
public:
    using Drain = std::function<void(std::u16string_view)>;

    // drain takes the units held when they reach `limit` during escaping, and at every flush.
    OutputBuffer(Drain drain, size_t limit) : drain_(std::move(drain)), limit_(limit) {}

    void append(std::u16string_view text) {
        if (text.empty()) return;
        char16_t* end = reserve(text.size());
        std::memcpy(end, text.data(), text.size() * sizeof(char16_t));
        size_ += text.size();
    }
    void append(char16_t unit) {
        *reserve(1) = unit;
        ++size_;
    }

    // Appends the text escaped for HTML (strings::EncodeHTML).
    void appendEscaped(std::u16string_view text) {
        constexpr size_t kPiece = 4096;  // escaped a piece at a time, so the room asked for stays small
        while (text.size() > kPiece) {
            appendEscapedPiece(text.substr(0, kPiece));
            text.remove_prefix(kPiece);
            if (size_ >= limit_) flush();
        }
        appendEscapedPiece(text);
    }

    size_t size() const { return size_; }
    // Hands the units held to the drain.
    void flush() {
        drain_(std::u16string_view(data_.get(), size_));
        size_ = 0;
    }

private:
    void appendEscapedPiece(std::u16string_view text) {
        char16_t* end = strings::EscapeHtmlInto(text, reserve(strings::HtmlEscapeRoom(text.size())));
        size_ = size_t(end - data_.get());
    }

    // Room for `more` units after the end; returns where the end is.
    char16_t* reserve(size_t more) {
        if (capacity_ - size_ < more) grow(more);
        return data_.get() + size_;
    }
    void grow(size_t more) {
        size_t capacity = std::max(capacity_ * 2, size_ + more);
        capacity = std::max<size_t>(capacity, 1024);
        std::unique_ptr<char16_t[]> data(new char16_t[capacity]);
        if (size_) std::memcpy(data.get(), data_.get(), size_ * sizeof(char16_t));
        data_ = std::move(data);
        capacity_ = capacity;
    }

    Drain drain_;
    size_t limit_;
    std::unique_ptr<char16_t[]> data_;
    size_t size_ = 0;
    size_t capacity_ = 0;
};

inline void AppendEncodedHTML(OutputBuffer& out, std::u16string_view text) { out.appendEscaped(text); }

}  // namespace engine::detail
