// Names, GUIDs, ODBC data sources, the folder dialog and the messaging profile.
#include <string>

#include "components/general/general_helpers.h"
#include "components/system/system.h"
#include "platform/automation/client.h"
#include "platform/automation/guid.h"
#include "platform/os/host_names.h"
#include "platform/os/odbc_installer.h"
#include "platform/text/codepage.h"
#include "platform/text/parameter_scanner.h"
#include "platform/ui/ui_services.h"

namespace {

constexpr size_t kNameBufferLength = 1000;

// The display name of a chosen folder: its last name ("/" for the root).
std::u16string DisplayName(const std::u16string& path) {
    std::u16string trimmed = path;
    while (trimmed.size() > 1 && trimmed.ends_with(u'/')) trimmed.pop_back();
    size_t slash = trimmed.rfind(u'/');
    return slash == std::u16string::npos || trimmed.size() == 1 ? trimmed : trimmed.substr(slash + 1);
}

// Shows the folder dialog; fills the path and display name (both "" unless chosen).
bool BrowseForFolderCore(const std::u16string& caption, const std::u16string& startFolder, Variant& path,
                         Variant& displayName) {
    path = Variant::fromString(u"");
    displayName = Variant::fromString(u"");
    std::optional<std::u16string> chosen = ui::Current().browseFolder(caption, startFolder);
    if (!chosen) return false;
    path = Variant::fromString(*chosen);
    displayName = Variant::fromString(DisplayName(*chosen));
    return true;
}

}  // namespace

// The name in a buffer of 1000 characters, cut at its NUL by TrimZ of the string-utility
// object; when the system cannot tell, the buffer has no NUL and stays 1000 spaces.
Variant System::TrimmedName(const std::optional<std::u16string>& name) {
    std::u16string buffer(kNameBufferLength, u' ');
    if (name && name->size() < kNameBufferLength) buffer.replace(0, name->size() + 1, *name + u'\0');
    Variant argument = Variant::fromString(buffer);
    return automation::Call(strings_.get(), u"TrimZ", automation::Args({&argument, 1}));
}

Variant System::ParseCommandline(const std::u16string& cmd) {
    ComPtr<IDispatch> parameters = modTavrelGeneral::CreateObjectEx(u"Tavrel.Dictionary");
    for (const text::NamedParameter& parameter : text::ScanParameters(cmd)) {
        Variant arguments[] = {Variant::fromString(parameter.name), Variant::fromString(parameter.value)};
        automation::Call(parameters.get(), u"Add", automation::Args(arguments));
    }
    return Variant::fromDispatch(parameters.get());
}

Variant System::ComputerName() { return TrimmedName(os::ComputerName()); }

Variant System::UserName() { return TrimmedName(os::UserName()); }

std::u16string System::CreateGUID() {
    GUID guid{};
    if (FAILED(CoCreateGuid(&guid))) return u"00000000";
    std::u16string braced = GuidToString(guid);
    return braced.substr(1, braced.size() - 2);
}

LONG System::AddDSN(const std::u16string& Driver, const std::u16string& Attributes, bool IsSystem) {
    try {
        return os::ConfigDataSource(IsSystem ? os::kAddSystemDataSource : os::kAddUserDataSource,
                                    text::TextToAnsi(Driver), text::TextToAnsi(Attributes));
    } catch (...) {
        return 0;
    }
}

LONG System::RemoveDSN(const std::u16string& Driver, const std::u16string& DSN, bool IsSystem) {
    try {
        return os::ConfigDataSource(IsSystem ? os::kRemoveSystemDataSource : os::kRemoveUserDataSource,
                                    text::TextToAnsi(Driver), text::TextToAnsi(u"DSN=" + DSN + u'\0'));
    } catch (...) {
        return 0;
    }
}

// The folder dialog here shows file-system folders, which the first three flags ask for
// anyway; computers and printers are nothing it can browse.
Variant System::BrowseFolder(const VARIANT& dialog_caption, const VARIANT&, const VARIANT&, const VARIANT&,
                             const VARIANT& browse_for_computer, const VARIANT& browse_for_printer, Variant& rtn_Path,
                             Variant& rtn_displayname) {
    using modTavrelGeneral::VarToBool;
    if (VarToBool(browse_for_computer) || VarToBool(browse_for_printer)) {
        rtn_Path = Variant::fromString(u"");
        rtn_displayname = Variant::fromString(u"");
        return Variant::fromBool(false);
    }
    try {
        return Variant::fromBool(BrowseForFolderCore(modTavrelGeneral::VarToStr(dialog_caption), u"", rtn_Path,
                                                     rtn_displayname));
    } catch (...) {
        return Variant::fromBool(false);
    }
}

Variant System::BrowseFolderEx(const VARIANT& strTitle, const VARIANT& strStartDir, Variant& rtn_Path) {
    Variant displayName;
    try {
        return Variant::fromBool(BrowseForFolderCore(modTavrelGeneral::VarToStr(strTitle),
                                                     modTavrelGeneral::VarToStr(strStartDir), rtn_Path, displayName));
    } catch (...) {
        return Variant::fromBool(false);
    }
}

Variant System::GetDefaultExchangeProfile() {
    Variant profile = RegRead(
        u"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows Messaging "
        u"Subsystem\\Profiles\\DefaultProfile");
    if (profile.vt == VT_NULL)
        profile = RegRead(u"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows Messaging Subsystem\\Profiles\\DefaultProfile");
    return profile;
}
