// Late-bound dispatch from a member table. A class lists each member once (name, DISPID, kind,
// parameters, handler); GetIDsOfNames, Invoke and the type information come from that table.
//
//   class Counter : public automation::DispatchObject<Counter> {
//   public:
//       static const automation::DispatchTable& dispatchTable() {
//           using B = automation::DispatchTable::Builder<Counter>;
//           static const automation::DispatchTable table =
//               B(u"ICounter", IID_ICounter)
//                   .method(u"Add", 1, {Param(u"by", VT_I4).optional(Variant::fromLong(1))}, &Counter::add)
//                   .get(u"Value", 0, {}, [](Counter& c, Arguments&) { return Variant::fromLong(c.value_); })
//                   .build();
//           return table;
//       }
//       ...
//   };
//
// A dual interface (`struct _Strings2 : IDispatch { virtual HRESULT TrimZ(...) = 0; ... }`) is
// the second template argument; the class then implements its own slots, and the table's
// handlers call the same code. Handlers raise ComError; Invoke turns it into DISP_E_EXCEPTION
// with EXCEPINFO, or into the error's HRESULT with error information when there is no EXCEPINFO.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/automation/error.h"
#include "platform/automation/handles.h"
#include "platform/automation/object_base.h"

namespace automation {

enum class MemberKind { Method, PropertyGet, PropertyPut, PropertyPutRef };

// A declared parameter. VT_VARIANT takes any value as it comes (a reference is read through);
// any other type is what the argument is converted to before the handler sees it.
class Param {
public:
    Param(std::u16string name, VARTYPE type = VT_VARIANT) : name_(std::move(name)), type_(type) {}

    // A missing argument (absent, or VT_ERROR with DISP_E_PARAMNOTFOUND) takes the default; without
    // one it stays missing.
    Param optional(Variant defaultValue = Variant::missing()) const;
    // What the handler stores through Arguments::byRef goes back to a caller that passed VT_BYREF.
    Param byRef() const;

    const std::u16string& name() const { return name_; }
    VARTYPE type() const { return type_; }
    bool isOptional() const { return optional_; }
    bool isByRef() const { return byRef_; }
    const Variant& defaultValue() const { return default_; }

private:
    std::u16string name_;
    VARTYPE type_;
    bool optional_ = false;
    bool byRef_ = false;
    Variant default_ = Variant::missing();
};

// With designated initializers, name all three fields: -Wextra warns about the ones left out.
struct MemberAttributes {
    bool hidden = false;
    bool restricted = false;
    std::u16string helpString;
};

// For a property put or put-reference, the last parameter is the new value.
struct MemberDescription {
    std::u16string name;
    DISPID id = DISPID_UNKNOWN;
    MemberKind kind = MemberKind::Method;
    std::vector<Param> params;
    MemberAttributes attributes;
};

struct InterfaceDescription {
    std::u16string name;  // the type information's own name, which TypeName reports
    IID iid = GUID_NULL;
    std::u16string helpString;
    std::u16string helpFile;
    std::vector<MemberDescription> members;
};

// The arguments of one call, in declaration order, converted to the declared types.
class Arguments {
public:
    size_t size() const { return values_.size(); }
    const Variant& operator[](size_t i) const { return values_.at(i); }
    bool isMissing(size_t i) const { return values_.at(i).isMissing(); }
    // The value for writing: for a by-reference parameter, what it holds when the handler returns
    // is stored back into the caller's VT_BYREF argument.
    Variant& byRef(size_t i);
    // The argument exactly as the caller passed it, or null when it was not passed.
    VARIANTARG* passed(size_t i) const { return passed_.at(i); }

private:
    friend class ArgumentBinder;
    std::vector<Variant> values_;
    std::vector<VARIANTARG*> passed_;
    std::vector<UINT> positions_;  // index of each passed argument in rgvarg
    std::vector<bool> written_;
};

// Raised by a handler whose member reports a failure as a bare result code, without error
// information: Invoke returns the code as it is.
struct FailedResult {
    HRESULT hr;
};

// object is the instance the table belongs to, as the Builder's T.
using Handler = std::function<Variant(void* object, Arguments& args)>;

class DispatchTable {
public:
    template <class T>
    class Builder;

