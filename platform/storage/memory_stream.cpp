#include "platform/storage/memory_stream.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "platform/automation/error.h"
#include "platform/automation/object_base.h"

namespace storage {
namespace {

// Lets the functions below find the memory behind a stream of this file.
constexpr IID IID_IMemoryStreamData{0x6A1E3C70, 0x9B2D, 0x4F1A, {0x8C, 0x33, 0x51, 0x0D, 0x7E, 0x42, 0xA9, 0x15}};

class MemoryStream final : public IStream {
public:
    explicit MemoryStream(std::span<const std::byte> bytes) : memory_(bytes.begin(), bytes.end()) {}

    HRESULT QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (riid != IID_IUnknown && riid != IID_ISequentialStream && riid != IID_IStream &&
            riid != IID_IMemoryStreamData)
            return E_NOINTERFACE;
        *ppv = static_cast<IStream*>(this);
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return references_.add(); }
    ULONG Release() override { return references_.release(this); }

    HRESULT Read(void* pv, ULONG cb, ULONG* pcbRead) override {
        if (pcbRead) *pcbRead = 0;
        if (!pv && cb) return STG_E_INVALIDPOINTER;
        const ULONG count = ULONG(std::min<ULONGLONG>(cb, available()));
        if (count) std::memcpy(pv, memory_.data() + position_, count);
        position_ += count;
        if (pcbRead) *pcbRead = count;
        return count == cb ? S_OK : S_FALSE;
    }

    HRESULT Write(const void* pv, ULONG cb, ULONG* pcbWritten) override {
        if (pcbWritten) *pcbWritten = 0;
        if (!pv && cb) return STG_E_INVALIDPOINTER;
        if (!cb) return S_OK;
        if (position_ + cb > memory_.size() && FAILED(resize(position_ + cb))) return STG_E_MEDIUMFULL;
        std::memcpy(memory_.data() + position_, pv, cb);
        position_ += cb;
        if (pcbWritten) *pcbWritten = cb;
        return S_OK;
    }

    HRESULT Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPosition) override {
        LONGLONG base = 0;
        switch (origin) {
        case STREAM_SEEK_SET: break;
        case STREAM_SEEK_CUR: base = LONGLONG(position_); break;
        case STREAM_SEEK_END: base = LONGLONG(memory_.size()); break;
        default: return STG_E_INVALIDFUNCTION;
        }
        if (move.QuadPart < -base || move.QuadPart > std::numeric_limits<LONG>::max() - base)
            return STG_E_INVALIDFUNCTION;
        position_ = ULONGLONG(base + move.QuadPart);
        if (newPosition) newPosition->QuadPart = position_;
        return S_OK;
    }

    HRESULT SetSize(ULARGE_INTEGER size) override { return resize(size.QuadPart); }

    HRESULT CopyTo(IStream* target, ULARGE_INTEGER cb, ULARGE_INTEGER* pcbRead, ULARGE_INTEGER* pcbWritten) override {
        if (!target) return STG_E_INVALIDPOINTER;
        const ULONG count = ULONG(std::min<ULONGLONG>(cb.QuadPart, available()));
        ULONG written = 0;
        const HRESULT hr = target->Write(memory_.data() + position_, count, &written);
        position_ += count;
        if (pcbRead) pcbRead->QuadPart = count;
        if (pcbWritten) pcbWritten->QuadPart = written;
        return hr;
    }
    HRESULT Commit(DWORD) override { return S_OK; }
    HRESULT Revert() override { return S_OK; }
    HRESULT LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return STG_E_INVALIDFUNCTION; }
    HRESULT UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return STG_E_INVALIDFUNCTION; }
    HRESULT Stat(STATSTG* stat, DWORD) override {
        if (!stat) return STG_E_INVALIDPOINTER;
        *stat = STATSTG{};
        stat->type = STGTY_STREAM;
        stat->cbSize.QuadPart = memory_.size();
        return S_OK;
    }
    HRESULT Clone(IStream** result) override {
        if (!result) return STG_E_INVALIDPOINTER;
        *result = nullptr;
        return CatchAtBoundary([&] {
            auto* clone = new MemoryStream(memory_);
            clone->position_ = position_;
            *result = ComPtr<IStream>(clone).detach();
            return S_OK;
        });
    }

    const std::vector<std::byte>& memory() const { return memory_; }

private:
    friend class automation::ReferenceCount;
    ~MemoryStream() = default;

    ULONGLONG available() const { return position_ < memory_.size() ? memory_.size() - position_ : 0; }

    // Sizes stay within 32 bits, as the memory of such a stream does.
    HRESULT resize(ULONGLONG size) {
        if (size > std::numeric_limits<LONG>::max()) return STG_E_MEDIUMFULL;
        try {
            memory_.resize(size_t(size));
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        }
        return S_OK;
    }

    automation::ReferenceCount references_;
    std::vector<std::byte> memory_;
    ULONGLONG position_ = 0;
};

// The stream's own object when it is a memory stream, without a new reference.
const MemoryStream* AsMemoryStream(IStream* stream) {
    ComPtr<IStream> same;
    if (!stream || FAILED(stream->QueryInterface(IID_IMemoryStreamData, same.putVoid()))) return nullptr;
    return static_cast<const MemoryStream*>(same.get());
}

}  // namespace

ComPtr<IStream> NewMemoryStream(std::span<const std::byte> bytes) { return ComPtr<IStream>(new MemoryStream(bytes)); }

HRESULT MemoryStreamSize(IStream* stream, ULONGLONG* size) {
    const MemoryStream* memory = AsMemoryStream(stream);
    if (!memory || !size) return E_INVALIDARG;
    *size = memory->memory().size();
    return S_OK;
}

std::vector<std::byte> MemoryStreamBytes(IStream* stream, ULONGLONG count) {
    const MemoryStream* memory = AsMemoryStream(stream);
    if (!memory) return {};
    const auto& bytes = memory->memory();
    return {bytes.begin(), bytes.begin() + std::ptrdiff_t(std::min<ULONGLONG>(count, bytes.size()))};
}

}  // namespace storage
