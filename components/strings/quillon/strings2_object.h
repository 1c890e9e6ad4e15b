// The class "Tavrel.Strings2": the string methods behind the dual interface _Strings2. Calls
// through the interface's slots go through the member table as IDispatch calls do, so both
// convert their arguments and raise their errors alike.
#pragma once

#include <algorithm>
#include <array>

#include "components/strings/string_methods.h"
#include "components/strings/strings2_interface.h"
#include "platform/automation/dispatch.h"
#include "platform/com/module.h"

namespace quillon {

class Strings2 final : public automation::DispatchObject<Strings2, _Strings2> {
public:
    static const automation::DispatchTable& dispatchTable();

    HRESULT TrimZ(VARIANT str, VARIANT* result) override;
    HRESULT StringEncode(VARIANT* anArray, BSTR* result) override;
    HRESULT StringDecode(VARIANT* aString, VARIANT* result) override;
    HRESULT Encode(VARIANT* str, VARIANT* delimiter, VARIANT* result) override;
    HRESULT Decode(VARIANT* str, VARIANT* delimiter, VARIANT* result) override;
    HRESULT EncodeCSV(VARIANT* str, VARIANT* result) override;
    HRESULT DecodeCSV(VARIANT* str, VARIANT* result) override;
    HRESULT EncodeSQL(VARIANT* str, VARIANT* result) override;
    HRESULT DecodeSQL(VARIANT* str, VARIANT* result) override;
    HRESULT EncodeHex(BSTR* s, BSTR* result) override;
    HRESULT DecodeHex(BSTR* s, BSTR* result) override;
    HRESULT RPad(VARIANT* str, VARIANT* ch, VARIANT* length, VARIANT* result) override;
    HRESULT ParseParameters(BSTR cmd, VARIANT* result) override;
    HRESULT ByteArray2Str(SAFEARRAY** b, VARIANT_BOOL* UniCode, BSTR* result) override;
    HRESULT StrConvEx(VARIANT* str, VARIANT* conversion, VARIANT* lcid, VARIANT* result) override;
    HRESULT SplitLine(BSTR* line, BSTR* delimiter, BSTR* text_qualifier, VARIANT* result) override;
    HRESULT Char2OemBuff(BSTR* source, BSTR* result) override;
    HRESULT Oem2CharBuff(BSTR* source, BSTR* result) override;

private:
    friend class automation::DispatchObject<Strings2, _Strings2>;
    friend HRESULT com::CreateInstanceOf<Strings2>(IUnknown*, REFIID, void**);
    Strings2() = default;

    // The member called with its arguments in declaration order.
    template <class... Arguments>
    HRESULT callMember(DISPID member, VARIANT* result, Arguments... arguments) {
        if (!result) return E_POINTER;
        std::array<VARIANTARG, sizeof...(Arguments)> passed{arguments...};
        std::reverse(passed.begin(), passed.end());  // the last argument comes first
        DISPPARAMS params{passed.data(), nullptr, static_cast<UINT>(passed.size()), 0};
        VariantInit(result);
        return automation::InvokeMember(dispatchTable(), this, member, GUID_NULL, DISPATCH_METHOD, &params, result,
                                        nullptr, nullptr);
    }
    template <class... Arguments>
    HRESULT callMember(DISPID member, BSTR* result, Arguments... arguments);
    // The member called with every argument by reference; E_POINTER for a missing one.
    template <class Result, class... Pointers>
    HRESULT callByReference(DISPID member, Result* result, Pointers*... pointers);

    com::LiveObject live_;
    strings::StringMethods methods_{u"Tavrel.Strings2"};
};

}  // namespace quillon