    const InterfaceDescription& description() const { return description_; }
    const Handler& handler(size_t memberIndex) const { return handlers_.at(memberIndex); }

private:
    DispatchTable(InterfaceDescription description, std::vector<Handler> handlers);
    // Raises std::logic_error for a table that cannot work: a put without a value parameter, a
    // DISPID and kind given twice, one name with two DISPIDs, a required parameter after an optional one.
    void validate() const;

    InterfaceDescription description_;
    std::vector<Handler> handlers_;
};

// A handler is anything callable as Variant(T&, Arguments&) or void(T&, Arguments&), member
// function pointers included.
template <class T>
class DispatchTable::Builder {
public:
    Builder(std::u16string interfaceName, const IID& iid) {
        description_.name = std::move(interfaceName);
        description_.iid = iid;
    }
    Builder& help(std::u16string helpString, std::u16string helpFile = {}) {
        description_.helpString = std::move(helpString);
        description_.helpFile = std::move(helpFile);
        return *this;
    }
    template <class F>
    Builder& method(std::u16string name, DISPID id, std::vector<Param> params, F handler,
                    MemberAttributes attributes = {}) {
        return add({std::move(name), id, MemberKind::Method, std::move(params), std::move(attributes)},
                   std::move(handler));
    }
    template <class F>
    Builder& get(std::u16string name, DISPID id, std::vector<Param> params, F handler,
                 MemberAttributes attributes = {}) {
        return add({std::move(name), id, MemberKind::PropertyGet, std::move(params), std::move(attributes)},
                   std::move(handler));
    }
    template <class F>
    Builder& put(std::u16string name, DISPID id, std::vector<Param> params, F handler,
                 MemberAttributes attributes = {}) {
        return add({std::move(name), id, MemberKind::PropertyPut, std::move(params), std::move(attributes)},
                   std::move(handler));
    }
    template <class F>
    Builder& putRef(std::u16string name, DISPID id, std::vector<Param> params, F handler,
                    MemberAttributes attributes = {}) {
        return add({std::move(name), id, MemberKind::PropertyPutRef, std::move(params), std::move(attributes)},
                   std::move(handler));
    }
    DispatchTable build() {
        DispatchTable table(std::move(description_), std::move(handlers_));
        table.validate();
        return table;
    }

private:
    template <class F>
    Builder& add(MemberDescription member, F handler) {
        description_.members.push_back(std::move(member));
        handlers_.push_back(wrap(std::move(handler)));
        return *this;
    }
    template <class F>
    static Handler wrap(F f) {
        return [f = std::move(f)](void* object, Arguments& args) -> Variant {
            T& self = *static_cast<T*>(object);
            if constexpr (std::is_void_v<std::invoke_result_t<F&, T&, Arguments&>>) {
                std::invoke(f, self, args);
                return Variant();
            } else {
                return Variant(std::invoke(f, self, args));
            }
        };
    }

