#include "components/dictionary/dictionary_object.h"

#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "components/dictionary/marshalled_format.h"
#include "platform/automation/enum_variant.h"
#include "platform/automation/safearray.h"
#include "platform/storage/compound_file.h"
#include "platform/storage/memory_stream.h"
#include "platform/text/codepage.h"

namespace mossel {
namespace {

// The name of the one stream in a dictionary's compound file.
constexpr char kStreamName[] = "Tavrel";

// Runs an operation whose failures come as FormatFailure or memory exhaustion.
template <class Body>
HRESULT Guarded(Body&& body) noexcept {
    try {
        return body();
    } catch (const FormatFailure& failure) {
        return failure.hr;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

bool IsStringIndex(const VARIANT& index) {
    return index.vt == VT_BSTR || (index.vt == (VT_BSTR | VT_BYREF) && index.pbstrVal);
}

BSTR StringOf(const VARIANT& index) { return index.vt == VT_BSTR ? index.bstrVal : *index.pbstrVal; }

std::string FileName(BSTR name) { return text::TextToAnsi(BstrView(name)); }

// The bytes a save writes, up to the stream's position after it.
std::vector<std::byte> SavedBytes(IStream* stream) {
    ULARGE_INTEGER end{};
    if (FAILED(stream->Seek(LARGE_INTEGER{0}, STREAM_SEEK_CUR, &end))) throw FormatFailure{E_FAIL};
    return storage::MemoryStreamBytes(stream, end.QuadPart);
}

// A one-dimensional byte array with positions 1 to N and a fixed size.
HRESULT NewByteArray(const std::vector<std::byte>& bytes, VARIANT* result) {
    SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 1, ULONG(bytes.size()));
    if (!array) return E_OUTOFMEMORY;
    array->fFeatures |= FADF_FIXEDSIZE;
    if (!bytes.empty()) std::memcpy(array->pvData, bytes.data(), bytes.size());
    result->vt = VT_ARRAY | VT_UI1;
    result->parray = array;
    return S_OK;
}

// The bytes of a byte array argument, with the checks of UnmarshallDictionary.
HRESULT BytesOfArgument(const VARIANT& argument, std::vector<std::byte>& bytes) {
    if (argument.vt != (VT_ARRAY | VT_UI1) && argument.vt != (VT_ARRAY | VT_UI1 | VT_BYREF))
        return DISP_E_TYPEMISMATCH;
    SAFEARRAY* array = argument.vt & VT_BYREF ? (argument.pparray ? *argument.pparray : nullptr) : argument.parray;
    if (!array || SafeArrayGetDim(array) != 1 || array->cbElements != 1) return DISP_E_BADVARTYPE;
    LONG lower = 0, upper = 0;
    if (HRESULT hr = SafeArrayGetLBound(array, 1, &lower); FAILED(hr)) return hr;
    if (HRESULT hr = SafeArrayGetUBound(array, 1, &upper); FAILED(hr)) return hr;
    const LONGLONG count = LONGLONG(upper) - lower + 1;
    if (count < 1) return DISP_E_BADVARTYPE;
    if (HRESULT hr = SafeArrayLock(array); FAILED(hr)) return hr;
    const auto* data = static_cast<const std::byte*>(array->pvData);
    HRESULT hr = S_OK;
    try {
        bytes.assign(data, data + count);
    } catch (const std::bad_alloc&) {
        hr = E_OUTOFMEMORY;
    }
    SafeArrayUnlock(array);
    return hr;
}

}  // namespace

HRESULT Dictionary::CreateInstance(IUnknown* outer, REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (outer && riid != IID_IUnknown) return CLASS_E_NOAGGREGATION;
    Dictionary* made = new (std::nothrow) Dictionary(outer);
    if (!made) return E_OUTOFMEMORY;
    made->inner_.AddRef();
    const HRESULT hr = made->inner_.QueryInterface(riid, ppv);
    made->inner_.Release();
    return hr;
}

HRESULT Dictionary::InnerUnknown::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    IUnknown* answer = nullptr;
    if (riid == IID_IUnknown)
        answer = this;
    else if (riid == IID_IDispatch || riid == IID_IDictionary)
        answer = static_cast<IDictionary*>(&owner_);
    else if (riid == IID_IPersist || riid == IID_IPersistStream)
        answer = static_cast<IPersistStream*>(&owner_);
    else
        return E_NOINTERFACE;
    answer->AddRef();
    *ppv = answer;
    return S_OK;
}

// ---- IDispatch ------------------------------------------------------------------------------

HRESULT Dictionary::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
}

