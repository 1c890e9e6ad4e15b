// Key and value names as the store keeps them. Names compare by their simple Unicode upper-case
// mapping, taken code point by code point (a lone surrogate stays as it is), and keep their
// case. Any UTF-16 code unit but NUL may appear in a name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/types.h"

namespace tavrel::registry {

// The text a possibly null name pointer stands for (null is the empty name).
std::u16string_view NameOf(LPCOLESTR name);

// The name with every code point replaced by its simple upper-case mapping.
std::u16string FoldName(std::u16string_view name);

// The name as stored: UTF-16LE bytes, so every code unit comes back unchanged.
std::string NameBytes(std::u16string_view name);
std::u16string NameFromBytes(std::string_view bytes);

// The folded name as stored for comparison and ordering: UTF-16BE bytes, so that comparing the
// bytes orders names by their upper-cased code units, as the platform sorts subkeys.
std::string FoldedBytes(std::u16string_view name);

// Splits a subkey path at its backslashes. A null or empty path gives no parts; one trailing
// backslash is ignored. Returns false for a leading or doubled backslash.
bool SplitKeyPath(LPCOLESTR path, std::vector<std::u16string_view>& parts);

}  // namespace tavrel::registry
