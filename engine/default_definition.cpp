#include "engine/default_definition.h"

#include <unicode/uchar.h>
#include <unicode/utf16.h>

#include <array>

namespace {

struct StemOfExtension {
    std::u16string_view extension;
    std::u16string_view stem;
};

constexpr std::array<StemOfExtension, 8> kStems{{
    {u"vb", u"vb"},
    {u"bas", u"vb"},
    {u"ctl", u"vb"},
    {u"cls", u"vb"},
    {u"vbs", u"vb"},
    {u"asp", u"asp"},
    {u"htm", u"asp"},
    {u"html", u"asp"},
}};

std::u16string_view ExtensionOf(std::u16string_view fileName) {
    auto slash = fileName.rfind(u'/');
    std::u16string_view name = slash == std::u16string_view::npos ? fileName : fileName.substr(slash + 1);
    auto dot = name.rfind(u'.');
    return dot == std::u16string_view::npos ? std::u16string_view() : name.substr(dot + 1);
}

// Each character's simple lower-case mapping; unpaired surrogates stay as they are.
std::u16string LowerCase(std::u16string_view text) {
    std::u16string lower;
    lower.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        UChar32 c;
        U16_NEXT(text.data(), i, text.size(), c);
        UChar32 mapped = u_tolower(c);
        if (U_IS_BMP(mapped)) {
            lower += static_cast<char16_t>(mapped);
        } else {
            lower += static_cast<char16_t>(U16_LEAD(mapped));
            lower += static_cast<char16_t>(U16_TRAIL(mapped));
        }
    }
    return lower;
}

}  // namespace

std::u16string GetHLX(std::u16string_view FileName) {
    std::u16string stem = LowerCase(ExtensionOf(FileName));
    for (const StemOfExtension& entry : kStems) {
        if (stem == entry.extension) {
            stem = entry.stem;
            break;
        }
    }
    return stem + u".hlx";
}
