#include "platform/storage/compound_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>

#include <cerrno>
#include <memory>
#include <new>
#include <system_error>

#include "platform/os/file_descriptor.h"
#include "platform/os/file_io.h"
#include "platform/os/file_replace.h"

namespace storage {
namespace {

using fileio::FileDescriptor;

struct ObjectUnref {
    void operator()(void* object) const { g_object_unref(object); }
};
template <class T>
using GObjectPtr = std::unique_ptr<T, ObjectUnref>;

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

// Takes the file's exclusive lock without waiting.
HRESULT LockExclusively(const FileDescriptor& file) {
    return ::flock(file.get(), LOCK_EX | LOCK_NB) == 0 ? S_OK : FromErrno(errno, STG_E_SHAREVIOLATION);
}

// The compound file's bytes: the root storage with the one stream.
HRESULT BuildCompoundFile(std::string_view streamName, std::span<const std::byte> bytes,
                          std::vector<std::byte>& file) {
    GObjectPtr<GsfOutput> sink(gsf_output_memory_new());
    GObjectPtr<GsfOutfile> root(gsf_outfile_msole_new(sink.get()));
    if (!root) return E_OUTOFMEMORY;
    GObjectPtr<GsfOutput> stream(gsf_outfile_new_child(root.get(), std::string(streamName).c_str(), FALSE));
    if (!stream) return STG_E_WRITEFAULT;
    const bool written = bytes.empty() ||
                         gsf_output_write(stream.get(), bytes.size(), reinterpret_cast<const guint8*>(bytes.data()));
    if (!gsf_output_close(stream.get()) || !written || !gsf_output_close(GSF_OUTPUT(root.get())))
        return STG_E_WRITEFAULT;
    const auto* data = reinterpret_cast<const std::byte*>(gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(sink.get())));
    const gsf_off_t size = gsf_output_size(sink.get());
    if (!data || size <= 0) return STG_E_WRITEFAULT;
    file.assign(data, data + size);
    return S_OK;
}

// The stream's bytes from a compound file held in memory.
HRESULT StreamOfCompoundFile(const std::string& file, std::string_view streamName,
                             std::vector<std::byte>& bytes) {
    GObjectPtr<GsfInput> input(
        gsf_input_memory_new(reinterpret_cast<const guint8*>(file.data()), gsf_off_t(file.size()), FALSE));
    if (!input) return E_OUTOFMEMORY;
    GError* error = nullptr;
    GObjectPtr<GsfInfile> root(gsf_infile_msole_new(input.get(), &error));
    if (error) g_error_free(error);
    if (!root) return STG_E_FILEALREADYEXISTS;
    GObjectPtr<GsfInput> stream(gsf_infile_child_by_name(root.get(), std::string(streamName).c_str()));
    if (!stream || (GSF_IS_INFILE(stream.get()) && gsf_infile_num_children(GSF_INFILE(stream.get())) >= 0))
        return STG_E_FILENOTFOUND;
    const gsf_off_t size = gsf_input_size(stream.get());
    if (size < 0 || size_t(size) > file.size()) return STG_E_READFAULT;
    bytes.resize(size_t(size));
    if (size > 0 && !gsf_input_read(stream.get(), size_t(size), reinterpret_cast<guint8*>(bytes.data())))
        return STG_E_READFAULT;
    return S_OK;
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
        std::vector<std::byte> file;
        if (HRESULT hr = BuildCompoundFile(streamName, bytes, file); FAILED(hr)) return hr;
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
        if (file.get() < 0) return FromErrno(errno, STG_E_READFAULT);
        if (HRESULT hr = LockExclusively(file); FAILED(hr)) return hr;
        return StreamOfCompoundFile(fileio::ReadToEnd(file.get()), streamName, bytes);
    } catch (const std::system_error& error) {
        return FromErrno(error.code().value(), STG_E_READFAULT);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (const std::length_error&) {
        return STG_E_MEDIUMFULL;
    }
}

}  // namespace storage
