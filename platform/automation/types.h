// Scalar types, result codes and the tagged value of OLE Automation, laid out as the
// component interfaces expect them. Names follow the platform's headers so that code
// written against those interfaces reads the same here.
#pragma once

#include <cstddef>
#include <cstdint>

typedef int8_t CHAR;
typedef uint8_t BYTE;
typedef int16_t SHORT;
typedef uint16_t USHORT;
typedef uint16_t WORD;
typedef int32_t INT;
typedef uint32_t UINT;
typedef int32_t LONG;
typedef uint32_t ULONG;
typedef uint32_t DWORD;
typedef int64_t LONGLONG;
typedef uint64_t ULONGLONG;
typedef float FLOAT;
typedef double DOUBLE;
typedef int32_t BOOL;
typedef int32_t HRESULT;
typedef int32_t SCODE;
typedef uint32_t LCID;
typedef int32_t DISPID;
typedef int32_t MEMBERID;
typedef uint16_t VARTYPE;
typedef int16_t VARIANT_BOOL;
typedef double DATE;
typedef char16_t OLECHAR;
typedef OLECHAR* BSTR;
typedef OLECHAR* LPOLESTR;
typedef const OLECHAR* LPCOLESTR;

constexpr VARIANT_BOOL VARIANT_TRUE = -1;
constexpr VARIANT_BOOL VARIANT_FALSE = 0;

// ---- result codes ----------------------------------------------------------------------------
constexpr HRESULT hr(uint32_t v) { return static_cast<HRESULT>(v); }
constexpr bool SUCCEEDED(HRESULT h) { return h >= 0; }
constexpr bool FAILED(HRESULT h) { return h < 0; }

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = hr(0x80004001);
constexpr HRESULT E_NOINTERFACE = hr(0x80004002);
constexpr HRESULT E_POINTER = hr(0x80004003);
constexpr HRESULT E_ABORT = hr(0x80004004);
constexpr HRESULT E_FAIL = hr(0x80004005);
constexpr HRESULT E_UNEXPECTED = hr(0x8000FFFF);
constexpr HRESULT E_ACCESSDENIED = hr(0x80070005);
constexpr HRESULT E_HANDLE = hr(0x80070006);
constexpr HRESULT E_OUTOFMEMORY = hr(0x8007000E);
constexpr HRESULT E_INVALIDARG = hr(0x80070057);

constexpr HRESULT DISP_E_UNKNOWNINTERFACE = hr(0x80020001);
constexpr HRESULT DISP_E_MEMBERNOTFOUND = hr(0x80020003);
constexpr HRESULT DISP_E_PARAMNOTFOUND = hr(0x80020004);
constexpr HRESULT DISP_E_TYPEMISMATCH = hr(0x80020005);
constexpr HRESULT DISP_E_UNKNOWNNAME = hr(0x80020006);
constexpr HRESULT DISP_E_NONAMEDARGS = hr(0x80020007);
constexpr HRESULT DISP_E_BADVARTYPE = hr(0x80020008);
constexpr HRESULT DISP_E_EXCEPTION = hr(0x80020009);
constexpr HRESULT DISP_E_OVERFLOW = hr(0x8002000A);
constexpr HRESULT DISP_E_BADINDEX = hr(0x8002000B);
constexpr HRESULT DISP_E_UNKNOWNLCID = hr(0x8002000C);
constexpr HRESULT DISP_E_ARRAYISLOCKED = hr(0x8002000D);
constexpr HRESULT DISP_E_BADPARAMCOUNT = hr(0x8002000E);
constexpr HRESULT DISP_E_PARAMNOTOPTIONAL = hr(0x8002000F);
constexpr HRESULT DISP_E_DIVBYZERO = hr(0x80020012);

constexpr HRESULT TYPE_E_ELEMENTNOTFOUND = hr(0x8002802B);

constexpr HRESULT CLASS_E_NOAGGREGATION = hr(0x80040110);
constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = hr(0x80040111);
constexpr HRESULT REGDB_E_READREGDB = hr(0x80040150);
constexpr HRESULT REGDB_E_WRITEREGDB = hr(0x80040151);
constexpr HRESULT REGDB_E_CLASSNOTREG = hr(0x80040154);
constexpr HRESULT CO_E_CLASSSTRING = hr(0x800401F3);
constexpr HRESULT CO_E_DLLNOTFOUND = hr(0x8004018A);
constexpr HRESULT CO_E_ERRORINDLL = hr(0x800401F9);
constexpr HRESULT SELFREG_E_CLASS = hr(0x80040201);

