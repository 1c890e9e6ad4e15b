#include "python/conversion.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <new>
#include <string>
#include <vector>

#include "platform/automation/arrays.h"
#include "platform/automation/error.h"
#include "platform/automation/safearray.h"
#include "platform/automation/variant.h"
#include "python/values.h"

namespace tavrelpy {
namespace {

void Check(HRESULT hr) {
    if (FAILED(hr)) throw ComError::fromHresult(hr);
}

[[noreturn]] void RaiseOverflow(const std::string& message) {
    PyErr_SetString(PyExc_OverflowError, message.c_str());
    throw py::error_already_set();
}

std::string TypeNameOf(py::handle value) {
    return py::str(py::type::handle_of(value).attr("__name__"));
}

// Stops self-containing lists, which would otherwise recurse without end.
class RecursionGuard {
public:
    explicit RecursionGuard(const char* where) {
        if (Py_EnterRecursiveCall(where)) throw py::error_already_set();
    }
    ~RecursionGuard() { Py_LeaveRecursiveCall(); }
    RecursionGuard(const RecursionGuard&) = delete;
    RecursionGuard& operator=(const RecursionGuard&) = delete;
};

// ---- arrays ------------------------------------------------------------------------------------

void CheckElementCount(size_t count) {
    if (count > std::numeric_limits<LONG>::max()) RaiseOverflow("tavrel: too many elements for an array");
}

// A one-dimensional array from 0 of the given element kind.
Variant NewVector(VARTYPE element, size_t count) {
    CheckElementCount(count);
    return automation::NewVector(element, count);
}

bool IsScalarKind(VARTYPE vt) {
    switch (vt) {
    case VT_I2: case VT_I4: case VT_R4: case VT_R8: case VT_CY: case VT_DATE: case VT_BSTR:
    case VT_BOOL: case VT_DECIMAL: case VT_I1: case VT_UI1: case VT_UI2: case VT_UI4: case VT_I8:
    case VT_UI8: case VT_INT: case VT_UINT:
        return true;
    default:
        return false;
    }
}

bool IsArrayElementKind(VARTYPE vt) {
    return IsScalarKind(vt) || vt == VT_VARIANT || vt == VT_DISPATCH || vt == VT_UNKNOWN || vt == VT_ERROR;
}

// What SafeArrayPutElement and SafeArrayGetElement take for one element: strings and interface
// pointers themselves, a pointer to the data for every other kind.
void* ElementPayload(VARIANT& item, VARTYPE element) {
    switch (element) {
    case VT_VARIANT: return &item;
    case VT_BSTR: return item.bstrVal;
    case VT_DISPATCH: return item.pdispVal;
    case VT_UNKNOWN: return item.punkVal;
    case VT_DECIMAL: return &item.decVal;
    default: return &item.llVal;
    }
}

Variant BytesToVariant(py::handle value) {
    const char* data = PyBytes_Check(value.ptr()) ? PyBytes_AS_STRING(value.ptr()) : PyByteArray_AS_STRING(value.ptr());
    const size_t size = static_cast<size_t>(py::len(value));
    CheckElementCount(size);
    return automation::ByteArray(std::string_view(data, size));
}

// A one-dimensional array from 0 of the given element kind.
Variant SequenceToArray(py::handle sequence, VARTYPE element) {
    RecursionGuard guard(" while converting a sequence to a Variant array");
    auto items = py::reinterpret_steal<py::tuple>(PySequence_Tuple(sequence.ptr()));
    if (!items) throw py::error_already_set();
    Variant array = NewVector(element, items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        Variant item = element == VT_VARIANT ? ToVariant(items[i]) : ToVariantOfType(items[i], element);
        LONG index = static_cast<LONG>(i);
        Check(SafeArrayPutElement(array.parray, &index, ElementPayload(item, element)));
    }
    return array;
}

bool IsNestable(py::handle value) { return PyList_Check(value.ptr()) || PyTuple_Check(value.ptr()); }

// The shape of nested lists, outermost first, read along the first items.
std::vector<size_t> ArrayShape(py::handle value) {
    constexpr size_t kMaxDimensions = 32;
    std::vector<size_t> shape;
    py::object level = py::reinterpret_borrow<py::object>(value);
    while (IsNestable(level)) {
        if (shape.size() == kMaxDimensions) throw py::value_error("tavrel.Variant: too many array dimensions");
        shape.push_back(py::len(level));
        if (shape.back() == 0) break;
        level = level[py::int_(0)];
    }
    return shape;
}

void FillDimension(SAFEARRAY* psa, VARTYPE element, py::handle level, const std::vector<size_t>& shape,
                   std::vector<LONG>& index, size_t dimension) {
    if (!IsNestable(level) || py::len(level) != shape[dimension])
        throw py::value_error("tavrel.Variant: the nested lists of a multi-dimensional array must be rectangular");
    auto items = py::reinterpret_borrow<py::sequence>(level);
    for (size_t i = 0; i < shape[dimension]; ++i) {
        index[dimension] = static_cast<LONG>(i);
        if (dimension + 1 < shape.size()) {
            FillDimension(psa, element, items[i], shape, index, dimension + 1);
            continue;
        }
        Variant item = element == VT_VARIANT ? ToVariant(items[i]) : ToVariantOfType(items[i], element);
        Check(SafeArrayPutElement(psa, index.data(), ElementPayload(item, element)));
    }
}

// Rectangular nested lists as one array of as many dimensions, indexed from 0; the outermost
// list is the leftmost dimension.
Variant MultiDimensionalArray(py::handle value, VARTYPE element, const std::vector<size_t>& shape) {
    std::vector<SAFEARRAYBOUND> bounds;
    for (size_t count : shape) {
        CheckElementCount(count);
        bounds.push_back({static_cast<ULONG>(count), 0});
    }
    SAFEARRAY* psa = SafeArrayCreate(element, static_cast<UINT>(bounds.size()), bounds.data());
    if (!psa) throw std::bad_alloc();
    Variant array = Variant::fromArray(element, psa);
    std::vector<LONG> index(shape.size());
    FillDimension(psa, element, value, shape, index, 0);
    return array;
}

py::object ArrayDimension(SAFEARRAY* psa, VARTYPE element, std::vector<LONG>& index, UINT dimension) {
    LONG lower = 0, upper = -1;
    Check(SafeArrayGetLBound(psa, dimension + 1, &lower));
    Check(SafeArrayGetUBound(psa, dimension + 1, &upper));
    long long count = upper >= lower ? static_cast<long long>(upper) - lower + 1 : 0;
    py::tuple out(static_cast<size_t>(count));
    bool innermost = dimension + 1 == index.size();
    for (long long i = 0; i < count; ++i) {
        index[dimension] = static_cast<LONG>(lower + i);
        out[static_cast<size_t>(i)] = innermost ? FromVariant(automation::ArrayElement(psa, index.data(), element))
                                                : ArrayDimension(psa, element, index, dimension + 1);
    }
    return out;
}

py::object ArrayFromVariant(const VARIANT& value) {
    SAFEARRAY* psa = value.parray;
    VARTYPE element = value.vt & VT_TYPEMASK;
    if (!psa) return py::tuple();
    UINT dimensions = SafeArrayGetDim(psa);
    if (dimensions == 0) return py::tuple();
    if (dimensions == 1 && element == VT_UI1) return py::bytes(automation::ArrayBytes(psa));
    std::vector<LONG> index(dimensions);
    return ArrayDimension(psa, element, index, 0);
}

// ---- numbers -----------------------------------------------------------------------------------

Variant IntToVariant(py::handle value) {
    int overflow = 0;
    long long v = PyLong_AsLongLongAndOverflow(value.ptr(), &overflow);
    if (v == -1 && PyErr_Occurred()) throw py::error_already_set();
    if (!overflow && v >= std::numeric_limits<LONG>::min() && v <= std::numeric_limits<LONG>::max())
        return Variant::fromLong(static_cast<LONG>(v));
    double d = PyLong_AsDouble(value.ptr());
    if (d == -1.0 && PyErr_Occurred()) throw py::error_already_set();
    return Variant::fromDouble(d);
}

py::module_ DecimalModule() { return py::module_::import("decimal"); }

Variant DecimalVariant(const DECIMAL& number) {
    Variant r;
    r.decVal = number;
    r.vt = VT_DECIMAL;  // the DECIMAL's first field overlays the type
    return r;
}

// A decimal with as many fractional digits as fit (at most 28) in a 96-bit coefficient, rounded
// half to even like the platform's conversions.
Variant DecimalToVariant(py::handle value) {
    py::module_ decimal = DecimalModule();
    if (!value.attr("is_finite")().cast<bool>())
        throw py::value_error("tavrel: a Decimal Variant holds no NaN or infinity");
    const py::int_ limit = py::int_(1) << py::int_(96);
    DECIMAL number{};
    number.sign = value.attr("is_signed")().cast<bool>() ? DECIMAL_NEG : 0;
    if (value.attr("is_zero")().cast<bool>()) return DecimalVariant(number);
    if (value.attr("adjusted")().cast<long long>() > 28) RaiseOverflow("tavrel: Decimal too large for a Variant");
    py::object exact = decimal.attr("Context")(py::arg("prec") = 80);
    long long exponent = value.attr("as_tuple")().attr("exponent").cast<long long>();
    long long scale = std::min<long long>(std::max<long long>(-exponent, 0), 28);
    for (; scale >= 0; --scale) {
        py::object scaled = value.attr("scaleb")(scale, exact).attr("to_integral_value")(
            py::arg("rounding") = decimal.attr("ROUND_HALF_EVEN"), py::arg("context") = exact);
        py::int_ coefficient = py::reinterpret_steal<py::int_>(PyNumber_Absolute(py::int_(scaled).ptr()));
        if (!coefficient) throw py::error_already_set();
        if (coefficient < limit) {
            number.scale = static_cast<BYTE>(scale);
            number.Lo64 = (coefficient & py::int_(std::numeric_limits<ULONGLONG>::max())).cast<ULONGLONG>();
            number.Hi32 = (coefficient >> py::int_(64)).cast<ULONG>();
            return DecimalVariant(number);
        }
    }
    RaiseOverflow("tavrel: Decimal too large for a Variant");
}

py::object DecimalFromText(const std::string& text) { return DecimalModule().attr("Decimal")(text); }

py::object DecimalFromVariant(const DECIMAL& d) {
    py::object coefficient = (py::int_(d.Hi32) << py::int_(64)) | py::int_(d.Lo64);
    std::string text = (d.sign & DECIMAL_NEG ? "-" : "") + std::string(py::str(coefficient)) + "E-" +
                       std::to_string(d.scale);
    return DecimalFromText(text);
}

// Currency: a 64-bit count of ten-thousandths.
py::object CurrencyFromVariant(const CY& cy) { return DecimalFromText(std::to_string(cy.int64) + "E-4"); }

Variant CurrencyFromInt(py::handle value) {
    int overflow = 0;
    long long v = PyLong_AsLongLongAndOverflow(value.ptr(), &overflow);
    if (v == -1 && PyErr_Occurred()) throw py::error_already_set();
    constexpr long long limit = std::numeric_limits<long long>::max() / 10000;
    if (overflow || v > limit || v < -limit) throw ComError::fromHresult(DISP_E_OVERFLOW);
    Variant r;
    r.vt = VT_CY;
    r.cyVal.int64 = v * 10000;
    return r;
}

// A 64-bit integer kind straight from a Python int, beyond what a Double holds exactly.
Variant Integer64(py::handle value, VARTYPE vt) {
    Variant r;
    if (vt == VT_I8)
        r.llVal = PyLong_AsLongLong(value.ptr());
    else
        r.ullVal = PyLong_AsUnsignedLongLong(value.ptr());
    if (PyErr_Occurred()) {
        PyErr_Clear();
        throw ComError::fromHresult(DISP_E_OVERFLOW);
    }
    r.vt = vt;
    return r;
}

// An error value: an SCODE given as a signed or an unsigned 32-bit number.
Variant ErrorFromInt(py::handle value) {
    int overflow = 0;
    long long v = PyLong_AsLongLongAndOverflow(value.ptr(), &overflow);
    if (v == -1 && PyErr_Occurred()) throw py::error_already_set();
    if (overflow || v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<uint32_t>::max())
        throw ComError::fromHresult(DISP_E_OVERFLOW);
    return Variant::fromError(static_cast<SCODE>(static_cast<uint32_t>(v & 0xFFFFFFFF)));
}

// ---- dates -------------------------------------------------------------------------------------
// A Date counts days from 1899-12-30; the fraction is the time of day whatever the sign of the
// day count, so -1.25 is 1899-12-29 06:00.

py::module_ DatetimeModule() { return py::module_::import("datetime"); }

py::object DateEpoch(const py::module_& datetime) { return datetime.attr("datetime")(1899, 12, 30); }

// The time of day is read to the finest of 1, 10, 100 and 1000 microseconds that the Date's
// precision holds, so a time that went in at that resolution comes back unchanged (1 us for
// this era, 100 us near the year 9999).
long long DateResolution(DATE date) {
    double magnitude = std::fabs(date);
    double step = (std::nextafter(magnitude, HUGE_VAL) - magnitude) * 86400e6;
    long long unit = 1;
    while (unit <= step && unit < 1000) unit *= 10;
    return unit;
}

py::object DateFromVariant(DATE date) {
    if (!std::isfinite(date) || std::fabs(date) > 3.0e6) RaiseOverflow("tavrel: Date out of range");
    double whole = std::trunc(date);
    long long unit = DateResolution(date);
    long long microseconds = std::llround(std::fabs(date - whole) * 86400e6 / unit) * unit;
    py::module_ datetime = DatetimeModule();
    py::object delta = datetime.attr("timedelta")(py::arg("days") = static_cast<long long>(whole),
                                                  py::arg("microseconds") = microseconds);
    return DateEpoch(datetime) + delta;
}

// Naive local time: a time zone, when given, is dropped.
DATE DateFromPython(py::handle value) {
    py::module_ datetime = DatetimeModule();
    py::object moment = py::isinstance(value, datetime.attr("datetime"))
                            ? value.attr("replace")(py::arg("tzinfo") = py::none())
                            : datetime.attr("datetime").attr("combine")(value, datetime.attr("time")());
    py::object delta = moment - DateEpoch(datetime);
    long long days = delta.attr("days").cast<long long>();
    long long microseconds =
        delta.attr("seconds").cast<long long>() * 1000000 + delta.attr("microseconds").cast<long long>();
    double fraction = microseconds / 86400e6;
    constexpr long long kFirstDay = -657434;  // 100-01-01, the first day a Date holds
    if (days < kFirstDay) RaiseOverflow("tavrel: a Date starts at the year 100");
    return days >= 0 ? days + fraction : days - fraction;
}

Variant DateVariant(DATE date) {
    Variant r;
    r.vt = VT_DATE;
    r.date = date;
    return r;
}

// ---- objects -----------------------------------------------------------------------------------

py::object ObjectFromDispatch(IDispatch* object) {
    if (!object) return py::none();
    return py::cast(DispatchObject(ComPtr<IDispatch>(object)));
}

py::object ObjectFromUnknown(IUnknown* object) {
    if (!object) return py::none();
    ComPtr<IDispatch> dispatch;
    HRESULT hr = object->QueryInterface(IID_IDispatch, dispatch.putVoid());
    if (FAILED(hr)) throw py::type_error("tavrel: the object has no IDispatch interface");
    return py::cast(DispatchObject(std::move(dispatch)));
}

// A Dispatch or Unknown Variant: from a tavrel.Dispatch, or None for Nothing.
Variant ObjectVariant(py::handle value, VARTYPE vt) {
    Variant r;
    if (value.is_none()) {
        r.vt = vt;
        r.punkVal = nullptr;
        return r;
    }
    if (!py::isinstance<DispatchObject>(value)) {
        Variant natural = ToVariant(value);
        if (natural.vt == vt) return natural;
        throw py::type_error("tavrel: an object Variant is made from a tavrel.Dispatch or None, not " +
                             TypeNameOf(value));
    }
    IDispatch* object = Unwrap<DispatchObject>(value).get();
    if (vt == VT_DISPATCH) return Variant::fromDispatch(object);
    ComPtr<IUnknown> unknown;
    Check(object->QueryInterface(IID_IUnknown, unknown.putVoid()));
    return Variant::fromUnknown(unknown.get());
}

bool IsSequence(py::handle value) {
    PyObject* p = value.ptr();
    return PyList_Check(p) || PyTuple_Check(p) || PyBytes_Check(p) || PyByteArray_Check(p);
}

}  // namespace

// ---- text --------------------------------------------------------------------------------------

std::u16string ToUtf16(py::handle text) {
    auto bytes = py::reinterpret_steal<py::object>(PyUnicode_AsEncodedString(text.ptr(), "utf-16-le", "surrogatepass"));
    if (!bytes) throw py::error_already_set();
    std::u16string out(static_cast<size_t>(PyBytes_GET_SIZE(bytes.ptr())) / 2, u'\0');
    if (!out.empty()) std::memcpy(out.data(), PyBytes_AS_STRING(bytes.ptr()), out.size() * 2);
    return out;
}

py::str FromUtf16(std::u16string_view text) {
    int byteOrder = -1;  // little-endian; a leading U+FEFF stays a character
    PyObject* s = PyUnicode_DecodeUTF16(reinterpret_cast<const char*>(text.data()),
                                        static_cast<Py_ssize_t>(text.size() * 2), "surrogatepass", &byteOrder);
    if (!s) throw py::error_already_set();
    return py::reinterpret_steal<py::str>(s);
}

// ---- Python to Variant -------------------------------------------------------------------------

Variant ToVariant(py::handle value) {
    PyObject* p = value.ptr();
    if (value.is_none()) return Variant();
    if (py::isinstance<NullValue>(value)) return Variant::null();
    if (py::isinstance<TypedVariant>(value)) return Unwrap<TypedVariant>(value).variant();
    if (py::isinstance<DispatchObject>(value)) return Variant::fromDispatch(Unwrap<DispatchObject>(value).get());
    if (py::isinstance<ByRef>(value))
        throw py::type_error("tavrel.Ref passes an argument of a call by reference; "
                             "it cannot stand inside another value");
    if (PyBool_Check(p)) return Variant::fromBool(p == Py_True);
    if (PyLong_Check(p)) return IntToVariant(value);
    if (PyFloat_Check(p)) return Variant::fromDouble(PyFloat_AS_DOUBLE(p));
    if (PyUnicode_Check(p)) return Variant::fromString(ToUtf16(value));
    if (PyBytes_Check(p) || PyByteArray_Check(p)) return BytesToVariant(value);
    if (PyList_Check(p) || PyTuple_Check(p)) return SequenceToArray(value, VT_VARIANT);
    if (py::isinstance(value, DecimalModule().attr("Decimal"))) return DecimalToVariant(value);
    if (py::isinstance(value, DatetimeModule().attr("date"))) return DateVariant(DateFromPython(value));
    throw py::type_error("tavrel: no Variant for a value of type " + TypeNameOf(value));
}

Variant ToVariantOfType(py::handle value, VARTYPE vt) {
    if (vt & VT_BYREF) throw py::value_error("tavrel.Variant: pass a value by reference with tavrel.Ref");
    if (vt & VT_ARRAY) {
        VARTYPE element = vt & ~VT_ARRAY;
        if (!IsArrayElementKind(element)) throw py::value_error("tavrel.Variant: no array of type " + HexType(element));
        if (!IsSequence(value))
            throw py::type_error("tavrel.Variant: an array is made from a list, tuple, bytes or bytearray, not " +
                                 TypeNameOf(value));
        std::vector<size_t> shape = ArrayShape(value);
        if (shape.size() > 1) return MultiDimensionalArray(value, element, shape);
        return SequenceToArray(value, element);
    }
    switch (vt) {
    case VT_EMPTY:
        if (!value.is_none()) throw py::type_error("tavrel.Variant: an Empty Variant takes the value None");
        return Variant();
    case VT_NULL:
        if (!value.is_none() && !py::isinstance<NullValue>(value))
            throw py::type_error("tavrel.Variant: a Null Variant takes the value None or tavrel.Null");
        return Variant::null();
    case VT_VARIANT:
        return ToVariant(value);
    case VT_DISPATCH:
    case VT_UNKNOWN:
        return ObjectVariant(value, vt);
    case VT_ERROR:
        if (IsPythonInt(value)) return ErrorFromInt(value);
        break;
    case VT_I8:
        if (IsPythonInt(value)) return Integer64(value, VT_I8);
        break;
    case VT_UI8:
        if (IsPythonInt(value)) return Integer64(value, VT_UI8);
        break;
    case VT_CY:
        if (IsPythonInt(value)) return CurrencyFromInt(value);
        break;
    case VT_DECIMAL:
        if (IsPythonInt(value)) return DecimalToVariant(DecimalModule().attr("Decimal")(value));
        break;
    default:
        if (!IsScalarKind(vt)) throw py::value_error("tavrel.Variant: unsupported type " + HexType(vt));
    }
    Variant natural = ToVariant(value);
    if (natural.vt == vt) return natural;
    return natural.changedTo(vt);
}

bool IsPythonInt(py::handle value) { return PyLong_Check(value.ptr()) && !PyBool_Check(value.ptr()); }

std::string HexType(VARTYPE vt) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(vt));
    return text;
}