    InterfaceDescription description_;
    std::vector<Handler> handlers_;
};

// The shared implementation behind every table-driven object.
// GetIDsOfNames: the member name, then parameter names (their DISPIDs are their positions); names
// compare without regard to ASCII case. Unknown names get DISPID_UNKNOWN and DISP_E_UNKNOWNNAME.
HRESULT LookupIdsOfNames(const InterfaceDescription& description, LPOLESTR* names, UINT count, DISPID* ids);
// Invoke on object (the table's T). Never lets an exception out.
HRESULT InvokeMember(const DispatchTable& table, void* object, DISPID member, REFIID riid, WORD flags,
                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* excepInfo, UINT* argErr) noexcept;
// Type information describing the interface; it holds its own copy of the description, and its
// Invoke goes through the instance's IDispatch::Invoke.
HRESULT CreateTypeInfo(const InterfaceDescription& description, ITypeInfo** result) noexcept;

namespace detail {

struct NoErrorInfoSupport {};

template <class Derived>
struct ErrorInfoSupport : ISupportErrorInfo {
    HRESULT InterfaceSupportsErrorInfo(REFIID riid) override {
        return riid == Derived::dispatchTable().description().iid || riid == IID_IDispatch ? S_OK : S_FALSE;
    }
};

}  // namespace detail

// IUnknown and IDispatch for Derived, which provides
//   static const DispatchTable& dispatchTable();   // built with DispatchTable::Builder<Derived>
// and may hide these hooks with its own:
//   HRESULT queryOtherInterface(REFIID riid, void** ppv);   // interfaces beyond the table's
//   bool resolveUnknownName(std::u16string_view name, DISPID& id);  // a single name the table lacks
// Interface is IDispatch or a dual interface derived from it. A new object has no references;
// create() hands out the first.
template <class Derived, class Interface = IDispatch, bool SupportsErrorInfo = true>
class DispatchObject
    : public Interface,
      public std::conditional_t<SupportsErrorInfo, detail::ErrorInfoSupport<Derived>, detail::NoErrorInfoSupport> {
    static_assert(std::is_base_of_v<IDispatch, Interface>, "the interface must derive from IDispatch");

public:
    template <class... A>
    static ComPtr<Derived> create(A&&... args) {
        return ComPtr<Derived>(new Derived(std::forward<A>(args)...));
    }

    HRESULT QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == table().description().iid) {
            *ppv = static_cast<Interface*>(this);
        } else if constexpr (SupportsErrorInfo) {
            if (riid == IID_ISupportErrorInfo) *ppv = static_cast<ISupportErrorInfo*>(this);
        }
        if (!*ppv) return self().queryOtherInterface(riid, ppv);
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return references_.add(); }
    ULONG Release() override { return references_.release(this); }

    HRESULT GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 1;
        return S_OK;
    }
    HRESULT GetTypeInfo(UINT index, LCID, ITypeInfo** result) override {
        if (!result) return E_POINTER;
        *result = nullptr;
        if (index != 0) return DISP_E_BADINDEX;
        return CreateTypeInfo(table().description(), result);
    }
    HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        if (riid != GUID_NULL) return DISP_E_UNKNOWNINTERFACE;
        HRESULT hr = LookupIdsOfNames(table().description(), names, count, ids);
        if (hr == DISP_E_UNKNOWNNAME && count == 1 && names[0]) {
            try {
                if (self().resolveUnknownName(std::u16string_view(names[0]), ids[0])) return S_OK;
            } catch (...) {
                return E_UNEXPECTED;
            }
        }
        return hr;
    }
    HRESULT Invoke(DISPID member, REFIID riid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                   EXCEPINFO* excepInfo, UINT* argErr) override {
        return InvokeMember(table(), static_cast<Derived*>(this), member, riid, flags, params, result, excepInfo,
                            argErr);
    }

    // The object's IDispatch (also its identity), without a new reference.
    IDispatch* dispatch() { return static_cast<Interface*>(this); }
    IUnknown* unknown() { return static_cast<Interface*>(this); }

protected:
    DispatchObject() = default;
    DispatchObject(const DispatchObject&) = delete;
    DispatchObject& operator=(const DispatchObject&) = delete;
    virtual ~DispatchObject() = default;

    HRESULT queryOtherInterface(REFIID, void** ppv) {
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    bool resolveUnknownName(std::u16string_view, DISPID&) { return false; }

private:
    friend class ReferenceCount;  // deletes the object at its last Release

    static const DispatchTable& table() { return Derived::dispatchTable(); }
    Derived& self() { return *static_cast<Derived*>(this); }

    ReferenceCount references_;
};

}  // namespace automation
