// The scripting runtime's keyed collection, "Scripting.Dictionary": items in first-insertion
// order; keys compared exactly (or, in text compare mode, without regard to case); reading an
// absent key gives Empty and adds nothing; Add of a present key fails with error 457.
#pragma once

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/automation/dispatch.h"

namespace scripting {

inline constexpr CLSID CLSID_ScriptingDictionary{0xEE09B103, 0x97E0, 0x11CF, {0x97, 0x8F, 0x00, 0xA0, 0x24, 0x63, 0xE0, 0x6F}};
inline constexpr IID IID_IScriptingDictionary{0x42C642C1, 0x97E1, 0x11CF, {0x97, 0x8F, 0x00, 0xA0, 0x24, 0x63, 0xE0, 0x6F}};

enum class CompareMode : LONG { Binary = 0, Text = 1 };

class ScriptingDictionary final : public automation::DispatchObject<ScriptingDictionary> {
public:
    static const automation::DispatchTable& dispatchTable();

    // The collection itself, for callers in this process.
    void add(const VARIANT& key, const VARIANT& item);                 // error 457 for a present key
    bool exists(const VARIANT& key) const;
    Variant item(const VARIANT& key) const;                            // Empty when absent
    void setItem(const VARIANT& key, const VARIANT& item);             // replaces or appends
    void remove(const VARIANT& key);                                   // error 32811 when absent
    void removeAll();
    void rename(const VARIANT& key, const VARIANT& newKey);            // the "Key" property
    LONG count() const { return LONG(entries_.size()); }
    Variant keys() const;                                               // Variant() array from 0
    Variant items() const;
    void setCompareMode(LONG mode);                                    // only while empty

private:
    friend class automation::DispatchObject<ScriptingDictionary>;
    ScriptingDictionary() = default;

    struct Entry {
        Variant key;
        Variant item;
    };
    std::optional<std::u16string> matchKey(const VARIANT& key) const;
    std::optional<size_t> find(const VARIANT& key) const;
    void reindexFrom(size_t first);
    Variant storedKey(const VARIANT& key) const;
    std::vector<Variant> keyList() const;
    Variant newEnum() const;

    std::vector<Entry> entries_;
    std::unordered_map<std::u16string, size_t> index_;  // matchKey -> position in entries_
    CompareMode mode_ = CompareMode::Binary;
};

// A new "Scripting.Dictionary", answering QueryInterface for riid; the component services
// serve it as a built-in class.
HRESULT CreateScriptingDictionary(REFIID riid, void** ppv);

}  // namespace scripting
