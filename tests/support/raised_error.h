// What a call raises, for tests of the errors that code under test raises.
#pragma once

#include <gtest/gtest.h>

#include "platform/automation/error.h"

namespace testsupport {

// The ComError the call raises; a test failure, and error 0, when it raises none.
template <class Call>
ComError ErrorOf(Call&& call) {
    try {
        call();
    } catch (const ComError& error) {
        return error;
    }
    ADD_FAILURE() << "the call raised no error";
    return ComError(0, {}, {});
}

// The number of the ComError the call raises, or 0 when it raises none.
template <class Call>
LONG ErrorNumberOf(Call&& call) {
    try {
        call();
    } catch (const ComError& error) {
        return error.number();
    }
    return 0;
}

}  // namespace testsupport
