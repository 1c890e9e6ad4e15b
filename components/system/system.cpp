#include "components/system/system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>
#include <stdexcept>

#include "components/general/general_helpers.h"
#include "platform/automation/arrays.h"
#include "platform/automation/error_numbers.h"
#include "platform/os/file_descriptor.h"
#include "platform/os/file_errors.h"
#include "platform/os/file_replace.h"
#include "platform/text/codepage.h"

using fileerrors::ErrorForErrno;
using fileio::FileDescriptor;
using fileerrors::ErrorForNumber;

namespace {

constexpr char16_t kReadFileSource[] = u"Tavrel.System->ReadFile";

constexpr char16_t kProgramNameSuffix[] = u". Please check that file name and path are valid.";
constexpr char16_t kStepCheckExists[] = u"Check if file exists";
constexpr char16_t kStepDelete[] = u"Delete the file";
constexpr char16_t kStepWrite[] = u"Write the file";

// ---- errors ----

// The error being handled, as a ComError: called inside a catch block.
ComError CaughtError(const std::u16string& source) {
    try {
        throw;
    } catch (const ComError& error) {
        return error;
    } catch (const std::bad_alloc&) {
        return ErrorForNumber(errnum::kOutOfMemory, source);
    } catch (const std::length_error&) {
        return ErrorForNumber(errnum::kOutOfMemory, source);
    } catch (const std::exception&) {
        return ErrorForNumber(errnum::kInternalError, source);
    }
}

// The description a failed whole-file operation raises its error again with.
std::u16string FailureDescription(std::u16string_view action, std::u16string_view filepath,
                                  std::u16string_view nameSuffix, const ComError& error) {
    std::u16string head(action);
    head += filepath;
    head += nameSuffix;
    return DescriptionWithReason(head, error);
}

ComError ErrorOfResult(HRESULT result, const std::u16string& source) {
    return ComError(ComError::numberFromHresult(result), source, {});
}

// ---- arguments ----

Variant Dereferenced(const VARIANT& value, const std::u16string& source) {
    Variant plain;
    HRESULT result = VariantCopyInd(plain.ptr(), &value);
    if (FAILED(result)) throw ErrorOfResult(result, source);
    return plain;
}

// The text of a Variant argument; Empty is "". Null raises 94, a value without text 13.
std::u16string ArgumentText(const VARIANT& value, const std::u16string& source) {
    Variant plain = Dereferenced(value, source);
    switch (plain.vt) {
    case VT_EMPTY:
        return {};
    case VT_BSTR:
        return std::u16string(BstrView(plain.bstrVal));
    case VT_NULL:
        throw ErrorForNumber(errnum::kInvalidUseOfNull, source);
    default:
        return plain.toString();
    }
}

std::u16string ArgumentTextOrEmpty(const VARIANT& value, const std::u16string& source) {
    try {
        return ArgumentText(value, source);
    } catch (...) {
        return {};
    }
}

// What WriteFile writes for its content argument: a byte array as it is, a String as its
// UTF-16 bytes; anything else is a type mismatch (Null: invalid use of Null).
std::string ContentBytes(const VARIANT& content, const std::u16string& source) {
    Variant plain = Dereferenced(content, source);
    if (plain.vt == (VT_ARRAY | VT_UI1)) return automation::ArrayBytes(plain.parray);
    if (plain.vt == VT_BSTR) return StringBytes(BstrView(plain.bstrVal));
    throw ErrorForNumber(plain.vt == VT_NULL ? errnum::kInvalidUseOfNull : errnum::kTypeMismatch, source);
}

// ---- file system ----

// Opening a FIFO waits for its writer; a signal ends the wait, and stop decides whether to give
// up (fileio::ReadStopped), asked before the open too as a read is.
int OpenForReading(const std::string& path, const std::u16string& source, const fileio::StopRequest& stop) {
    int fd;
    do {
        if (stop && stop()) throw fileio::ReadStopped();
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd >= 0) return fd;
    if (errno == EMFILE || errno == ENFILE)
        throw ComError(errnum::kNoFreeFileHandles, kReadFileSource, u"No free file handles for load.");
    throw ErrorForErrno(errno, path, source);
}

bool IsFile(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && !S_ISDIR(status.st_mode);
}

const char16_t* RuntimeSource(SystemCopy copy) {
    return copy == SystemCopy::Program ? errsource::kProgram : errsource::kComponents;
}

// The file named to be read whole, open; path becomes its file-system name.
FileDescriptor OpenWholeFile(const VARIANT& filepath, std::string& path, const std::u16string& source,
                             const fileio::StopRequest& stop = {}) {
    std::u16string name = ArgumentText(filepath, source);
    if (name.empty()) throw ComError(errnum::kBlankFileName, kReadFileSource, u"The filename cannot be blank.");
    path = fileerrors::FileSystemPath(name, source);
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) throw ErrorForErrno(errno, path, source);
    if (S_ISDIR(status.st_mode)) throw ErrorForNumber(errnum::kPathFileAccessError, source);
    return FileDescriptor(OpenForReading(path, source, stop));
}

