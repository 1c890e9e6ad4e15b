#include "python/errors.h"

#include <cstdio>

#include "platform/automation/error.h"
#include "python/conversion.h"

namespace tavrelpy {
namespace {

PyObject* comErrorType = nullptr;  // lives as long as the process: the module keeps it
PyObject* attributeErrorType = nullptr;  // com_error and AttributeError at once

constexpr const char* kComErrorDoc =
    "An Automation error. Attributes: hresult (unsigned 32-bit result code), number (the Automation "
    "error number for 0x800A.... results, otherwise the result code as a signed number), source, "
    "description, helpfile, helpcontext.";

py::str Message(const ComError& error) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(error.hresult()));
    py::str message = py::str("{}: {}").format(code, FromUtf16(error.description()));
    if (!error.source().empty()) message = py::str("{} ({})").format(message, FromUtf16(error.source()));
    return message;
}

void Raise(const ComError& error, PyObject* errorType = comErrorType) {
    py::handle type(errorType);
    py::object instance = type(Message(error));
    instance.attr("hresult") = HresultToPython(error.hresult());
    instance.attr("number") = py::int_(error.number());
    instance.attr("source") = FromUtf16(error.source());
    instance.attr("description") = FromUtf16(error.description());
    instance.attr("helpfile") = FromUtf16(error.helpFile());
    instance.attr("helpcontext") = py::int_(error.helpContext());
    PyErr_SetObject(errorType, instance.ptr());
}

}  // namespace

void RegisterComError(py::module_& module) {
    comErrorType = PyErr_NewExceptionWithDoc("tavrel.com_error", kComErrorDoc, PyExc_Exception, nullptr);
    if (!comErrorType) throw py::error_already_set();
    module.add_object("com_error", py::handle(comErrorType));
    const py::tuple bases = py::make_tuple(py::handle(comErrorType), py::handle(PyExc_AttributeError));
    attributeErrorType = PyErr_NewExceptionWithDoc("tavrel.com_attribute_error",
                                                   "A name the object does not know: a com_error and an AttributeError.",
                                                   bases.ptr(), nullptr);
    if (!attributeErrorType) throw py::error_already_set();
    module.add_object("com_attribute_error", py::handle(attributeErrorType));
    py::register_exception_translator([](std::exception_ptr pending) {
        try {
            if (pending) std::rethrow_exception(pending);
        } catch (const ComError& error) {
            try {
                Raise(error);
            } catch (py::error_already_set& failed) {
                failed.restore();
            }
        }
    });
}

void ThrowAsAttributeError(const ComError& error) {
    Raise(error, attributeErrorType);
    throw py::error_already_set();
}

}  // namespace tavrelpy
