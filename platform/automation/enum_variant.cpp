// The enumerator: Next copies values out and advances, S_FALSE when fewer remained than asked.
#include "platform/automation/enum_variant.h"

#include <algorithm>
#include <memory>

#include "platform/automation/error.h"
#include "platform/automation/object_base.h"

namespace automation {
namespace {

struct Values {
    std::vector<Variant> items;
    std::shared_ptr<const void> owner;

    size_t size() const { return items.size(); }
    const Variant& operator[](size_t i) const { return items[i]; }
};

class EnumVariant final : public automation::SingleInterfaceObject<EnumVariant, IEnumVARIANT, IID_IEnumVARIANT> {
public:
    EnumVariant(std::shared_ptr<const Values> values, size_t position)
        : values_(std::move(values)), position_(position) {}

    // The fetched count may be left out only when one value is asked for. If a copy fails, what
    // this call copied is cleared and nothing counts as fetched.
    HRESULT Next(ULONG count, VARIANT* out, ULONG* fetched) override {
        if (!fetched && count != 1) return E_POINTER;
        if (fetched) *fetched = 0;
        if (count > 0 && !out) return E_POINTER;
        ULONG available = ULONG(std::min<size_t>(count, values_->size() - position_));
        for (ULONG i = 0; i < available; ++i) {
            VariantInit(&out[i]);
            HRESULT hr = VariantCopy(&out[i], &(*values_)[position_ + i]);
            if (FAILED(hr)) {
                for (ULONG j = 0; j < i; ++j) VariantClear(&out[j]);
                return hr;
            }
        }
        position_ += available;
        if (fetched) *fetched = available;
        return available == count ? S_OK : S_FALSE;
    }

    HRESULT Skip(ULONG count) override {
        size_t remaining = values_->size() - position_;
        position_ += std::min<size_t>(count, remaining);
        return count <= remaining ? S_OK : S_FALSE;
    }

    HRESULT Reset() override {
        position_ = 0;
        return S_OK;
    }

    HRESULT Clone(IEnumVARIANT** result) override {
        if (!result) return E_POINTER;
        *result = nullptr;
        return CatchAtBoundary([&] {
            *result = ComPtr<IEnumVARIANT>(new EnumVariant(values_, position_)).detach();
            return S_OK;
        });
    }

private:
    std::shared_ptr<const Values> values_;
    size_t position_;
};

}  // namespace

ComPtr<IEnumVARIANT> MakeEnumVariant(std::vector<Variant> values, std::shared_ptr<const void> owner) {
    auto shared = std::make_shared<const Values>(Values{std::move(values), std::move(owner)});
    return ComPtr<IEnumVARIANT>(new EnumVariant(std::move(shared), 0));
}

HRESULT CreateEnumVariant(std::span<const VARIANT> values, IEnumVARIANT** result) {
    if (!result) return E_POINTER;
    *result = nullptr;
    return CatchAtBoundary([&] {
        std::vector<Variant> copies(values.size());
        for (size_t i = 0; i < values.size(); ++i) {
            HRESULT hr = VariantCopy(&copies[i], &values[i]);
            if (FAILED(hr)) return hr;
        }
        *result = MakeEnumVariant(std::move(copies)).detach();
        return S_OK;
    });
}

}  // namespace automation
