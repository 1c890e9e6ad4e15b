// tavrel.com_error: the Python exception that carries an Automation error.
#pragma once

#include <pybind11/pybind11.h>

namespace tavrelpy {
namespace py = pybind11;

// Creates the exception class in the module and turns every ComError that reaches Python into
// it, with the attributes hresult, number, source, description, helpfile and helpcontext.
void RegisterComError(py::module_& module);

}  // namespace tavrelpy
