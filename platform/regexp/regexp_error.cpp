#include "platform/regexp/regexp_error.h"
#include "platform/automation/error_numbers.h"

namespace regexp {

void RaiseError(LONG number) {
    throw ComError(number, errsource::kRegExp, DescribeHresult(HRESULT_FROM_ERRNUMBER(number)));
}

void RaiseLimitError(const std::u16string& what) {
    throw ComError(errnum::kRegExpSyntax, errsource::kRegExp, u"The pattern exceeds a limit of the regular-expression engine: " + what);
}

}  // namespace regexp
