#include "components/strings/argument_conversion.h"

#include <new>

#include "components/strings/string_errors.h"
#include "platform/automation/arrays.h"
#include "platform/automation/error_numbers.h"
#include "platform/automation/safearray.h"
#include "platform/automation/variant.h"
#include "platform/text/codepage.h"

namespace strings {
namespace {

[[noreturn]] void RaiseResult(HRESULT hr) {
    if (hr == E_OUTOFMEMORY) throw std::bad_alloc();
    Raise(ComError::numberFromHresult(hr));
}

void Check(HRESULT hr) {
    if (FAILED(hr)) RaiseResult(hr);
}

// A failed conversion as the runtime raises it. An object without a default value cannot be
// converted either; an error its default member raised is raised as it came.
[[noreturn]] void RaiseConversionFailure(HRESULT hr) {
    switch (hr) {
    case DISP_E_OVERFLOW: Raise(errnum::kOverflow);
    case E_OUTOFMEMORY: throw std::bad_alloc();
    case DISP_E_TYPEMISMATCH: case DISP_E_BADVARTYPE: case DISP_E_MEMBERNOTFOUND: case DISP_E_UNKNOWNNAME:
    case DISP_E_BADPARAMCOUNT: case DISP_E_PARAMNOTOPTIONAL: case E_NOINTERFACE: case E_NOTIMPL:
        Raise(errnum::kTypeMismatch);
    default: throw ComError::fromHresult(hr);
    }
}

Variant Converted(const Variant& value, VARTYPE type) {
    Variant result;
    const HRESULT hr = VariantChangeType(result.ptr(), value.ptr(), VARIANT_ALPHABOOL, type);
    if (FAILED(hr)) RaiseConversionFailure(hr);
    return result;
}

std::u16string TextOfValue(const Variant& value) { return std::u16string(BstrView(Converted(value, VT_BSTR).bstrVal)); }

Variant NonNullValueOf(const VARIANT& argument) {
    Variant value = ValueOf(argument);
    if (value.isNull()) Raise(errnum::kInvalidUseOfNull);
    return value;
}

bool IsNumberKind(VARTYPE type) {
    switch (type) {
    case VT_I1: case VT_I2: case VT_I4: case VT_I8: case VT_INT:
    case VT_UI1: case VT_UI2: case VT_UI4: case VT_UI8: case VT_UINT:
    case VT_R4: case VT_R8: case VT_CY: case VT_DECIMAL:
        return true;
    default:
        return false;
    }
}

constexpr size_t kMaxStringBytes = 0x7FFFFFFF;

}  // namespace

Variant ValueOf(const VARIANT& argument) {
    Variant value;
    Check(VariantCopyInd(value.ptr(), &argument));
    return value;
}

std::u16string TextArgument(const VARIANT& argument) { return TextOfValue(NonNullValueOf(argument)); }

LONG LongArgument(const VARIANT& argument) { return Converted(NonNullValueOf(argument), VT_I4).lVal; }

char16_t PadCharacterArgument(const VARIANT& argument) {
    const Variant value = NonNullValueOf(argument);
    if (IsNumberKind(value.vt)) {
        const LONG code = Converted(value, VT_I4).lVal;
        if (code < 0) Raise(errnum::kInvalidProcedureCall);
        const char byte = static_cast<char>(code % 256);
        const std::u16string text = text::AnsiToText(std::string_view(&byte, 1));
        return text.empty() ? u'?' : text.front();
    }
    const std::u16string text = TextOfValue(value);
    if (text.empty()) Raise(errnum::kInvalidProcedureCall);
    return text.front();
}

std::vector<std::u16string> TextArrayArgument(const VARIANT& argument) {
    const Variant value = ValueOf(argument);
    if (!(value.vt & VT_ARRAY)) Raise(errnum::kTypeMismatch);
    SAFEARRAY* array = value.parray;
    std::vector<std::u16string> texts;
    if (!array) return texts;
    if (SafeArrayGetDim(array) != 1) Raise(errnum::kInvalidProcedureCall);
    LONG lower = 0, upper = -1;
    Check(SafeArrayGetLBound(array, 1, &lower));
    Check(SafeArrayGetUBound(array, 1, &upper));
    const VARTYPE type = value.vt & ~VT_ARRAY;
    for (long long i = lower; i <= upper; ++i) {
        const LONG index = static_cast<LONG>(i);
        texts.push_back(TextArgument(automation::ArrayElement(array, &index, type)));
    }
    return texts;
}

std::string ByteArrayArgument(SAFEARRAY* array) {
    if (!array) return {};
    if (SafeArrayGetDim(array) != 1 || SafeArrayGetElemsize(array) != 1) Raise(errnum::kTypeMismatch);
    return automation::ArrayBytes(array);
}

Variant VariantArrayResult(const std::vector<std::u16string>& texts) {
    std::vector<Variant> values;
    values.reserve(texts.size());
    for (const std::u16string& text : texts) values.push_back(Variant::fromString(text));
    return automation::VariantArray(std::move(values));
}

Variant StringOfBytes(const std::string& bytes) {
    if (bytes.size() > kMaxStringBytes) Raise(errnum::kOutOfStringSpace);
    BSTR b = SysAllocStringByteLen(bytes.data(), static_cast<UINT>(bytes.size()));
    if (!b) throw std::bad_alloc();
    Variant result;
    result.vt = VT_BSTR;
    result.bstrVal = b;
    return result;
}

}  // namespace strings
