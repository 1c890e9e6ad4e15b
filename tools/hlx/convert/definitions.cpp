#include "tools/hlx/convert/definitions.h"

#include <fcntl.h>

#include <cerrno>
#include <system_error>

#include "engine/definition_choice.h"
#include "engine/hlx_reader.h"
#include "platform/automation/error.h"
#include "platform/os/file_descriptor.h"
#include "platform/os/file_io.h"
#include "platform/text/codepage.h"
#include "tools/hlx/convert/shard.h"
#include "tools/hlx/convert/error_text.h"

namespace convert {

std::string Definitions::NameFor(const SourceFile& file) {
    return text::TextToAnsi(engine::ChooseDefinitionForFile(
        text::AnsiToText(file.path), [this](const std::u16string& name) { return present(name); }));
}

bool Definitions::present(const std::u16string& name) {
    auto known = present_.find(name);
    if (known == present_.end())
        known = present_.emplace(name, engine::DefinitionsInFolder(text::AnsiToText(folder_))(name)).first;
    return known->second;
}

const Definition& Definitions::For(const SourceFile& file) {
    const std::string name = NameFor(file);
    auto found = loaded_.find(name);
    if (found == loaded_.end()) found = loaded_.emplace(name, load(name)).first;
    return found->second;
}

Definition Definitions::load(const std::string& name) const {
    Definition definition;
    definition.name = name;
    definition.language = name.substr(0, name.size() - 4);
    const std::string path = folder_ + "/" + name;
    fileio::FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        definition.missing = errno == ENOENT;
        definition.failure = std::system_category().message(errno) + ": " + path;
        return definition;
    }
    try {
        const std::string bytes = fileio::ReadToEnd(fd.get());
        definition.hash = StableHash(lineAnchors_ ? "line-anchors" : "", StableHash(bytes));
        modHlx::DefinitionTree tree = modHlx::ParseHlx(text::AnsiToText(bytes), text::AnsiToText(path));
        if (tree.Sections.empty()) {
            definition.failure = "the definition " + path + " has no section to start with";
            return definition;
        }
        definition.tree = std::move(tree);
    } catch (const std::exception& error) {
        definition.failure = ErrorText(error);
    }
    return definition;
}

}  // namespace convert
