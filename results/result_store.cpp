#include "results/result_store.h"

#include <sqlite3.h>

#include <filesystem>
#include <chrono>
#include <fstream>
#include <thread>

namespace kestrani {

namespace {

// The statements that bring a file from version i to version i + 1.
const char* const migrations[ResultStore::schemaVersion] = {
    "CREATE TABLE results ("
    " id INTEGER PRIMARY KEY,"
    " started_at INTEGER NOT NULL, ended_at INTEGER NOT NULL,"
    " exercise_kind INTEGER NOT NULL, object_kind INTEGER NOT NULL,"
    " changeable INTEGER NOT NULL, asked INTEGER NOT NULL,"  // bit i: row i of the grid, top to bottom
    " non_monotonic INTEGER NOT NULL, splitting INTEGER NOT NULL, variable_background INTEGER NOT NULL,"
    " reference_show_seconds INTEGER, delay_seconds INTEGER, object_show_seconds INTEGER,"  // NULL: off
    " standard_colour INTEGER,"
    " reference_red INTEGER NOT NULL, reference_green INTEGER NOT NULL, reference_blue INTEGER NOT NULL,"
    " right_answers INTEGER NOT NULL, end_reason TEXT NOT NULL,"
    " delta_red INTEGER NOT NULL, delta_green INTEGER NOT NULL, delta_blue INTEGER NOT NULL,"
    " reached_brightness REAL, reached_hue REAL, reached_saturation REAL,"
    " reached_height REAL, reached_width REAL, reached_area REAL,"
    " reached_vertical_position REAL, reached_horizontal_position REAL, reached_rotation REAL)",
};

constexpr const char* columns =
    "started_at, ended_at, exercise_kind, object_kind, changeable, asked,"
    " non_monotonic, splitting, variable_background,"
    " reference_show_seconds, delay_seconds, object_show_seconds, standard_colour,"
    " reference_red, reference_green, reference_blue, right_answers, end_reason,"
    " delta_red, delta_green, delta_blue,"
    " reached_brightness, reached_hue, reached_saturation, reached_height, reached_width, reached_area,"
    " reached_vertical_position, reached_horizontal_position, reached_rotation";
constexpr int columnCount = 30;

// A waiting writer gives up only after this long.
constexpr int busyTimeoutMilliseconds = 10000;

bool hasSqliteHeader(const std::string& path, bool& readable) {
    std::ifstream file(path, std::ios::binary);
    readable = file.good();
    char header[16] = {};
    file.read(header, sizeof header);
    return file.gcount() == sizeof header && std::string(header, sizeof header) == std::string("SQLite format 3\0", 16);
}

class Statement {
public:
    Statement(sqlite3* db, const std::string& sql) { sqlite3_prepare_v2(db, sql.c_str(), -1, &s_, nullptr); }
    ~Statement() { sqlite3_finalize(s_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    sqlite3_stmt* get() const { return s_; }

private:
    sqlite3_stmt* s_ = nullptr;
};

void bindOptional(sqlite3_stmt* s, int index, const std::optional<int>& value) {
    if (value)
        sqlite3_bind_int(s, index, *value);
    else
        sqlite3_bind_null(s, index);
}

std::optional<int> columnOptional(sqlite3_stmt* s, int index) {
    if (sqlite3_column_type(s, index) == SQLITE_NULL)
        return std::nullopt;
    return sqlite3_column_int(s, index);
}

}  // namespace

std::unique_ptr<ResultStore> ResultStore::open(const std::string& path) {
    std::unique_ptr<ResultStore> store(new ResultStore);
    // An empty file holds nothing to lose: SQLite takes it as a new database.
    std::error_code error;
    if (std::filesystem::exists(path, error) && std::filesystem::file_size(path, error) != 0)
        store->openExisting(path);
    else
        store->openNew(path);
    return store;
}

ResultStore::~ResultStore() {
    sqlite3_finalize(insert_);
    sqlite3_close(db_);
}

bool ResultStore::fail(Status status, const std::string& problem) {
    status_ = status;
    problem_ = problem;
    sqlite3_finalize(insert_);
    insert_ = nullptr;
    sqlite3_close(db_);
    db_ = nullptr;
    return false;
}

bool ResultStore::openNew(const std::string& path) {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (!folder.empty() && !std::filesystem::create_directories(folder, error) && error)
        return fail(Status::Unavailable, error.message());
    if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK)
        return fail(Status::Unavailable, db_ ? sqlite3_errmsg(db_) : "out of memory");
    status_ = Status::Writable;
    if (!configure() || !migrate())
        return fail(Status::Unavailable, problem_);
    return true;
}

bool ResultStore::openExisting(const std::string& path) {
    bool readable = false;
    if (!hasSqliteHeader(path, readable))
        return fail(Status::Damaged, readable ? "not an SQLite database" : "cannot be read");
    if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        return fail(Status::Damaged, db_ ? sqlite3_errmsg(db_) : "out of memory");
    sqlite3_busy_timeout(db_, busyTimeoutMilliseconds);

    // Only reads until the file has proved to be a sound results file.
    int version = -1;
    int tables = 0;
    bool hasResults = false;
    {
        Statement v(db_, "PRAGMA user_version");
        if (v.get() && sqlite3_step(v.get()) == SQLITE_ROW)
            version = sqlite3_column_int(v.get(), 0);
        Statement t(db_, "SELECT name FROM sqlite_master WHERE type = 'table'");
        while (t.get() && sqlite3_step(t.get()) == SQLITE_ROW) {
            ++tables;
            hasResults = hasResults || std::string(reinterpret_cast<const char*>(sqlite3_column_text(t.get(), 0))) == "results";
        }
        Statement check(db_, "PRAGMA quick_check");
        const bool sound = check.get() && sqlite3_step(check.get()) == SQLITE_ROW &&
                           std::string(reinterpret_cast<const char*>(sqlite3_column_text(check.get(), 0))) == "ok";
        if (version < 0 || !sound) {
            // A folder that cannot be written keeps SQLite from reading a
            // sound file too; only what it finds in the file makes it damaged.
            const int code = sqlite3_errcode(db_) & 0xff;
            const bool damaged = sound || code == SQLITE_OK || code == SQLITE_ROW || code == SQLITE_CORRUPT ||
                                 code == SQLITE_NOTADB;
            return fail(damaged ? Status::Damaged : Status::Unavailable, sqlite3_errmsg(db_));
        }
    }
    // A file of another program, or one that claims a version and has no results.
    if ((version == 0 && tables > 0) || (version > 0 && !hasResults))
        return fail(Status::Damaged, "not a results file");

    if (version > schemaVersion || sqlite3_db_readonly(db_, "main") == 1) {
        newerVersion_ = version > schemaVersion;
        status_ = Status::ReadOnly;
        sqlite3_close(db_);
        db_ = nullptr;
        if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
            return fail(Status::Unavailable, db_ ? sqlite3_errmsg(db_) : "out of memory");
        sqlite3_busy_timeout(db_, busyTimeoutMilliseconds);
        return true;
    }
    status_ = Status::Writable;
    if (!configure() || !migrate())
        return fail(Status::Unavailable, problem_);
    return true;
}

bool ResultStore::configure() {
    sqlite3_busy_timeout(db_, busyTimeoutMilliseconds);
    // NORMAL keeps every committed result through a crash of the program; a
    // power cut may lose the last ones, never the file.
    // The log is copied back into the file when the store is opened and
    // closed, not in the middle of an append, which the end of an exercise waits for.
    return execWaiting("PRAGMA journal_mode = WAL") && exec("PRAGMA synchronous = NORMAL") &&
           exec("PRAGMA wal_autocheckpoint = 0") && execWaiting("PRAGMA wal_checkpoint(PASSIVE)");
}

// SQLite does not wait for every lock by itself: switching the journal mode
// of a file another program is opening at the same moment fails at once.
bool ResultStore::execWaiting(const char* sql) {
    for (int waited = 0;; waited += 10) {
        if (exec(sql))
            return true;
        const int code = sqlite3_errcode(db_) & 0xff;
        if ((code != SQLITE_BUSY && code != SQLITE_LOCKED) || waited >= busyTimeoutMilliseconds)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

bool ResultStore::migrate() {
    const auto userVersion = [this] {
        Statement v(db_, "PRAGMA user_version");
        return v.get() && sqlite3_step(v.get()) == SQLITE_ROW ? sqlite3_column_int(v.get(), 0) : -1;
    };
    if (userVersion() >= schemaVersion)
        return true;
    // Another program may be migrating the same file: the version is read
    // again under the write lock.
    if (!exec("BEGIN IMMEDIATE"))
        return false;
    for (int version = userVersion(); version >= 0 && version < schemaVersion; ++version)
        if (!exec(migrations[version])) {
            exec("ROLLBACK");
            return false;
        }
    const std::string setVersion = "PRAGMA user_version = " + std::to_string(schemaVersion);
    if (!exec(setVersion.c_str()) || !exec("COMMIT")) {
        exec("ROLLBACK");
        return false;
    }
    return true;
}

bool ResultStore::exec(const char* sql) {
    char* message = nullptr;
    if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) == SQLITE_OK)
        return true;
    problem_ = message ? message : sqlite3_errmsg(db_);
    sqlite3_free(message);
    return false;
}

bool ResultStore::append(const ExerciseResult& r) {
    if (!insert_) {
        std::string sql = std::string("INSERT INTO results (") + columns + ") VALUES (?";
        for (int i = 1; i < columnCount; ++i)
            sql += ", ?";
        sql += ")";
        if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &insert_, nullptr) != SQLITE_OK) {
            problem_ = sqlite3_errmsg(db_);
            return false;
        }
    }
    sqlite3_stmt* s = insert_;
    sqlite3_reset(s);
    int i = 0;
    sqlite3_bind_int64(s, ++i, r.startedAt);
    sqlite3_bind_int64(s, ++i, r.endedAt);
    sqlite3_bind_int(s, ++i, static_cast<int>(r.exerciseKind));
    sqlite3_bind_int(s, ++i, static_cast<int>(r.objectKind));
    sqlite3_bind_int64(s, ++i, static_cast<sqlite3_int64>(r.changeable.to_ulong()));
    sqlite3_bind_int64(s, ++i, static_cast<sqlite3_int64>(r.asked.to_ulong()));
    sqlite3_bind_int(s, ++i, r.nonMonotonic);
    sqlite3_bind_int(s, ++i, r.splitting);
    sqlite3_bind_int(s, ++i, r.variableBackground);
    bindOptional(s, ++i, r.referenceShowSeconds);
    bindOptional(s, ++i, r.delaySeconds);
    bindOptional(s, ++i, r.objectShowSeconds);
    bindOptional(s, ++i, r.standardColour);
    sqlite3_bind_int(s, ++i, r.referenceColour.red);
    sqlite3_bind_int(s, ++i, r.referenceColour.green);
    sqlite3_bind_int(s, ++i, r.referenceColour.blue);
    sqlite3_bind_int(s, ++i, r.rightAnswers);
    const std::string_view code = endCode(r.end);
    sqlite3_bind_text(s, ++i, code.data(), static_cast<int>(code.size()), SQLITE_STATIC);
    sqlite3_bind_int(s, ++i, r.deltaRed);
    sqlite3_bind_int(s, ++i, r.deltaGreen);
    sqlite3_bind_int(s, ++i, r.deltaBlue);
    for (const std::optional<double>& reached : r.reached) {
        if (reached)
            sqlite3_bind_double(s, ++i, *reached);
        else
            sqlite3_bind_null(s, ++i);
    }
    // One statement outside any open transaction: its own transaction.
    const int rc = sqlite3_step(s);
    sqlite3_reset(s);
    if (rc != SQLITE_DONE) {
        problem_ = sqlite3_errstr(rc);
        return false;
    }
    problem_.clear();
    return true;
}

