// The class "Tavrel.System": the System class behind the dual interface _System. Calls through
// the interface's slots go through the member table as IDispatch calls do.
#pragma once

#include "components/system/system.h"
#include "components/system/system_interface.h"
#include "platform/automation/dispatch.h"
#include "platform/com/module.h"

namespace halvern {

class SystemObject final : public automation::DispatchObject<SystemObject, _System> {
public:
    static const automation::DispatchTable& dispatchTable();

    HRESULT ComputerName(VARIANT* result) override;
    HRESULT UserName(VARIANT* result) override;
    HRESULT Sleep(LONG* Milliseconds) override;
    HRESULT GetTempFileName(BSTR* path, BSTR* prefix, VARIANT* result) override;
    HRESULT ShellOpen(BSTR* target, VARIANT* result) override;
    HRESULT ShellExecute(VARIANT* path, VARIANT* windowstyle, VARIANT* result) override;
    HRESULT Hyperlink(BSTR* URL, VARIANT* result) override;
    HRESULT RegRead(BSTR* key, VARIANT* result) override;
    HRESULT RegWriteTree(VARIANT* dictTree, BSTR* key, VARIANT* result) override;
    HRESULT RegDelete(BSTR key, VARIANT_BOOL* result) override;
    HRESULT RegDeleteTree(BSTR* key, VARIANT* result) override;
    HRESULT RegReadTree(BSTR* key, VARIANT* result) override;
    HRESULT RegWrite(BSTR key, VARIANT aValue, VARIANT* result) override;
    HRESULT CreateGUID(BSTR* result) override;
    HRESULT GetDefaultExchangeProfile(VARIANT* result) override;
    HRESULT ParseCommandline(BSTR cmd, VARIANT* result) override;
    HRESULT ShellAndWait(BSTR* cmdline, VARIANT_BOOL Minimized) override;
    HRESULT ShellAndWaitEx(BSTR* cmdline, VARIANT showmode) override;
    HRESULT ShellAndContinue(BSTR* cmdline, VARIANT_BOOL Minimized, LONG* result) override;
    HRESULT StillExecuting(LONG* processHandle, VARIANT_BOOL* result) override;
    HRESULT CreateProcess(BSTR* cmdline, VARIANT showmode, IDispatch** result) override;
    HRESULT CloseProcessHandle(LONG* processHandle, LONG* result) override;
    HRESULT ValidFileName(BSTR* FileName, VARIANT_BOOL* CheckPathName, BSTR* result) override;
    HRESULT AddDSN(BSTR* Driver, BSTR* Attributes, VARIANT_BOOL* IsSystem, LONG* result) override;
    HRESULT RemoveDSN(BSTR* Driver, BSTR* DSN, VARIANT_BOOL* IsSystem, LONG* result) override;
    HRESULT BrowseFolder(VARIANT* dialog_caption, VARIANT* return_only_fsdirs, VARIANT* dont_go_below_domain,
                         VARIANT* return_fs_ancestors, VARIANT* browse_for_computer, VARIANT* browse_for_printer,
                         VARIANT* rtn_Path, VARIANT* rtn_displayname, VARIANT* result) override;
    HRESULT BrowseFolderEx(VARIANT* strTitle, VARIANT* strStartDir, VARIANT* rtn_Path, VARIANT* result) override;
    HRESULT FileExists(BSTR* FileName, VARIANT_BOOL* result) override;
    HRESULT FolderExists(BSTR* FolderName, VARIANT* result) override;
    HRESULT MkDirEx(BSTR FolderName) override;
    HRESULT ReadFileToString(BSTR* filepath, BSTR* result) override;
    HRESULT WriteFileFromString(BSTR* filepath, BSTR* content) override;
    HRESULT WriteFile(VARIANT* filepath, VARIANT* content) override;
    HRESULT CopyFileIfNewer(BSTR* SourcePath, BSTR* DestinationPath, VARIANT_BOOL* result) override;
    HRESULT TerminateProcess(LONG* dwProcessID, LONG* uExitCode, LONG* result) override;
    HRESULT CreateInstanceMutex(BSTR* mutexname, LONG* result) override;
    HRESULT DestroyInstanceMutex(LONG* hmutex) override;
    HRESULT CheckInstanceMutex(BSTR* mutexname, VARIANT_BOOL* result) override;
    HRESULT ReadFile(VARIANT* filepath, VARIANT* result) override;

private:
    friend class automation::DispatchObject<SystemObject, _System>;
    friend HRESULT com::CreateInstanceOf<SystemObject>(IUnknown*, REFIID, void**);
    SystemObject() = default;  // raises 429 when "Tavrel.Strings2" cannot be created

    template <class Result>
    HRESULT call(DISPID member, Result* result, std::initializer_list<VARIANTARG> arguments);
    HRESULT call(DISPID member, std::initializer_list<VARIANTARG> arguments);

    com::LiveObject live_;
    System system_;
};

}  // namespace halvern
