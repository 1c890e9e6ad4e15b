// A map from text keys to values that keeps its entries in the order their keys were first
// stored, compares keys exactly, gives an empty value for an absent key, replaces or appends on
// assignment, and refuses an explicit add of a key that is present (error 457). Its entries sit
// in one vector, so walking them is a plain loop.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/automation/error.h"
#include "platform/automation/error_numbers.h"

namespace modHlx {

template <class Value>
class OrderedMap {
public:
    struct Entry {
        std::u16string key;
        Value value;
        friend bool operator==(const Entry&, const Entry&) = default;
    };

    const std::vector<Entry>& entries() const { return entries_; }
    auto begin() const { return entries_.begin(); }
    auto end() const { return entries_.end(); }
    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    const Entry& at(std::size_t position) const { return entries_.at(position); }
    // The value of the entry at a position (from 0); the key stays as it is.
    Value& valueAt(std::size_t position) { return entries_.at(position).value; }

    bool contains(std::u16string_view key) const { return index_.find(key) != index_.end(); }

    // The value stored under key, or nullptr.
    const Value* find(std::u16string_view key) const {
        auto it = index_.find(key);
        return it == index_.end() ? nullptr : &entries_[it->second].value;
    }
    Value* find(std::u16string_view key) {
        auto it = index_.find(key);
        return it == index_.end() ? nullptr : &entries_[it->second].value;
    }

    // The value under key; an empty value when the key is absent.
    const Value& get(std::u16string_view key) const {
        static const Value absent{};
        const Value* value = find(key);
        return value ? *value : absent;
    }

    // Replaces the value of a present key, or appends the key.
    Value& assign(std::u16string_view key, Value value) {
        if (Value* present = find(key)) {
            *present = std::move(value);
            return *present;
        }
        return append(key, std::move(value));
    }

    // Appends the key; raises 457 when it is present already.
    Value& add(std::u16string_view key, Value value) {
        if (contains(key)) throw ComError(errnum::kDuplicateKey, {}, {});
        return append(key, std::move(value));
    }

    // The value under key, appended empty first when the key is absent.
    Value& obtain(std::u16string_view key) {
        if (Value* present = find(key)) return *present;
        return append(key, Value{});
    }

    friend bool operator==(const OrderedMap& a, const OrderedMap& b) { return a.entries_ == b.entries_; }

private:
    struct KeyHash {
        using is_transparent = void;
        std::size_t operator()(std::u16string_view key) const { return std::hash<std::u16string_view>{}(key); }
    };

    Value& append(std::u16string_view key, Value value) {
        entries_.push_back(Entry{std::u16string(key), std::move(value)});
        try {
            index_.emplace(entries_.back().key, entries_.size() - 1);
        } catch (...) {
            entries_.pop_back();
            throw;
        }
        return entries_.back().value;
    }

    std::vector<Entry> entries_;
    std::unordered_map<std::u16string, std::size_t, KeyHash, std::equal_to<>> index_;
};

}  // namespace modHlx
