// Table-driven GetIDsOfNames and Invoke: member lookup, argument binding and conversion,
// write-back of by-reference arguments, and the turning of exceptions into results.
#include "platform/automation/dispatch.h"

#include <cstring>
#include <new>
#include <optional>
#include <set>
#include <stdexcept>
#include <utility>

#include "platform/automation/ascii.h"

namespace automation {

Param Param::optional(Variant defaultValue) const {
    Param p = *this;
    p.optional_ = true;
    p.default_ = std::move(defaultValue);
    return p;
}

Param Param::byRef() const {
    Param p = *this;
    p.byRef_ = true;
    return p;
}

Variant& Arguments::byRef(size_t i) {
    written_.at(i) = true;
    return values_.at(i);
}

namespace {

bool isPut(MemberKind kind) { return kind == MemberKind::PropertyPut || kind == MemberKind::PropertyPutRef; }

bool isMissingMarker(const VARIANT& v) { return v.vt == VT_ERROR && v.scode == DISP_E_PARAMNOTFOUND; }

bool holdsObject(const VARIANT& v) {
    if (v.vt == (VT_VARIANT | VT_BYREF)) return v.pvarVal && holdsObject(*v.pvarVal);
    VARTYPE type = v.vt & ~VT_BYREF;
    return type == VT_DISPATCH || type == VT_UNKNOWN;
}

bool accepts(MemberKind kind, WORD flags) {
    switch (kind) {
    case MemberKind::Method: return flags & DISPATCH_METHOD;
    case MemberKind::PropertyGet: return flags & DISPATCH_PROPERTYGET;
    case MemberKind::PropertyPut: return flags & DISPATCH_PROPERTYPUT;
    case MemberKind::PropertyPutRef: return flags & DISPATCH_PROPERTYPUTREF;
    }
    return false;
}

const MemberDescription* findByName(const InterfaceDescription& description, std::u16string_view name) {
    for (const auto& member : description.members)
        if (EqualIgnoringAsciiCase(member.name, name)) return &member;
    return nullptr;
}

// A parameter's DISPID is its position; the members sharing the name (get, put, put-reference) are all searched.
std::optional<DISPID> findParamId(const InterfaceDescription& description, std::u16string_view member,
                                  std::u16string_view name) {
    for (const auto& m : description.members) {
        if (!EqualIgnoringAsciiCase(m.name, member)) continue;
        for (size_t i = 0; i < m.params.size(); ++i)
            if (EqualIgnoringAsciiCase(m.params[i].name(), name)) return DISPID(i);
    }
    return std::nullopt;
}

// The member an invocation reaches. With put and put-reference both asked for, an object value
// goes to the put-reference member when there is one.
std::optional<size_t> findMember(const InterfaceDescription& description, DISPID id, WORD flags,
                                 const DISPPARAMS& params) {
    std::optional<MemberKind> preferred;
    if ((flags & DISPATCH_PROPERTYPUT) && (flags & DISPATCH_PROPERTYPUTREF))
        preferred = params.cArgs > 0 && holdsObject(params.rgvarg[0]) ? MemberKind::PropertyPutRef
                                                                        : MemberKind::PropertyPut;
    std::optional<size_t> found;
    for (size_t i = 0; i < description.members.size(); ++i) {
        const auto& m = description.members[i];
        if (m.id != id || !accepts(m.kind, flags)) continue;
        if (!found || (preferred && m.kind == *preferred)) found = i;
    }
    return found;
}

bool wellFormed(const DISPPARAMS& params) {
    if (params.cNamedArgs > params.cArgs) return false;
    if (params.cArgs > 0 && !params.rgvarg) return false;
    return params.cNamedArgs == 0 || params.rgdispidNamedArgs;
}

HRESULT conversionFailure(HRESULT hr) { return hr == DISP_E_OVERFLOW ? hr : DISP_E_TYPEMISMATCH; }

// The value converted to type; arrays must already be of that type.
HRESULT convertTo(const VARIANT& value, VARTYPE type, Variant& out) {
    if (value.vt == type) return VariantCopy(&out, &value);
    if ((type & VT_ARRAY) || (value.vt & VT_ARRAY)) return DISP_E_TYPEMISMATCH;
    // A Boolean passed for a String parameter arrives as "True" or "False", as the language
    // passes it.
    HRESULT hr = VariantChangeType(&out, &value, VARIANT_ALPHABOOL, type);
    return FAILED(hr) ? conversionFailure(hr) : hr;
}

// Bytes that a VT_BYREF of the given kind points at.
size_t referencedSize(VARTYPE type) {
    if (type & VT_ARRAY) return sizeof(SAFEARRAY*);
    return VariantElementSize(type);
}

// Stores value into what a VT_BYREF argument points at, converted to the referenced kind; the
// value held there before is released.
HRESULT storeThroughReference(VARIANT& reference, const VARIANT& value) {
    if (!reference.byref) return E_INVALIDARG;
    VARTYPE type = reference.vt & ~VT_BYREF;
    if (type == VT_VARIANT) return VariantCopy(reference.pvarVal, &value);
    Variant converted;
    HRESULT hr = convertTo(value, type, converted);
    if (FAILED(hr)) return hr;
    if (type == VT_DECIMAL) {
        DECIMAL d = converted.decVal;
        d.wReserved = 0;
        *reference.pdecVal = d;
        return S_OK;
    }
    size_t size = referencedSize(type);
    if (size == 0 || size > sizeof(converted.llVal)) return DISP_E_BADVARTYPE;
    Variant old;
    old.vt = type;
    std::memcpy(&old.llVal, reference.byref, size);
    hr = VariantClear(&old);
    if (FAILED(hr)) {
        VariantInit(&old);  // the old value still belongs to the reference
        return hr;
    }
    std::memcpy(reference.byref, &converted.llVal, size);
    VariantInit(&converted);  // its contents now belong to the reference
    return S_OK;
}

HRESULT raise(const ComError& error, EXCEPINFO* excepInfo) {
    if (!excepInfo) return SetErrorInfoFrom(error);
    FillExcepInfo(error, excepInfo);
    return DISP_E_EXCEPTION;
}

}  // namespace

// Matches the caller's arguments to a member's parameters and converts them.
class ArgumentBinder {
public:
    ArgumentBinder(const MemberDescription& member, const DISPPARAMS& params)
        : member_(member), params_(params), sources_(member.params.size()) {}

