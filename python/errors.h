// tavrel.com_error: the Python exception that carries an Automation error.
#pragma once

#include <pybind11/pybind11.h>

class ComError;

namespace tavrelpy {
namespace py = pybind11;

// Creates the exception class in the module and turns every ComError that reaches Python into
// it, with the attributes hresult, number, source, description, helpfile and helpcontext.
void RegisterComError(py::module_& module);

// Raises the error in Python as tavrel.com_attribute_error, which is both a tavrel.com_error and
// an AttributeError, so that hasattr and getattr with a default work on objects.
[[noreturn]] void ThrowAsAttributeError(const ComError& error);

}  // namespace tavrelpy