HRESULT Dictionary::GetTypeInfo(UINT index, LCID, ITypeInfo** result) {
    if (!result) return E_POINTER;
    *result = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    return automation::CreateTypeInfo(dispatchTable().description(), result);
}

HRESULT Dictionary::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (riid != GUID_NULL) return DISP_E_UNKNOWNINTERFACE;
    const HRESULT hr = automation::LookupIdsOfNames(dispatchTable().description(), names, count, ids);
    if (hr != DISP_E_UNKNOWNNAME || count != 1 || !names[0]) return hr;
    return Guarded([&] {
        rememberedName_ = names[0];  // kept whole, whatever its length
        ids[0] = kDefaultDispatch;
        return S_OK;
    });
}

HRESULT Dictionary::Invoke(DISPID member, REFIID riid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                           EXCEPINFO* excepInfo, UINT* argErr) {
    return automation::InvokeMember(dispatchTable(), this, member, riid, flags, params, result, excepInfo, argErr);
}

// ---- items ----------------------------------------------------------------------------------

HRESULT Dictionary::Add(BSTR Key, VARIANT* Value) {
    if (!Value) return E_POINTER;
    return Guarded([&] {
        const auto item = items_.append(Key);
        Variant copy;
        const HRESULT hr = VariantCopyInd(&copy, Value);
        if (SUCCEEDED(hr)) item->value = std::move(copy);
        return hr;
    });
}

HRESULT Dictionary::Clear() {
    items_.clear();
    return S_OK;
}

HRESULT Dictionary::Name(VARIANT* Index, BSTR* result) {
    if (!result || !Index) return E_POINTER;
    *result = nullptr;
    const auto item = items_.find(*Index);
    if (item == items_.end()) return DISP_E_BADINDEX;
    if (item->key.isNull()) return S_OK;
    *result = Bstr(item->key).detach();
    return *result ? S_OK : E_OUTOFMEMORY;
}

HRESULT Dictionary::get_Count(LONG* result) {
    if (!result) return E_POINTER;
    *result = items_.count();
    return S_OK;
}

HRESULT Dictionary::Rename(VARIANT* Index, BSTR NewName) {
    if (!Index) return E_POINTER;
    const auto item = items_.find(*Index);
    if (item == items_.end()) return DISP_E_BADINDEX;
    try {
        items_.rename(item, NewName);
    } catch (const std::bad_alloc&) {
        return DISP_E_MEMBERNOTFOUND;
    }
    return S_OK;
}

HRESULT Dictionary::Remove(VARIANT* Index) {
    if (!Index) return E_POINTER;
    const auto item = items_.find(*Index);
    if (item == items_.end()) return DISP_E_BADINDEX;
    items_.remove(item);
    return S_OK;
}

HRESULT Dictionary::get_Item(VARIANT* Index, VARIANT* result) {
    if (!result || !Index) return E_POINTER;
    VariantInit(result);
    const auto item = items_.find(*Index);
    if (item != items_.end()) return VariantCopy(result, &item->value);
    return IsStringIndex(*Index) ? S_OK : DISP_E_BADINDEX;
}

HRESULT Dictionary::put_Item(VARIANT* Index, VARIANT* newValue) { return putValue(Index, newValue, false); }

HRESULT Dictionary::putref_Item(VARIANT* Index, VARIANT* newValue) { return putValue(Index, newValue, true); }

HRESULT Dictionary::putValue(VARIANT* index, VARIANT* newValue, bool moveReference) {
    if (!newValue || !index) return E_POINTER;
    auto item = items_.find(*index);
    if (item == items_.end()) {
        if (!IsStringIndex(*index)) return DISP_E_BADINDEX;
        if (!moveReference) return Add(StringOf(*index), newValue);
        Variant empty;
        if (HRESULT hr = Add(StringOf(*index), &empty); FAILED(hr)) return hr;
        item = std::prev(items_.end());
    }
    if (!moveReference || (newValue->vt & VT_BYREF)) {
        Variant copy;
        const HRESULT hr = VariantCopyInd(&copy, newValue);
        if (SUCCEEDED(hr)) item->value = std::move(copy);
        return hr;
    }
    if (HRESULT hr = VariantClear(&item->value); FAILED(hr)) return hr;
    item->value = Variant::attach(*newValue);  // the caller's reference passes to the item
    return S_OK;
}

Variant Dictionary::rememberedName() const { return Variant::fromString(rememberedName_); }

HRESULT Dictionary::get__TavrelDefaultDispatch(VARIANT* result) {
    return Guarded([&] {
        Variant name = rememberedName();
        return get_Item(&name, result);
    });
}

