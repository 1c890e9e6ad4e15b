#include "platform/os/handle_table.h"

#include <map>
#include <mutex>

namespace os {
namespace {

struct Entry {
    HandleKind kind;
    std::shared_ptr<void> object;
};

struct Table {
    std::mutex lock;
    std::map<LONG, Entry> entries;
    LONG next = 0x100;
};

Table& Handles() {
    static Table table;
    return table;
}

// Numbers step by 4 as the platform's handles do, and are not reused until they wrap.
LONG NextFreeNumber(Table& table) {
    for (;;) {
        LONG candidate = table.next;
        table.next = candidate >= 0x7FFFFFF0 ? 0x100 : candidate + 4;
        if (!table.entries.contains(candidate)) return candidate;
    }
}

}  // namespace

LONG OpenHandle(HandleKind kind, std::shared_ptr<void> object) {
    Table& table = Handles();
    std::lock_guard guard(table.lock);
    LONG number = NextFreeNumber(table);
    table.entries.emplace(number, Entry{kind, std::move(object)});
    return number;
}

std::shared_ptr<void> FindHandle(HandleKind kind, LONG handle) {
    Table& table = Handles();
    std::lock_guard guard(table.lock);
    auto it = table.entries.find(handle);
    return it != table.entries.end() && it->second.kind == kind ? it->second.object : nullptr;
}

bool CloseHandle(HandleKind kind, LONG handle) {
    std::shared_ptr<void> released;  // let go of outside the lock
    Table& table = Handles();
    std::lock_guard guard(table.lock);
    auto it = table.entries.find(handle);
    if (it == table.entries.end() || it->second.kind != kind) return false;
    released = std::move(it->second.object);
    table.entries.erase(it);
    return true;
}

}  // namespace os
