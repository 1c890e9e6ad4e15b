// Dictionaries for tests, made in this process from the class's own code, and the class made
// creatable by its class ID so that nested dictionaries load.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/dictionary/dictionary_object.h"
#include "platform/automation/safearray.h"
#include "platform/com/creation.h"

namespace dictionarytest {

inline ComPtr<IDictionary> NewDictionary() {
    static const bool registered = [] {
        RegisterBuiltinClass(u"Tavrel.Dictionary", CLSID_Dictionary, [](REFIID riid, void** ppv) {
            return mossel::Dictionary::CreateInstance(nullptr, riid, ppv);
        });
        return true;
    }();
    (void)registered;
    ComPtr<IDictionary> dictionary;
    EXPECT_EQ(S_OK, mossel::Dictionary::CreateInstance(nullptr, IID_IDictionary, dictionary.putVoid()));
    return dictionary;
}

inline Variant Str(std::u16string_view s) { return Variant::fromString(s); }

inline void AddItem(IDictionary* d, const char16_t* key, Variant value) {
    Bstr k = key ? Bstr(key) : Bstr();
    ASSERT_EQ(S_OK, d->Add(k.get(), value.ptr()));
}

inline LONG Count(IDictionary* d) {
    LONG count = -1;
    EXPECT_EQ(S_OK, d->get_Count(&count));
    return count;
}

// The bytes of a byte array Variant.
inline std::vector<BYTE> BytesOf(const VARIANT& array) {
    const BYTE* data = static_cast<const BYTE*>(array.parray->pvData);
    return {data, data + SafeArrayElementCount(array.parray)};
}

inline std::vector<BYTE> Marshalled(IDictionary* d) {
    Variant bytes;
    EXPECT_EQ(S_OK, d->MarshallDictionary(bytes.ptr()));
    return bytes.vt == (VT_ARRAY | VT_UI1) ? BytesOf(bytes) : std::vector<BYTE>{};
}

// A byte array with positions from lower.
inline Variant ByteArray(const std::vector<BYTE>& bytes, LONG lower = 1) {
    SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, lower, ULONG(bytes.size()));
    if (!bytes.empty()) std::copy(bytes.begin(), bytes.end(), static_cast<BYTE*>(array->pvData));
    return Variant::fromArray(VT_UI1, array);
}

inline HRESULT Unmarshall(IDictionary* d, const std::vector<BYTE>& bytes) {
    Variant array = ByteArray(bytes);
    return d->UnmarshallDictionary(array.ptr());
}

}  // namespace dictionarytest
