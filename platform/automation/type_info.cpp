// Type information for a table-driven interface: names, DISPIDs and documentation from its
// description; invocation through the instance's own IDispatch.
#include "platform/automation/dispatch.h"
#include "platform/automation/object_base.h"

namespace automation {
namespace {

class TypeInfo final : public automation::SingleInterfaceObject<TypeInfo, ITypeInfo, IID_ITypeInfo> {
public:
    explicit TypeInfo(InterfaceDescription description) : description_(std::move(description)) {}

    HRESULT GetIDsOfNames(LPOLESTR* names, UINT count, MEMBERID* ids) override {
        return LookupIdsOfNames(description_, names, count, ids);
    }

    // The instance is a pointer to the interface this type information describes, which derives from IDispatch.
    HRESULT Invoke(void* instance, MEMBERID member, WORD flags, DISPPARAMS* params, VARIANT* result,
                   EXCEPINFO* excepInfo, UINT* argErr) override {
        if (!instance) return E_INVALIDARG;
        return static_cast<IDispatch*>(instance)->Invoke(member, GUID_NULL, LOCALE_USER_DEFAULT, flags, params,
                                                         result, excepInfo, argErr);
    }

    HRESULT GetDocumentation(MEMBERID member, BSTR* name, BSTR* docString, DWORD* helpContext,
                             BSTR* helpFile) override {
        const std::u16string* memberName = &description_.name;
        const std::u16string* memberHelp = &description_.helpString;
        if (member != MEMBERID_NIL) {
            const MemberDescription* found = findMember(member);
            if (!found) return TYPE_E_ELEMENTNOTFOUND;
            memberName = &found->name;
            memberHelp = &found->attributes.helpString;
        }
        Bstr nameCopy(*memberName), docCopy(*memberHelp), fileCopy(description_.helpFile);
        if (nameCopy.isNull() || docCopy.isNull() || fileCopy.isNull()) return E_OUTOFMEMORY;
        if (name) *name = nameCopy.detach();
        if (docString) *docString = docCopy.detach();
        if (helpFile) *helpFile = fileCopy.detach();
        if (helpContext) *helpContext = 0;
        return S_OK;
    }

private:
    const MemberDescription* findMember(MEMBERID id) const {
        for (const auto& m : description_.members)
            if (m.id == id) return &m;
        return nullptr;
    }

    const InterfaceDescription description_;
};

}  // namespace

HRESULT CreateTypeInfo(const InterfaceDescription& description, ITypeInfo** result) noexcept {
    if (!result) return E_POINTER;
    *result = nullptr;
    return CatchAtBoundary([&] {
        *result = ComPtr<ITypeInfo>(new TypeInfo(description)).detach();
        return S_OK;
    });
}

}  // namespace automation
