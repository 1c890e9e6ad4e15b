#include "frontend/mod_main.h"

#include <filesystem>

#include "components/general/general_helpers.h"
#include "components/system/system.h"
#include "platform/automation/error.h"
#include "frontend/program_globals.h"
#include "platform/text/codepage.h"

namespace modMain {

namespace {

std::u16string SettingPath(const std::u16string& company, const std::u16string& product, const std::u16string& section,
                           const std::u16string& key) {
    return u"HKEY_CURRENT_USER\\Software\\" + company + u"\\" + product + u"\\" + section + u"\\" + key;
}

bool IsFolder(const std::u16string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_directory(text::TextToAnsi(path), error);
}

}  // namespace

void ShowHelp(const std::u16string& topic) {
    if (gHelpFile.empty()) return;
    try {
        System(SystemCopy::Program).ShellOpen(gHelpFile + u"/" + (topic.empty() ? u"index.html" : topic));
    } catch (const ComError&) {
        // A missing page or opener is not reported.
    }
}

void SaveRegSetting(const std::u16string& company, const std::u16string& product, const std::u16string& section,
                    const std::u16string& key, const std::u16string& value) {
    System system(SystemCopy::Program);
    SaveRegSetting(system, company, product, section, key, value);
}

Variant GetRegSetting(const std::u16string& company, const std::u16string& product, const std::u16string& section,
                      const std::u16string& key, const std::u16string& defaultValue) {
    System system(SystemCopy::Program);
    return GetRegSetting(system, company, product, section, key, defaultValue);
}

void SaveRegSetting(System& system, const std::u16string& company, const std::u16string& product,
                    const std::u16string& section, const std::u16string& key, const std::u16string& value) {
    Variant text = Variant::fromString(value);
    system.RegWrite(SettingPath(company, product, section, key), text);
}

Variant GetRegSetting(System& system, const std::u16string& company, const std::u16string& product,
                      const std::u16string& section, const std::u16string& key, const std::u16string& defaultValue) {
    Variant stored = system.RegRead(SettingPath(company, product, section, key));
    if (stored.vt == VT_EMPTY || stored.vt == VT_NULL) stored = Variant::fromString(defaultValue);
    return Variant::fromString(modGeneral::VarToStr(stored));
}

std::optional<LONG> WholeNumberSetting(const std::u16string& text) {
    std::u16string_view digits = text;
    bool negative = !digits.empty() && digits[0] == u'-';
    if (negative) digits.remove_prefix(1);
    if (digits.empty() || digits.size() > 9 || digits.find_first_not_of(u"0123456789") != std::u16string_view::npos)
        return std::nullopt;
    LONG value = 0;
    for (char16_t digit : digits) value = value * 10 + (digit - u'0');
    return negative ? -value : value;
}

std::u16string FolderPart(const std::u16string& path) {
    std::u16string trimmed = path;
    while (trimmed.size() > 1 && trimmed.back() == u'/') trimmed.pop_back();
    auto slash = trimmed.rfind(u'/');
    if (slash == std::u16string::npos || trimmed == u"/") return {};
    return slash == 0 ? u"/" : trimmed.substr(0, slash);
}

std::u16string ExistingFolder(const std::u16string& path) {
    std::u16string folder = path;
    for (int count = 1; count <= 51; ++count) {
        std::u16string parent = FolderPart(folder);
        bool stuck = parent == folder;
        folder = parent;
        if (stuck || IsFolder(folder)) break;
    }
    return IsFolder(folder) ? folder : frontend::FallbackFolder();
}

}  // namespace modMain
