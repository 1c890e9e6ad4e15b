// A rule's format template, filled in one left-to-right pass: "$$" becomes the escaped match,
// "$" followed by a digit d below the pattern's group count becomes the escaped group d (so
// "$0" is the first parenthesised group), and any other "$" stays as it is. Inserted text is
// never scanned again. The template itself is not escaped: it is the definition's HTML.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "components/strings/text_transforms.h"

namespace engine {

class FormatTemplate {
public:
    FormatTemplate() = default;
    FormatTemplate(std::u16string_view text, size_t groupCount);

    // Appends the filled template to out (a std::u16string, or any output with append of a
    // view and an AppendEncodedHTML of its own): match is the matched text, group(d) the text
    // of group d (empty for a group that took no part). Always inline: the formatter fills a
    // template at most steps, and a call costs more than most fills.
    template <class Output, class GroupText>
    [[gnu::always_inline]] void appendFilled(Output& out, std::u16string_view match, GroupText group) const {
        using strings::AppendEncodedHTML;  // for std::u16string; other outputs bring their own
        for (const Piece& piece : pieces_) {
            switch (piece.kind) {
            case Piece::Literal: out.append(std::u16string_view(text_).substr(piece.value, piece.length)); break;
            case Piece::Match: AppendEncodedHTML(out, match); break;
            case Piece::Group: AppendEncodedHTML(out, group(piece.value)); break;
            case Piece::MatchAsIs: out.append(match); break;
            case Piece::GroupAsIs: out.append(group(piece.value)); break;
            }
        }
    }

    // For a pattern whose matches and groups hold no unit that escaping changes: the fills
    // between two literal pieces are then appended as they are (one at an end still goes the
    // escaping way, which joins it to a copy of the text next to it).
    void fillBetweenLiteralsAsIs();

    // True when the template is exactly "$$".
    bool isMatchOnly() const { return pieces_.size() == 1 && pieces_[0].kind == Piece::Match; }
    bool usesGroups() const { return usesGroups_; }

private:
    struct Piece {
        enum Kind : uint8_t { Literal, Match, Group, MatchAsIs, GroupAsIs } kind;
        uint32_t value;   // Literal: offset into text_; Group: the group number
        uint32_t length;  // Literal only
    };
    void addLiteral(size_t begin, size_t end);

    std::u16string text_;
    std::vector<Piece> pieces_;
    bool usesGroups_ = false;
};

}  // namespace engine
