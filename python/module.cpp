// The Python module tavrel: creates registered classes by ProgID and calls them late-bound.
#include <string>

#include <pybind11/pybind11.h>

#include "platform/automation/typename.h"
#include "python/conversion.h"
#include "python/dispatch_wrapper.h"
#include "python/errors.h"
#include "python/values.h"

namespace tavrelpy {
namespace {

PyObject* nullInstance = nullptr;  // tavrel.Null, kept for the life of the module

struct NamedConstant {
    const char* name;
    long value;
};

constexpr NamedConstant kVarTypes[] = {
    {"VT_EMPTY", VT_EMPTY},   {"VT_NULL", VT_NULL},         {"VT_I2", VT_I2},           {"VT_I4", VT_I4},
    {"VT_R4", VT_R4},         {"VT_R8", VT_R8},             {"VT_CY", VT_CY},           {"VT_DATE", VT_DATE},
    {"VT_BSTR", VT_BSTR},     {"VT_DISPATCH", VT_DISPATCH}, {"VT_ERROR", VT_ERROR},     {"VT_BOOL", VT_BOOL},
    {"VT_VARIANT", VT_VARIANT}, {"VT_UNKNOWN", VT_UNKNOWN}, {"VT_DECIMAL", VT_DECIMAL}, {"VT_I1", VT_I1},
    {"VT_UI1", VT_UI1},       {"VT_UI2", VT_UI2},           {"VT_UI4", VT_UI4},         {"VT_I8", VT_I8},
    {"VT_UI8", VT_UI8},       {"VT_INT", VT_INT},           {"VT_UINT", VT_UINT},       {"VT_ARRAY", VT_ARRAY},
    {"VT_BYREF", VT_BYREF},
    {"DISPATCH_METHOD", DISPATCH_METHOD},           {"DISPATCH_PROPERTYGET", DISPATCH_PROPERTYGET},
    {"DISPATCH_PROPERTYPUT", DISPATCH_PROPERTYPUT}, {"DISPATCH_PROPERTYPUTREF", DISPATCH_PROPERTYPUTREF},
    {"DISPID_VALUE", DISPID_VALUE},                 {"DISPID_NEWENUM", DISPID_NEWENUM},
};

std::string VarTypeText(VARTYPE vt) {
    VARTYPE base = vt & VT_TYPEMASK;
    for (const NamedConstant& c : kVarTypes)
        if (c.value == base && std::string(c.name).starts_with("VT_")) {
            std::string text = std::string("tavrel.") + c.name;
            return vt & VT_ARRAY ? text + " | tavrel.VT_ARRAY" : text;
        }
    return HexType(vt);
}

// The value of a tavrel.Variant; an Error's SCODE as an unsigned number.
py::object TypedValue(py::handle handle) {
    const TypedVariant& self = Unwrap<TypedVariant>(handle);
    if (self.vt() == VT_ERROR) return ScodeToPython(self.variant().scode);
    return FromVariant(self.variant());
}

py::str TypedRepr(py::handle self) {
    return py::str("tavrel.Variant({}, {!r})").format(VarTypeText(Unwrap<TypedVariant>(self).vt()), TypedValue(self));
}

py::object TypedEquals(py::handle self, py::handle other) {
    if (!py::isinstance<TypedVariant>(other)) return py::reinterpret_borrow<py::object>(Py_NotImplemented);
    bool sameType = Unwrap<TypedVariant>(self).vt() == Unwrap<TypedVariant>(other).vt();
    return py::bool_(sameType && TypedValue(self).equal(TypedValue(other)));
}

// The Automation type name of what a Python value becomes; an object names itself.
py::str TypeNameOf(py::handle value) { return FromUtf16(automation::TypeName(ToVariant(value))); }

void RegisterValues(py::module_& module) {
    py::class_<NullValue>(module, "NullType", "The type of tavrel.Null, the Variant Null.")
        .def("__repr__", [](py::handle) { return "tavrel.Null"; })
        .def("__bool__", [](py::handle) { return false; });
    nullInstance = py::cast(NullValue{}).release().ptr();
    module.add_object("Null", py::handle(nullInstance));
    // Gives the reference back when the module goes, so that the type can go too.
    module.add_object("_release_null", py::capsule([] { Py_CLEAR(nullInstance); }));

    py::class_<TypedVariant>(module, "Variant", "Variant(vt, value=None): a value with an explicit Automation type.")
        .def(py::init([](VARTYPE vt, py::object value) { return TypedVariant(ToVariantOfType(value, vt)); }),
             py::arg("vt"), py::arg("value") = py::none())
        .def_property_readonly("vt", [](py::handle self) { return Unwrap<TypedVariant>(self).vt(); })
        .def_property_readonly("value", &TypedValue)
        .def("__repr__", &TypedRepr)
        .def("__eq__", &TypedEquals);
    module.add_object("Missing", py::cast(TypedVariant(Variant::missing())));

    py::class_<ByRef>(module, "Ref",
                      "Ref(value=None): an argument passed by reference; .value holds what the callee left.")
        .def(py::init([](py::object value) { return ByRef{std::move(value)}; }), py::arg("value") = py::none())
        .def_property(
            "value", [](py::handle self) { return Unwrap<ByRef>(self).value; },
            [](py::handle self, py::object value) { Unwrap<ByRef>(self).value = std::move(value); })
        .def("__repr__", [](py::handle self) { return py::str("tavrel.Ref({!r})").format(Unwrap<ByRef>(self).value); });

    for (const NamedConstant& c : kVarTypes) module.attr(c.name) = c.value;
    module.def("TypeName", &TypeNameOf, py::arg("value"),
               "The Automation type name of the Variant a value becomes (\"Long\", \"Byte()\"); an object "
               "reports its own.");
}

}  // namespace

py::handle TheNull() { return nullInstance; }

}  // namespace tavrelpy

PYBIND11_MODULE(tavrel, module) {
    module.doc() = "Late-bound Automation objects: tavrel.Dispatch(\"Prog.Id\") creates a registered class.";
    tavrelpy::RegisterComError(module);
    tavrelpy::RegisterValues(module);
    tavrelpy::RegisterDispatch(module);
}
