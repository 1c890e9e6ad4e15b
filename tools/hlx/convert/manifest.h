// The record a conversion keeps in its output folder of what it made from what, so that a
// re-run converts only files whose source or definition changed and removes the outputs of
// sources that went. One file per shard, so that shards running at once never share one; the
// indexes read them all.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "tools/hlx/convert/shard.h"
#include "tools/hlx/convert/source_list.h"

namespace convert {

struct ManifestEntry {
    uint64_t size = 0;
    int64_t modified = 0;
    uint64_t definitionHash = 0;  // of the definition's content and the options that change the output
    std::string language;         // the definition's name without ".hlx"
};

using Manifest = std::map<std::string, ManifestEntry>;  // by relative path

inline constexpr char kManifestName[] = ".lumivar-manifest";

// FOLDER/.lumivar-manifest, or FOLDER/.lumivar-manifest-I-of-N for a shard.
std::string ManifestPath(const std::string& outputFolder, const std::optional<Shard>& shard);

// An absent or unreadable manifest reads as empty (everything is converted again); lines that
// do not parse are left out.
Manifest ReadManifest(const std::string& path);
// Written crash-safe (filereplace): a crash leaves the old manifest or the new one.
void WriteManifest(const std::string& path, const Manifest& manifest);
// Every manifest of the output folder together.
Manifest ReadAllManifests(const std::string& outputFolder);

inline bool Unchanged(const ManifestEntry& entry, const SourceFile& file, uint64_t definitionHash) {
    return entry.size == file.size && entry.modified == file.modified && entry.definitionHash == definitionHash;
}

}  // namespace convert
