#include "components/strings/quillon/strings2_object.h"

#include <utility>

#include "components/strings/argument_conversion.h"

namespace quillon {
namespace {

using automation::Arguments;
using automation::Param;
using namespace strings2;

// Arguments of a slot call, as an IDispatch caller passes them.
VARIANTARG ByValue(const VARIANT& value) { return value; }
VARIANTARG ByValue(BSTR text) {
    VARIANTARG argument;
    VariantInit(&argument);
    argument.vt = VT_BSTR;
    argument.bstrVal = text;
    return argument;
}

VARIANTARG Reference(VARTYPE type, void* target) { return Variant::byReference(type, target).detach(); }

VARIANTARG ByRef(VARIANT* value) { return Reference(VT_VARIANT, value); }
VARIANTARG ByRef(BSTR* value) { return Reference(VT_BSTR, value); }
VARIANTARG ByRef(SAFEARRAY** value) { return Reference(VT_ARRAY | VT_UI1, value); }

// A left-out optional argument, for a null pointer.
VARIANTARG OptionalByRef(VARIANT* value) { return value ? ByRef(value) : Variant::missing().detach(); }
VARIANTARG OptionalByRef(VARIANT_BOOL* value) {
    return value ? Reference(VT_BOOL, value) : Variant::missing().detach();
}

template <class... Pointers>
bool AnyNull(Pointers... pointers) {
    return ((pointers == nullptr) || ...);
}

std::u16string_view Text(const Variant& value) { return BstrView(value.bstrVal); }

Variant Result(std::u16string_view text) { return Variant::fromString(text); }

}  // namespace

const automation::DispatchTable& Strings2::dispatchTable() {
    using B = automation::DispatchTable::Builder<Strings2>;
    const Param text(u"str");
    static const automation::DispatchTable table =
        B(u"_Strings2", IID__Strings2)
            .method(u"TrimZ", kTrimZ, {text}, [](Strings2& self, Arguments& a) { return self.methods_.TrimZ(a[0]); })
            .method(u"StringEncode", kStringEncode, {Param(u"anArray").byRef()},
                    [](Strings2& self, Arguments& a) { return Result(self.methods_.StringEncode(a[0])); })
            .method(u"StringDecode", kStringDecode, {Param(u"aString").byRef()},
                    [](Strings2& self, Arguments& a) { return self.methods_.StringDecode(a[0]); })
            .method(u"Encode", kEncode, {text.byRef(), Param(u"delimiter").byRef()},
                    [](Strings2& self, Arguments& a) { return self.methods_.Encode(a[0], a[1]); })
            .method(u"Decode", kDecode, {text.byRef(), Param(u"delimiter").byRef()},
                    [](Strings2& self, Arguments& a) { return self.methods_.Decode(a[0], a[1]); })
            .method(u"EncodeCSV", kEncodeCSV, {text.byRef()},
                    [](Strings2& self, Arguments& a) { return self.methods_.EncodeCSV(a[0]); })
            .method(u"DecodeCSV", kDecodeCSV, {text.byRef()},
                    [](Strings2& self, Arguments& a) { return self.methods_.DecodeCSV(a[0]); })
            .method(u"EncodeSQL", kEncodeSQL, {text.byRef()},
                    [](Strings2& self, Arguments& a) { return self.methods_.EncodeSQL(a[0]); })
            .method(u"DecodeSQL", kDecodeSQL, {text.byRef()},
                    [](Strings2& self, Arguments& a) { return self.methods_.DecodeSQL(a[0]); })
            .method(u"EncodeHex", kEncodeHex, {Param(u"s", VT_BSTR).byRef()},
                    [](Strings2& self, Arguments& a) { return Result(self.methods_.EncodeHex(Text(a[0]))); })
            .method(u"DecodeHex", kDecodeHex, {Param(u"s", VT_BSTR).byRef()},
                    [](Strings2& self, Arguments& a) { return Result(self.methods_.DecodeHex(Text(a[0]))); })
            .method(u"RPad", kRPad, {text.byRef(), Param(u"ch").byRef(), Param(u"length").byRef()},
                    [](Strings2& self, Arguments& a) { return self.methods_.RPad(a[0], a[1], a[2]); })
            .method(u"ParseParameters", kParseParameters, {Param(u"cmd", VT_BSTR)},
                    [](Strings2& self, Arguments& a) { return self.methods_.ParseParameters(Text(a[0])); })
            .method(u"ByteArray2Str", kByteArray2Str,
                    {Param(u"b", VT_ARRAY | VT_UI1).byRef(),
                     Param(u"UniCode", VT_BOOL).byRef().optional(Variant::fromBool(false))},
                    [](Strings2& self, Arguments& a) {
                        return self.methods_.ByteArray2Str(a[0].parray, a[1].boolVal != VARIANT_FALSE);
                    })
            .method(u"StrConvEx", kStrConvEx,
                    {text.byRef(), Param(u"conversion").byRef(), Param(u"LCID").byRef().optional()},
                    [](Strings2& self, Arguments& a) { return self.methods_.StrConvEx(a[0], a[1], a[2]); })
            .method(u"SplitLine", kSplitLine,
                    {Param(u"line", VT_BSTR).byRef(), Param(u"delimiter", VT_BSTR).byRef(),
                     Param(u"text_qualifier", VT_BSTR).byRef()},
                    [](Strings2& self, Arguments& a) {
                        return self.methods_.SplitLine(Text(a[0]), Text(a[1]), Text(a[2]));
                    })
            .method(u"Char2OemBuff", kChar2OemBuff, {Param(u"source", VT_BSTR).byRef()},
                    [](Strings2& self, Arguments& a) {
                        std::u16string source(Text(a[0]));
                        Variant result = Result(self.methods_.Char2OemBuff(source));
                        a.byRef(0) = Result(source);
                        return result;
                    })
            .method(u"Oem2CharBuff", kOem2CharBuff, {Param(u"source", VT_BSTR).byRef()},
                    [](Strings2& self, Arguments& a) {
                        std::u16string source(Text(a[0]));
                        Variant result = Result(self.methods_.Oem2CharBuff(source));
                        a.byRef(0) = Result(source);
                        return result;
                    })
            .build();
    return table;
}

template <class... Arguments>
HRESULT Strings2::callMember(DISPID member, BSTR* result, Arguments... arguments) {
    if (!result) return E_POINTER;
    *result = nullptr;
    Variant value;
    const HRESULT hr = callMember(member, value.ptr(), arguments...);
    if (FAILED(hr)) return hr;
    if (value.vt != VT_BSTR) return E_UNEXPECTED;
    *result = std::exchange(value.bstrVal, nullptr);
    return S_OK;
}

template <class Result, class... Pointers>
HRESULT Strings2::callByReference(DISPID member, Result* result, Pointers*... pointers) {
    if (AnyNull(pointers...)) return E_POINTER;
    return callMember(member, result, ByRef(pointers)...);
}

HRESULT Strings2::TrimZ(VARIANT str, VARIANT* result) { return callMember(kTrimZ, result, ByValue(str)); }

HRESULT Strings2::StringEncode(VARIANT* anArray, BSTR* result) {
    return callByReference(kStringEncode, result, anArray);
}

HRESULT Strings2::StringDecode(VARIANT* aString, VARIANT* result) {
    return callByReference(kStringDecode, result, aString);
}

HRESULT Strings2::Encode(VARIANT* str, VARIANT* delimiter, VARIANT* result) {
    return callByReference(kEncode, result, str, delimiter);
}

HRESULT Strings2::Decode(VARIANT* str, VARIANT* delimiter, VARIANT* result) {
    return callByReference(kDecode, result, str, delimiter);
}

HRESULT Strings2::EncodeCSV(VARIANT* str, VARIANT* result) { return callByReference(kEncodeCSV, result, str); }
HRESULT Strings2::DecodeCSV(VARIANT* str, VARIANT* result) { return callByReference(kDecodeCSV, result, str); }
HRESULT Strings2::EncodeSQL(VARIANT* str, VARIANT* result) { return callByReference(kEncodeSQL, result, str); }
HRESULT Strings2::DecodeSQL(VARIANT* str, VARIANT* result) { return callByReference(kDecodeSQL, result, str); }
HRESULT Strings2::EncodeHex(BSTR* s, BSTR* result) { return callByReference(kEncodeHex, result, s); }
HRESULT Strings2::DecodeHex(BSTR* s, BSTR* result) { return callByReference(kDecodeHex, result, s); }

HRESULT Strings2::RPad(VARIANT* str, VARIANT* ch, VARIANT* length, VARIANT* result) {
    return callByReference(kRPad, result, str, ch, length);
}

HRESULT Strings2::ParseParameters(BSTR cmd, VARIANT* result) {
    return callMember(kParseParameters, result, ByValue(cmd));
}

HRESULT Strings2::ByteArray2Str(SAFEARRAY** b, VARIANT_BOOL* UniCode, BSTR* result) {
    if (AnyNull(b)) return E_POINTER;
    return callMember(kByteArray2Str, result, ByRef(b), OptionalByRef(UniCode));
}

HRESULT Strings2::StrConvEx(VARIANT* str, VARIANT* conversion, VARIANT* lcid, VARIANT* result) {
    if (AnyNull(str, conversion)) return E_POINTER;
    return callMember(kStrConvEx, result, ByRef(str), ByRef(conversion), OptionalByRef(lcid));
}

HRESULT Strings2::SplitLine(BSTR* line, BSTR* delimiter, BSTR* text_qualifier, VARIANT* result) {
    return callByReference(kSplitLine, result, line, delimiter, text_qualifier);
}

HRESULT Strings2::Char2OemBuff(BSTR* source, BSTR* result) { return callByReference(kChar2OemBuff, result, source); }
HRESULT Strings2::Oem2CharBuff(BSTR* source, BSTR* result) { return callByReference(kOem2CharBuff, result, source); }

}  // namespace quillon