constexpr HRESULT STG_E_FILENOTFOUND = hr(0x80030002);
constexpr HRESULT STG_E_ACCESSDENIED = hr(0x80030005);
constexpr HRESULT STG_E_INVALIDPOINTER = hr(0x80030009);
constexpr HRESULT STG_E_READFAULT = hr(0x8003001E);
constexpr HRESULT STG_E_WRITEFAULT = hr(0x8003001D);
constexpr HRESULT STG_E_INVALIDFUNCTION = hr(0x80030001);
constexpr HRESULT STG_E_MEDIUMFULL = hr(0x80030070);
constexpr HRESULT STG_E_PATHNOTFOUND = hr(0x80030003);
constexpr HRESULT STG_E_SHAREVIOLATION = hr(0x80030020);
constexpr HRESULT STG_E_FILEALREADYEXISTS = hr(0x80030050);  // a file that is not a compound file
constexpr HRESULT STG_E_INVALIDNAME = hr(0x800300FC);
constexpr HRESULT STG_E_DOCFILECORRUPT = hr(0x80030109);

// An Automation error raised with a number, as the runtime reports it.
constexpr HRESULT HRESULT_FROM_ERRNUMBER(LONG number) {
    return hr(0x800A0000u | (static_cast<uint32_t>(number) & 0xFFFFu));
}
// A system error code turned into a result (FACILITY_WIN32).
constexpr HRESULT HRESULT_FROM_WIN32(uint32_t code) {
    return code == 0 ? S_OK : hr((code & 0xFFFFu) | 0x80070000u);
}

// ---- GUID --------------------------------------------------------------------------------------
struct GUID {
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
    friend bool operator==(const GUID&, const GUID&) = default;
};
typedef GUID IID;
typedef GUID CLSID;
typedef const GUID& REFGUID;
typedef const IID& REFIID;
typedef const CLSID& REFCLSID;
inline bool IsEqualGUID(REFGUID a, REFGUID b) { return a == b; }
inline constexpr GUID GUID_NULL{0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};

// ---- Currency and DECIMAL ----------------------------------------------------------------------
// Currency: a 64-bit integer scaled by 10,000.
union CY {
    struct {
        uint32_t Lo;
        int32_t Hi;
    } s;
    LONGLONG int64;
};

constexpr BYTE DECIMAL_NEG = 0x80;
struct DECIMAL {
    USHORT wReserved;  // overlays the Variant's type tag
    BYTE scale;        // power of ten dividing the 96-bit integer, 0..28
    BYTE sign;         // 0 or DECIMAL_NEG
    ULONG Hi32;
    ULONGLONG Lo64;
};

// ---- SAFEARRAY ---------------------------------------------------------------------------------
struct SAFEARRAYBOUND {
    ULONG cElements;
    LONG lLbound;
};

struct SAFEARRAY {
    USHORT cDims;
    USHORT fFeatures;
    ULONG cbElements;
    ULONG cLocks;
    void* pvData;
    SAFEARRAYBOUND rgsabound[1];  // cDims entries, the rightmost dimension first, as the platform stores them
};

constexpr USHORT FADF_AUTO = 0x0001;
constexpr USHORT FADF_STATIC = 0x0002;
constexpr USHORT FADF_EMBEDDED = 0x0004;
constexpr USHORT FADF_FIXEDSIZE = 0x0010;
constexpr USHORT FADF_RECORD = 0x0020;
constexpr USHORT FADF_HAVEIID = 0x0040;
constexpr USHORT FADF_HAVEVARTYPE = 0x0080;
constexpr USHORT FADF_BSTR = 0x0100;
constexpr USHORT FADF_UNKNOWN = 0x0200;
constexpr USHORT FADF_DISPATCH = 0x0400;
constexpr USHORT FADF_VARIANT = 0x0800;

