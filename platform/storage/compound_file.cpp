#include "platform/storage/compound_file.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <new>
#include <system_error>

#include "platform/com/module_loader.h"
#include "platform/automation/error_numbers.h"
#include "platform/os/file_descriptor.h"
#include "platform/os/file_errors.h"
#include "platform/os/file_io.h"
#include "platform/os/file_replace.h"
#include "platform/storage/compound_format.h"

namespace storage {
namespace {

using fileio::FileDescriptor;

constexpr char kFormatLibrary[] = "libtavrel_compound_format.so";
constexpr HRESULT kFormatMissing = HRESULT_FROM_WIN32(126);  // ERROR_MOD_NOT_FOUND

HRESULT FromErrno(int error, HRESULT otherwise) {
    switch (error) {
    case ENOENT: return STG_E_FILENOTFOUND;
    case ENOTDIR:
    case ENAMETOOLONG: return STG_E_PATHNOTFOUND;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return STG_E_ACCESSDENIED;
    case ENOSPC:
    case EDQUOT: return STG_E_MEDIUMFULL;
    case ENOMEM: return E_OUTOFMEMORY;
    case EWOULDBLOCK: return STG_E_SHAREVIOLATION;
    default: return otherwise;
    }
}

// A file that cannot be opened because it is missing: path-not-found when its folder is missing too.
HRESULT MissingFileOrFolder(const std::string& path) {
    return fileerrors::NumberForErrno(ENOENT, path) == errnum::kPathNotFound ? STG_E_PATHNOTFOUND : STG_E_FILENOTFOUND;
}

// Takes the file's exclusive lock without waiting.
HRESULT LockExclusively(const FileDescriptor& file) {
    return ::flock(file.get(), LOCK_EX | LOCK_NB) == 0 ? S_OK : FromErrno(errno, STG_E_SHAREVIOLATION);
}

// The format library beside this one, loaded once; null when it does not load (the callers then
// answer kFormatMissing).
struct CompoundFormat {
    decltype(&tavrel_build_compound_file) build = nullptr;
    decltype(&tavrel_stream_of_compound_file) streamOf = nullptr;
};

const CompoundFormat* LoadedFormat() {
    static const CompoundFormat format = [] {
        CompoundFormat loaded;
        const std::string self = com::ModuleFileSystemPath(reinterpret_cast<const void*>(&LoadedFormat));
        if (self.empty()) return loaded;
        const std::string path = (std::filesystem::path(self).parent_path() / kFormatLibrary).string();
        std::string why;
        void* library = com::OpenModuleFile(path, why);
        if (!library) return loaded;
        loaded.build = reinterpret_cast<decltype(loaded.build)>(dlsym(library, "tavrel_build_compound_file"));
        loaded.streamOf =
            reinterpret_cast<decltype(loaded.streamOf)>(dlsym(library, "tavrel_stream_of_compound_file"));
        if (!loaded.build || !loaded.streamOf) loaded = CompoundFormat{};
        return loaded;
    }();
    return format.build ? &format : nullptr;
}

}  // namespace

HRESULT WriteSingleStreamFile(const std::string& path, std::string_view streamName,
                              std::span<const std::byte> bytes) {
    if (path.empty()) return STG_E_INVALIDNAME;
    try {
        const FileDescriptor existing(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
        if (existing.get() >= 0) {
            if (HRESULT hr = LockExclusively(existing); FAILED(hr)) return hr;
        }
        const CompoundFormat* format = LoadedFormat();
        if (!format) return kFormatMissing;
        std::vector<std::byte> file;
        if (HRESULT hr = format->build(streamName, bytes, file); FAILED(hr)) return hr;
        filereplace::ReplaceFileContent(path, std::string_view(reinterpret_cast<const char*>(file.data()), file.size()));
        return S_OK;
    } catch (const filereplace::ReplaceError& error) {
        return error.error() == ENOENT ? STG_E_PATHNOTFOUND : FromErrno(error.error(), STG_E_WRITEFAULT);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT ReadStreamOfFile(const std::string& path, std::string_view streamName, std::vector<std::byte>& bytes) {
    bytes.clear();
    if (path.empty()) return STG_E_INVALIDNAME;
    try {
        const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
        if (file.get() < 0) {
            const int error = errno;
            return error == ENOENT ? MissingFileOrFolder(path) : FromErrno(error, STG_E_READFAULT);
        }
        if (HRESULT hr = LockExclusively(file); FAILED(hr)) return hr;
        const CompoundFormat* format = LoadedFormat();
        if (!format) return kFormatMissing;
        return format->streamOf(fileio::ReadToEnd(file.get()), streamName, bytes);
    } catch (const std::system_error& error) {
        return FromErrno(error.code().value(), STG_E_READFAULT);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (const std::length_error&) {
        return STG_E_MEDIUMFULL;
    }
}

}  // namespace storage
