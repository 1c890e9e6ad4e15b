// The parsed form of a pattern in the VBScript dialect.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/regexp/pattern.h"

namespace regexp::dialect {

enum class NodeKind {
    Empty,              // matches the empty string
    Unit,               // one code unit (`unit`), case-folded when the pattern ignores case
    Set,                // one code unit of `set` (already closed under case when ignoring case)
    Sequence,           // children one after the other
    Alternation,        // the first child that leads to a match
    Group,              // capturing group `number`, one child
    NonCapturing,       // (?:...), one child
    Lookahead,          // (?=...), one child
    NegativeLookahead,  // (?!...), one child
    Repeat,             // child repeated min..max times (max kUnbounded: no limit), greedy or lazy
    BackReference,      // the text of group `number`
    Start,              // ^
    End,                // $
    WordBoundary,       // \b
    NotWordBoundary,    // \B
};

inline constexpr uint32_t kUnbounded = UINT32_MAX;

struct Node {
    explicit Node(NodeKind k) : kind(k) {}
    NodeKind kind;
    char16_t unit = 0;
    std::shared_ptr<const UnitBits> set;
    std::vector<std::unique_ptr<Node>> children;
    size_t number = 0;
    uint32_t min = 0;
    uint32_t max = 0;
    bool lazy = false;

    const Node& child() const { return *children.front(); }
};

using NodePtr = std::unique_ptr<Node>;

struct ParsedPattern {
    NodePtr root;
    size_t groupCount = 0;
    std::vector<std::u16string_view> alternatives;  // a root alternation's, in the source
};

// Parses a pattern; throws ComError (5017..5021) for one the dialect rejects.
ParsedPattern Parse(std::u16string_view pattern, bool ignoreCase);

}  // namespace regexp::dialect
