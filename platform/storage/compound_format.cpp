// The compound-file format over libgsf, in a library of its own (see compound_format.h).
#include "platform/storage/compound_format.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>

#include <memory>

namespace {

struct ObjectUnref {
    void operator()(void* object) const { g_object_unref(object); }
};
template <class T>
using GObjectPtr = std::unique_ptr<T, ObjectUnref>;

// Compound-file names compare by the upper case of each character.
bool SameName(const char* a, const char* b) {
    if (!g_utf8_validate(a, -1, nullptr) || !g_utf8_validate(b, -1, nullptr)) return false;
    for (; *a && *b; a = g_utf8_next_char(a), b = g_utf8_next_char(b)) {
        if (g_unichar_toupper(g_utf8_get_char(a)) != g_unichar_toupper(g_utf8_get_char(b))) return false;
    }
    return *a == *b;
}

// The stream of the root storage with that name, or null.
GsfInput* StreamNamed(GsfInfile* root, const std::string& name) {
    const int count = gsf_infile_num_children(root);
    for (int i = 0; i < count; ++i) {
        const char* childName = gsf_infile_name_by_index(root, i);
        if (!childName || !SameName(childName, name.c_str())) continue;
        GsfInput* child = gsf_infile_child_by_index(root, i);
        if (child && GSF_IS_INFILE(child) && gsf_infile_num_children(GSF_INFILE(child)) >= 0) {  // a storage
            g_object_unref(child);
            return nullptr;
        }
        return child;
    }
    return nullptr;
}

}  // namespace

HRESULT tavrel_build_compound_file(std::string_view streamName, std::span<const std::byte> bytes,
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

HRESULT tavrel_stream_of_compound_file(const std::string& file, std::string_view streamName,
                                       std::vector<std::byte>& bytes) {
    GObjectPtr<GsfInput> input(
        gsf_input_memory_new(reinterpret_cast<const guint8*>(file.data()), gsf_off_t(file.size()), FALSE));
    if (!input) return E_OUTOFMEMORY;
    GError* error = nullptr;
    GObjectPtr<GsfInfile> root(gsf_infile_msole_new(input.get(), &error));
    if (error) g_error_free(error);
    if (!root) return STG_E_FILEALREADYEXISTS;
    GObjectPtr<GsfInput> stream(StreamNamed(root.get(), std::string(streamName)));
    if (!stream) return STG_E_FILENOTFOUND;
    const gsf_off_t size = gsf_input_size(stream.get());
    if (size < 0 || size_t(size) > file.size()) return STG_E_READFAULT;
    bytes.resize(size_t(size));
    if (size > 0 && !gsf_input_read(stream.get(), size_t(size), reinterpret_cast<guint8*>(bytes.data())))
        return STG_E_READFAULT;
    return S_OK;
}
