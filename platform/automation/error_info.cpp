// The error information object and the slot that holds one per thread.
#include <new>
#include <string>

#include "platform/automation/error.h"
#include "platform/automation/handles.h"
#include "platform/automation/object_base.h"

namespace {

// One object serves both sides: ICreateErrorInfo to fill it, IErrorInfo to read it.
class ErrorInfo final : public IErrorInfo, public ICreateErrorInfo {
public:
    HRESULT QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IErrorInfo) {
            *ppv = static_cast<IErrorInfo*>(this);
        } else if (riid == IID_ICreateErrorInfo) {
            *ppv = static_cast<ICreateErrorInfo*>(this);
        } else {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return references_.add(); }
    ULONG Release() override { return references_.release(this); }

    HRESULT GetGUID(GUID* guid) override {
        if (!guid) return E_INVALIDARG;
        *guid = guid_;
        return S_OK;
    }
    HRESULT GetSource(BSTR* out) override { return handOut(source_, out); }
    HRESULT GetDescription(BSTR* out) override { return handOut(description_, out); }
    HRESULT GetHelpFile(BSTR* out) override { return handOut(helpFile_, out); }
    HRESULT GetHelpContext(DWORD* out) override {
        if (!out) return E_INVALIDARG;
        *out = helpContext_;
        return S_OK;
    }

    HRESULT SetGUID(REFGUID guid) override {
        guid_ = guid;
        return S_OK;
    }
    HRESULT SetSource(LPOLESTR text) override { return store(source_, text); }
    HRESULT SetDescription(LPOLESTR text) override { return store(description_, text); }
    HRESULT SetHelpFile(LPOLESTR text) override { return store(helpFile_, text); }
    HRESULT SetHelpContext(DWORD context) override {
        helpContext_ = context;
        return S_OK;
    }

private:
    static HRESULT handOut(const std::u16string& text, BSTR* out) {
        if (!out) return E_INVALIDARG;
        *out = SysAllocString(std::u16string_view(text));
        return *out ? S_OK : E_OUTOFMEMORY;
    }
    static HRESULT store(std::u16string& field, LPOLESTR text) {
        try {
            field = text ? std::u16string(text) : std::u16string();
            return S_OK;
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        }
    }

    automation::ReferenceCount references_;
    GUID guid_ = GUID_NULL;
    std::u16string source_, description_, helpFile_;
    DWORD helpContext_ = 0;
};

thread_local ComPtr<IErrorInfo> threadErrorInfo;

}  // namespace

HRESULT CreateErrorInfo(ICreateErrorInfo** pperrinfo) {
    if (!pperrinfo) return E_INVALIDARG;
    auto* info = new (std::nothrow) ErrorInfo;
    if (!info) {
        *pperrinfo = nullptr;
        return E_OUTOFMEMORY;
    }
    info->AddRef();
    *pperrinfo = info;
    return S_OK;
}

HRESULT SetErrorInfo(ULONG dwReserved, IErrorInfo* perrinfo) {
    if (dwReserved != 0) return E_INVALIDARG;
    threadErrorInfo = ComPtr<IErrorInfo>(perrinfo);
    return S_OK;
}

HRESULT GetErrorInfo(ULONG dwReserved, IErrorInfo** pperrinfo) {
    if (dwReserved != 0 || !pperrinfo) return E_INVALIDARG;
    *pperrinfo = threadErrorInfo.detach();
    return *pperrinfo ? S_OK : S_FALSE;
}
