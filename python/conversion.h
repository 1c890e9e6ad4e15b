// Python values to Variants and back.
#pragma once

#include <string>
#include <string_view>

#include <pybind11/pybind11.h>

#include "platform/automation/handles.h"

namespace tavrelpy {
namespace py = pybind11;

// Python text to UTF-16 and back; lone surrogates cross unchanged.
std::u16string ToUtf16(py::handle text);
py::str FromUtf16(std::u16string_view text);

// The Variant a Python value becomes (None -> Empty, int -> Long or Double, list -> Variant(),
// ...). TypeError for values that have none, OverflowError for numbers that do not fit.
Variant ToVariant(py::handle value);
// The value as a Variant of the given type: integers straight to the 64-bit and error kinds,
// everything else through the Automation conversion rules (ComError when they refuse).
Variant ToVariantOfType(py::handle value, VARTYPE vt);
// The Python value of a Variant; a reference is followed to what it refers to.
py::object FromVariant(const VARIANT& value);
// An int that is not a bool.
bool IsPythonInt(py::handle value);
// A type tag in hexadecimal, "0x0011".
std::string HexType(VARTYPE vt);
// The payload of an Error Variant as Python sees it: the SCODE as an unsigned 32-bit number.
py::int_ ScodeToPython(SCODE scode);
// An HRESULT as an unsigned 32-bit number, as written in the platform's headers (0x800401F3).
py::int_ HresultToPython(HRESULT hr);

}  // namespace tavrelpy
