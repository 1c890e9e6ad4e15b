// GUID text in the registry form "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/automation/types.h"

std::u16string GuidToString(REFGUID guid);                      // upper-case hexadecimal, in braces
std::optional<GUID> GuidFromString(std::u16string_view text);   // braces required; any letter case
int StringFromGUID2(REFGUID rguid, LPOLESTR lpsz, int cchMax);   // characters written with the null, 0 if too small
HRESULT CLSIDFromString(LPCOLESTR lpsz, CLSID* pclsid);          // CO_E_CLASSSTRING for bad text
HRESULT IIDFromString(LPCOLESTR lpsz, IID* piid);                // E_INVALIDARG for bad text
HRESULT CoCreateGuid(GUID* pguid);
