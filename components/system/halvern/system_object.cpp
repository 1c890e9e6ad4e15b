#include "components/system/halvern/system_object.h"

#include "platform/automation/dual_slots.h"

namespace halvern {
namespace {

using automation::Arguments;
using automation::Param;
using namespace automation::slots;

std::u16string Text(const Variant& value) { return std::u16string(BstrView(value.bstrVal)); }
bool Flag(const Variant& value) { return value.boolVal != VARIANT_FALSE; }
Variant Bool(bool value) { return Variant::fromBool(value); }
Variant Long(LONG value) { return Variant::fromLong(value); }
Variant String(const std::u16string& value) { return Variant::fromString(value); }

Param Text(const char16_t* name) { return Param(name, VT_BSTR); }
Param TextRef(const char16_t* name) { return Param(name, VT_BSTR).byRef(); }
Param LongRef(const char16_t* name) { return Param(name, VT_I4).byRef(); }
Param BoolRef(const char16_t* name) { return Param(name, VT_BOOL).byRef(); }
Param VariantRef(const char16_t* name) { return Param(name).byRef(); }

}  // namespace

const automation::DispatchTable& SystemObject::dispatchTable() {
    using B = automation::DispatchTable::Builder<SystemObject>;
    const Param cmdline = TextRef(u"cmdline");
    const Param minimized = Param(u"Minimized", VT_BOOL).optional(Variant::fromBool(false));
    static const automation::DispatchTable table =
        B(u"_System", IID__System)
            .help(kHelpString)
            .method(u"ComputerName", kComputerName, {}, [](SystemObject& o, Arguments&) { return o.system_.ComputerName(); })
            .method(u"UserName", kUserName, {}, [](SystemObject& o, Arguments&) { return o.system_.UserName(); })
            .method(u"Sleep", kSleep, {LongRef(u"Milliseconds")},
                    [](SystemObject& o, Arguments& a) { o.system_.Sleep(a[0].lVal); })
            .method(u"GetTempFileName", kGetTempFileName,
                    {TextRef(u"path").optional(String(u"")), TextRef(u"prefix").optional(String(u""))},
                    [](SystemObject& o, Arguments& a) { return o.system_.GetTempFileName(Text(a[0]), Text(a[1])); })
            .method(u"ShellOpen", kShellOpen, {TextRef(u"target")},
                    [](SystemObject& o, Arguments& a) { return o.system_.ShellOpen(Text(a[0])); })
            .method(u"ShellExecute", kShellExecute, {VariantRef(u"path"), VariantRef(u"windowstyle")},
                    [](SystemObject& o, Arguments& a) { return o.system_.ShellExecute(a[0], a[1]); })
            .method(u"Hyperlink", kHyperlink, {TextRef(u"URL")},
                    [](SystemObject& o, Arguments& a) { return o.system_.Hyperlink(Text(a[0])); })
            .method(u"RegRead", kRegRead, {TextRef(u"key")},
                    [](SystemObject& o, Arguments& a) { return o.system_.RegRead(Text(a[0])); })
            .method(u"RegWriteTree", kRegWriteTree, {VariantRef(u"dictTree"), TextRef(u"key")},
                    [](SystemObject& o, Arguments& a) { return o.system_.RegWriteTree(a[0], Text(a[1])); })
            .method(u"RegDelete", kRegDelete, {Text(u"key")},
                    [](SystemObject& o, Arguments& a) { return Bool(o.system_.RegDelete(Text(a[0]))); })
            .method(u"RegDeleteTree", kRegDeleteTree, {TextRef(u"key")},
                    [](SystemObject& o, Arguments& a) { return o.system_.RegDeleteTree(Text(a[0])); })
            .method(u"RegReadTree", kRegReadTree, {TextRef(u"key")},
                    [](SystemObject& o, Arguments& a) { return o.system_.RegReadTree(Text(a[0])); })
            .method(u"RegWrite", kRegWrite, {Text(u"key"), Param(u"aValue")},
                    [](SystemObject& o, Arguments& a) { return o.system_.RegWrite(Text(a[0]), a[1]); })
            .method(u"CreateGUID", kCreateGUID, {},
                    [](SystemObject& o, Arguments&) { return String(o.system_.CreateGUID()); })
            .method(u"GetDefaultExchangeProfile", kGetDefaultExchangeProfile, {},
                    [](SystemObject& o, Arguments&) { return o.system_.GetDefaultExchangeProfile(); })
            .method(u"ParseCommandline", kParseCommandline, {Text(u"cmd")},
                    [](SystemObject& o, Arguments& a) { return o.system_.ParseCommandline(Text(a[0])); })
            .method(u"ShellAndWait", kShellAndWait, {cmdline, minimized},
                    [](SystemObject& o, Arguments& a) { o.system_.ShellAndWait(Text(a[0]), Flag(a[1])); })
            .method(u"ShellAndWaitEx", kShellAndWaitEx, {cmdline, Param(u"showmode").optional()},
                    [](SystemObject& o, Arguments& a) { o.system_.ShellAndWaitEx(Text(a[0]), a[1]); })
            .method(u"ShellAndContinue", kShellAndContinue, {cmdline, minimized},
                    [](SystemObject& o, Arguments& a) { return Long(o.system_.ShellAndContinue(Text(a[0]), Flag(a[1]))); })
            .method(u"StillExecuting", kStillExecuting, {LongRef(u"processHandle")},
                    [](SystemObject& o, Arguments& a) { return Bool(o.system_.StillExecuting(a[0].lVal)); })
            .method(u"CreateProcess", kCreateProcess, {cmdline, Param(u"showmode").optional(Long(1))},
                    [](SystemObject& o, Arguments& a) {
                        return Variant::fromDispatch(o.system_.CreateProcess(Text(a[0]), a[1]).get());
                    })
            .method(u"CloseProcessHandle", kCloseProcessHandle, {LongRef(u"processHandle")},
                    [](SystemObject& o, Arguments& a) { return Long(o.system_.CloseProcessHandle(a[0].lVal)); })
            .method(u"ValidFileName", kValidFileName, {TextRef(u"FileName"), BoolRef(u"CheckPathName")},
                    [](SystemObject& o, Arguments& a) {
                        std::u16string fileName = Text(a[0]);
                        Variant result = String(o.system_.ValidFileName(fileName, Flag(a[1])));
                        a.byRef(0) = String(fileName);
                        return result;
                    })
            .method(u"AddDSN", kAddDSN, {TextRef(u"Driver"), TextRef(u"Attributes"), BoolRef(u"IsSystem")},
                    [](SystemObject& o, Arguments& a) { return Long(o.system_.AddDSN(Text(a[0]), Text(a[1]), Flag(a[2]))); })
            .method(u"RemoveDSN", kRemoveDSN, {TextRef(u"Driver"), TextRef(u"DSN"), BoolRef(u"IsSystem")},
                    [](SystemObject& o, Arguments& a) {
                        return Long(o.system_.RemoveDSN(Text(a[0]), Text(a[1]), Flag(a[2])));
                    })
            .method(u"BrowseFolder", kBrowseFolder,
                    {VariantRef(u"dialog_caption"), VariantRef(u"return_only_fsdirs"), VariantRef(u"dont_go_below_domain"),
                     VariantRef(u"return_fs_ancestors"), VariantRef(u"browse_for_computer"),
                     VariantRef(u"browse_for_printer"), VariantRef(u"rtn_Path"), VariantRef(u"rtn_displayname")},
                    [](SystemObject& o, Arguments& a) {
                        return o.system_.BrowseFolder(a[0], a[1], a[2], a[3], a[4], a[5], a.byRef(6), a.byRef(7));
                    })
            .method(u"BrowseFolderEx", kBrowseFolderEx,
                    {VariantRef(u"strTitle"), VariantRef(u"strStartDir"), VariantRef(u"rtn_Path")},
                    [](SystemObject& o, Arguments& a) { return o.system_.BrowseFolderEx(a[0], a[1], a.byRef(2)); })
            .method(u"FileExists", kFileExists, {TextRef(u"FileName")},
                    [](SystemObject& o, Arguments& a) { return Bool(o.system_.FileExists(Text(a[0]))); })
            .method(u"FolderExists", kFolderExists, {TextRef(u"FolderName")},
                    [](SystemObject& o, Arguments& a) { return o.system_.FolderExists(Text(a[0])); })
            .method(u"MkDirEx", kMkDirEx, {Text(u"FolderName")},
                    [](SystemObject& o, Arguments& a) { o.system_.MkDirEx(Text(a[0])); })
            .method(u"ReadFileToString", kReadFileToString, {TextRef(u"filepath")},
                    [](SystemObject& o, Arguments& a) { return String(o.system_.ReadFileToString(Text(a[0]))); })
            .method(u"WriteFileFromString", kWriteFileFromString, {TextRef(u"filepath"), TextRef(u"content")},
                    [](SystemObject& o, Arguments& a) { o.system_.WriteFileFromString(Text(a[0]), Text(a[1])); })
            .method(u"WriteFile", kWriteFile, {VariantRef(u"filepath"), VariantRef(u"content")},
                    [](SystemObject& o, Arguments& a) { o.system_.WriteFile(a[0], a[1]); })
            .method(u"CopyFileIfNewer", kCopyFileIfNewer, {TextRef(u"SourcePath"), TextRef(u"DestinationPath")},
                    [](SystemObject& o, Arguments& a) { return Bool(o.system_.CopyFileIfNewer(Text(a[0]), Text(a[1]))); })
            .method(u"TerminateProcess", kTerminateProcess, {LongRef(u"dwProcessID"), LongRef(u"uExitCode")},
                    [](SystemObject& o, Arguments& a) { return Long(o.system_.TerminateProcess(a[0].lVal, a[1].lVal)); })
            .method(u"CreateInstanceMutex", kCreateInstanceMutex, {TextRef(u"mutexname")},
                    [](SystemObject& o, Arguments& a) { return Long(o.system_.CreateInstanceMutex(Text(a[0]))); })
            .method(u"DestroyInstanceMutex", kDestroyInstanceMutex, {LongRef(u"hmutex")},
                    [](SystemObject& o, Arguments& a) { o.system_.DestroyInstanceMutex(a[0].lVal); })
            .method(u"CheckInstanceMutex", kCheckInstanceMutex, {TextRef(u"mutexname")},
                    [](SystemObject& o, Arguments& a) { return Bool(o.system_.CheckInstanceMutex(Text(a[0]))); })
            .method(u"ReadFile", kReadFile, {VariantRef(u"filepath")},
                    [](SystemObject& o, Arguments& a) { return o.system_.ReadFile(a[0]); })
            .build();
    return table;
}

template <class Result>
HRESULT SystemObject::call(DISPID member, Result* result, std::initializer_list<VARIANTARG> arguments) {
    return automation::slots::Call(dispatchTable(), this, member, result, arguments);
}

HRESULT SystemObject::call(DISPID member, std::initializer_list<VARIANTARG> arguments) {
    return automation::slots::Call(dispatchTable(), this, member, static_cast<VARIANT*>(nullptr), arguments);
}

HRESULT SystemObject::ComputerName(VARIANT* result) { return call(kComputerName, result, {}); }
HRESULT SystemObject::UserName(VARIANT* result) { return call(kUserName, result, {}); }
HRESULT SystemObject::Sleep(LONG* Milliseconds) { return call(kSleep, {ByRef(Milliseconds)}); }

HRESULT SystemObject::GetTempFileName(BSTR* path, BSTR* prefix, VARIANT* result) {
    return call(kGetTempFileName, result, {OptionalByRef(path), OptionalByRef(prefix)});
}

HRESULT SystemObject::ShellOpen(BSTR* target, VARIANT* result) { return call(kShellOpen, result, {ByRef(target)}); }

HRESULT SystemObject::ShellExecute(VARIANT* path, VARIANT* windowstyle, VARIANT* result) {
    return call(kShellExecute, result, {ByRef(path), ByRef(windowstyle)});
}

HRESULT SystemObject::Hyperlink(BSTR* URL, VARIANT* result) { return call(kHyperlink, result, {ByRef(URL)}); }
HRESULT SystemObject::RegRead(BSTR* key, VARIANT* result) { return call(kRegRead, result, {ByRef(key)}); }

HRESULT SystemObject::RegWriteTree(VARIANT* dictTree, BSTR* key, VARIANT* result) {
    return call(kRegWriteTree, result, {ByRef(dictTree), ByRef(key)});
}

HRESULT SystemObject::RegDelete(BSTR key, VARIANT_BOOL* result) { return call(kRegDelete, result, {ByValue(key)}); }
HRESULT SystemObject::RegDeleteTree(BSTR* key, VARIANT* result) { return call(kRegDeleteTree, result, {ByRef(key)}); }
HRESULT SystemObject::RegReadTree(BSTR* key, VARIANT* result) { return call(kRegReadTree, result, {ByRef(key)}); }

HRESULT SystemObject::RegWrite(BSTR key, VARIANT aValue, VARIANT* result) {
    return call(kRegWrite, result, {ByValue(key), ByValue(aValue)});
}

HRESULT SystemObject::CreateGUID(BSTR* result) { return call(kCreateGUID, result, {}); }

HRESULT SystemObject::GetDefaultExchangeProfile(VARIANT* result) {
    return call(kGetDefaultExchangeProfile, result, {});
}

HRESULT SystemObject::ParseCommandline(BSTR cmd, VARIANT* result) {
    return call(kParseCommandline, result, {ByValue(cmd)});
}

HRESULT SystemObject::ShellAndWait(BSTR* cmdline, VARIANT_BOOL Minimized) {
    return call(kShellAndWait, {ByRef(cmdline), ByValue(Minimized)});
}

HRESULT SystemObject::ShellAndWaitEx(BSTR* cmdline, VARIANT showmode) {
    return call(kShellAndWaitEx, {ByRef(cmdline), ByValue(showmode)});
}

HRESULT SystemObject::ShellAndContinue(BSTR* cmdline, VARIANT_BOOL Minimized, LONG* result) {
    return call(kShellAndContinue, result, {ByRef(cmdline), ByValue(Minimized)});
}

HRESULT SystemObject::StillExecuting(LONG* processHandle, VARIANT_BOOL* result) {
    return call(kStillExecuting, result, {ByRef(processHandle)});
}

HRESULT SystemObject::CreateProcess(BSTR* cmdline, VARIANT showmode, IDispatch** result) {
    return call(kCreateProcess, result, {ByRef(cmdline), ByValue(showmode)});
}

HRESULT SystemObject::CloseProcessHandle(LONG* processHandle, LONG* result) {
    return call(kCloseProcessHandle, result, {ByRef(processHandle)});
}

HRESULT SystemObject::ValidFileName(BSTR* FileName, VARIANT_BOOL* CheckPathName, BSTR* result) {
    return call(kValidFileName, result, {ByRef(FileName), ByRef(CheckPathName)});
}

HRESULT SystemObject::AddDSN(BSTR* Driver, BSTR* Attributes, VARIANT_BOOL* IsSystem, LONG* result) {
    return call(kAddDSN, result, {ByRef(Driver), ByRef(Attributes), ByRef(IsSystem)});
}

HRESULT SystemObject::RemoveDSN(BSTR* Driver, BSTR* DSN, VARIANT_BOOL* IsSystem, LONG* result) {
    return call(kRemoveDSN, result, {ByRef(Driver), ByRef(DSN), ByRef(IsSystem)});
}

HRESULT SystemObject::BrowseFolder(VARIANT* dialog_caption, VARIANT* return_only_fsdirs,
                                   VARIANT* dont_go_below_domain, VARIANT* return_fs_ancestors,
                                   VARIANT* browse_for_computer, VARIANT* browse_for_printer, VARIANT* rtn_Path,
                                   VARIANT* rtn_displayname, VARIANT* result) {
    return call(kBrowseFolder, result,
                {ByRef(dialog_caption), ByRef(return_only_fsdirs), ByRef(dont_go_below_domain),
                 ByRef(return_fs_ancestors), ByRef(browse_for_computer), ByRef(browse_for_printer), ByRef(rtn_Path),
                 ByRef(rtn_displayname)});
}

HRESULT SystemObject::BrowseFolderEx(VARIANT* strTitle, VARIANT* strStartDir, VARIANT* rtn_Path, VARIANT* result) {
    return call(kBrowseFolderEx, result, {ByRef(strTitle), ByRef(strStartDir), ByRef(rtn_Path)});
}

HRESULT SystemObject::FileExists(BSTR* FileName, VARIANT_BOOL* result) {
    return call(kFileExists, result, {ByRef(FileName)});
}

HRESULT SystemObject::FolderExists(BSTR* FolderName, VARIANT* result) {
    return call(kFolderExists, result, {ByRef(FolderName)});
}

HRESULT SystemObject::MkDirEx(BSTR FolderName) { return call(kMkDirEx, {ByValue(FolderName)}); }

HRESULT SystemObject::ReadFileToString(BSTR* filepath, BSTR* result) {
    return call(kReadFileToString, result, {ByRef(filepath)});
}

HRESULT SystemObject::WriteFileFromString(BSTR* filepath, BSTR* content) {
    return call(kWriteFileFromString, {ByRef(filepath), ByRef(content)});
}

HRESULT SystemObject::WriteFile(VARIANT* filepath, VARIANT* content) {
    return call(kWriteFile, {ByRef(filepath), ByRef(content)});
}

HRESULT SystemObject::CopyFileIfNewer(BSTR* SourcePath, BSTR* DestinationPath, VARIANT_BOOL* result) {
    return call(kCopyFileIfNewer, result, {ByRef(SourcePath), ByRef(DestinationPath)});
}

HRESULT SystemObject::TerminateProcess(LONG* dwProcessID, LONG* uExitCode, LONG* result) {
    return call(kTerminateProcess, result, {ByRef(dwProcessID), ByRef(uExitCode)});
}

HRESULT SystemObject::CreateInstanceMutex(BSTR* mutexname, LONG* result) {
    return call(kCreateInstanceMutex, result, {ByRef(mutexname)});
}

HRESULT SystemObject::DestroyInstanceMutex(LONG* hmutex) { return call(kDestroyInstanceMutex, {ByRef(hmutex)}); }

HRESULT SystemObject::CheckInstanceMutex(BSTR* mutexname, VARIANT_BOOL* result) {
    return call(kCheckInstanceMutex, result, {ByRef(mutexname)});
}

HRESULT SystemObject::ReadFile(VARIANT* filepath, VARIANT* result) { return call(kReadFile, result, {ByRef(filepath)}); }

}  // namespace halvern