std::vector<ExerciseResult> ResultStore::loadAll() {
    std::vector<ExerciseResult> results;
    Statement select(db_, std::string("SELECT ") + columns + " FROM results ORDER BY ended_at, id");
    sqlite3_stmt* s = select.get();
    while (s && sqlite3_step(s) == SQLITE_ROW) {
        ExerciseResult r;
        int i = 0;
        r.startedAt = sqlite3_column_int64(s, i++);
        r.endedAt = sqlite3_column_int64(s, i++);
        const int exercise = sqlite3_column_int(s, i++);
        const int object = sqlite3_column_int(s, i++);
        r.changeable = RowSet(static_cast<unsigned long>(sqlite3_column_int64(s, i++)));
        r.asked = RowSet(static_cast<unsigned long>(sqlite3_column_int64(s, i++)));
        r.nonMonotonic = sqlite3_column_int(s, i++) != 0;
        r.splitting = sqlite3_column_int(s, i++) != 0;
        r.variableBackground = sqlite3_column_int(s, i++) != 0;
        r.referenceShowSeconds = columnOptional(s, i++);
        r.delaySeconds = columnOptional(s, i++);
        r.objectShowSeconds = columnOptional(s, i++);
        r.standardColour = columnOptional(s, i++);
        r.referenceColour.red = static_cast<std::uint8_t>(sqlite3_column_int(s, i++));
        r.referenceColour.green = static_cast<std::uint8_t>(sqlite3_column_int(s, i++));
        r.referenceColour.blue = static_cast<std::uint8_t>(sqlite3_column_int(s, i++));
        r.rightAnswers = sqlite3_column_int(s, i++);
        const unsigned char* code = sqlite3_column_text(s, i++);
        const std::optional<ExerciseEnd> end =
            code ? endFromCode(reinterpret_cast<const char*>(code)) : std::nullopt;
        r.deltaRed = sqlite3_column_int(s, i++);
        r.deltaGreen = sqlite3_column_int(s, i++);
        r.deltaBlue = sqlite3_column_int(s, i++);
        for (std::optional<double>& reached : r.reached) {
            if (sqlite3_column_type(s, i) != SQLITE_NULL)
                reached = sqlite3_column_double(s, i);
            ++i;
        }
        if (exercise < 1 || exercise > 4 || object < 0 || object > 4 || !end)
            continue;  // written by a newer version in a way this one cannot show
        r.exerciseKind = static_cast<ExerciseKind>(exercise);
        r.objectKind = static_cast<ObjectKind>(object);
        r.end = *end;
        results.push_back(r);
    }
    return results;
}

}  // namespace kestrani
