#include "frontend/frm_about.h"

#include <vector>

#include "components/system/system.h"
#include "frontend/program_globals.h"
#include "platform/automation/error.h"
#include "platform/ui/ui_services.h"

frmAbout gAbout;

namespace {

constexpr DWORD kValueBufferUnits = 1024;

// Closes a registry key when it goes.
struct OpenKey {
    HKEY handle = nullptr;
    ~OpenKey() {
        if (handle) RegCloseKey(handle);
    }
};

// Starts the program at path; false when it cannot be started.
bool Start(const std::u16string& path) {
    try {
        System(SystemCopy::Program).ShellAndContinue(u"\"" + path + u"\"");
        return true;
    } catch (const ComError&) {
        return false;
    }
}

}  // namespace

void frmAbout::Form_Load() {
    Caption = u"About " + std::u16string(frontend::kProductName);
    lblTitle = frontend::kProductName;
    lblVersion = u"Version " + std::u16string(frontend::kVersion);
    lblDescription = frontend::kDescription;
}

void frmAbout::cmdOK_Click() { Window.requestClose(); }

void frmAbout::cmdSysInfo_Click() { StartSysInfo(); }

void frmAbout::StartSysInfo() {
    std::u16string path;
    if (GetKeyValue(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", u"PATH", path)) {
        if (Start(path)) return;
    } else if (GetKeyValue(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Microsoft\\Shared Tools Location", u"MSINFO", path)) {
        path += u"/MSINFO32.EXE";
        if (System(SystemCopy::Program).FileExists(path) && Start(path)) return;
    }
    ui::MsgBox(u"System Information Is Unavailable At This Time", ui::vbOKOnly);
}

bool frmAbout::GetKeyValue(HKEY KeyRoot, const std::u16string& KeyName, const std::u16string& SubKeyRef,
                           std::u16string& KeyVal) {
    KeyVal.clear();
    OpenKey key;
    if (RegOpenKeyExW(KeyRoot, KeyName.c_str(), 0, KEY_ALL_ACCESS, &key.handle) != ERROR_SUCCESS) return false;
    std::vector<char16_t> buffer(kValueBufferUnits);
    DWORD type = REG_NONE;
    DWORD size = kValueBufferUnits * sizeof(char16_t);
    if (RegQueryValueExW(key.handle, SubKeyRef.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                         &size) != ERROR_SUCCESS)
        return false;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
    size_t length = size / sizeof(char16_t);
    if (length > 0 && buffer[length - 1] == u'\0') --length;
    KeyVal.assign(buffer.data(), length);
    return true;
}
