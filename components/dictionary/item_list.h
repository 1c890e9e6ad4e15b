// The dictionary's items: string keys (possibly null) with Variant values in the order they were
// added. Positions count from 1; a walk by position starts at the position found last when that
// lies at or before the asked one, so a walk from 1 to the count costs one step per item. Key
// lookups find the first item in list order whose key equals the asked one, the letters A-Z
// folded, through an index of the folded keys.
#pragma once

#include <cstdint>
#include <list>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/automation/handles.h"

namespace mossel {

struct Item {
    Bstr key;  // null: never found by a key
    Variant value;
    uint64_t order = 0;  // increases in list order
};

class ItemList {
public:
    using iterator = std::list<Item>::iterator;

    LONG count() const { return LONG(items_.size()); }
    iterator begin() { return items_.begin(); }
    iterator end() { return items_.end(); }

    // Appends an item with an Empty value; the key is copied up to its first null code unit.
    // Raises std::bad_alloc and then leaves the list as it was.
    iterator append(BSTR key);
    // The item an index Variant names (end() when none): a number (VT_I4, VT_I2, VT_UI1, one of
    // them by reference, or a Variant by reference) is a position, a string (VT_BSTR, also by
    // reference) a key; any other type names no item.
    iterator find(const VARIANT& index);
    iterator findPosition(LONG position);
    // A null key is looked up as the empty string.
    iterator findKey(std::u16string_view key);

    // The item gets a copy of the key (null stays null); std::bad_alloc leaves the old key.
    void rename(iterator item, BSTR key);
    void remove(iterator item);
    void clear();
    // Empties the position cache: the next walk by position starts at the first item.
    void forgetPosition() { cachedPosition_ = 0; }

    // Steps taken by walks along the list so far, for measuring the position cache.
    uint64_t walkSteps() const { return walkSteps_; }

private:
    static std::u16string Folded(std::u16string_view key);
    void addToIndex(iterator item);
    void removeFromIndex(iterator item);
    std::list<Item> items_;
    std::unordered_map<std::u16string, std::map<uint64_t, iterator>> index_;  // folded key -> items in order
    uint64_t nextOrder_ = 0;
    iterator cachedItem_{};
    LONG cachedPosition_ = 0;  // 0: nothing cached
    uint64_t walkSteps_ = 0;
};

}  // namespace mossel
