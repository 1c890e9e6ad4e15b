// The System class: small operating-system services behind one Automation interface. The
// program compiles this class in and calls it directly; the "Tavrel.System" component exposes
// the same code. The two copies differ only where SystemCopy says.
//
// Errors are raised as ComError with a number, a source and a description. The file services'
// own failures carry the platform's numbers and texts: 53 file not found, 76 path not found,
// 70 permission denied, 75 path/file access error (a folder given as a file, among others),
// 61 disk full, 57 device I/O error, 67 too many files, 52 bad file name, 7 out of memory.
//
// The class's string-utility object ("Tavrel.Strings2") is not created here: none of the
// methods below needs it, and it is added with the first method that does.
#pragma once

#include <string>

#include "platform/automation/handles.h"

enum class SystemCopy {
    Component,  // the class as the "Tavrel.System" component serves it
    Program,    // the program's compiled-in copy
};

class System {
public:
    explicit System(SystemCopy copy = SystemCopy::Component);

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
    // True when at least one file (not a folder) matches FileName; wildcards follow glob rules
    // and files whose names begin with a period are found as well. Never raises.
    bool FileExists(const std::u16string& FileName);

private:
    std::string ReadBytes(const VARIANT& filepath);

    SystemCopy copy_;
    std::u16string runtimeSource_;  // the source of the file services' own errors
};