    HRESULT bind(Arguments& args, std::optional<UINT>& badArg) {
        HRESULT hr = placeNamed(badArg);
        if (SUCCEEDED(hr)) hr = placePositional(badArg);
        if (SUCCEEDED(hr)) hr = checkRequired();
        for (size_t i = 0; SUCCEEDED(hr) && i < sources_.size(); ++i) hr = convert(i, args, badArg);
        return hr;
    }

    static HRESULT writeBack(const MemberDescription& member, Arguments& args, std::optional<UINT>& badArg) {
        for (size_t i = 0; i < args.size(); ++i) {
            VARIANTARG* target = args.passed_[i];
            if (!args.written_[i] || !member.params[i].isByRef() || !target || !(target->vt & VT_BYREF)) continue;
            HRESULT hr = storeThroughReference(*target, args.values_[i]);
            if (FAILED(hr)) {
                badArg = args.positions_[i];
                return hr;
            }
        }
        return S_OK;
    }

private:
    size_t indexCount() const { return isPut(member_.kind) ? sources_.size() - 1 : sources_.size(); }

    HRESULT place(size_t param, UINT argument, std::optional<UINT>& badArg) {
        if (sources_[param]) {
            badArg = argument;
            return DISP_E_PARAMNOTFOUND;
        }
        sources_[param] = argument;
        return S_OK;
    }

    HRESULT placeNamed(std::optional<UINT>& badArg) {
        for (UINT k = 0; k < params_.cNamedArgs; ++k) {
            DISPID id = params_.rgdispidNamedArgs[k];
            size_t param;
            if (id == DISPID_PROPERTYPUT && isPut(member_.kind)) {
                param = sources_.size() - 1;
            } else if (id >= 0 && size_t(id) < indexCount()) {
                param = size_t(id);
            } else {
                badArg = k;
                return DISP_E_PARAMNOTFOUND;
            }
            HRESULT hr = place(param, k, badArg);
            if (FAILED(hr)) return hr;
        }
        return S_OK;
    }

    // Positional arguments stand after the named ones in rgvarg, the last argument first. A put
    // without the named DISPID_PROPERTYPUT takes its value from the last positional argument.
    HRESULT placePositional(std::optional<UINT>& badArg) {
        UINT positional = params_.cArgs - params_.cNamedArgs;
        if (isPut(member_.kind) && !sources_.back()) {
            if (positional == 0) return DISP_E_BADPARAMCOUNT;
            sources_.back() = params_.cNamedArgs;
            --positional;
        }
        if (positional > indexCount()) return DISP_E_BADPARAMCOUNT;
        for (UINT p = 0; p < positional; ++p) {
            HRESULT hr = place(p, params_.cArgs - 1 - p, badArg);
            if (FAILED(hr)) return hr;
        }
        return S_OK;
    }

