// The section formatter: turns text into HTML with a definition tree, starting in one section.
//
// At each position the longest match among the section's patterns wins (the lowest-numbered
// rule, then pattern, among equally long ones); its rule's template is filled with the escaped
// match and groups (see format_template.h) and appended; the position moves past the match;
// the rule may enter another section (which formats from there on and, when it returns, makes
// the current section search afresh from the new position) and may return from the current
// one. A position where no pattern matches is dropped. Each section appends its header lines
// when it starts and its footer lines when it ends, however it ends: end of input, a returning
// rule, or a cancel. Patterns see the input from where the section started or last searched
// afresh: there `^` and `\b` treat the text as beginning. A match that a pattern found inside
// text that another rule consumed since is passed over, and so is any match of that pattern
// that would start before that match's end (each pattern's matches follow one another as a
// global search finds them). An empty match is never chosen, so no definition can make the
// formatter stand still. Nesting lives on a stack of its own, not on the machine stack: its
// depth is limited by memory only. A long input is formatted in chunks on two threads
// (chunk_join.h), with the same output.
//
// Errors (ComError, source "lumivar"):
//   a pattern that cannot be compiled or whose search runs away, raised when its section first
//   searches (so even when it would never match): "Error searching for pattern: " + pattern +
//   CRLF + "The pattern is invalid." + CRLF + "The pattern is defined on line " + its line
//   (counted from 0) + " in " + its file + "." for 5018; for any other number, after the
//   pattern and CRLF, "Error " + number + ". " + the engine's description;
//   9  (subscript out of range) a rule enters a section that the tree does not hold;
//   5  ptr below 0;   6  an input longer than 2^31 - 1 units.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/definition_tree.h"
#include "engine/format_progress.h"

namespace engine {

// Where the formatter's output goes when it is not collected in a string.
class OutputSink {
public:
    virtual ~OutputSink() = default;
    virtual void write(std::u16string_view text) = 0;
    // Writes the text escaped for HTML (strings::EncodeHTML), as write would the escaped text.
    virtual void writeEscaped(std::u16string_view text);
    // True for a sink that escapes on its way out faster than it is handed escaped text: the
    // formatter then hands it long escaped copies of the input through writeEscaped.
    virtual bool escapesCopies() const { return false; }
};

// Compiles the section's patterns now, into this thread's cache of compiled patterns, so that
// formatting from it on this thread starts at once: for a program with time to spare while its
// input is read. A pattern that does not compile is still raised when its section first searches.
void CompileAhead(const modHlx::SectionRecord& section);

namespace detail {
// How many units of input each chunk of a long run holds: 0 formats every input on one thread;
// kMachineChunkUnits, the default, is 64 Ki units when the process may run on two processors
// and 0 otherwise.
inline constexpr uint32_t kMachineChunkUnits = UINT32_MAX;
void SetChunkUnits(uint32_t units);
// How many chunks formatted from a guess have been joined so far in this process.
uint64_t JoinedChunks();
}  // namespace detail

}  // namespace engine

// Formats inp from position ptr with Section (a section of hlx) and appends the HTML to out;
// ptr ends where formatting stopped. Progress and cancel go through `progress`.
void FormatSection(const modHlx::DefinitionTree& hlx, const modHlx::SectionRecord& Section, std::u16string_view inp,
                   std::u16string& out, LONG& ptr, engine::FormatProgress& progress);
// The same, writing the output to a sink in pieces of some tens of kilobytes as it is made. On a
// failure, what was made before it goes to the sink (or to out) before the error is raised.
void FormatSection(const modHlx::DefinitionTree& hlx, const modHlx::SectionRecord& Section, std::u16string_view inp,
                   engine::OutputSink& out, LONG& ptr, engine::FormatProgress& progress);
