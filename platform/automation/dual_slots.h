// The slots of a dual interface served through the class's member table: each slot passes its
// arguments as an IDispatch caller would and takes the result from the Variant, so that slot
// calls and late-bound calls convert arguments and raise errors alike.
//
//   HRESULT Foo::Bar(BSTR* text, LONG* result) {
//       return slots::Call(dispatchTable(), this, kBar, result, {slots::ByRef(text)});
//   }
#pragma once

#include <algorithm>
#include <initializer_list>
#include <utility>
#include <vector>

#include "platform/automation/dispatch.h"

namespace automation::slots {

// Arguments as a caller passes them; none of them owns what it points to.
inline VARIANTARG ByValue(const VARIANT& value) { return value; }
inline VARIANTARG ByValue(LONG value) { return Variant::fromLong(value).detach(); }
inline VARIANTARG ByValue(VARIANT_BOOL value) {
    VARIANTARG arg;
    VariantInit(&arg);
    arg.vt = VT_BOOL;
    arg.boolVal = value;
    return arg;
}
inline VARIANTARG ByValue(BSTR value) {  // borrowed: the caller keeps the string
    VARIANTARG arg;
    VariantInit(&arg);
    arg.vt = VT_BSTR;
    arg.bstrVal = value;
    return arg;
}
inline VARIANTARG Reference(VARTYPE type, void* target) { return Variant::byReference(type, target).detach(); }
inline VARIANTARG ByRef(VARIANT* value) { return Reference(VT_VARIANT, value); }
inline VARIANTARG ByRef(BSTR* value) { return Reference(VT_BSTR, value); }
inline VARIANTARG ByRef(LONG* value) { return Reference(VT_I4, value); }
inline VARIANTARG ByRef(VARIANT_BOOL* value) { return Reference(VT_BOOL, value); }
// A left-out optional argument for a null pointer.
template <class T>
VARIANTARG OptionalByRef(T* value) {
    return value ? ByRef(value) : Variant::missing().detach();
}

// The member called with the arguments in declaration order; the result stays in *result.
inline HRESULT Call(const DispatchTable& table, void* object, DISPID member, VARIANT* result,
                    std::initializer_list<VARIANTARG> arguments) {
    std::vector<VARIANTARG> passed(arguments.begin(), arguments.end());
    std::reverse(passed.begin(), passed.end());  // the last argument comes first
    DISPPARAMS params{passed.data(), nullptr, static_cast<UINT>(passed.size()), 0};
    if (result) VariantInit(result);
    return InvokeMember(table, object, member, GUID_NULL, DISPATCH_METHOD, &params, result, nullptr, nullptr);
}

// The same with the result converted to the slot's type.
template <class Result>
HRESULT Call(const DispatchTable& table, void* object, DISPID member, Result* result,
             std::initializer_list<VARIANTARG> arguments);

namespace detail {
template <class Result>
constexpr VARTYPE kResultType = VT_EMPTY;
template <>
inline constexpr VARTYPE kResultType<BSTR> = VT_BSTR;
template <>
inline constexpr VARTYPE kResultType<LONG> = VT_I4;
template <>
inline constexpr VARTYPE kResultType<VARIANT_BOOL> = VT_BOOL;
template <>
inline constexpr VARTYPE kResultType<IDispatch*> = VT_DISPATCH;

template <class Result>
Result Take(Variant& value) {
    if constexpr (std::is_same_v<Result, BSTR>) return std::exchange(value.bstrVal, nullptr);
    else if constexpr (std::is_same_v<Result, LONG>) return value.lVal;
    else if constexpr (std::is_same_v<Result, VARIANT_BOOL>) return value.boolVal;
    else return std::exchange(value.pdispVal, nullptr);
}
}  // namespace detail

template <class Result>
HRESULT Call(const DispatchTable& table, void* object, DISPID member, Result* result,
             std::initializer_list<VARIANTARG> arguments) {
    if (!result) return E_POINTER;
    *result = Result{};
    Variant value;
    HRESULT hr = Call(table, object, member, value.ptr(), arguments);
    if (FAILED(hr)) return hr;
    Variant converted;
    hr = VariantChangeType(converted.ptr(), value.ptr(), 0, detail::kResultType<Result>);
    if (FAILED(hr)) return hr;
    *result = detail::Take<Result>(converted);
    converted.vt = VT_EMPTY;  // what was taken is the caller's now
    return S_OK;
}

}  // namespace automation::slots
