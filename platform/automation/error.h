// Errors of the Automation runtime: a C++ exception inside our code, a result code with error
// information at interface boundaries.
#pragma once

#include <exception>
#include <new>
#include <string>
#include <string_view>

#include "platform/automation/interfaces.h"

// An error raised with a number, source, description, help file and help context. A number
// that is an Automation error number (1..65535) travels as HRESULT 0x800A0000 + number; a
// negative number is an HRESULT already and travels as it is.
class ComError : public std::exception {
public:
    ComError(LONG number, std::u16string source, std::u16string description,
             std::u16string helpFile = {}, DWORD helpContext = 0);

    LONG number() const { return number_; }
    // The result the error travels as: the failed call's own result for an error made from one
    // (DISP_E_UNKNOWNNAME stays 0x80020006 though its number is 438), else from the number.
    HRESULT hresult() const;
    const std::u16string& source() const { return source_; }
    const std::u16string& description() const { return description_; }
    const std::u16string& helpFile() const { return helpFile_; }
    DWORD helpContext() const { return helpContext_; }
    const char* what() const noexcept override { return what_.c_str(); }

    // The number a caller sees for a failed result: the Automation error number for
    // 0x800A....; the runtime's own number for the results it renames (type mismatch 13,
    // overflow 6, ...); the result itself otherwise.
    static LONG numberFromHresult(HRESULT hr);
    // The error a failed call reported: its error information when the object set any,
    // otherwise the platform's text for the result.
    static ComError fromHresult(HRESULT hr, std::u16string source = {});
    // The error of an Invoke that failed with DISP_E_EXCEPTION, taken from its EXCEPINFO
    // (whose strings are freed).
    static ComError fromExcepInfo(EXCEPINFO& info);

private:
    LONG number_;
    HRESULT result_ = S_OK;
    std::u16string source_, description_, helpFile_;
    DWORD helpContext_;
    std::string what_;
};

// Sets this thread's error information from the error and returns its HRESULT: what a component
// method does when it turns an exception into a result.
HRESULT SetErrorInfoFrom(const ComError& error);
// The description with which a procedure raises a caught error again: head, CR LF CR LF,
// "Reason: " and the error's own description, CR LF, "Error: 0x" and its number in upper-case
// hexadecimal.
std::u16string DescriptionWithReason(std::u16string_view head, const ComError& reason);
// The error with another description; it keeps its number, source and help, and travels by its
// number.
ComError WithDescription(const ComError& error, std::u16string description);

// Fills an EXCEPINFO for IDispatch::Invoke.
void FillExcepInfo(const ComError& error, EXCEPINFO* info);

// Runs the body of a call at an interface boundary so that no exception leaves it: a ComError
// becomes its HRESULT with error information, memory exhaustion E_OUTOFMEMORY and anything
// else E_UNEXPECTED.
template <class Body>
HRESULT CatchAtBoundary(Body&& body) noexcept {
    try {
        return body();
    } catch (const ComError& error) {
        return SetErrorInfoFrom(error);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

// The platform's per-thread error information object.
HRESULT CreateErrorInfo(ICreateErrorInfo** pperrinfo);
HRESULT SetErrorInfo(ULONG dwReserved, IErrorInfo* perrinfo);
HRESULT GetErrorInfo(ULONG dwReserved, IErrorInfo** pperrinfo);  // S_FALSE when there is none; clears it

// The system's message text for a system error code, ending in CR LF as the platform's message
// table gives it; empty for a code the table lacks.
std::u16string SystemErrorMessage(DWORD code);
// The platform's text for a result code ("Type mismatch", "Class not registered", ...).
std::u16string DescribeHresult(HRESULT hr);
