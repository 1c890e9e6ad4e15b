// The compound-file format over libgsf, in a library of its own (see compound_format.h).
#include "platform/storage/compound_format.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>

#include <array>
#include <memory>
#include <mutex>
#include <thread>

namespace {

struct ObjectUnref {
    void operator()(void* object) const { g_object_unref(object); }
};
template <class T>
using GObjectPtr = std::unique_ptr<T, ObjectUnref>;

// GLib's messages from our calls into libgsf, kept out of the host's log. libgsf reports a
// damaged file with warnings and failed checks (criticals), which the default handler prints on
// standard error and G_DEBUG=fatal-warnings or fatal-criticals turns into an abort. While a
// guard lives, the domains these calls log to have a handler of ours that notes the message, and
// only errors are fatal; the host's handlers and fatal masks come back when it ends. The fatal
// masks are process-wide, so guards are taken one at a time; a message of another thread in the
// meantime goes to GLib's default handler.
class GLibMessagesCaught {
public:
    GLibMessagesCaught() : lock_(Mutex()), alwaysFatal_(g_log_set_always_fatal(GLogLevelFlags(G_LOG_FATAL_MASK))) {
        for (size_t i = 0; i < kDomains.size(); ++i) {
            handlers_[i] = g_log_set_handler(kDomains[i], GLogLevelFlags(G_LOG_LEVEL_MASK | G_LOG_FLAG_FATAL |
                                                                         G_LOG_FLAG_RECURSION),
                                             &Note, this);
            domainFatal_[i] = g_log_set_fatal_mask(kDomains[i], G_LOG_LEVEL_ERROR);
        }
    }
    ~GLibMessagesCaught() {
        for (size_t i = 0; i < kDomains.size(); ++i) {
            g_log_set_fatal_mask(kDomains[i], domainFatal_[i]);
            g_log_remove_handler(kDomains[i], handlers_[i]);
        }
        g_log_set_always_fatal(alwaysFatal_);
    }
    GLibMessagesCaught(const GLibMessagesCaught&) = delete;
    GLibMessagesCaught& operator=(const GLibMessagesCaught&) = delete;

    // Whether a call under this guard logged a message.
    bool any() const { return caught_; }

private:
    // libgsf's own domains, its files without one (null), and GLib's checks of the objects.
    static constexpr std::array<const char*, 5> kDomains{"libgsf:msole", "libgsf", nullptr, "GLib-GObject", "GLib"};

    static std::mutex& Mutex() {
        static std::mutex mutex;
        return mutex;
    }
    static void Note(const gchar* domain, GLogLevelFlags level, const gchar* message, gpointer guard) {
        auto* self = static_cast<GLibMessagesCaught*>(guard);
        if (std::this_thread::get_id() != self->thread_) return g_log_default_handler(domain, level, message, nullptr);
        self->caught_ = true;
    }

    std::lock_guard<std::mutex> lock_;
    GLogLevelFlags alwaysFatal_;
    std::array<guint, kDomains.size()> handlers_{};
    std::array<GLogLevelFlags, kDomains.size()> domainFatal_{};
    std::thread::id thread_ = std::this_thread::get_id();
    bool caught_ = false;
};

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

HRESULT BuildCompoundFile(std::string_view streamName, std::span<const std::byte> bytes, std::vector<std::byte>& file) {
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

HRESULT StreamOfCompoundFile(const std::string& file, std::string_view streamName, std::vector<std::byte>& bytes) {
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

}  // namespace

HRESULT tavrel_build_compound_file(std::string_view streamName, std::span<const std::byte> bytes,
                                   std::vector<std::byte>& file) {
    const GLibMessagesCaught messages;
    const HRESULT hr = BuildCompoundFile(streamName, bytes, file);
    return SUCCEEDED(hr) && messages.any() ? STG_E_WRITEFAULT : hr;
}

HRESULT tavrel_stream_of_compound_file(const std::string& file, std::string_view streamName,
                                       std::vector<std::byte>& bytes) {
    const GLibMessagesCaught messages;
    const HRESULT hr = StreamOfCompoundFile(file, streamName, bytes);
    return SUCCEEDED(hr) && messages.any() ? STG_E_DOCFILECORRUPT : hr;
}
