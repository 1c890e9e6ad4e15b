// The class "Tavrel.Dictionary" of the component module mossel: its identifiers, member DISPIDs
// and its dual interface IDictionary (operations in slot order).
#pragma once

#include "platform/automation/interfaces.h"

inline constexpr IID IID_IDictionary{0x43F1E101, 0xA5D6, 0x11D2, {0x9C, 0x68, 0x00, 0x10, 0x5A, 0x32, 0x30, 0xAF}};
inline constexpr CLSID CLSID_Dictionary{0x43F1E102, 0xA5D6, 0x11D2, {0x9C, 0x68, 0x00, 0x10, 0x5A, 0x32, 0x30, 0xAF}};
inline constexpr GUID LIBID_TAVREL_MOSSELLib{0x43F1E0F5, 0xA5D6, 0x11D2, {0x9C, 0x68, 0x00, 0x10, 0x5A, 0x32, 0x30, 0xAF}};

namespace mossel {

inline constexpr char16_t kProgId[] = u"Tavrel.Dictionary.1";
inline constexpr char16_t kVersionIndependentProgId[] = u"Tavrel.Dictionary";

enum MemberId : DISPID {
    kItem = 0,
    kAdd = 1,
    kClear = 2,
    kMarshallDictionary = 3,
    kUnmarshallDictionary = 4,
    kName = 5,
    kCount = 6,
    kRename = 7,
    kRemove = 8,
    kUnmarshallDictionaryFromStream = 9,
    kMarshallDictionaryToStream = 10,
    kDefaultDispatch = 9999,  // _TavrelDefaultDispatch: the member name resolved last
    kNewEnum = -4,
};

}  // namespace mossel

// Every operation returns an HRESULT and raises nothing. Index arguments follow the index rule:
// a number is a 1-based position, a string the first key equal to it ignoring the case of A-Z.
struct IDictionary : IDispatch {
    virtual HRESULT Add(BSTR Key, VARIANT* Value) = 0;
    virtual HRESULT Clear() = 0;
    virtual HRESULT MarshallDictionary(VARIANT* vtByteArray) = 0;
    virtual HRESULT UnmarshallDictionary(VARIANT* vtByteArray) = 0;
    virtual HRESULT Name(VARIANT* Index, BSTR* result) = 0;
    virtual HRESULT get_Count(LONG* result) = 0;
    virtual HRESULT Rename(VARIANT* Index, BSTR NewName) = 0;
    virtual HRESULT Remove(VARIANT* Index) = 0;
    virtual HRESULT UnmarshallDictionaryFromStream(BSTR bstrFileName) = 0;
    virtual HRESULT MarshallDictionaryToStream(BSTR bstrFileName) = 0;
    virtual HRESULT putref_Item(VARIANT* Index, VARIANT* newValue) = 0;
    virtual HRESULT get_Item(VARIANT* Index, VARIANT* result) = 0;
    virtual HRESULT put_Item(VARIANT* Index, VARIANT* newValue) = 0;
    virtual HRESULT get__TavrelDefaultDispatch(VARIANT* result) = 0;
    virtual HRESULT put__TavrelDefaultDispatch(VARIANT* newValue) = 0;
    virtual HRESULT putref__TavrelDefaultDispatch(VARIANT* newValue) = 0;
    virtual HRESULT get__NewEnum(IUnknown** result) = 0;
    // Internal operations of the marshalled format and persistence.
    virtual HRESULT LoadFromStream(IStream* stream) = 0;
    virtual HRESULT SaveToStream(IStream* stream) = 0;
    virtual HRESULT ReserveStreamSpace(IStream* stream) = 0;
    virtual HRESULT WriteArrayValue(IStream* stream, VARIANT* value) = 0;
    virtual HRESULT ReadArrayValue(IStream* stream, VARIANT* value) = 0;

protected:
    ~IDictionary() = default;
};
