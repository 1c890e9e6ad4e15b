#include "tools/hlx/convert/shard.h"

#include <charconv>

namespace convert {

namespace {

std::optional<unsigned> Number(std::string_view text) {
    unsigned value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace

std::optional<Shard> ParseShard(std::string_view text) {
    const size_t slash = text.find('/');
    if (slash == std::string_view::npos) return std::nullopt;
    std::optional<unsigned> index = Number(text.substr(0, slash));
    std::optional<unsigned> count = Number(text.substr(slash + 1));
    if (!index || !count || *index < 1 || *index > *count) return std::nullopt;
    return Shard{*index, *count};
}

}  // namespace convert