// The path a write goes to; an empty name is no file name at all.
std::string WritablePath(const std::u16string& fileName, const std::u16string& source) {
    if (fileName.empty()) throw ErrorForNumber(errnum::kPathFileAccessError, source);
    return fileerrors::FileSystemPath(fileName, source);
}

}  // namespace

System::System(SystemCopy copy)
    : copy_(copy),
      runtimeSource_(RuntimeSource(copy)),
      strings_(modTavrelGeneral::CreateObjectEx(u"Tavrel.Strings2")) {}

std::string System::ReadBytes(const VARIANT& filepath) {
    std::string path;
    FileDescriptor fd = OpenWholeFile(filepath, path, runtimeSource_);
    return fileerrors::ReadToEndOrRaise(fd.get(), path, runtimeSource_);
}

Variant System::ReadFile(const VARIANT& filepath) {
    try {
        return automation::ByteArray(ReadBytes(filepath));
    } catch (...) {
        throw CaughtError(runtimeSource_);
    }
}

std::u16string System::ReadFileToString(const std::u16string& filepath) { return ReadFileToStringAs(copy_, filepath); }

std::u16string ReadFileToStringAs(SystemCopy copy, const std::u16string& filepath, const fileio::StopRequest& stop) {
    const std::u16string source = RuntimeSource(copy);
    try {
        std::string path;
        FileDescriptor fd = OpenWholeFile(Variant::fromString(filepath), path, source, stop);
        return fileerrors::ReadTextToEndOrRaise(fd.get(), path, source, stop);
    } catch (const fileio::ReadStopped&) {
        throw;
    } catch (...) {
        ComError error = CaughtError(source);
        std::u16string_view suffix = copy == SystemCopy::Program ? kProgramNameSuffix : u"";
        throw WithDescription(error, FailureDescription(u"Error reading the file ", filepath, suffix, error));
    }
}

void System::WriteFileFromString(const std::u16string& filepath, const std::u16string& content) {
    FileWriter writer = BeginWriteFile(filepath);
    writer.Write(text::TextToAnsi(content));
    writer.Commit();
}

System::FileWriter System::BeginWriteFile(const std::u16string& filepath, filereplace::IfPresent ifPresent) {
    return FileWriter(filepath, runtimeSource_, ifPresent);
}

System::FileWriter::FileWriter(const std::u16string& filepath, std::u16string source, filereplace::IfPresent ifPresent)
    : filepath_(filepath), source_(std::move(source)) {
    Raising([&] { file_ = std::make_unique<filereplace::Replacement>(WritablePath(filepath_, source_), ifPresent); });
}

void System::FileWriter::Write(std::string_view bytes) {
    Raising([&] { file_->write(bytes); });
}

void System::FileWriter::Commit() {
    Raising([&] { file_->commit(); });
}

// Runs a step of the replacement with its failures raised as the file services' errors.
template <class Action>
void System::FileWriter::Raising(Action action) {
    try {
        try {
            action();
        } catch (const filereplace::ReplaceError& error) {
            if (error.error() == EEXIST && error.step() == filereplace::Step::Replace)
                throw ErrorForNumber(errnum::kFileAlreadyExists, source_);  // a file kept in its place
            throw ErrorForErrno(error.error(), error.path(), source_);
        }
    } catch (...) {
        ComError error = CaughtError(source_);
        throw WithDescription(error, FailureDescription(u"Error writing the file ", filepath_, u"", error));
    }
}

// The old file is not deleted first: the new content replaces it in one step, so the step
// "Delete the file" names a failure to replace an existing file.
void System::WriteFile(const VARIANT& filepath, const VARIANT& content) {
    std::u16string step;
    std::u16string name = ArgumentTextOrEmpty(filepath, runtimeSource_);
    try {
        std::string bytes = ContentBytes(content, runtimeSource_);
        step = kStepCheckExists;
        step = FileExists(name) ? kStepDelete : kStepWrite;
        try {
            filereplace::Replacement replacement(WritablePath(name, runtimeSource_));
            replacement.write(bytes);
            replacement.commit();
        } catch (const filereplace::ReplaceError& error) {
            if (error.step() == filereplace::Step::Write) step = kStepWrite;
            throw ErrorForErrno(error.error(), error.path(), runtimeSource_);
        }
    } catch (...) {
        ComError error = CaughtError(runtimeSource_);
        throw WithDescription(error, FailureDescription(u"Error writing the file ", name, u"", error) +
                                         u"\r\nHint: " + step);
    }
}

bool System::FileExists(const std::u16string& FileName) {
    if (FileName.empty()) return false;
    try {
        return IsFile(fileerrors::FileSystemPath(FileName, runtimeSource_));
    } catch (...) {
        return false;
    }
}
