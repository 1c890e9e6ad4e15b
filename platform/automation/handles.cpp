#include "platform/automation/handles.h"

#include <new>

#include "platform/automation/error.h"

Variant Variant::fromString(std::u16string_view s) {
    Variant r;
    r.bstrVal = SysAllocString(s);
    if (!r.bstrVal) throw std::bad_alloc();
    r.vt = VT_BSTR;
    return r;
}

Variant Variant::fromDispatch(IDispatch* p) {
    Variant r;
    r.vt = VT_DISPATCH;
    r.pdispVal = p;
    if (p) p->AddRef();
    return r;
}

Variant Variant::fromUnknown(IUnknown* p) {
    Variant r;
    r.vt = VT_UNKNOWN;
    r.punkVal = p;
    if (p) p->AddRef();
    return r;
}

void Variant::check(HRESULT hr) {
    if (FAILED(hr)) throw ComError::fromHresult(hr);
}
