// The System class: small operating-system services behind one Automation interface. The
// program compiles this class in and calls it directly; the "Tavrel.System" component exposes
// the same code. The two copies differ only where SystemCopy says.
//
// Errors are raised as ComError with a number, a source and a description. The file services'
// own failures carry the platform's numbers and texts: 53 file not found, 76 path not found,
// 70 permission denied, 75 path/file access error (a folder given as a file, among others),
// 61 disk full, 57 device I/O error, 67 too many files, 52 bad file name, 7 out of memory.
//
// Every System object holds a "Tavrel.Strings2" object, created with it through CreateObjectEx
// (a warning box and error 429 when that fails).
//
// On this platform: file paths use "/" where the other platform uses "\"; show states are
// accepted and have no effect (there are no windows to show); processes are started with
// posix_spawn from a command line split by the platform's rules, never through a shell; process
// and mutex handles are numbers of ours over pidfds and lock files.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/automation/handles.h"
#include "platform/os/file_descriptor.h"
#include "platform/os/file_io.h"
#include "platform/os/file_replace.h"

enum class SystemCopy {
    Component,  // the class as the "Tavrel.System" component serves it
    Program,    // the program's compiled-in copy
};

class System {
public:
    explicit System(SystemCopy copy = SystemCopy::Component);

    // ---- folders, copies, file names ----
    // A Boolean in a Variant: whether FolderName is an existing folder.
    Variant FolderExists(const std::u16string& FolderName);
    // Creates the folder with its missing parents ("\" counts as "/"). The first part of the
    // path (a relative path's first folder) and a network path's server and share are never
    // created. A failure raises 1000, source "Tavrel.System->MkDirEx".
    void MkDirEx(const std::u16string& FolderName);
    // Copies when the destination is missing or older than the source; the copy keeps the
    // source's modification time and replaces the destination in one step. Errors pass on.
    bool CopyFileIfNewer(const std::u16string& SourcePath, const std::u16string& DestinationPath);
    // FileName without the characters that may not stand in a file name. With CheckPathName,
    // "/" is kept too and an "X:" prefix goes to the result and out of the caller's FileName.
    // Under code page 65001 every character from U+0080 up is allowed.
    std::u16string ValidFileName(std::u16string& FileName, bool CheckPathName);
    // Creates <path>/<first 3 characters of prefix><hex>.tmp, new and empty, and gives its name
    // in a Variant (the temporary folder when path is empty); "" when no file can be made.
    Variant GetTempFileName(const std::u16string& path = {}, const std::u16string& prefix = {});

    // ---- processes, shell, instance mutexes ----
    // Blocks for that many milliseconds without letting events run; a negative time returns at once.
    void Sleep(LONG Milliseconds);
    // Empty for "", else a Boolean: whether the desktop's opener took the target.
    Variant ShellOpen(const std::u16string& target);
    Variant Hyperlink(const std::u16string& URL);  // ShellOpen's result dropped: Empty
    // Starts the command line and gives its process id as a Double; 53 when it cannot start.
    Variant ShellExecute(const VARIANT& path, const VARIANT& windowstyle);
    // Start and wait, letting events run every 50 ms; 1000 "Error launching the command [...]".
    void ShellAndWait(const std::u16string& cmdline, bool Minimized = false);
    void ShellAndWaitEx(const std::u16string& cmdline, const VARIANT& showmode);  // missing: 13
    LONG ShellAndContinue(const std::u16string& cmdline, bool Minimized = false);   // the process id
    bool StillExecuting(LONG processHandle);  // False for an ended process or a wrong handle
    // A dictionary with ProcessID, ThreadID, ProcessHandle and ThreadHandle ("Tavrel.Dictionary";
    // the program's copy uses its general dictionary). The thread id is the process id; both
    // handles are the caller's to close.
    ComPtr<IDispatch> CreateProcess(const std::u16string& cmdline, const VARIANT& showmode);
    LONG CloseProcessHandle(LONG processHandle);  // nonzero on success
    // Kills the process (SIGKILL): it ends at once, and here its exit status tells the signal,
    // not uExitCode. 0 when there is no such process or it may not be ended.
    LONG TerminateProcess(LONG dwProcessID, LONG uExitCode);
    // Named mutexes seen by every process of the user; errors are raised with the system error
    // code as their number (183: the mutex exists already) and its system text.
    LONG CreateInstanceMutex(const std::u16string& mutexname);
    void DestroyInstanceMutex(LONG hmutex);
    bool CheckInstanceMutex(const std::u16string& mutexname);

