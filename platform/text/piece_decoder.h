// Text of bytes that arrive in pieces (a file read a block at a time), the same as converting
// them joined: each piece is converted as far as its characters are complete and the rest waits
// for the next one; with a code page that cannot tell where a character ends, all bytes wait
// for the end.
#pragma once

#include <string>
#include <string_view>

#include "platform/automation/types.h"

namespace text {

namespace detail {
class CodePage;
}

class PieceDecoder {
public:
    // The same code pages as BytesToText; one that is not available raises ComError 5.
    explicit PieceDecoder(UINT codePage);
    // Appends the text of what is complete so far to out.
    void decode(std::string_view piece, std::u16string& out);
    // Appends the text of what is left. Call once, after the last piece.
    void finish(std::u16string& out);

private:
    // Decodes the complete characters at the start and holds the rest.
    void decodeComplete(std::string_view bytes, std::u16string& out);

    const detail::CodePage* page_;
    bool piecewise_;
    std::string held_;
};

}  // namespace text
