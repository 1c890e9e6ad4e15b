#include "platform/text/piece_decoder.h"

#include "platform/text/codepage_impl.h"

namespace text {

PieceDecoder::PieceDecoder(UINT codePage)
    : page_(&detail::RequireCodePage(codePage)), piecewise_(page_->completePrefix({}).has_value()) {}

void PieceDecoder::decode(std::string_view piece, std::u16string& out) {
    if (!piecewise_) {
        held_ += piece;
    } else if (held_.empty()) {
        decodeComplete(piece, out);
    } else {
        std::string joined = std::move(held_);  // a cut character's few bytes
        joined += piece;
        decodeComplete(joined, out);
    }
}

void PieceDecoder::finish(std::u16string& out) {
    detail::DecodeAppending(*page_, held_, out);
    held_.clear();
}

void PieceDecoder::decodeComplete(std::string_view bytes, std::u16string& out) {
    size_t ready = *page_->completePrefix(bytes);
    detail::DecodeAppending(*page_, bytes.substr(0, ready), out);
    held_.assign(bytes.substr(ready));
}

}  // namespace text
