// ComError, the conversions between it and result codes, and the texts of result codes.
#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>

#include "platform/automation/ascii.h"
#include "platform/automation/error.h"
#include "platform/automation/error_numbers.h"
#include "platform/automation/handles.h"
#include "platform/automation/utf.h"

namespace {

constexpr uint32_t automationFacility = 0x800A0000u;

bool isAutomationErrorNumber(LONG number) { return number >= 1 && number <= 0xFFFF; }

bool isAutomationResult(HRESULT result) {
    return (static_cast<uint32_t>(result) & 0xFFFF0000u) == automationFacility;
}

LONG automationNumberOf(HRESULT result) { return static_cast<LONG>(static_cast<uint32_t>(result) & 0xFFFFu); }

// An Automation result given as the number becomes its error number; 0 and numbers beyond 65535
// are not error numbers and are raised as error 5, as the runtime does.
LONG normalizedNumber(LONG number) {
    if (number < 0 && isAutomationResult(number)) number = automationNumberOf(number);
    return number < 0 || isAutomationErrorNumber(number) ? number : errnum::kInvalidProcedureCall;
}

struct ResultMapping {
    HRESULT result;
    LONG number;
};

// Results that the runtime reports to its callers under an error number of its own.
constexpr ResultMapping numberedResults[] = {
    {DISP_E_TYPEMISMATCH, 13},     {DISP_E_OVERFLOW, 6},          {DISP_E_BADPARAMCOUNT, 450},
    {DISP_E_PARAMNOTOPTIONAL, 449}, {DISP_E_MEMBERNOTFOUND, 438}, {DISP_E_UNKNOWNNAME, 438},
    {DISP_E_BADINDEX, 9},          {E_OUTOFMEMORY, 7},            {E_INVALIDARG, 5},
    {DISP_E_DIVBYZERO, 11},        {DISP_E_NONAMEDARGS, 446},     {DISP_E_PARAMNOTFOUND, 448},
    {E_NOINTERFACE, 430},          {DISP_E_BADVARTYPE, 458},      {DISP_E_ARRAYISLOCKED, 10},
};

struct NumberText {
    LONG number;
    const char16_t* text;
};

// The runtime's messages for its error numbers.
constexpr NumberText runtimeMessages[] = {
    {5, u"Invalid procedure call or argument"},
    {6, u"Overflow"},
    {7, u"Out of memory"},
    {9, u"Subscript out of range"},
    {10, u"This array is fixed or temporarily locked"},
    {458, u"Variable uses an Automation type not supported in VBScript"},
    {11, u"Division by zero"},
    {13, u"Type mismatch"},
    {14, u"Out of string space"},
    {28, u"Out of stack space"},
    {35, u"Sub or Function not defined"},
    {48, u"Error in loading DLL"},
    {51, u"Internal error"},
    {52, u"Bad file name or number"},
    {53, u"File not found"},
    {55, u"File already open"},
    {57, u"Device I/O error"},
    {58, u"File already exists"},
    {61, u"Disk full"},
    {62, u"Input past end of file"},
    {67, u"Too many files"},
    {68, u"Device unavailable"},
    {70, u"Permission denied"},
    {71, u"Disk not ready"},
    {74, u"Can't rename with different drive"},
    {75, u"Path/File access error"},
    {76, u"Path not found"},
    {91, u"Object variable or With block variable not set"},
    {94, u"Invalid use of Null"},
    {424, u"Object required"},
    {429, u"ActiveX component can't create object"},
    {430, u"Class does not support Automation or does not support expected interface"},
    {438, u"Object doesn't support this property or method"},
    {440, u"Automation error"},
    {445, u"Object doesn't support this action"},
    {446, u"Object doesn't support named arguments"},
    {448, u"Named argument not found"},
    {449, u"Argument not optional"},
    {450, u"Wrong number of arguments or invalid property assignment"},
    {457, u"This key is already associated with an element of this collection"},
    {5017, u"Syntax error in regular expression"},
    {5018, u"Unexpected quantifier"},
    {5019, u"Expected ']' in regular expression"},
    {5020, u"Expected ')' in regular expression"},
    {5021, u"Invalid range in character set"},
};

struct ResultText {
    HRESULT result;
    const char16_t* text;
};

// The system's messages for result codes.
constexpr ResultText systemMessages[] = {
    {S_OK, u"The operation completed successfully."},
    {E_UNEXPECTED, u"Catastrophic failure"},
    {E_NOTIMPL, u"Not implemented"},
    {E_NOINTERFACE, u"No such interface supported"},
    {E_POINTER, u"Invalid pointer"},
    {E_ABORT, u"Operation aborted"},
    {E_FAIL, u"Unspecified error"},
    {DISP_E_UNKNOWNINTERFACE, u"Unknown interface."},
    {DISP_E_MEMBERNOTFOUND, u"Member not found."},
    {DISP_E_PARAMNOTFOUND, u"Parameter not found."},
    {DISP_E_TYPEMISMATCH, u"Type mismatch."},
    {DISP_E_UNKNOWNNAME, u"Unknown name."},
    {DISP_E_NONAMEDARGS, u"No named arguments."},
    {DISP_E_BADVARTYPE, u"Bad variable type."},
    {DISP_E_EXCEPTION, u"Exception occurred."},
    {DISP_E_OVERFLOW, u"Out of present range."},
    {DISP_E_BADINDEX, u"Invalid index."},
    {DISP_E_UNKNOWNLCID, u"Unknown language."},
    {DISP_E_ARRAYISLOCKED, u"Memory is locked."},
    {DISP_E_BADPARAMCOUNT, u"Invalid number of parameters."},
    {DISP_E_PARAMNOTOPTIONAL, u"Parameter not optional."},
    {DISP_E_DIVBYZERO, u"Division by zero."},
    {TYPE_E_ELEMENTNOTFOUND, u"Element not found."},
    {STG_E_INVALIDFUNCTION, u"Unable to perform requested operation."},
    {STG_E_ACCESSDENIED, u"Access Denied."},
    {STG_E_INVALIDPOINTER, u"Invalid pointer error."},
    {STG_E_WRITEFAULT, u"A disk error occurred during a write operation."},
    {STG_E_READFAULT, u"A disk error occurred during a read operation."},
    {STG_E_MEDIUMFULL, u"There is insufficient disk space to complete operation."},
    {CLASS_E_NOAGGREGATION, u"Class does not support aggregation (or class object is remote)"},
    {CLASS_E_CLASSNOTAVAILABLE, u"ClassFactory cannot supply requested class"},
    {REGDB_E_READREGDB, u"Could not read key from registry"},
    {REGDB_E_WRITEREGDB, u"Could not write key to registry"},
    {REGDB_E_CLASSNOTREG, u"Class not registered"},
    {CO_E_DLLNOTFOUND, u"DLL for class not found"},
    {CO_E_CLASSSTRING, u"Invalid class string"},
    {CO_E_ERRORINDLL, u"Error in the DLL"},
    {HRESULT_FROM_WIN32(2), u"The system cannot find the file specified."},
    {HRESULT_FROM_WIN32(4), u"The system cannot open the file."},
    {HRESULT_FROM_WIN32(3), u"The system cannot find the path specified."},
    {E_ACCESSDENIED, u"Access is denied."},
    {E_HANDLE, u"The handle is invalid."},
    {HRESULT_FROM_WIN32(8), u"Not enough memory resources are available to process this command."},
    {E_OUTOFMEMORY, u"Not enough storage is available to complete this operation."},
    {HRESULT_FROM_WIN32(31), u"A device attached to the system is not functioning."},
    {HRESULT_FROM_WIN32(32), u"The process cannot access the file because it is being used by another process."},
    {HRESULT_FROM_WIN32(80), u"The file exists."},
    {E_INVALIDARG, u"The parameter is incorrect."},
    {HRESULT_FROM_WIN32(112), u"There is not enough space on the disk."},
    {HRESULT_FROM_WIN32(123), u"The filename, directory name, or volume label syntax is incorrect."},
    {HRESULT_FROM_WIN32(145), u"The directory is not empty."},
    {HRESULT_FROM_WIN32(183), u"Cannot create a file when that file already exists."},
    {HRESULT_FROM_WIN32(206), u"The filename or extension is too long."},
    {HRESULT_FROM_WIN32(267), u"The directory name is invalid."},
    {HRESULT_FROM_WIN32(126), u"The specified module could not be found."},
    {HRESULT_FROM_WIN32(127), u"The specified procedure could not be found."},
    {HRESULT_FROM_WIN32(234), u"More data is available."},
    {HRESULT_FROM_WIN32(259), u"No more data is available."},
    {HRESULT_FROM_WIN32(1009), u"The configuration registry database is corrupt."},
    {HRESULT_FROM_WIN32(1010), u"The configuration registry key is invalid."},
    {HRESULT_FROM_WIN32(1011), u"The configuration registry key could not be opened."},
    {HRESULT_FROM_WIN32(1012), u"The configuration registry key could not be read."},
    {HRESULT_FROM_WIN32(1013), u"The configuration registry key could not be written."},
    {HRESULT_FROM_WIN32(1015), u"The registry is corrupted."},
    {HRESULT_FROM_WIN32(1018), u"Illegal operation attempted on a registry key that has been marked for deletion."},
    {HRESULT_FROM_WIN32(1113), u"No mapping for the Unicode character exists in the target multi-byte code page."},
};

constexpr char16_t unknownRuntimeError[] = u"Application-defined or object-defined error";
constexpr char16_t unknownResult[] = u"Automation error";

const char16_t* runtimeMessage(LONG number) {
    auto it = std::find_if(std::begin(runtimeMessages), std::end(runtimeMessages),
                           [&](const NumberText& e) { return e.number == number; });
    return it != std::end(runtimeMessages) ? it->text : unknownRuntimeError;
}

const char16_t* systemMessage(HRESULT result) {
    auto it = std::find_if(std::begin(systemMessages), std::end(systemMessages),
                           [&](const ResultText& e) { return e.result == result; });
    return it != std::end(systemMessages) ? it->text : unknownResult;
}

std::u16string takeString(BSTR& b) {
    std::u16string text(BstrView(b));
    SysFreeString(b);
    b = nullptr;
    return text;
}

}  // namespace

