// An IEnumVARIANT over its own copies of a list of values, for _NewEnum members. Clones share
// the values and keep their own position.
#pragma once

#include <span>
#include <vector>

#include "platform/automation/handles.h"

namespace automation {

// Copies the values; fails with the copy's error (nothing is created then).
HRESULT CreateEnumVariant(std::span<const VARIANT> values, IEnumVARIANT** result);
// Takes the values over.
ComPtr<IEnumVARIANT> MakeEnumVariant(std::vector<Variant> values);

}  // namespace automation
