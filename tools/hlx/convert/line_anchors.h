// Line anchors for a formatted page: inside its <pre> block each line starts with an anchor
// (id "L12", a link to itself) whose number is drawn by CSS (a counter in ::before), so that it
// is not copied with the code. Elements open at a line end (a comment across lines) are closed
// before the line break and opened again after the next line's anchor, so that every line is
// well-formed on its own; nothing else of the page changes. The style goes before </head>, or
// before the <pre> when the page has no head.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/section_formatter.h"

namespace convert {

class LineAnchorSink : public engine::OutputSink {
public:
    explicit LineAnchorSink(engine::OutputSink& out) : out_(out) {}
    void write(std::u16string_view text) override;
    // Writes a tag left unfinished at the end of the output as it is.
    void finish();

private:
    struct OpenElement {
        std::u16string name;
        std::u16string tag;  // as written, to open it again
    };

    void unit(char16_t c);
    void tag(const std::u16string& tag);
    void tagInPre(const std::u16string& tag, const std::u16string& name, bool closing);
    void startLine();
    void endLine();
    void style();

    engine::OutputSink& out_;
    std::u16string piece_;   // output of the current write
    std::u16string tag_;     // a tag being read
    char16_t quote_ = 0;     // the quote of an attribute value being read
    int preDepth_ = 0;
    bool lineStartDue_ = false;
    bool styled_ = false;
    unsigned line_ = 0;
    std::vector<OpenElement> open_;
};

}  // namespace convert