    // ---- command line and miscellany ----
    // The parameters name=value of cmd, in order, as a new "Tavrel.Dictionary" in a Variant.
    Variant ParseCommandline(const std::u16string& cmd);
    Variant ComputerName();
    Variant UserName();
    std::u16string CreateGUID();  // "XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX", "00000000" on failure
    // ODBC data sources through the installer; nonzero on success, 0 on any failure.
    LONG AddDSN(const std::u16string& Driver, const std::u16string& Attributes, bool IsSystem);
    LONG RemoveDSN(const std::u16string& Driver, const std::u16string& DSN, bool IsSystem);
    // The folder dialog of the user-interface services; False when nothing was chosen.
    // Computers and printers cannot be browsed for here: those requests give False.
    Variant BrowseFolder(const VARIANT& dialog_caption, const VARIANT& return_only_fsdirs,
                         const VARIANT& dont_go_below_domain, const VARIANT& return_fs_ancestors,
                         const VARIANT& browse_for_computer, const VARIANT& browse_for_printer, Variant& rtn_Path,
                         Variant& rtn_displayname);
    Variant BrowseFolderEx(const VARIANT& strTitle, const VARIANT& strStartDir, Variant& rtn_Path);
    Variant GetDefaultExchangeProfile();  // Null when none is recorded

    // ---- registry values and trees (key paths ROOT\subkey\value) ----
    Variant RegRead(const std::u16string& key);                       // Null when not read
    Variant RegWrite(const std::u16string& key, const VARIANT& aValue);  // Boolean
    bool RegDelete(const std::u16string& key);
    Variant RegDeleteTree(const std::u16string& key);                  // Boolean
    Variant RegReadTree(const std::u16string& key);                    // a dictionary, or Nothing
    Variant RegWriteTree(const VARIANT& dictTree, const std::u16string& key);  // Boolean

    // ---- whole files ----
    // The whole file as a byte array (VT_ARRAY | VT_UI1, lower bound 0; no elements for an
    // empty file). filepath may be by reference; Empty or "" raises 1000, source
    // "Tavrel.System->ReadFile", "The filename cannot be blank.".
    Variant ReadFile(const VARIANT& filepath);
    // The file's bytes as text through the ANSI code page. Errors come again with a description
    // of several lines: "Error reading the file ", the path, CR LF CR LF, "Reason: ", the
    // error's own description, CR LF, "Error: 0x" and the number in hexadecimal.
    std::u16string ReadFileToString(const std::u16string& filepath);
    // Writes a byte array (or a String's UTF-16 bytes) as the whole new content of the file.
    // Errors come again like ReadFileToString's, with "Error writing the file " and a last line
    // "Hint: " naming the step that failed.
    void WriteFile(const VARIANT& filepath, const VARIANT& content);
    // Writes the text through the ANSI code page as the whole new content of the file, with no
    // line break added. Errors come again like ReadFileToString's, with "Error writing the file ".
    void WriteFileFromString(const std::u16string& filepath, const std::u16string& content);
    // A file's new content written in pieces of bytes: the file is replaced by Commit only, and
    // stays as it was when the writer goes without one. Errors come again like
    // WriteFileFromString's. With IfPresent::Keep, a file that is there when the writer begins
    // or commits stays as it is, and error 58 (file already exists) is raised.
    class FileWriter {
    public:
        void Write(std::string_view bytes);
        void Commit();

    private:
        friend class System;
        FileWriter(const std::u16string& filepath, std::u16string source, filereplace::IfPresent ifPresent);
        template <class Action>
        void Raising(Action action);

        std::u16string filepath_;
        std::u16string source_;
        std::unique_ptr<filereplace::Replacement> file_;
    };
    FileWriter BeginWriteFile(const std::u16string& filepath,
                              filereplace::IfPresent ifPresent = filereplace::IfPresent::Replace);
    // True when a file (not a folder) of that name exists, one whose name begins with a period
    // too. "*", "?" and "[" are ordinary characters of a file name here, not wildcards: a
    // pattern would find other files than the one named. Never raises.
    bool FileExists(const std::u16string& FileName);

private:
    std::string ReadBytes(const VARIANT& filepath);
    LONG LaunchProcess(const std::u16string& cmdline, bool wait);
    LONG CreateNamedMutex(const std::u16string& mutexname);
    // RegWriteTree's walk; a tree nested too deep throws through every level of it.
    Variant WriteTree(const VARIANT& dictTree, const std::u16string& key);
    [[noreturn]] void RaiseSystemError(DWORD code) const;
    Variant TrimmedName(const std::optional<std::u16string>& name);

    SystemCopy copy_;
    std::u16string runtimeSource_;  // the source of the file services' own errors
    ComPtr<IDispatch> strings_;     // "Tavrel.Strings2"
};

// System::ReadFileToString as that copy of the class does it, without the object (whose
// creation needs the component services): for a caller that reads on a thread of its own, or
// that must be able to stop. A stop request ends the read, or the wait of opening a FIFO, with
// fileio::ReadStopped.
std::u16string ReadFileToStringAs(SystemCopy copy, const std::u16string& filepath,
                                  const fileio::StopRequest& stop = {});
