// The name of a Variant's type as TypeName reports it: "Long", "String", "Byte()", the name of
// an object's type information ("IDictionary"), "Nothing" for a null object reference.
//
// Kinds without a name of their own take the name of the kind of the same width: VT_INT is
// "Long" and VT_UINT "ULong"; VT_I1 is "SByte", VT_UI2 "UInteger", VT_UI4 "ULong", VT_I8
// "LongLong", VT_UI8 "ULongLong". Kinds a Variant cannot hold give "Unknown".
#pragma once

#include <string>

#include "platform/automation/interfaces.h"

namespace automation {

std::u16string TypeName(const VARIANT& v);
// The name of a kind alone, arrays included ("Integer", "Variant()"); objects are "Object" and
// "Unknown" here, as nothing says which object.
std::u16string TypeNameOfKind(VARTYPE vt);

}  // namespace automation
