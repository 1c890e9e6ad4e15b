// The arrays that cross interfaces: access to an array's data, the one-dimensional arrays from
// index 0 that results are made of, and the bytes of byte arrays.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/handles.h"

namespace automation {

// Locks an array's data for as long as it lives. An array that cannot be locked raises
// ComError with the runtime's number for the failure.
class ArrayData {
public:
    explicit ArrayData(SAFEARRAY* array);
    ~ArrayData();
    ArrayData(const ArrayData&) = delete;
    ArrayData& operator=(const ArrayData&) = delete;

    template <class T>
    T* as() const { return static_cast<T*>(data_); }

private:
    SAFEARRAY* array_;
    void* data_ = nullptr;
};

// The element at index (one index per dimension) as a Variant of the element kind, holding its
// own copy of a string or reference of an object. Raises ComError 9 for an index out of range,
// 13 for an element kind a Variant cannot hold.
Variant ArrayElement(SAFEARRAY* array, const LONG* index, VARTYPE elementType);

// The functions below raise std::bad_alloc when memory runs out (or an array would have more
// elements than one can hold).

// count elements of the kind, each zero, Empty or a null pointer.
Variant NewVector(VARTYPE elementType, size_t count);
Variant ByteArray(std::string_view bytes);                     // Byte()
Variant StringArray(const std::vector<std::u16string>& texts);  // String()
Variant VariantArray(std::vector<Variant> values);              // Variant(), taking the values over

// The data of an array of one-byte elements, every dimension, in memory order; nothing for a
// null array.
std::string ArrayBytes(SAFEARRAY* array);

}  // namespace automation
