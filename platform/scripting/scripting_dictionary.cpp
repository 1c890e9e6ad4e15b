#include "platform/scripting/scripting_dictionary.h"

#include "platform/automation/arrays.h"
#include "platform/automation/ascii.h"
#include "platform/automation/enum_variant.h"

namespace scripting {

namespace {

using automation::Arguments;
using automation::Param;

constexpr LONG kErrDuplicateKey = 457;
constexpr LONG kErrElementNotFound = 32811;
constexpr LONG kErrInvalidArgument = 5;
const std::u16string kSource = u"Scripting.Dictionary";

[[noreturn]] void raise(LONG number) {
    throw ComError(number, kSource, DescribeHresult(HRESULT_FROM_ERRNUMBER(number)));
}

bool sameText(std::u16string_view a, std::u16string_view b, CompareMode mode) {
    return mode == CompareMode::Binary ? a == b : automation::EqualIgnoringAsciiCase(a, b);
}

bool isNumberKind(VARTYPE vt) {
    switch (vt) {
    case VT_I1: case VT_I2: case VT_I4: case VT_I8: case VT_UI1: case VT_UI2: case VT_UI4: case VT_UI8:
    case VT_INT: case VT_UINT: case VT_R4: case VT_R8: case VT_CY: case VT_DECIMAL: case VT_DATE: case VT_BOOL:
        return true;
    default:
        return false;
    }
}

// Keys of the same value match whatever their numeric kind; strings by the compare mode; objects
// by identity.
bool sameKey(const VARIANT& a, const VARIANT& b, CompareMode mode) {
    if (a.vt == VT_BSTR && b.vt == VT_BSTR) return sameText(BstrView(a.bstrVal), BstrView(b.bstrVal), mode);
    if (isNumberKind(a.vt) && isNumberKind(b.vt)) {
        Variant x, y;
        if (FAILED(VariantChangeType(&x, &a, 0, VT_R8)) || FAILED(VariantChangeType(&y, &b, 0, VT_R8))) return false;
        return x.dblVal == y.dblVal;
    }
    if ((a.vt == VT_DISPATCH || a.vt == VT_UNKNOWN) && (b.vt == VT_DISPATCH || b.vt == VT_UNKNOWN))
        return a.punkVal == b.punkVal;
    return a.vt == b.vt && (a.vt == VT_EMPTY || a.vt == VT_NULL);
}

}  // namespace

std::optional<size_t> ScriptingDictionary::find(const VARIANT& key) const {
    Variant k = storedKey(key);
    for (size_t i = 0; i < entries_.size(); ++i)
        if (sameKey(entries_[i].key, k, mode_)) return i;
    return std::nullopt;
}

// A key is kept as a value of its own: references are read through, arrays are refused.
Variant ScriptingDictionary::storedKey(const VARIANT& key) const {
    Variant k;
    HRESULT hr = VariantCopyInd(&k, &key);
    if (FAILED(hr)) throw ComError::fromHresult(hr, kSource);
    if (k.vt & VT_ARRAY) raise(kErrInvalidArgument);
    return k;
}

void ScriptingDictionary::add(const VARIANT& key, const VARIANT& item) {
    if (find(key)) raise(kErrDuplicateKey);
    Variant value;
    HRESULT hr = VariantCopyInd(&value, &item);
    if (FAILED(hr)) throw ComError::fromHresult(hr, kSource);
    entries_.push_back({storedKey(key), std::move(value)});
}

bool ScriptingDictionary::exists(const VARIANT& key) const { return find(key).has_value(); }

Variant ScriptingDictionary::item(const VARIANT& key) const {
    auto at = find(key);
    return at ? entries_[*at].item : Variant();
}

void ScriptingDictionary::setItem(const VARIANT& key, const VARIANT& item) {
    auto at = find(key);
    if (!at) return add(key, item);
    Variant value;
    HRESULT hr = VariantCopyInd(&value, &item);
    if (FAILED(hr)) throw ComError::fromHresult(hr, kSource);
    entries_[*at].item = std::move(value);
}

void ScriptingDictionary::remove(const VARIANT& key) {
    auto at = find(key);
    if (!at) raise(kErrElementNotFound);
    entries_.erase(entries_.begin() + std::ptrdiff_t(*at));
}

void ScriptingDictionary::removeAll() { entries_.clear(); }

void ScriptingDictionary::rename(const VARIANT& key, const VARIANT& newKey) {
    auto at = find(key);
    if (!at) raise(kErrElementNotFound);
    auto clash = find(newKey);
    if (clash && *clash != *at) raise(kErrDuplicateKey);
    entries_[*at].key = storedKey(newKey);
}

std::vector<Variant> ScriptingDictionary::keyList() const {
    std::vector<Variant> keys;
    for (const Entry& e : entries_) keys.push_back(e.key);
    return keys;
}

Variant ScriptingDictionary::keys() const { return automation::VariantArray(keyList()); }

Variant ScriptingDictionary::items() const {
    std::vector<Variant> items;
    for (const Entry& e : entries_) items.push_back(e.item);
    return automation::VariantArray(std::move(items));
}

void ScriptingDictionary::setCompareMode(LONG mode) {
    if (mode != LONG(CompareMode::Binary) && mode != LONG(CompareMode::Text)) raise(kErrInvalidArgument);
    if (!entries_.empty()) raise(kErrInvalidArgument);
    mode_ = CompareMode(mode);
}

// An enumeration visits the keys, as the scripting runtime's does.
Variant ScriptingDictionary::newEnum() const {
    return Variant::fromUnknown(automation::MakeEnumVariant(keyList()).get());
}

const automation::DispatchTable& ScriptingDictionary::dispatchTable() {
    using B = automation::DispatchTable::Builder<ScriptingDictionary>;
    using D = ScriptingDictionary;
    static const automation::DispatchTable table =
        B(u"Dictionary", IID_IScriptingDictionary)
            .help(u"Scripting.Dictionary")
            .putRef(u"Item", 0, {Param(u"Key"), Param(u"pRetItem")}, [](D& d, Arguments& a) { d.setItem(a[0], a[1]); })
            .put(u"Item", 0, {Param(u"Key"), Param(u"pRetItem")}, [](D& d, Arguments& a) { d.setItem(a[0], a[1]); })
            .get(u"Item", 0, {Param(u"Key")}, [](D& d, Arguments& a) { return d.item(a[0]); })
            .method(u"Add", 1, {Param(u"Key"), Param(u"Item")}, [](D& d, Arguments& a) { d.add(a[0], a[1]); })
            .get(u"Count", 2, {}, [](D& d, Arguments&) { return Variant::fromLong(d.count()); })
            .method(u"Exists", 3, {Param(u"Key")}, [](D& d, Arguments& a) { return Variant::fromBool(d.exists(a[0])); })
            .method(u"Items", 4, {}, [](D& d, Arguments&) { return d.items(); })
            .put(u"Key", 5, {Param(u"Key"), Param(u"rhs")}, [](D& d, Arguments& a) { d.rename(a[0], a[1]); })
            .method(u"Keys", 6, {}, [](D& d, Arguments&) { return d.keys(); })
            .method(u"Remove", 7, {Param(u"Key")}, [](D& d, Arguments& a) { d.remove(a[0]); })
            .method(u"RemoveAll", 8, {}, [](D& d, Arguments&) { d.removeAll(); })
            .put(u"CompareMode", 9, {Param(u"pcomp", VT_I4)}, [](D& d, Arguments& a) { d.setCompareMode(a[0].lVal); })
            .get(u"CompareMode", 9, {}, [](D& d, Arguments&) { return Variant::fromLong(LONG(d.mode_)); })
            .get(u"_NewEnum", DISPID_NEWENUM, {}, [](D& d, Arguments&) { return d.newEnum(); },
                 {.hidden = true, .restricted = true, .helpString = {}})
            .build();
    return table;
}

HRESULT CreateScriptingDictionary(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    return CatchAtBoundary([&] { return ScriptingDictionary::create()->QueryInterface(riid, ppv); });
}

}  // namespace scripting
