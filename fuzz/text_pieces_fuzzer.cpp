// Text on its way in and out, a piece at a time: bytes decoded in pieces cut anywhere give the
// text of decoding them at once, in a code page of each kind (UTF-8, a single-byte table, a
// double-byte one, a stateful one); UTF-8 gives the bytes back; and HTML escaping of that text
// equals escaping it a unit at a time, and straight into UTF-8 equals converting that.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "components/strings/html_escape.h"
#include "fuzz/fuzz_input.h"
#include "platform/text/codepage.h"
#include "platform/text/piece_decoder.h"

namespace {

const std::vector<UINT> kCodePages = {65001, 1252, 932, 50220};

std::string Show(const std::string& bytes) {
    std::u16string units(bytes.begin(), bytes.end());
    for (char16_t& unit : units) unit &= 0xFF;
    return fuzz::Printable(units.substr(0, 200));
}

std::u16string EscapedOneByOne(std::u16string_view text) {
    std::u16string out;
    for (char16_t unit : text) {
        std::u16string_view escape = strings::HtmlEscapeOf(unit);
        if (escape.empty()) {
            out += unit;
        } else {
            out += escape;
        }
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput input(data, size);
    const UINT codePage = input.pick(kCodePages);
    std::vector<size_t> pieceSizes;
    size_t cycle = 0;  // the bytes of one round of pieces: none means the bytes come whole
    for (size_t n = input.below(8); n > 0; --n) cycle += pieceSizes.emplace_back(input.below(9));
    if (cycle == 0) pieceSizes.clear();
    std::string bytes;
    while (!input.empty()) bytes += char(input.byte());

    const std::u16string whole = text::BytesToText(bytes, codePage);
    text::PieceDecoder decoder(codePage);
    std::u16string pieced;
    size_t from = 0;
    for (size_t i = 0; from < bytes.size(); ++i) {
        size_t length = pieceSizes.empty() ? bytes.size() : pieceSizes[i % pieceSizes.size()];
        decoder.decode(std::string_view(bytes).substr(from, length), pieced);
        from += length;
    }
    decoder.finish(pieced);
    FUZZ_CHECK(pieced == whole, "pieces differ from the whole in " + std::to_string(codePage) + ": " + Show(bytes));
    if (codePage == CP_UTF8) {
        FUZZ_CHECK(text::TextToBytes(whole, CP_UTF8) == bytes, "UTF-8 lost bytes: " + Show(bytes));
    }

    std::u16string escaped(strings::HtmlEscapeRoom(whole.size()), u'\0');
    escaped.resize(size_t(strings::EscapeHtmlInto(whole, escaped.data()) - escaped.data()));
    FUZZ_CHECK(escaped == EscapedOneByOne(whole), "escaping differs for " + fuzz::Printable(whole.substr(0, 200)));
    std::string escapedBytes(strings::HtmlEscapeRoom(whole.size()), '\0');
    bool usedDefault = false;
    escapedBytes.resize(size_t(strings::EscapeHtmlIntoUtf8(whole, escapedBytes.data(), usedDefault) - escapedBytes.data()));
    FUZZ_CHECK(escapedBytes == text::TextToBytes(escaped, CP_UTF8),
               "escaping into UTF-8 differs for " + fuzz::Printable(whole.substr(0, 200)));
    return 0;
}
