#include "components/general/general_helpers.h"

#include "platform/automation/error.h"
#include "platform/automation/error_numbers.h"
#include "platform/com/creation.h"
#include "platform/ui/ui_services.h"

namespace modTavrelGeneral {

namespace {

// The value converted to vt, or nothing when the standard conversion fails.
std::optional<Variant> converted(const VARIANT& value, VARTYPE vt, USHORT flags = 0) {
    Variant result;
    if (FAILED(VariantChangeType(&result, &value, flags, vt))) return std::nullopt;
    return result;
}

}  // namespace

void ShowErrorMessage(const std::u16string& text) {
    ui::MsgBox(u"Message:\r\n" + text, ui::vbOKOnly | ui::vbExclamation, u"");
}

ComPtr<IDispatch> CreateObjectEx(const std::u16string& progid) {
    try {
        return com::CreateObject(progid);
    } catch (const ComError& failure) {
        std::u16string description = u"CreateObject of [" + progid + u"] failed.";
        ShowErrorMessage(description);
        throw ComError(errnum::kCannotCreateObject, errsource::kComponents, description, failure.helpFile(), failure.helpContext());
    }
}

ComPtr<IDispatch> NewObject(const std::u16string& progid) { return CreateObjectEx(progid); }

ComPtr<IDispatch> NewDictionary() { return CreateObjectEx(u"Scripting.Dictionary"); }

std::u16string VarToStr(const VARIANT& value) {
    // As the language's own conversion writes Booleans: "True" and "False".
    auto v = converted(value, VT_BSTR, VARIANT_ALPHABOOL);
    return v ? std::u16string(BstrView(v->bstrVal)) : std::u16string();
}

LONG VarToLng(const VARIANT& value) {
    auto v = converted(value, VT_I4);
    return v ? v->lVal : 0;
}

bool VarToBool(const VARIANT& value) {
    auto v = converted(value, VT_BOOL);
    return v && v->boolVal != VARIANT_FALSE;
}

}  // namespace modTavrelGeneral
