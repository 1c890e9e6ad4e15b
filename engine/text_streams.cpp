#include "engine/text_streams.h"

#include <system_error>

#include "platform/automation/error_numbers.h"
#include "platform/os/file_errors.h"
#include "platform/os/file_io.h"
#include "platform/text/codepage.h"

namespace engine {

namespace {

bool IsLeadSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

// Code pages whose bytes depend on the characters before them.
bool IsStateful(UINT codePage) {
    switch (codePage) {
    case 50220: case 50221: case 50222: case 50225: case 50227: case 50229: case 52936: case 65000: return true;
    default: return false;
    }
}

}  // namespace

std::u16string ReadAllText(int fd, std::u16string_view what, const fileio::StopRequest& stop) {
    try {
        return fileerrors::ReadTextToEndOrRaise(fd, {}, errsource::kProgram, stop);
    } catch (const ComError& cause) {
        throw ComError(cause.number(), errsource::kProgram,
                       DescriptionWithReason(u"Error reading " + std::u16string(what), cause));
    }
}

AnsiOutputSink::AnsiOutputSink(int fd)
    : AnsiOutputSink([fd](std::string_view bytes) {
          try {
              fileio::WriteAll(fd, bytes);
          } catch (const std::system_error& error) {
              throw fileerrors::ErrorForErrno(error.code().value(), {}, errsource::kProgram);
          }
      }) {}

AnsiOutputSink::AnsiOutputSink(ByteWriter writer)
    : codePage_(GetACP()), piecewise_(!IsStateful(codePage_)), output_(std::move(writer)) {}

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
    output_.finish();
}

void AnsiOutputSink::convertAndWrite(std::u16string_view text) {
    text::AppendTextBytes(text, codePage_, output_.block());
    output_.handOnIfFull();
}

}  // namespace engine