ComError::ComError(LONG number, std::u16string source, std::u16string description, std::u16string helpFile,
                   DWORD helpContext)
    : number_(normalizedNumber(number)),
      source_(std::move(source)),
      description_(std::move(description)),
      helpFile_(std::move(helpFile)),
      helpContext_(helpContext) {
    if (description_.empty()) description_ = DescribeHresult(hresult());
    what_ = automation::Utf16ToUtf8(description_);
}

HRESULT ComError::hresult() const {
    if (FAILED(result_)) return result_;
    return number_ < 0 ? number_ : HRESULT_FROM_ERRNUMBER(number_);
}

LONG ComError::numberFromHresult(HRESULT result) {
    if (isAutomationResult(result)) return automationNumberOf(result);
    auto it = std::find_if(std::begin(numberedResults), std::end(numberedResults),
                           [&](const ResultMapping& m) { return m.result == result; });
    return it != std::end(numberedResults) ? it->number : result;
}

ComError ComError::fromHresult(HRESULT result, std::u16string source) {
    std::u16string description, helpFile;
    DWORD helpContext = 0;
    ComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, info.put()) == S_OK && info) {
        Bstr text;
        if (SUCCEEDED(info->GetSource(text.put())) && text.length() > 0) source = text.str();
        if (SUCCEEDED(info->GetDescription(text.put()))) description = text.str();
        if (SUCCEEDED(info->GetHelpFile(text.put()))) helpFile = text.str();
        info->GetHelpContext(&helpContext);
    }
    ComError error(numberFromHresult(result), std::move(source), std::move(description), std::move(helpFile),
                   helpContext);
    error.result_ = result;
    return error;
}

