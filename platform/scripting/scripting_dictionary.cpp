#include "platform/scripting/scripting_dictionary.h"

#include <cmath>
#include <cstring>
#include <iterator>

#include "platform/automation/arrays.h"
#include "platform/automation/ascii.h"
#include "platform/automation/enum_variant.h"
#include "platform/automation/error_numbers.h"

namespace scripting {

namespace {

using automation::Arguments;
using automation::Param;

const std::u16string kSource = u"Scripting.Dictionary";

[[noreturn]] void raise(LONG number) {
    throw ComError(number, kSource, DescribeHresult(HRESULT_FROM_ERRNUMBER(number)));
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

}  // namespace

// Keys of the same value match whatever their numeric kind (1 and 1.0, True and -1); strings by
// the compare mode; objects by identity; Empty and Null each match themselves. Each such class
// of keys has one text of its own, which the hash index is keyed by. Other keys (errors, NaN)
// match nothing, not even themselves, and have none.
std::optional<std::u16string> ScriptingDictionary::matchKey(const VARIANT& key) const {
    if (key.vt == VT_BSTR) {
        std::u16string_view text = BstrView(key.bstrVal);
        return u'S' + (mode_ == CompareMode::Binary ? std::u16string(text) : automation::AsciiUppercase(text));
    }
    if (isNumberKind(key.vt)) {
        Variant number;
        if (FAILED(VariantChangeType(&number, &key, 0, VT_R8)) || std::isnan(number.dblVal)) return std::nullopt;
        double value = number.dblVal == 0 ? 0.0 : number.dblVal;  // -0 matches 0
        char16_t bits[sizeof value / sizeof(char16_t)];
        std::memcpy(bits, &value, sizeof value);
        return u'N' + std::u16string(bits, std::size(bits));
    }
    if (key.vt == VT_DISPATCH || key.vt == VT_UNKNOWN) {
        char16_t bits[sizeof(void*) / sizeof(char16_t)];
        std::memcpy(bits, &key.punkVal, sizeof(void*));
        return u'O' + std::u16string(bits, std::size(bits));
    }
    if (key.vt == VT_EMPTY) return u"E";
    if (key.vt == VT_NULL) return u"Z";
    return std::nullopt;
}

std::optional<size_t> ScriptingDictionary::find(const VARIANT& key) const {
    auto match = matchKey(storedKey(key));
    if (!match) return std::nullopt;
    auto at = index_.find(*match);
    return at == index_.end() ? std::nullopt : std::optional<size_t>(at->second);
}

void ScriptingDictionary::reindexFrom(size_t first) {
    for (size_t i = first; i < entries_.size(); ++i)
        if (auto match = matchKey(entries_[i].key)) index_[*match] = i;
}

// A key is kept as a value of its own: references are read through, arrays are refused.
Variant ScriptingDictionary::storedKey(const VARIANT& key) const {
    Variant k;
    HRESULT hr = VariantCopyInd(&k, &key);
    if (FAILED(hr)) throw ComError::fromHresult(hr, kSource);
    if (k.vt & VT_ARRAY) raise(errnum::kInvalidProcedureCall);
    return k;
}

void ScriptingDictionary::add(const VARIANT& key, const VARIANT& item) {
    if (find(key)) raise(errnum::kDuplicateKey);
    Variant value;
    HRESULT hr = VariantCopyInd(&value, &item);
    if (FAILED(hr)) throw ComError::fromHresult(hr, kSource);
    Variant stored = storedKey(key);
    auto match = matchKey(stored);
    entries_.push_back({std::move(stored), std::move(value)});
    if (match) index_[*match] = entries_.size() - 1;
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
    if (!at) raise(errnum::kElementNotFound);
    if (auto match = matchKey(entries_[*at].key)) index_.erase(*match);
    entries_.erase(entries_.begin() + std::ptrdiff_t(*at));
    reindexFrom(*at);
}

void ScriptingDictionary::removeAll() {
    entries_.clear();
    index_.clear();
}

void ScriptingDictionary::rename(const VARIANT& key, const VARIANT& newKey) {
    auto at = find(key);
    if (!at) raise(errnum::kElementNotFound);
    auto clash = find(newKey);
    if (clash && *clash != *at) raise(errnum::kDuplicateKey);
    Variant stored = storedKey(newKey);
    if (auto match = matchKey(entries_[*at].key)) index_.erase(*match);
    entries_[*at].key = std::move(stored);
    reindexFrom(*at);
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
    if (mode != LONG(CompareMode::Binary) && mode != LONG(CompareMode::Text)) raise(errnum::kInvalidProcedureCall);
    if (!entries_.empty()) raise(errnum::kInvalidProcedureCall);
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