// ---- VARIANT -----------------------------------------------------------------------------------
enum VARENUM : VARTYPE {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R4 = 4,
    VT_R8 = 5,
    VT_CY = 6,
    VT_DATE = 7,
    VT_BSTR = 8,
    VT_DISPATCH = 9,
    VT_ERROR = 10,
    VT_BOOL = 11,
    VT_VARIANT = 12,
    VT_UNKNOWN = 13,
    VT_DECIMAL = 14,
    VT_I1 = 16,
    VT_UI1 = 17,
    VT_UI2 = 18,
    VT_UI4 = 19,
    VT_I8 = 20,
    VT_UI8 = 21,
    VT_INT = 22,
    VT_UINT = 23,
    VT_VOID = 24,
    VT_HRESULT = 25,
    VT_PTR = 26,
    VT_SAFEARRAY = 27,
    VT_CARRAY = 28,
    VT_USERDEFINED = 29,
    VT_LPSTR = 30,
    VT_LPWSTR = 31,
    VT_RECORD = 36,
    VT_VECTOR = 0x1000,
    VT_ARRAY = 0x2000,
    VT_BYREF = 0x4000,
    VT_RESERVED = 0x8000,
    VT_TYPEMASK = 0x0FFF,
};

struct IUnknown;
struct IDispatch;

struct VARIANT {
    union {
        struct {
            VARTYPE vt;
            WORD wReserved1;
            WORD wReserved2;
            WORD wReserved3;
            union {
                LONGLONG llVal;
                LONG lVal;
                BYTE bVal;
                SHORT iVal;
                FLOAT fltVal;
                DOUBLE dblVal;
                VARIANT_BOOL boolVal;
                SCODE scode;
                CY cyVal;
                DATE date;
                BSTR bstrVal;
                IUnknown* punkVal;
                IDispatch* pdispVal;
                SAFEARRAY* parray;
                BYTE* pbVal;
                SHORT* piVal;
                LONG* plVal;
                LONGLONG* pllVal;
                FLOAT* pfltVal;
                DOUBLE* pdblVal;
                VARIANT_BOOL* pboolVal;
                SCODE* pscode;
                CY* pcyVal;
                DATE* pdate;
                BSTR* pbstrVal;
                IUnknown** ppunkVal;
                IDispatch** ppdispVal;
                SAFEARRAY** pparray;
                VARIANT* pvarVal;
                void* byref;
                CHAR cVal;
                USHORT uiVal;
                ULONG ulVal;
                ULONGLONG ullVal;
                INT intVal;
                UINT uintVal;
                DECIMAL* pdecVal;
                CHAR* pcVal;
                USHORT* puiVal;
                ULONG* pulVal;
                ULONGLONG* pullVal;
                INT* pintVal;
                UINT* puintVal;
            };
        };
        DECIMAL decVal;
    };
};
typedef VARIANT VARIANTARG;

// Accessors in the style of the platform's macros, for code that reads best with them.
inline VARTYPE& V_VT(VARIANT* v) { return v->vt; }
inline VARTYPE V_VT(const VARIANT* v) { return v->vt; }
inline bool V_ISBYREF(const VARIANT* v) { return (v->vt & VT_BYREF) != 0; }
inline bool V_ISARRAY(const VARIANT* v) { return (v->vt & VT_ARRAY) != 0; }

// ---- dispatch ----------------------------------------------------------------------------------
constexpr DISPID DISPID_UNKNOWN = -1;
constexpr DISPID DISPID_VALUE = 0;
constexpr DISPID DISPID_PROPERTYPUT = -3;
constexpr DISPID DISPID_NEWENUM = -4;

constexpr WORD DISPATCH_METHOD = 0x1;
constexpr WORD DISPATCH_PROPERTYGET = 0x2;
constexpr WORD DISPATCH_PROPERTYPUT = 0x4;
constexpr WORD DISPATCH_PROPERTYPUTREF = 0x8;

struct DISPPARAMS {
    VARIANTARG* rgvarg;        // arguments in reverse order: the last argument first
    DISPID* rgdispidNamedArgs;
    UINT cArgs;
    UINT cNamedArgs;
};

struct EXCEPINFO {
    WORD wCode;
    WORD wReserved;
    BSTR bstrSource;
    BSTR bstrDescription;
    BSTR bstrHelpFile;
    DWORD dwHelpContext;
    void* pvReserved;
    HRESULT (*pfnDeferredFillIn)(EXCEPINFO*);
    SCODE scode;
};

constexpr LCID LOCALE_USER_DEFAULT = 0x0400;
constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x0800;

// VariantChangeType flags.
constexpr USHORT VARIANT_NOVALUEPROP = 0x01;
constexpr USHORT VARIANT_ALPHABOOL = 0x02;
constexpr USHORT VARIANT_NOUSEROVERRIDE = 0x04;
constexpr USHORT VARIANT_LOCALBOOL = 0x10;
