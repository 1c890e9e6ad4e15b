// The value types of the module besides Python's own: tavrel.Null, tavrel.Variant (a value
// with an explicit Automation type), tavrel.Ref (a box for arguments passed by reference) and
// tavrel.Dispatch (an object reached through IDispatch).
#pragma once

#include <string>

#include <pybind11/pybind11.h>

#include "platform/automation/handles.h"

namespace tavrelpy {
namespace py = pybind11;

// The type of tavrel.Null; the module holds its only instance.
struct NullValue {};
py::handle TheNull();

// tavrel.Variant: a Variant of a chosen type, passed to calls as it is.
class TypedVariant {
public:
    explicit TypedVariant(Variant value) : value_(std::move(value)) {}
    const Variant& variant() const { return value_; }
    VARTYPE vt() const { return value_.vt; }

private:
    Variant value_;
};

// tavrel.Ref: an argument passed by reference; the callee's change lands in value.
struct ByRef {
    py::object value;
};

// tavrel.Dispatch: holds one reference to the object for as long as the wrapper lives.
class DispatchObject {
public:
    explicit DispatchObject(ComPtr<IDispatch> object) : object_(std::move(object)) {}
    IDispatch* get() const { return object_.get(); }
    const ComPtr<IDispatch>& pointer() const { return object_; }

private:
    ComPtr<IDispatch> object_;
};

// The C++ value inside a Python object of one of these classes. TypeError for any other object,
// and for one whose __init__ never ran (T.__new__(T)), which pybind11 would hand out as
// uninitialised memory.
template <class T>
T& Unwrap(py::handle object) {
    if (!py::isinstance<T>(object))
        throw py::type_error(std::string("tavrel: expected a ") + py::detail::get_type_info(typeid(T))->type->tp_name);
    auto* instance = reinterpret_cast<py::detail::instance*>(object.ptr());
    py::detail::value_and_holder holder = instance->get_value_and_holder(py::detail::get_type_info(typeid(T)));
    if (!holder || !holder.holder_constructed())
        throw py::type_error(std::string(Py_TYPE(object.ptr())->tp_name) + " object was not initialised");
    return *holder.value_ptr<T>();
}

}  // namespace tavrelpy
