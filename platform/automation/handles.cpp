#include "platform/automation/handles.h"

#include "platform/automation/error.h"

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
