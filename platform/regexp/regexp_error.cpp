#include "platform/regexp/regexp_error.h"

namespace regexp {

void RaiseError(LONG number) {
    throw ComError(number, kErrorSource, DescribeHresult(HRESULT_FROM_ERRNUMBER(number)));
}

void RaiseLimitError(const std::u16string& what) {
    throw ComError(kErrSyntax, kErrorSource, u"The pattern exceeds a limit of the regular-expression engine: " + what);
}

}  // namespace regexp
