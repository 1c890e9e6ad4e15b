// Late-bound calls by name: GetIDsOfNames, then Invoke with the arguments reversed into DISPPARAMS.
#include "platform/automation/client.h"

#include <cstring>
#include <string>
#include <vector>

#include "platform/automation/error.h"
#include "platform/automation/error_numbers.h"

namespace automation {
namespace {

constexpr WORD readFlags = DISPATCH_METHOD | DISPATCH_PROPERTYGET;

void requireObject(IDispatch* object) {
    if (!object) throw ComError(errnum::kObjectNotSet, u"", u"");
}

// Error information left from an earlier failure must not be taken for this call's.
void forgetEarlierErrorInfo() { SetErrorInfo(0, nullptr); }

std::vector<VARIANT> withValue(std::span<VARIANT> args, const VARIANT& value) {
    std::vector<VARIANT> all(args.begin(), args.end());
    all.push_back(value);
    return all;
}

}  // namespace

DISPID GetDispId(IDispatch* object, std::u16string_view name) {
    requireObject(object);
    std::u16string terminated(name);
    LPOLESTR names[] = {terminated.data()};
    DISPID id = DISPID_UNKNOWN;
    forgetEarlierErrorInfo();
    HRESULT hr = object->GetIDsOfNames(GUID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr)) throw ComError::fromHresult(hr);
    return id;
}

Variant Invoke(IDispatch* object, DISPID member, WORD flags, std::span<VARIANT> args) {
    requireObject(object);
    // rgvarg holds the last argument first; for a put that is the value, named DISPID_PROPERTYPUT.
    std::vector<VARIANTARG> reversed(args.rbegin(), args.rend());
    DISPID putId = DISPID_PROPERTYPUT;
    bool isPut = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    DISPPARAMS params{reversed.data(), nullptr, UINT(reversed.size()), 0};
    if (isPut && !reversed.empty()) {
        params.rgdispidNamedArgs = &putId;
        params.cNamedArgs = 1;
    }
    Variant result;
    EXCEPINFO info;
    std::memset(&info, 0, sizeof info);
    UINT argErr = 0;
    forgetEarlierErrorInfo();
    HRESULT hr = object->Invoke(member, GUID_NULL, LOCALE_USER_DEFAULT, flags, &params, isPut ? nullptr : &result,
                                &info, &argErr);
    if (hr == DISP_E_EXCEPTION) throw ComError::fromExcepInfo(info);
    if (FAILED(hr)) throw ComError::fromHresult(hr);
    return result;
}

Variant Call(IDispatch* object, std::u16string_view name, std::span<VARIANT> args) {
    return Invoke(object, GetDispId(object, name), readFlags, args);
}

Variant Get(IDispatch* object, std::u16string_view name, std::span<VARIANT> args) {
    return Invoke(object, GetDispId(object, name), readFlags, args);
}

void Put(IDispatch* object, std::u16string_view name, const VARIANT& value, std::span<VARIANT> args) {
    std::vector<VARIANT> all = withValue(args, value);
    Invoke(object, GetDispId(object, name), DISPATCH_PROPERTYPUT, all);
}

void PutRef(IDispatch* object, std::u16string_view name, const VARIANT& value, std::span<VARIANT> args) {
    std::vector<VARIANT> all = withValue(args, value);
    Invoke(object, GetDispId(object, name), DISPATCH_PROPERTYPUTREF, all);
}

ComPtr<IEnumVARIANT> Enumerate(IDispatch* object) {
    Variant enumerator = Invoke(object, DISPID_NEWENUM, readFlags);
    ComPtr<IEnumVARIANT> result;
    bool isObject = (enumerator.vt == VT_UNKNOWN || enumerator.vt == VT_DISPATCH) && enumerator.punkVal;
    if (!isObject || FAILED(enumerator.punkVal->QueryInterface(IID_IEnumVARIANT, result.putVoid())))
        throw ComError(errnum::kNotSupported, u"", u"");
    return result;
}

}  // namespace automation
