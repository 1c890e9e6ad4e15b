#include "components/dictionary/item_list.h"

#include <iterator>
#include <utility>

#include "platform/automation/ascii.h"

namespace mossel {
namespace {

// The text up to its first null code unit.
std::u16string_view UpToNull(std::u16string_view text) { return text.substr(0, text.find(u'\0')); }

Bstr KeyCopy(BSTR key) {
    if (!key) return {};
    Bstr copy(UpToNull(BstrView(key)));
    if (copy.isNull()) throw std::bad_alloc();
    return copy;
}

bool IsPositionType(VARTYPE vt) {
    switch (vt & ~VT_BYREF) {
    case VT_I4:
    case VT_I2:
    case VT_UI1: return true;
    case VT_VARIANT: return (vt & VT_BYREF) != 0;
    default: return false;
    }
}

// The index as a 32-bit number; 0 (no position) when it does not convert.
LONG PositionOf(const VARIANT& index) {
    Variant direct, number;
    if (FAILED(VariantCopyInd(&direct, &index))) return 0;
    if (FAILED(VariantChangeType(&number, &direct, 0, VT_I4))) return 0;
    return number.lVal;
}

}  // namespace

std::u16string ItemList::Folded(std::u16string_view key) {
    std::u16string folded(UpToNull(key));
    for (char16_t& c : folded) c = automation::AsciiLower(c);
    return folded;
}

ItemList::iterator ItemList::append(BSTR key) {
    std::list<Item> added;
    added.push_back(Item{KeyCopy(key), Variant(), nextOrder_});
    const auto item = added.begin();
    items_.splice(items_.end(), added);
    try {
        addToIndex(item);
    } catch (...) {
        items_.erase(item);
        throw;
    }
    ++nextOrder_;
    return item;
}

ItemList::iterator ItemList::find(const VARIANT& index) {
    if ((index.vt & VT_BYREF) && !index.byref) return end();
    if (IsPositionType(index.vt)) return findPosition(PositionOf(index));
    if (index.vt == VT_BSTR) return findKey(BstrView(index.bstrVal));
    if (index.vt == (VT_BSTR | VT_BYREF)) return findKey(BstrView(*index.pbstrVal));
    return end();
}

ItemList::iterator ItemList::findPosition(LONG position) {
    if (position < 1 || position > count()) return end();
    iterator item = items_.begin();
    LONG at = 1;
    if (cachedPosition_ >= 1 && cachedPosition_ <= position) {
        item = cachedItem_;
        at = cachedPosition_;
    }
    for (; at < position; ++at, ++walkSteps_) ++item;
    cachedItem_ = item;
    cachedPosition_ = position;
    return item;
}

ItemList::iterator ItemList::findKey(std::u16string_view key) {
    const auto found = index_.find(Folded(key));
    return found == index_.end() ? end() : found->second.begin()->second;
}

void ItemList::rename(iterator item, BSTR key) {
    Bstr copy = KeyCopy(key);
    removeFromIndex(item);
    Bstr old = std::exchange(item->key, std::move(copy));
    try {
        addToIndex(item);
    } catch (...) {
        item->key = std::move(old);
        addToIndex(item);
        throw;
    }
}

void ItemList::remove(iterator item) {
    forgetPosition();
    removeFromIndex(item);
    items_.erase(item);
}

void ItemList::clear() {
    forgetPosition();
    index_.clear();
    items_.clear();
}

void ItemList::addToIndex(iterator item) {
    if (!item->key.isNull()) index_[Folded(item->key.view())].emplace(item->order, item);
}

void ItemList::removeFromIndex(iterator item) {
    if (item->key.isNull()) return;
    const auto bucket = index_.find(Folded(item->key.view()));
    if (bucket == index_.end()) return;
    bucket->second.erase(item->order);
    if (bucket->second.empty()) index_.erase(bucket);
}

}  // namespace mossel
