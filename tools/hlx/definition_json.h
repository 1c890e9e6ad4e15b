// The definition tree as JSON text: every record and collection an object with its keys in the
// tree's order, numbered entries under "1", "2", ..., indented by two spaces.
#pragma once

#include <string>

#include "engine/definition_tree.h"

std::u16string DefinitionJson(const modHlx::DefinitionTree& tree);
