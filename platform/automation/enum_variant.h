// An IEnumVARIANT over its own copies of a list of values, for _NewEnum members. Clones share
// the values and keep their own position.
#pragma once

#include <memory>
#include <span>
#include <vector>

#include "platform/automation/handles.h"

namespace automation {

// Copies the values; fails with the copy's error (nothing is created then).
HRESULT CreateEnumVariant(std::span<const VARIANT> values, IEnumVARIANT** result);
// Takes the values over. The enumerator and its clones keep owner alive (a component module
// keeps itself loaded through it while any of them exists).
ComPtr<IEnumVARIANT> MakeEnumVariant(std::vector<Variant> values, std::shared_ptr<const void> owner = {});

}  // namespace automation
