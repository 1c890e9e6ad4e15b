// Starting processes and waiting for them, shell open, ending processes (modExecute).
#include <chrono>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "components/general/general_helpers.h"
#include "platform/os/file_errors.h"
#include "components/system/system.h"
#include "platform/automation/client.h"
#include "platform/automation/error_numbers.h"
#include "platform/os/command_line.h"
#include "platform/os/handle_table.h"
#include "platform/os/process.h"
#include "platform/os/shell_open.h"
#include "platform/text/codepage.h"
#include "platform/ui/ui_services.h"

namespace {

constexpr std::chrono::milliseconds kWaitStep(50);
constexpr int kShellOpenSteps = 100;  // how long ShellOpen waits for the opener's verdict: 5 s

// Started from the command line's words; raises std::system_error.
std::shared_ptr<os::ChildProcess> Start(const std::u16string& cmdline) {
    std::vector<std::string> argv;
    for (const std::u16string& word : os::SplitCommandLine(cmdline)) argv.push_back(text::TextToAnsi(word));
    return os::StartProcess(argv);
}

std::shared_ptr<os::ChildProcess> Launch(const std::u16string& cmdline, const std::u16string& source) {
    try {
        return Start(cmdline);
    } catch (const std::system_error&) {
        throw ComError(errnum::kCannotLaunchCommand, source, u"Error launching the command [" + cmdline + u"]");
    }
}

// The Variant converted to vt; the conversion's error (13 for a value that is no number,
// an omitted argument included) otherwise.
Variant Converted(const VARIANT& value, VARTYPE vt, const std::u16string& source) {
    Variant converted;
    HRESULT result = VariantChangeType(converted.ptr(), &value, 0, vt);
    if (FAILED(result)) throw ComError(ComError::numberFromHresult(result), source, DescribeHresult(result));
    return converted;
}

// Show states are checked as numbers (an omitted one is none: 13) and have no effect here.
void CheckShowState(const VARIANT& showmode, const std::u16string& source) {
    Variant plain;
    if (SUCCEEDED(VariantCopyInd(plain.ptr(), &showmode)) && plain.vt == VT_ERROR)
        throw ComError(errnum::kTypeMismatch, source, DescribeHresult(DISP_E_TYPEMISMATCH));
    Converted(showmode, VT_I4, source);
}

void AssignItem(IDispatch* dictionary, const char16_t* name, LONG value) {
    Variant key = Variant::fromString(name);
    automation::Put(dictionary, u"Item", Variant::fromLong(value), automation::Args({&key, 1}));
}

}  // namespace

LONG System::LaunchProcess(const std::u16string& cmdline, bool wait) {
    std::shared_ptr<os::ChildProcess> child = Launch(cmdline, runtimeSource_);
    if (wait)
        while (!child->waitForEnd(kWaitStep)) ui::Current().processPendingEvents();
    return child->pid();
}

void System::Sleep(LONG Milliseconds) {
    if (Milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(Milliseconds));
}

// The opener's verdict is awaited for a while, letting events run; an opener still busy then
// has taken the target.
Variant System::ShellOpen(const std::u16string& target) {
    if (target.empty()) return Variant();
    std::shared_ptr<os::ChildProcess> opener = os::StartShellOpen(target);
    if (!opener) return Variant::fromBool(false);
    for (int step = 0; step < kShellOpenSteps; ++step) {
        if (opener->waitForEnd(kWaitStep)) return Variant::fromBool(opener->exitStatus() == 0);
        ui::Current().processPendingEvents();
    }
    return Variant::fromBool(true);
}

Variant System::Hyperlink(const std::u16string& URL) {
    ShellOpen(URL);
    return Variant();
}

Variant System::ShellExecute(const VARIANT& path, const VARIANT& windowstyle) {
    std::u16string cmdline(BstrView(Converted(path, VT_BSTR, runtimeSource_).bstrVal));
    CheckShowState(windowstyle, runtimeSource_);
    try {
        return Variant::fromDouble(Start(cmdline)->pid());
    } catch (const std::system_error&) {
        throw fileerrors::ErrorForNumber(errnum::kFileNotFound, runtimeSource_);
    }
}

void System::ShellAndWait(const std::u16string& cmdline, bool) { LaunchProcess(cmdline, true); }

void System::ShellAndWaitEx(const std::u16string& cmdline, const VARIANT& showmode) {
    CheckShowState(showmode, runtimeSource_);
    LaunchProcess(cmdline, true);
}

LONG System::ShellAndContinue(const std::u16string& cmdline, bool) { return LaunchProcess(cmdline, false); }

bool System::StillExecuting(LONG processHandle) {
    auto child = os::FindHandleOf<os::ChildProcess>(os::HandleKind::Process, processHandle);
    return child && !child->waitForEnd(std::chrono::milliseconds(0));
}

ComPtr<IDispatch> System::CreateProcess(const std::u16string& cmdline, const VARIANT& showmode) {
    CheckShowState(showmode, runtimeSource_);
    std::shared_ptr<os::ChildProcess> child = Launch(cmdline, runtimeSource_);
    ComPtr<IDispatch> record = copy_ == SystemCopy::Program ? modTavrelGeneral::NewDictionary()
                                                            : modTavrelGeneral::CreateObjectEx(u"Tavrel.Dictionary");
    const LONG processHandle = os::OpenHandle(os::HandleKind::Process, child);
    const LONG threadHandle = os::OpenHandle(os::HandleKind::Process, child);
    try {
        AssignItem(record.get(), u"ProcessID", child->pid());
        AssignItem(record.get(), u"ThreadID", child->pid());
        AssignItem(record.get(), u"ProcessHandle", processHandle);
        AssignItem(record.get(), u"ThreadHandle", threadHandle);
    } catch (...) {
        os::CloseHandle(os::HandleKind::Process, processHandle);
        os::CloseHandle(os::HandleKind::Process, threadHandle);
        throw;
    }
    return record;
}

LONG System::CloseProcessHandle(LONG processHandle) {
    return os::CloseHandle(os::HandleKind::Process, processHandle) ? 1 : 0;
}

LONG System::TerminateProcess(LONG dwProcessID, LONG) { return os::KillProcess(dwProcessID) ? 1 : 0; }
