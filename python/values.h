// The value types of the module besides Python's own: tavrel.Null, tavrel.Variant (a value
// with an explicit Automation type), tavrel.Ref (a box for arguments passed by reference) and
// tavrel.Dispatch (an object reached through IDispatch).
#pragma once

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

}  // namespace tavrelpy
