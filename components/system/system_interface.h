// The class "Tavrel.System" of the component module halvern: its identifiers, member DISPIDs
// and its dual interface _System (methods in slot order).
#pragma once

#include "platform/automation/interfaces.h"

inline constexpr IID IID__System{0x11F48EF6, 0x9DE2, 0x4AF4, {0xBB, 0x1E, 0x33, 0xF0, 0x3B, 0xE2, 0x0E, 0x94}};
inline constexpr CLSID CLSID_System{0xAEE0902D, 0xC58B, 0x4095, {0xB9, 0xF8, 0xFE, 0x6B, 0x80, 0x82, 0xA1, 0x2F}};
inline constexpr GUID LIBID_TavrelSystem{0x10AB3F46, 0x0FFC, 0x4A27, {0x91, 0x80, 0x4B, 0x43, 0x9F, 0x64, 0xD7, 0xB7}};

namespace halvern {

inline constexpr char16_t kProgId[] = u"Tavrel.System";
inline constexpr char16_t kHelpString[] = u"Tavrel.System COM Component (ver 1.0)";

// DISPIDs of the members. 0x60030002 and 0x6003000E belong to procedures of the class that are
// not members.
enum MemberId : DISPID {
    kComputerName = 0x60030000,
    kUserName = 0x60030001,
    kSleep = 0x60030003,
    kGetTempFileName = 0x60030004,
    kShellOpen = 0x60030005,
    kShellExecute = 0x60030006,
    kHyperlink = 0x60030007,
    kRegRead = 0x60030008,
    kRegWriteTree = 0x60030009,
    kRegDelete = 0x6003000A,
    kRegDeleteTree = 0x6003000B,
    kRegReadTree = 0x6003000C,
    kRegWrite = 0x6003000D,
    kCreateGUID = 0x6003000F,
    kGetDefaultExchangeProfile = 0x60030010,
    kParseCommandline = 0x60030011,
    kShellAndWait = 0x60030012,
    kShellAndWaitEx = 0x60030013,
    kShellAndContinue = 0x60030014,
    kStillExecuting = 0x60030015,
    kCreateProcess = 0x60030016,
    kCloseProcessHandle = 0x60030017,
    kValidFileName = 0x60030018,
    kAddDSN = 0x60030019,
    kRemoveDSN = 0x6003001A,
    kBrowseFolder = 0x6003001B,
    kBrowseFolderEx = 0x6003001C,
    kFileExists = 0x6003001D,
    kFolderExists = 0x6003001E,
    kMkDirEx = 0x6003001F,
    kReadFileToString = 0x60030020,
    kWriteFileFromString = 0x60030021,
    kWriteFile = 0x60030022,
    kCopyFileIfNewer = 0x60030023,
    kTerminateProcess = 0x60030024,
    kCreateInstanceMutex = 0x60030025,
    kDestroyInstanceMutex = 0x60030026,
    kCheckInstanceMutex = 0x60030027,
    kReadFile = 0x60030028,
};

}  // namespace halvern