    // A required parameter that got nothing: too few arguments, or (with named arguments) one left out.
    HRESULT checkRequired() const {
        bool namedIndexArguments = false;
        for (UINT k = 0; k < params_.cNamedArgs; ++k)
            namedIndexArguments |= params_.rgdispidNamedArgs[k] != DISPID_PROPERTYPUT;
        for (size_t i = 0; i < sources_.size(); ++i)
            if (!sources_[i] && !member_.params[i].isOptional())
                return namedIndexArguments ? DISP_E_PARAMNOTOPTIONAL : DISP_E_BADPARAMCOUNT;
        return S_OK;
    }

    HRESULT convert(size_t i, Arguments& args, std::optional<UINT>& badArg) {
        const Param& param = member_.params[i];
        VARIANTARG* passed = sources_[i] ? &params_.rgvarg[*sources_[i]] : nullptr;
        args.passed_.push_back(passed);
        args.positions_.push_back(sources_[i].value_or(0));
        args.written_.push_back(false);
        Variant& value = args.values_.emplace_back();
        if (!passed || isMissingMarker(*passed)) {
            if (param.isOptional()) {
                value = param.defaultValue();
                return S_OK;
            }
            if (passed) badArg = *sources_[i];
            return DISP_E_PARAMNOTOPTIONAL;
        }
        HRESULT hr = coerce(*passed, param.type(), value);
        if (FAILED(hr)) badArg = *sources_[i];
        return hr;
    }

    static HRESULT coerce(const VARIANT& argument, VARTYPE type, Variant& out) {
        Variant direct;
        HRESULT hr = VariantCopyInd(&direct, &argument);
        if (FAILED(hr)) return hr;
        if (type == VT_VARIANT || direct.vt == type) {
            out = std::move(direct);
            return S_OK;
        }
        return convertTo(direct, type, out);
    }

    const MemberDescription& member_;
    const DISPPARAMS& params_;
    std::vector<std::optional<UINT>> sources_;  // rgvarg index of each parameter's argument
};

DispatchTable::DispatchTable(InterfaceDescription description, std::vector<Handler> handlers)
    : description_(std::move(description)), handlers_(std::move(handlers)) {}

void DispatchTable::validate() const {
    std::set<std::pair<DISPID, MemberKind>> seen;
    for (const auto& m : description_.members) {
        if (isPut(m.kind) && m.params.empty())
            throw std::logic_error("a property put needs a value parameter");
        if (!seen.insert({m.id, m.kind}).second) throw std::logic_error("a DISPID is declared twice for one kind");
        if (const MemberDescription* first = findByName(description_, m.name); first->id != m.id)
            throw std::logic_error("one member name has two DISPIDs");
        bool optionalSeen = false;
        size_t valueIndex = isPut(m.kind) ? m.params.size() - 1 : m.params.size();
        for (size_t i = 0; i < valueIndex; ++i) {
            if (optionalSeen && !m.params[i].isOptional())
                throw std::logic_error("a required parameter follows an optional one");
            optionalSeen |= m.params[i].isOptional();
        }
    }
}

HRESULT LookupIdsOfNames(const InterfaceDescription& description, LPOLESTR* names, UINT count, DISPID* ids) {
    if (count == 0) return S_OK;
    if (!names || !ids) return E_INVALIDARG;
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    const MemberDescription* member = names[0] ? findByName(description, names[0]) : nullptr;
    if (!member) return DISP_E_UNKNOWNNAME;
    ids[0] = member->id;
    HRESULT hr = S_OK;
    for (UINT i = 1; i < count; ++i) {
        std::optional<DISPID> id = names[i] ? findParamId(description, member->name, names[i]) : std::nullopt;
        if (id)
            ids[i] = *id;
        else
            hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

HRESULT InvokeMember(const DispatchTable& table, void* object, DISPID member, REFIID riid, WORD flags,
                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* excepInfo, UINT* argErr) noexcept {
    if (riid != GUID_NULL) return DISP_E_UNKNOWNINTERFACE;
    if (!params || !wellFormed(*params)) return E_INVALIDARG;
    try {
        std::optional<size_t> index = findMember(table.description(), member, flags, *params);
        if (!index) return DISP_E_MEMBERNOTFOUND;
        const MemberDescription& description = table.description().members[*index];

        Arguments args;
        std::optional<UINT> badArg;
        HRESULT hr = ArgumentBinder(description, *params).bind(args, badArg);
        if (SUCCEEDED(hr)) {
            Variant value = table.handler(*index)(object, args);
            hr = ArgumentBinder::writeBack(description, args, badArg);
            if (SUCCEEDED(hr) && result && !isPut(description.kind)) *result = value.detach();
        }
        if (FAILED(hr) && badArg && argErr) *argErr = *badArg;
        return FAILED(hr) ? hr : S_OK;
    } catch (const FailedResult& failed) {
        return failed.hr;
    } catch (const ComError& error) {
        return raise(error, excepInfo);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

}  // namespace automation
