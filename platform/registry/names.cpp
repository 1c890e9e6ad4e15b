#include "platform/registry/names.h"

#include <unicode/uchar.h>
#include <unicode/utf16.h>

namespace tavrel::registry {

std::u16string_view NameOf(LPCOLESTR name) {
    return name ? std::u16string_view(name) : std::u16string_view();
}

std::u16string FoldName(std::u16string_view name) {
    std::u16string folded;
    folded.reserve(name.size());
    size_t i = 0;
    while (i < name.size()) {
        UChar32 c = name[i++];
        if (U16_IS_LEAD(c) && i < name.size() && U16_IS_TRAIL(name[i])) c = U16_GET_SUPPLEMENTARY(c, name[i++]);
        UChar32 upper = U16_IS_SURROGATE(c) ? c : u_toupper(c);
        if (U_IS_BMP(upper)) {
            folded.push_back(static_cast<char16_t>(upper));
        } else {
            folded.push_back(static_cast<char16_t>(U16_LEAD(upper)));
            folded.push_back(static_cast<char16_t>(U16_TRAIL(upper)));
        }
    }
    return folded;
}

namespace {

std::string UnitsToBytes(std::u16string_view units, bool bigEndian) {
    std::string bytes;
    bytes.reserve(units.size() * 2);
    for (char16_t unit : units) {
        char high = static_cast<char>(unit >> 8);
        char low = static_cast<char>(unit & 0xFF);
        bytes.push_back(bigEndian ? high : low);
        bytes.push_back(bigEndian ? low : high);
    }
    return bytes;
}

}  // namespace

std::string NameBytes(std::u16string_view name) { return UnitsToBytes(name, false); }

std::string FoldedBytes(std::u16string_view name) { return UnitsToBytes(FoldName(name), true); }

std::u16string NameFromBytes(std::string_view bytes) {
    std::u16string name;
    name.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        auto low = static_cast<unsigned char>(bytes[i]);
        auto high = static_cast<unsigned char>(bytes[i + 1]);
        name.push_back(static_cast<char16_t>(low | (high << 8)));
    }
    return name;
}

bool SplitKeyPath(LPCOLESTR path, std::vector<std::u16string_view>& parts) {
    parts.clear();
    std::u16string_view rest = NameOf(path);
    if (rest.empty()) return true;
    if (rest.front() == u'\\') return false;
    if (rest.back() == u'\\') rest.remove_suffix(1);
    while (true) {
        size_t cut = rest.find(u'\\');
        std::u16string_view part = rest.substr(0, cut);
        if (part.empty()) return false;
        parts.push_back(part);
        if (cut == std::u16string_view::npos) return true;
        rest.remove_prefix(cut + 1);
    }
}

}  // namespace tavrel::registry