// ---- Variant to Python -------------------------------------------------------------------------

py::int_ ScodeToPython(SCODE scode) { return py::int_(static_cast<uint32_t>(scode)); }
py::int_ HresultToPython(HRESULT hr) { return py::int_(static_cast<uint32_t>(hr)); }

py::object FromVariant(const VARIANT& v) {
    if (v.vt & VT_BYREF) {
        Variant target;
        Check(VariantCopyInd(target.ptr(), &v));
        return FromVariant(target);
    }
    if (v.vt & VT_ARRAY) return ArrayFromVariant(v);
    switch (v.vt) {
    case VT_EMPTY: return py::none();
    case VT_NULL: return py::reinterpret_borrow<py::object>(TheNull());
    case VT_I1: return py::int_(v.cVal);
    case VT_UI1: return py::int_(v.bVal);
    case VT_I2: return py::int_(v.iVal);
    case VT_UI2: return py::int_(v.uiVal);
    case VT_I4: return py::int_(v.lVal);
    case VT_UI4: return py::int_(v.ulVal);
    case VT_INT: return py::int_(v.intVal);
    case VT_UINT: return py::int_(v.uintVal);
    case VT_I8: return py::int_(v.llVal);
    case VT_UI8: return py::int_(v.ullVal);
    case VT_R4: return py::float_(v.fltVal);
    case VT_R8: return py::float_(v.dblVal);
    case VT_BOOL: return py::bool_(v.boolVal != VARIANT_FALSE);
    case VT_BSTR: return FromUtf16(BstrView(v.bstrVal));
    case VT_CY: return CurrencyFromVariant(v.cyVal);
    case VT_DECIMAL: return DecimalFromVariant(v.decVal);
    case VT_DATE: return DateFromVariant(v.date);
    case VT_ERROR: return py::cast(TypedVariant(Variant(v)));
    case VT_DISPATCH: return ObjectFromDispatch(v.pdispVal);
    case VT_UNKNOWN: return ObjectFromUnknown(v.punkVal);
    default: throw ComError::fromHresult(DISP_E_BADVARTYPE);
    }
}

}  // namespace tavrelpy
