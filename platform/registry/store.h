// The database file behind the registry: one SQLite connection per store file, transactions
// and prepared statements. A missing file is an empty registry until the first write creates it.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/registry/registry.h"

struct sqlite3;
struct sqlite3_stmt;

namespace tavrel::registry {

// Ends a registry call with the result code it carries.
struct RegistryFailure {
    LSTATUS code;
};

// Remembers the text of a store failure for RegistryLastErrorText and ends the call with code.
[[noreturn]] void FailWithText(LSTATUS code, const std::string& path, const std::string& problem);
std::u16string LastFailureText();

// How many steps SQLite's engine took for the statements of this thread so far: the work the
// registry calls did, for checking how it grows with the size of a key.
uint64_t StatementSteps();

// Changes when anything in a store changes: commits of other connections, and every row that
// this connection changes.
struct ChangeStamp {
    int64_t othersCommitted = 0;
    int64_t ownChanges = 0;
    bool operator==(const ChangeStamp&) const = default;
};

class Store {
public:
    explicit Store(std::string path);
    ~Store();
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    const std::string& path() const { return path_; }
    // True when this connection may serve calls for path now: same path, same process (a
    // connection never crosses a fork), and the file it opened is still the one at that path.
    bool servesPath(const std::string& path) const;
    // Inside a transaction.
    ChangeStamp changeStamp();

    // While a read session lasts, the reads share one read transaction (one snapshot): the first
    // read opens it, a write ends it (the next read opens another), the session's end closes it.
    void beginReadSession() { ++readSessions_; }
    void endReadSession();

private:
    friend class Transaction;
    friend class Statement;
    enum class Content { Empty, Registry };

    bool openExisting();
    void openCreating();
    void openFile(bool create);
    Content inspect();
    void createTables();
    void addLaterIndexes();
    void endSessionRead();
    void exec(const char* sql);
    sqlite3_stmt* prepared(const char* sql);
    [[noreturn]] void fail(int rc);

    std::string path_;
    pid_t pid_;
    sqlite3* db_ = nullptr;
    dev_t device_ = 0;
    ino_t inode_ = 0;
    bool ready_ = false;
    bool indexed_ = false;
    bool writing_ = false;
    int readSessions_ = 0;
    bool sessionReadOpen_ = false;  // the read transaction the session's reads share
    bool sessionReadPresent_ = false;
    std::unordered_map<std::string_view, sqlite3_stmt*> statements_;
};

// One transaction on a store, rolled back unless committed. A read on a store that does not
// exist yet opens nothing; Write creates the file and its folder; WriteExisting writes only to
// a store that exists (deletions never create one).
class Transaction {
public:
    enum class Kind { Read, Write, WriteExisting };
    Transaction(Store& store, Kind kind);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // False when there is no registry data at all (no file, or an empty one).
    bool present() const { return present_; }
    Store& store() { return store_; }
    void commit();

private:
    void begin(const char* sql);
    void rollback();
    Store& store_;
    bool present_ = false;
    bool open_ = false;
    bool sessionRead_ = false;  // the session's read transaction: stays open at the end
    int exceptionsAtStart_ = 0;
    bool createdTables_ = false;
    bool addedIndexes_ = false;
};

// A cached prepared statement, reset when this object ends. sql must be a string literal.
class Statement {
public:
    Statement(Store& store, const char* sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& bind(int index, int64_t value);
    Statement& bind(int index, std::string_view bytes);
    Statement& bindNull(int index);
    // True while there is a row; false when done.
    bool step();
    int64_t integer(int column) const;
    std::string bytes(int column) const;
    bool isNull(int column) const;

private:
    Store& store_;
    sqlite3_stmt* stmt_;
};

}  // namespace tavrel::registry
