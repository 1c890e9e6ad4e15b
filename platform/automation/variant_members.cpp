// The conversions of the Variant class: the runtime's conversion with the Boolean written as
// "True"/"False", failures raised as the errors the runtime reports (13 type mismatch, 6 overflow).
#include "platform/automation/error.h"
#include "platform/automation/handles.h"

namespace {

// A failure of the conversion itself carries the runtime's number and text; any other came from
// an object's default member, which may have left error information.
[[noreturn]] void raiseConversionError(HRESULT hr) {
    switch (hr) {
    case DISP_E_TYPEMISMATCH: case DISP_E_OVERFLOW: case DISP_E_BADVARTYPE: case E_INVALIDARG: case E_OUTOFMEMORY:
        throw ComError(ComError::numberFromHresult(hr), {}, {});
    default:
        throw ComError::fromHresult(hr);
    }
}

}  // namespace

Variant Variant::changedTo(VARTYPE type) const {
    Variant result;
    HRESULT hr = VariantChangeType(&result, this, VARIANT_ALPHABOOL, type);
    if (FAILED(hr)) raiseConversionError(hr);
    return result;
}

std::u16string Variant::toString() const { return std::u16string(BstrView(changedTo(VT_BSTR).bstrVal)); }

LONG Variant::toLong() const { return changedTo(VT_I4).lVal; }

double Variant::toDouble() const { return changedTo(VT_R8).dblVal; }

bool Variant::toBool() const { return changedTo(VT_BOOL).boolVal != VARIANT_FALSE; }
