// Late-bound calls to any object by member name, through IDispatch. Failures raise ComError
// with the callee's number, source and description.
#pragma once

#include <span>
#include <string_view>

#include "platform/automation/handles.h"

namespace automation {

// Owning Variants seen as the arguments of a call; Variant adds nothing to VARIANT's layout.
inline std::span<VARIANT> Args(std::span<Variant> values) {
    static_assert(sizeof(Variant) == sizeof(VARIANT));
    return {static_cast<VARIANT*>(values.data()), values.size()};
}

// The DISPID of a member name (GetIDsOfNames); raises DISP_E_UNKNOWNNAME and the like.
DISPID GetDispId(IDispatch* object, std::u16string_view name);

// Calls with the arguments in declaration order (the first argument first). An argument that is
// VT_BYREF is passed by reference, so the callee's writes reach it. flags are DISPATCH_METHOD,
// DISPATCH_PROPERTYGET (they may be combined), DISPATCH_PROPERTYPUT or DISPATCH_PROPERTYPUTREF;
// for a put, the last argument is the new value and goes as the named argument
// DISPID_PROPERTYPUT.
Variant Invoke(IDispatch* object, DISPID member, WORD flags, std::span<VARIANT> args = {});

// By name: a method call or property read, a property write, an object-reference write.
Variant Call(IDispatch* object, std::u16string_view name, std::span<VARIANT> args = {});
Variant Get(IDispatch* object, std::u16string_view name, std::span<VARIANT> args = {});
void Put(IDispatch* object, std::u16string_view name, const VARIANT& value, std::span<VARIANT> args = {});
void PutRef(IDispatch* object, std::u16string_view name, const VARIANT& value, std::span<VARIANT> args = {});

// The object's IEnumVARIANT, from its _NewEnum member (DISPID_NEWENUM).
ComPtr<IEnumVARIANT> Enumerate(IDispatch* object);

}  // namespace automation
