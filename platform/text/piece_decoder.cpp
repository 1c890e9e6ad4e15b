#include "platform/text/piece_decoder.h"

#include "platform/automation/error.h"
#include "platform/automation/error_numbers.h"
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
    decodeAll(held_, out);
    held_.clear();
}

void PieceDecoder::decodeComplete(std::string_view bytes, std::u16string& out) {
    size_t ready = *page_->completePrefix(bytes);
    decodeAll(bytes.substr(0, ready), out);
    held_.assign(bytes.substr(ready));
}

void PieceDecoder::decodeAll(std::string_view bytes, std::u16string& out) {
    if (bytes.empty()) return;
    if (page_->decode(bytes, false, out) != 0) throw ComError(errnum::kInvalidProcedureCall, u"", u"");
}

}  // namespace text
