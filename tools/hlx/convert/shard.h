// Splitting a file list into N stable parts, so that separate runs (on other machines) share
// the work without talking to each other: a file's part depends only on its relative path.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace convert {

// FNV-1a, 64 bits: the same on every machine and in every run.
constexpr uint64_t StableHash(std::string_view bytes, uint64_t hash = 14695981039346656037ull) {
    for (unsigned char byte : bytes) hash = (hash ^ byte) * 1099511628211ull;
    return hash;
}

struct Shard {
    unsigned index = 1;  // 1 to count
    unsigned count = 1;
};

// "I/N" with 1 <= I <= N; nothing for anything else.
std::optional<Shard> ParseShard(std::string_view text);

inline bool InShard(std::string_view relative, const Shard& shard) {
    return StableHash(relative) % shard.count == shard.index - 1;
}

}  // namespace convert
