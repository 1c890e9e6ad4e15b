// The class "Tavrel.Strings2" of the component module quillon: its identifiers, member
// DISPIDs and its dual interface _Strings2 (methods in slot order).
#pragma once

#include "platform/automation/interfaces.h"

inline constexpr IID IID__Strings2{0xE1924FEC, 0x3807, 0x440A, {0x99, 0x85, 0xDE, 0xE7, 0x8F, 0xF8, 0x35, 0x39}};
inline constexpr CLSID CLSID_Strings2{0x11524303, 0xAB88, 0x4D7C, {0x95, 0xA2, 0xCB, 0x85, 0x53, 0x61, 0x04, 0x77}};
inline constexpr GUID LIBID_Tavrel{0x774FBEC9, 0x5AAB, 0x4776, {0xAC, 0xD3, 0xB3, 0x77, 0x69, 0x73, 0x70, 0x76}};

namespace strings2 {

inline constexpr char16_t kProgId[] = u"Tavrel.Strings2";
inline constexpr char16_t kHelpString[] = u"Tavrel.Strings COM Component (ver 1.0)";

// DISPIDs of the members. 0x6003000B and 0x60030011 belong to procedures of the class that
// are not members.
enum MemberId : DISPID {
    kTrimZ = 0x60030000,
    kStringEncode = 0x60030001,
    kStringDecode = 0x60030002,
    kEncode = 0x60030003,
    kDecode = 0x60030004,
    kEncodeCSV = 0x60030005,
    kDecodeCSV = 0x60030006,
    kEncodeSQL = 0x60030007,
    kDecodeSQL = 0x60030008,
    kEncodeHex = 0x60030009,
    kDecodeHex = 0x6003000A,
    kRPad = 0x6003000C,
    kParseParameters = 0x6003000D,
    kByteArray2Str = 0x6003000E,
    kStrConvEx = 0x6003000F,
    kSplitLine = 0x60030010,
    kChar2OemBuff = 0x60030012,
    kOem2CharBuff = 0x60030013,
};

}  // namespace strings2

// Results are [out, retval]; an optional Variant that was left out is VT_ERROR with
// DISP_E_PARAMNOTFOUND. Errors come as HRESULT 0x800A0000 + number with error information.
struct _Strings2 : IDispatch {
    virtual HRESULT TrimZ(VARIANT str, VARIANT* result) = 0;
    virtual HRESULT StringEncode(VARIANT* anArray, BSTR* result) = 0;
    virtual HRESULT StringDecode(VARIANT* aString, VARIANT* result) = 0;
    virtual HRESULT Encode(VARIANT* str, VARIANT* delimiter, VARIANT* result) = 0;
    virtual HRESULT Decode(VARIANT* str, VARIANT* delimiter, VARIANT* result) = 0;
    virtual HRESULT EncodeCSV(VARIANT* str, VARIANT* result) = 0;
    virtual HRESULT DecodeCSV(VARIANT* str, VARIANT* result) = 0;
    virtual HRESULT EncodeSQL(VARIANT* str, VARIANT* result) = 0;
    virtual HRESULT DecodeSQL(VARIANT* str, VARIANT* result) = 0;
    virtual HRESULT EncodeHex(BSTR* s, BSTR* result) = 0;
    virtual HRESULT DecodeHex(BSTR* s, BSTR* result) = 0;
    virtual HRESULT RPad(VARIANT* str, VARIANT* ch, VARIANT* length, VARIANT* result) = 0;
    virtual HRESULT ParseParameters(BSTR cmd, VARIANT* result) = 0;
    virtual HRESULT ByteArray2Str(SAFEARRAY** b, VARIANT_BOOL* UniCode, BSTR* result) = 0;
    virtual HRESULT StrConvEx(VARIANT* str, VARIANT* conversion, VARIANT* lcid, VARIANT* result) = 0;
    virtual HRESULT SplitLine(BSTR* line, BSTR* delimiter, BSTR* text_qualifier, VARIANT* result) = 0;
    virtual HRESULT Char2OemBuff(BSTR* source, BSTR* result) = 0;
    virtual HRESULT Oem2CharBuff(BSTR* source, BSTR* result) = 0;

protected:
    ~_Strings2() = default;
};