// Results are [out, retval]; an optional Variant that was left out is VT_ERROR with
// DISP_E_PARAMNOTFOUND, a left-out optional String or Boolean passed by reference a null
// pointer. Errors come as HRESULT 0x800A0000 + number with error information.
struct _System : IDispatch {
    virtual HRESULT ComputerName(VARIANT* result) = 0;
    virtual HRESULT UserName(VARIANT* result) = 0;
    virtual HRESULT Sleep(LONG* Milliseconds) = 0;
    virtual HRESULT GetTempFileName(BSTR* path, BSTR* prefix, VARIANT* result) = 0;
    virtual HRESULT ShellOpen(BSTR* target, VARIANT* result) = 0;
    virtual HRESULT ShellExecute(VARIANT* path, VARIANT* windowstyle, VARIANT* result) = 0;
    virtual HRESULT Hyperlink(BSTR* URL, VARIANT* result) = 0;
    virtual HRESULT RegRead(BSTR* key, VARIANT* result) = 0;
    virtual HRESULT RegWriteTree(VARIANT* dictTree, BSTR* key, VARIANT* result) = 0;
    virtual HRESULT RegDelete(BSTR key, VARIANT_BOOL* result) = 0;
    virtual HRESULT RegDeleteTree(BSTR* key, VARIANT* result) = 0;
    virtual HRESULT RegReadTree(BSTR* key, VARIANT* result) = 0;
    virtual HRESULT RegWrite(BSTR key, VARIANT aValue, VARIANT* result) = 0;
    virtual HRESULT CreateGUID(BSTR* result) = 0;
    virtual HRESULT GetDefaultExchangeProfile(VARIANT* result) = 0;
    virtual HRESULT ParseCommandline(BSTR cmd, VARIANT* result) = 0;
    virtual HRESULT ShellAndWait(BSTR* cmdline, VARIANT_BOOL Minimized) = 0;
    virtual HRESULT ShellAndWaitEx(BSTR* cmdline, VARIANT showmode) = 0;
    virtual HRESULT ShellAndContinue(BSTR* cmdline, VARIANT_BOOL Minimized, LONG* result) = 0;
    virtual HRESULT StillExecuting(LONG* processHandle, VARIANT_BOOL* result) = 0;
    virtual HRESULT CreateProcess(BSTR* cmdline, VARIANT showmode, IDispatch** result) = 0;
    virtual HRESULT CloseProcessHandle(LONG* processHandle, LONG* result) = 0;
    virtual HRESULT ValidFileName(BSTR* FileName, VARIANT_BOOL* CheckPathName, BSTR* result) = 0;
    virtual HRESULT AddDSN(BSTR* Driver, BSTR* Attributes, VARIANT_BOOL* IsSystem, LONG* result) = 0;
    virtual HRESULT RemoveDSN(BSTR* Driver, BSTR* DSN, VARIANT_BOOL* IsSystem, LONG* result) = 0;
    virtual HRESULT BrowseFolder(VARIANT* dialog_caption, VARIANT* return_only_fsdirs, VARIANT* dont_go_below_domain,
                                 VARIANT* return_fs_ancestors, VARIANT* browse_for_computer,
                                 VARIANT* browse_for_printer, VARIANT* rtn_Path, VARIANT* rtn_displayname,
                                 VARIANT* result) = 0;
    virtual HRESULT BrowseFolderEx(VARIANT* strTitle, VARIANT* strStartDir, VARIANT* rtn_Path, VARIANT* result) = 0;
    virtual HRESULT FileExists(BSTR* FileName, VARIANT_BOOL* result) = 0;
    virtual HRESULT FolderExists(BSTR* FolderName, VARIANT* result) = 0;
    virtual HRESULT MkDirEx(BSTR FolderName) = 0;
    virtual HRESULT ReadFileToString(BSTR* filepath, BSTR* result) = 0;
    virtual HRESULT WriteFileFromString(BSTR* filepath, BSTR* content) = 0;
    virtual HRESULT WriteFile(VARIANT* filepath, VARIANT* content) = 0;
    virtual HRESULT CopyFileIfNewer(BSTR* SourcePath, BSTR* DestinationPath, VARIANT_BOOL* result) = 0;
    virtual HRESULT TerminateProcess(LONG* dwProcessID, LONG* uExitCode, LONG* result) = 0;
    virtual HRESULT CreateInstanceMutex(BSTR* mutexname, LONG* result) = 0;
    virtual HRESULT DestroyInstanceMutex(LONG* hmutex) = 0;
    virtual HRESULT CheckInstanceMutex(BSTR* mutexname, VARIANT_BOOL* result) = 0;
    virtual HRESULT ReadFile(VARIANT* filepath, VARIANT* result) = 0;

protected:
    ~_System() = default;
};
