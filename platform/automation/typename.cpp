#include "platform/automation/typename.h"

#include "platform/automation/handles.h"

namespace automation {

namespace {

const char16_t* scalarName(VARTYPE vt) {
    switch (vt) {
    case VT_EMPTY: return u"Empty";
    case VT_NULL: return u"Null";
    case VT_I2: return u"Integer";
    case VT_I4: case VT_INT: return u"Long";
    case VT_R4: return u"Single";
    case VT_R8: return u"Double";
    case VT_CY: return u"Currency";
    case VT_DATE: return u"Date";
    case VT_BSTR: return u"String";
    case VT_DISPATCH: return u"Object";
    case VT_ERROR: return u"Error";
    case VT_BOOL: return u"Boolean";
    case VT_VARIANT: return u"Variant";
    case VT_DECIMAL: return u"Decimal";
    case VT_I1: return u"SByte";
    case VT_UI1: return u"Byte";
    case VT_UI2: return u"UInteger";
    case VT_UI4: case VT_UINT: return u"ULong";
    case VT_I8: return u"LongLong";
    case VT_UI8: return u"ULongLong";
    default: return u"Unknown";
    }
}

// The name of the object's type information, or "Object" when it has none.
std::u16string objectTypeName(IDispatch* object) {
    if (!object) return u"Nothing";
    ComPtr<ITypeInfo> info;
    Bstr name;
    if (SUCCEEDED(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.put())) && info &&
        SUCCEEDED(info->GetDocumentation(MEMBERID_NIL, name.put(), nullptr, nullptr, nullptr)) && !name.isNull())
        return name.str();
    return u"Object";
}

}  // namespace

std::u16string TypeNameOfKind(VARTYPE vt) {
    if (vt & ~(VT_TYPEMASK | VT_ARRAY)) return u"Unknown";
    std::u16string name = scalarName(vt & VT_TYPEMASK);
    if (vt & VT_ARRAY) name += u"()";
    return name;
}

std::u16string TypeName(const VARIANT& v) {
    if (v.vt & VT_BYREF) {
        if (!v.byref) return u"Unknown";
        switch (v.vt & ~VT_BYREF) {
        case VT_VARIANT: return v.pvarVal->vt & VT_BYREF ? u"Unknown" : TypeName(*v.pvarVal);
        case VT_DISPATCH: return objectTypeName(*v.ppdispVal);
        case VT_UNKNOWN: return *v.ppunkVal ? u"Unknown" : u"Nothing";
        default: return TypeNameOfKind(v.vt & ~VT_BYREF);
        }
    }
    if (v.vt == VT_DISPATCH) return objectTypeName(v.pdispVal);
    if (v.vt == VT_UNKNOWN && !v.punkVal) return u"Nothing";
    return TypeNameOfKind(v.vt);
}

}  // namespace automation
