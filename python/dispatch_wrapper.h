// tavrel.Dispatch: attribute access, calls, indexing and iteration on an object, late-bound
// through its IDispatch.
#pragma once

#include <pybind11/pybind11.h>

#include "platform/automation/handles.h"

namespace tavrelpy {
namespace py = pybind11;

// Registers tavrel.Dispatch with its bound methods and enumerators, and tavrel.Invoke.
void RegisterDispatch(py::module_& module);

// One call with Python arguments; a tavrel.Ref argument goes by reference and receives what
// the callee leaves in it. For a put, value is the new value (last argument).
py::object InvokeWithArguments(IDispatch* object, DISPID member, WORD flags, py::handle args,
                               py::handle value = py::handle());

}  // namespace tavrelpy
