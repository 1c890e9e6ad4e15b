// The class "Tavrel.Dictionary": IDictionary on the primary interface pointer, IPersistStream
// on a second one, and aggregation (an outer object receives the IUnknown calls of both).
// Failures are returned as HRESULTs; nothing is raised and no error information is set.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "components/dictionary/dictionary_interface.h"
#include "components/dictionary/item_list.h"
#include "platform/automation/dispatch.h"
#include "platform/com/module.h"

namespace mossel {

class Dictionary final : public IDictionary, public IPersistStream {
public:
    // The class factory's creator: with an outer object, only IUnknown may be asked for.
    static HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** ppv);
    static const automation::DispatchTable& dispatchTable();

    // IUnknown of both interface pointers: the outer object's when aggregated.
    HRESULT QueryInterface(REFIID riid, void** ppv) override { return outer_->QueryInterface(riid, ppv); }
    ULONG AddRef() override { return outer_->AddRef(); }
    ULONG Release() override { return outer_->Release(); }

    HRESULT GetTypeInfoCount(UINT* count) override;
    HRESULT GetTypeInfo(UINT index, LCID lcid, ITypeInfo** result) override;
    HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
    HRESULT Invoke(DISPID member, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                   EXCEPINFO* excepInfo, UINT* argErr) override;

    HRESULT Add(BSTR Key, VARIANT* Value) override;
    HRESULT Clear() override;
    HRESULT MarshallDictionary(VARIANT* vtByteArray) override;
    HRESULT UnmarshallDictionary(VARIANT* vtByteArray) override;
    HRESULT Name(VARIANT* Index, BSTR* result) override;
    HRESULT get_Count(LONG* result) override;
    HRESULT Rename(VARIANT* Index, BSTR NewName) override;
    HRESULT Remove(VARIANT* Index) override;
    HRESULT UnmarshallDictionaryFromStream(BSTR bstrFileName) override;
    HRESULT MarshallDictionaryToStream(BSTR bstrFileName) override;
    HRESULT putref_Item(VARIANT* Index, VARIANT* newValue) override;
    HRESULT get_Item(VARIANT* Index, VARIANT* result) override;
    HRESULT put_Item(VARIANT* Index, VARIANT* newValue) override;
    HRESULT get__TavrelDefaultDispatch(VARIANT* result) override;
    HRESULT put__TavrelDefaultDispatch(VARIANT* newValue) override;
    HRESULT putref__TavrelDefaultDispatch(VARIANT* newValue) override;
    HRESULT get__NewEnum(IUnknown** result) override;
    HRESULT LoadFromStream(IStream* stream) override;
    HRESULT SaveToStream(IStream* stream) override;
    HRESULT ReserveStreamSpace(IStream* stream) override;
    HRESULT WriteArrayValue(IStream* stream, VARIANT* value) override;
    HRESULT ReadArrayValue(IStream* stream, VARIANT* value) override;

    HRESULT GetClassID(CLSID* pClassID) override;
    HRESULT IsDirty() override { return S_OK; }
    HRESULT Load(IStream* pStm) override { return LoadFromStream(pStm); }
    HRESULT Save(IStream* pStm, BOOL) override { return SaveToStream(pStm); }
    HRESULT GetSizeMax(ULARGE_INTEGER*) override { return E_NOTIMPL; }

    // Steps taken by walks along the items, for measuring the position cache.
    uint64_t walkSteps() const { return items_.walkSteps(); }

private:
    // The object's own IUnknown, which an aggregating object holds.
    class InnerUnknown final : public IUnknown {
    public:
        explicit InnerUnknown(Dictionary& owner) : owner_(owner) {}
        HRESULT QueryInterface(REFIID riid, void** ppv) override;
        ULONG AddRef() override { return owner_.references_.add(); }
        ULONG Release() override { return owner_.references_.release(&owner_); }

    private:
        Dictionary& owner_;
    };

    friend class automation::ReferenceCount;
    explicit Dictionary(IUnknown* outer) : inner_(*this), outer_(outer ? outer : &inner_) {}
    ~Dictionary() = default;

    // Put and put-reference of the item an index names, appending for an absent string key.
    HRESULT putValue(VARIANT* index, VARIANT* newValue, bool moveReference);
    // Replaces the items with those the bytes hold; a copy that cannot be made leaves them.
    HRESULT loadFrom(const std::vector<std::byte>& bytes);
    Variant rememberedName() const;

    InnerUnknown inner_;
    IUnknown* outer_;
    automation::ReferenceCount references_;
    std::u16string rememberedName_;  // the member name resolved last to DISPID 9999
    ItemList items_;
    com::LiveObject live_;
};

}  // namespace mossel