ComError ComError::fromExcepInfo(EXCEPINFO& info) {
    if (info.pfnDeferredFillIn) {
        auto fill = info.pfnDeferredFillIn;
        info.pfnDeferredFillIn = nullptr;
        fill(&info);
    }
    LONG number = info.scode != 0 ? numberFromHresult(info.scode)
                  : info.wCode != 0 ? LONG(info.wCode)
                                    : numberFromHresult(DISP_E_EXCEPTION);
    std::u16string source = takeString(info.bstrSource);
    std::u16string description = takeString(info.bstrDescription);
    std::u16string helpFile = takeString(info.bstrHelpFile);
    ComError error(number, std::move(source), std::move(description), std::move(helpFile), info.dwHelpContext);
    if (FAILED(info.scode)) error.result_ = info.scode;  // the method's own failure result
    return error;
}

HRESULT SetErrorInfoFrom(const ComError& error) {
    ComPtr<ICreateErrorInfo> create;
    if (SUCCEEDED(CreateErrorInfo(create.put()))) {
        create->SetGUID(GUID_NULL);
        create->SetSource(const_cast<LPOLESTR>(error.source().c_str()));
        create->SetDescription(const_cast<LPOLESTR>(error.description().c_str()));
        create->SetHelpFile(const_cast<LPOLESTR>(error.helpFile().c_str()));
        create->SetHelpContext(error.helpContext());
        ComPtr<IErrorInfo> info;
        if (SUCCEEDED(create.queryInterface(IID_IErrorInfo, info))) SetErrorInfo(0, info.get());
    }
    return error.hresult();
}

std::u16string DescriptionWithReason(std::u16string_view head, const ComError& reason) {
    return std::u16string(head) + u"\r\n\r\nReason: " + reason.description() + u"\r\nError: 0x" +
           automation::UpperHex(static_cast<uint32_t>(reason.number()));
}

ComError WithDescription(const ComError& error, std::u16string description) {
    return ComError(error.number(), error.source(), std::move(description), error.helpFile(), error.helpContext());
}

void FillExcepInfo(const ComError& error, EXCEPINFO* info) {
    if (!info) return;
    std::memset(info, 0, sizeof *info);
    info->bstrSource = SysAllocString(std::u16string_view(error.source()));
    info->bstrDescription = SysAllocString(std::u16string_view(error.description()));
    info->bstrHelpFile = SysAllocString(std::u16string_view(error.helpFile()));
    info->dwHelpContext = error.helpContext();
    info->scode = error.hresult();
}

std::u16string SystemErrorMessage(DWORD code) {
    HRESULT result = HRESULT_FROM_WIN32(code);
    auto it = std::find_if(std::begin(systemMessages), std::end(systemMessages),
                           [&](const ResultText& e) { return e.result == result; });
    return it != std::end(systemMessages) && code != 0 ? std::u16string(it->text) + u"\r\n" : std::u16string();
}

std::u16string DescribeHresult(HRESULT result) {
    if (isAutomationResult(result)) return runtimeMessage(automationNumberOf(result));
    return systemMessage(result);
}
