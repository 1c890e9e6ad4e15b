// The definitions a conversion of a tree uses, each read once (on the thread that lists the
// work) and then shared, unchanged, by the workers, which compile its patterns each for itself.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "engine/definition_tree.h"
#include "tools/hlx/convert/source_list.h"

namespace convert {

struct Definition {
    std::string name;      // "c.hlx"
    std::string language;  // "c"
    std::optional<modHlx::DefinitionTree> tree;  // absent when missing or failed
    bool missing = false;
    std::string failure;  // "Error NUMBER: DESCRIPTION" when it did not load
    uint64_t hash = 0;    // of its content and of the options that change the output
};

class Definitions {
public:
    // folder: where the definition files are (hlx/ beside the program). lineAnchors goes into
    // every hash, so that outputs made without anchors are made again with them.
    Definitions(std::string folder, bool lineAnchors) : folder_(std::move(folder)), lineAnchors_(lineAnchors) {}

    // The one place that chooses a file's definition, as the program does: by its extension,
    // else by its name or its first line, among the definitions in the folder.
    std::string NameFor(const SourceFile& file);

    // The definition for the file, read on first use.
    const Definition& For(const SourceFile& file);

private:
    Definition load(const std::string& name) const;
    bool present(const std::u16string& name);

    std::string folder_;
    bool lineAnchors_;
    std::map<std::string, Definition> loaded_;
    std::map<std::u16string, bool> present_;  // asked once per name: trees hold many files
};

}  // namespace convert
