#include "platform/storage/object_stream.h"

#include <array>

#include "platform/com/creation.h"

namespace {

using ClassBytes = std::array<BYTE, 16>;

void PutLittleEndian(BYTE* at, ULONGLONG value, int size) {
    for (int i = 0; i < size; ++i) at[i] = BYTE(value >> (8 * i));
}

ULONGLONG GetLittleEndian(const BYTE* at, int size) {
    ULONGLONG value = 0;
    for (int i = size - 1; i >= 0; --i) value = (value << 8) | at[i];
    return value;
}

}  // namespace

HRESULT WriteClassStm(IStream* stream, REFCLSID clsid) {
    if (!stream) return E_INVALIDARG;
    ClassBytes bytes{};
    PutLittleEndian(&bytes[0], clsid.Data1, 4);
    PutLittleEndian(&bytes[4], clsid.Data2, 2);
    PutLittleEndian(&bytes[6], clsid.Data3, 2);
    for (int i = 0; i < 8; ++i) bytes[8 + i] = clsid.Data4[i];
    return stream->Write(bytes.data(), ULONG(bytes.size()), nullptr);
}

HRESULT ReadClassStm(IStream* stream, CLSID* clsid) {
    if (!stream || !clsid) return E_INVALIDARG;
    ClassBytes bytes{};
    ULONG read = 0;
    const HRESULT hr = stream->Read(bytes.data(), ULONG(bytes.size()), &read);
    if (FAILED(hr)) return hr;
    if (read != bytes.size()) return STG_E_READFAULT;
    clsid->Data1 = DWORD(GetLittleEndian(&bytes[0], 4));
    clsid->Data2 = WORD(GetLittleEndian(&bytes[4], 2));
    clsid->Data3 = WORD(GetLittleEndian(&bytes[6], 2));
    for (int i = 0; i < 8; ++i) clsid->Data4[i] = bytes[8 + i];
    return S_OK;
}

HRESULT OleSaveToStream(IPersistStream* object, IStream* stream) {
    if (!stream) return E_INVALIDARG;
    if (!object) return WriteClassStm(stream, GUID_NULL);
    CLSID clsid{};
    HRESULT hr = object->GetClassID(&clsid);
    if (SUCCEEDED(hr)) hr = WriteClassStm(stream, clsid);
    if (SUCCEEDED(hr)) hr = object->Save(stream, 1);
    return hr;
}

HRESULT OleLoadFromStream(IStream* stream, REFIID iid, void** object) {
    if (!object) return E_INVALIDARG;
    *object = nullptr;
    CLSID clsid{};
    const HRESULT hr = ReadClassStm(stream, &clsid);
    return FAILED(hr) ? hr : storage::LoadObjectOfClass(stream, clsid, iid, object);
}

namespace storage {

HRESULT LoadObjectOfClass(IStream* stream, REFCLSID clsid, REFIID iid, void** object) {
    if (!object) return E_INVALIDARG;
    *object = nullptr;
    ComPtr<IPersistStream> persist;
    HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IPersistStream, persist.putVoid());
    if (SUCCEEDED(hr)) hr = persist->Load(stream);
    if (SUCCEEDED(hr)) hr = persist->QueryInterface(iid, object);
    return hr;
}

}  // namespace storage