HRESULT Dictionary::put__TavrelDefaultDispatch(VARIANT* newValue) {
    return Guarded([&] {
        Variant name = rememberedName();
        return put_Item(&name, newValue);
    });
}

HRESULT Dictionary::putref__TavrelDefaultDispatch(VARIANT* newValue) {
    return Guarded([&] {
        Variant name = rememberedName();
        return putref_Item(&name, newValue);
    });
}

HRESULT Dictionary::get__NewEnum(IUnknown** result) {
    if (!result) return E_POINTER;
    *result = nullptr;
    return Guarded([&] {
        std::vector<Variant> values(size_t(items_.count()));
        size_t i = 0;
        for (auto item = items_.begin(); item != items_.end(); ++item, ++i)
            if (HRESULT hr = VariantCopy(&values[i], &item->value); FAILED(hr)) return hr;
        // The enumerator keeps the module loaded as a live object of its own.
        auto enumerator = automation::MakeEnumVariant(std::move(values), std::make_shared<com::LiveObject>());
        return enumerator->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(result));
    });
}

// ---- marshalled format and persistence ------------------------------------------------------

HRESULT Dictionary::SaveToStream(IStream* stream) {
    if (!stream) return E_POINTER;
    return Guarded([&] {
        const NestingGuard nested;
        RecordWriter writer(stream);
        WriteItems(writer, items_, stream);
        return S_OK;
    });
}

HRESULT Dictionary::LoadFromStream(IStream* stream) {
    if (!stream) return E_POINTER;
    items_.clear();
    const HRESULT hr = Guarded([&] {
        const NestingGuard nested;
        RecordReader reader(stream);
        ReadItems(reader, items_);
        return S_OK;
    });
    if (FAILED(hr)) items_.clear();
    return hr;
}

HRESULT Dictionary::ReserveStreamSpace(IStream* stream) {
    if (stream) Guarded([&] {
        ReserveSpace(stream);
        return S_OK;
    });
    return S_OK;
}

HRESULT Dictionary::WriteArrayValue(IStream* stream, VARIANT* value) {
    if (!stream || !value) return E_POINTER;
    return Guarded([&] {
        RecordWriter(stream).writeArray(*value);
        return S_OK;
    });
}

HRESULT Dictionary::ReadArrayValue(IStream* stream, VARIANT* value) {
    if (!stream || !value) return E_POINTER;
    return Guarded([&] {
        Variant array = RecordReader(stream).readArray(value->vt);
        *value = array.detach();
        return S_OK;
    });
}

HRESULT Dictionary::MarshallDictionary(VARIANT* vtByteArray) {
    if (!vtByteArray) return E_POINTER;
    VariantInit(vtByteArray);
    return Guarded([&] {
        const ComPtr<IStream> stream = storage::NewMemoryStream();
        if (HRESULT hr = SaveToStream(stream.get()); FAILED(hr)) return hr;
        return NewByteArray(SavedBytes(stream.get()), vtByteArray);
    });
}

HRESULT Dictionary::UnmarshallDictionary(VARIANT* vtByteArray) {
    items_.forgetPosition();
    if (!vtByteArray) return E_POINTER;
    std::vector<std::byte> bytes;
    if (HRESULT hr = BytesOfArgument(*vtByteArray, bytes); FAILED(hr)) return hr;
    return loadFrom(bytes);
}

HRESULT Dictionary::MarshallDictionaryToStream(BSTR bstrFileName) {
    return Guarded([&] {
        const ComPtr<IStream> stream = storage::NewMemoryStream();
        if (HRESULT hr = SaveToStream(stream.get()); FAILED(hr)) return hr;
        return storage::WriteSingleStreamFile(FileName(bstrFileName), kStreamName, SavedBytes(stream.get()));
    });
}

HRESULT Dictionary::UnmarshallDictionaryFromStream(BSTR bstrFileName) {
    std::vector<std::byte> bytes;
    const HRESULT hr = Guarded([&] { return storage::ReadStreamOfFile(FileName(bstrFileName), kStreamName, bytes); });
    return FAILED(hr) ? hr : loadFrom(bytes);
}

HRESULT Dictionary::loadFrom(const std::vector<std::byte>& bytes) {
    ComPtr<IStream> stream;
    const HRESULT hr = Guarded([&] {
        stream = storage::NewMemoryStream(bytes);
        return S_OK;
    });
    return FAILED(hr) ? hr : LoadFromStream(stream.get());
}

HRESULT Dictionary::GetClassID(CLSID* pClassID) {
    if (!pClassID) return E_POINTER;
    *pClassID = CLSID_Dictionary;
    return S_OK;
}

}  // namespace mossel
