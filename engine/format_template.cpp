#include "engine/format_template.h"

namespace engine {

FormatTemplate::FormatTemplate(std::u16string_view text, size_t groupCount) : text_(text) {
    size_t literalStart = 0;
    size_t i = 0;
    while (i + 1 < text.size()) {
        if (text[i] != u'$') {
            ++i;
            continue;
        }
        char16_t next = text[i + 1];
        bool isGroup = next >= u'0' && next <= u'9' && size_t(next - u'0') < groupCount;
        if (next != u'$' && !isGroup) {
            ++i;
            continue;
        }
        addLiteral(literalStart, i);
        if (isGroup) {
            pieces_.push_back(Piece{Piece::Group, uint32_t(next - u'0'), 0});
            usesGroups_ = true;
        } else {
            pieces_.push_back(Piece{Piece::Match, 0, 0});
        }
        i += 2;
        literalStart = i;
    }
    addLiteral(literalStart, text.size());
}

void FormatTemplate::fillBetweenLiteralsAsIs() {
    for (size_t k = 1; k + 1 < pieces_.size(); ++k) {
        if (pieces_[k - 1].kind != Piece::Literal || pieces_[k + 1].kind != Piece::Literal) continue;
        if (pieces_[k].kind == Piece::Match) pieces_[k].kind = Piece::MatchAsIs;
        if (pieces_[k].kind == Piece::Group) pieces_[k].kind = Piece::GroupAsIs;
    }
}

void FormatTemplate::addLiteral(size_t begin, size_t end) {
    if (end > begin) pieces_.push_back(Piece{Piece::Literal, uint32_t(begin), uint32_t(end - begin)});
}

}  // namespace engine
