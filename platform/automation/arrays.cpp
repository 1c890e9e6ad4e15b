#include "platform/automation/arrays.h"

#include <cstring>
#include <limits>
#include <new>

#include "platform/automation/error.h"
#include "platform/automation/error_numbers.h"
#include "platform/automation/safearray.h"
#include "platform/automation/variant.h"

namespace automation {
namespace {

// A failed array call as the runtime raises it, without a source.
void Check(HRESULT hr) {
    if (hr == E_OUTOFMEMORY) throw std::bad_alloc();
    if (FAILED(hr)) throw ComError(ComError::numberFromHresult(hr), {}, {});
}

}  // namespace

ArrayData::ArrayData(SAFEARRAY* array) : array_(array) { Check(SafeArrayAccessData(array_, &data_)); }

ArrayData::~ArrayData() { SafeArrayUnaccessData(array_); }

Variant ArrayElement(SAFEARRAY* array, const LONG* index, VARTYPE elementType) {
    Variant element;
    if (elementType == VT_VARIANT) {
        Check(SafeArrayGetElement(array, index, element.ptr()));
    } else if (elementType == VT_DECIMAL) {
        Check(SafeArrayGetElement(array, index, &element.decVal));
        element.vt = VT_DECIMAL;  // after the copy: the DECIMAL overlays the type
    } else {
        const UINT size = VariantElementSize(elementType);
        if (size == 0 || size > sizeof(element.llVal)) throw ComError(errnum::kTypeMismatch, {}, {});
        Check(SafeArrayGetElement(array, index, &element.llVal));
        element.vt = elementType;
    }
    return element;
}

Variant NewVector(VARTYPE elementType, size_t count) {
    if (count > std::numeric_limits<ULONG>::max()) throw std::bad_alloc();
    SAFEARRAY* array = SafeArrayCreateVector(elementType, 0, static_cast<ULONG>(count));
    if (!array) throw std::bad_alloc();
    return Variant::fromArray(elementType, array);
}

Variant ByteArray(std::string_view bytes) {
    Variant result = NewVector(VT_UI1, bytes.size());
    if (!bytes.empty()) std::memcpy(ArrayData(result.parray).as<char>(), bytes.data(), bytes.size());
    return result;
}

Variant StringArray(const std::vector<std::u16string>& texts) {
    Variant result = NewVector(VT_BSTR, texts.size());
    const ArrayData data(result.parray);
    for (size_t i = 0; i < texts.size(); ++i) {
        BSTR text = SysAllocString(texts[i]);
        if (!text) throw std::bad_alloc();
        data.as<BSTR>()[i] = text;
    }
    return result;
}

Variant VariantArray(std::vector<Variant> values) {
    Variant result = NewVector(VT_VARIANT, values.size());
    const ArrayData data(result.parray);
    for (size_t i = 0; i < values.size(); ++i) data.as<VARIANT>()[i] = values[i].detach();
    return result;
}

std::string ArrayBytes(SAFEARRAY* array) {
    const size_t count = SafeArrayElementCount(array);
    if (count == 0) return {};
    const ArrayData data(array);
    return std::string(data.as<const char>(), count);
}

}  // namespace automation
