// The small helpers the program (as modGeneral) and the System component (as modTavrelGeneral)
// share: the error box for failed object creation, creation by ProgID, the dictionary factory,
// and three conversions of Variants that never fail.
#pragma once

#include <string>

#include "platform/automation/handles.h"

namespace modTavrelGeneral {

// A warning box with an OK button: "Message:", CR LF, then the text; no title.
void ShowErrorMessage(const std::u16string& text);

// The new object's IDispatch. On failure shows "CreateObject of [progid] failed." in the error
// box, then raises error 429 with source "Tavrel", that description, and the help file and
// context of the failure.
ComPtr<IDispatch> CreateObjectEx(const std::u16string& progid);
ComPtr<IDispatch> NewObject(const std::u16string& progid);
// A new "Scripting.Dictionary".
ComPtr<IDispatch> NewDictionary();

// The standard conversions; "", 0 and False when the value cannot be converted.
std::u16string VarToStr(const VARIANT& value);
LONG VarToLng(const VARIANT& value);
bool VarToBool(const VARIANT& value);

}  // namespace modTavrelGeneral

namespace modGeneral {
using modTavrelGeneral::CreateObjectEx;
using modTavrelGeneral::NewDictionary;
using modTavrelGeneral::NewObject;
using modTavrelGeneral::ShowErrorMessage;
using modTavrelGeneral::VarToBool;
using modTavrelGeneral::VarToLng;
using modTavrelGeneral::VarToStr;
}  // namespace modGeneral
