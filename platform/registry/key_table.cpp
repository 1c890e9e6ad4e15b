#include "platform/registry/key_table.h"

#include <chrono>

#include "platform/registry/names.h"

namespace tavrel::registry {

namespace {

// 100-nanosecond intervals between 1601-01-01 and 1970-01-01.
constexpr int64_t kUnixEpochAsFileTime = 116444736000000000LL;

int64_t NowAsFileTime() {
    auto sinceUnixEpoch = std::chrono::system_clock::now().time_since_epoch();
    return kUnixEpochAsFileTime + std::chrono::duration_cast<std::chrono::nanoseconds>(sinceUnixEpoch).count() / 100;
}

}  // namespace

KeyTable::KeyTable(Transaction& transaction)
    : store_(transaction.store()), present_(transaction.present()) {}

bool KeyTable::exists(KeyId id) {
    if (!present_) return IsRootId(id);
    Statement query(store_, "SELECT 1 FROM keys WHERE id = ?1");
    return query.bind(1, id).step();
}

std::optional<KeyId> KeyTable::parentOf(KeyId id) {
    if (!present_) return std::nullopt;
    Statement query(store_, "SELECT parent FROM keys WHERE id = ?1");
    if (!query.bind(1, id).step() || query.isNull(0)) return std::nullopt;
    return query.integer(0);
}

std::optional<KeyId> KeyTable::child(KeyId parent, std::u16string_view name) {
    if (!present_) return std::nullopt;
    Statement query(store_, "SELECT id FROM keys WHERE parent = ?1 AND folded = ?2");
    if (!query.bind(1, parent).bind(2, FoldedBytes(name)).step()) return std::nullopt;
    return query.integer(0);
}

std::optional<KeyId> KeyTable::find(KeyId from, const std::vector<std::u16string_view>& path) {
    std::optional<KeyId> id = from;
    for (auto part = path.begin(); id && part != path.end(); ++part) id = child(*id, *part);
    return id;
}

KeyId KeyTable::createChild(KeyId parent, std::u16string_view name, LPCOLESTR className) {
    Statement insert(store_,
                     "INSERT INTO keys(parent, name, folded, class, written) VALUES (?1, ?2, ?3, ?4, ?5) RETURNING id");
    insert.bind(1, parent).bind(2, NameBytes(name)).bind(3, FoldedBytes(name)).bind(5, NowAsFileTime());
    if (className) insert.bind(4, NameBytes(className));
    else insert.bindNull(4);
    // RETURNING makes every change on the first step.
    insert.step();
    return insert.integer(0);
}

bool KeyTable::hasSubkeys(KeyId id) {
    if (!present_) return false;
    Statement query(store_, "SELECT 1 FROM keys WHERE parent = ?1 LIMIT 1");
    return query.bind(1, id).step();
}

namespace {

SubkeyEntry SubkeyRow(const Statement& row) {
    return SubkeyEntry{row.bytes(0), NameFromBytes(row.bytes(1)), NameFromBytes(row.bytes(2)), row.integer(3)};
}

ValueEntry ValueRow(const Statement& row) {
    return ValueEntry{row.integer(0), NameFromBytes(row.bytes(1)), static_cast<DWORD>(row.integer(2)), row.bytes(3)};
}

}  // namespace

std::optional<SubkeyEntry> KeyTable::subkeyAt(KeyId parent, DWORD index) {
    if (!present_) return std::nullopt;
    Statement query(store_,
                    "SELECT folded, name, class, written FROM keys WHERE parent = ?1 ORDER BY folded LIMIT 1 OFFSET ?2");
    if (!query.bind(1, parent).bind(2, static_cast<int64_t>(index)).step()) return std::nullopt;
    return SubkeyRow(query);
}

std::optional<SubkeyEntry> KeyTable::subkeyAfter(KeyId parent, const SubkeyEntry& previous) {
    if (!present_) return std::nullopt;
    Statement query(store_,
                    "SELECT folded, name, class, written FROM keys WHERE parent = ?1 AND folded > ?2"
                    " ORDER BY folded LIMIT 1");
    if (!query.bind(1, parent).bind(2, previous.folded).step()) return std::nullopt;
    return SubkeyRow(query);
}

std::optional<ValueEntry> KeyTable::value(KeyId key, std::u16string_view name) {
    if (!present_) return std::nullopt;
    Statement query(store_, "SELECT id, name, type, data FROM vals WHERE key = ?1 AND folded = ?2");
    if (!query.bind(1, key).bind(2, FoldedBytes(name)).step()) return std::nullopt;
    return ValueRow(query);
}

std::optional<ValueEntry> KeyTable::valueAt(KeyId key, DWORD index) {
    if (!present_) return std::nullopt;
    Statement query(store_, "SELECT id, name, type, data FROM vals WHERE key = ?1 ORDER BY id LIMIT 1 OFFSET ?2");
    if (!query.bind(1, key).bind(2, static_cast<int64_t>(index)).step()) return std::nullopt;
    return ValueRow(query);
}

std::optional<ValueEntry> KeyTable::valueAfter(KeyId key, const ValueEntry& previous) {
    if (!present_) return std::nullopt;
    Statement query(store_, "SELECT id, name, type, data FROM vals WHERE key = ?1 AND id > ?2 ORDER BY id LIMIT 1");
    if (!query.bind(1, key).bind(2, previous.id).step()) return std::nullopt;
    return ValueRow(query);
}

void KeyTable::setValue(KeyId key, std::u16string_view name, DWORD type, std::string_view data) {
    Statement upsert(store_,
                     "INSERT INTO vals(key, name, folded, type, data) VALUES (?1, ?2, ?3, ?4, ?5)"
                     " ON CONFLICT(key, folded) DO UPDATE SET type = excluded.type, data = excluded.data");
    upsert.bind(1, key).bind(2, NameBytes(name)).bind(3, FoldedBytes(name)).bind(4, static_cast<int64_t>(type));
    upsert.bind(5, data).step();
}

bool KeyTable::deleteValue(KeyId key, std::u16string_view name) {
    if (!present_) return false;
    Statement remove(store_, "DELETE FROM vals WHERE key = ?1 AND folded = ?2 RETURNING id");
    return remove.bind(1, key).bind(2, FoldedBytes(name)).step();
}

void KeyTable::deleteKey(KeyId id) {
    Statement values(store_, "DELETE FROM vals WHERE key = ?1");
    values.bind(1, id).step();
    Statement key(store_, "DELETE FROM keys WHERE id = ?1");
    key.bind(1, id).step();
}

void KeyTable::deleteContents(KeyId id) {
    Statement values(store_,
                     "WITH RECURSIVE tree(id) AS (SELECT ?1 UNION ALL"
                     " SELECT keys.id FROM keys JOIN tree ON keys.parent = tree.id)"
                     " DELETE FROM vals WHERE key IN tree");
    values.bind(1, id).step();
    Statement keys(store_,
                   "WITH RECURSIVE tree(id) AS (SELECT id FROM keys WHERE parent = ?1 UNION ALL"
                   " SELECT keys.id FROM keys JOIN tree ON keys.parent = tree.id)"
                   " DELETE FROM keys WHERE id IN tree");
    keys.bind(1, id).step();
}

void KeyTable::touch(KeyId id) {
    Statement update(store_, "UPDATE keys SET written = ?2 WHERE id = ?1");
    update.bind(1, id).bind(2, NowAsFileTime()).step();
}

}  // namespace tavrel::registry
