#include "platform/registry/store.h"

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <exception>
#include <filesystem>
#include <system_error>

#include "platform/automation/utf.h"

namespace tavrel::registry {

namespace {

// "TVRG": marks a database file as a registry store.
constexpr int64_t kApplicationId = 0x54565247;
constexpr int kBusyTimeoutMs = 15000;

constexpr const char* kSchema =
    "CREATE TABLE IF NOT EXISTS keys("
    " id INTEGER PRIMARY KEY AUTOINCREMENT,"
    " parent INTEGER REFERENCES keys(id),"
    " name BLOB NOT NULL,"
    " folded BLOB NOT NULL,"
    " class BLOB,"
    " written INTEGER NOT NULL);"
    "CREATE UNIQUE INDEX IF NOT EXISTS keys_by_name ON keys(parent, folded);"
    "CREATE TABLE IF NOT EXISTS vals("
    " id INTEGER PRIMARY KEY,"
    " key INTEGER NOT NULL REFERENCES keys(id),"
    " name BLOB NOT NULL,"
    " folded BLOB NOT NULL,"
    " type INTEGER NOT NULL,"
    " data BLOB NOT NULL);"
    "CREATE UNIQUE INDEX IF NOT EXISTS vals_by_name ON vals(key, folded);"
    "CREATE INDEX IF NOT EXISTS vals_in_order ON vals(key, id);"
    "INSERT OR IGNORE INTO keys(id, parent, name, folded, class, written) VALUES"
    " (1, NULL, x'', x'', NULL, 0), (2, NULL, x'', x'', NULL, 0),"
    " (3, NULL, x'', x'', NULL, 0), (4, NULL, x'', x'', NULL, 0);"
    "PRAGMA user_version = 1;"
    "PRAGMA application_id = 1414943303;";
static_assert(kApplicationId == 1414943303);

// Added to stores made before values were enumerated through it.
constexpr const char* kLaterIndexes = "CREATE INDEX IF NOT EXISTS vals_in_order ON vals(key, id);";

thread_local std::u16string tLastFailureText;
thread_local uint64_t tStatementSteps = 0;

struct FileIdentity {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
};

FileIdentity IdentifyFile(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return {};
    return {true, info.st_dev, info.st_ino, info.st_size};
}

}  // namespace

void FailWithText(LSTATUS code, const std::string& path, const std::string& problem) {
    tLastFailureText = automation::Utf8ToUtf16(path + ": " + problem);
    throw RegistryFailure{code};
}

std::u16string LastFailureText() { return tLastFailureText; }

uint64_t StatementSteps() { return tStatementSteps; }

// ---- Store ------------------------------------------------------------------------------------

Store::Store(std::string path) : path_(std::move(path)), pid_(getpid()) {}

Store::~Store() {
    // A connection inherited through fork belongs to the parent: leave it alone.
    if (!db_ || pid_ != getpid()) return;
    for (auto& entry : statements_) sqlite3_finalize(entry.second);
    sqlite3_close_v2(db_);
}

bool Store::servesPath(const std::string& path) const {
    if (path != path_ || pid_ != getpid()) return false;
    if (!db_) return true;
    FileIdentity file = IdentifyFile(path_);
    return file.exists && file.device == device_ && file.inode == inode_;
}

bool Store::openExisting() {
    if (db_) return true;
    if (!IdentifyFile(path_).exists) return false;
    openFile(false);
    return true;
}

void Store::openCreating() {
    if (db_) return;
    std::filesystem::path folder = std::filesystem::path(path_).parent_path();
    std::error_code error;
    if (!folder.empty()) std::filesystem::create_directories(folder, error);
    if (error) FailWithText(ERROR_CANTOPEN, path_, "cannot create the folder of the store: " + error.message());
    bool fresh = IdentifyFile(path_).size == 0;
    openFile(true);
    // Readers then never wait for a writer. A store left in rollback-journal mode (because
    // another process held it) works the same, so a refusal here changes nothing.
    if (fresh) sqlite3_exec(db_, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
}

void Store::openFile(bool create) {
    int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0) | SQLITE_OPEN_EXRESCODE;
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(path_.c_str(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        std::string reason = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
        int systemError = db ? sqlite3_system_errno(db) : 0;
        sqlite3_close_v2(db);
        if (systemError) reason += std::string(": ") + std::strerror(systemError);
        FailWithText(ERROR_CANTOPEN, path_, "cannot open the store (" + reason + ")");
    }
    db_ = db;
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
    // Writes are atomic in either journal mode; NORMAL only gives up durability of the last
    // commits on power loss.
    sqlite3_exec(db_, "PRAGMA synchronous=NORMAL", nullptr, nullptr, nullptr);
    FileIdentity file = IdentifyFile(path_);
    device_ = file.device;
    inode_ = file.inode;
}

Store::Content Store::inspect() {
    int64_t applicationId = 0;
    {
        Statement pragma(*this, "PRAGMA application_id");
        if (pragma.step()) applicationId = pragma.integer(0);
    }
    if (applicationId == kApplicationId) {
        Statement tables(*this, "SELECT count(*) FROM sqlite_schema WHERE type = 'table' AND name IN ('keys', 'vals')");
        if (!tables.step() || tables.integer(0) != 2)
            FailWithText(ERROR_REGISTRY_CORRUPT, path_, "the registry store has lost its tables");
        ready_ = true;
        return Content::Registry;
    }
    Statement objects(*this, "SELECT count(*) FROM sqlite_schema");
    if (applicationId != 0 || (objects.step() && objects.integer(0) != 0))
        FailWithText(ERROR_BADDB, path_, "the file is a database of another kind, not a registry store");
    return Content::Empty;
}

void Store::createTables() {
    exec(kSchema);
    ready_ = true;
    indexed_ = true;
}

void Store::addLaterIndexes() {
    exec(kLaterIndexes);
    indexed_ = true;
}

void Store::endReadSession() {
    if (--readSessions_ == 0 && sessionReadOpen_) endSessionRead();
}

void Store::endSessionRead() {
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    sessionReadOpen_ = false;
}

ChangeStamp Store::changeStamp() {
    Statement version(*this, "PRAGMA data_version");
    int64_t othersCommitted = version.step() ? version.integer(0) : 0;
    return {othersCommitted, sqlite3_total_changes64(db_)};
}

void Store::exec(const char* sql) {
    int rc = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) fail(rc);
}

sqlite3_stmt* Store::prepared(const char* sql) {
    auto found = statements_.find(sql);
    if (found != statements_.end()) return found->second;
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
    if (rc != SQLITE_OK) fail(rc);
    statements_.emplace(sql, stmt);
    return stmt;
}

void Store::fail(int rc) {
    std::string detail = std::string(" (") + sqlite3_errmsg(db_) + ")";
    switch (rc & 0xFF) {
    case SQLITE_NOTADB:
        FailWithText(ERROR_BADDB, path_, "the file is not a registry database" + detail);
    case SQLITE_CORRUPT:
        FailWithText(ERROR_REGISTRY_CORRUPT, path_, "the registry database is damaged" + detail);
    case SQLITE_NOMEM:
        FailWithText(ERROR_OUTOFMEMORY, path_, "out of memory" + detail);
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        FailWithText(ERROR_ACCESS_DENIED, path_, "the store may not be written" + detail);
    case SQLITE_CANTOPEN:
        FailWithText(ERROR_CANTOPEN, path_, "cannot open the store" + detail);
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        FailWithText(writing_ ? ERROR_CANTWRITE : ERROR_CANTREAD, path_,
                     "another process kept the store locked" + detail);
    case SQLITE_FULL:
        FailWithText(ERROR_CANTWRITE, path_, "the disk is full" + detail);
    default:
        FailWithText(writing_ ? ERROR_CANTWRITE : ERROR_CANTREAD, path_,
                     std::string(writing_ ? "cannot write the store" : "cannot read the store") + detail);
    }
}

// ---- Transaction ------------------------------------------------------------------------------

Transaction::Transaction(Store& store, Kind kind) : store_(store), exceptionsAtStart_(std::uncaught_exceptions()) {
    if (kind == Kind::Read && store_.sessionReadOpen_) {
        sessionRead_ = true;
        present_ = store_.sessionReadPresent_;
        return;
    }
    if (kind != Kind::Read && store_.sessionReadOpen_) store_.endSessionRead();
    store_.writing_ = kind != Kind::Read;
    if (kind == Kind::Write) {
        store_.openCreating();
    } else if (!store_.openExisting()) {
        return;
    }
    begin(kind == Kind::Read ? "BEGIN" : "BEGIN IMMEDIATE");
    try {
        bool registry = store_.ready_ || store_.inspect() == Store::Content::Registry;
        if (!registry && kind == Kind::Write) {
            store_.createTables();
            createdTables_ = true;
        } else if (registry && kind != Kind::Read && !store_.indexed_) {
            store_.addLaterIndexes();
            addedIndexes_ = true;
        }
        present_ = registry || kind == Kind::Write;
    } catch (...) {
        rollback();
        throw;
    }
    if (kind == Kind::Read && store_.readSessions_ > 0) {
        sessionRead_ = true;
        store_.sessionReadOpen_ = true;
        store_.sessionReadPresent_ = present_;
        open_ = false;  // the session closes it
    }
}

Transaction::~Transaction() {
    // A failure inside the session's transaction ends it: the next read starts afresh.
    if (sessionRead_ && std::uncaught_exceptions() > exceptionsAtStart_) store_.endSessionRead();
    rollback();
}

void Transaction::rollback() {
    if (!open_) return;
    sqlite3_exec(store_.db_, "ROLLBACK", nullptr, nullptr, nullptr);
    open_ = false;
    if (createdTables_) store_.ready_ = false;
    if (createdTables_ || addedIndexes_) store_.indexed_ = false;
}

void Transaction::begin(const char* sql) {
    store_.exec(sql);
    open_ = true;
}

void Transaction::commit() {
    if (!open_) return;
    store_.exec("COMMIT");
    open_ = false;
}

// ---- Statement --------------------------------------------------------------------------------

Statement::Statement(Store& store, const char* sql) : store_(store), stmt_(store.prepared(sql)) {}

Statement::~Statement() {
    tStatementSteps += static_cast<uint64_t>(sqlite3_stmt_status(stmt_, SQLITE_STMTSTATUS_VM_STEP, 1));
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

Statement& Statement::bind(int index, int64_t value) {
    int rc = sqlite3_bind_int64(stmt_, index, value);
    if (rc != SQLITE_OK) store_.fail(rc);
    return *this;
}

Statement& Statement::bind(int index, std::string_view bytes) {
    // A null pointer would bind NULL: an empty name is an empty blob.
    const char* data = bytes.empty() ? "" : bytes.data();
    int rc = sqlite3_bind_blob64(stmt_, index, data, bytes.size(), SQLITE_TRANSIENT);
    if (rc != SQLITE_OK) store_.fail(rc);
    return *this;
}

Statement& Statement::bindNull(int index) {
    int rc = sqlite3_bind_null(stmt_, index);
    if (rc != SQLITE_OK) store_.fail(rc);
    return *this;
}

bool Statement::step() {
    int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    store_.fail(rc);
}

int64_t Statement::integer(int column) const { return sqlite3_column_int64(stmt_, column); }

std::string Statement::bytes(int column) const {
    const void* data = sqlite3_column_blob(stmt_, column);
    int size = sqlite3_column_bytes(stmt_, column);
    if (!data || size <= 0) return {};
    return std::string(static_cast<const char*>(data), static_cast<size_t>(size));
}

bool Statement::isNull(int column) const { return sqlite3_column_type(stmt_, column) == SQLITE_NULL; }

}  // namespace tavrel::registry
