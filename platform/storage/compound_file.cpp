#include "platform/storage/compound_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
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

#include "components/system/file_descriptor.h"

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

// A temporary file beside the target, removed unless it took the target's place.
class ReplacementFile {
public:
    explicit ReplacementFile(const std::string& target) : target_(target), path_(target + ".XXXXXX") {
        file_ = std::make_unique<FileDescriptor>(::mkostemp(path_.data(), O_CLOEXEC));
        if (file_->get() < 0) path_.clear();
    }
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;
    ~ReplacementFile() {
        if (!path_.empty()) ::unlink(path_.c_str());
    }

    bool opened() const { return file_->get() >= 0; }

    // Writes all bytes, flushes them to disk and puts the file in the target's place.
    HRESULT complete(std::span<const std::byte> bytes) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        if (::fchmod(file_->get(), 0666 & ~mask) != 0) return FromErrno(errno, STG_E_WRITEFAULT);
        for (size_t done = 0; done < bytes.size();) {
            const ssize_t n = ::write(file_->get(), bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return FromErrno(errno, STG_E_WRITEFAULT);
            done += size_t(n);
        }
        if (::fsync(file_->get()) != 0 || file_->close() != 0) return FromErrno(errno, STG_E_WRITEFAULT);
        if (::rename(path_.c_str(), target_.c_str()) != 0) return FromErrno(errno, STG_E_WRITEFAULT);
        path_.clear();
        return S_OK;
    }

private:
    std::string target_;
    std::string path_;
    std::unique_ptr<FileDescriptor> file_;
};

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

HRESULT ReadWholeFile(const FileDescriptor& file, std::vector<std::byte>& bytes) {
    std::byte chunk[65536];
    for (;;) {
        const ssize_t n = ::read(file.get(), chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return FromErrno(errno, STG_E_READFAULT);
        if (n == 0) return S_OK;
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
}

// The stream's bytes from a compound file held in memory.
HRESULT StreamOfCompoundFile(const std::vector<std::byte>& file, std::string_view streamName,
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
        ReplacementFile replacement(path);
        if (!replacement.opened()) return errno == ENOENT ? STG_E_PATHNOTFOUND : FromErrno(errno, STG_E_WRITEFAULT);
        return replacement.complete(file);
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
        std::vector<std::byte> whole;
        if (HRESULT hr = ReadWholeFile(file, whole); FAILED(hr)) return hr;
        return StreamOfCompoundFile(whole, streamName, bytes);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

}  // namespace storage
