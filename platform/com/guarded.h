// The body of a call at a component boundary: no exception leaves it, memory exhaustion
// becomes E_OUTOFMEMORY and anything else E_UNEXPECTED.
#pragma once

#include <new>

#include "platform/automation/types.h"

namespace com::detail {

template <class F>
HRESULT Guarded(F body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

}  // namespace com::detail
