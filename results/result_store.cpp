#include "results/result_store.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>

#include "results/perceptual_units.h"

namespace kestrani {

namespace fs = std::filesystem;

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

    // The differences in units people can compare (the first version's
    // reached_ columns stay for its rows: colour-model units and pixels), and
    // the answer log.
    "ALTER TABLE results ADD COLUMN delta_e00 REAL;"
    "ALTER TABLE results ADD COLUMN difference_brightness REAL;"
    "ALTER TABLE results ADD COLUMN difference_hue REAL;"
    "ALTER TABLE results ADD COLUMN difference_saturation REAL;"
    "ALTER TABLE results ADD COLUMN difference_height REAL;"
    "ALTER TABLE results ADD COLUMN difference_width REAL;"
    "ALTER TABLE results ADD COLUMN difference_area REAL;"
    "ALTER TABLE results ADD COLUMN difference_vertical_position REAL;"
    "ALTER TABLE results ADD COLUMN difference_horizontal_position REAL;"
    "ALTER TABLE results ADD COLUMN difference_rotation REAL;"
    "CREATE TABLE answers ("
    " id INTEGER PRIMARY KEY,"
    " exercise_started_at INTEGER NOT NULL, number INTEGER NOT NULL, answered_at INTEGER NOT NULL,"
    " exercise_kind INTEGER NOT NULL, object_kind INTEGER NOT NULL, changeable INTEGER NOT NULL,"
    " question INTEGER, asked_more INTEGER,"  // NULL where the exercise asks nothing
    " answer_key TEXT NOT NULL, given TEXT NOT NULL, right INTEGER NOT NULL,"
    " reaction_ms INTEGER, level REAL NOT NULL,"
    " delta_e00 REAL, lightness REAL, chroma REAL, hue REAL,"
    " difference_brightness REAL, difference_hue REAL, difference_saturation REAL,"
    " difference_height REAL, difference_width REAL, difference_area REAL,"
    " difference_vertical_position REAL, difference_horizontal_position REAL, difference_rotation REAL,"
    " millimetres_per_pixel REAL);"
    "CREATE INDEX answers_by_exercise ON answers (exercise_started_at)",
};

constexpr const char* columns =
    "started_at, ended_at, exercise_kind, object_kind, changeable, asked,"
    " non_monotonic, splitting, variable_background,"
    " reference_show_seconds, delay_seconds, object_show_seconds, standard_colour,"
    " reference_red, reference_green, reference_blue, right_answers, end_reason,"
    " delta_red, delta_green, delta_blue,"
    " reached_brightness, reached_hue, reached_saturation, reached_height, reached_width, reached_area,"
    " reached_vertical_position, reached_horizontal_position, reached_rotation,"
    " delta_e00, difference_brightness, difference_hue, difference_saturation, difference_height,"
    " difference_width, difference_area, difference_vertical_position, difference_horizontal_position,"
    " difference_rotation";
constexpr int columnCount = 40;

constexpr const char* answerColumns =
    "exercise_started_at, number, answered_at, exercise_kind, object_kind, changeable, question, asked_more,"
    " answer_key, given, right, reaction_ms, level, delta_e00, lightness, chroma, hue,"
    " difference_brightness, difference_hue, difference_saturation, difference_height, difference_width,"
    " difference_area, difference_vertical_position, difference_horizontal_position, difference_rotation,"
    " millimetres_per_pixel";
constexpr int answerColumnCount = 27;

std::string insertStatement(const char* table, const char* names, int count) {
    std::string sql = std::string("INSERT INTO ") + table + " (" + names + ") VALUES (?";
    for (int i = 1; i < count; ++i)
        sql += ", ?";
    return sql + ")";
}

// Each connection is used by one thread only: no lock round every call.
constexpr int connectionFlags = SQLITE_OPEN_NOMUTEX;

// How long opening and appending wait for another program's lock: the
// interface waits with them.
constexpr int busyTimeoutMilliseconds = 1000;

class Statement {
public:
    Statement(sqlite3* db, const std::string& sql) : code_(sqlite3_prepare_v2(db, sql.c_str(), -1, &s_, nullptr)) {}
    ~Statement() { sqlite3_finalize(s_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    sqlite3_stmt* get() const { return s_; }
    // SQLITE_ROW, SQLITE_DONE or what went wrong, also in preparing.
    int step() { return s_ ? (code_ = sqlite3_step(s_)) : code_; }
    int code() const { return code_; }
    std::string text(int column) const {
        const unsigned char* t = sqlite3_column_text(s_, column);
        return t ? reinterpret_cast<const char*>(t) : "";
    }

private:
    sqlite3_stmt* s_ = nullptr;
    int code_;
};

void bindOptional(sqlite3_stmt* s, int index, const std::optional<int>& value) {
    if (value)
        sqlite3_bind_int(s, index, *value);
    else
        sqlite3_bind_null(s, index);
}

void bindOptional(sqlite3_stmt* s, int index, const std::optional<double>& value) {
    if (value)
        sqlite3_bind_double(s, index, *value);
    else
        sqlite3_bind_null(s, index);
}

std::optional<int> columnOptional(sqlite3_stmt* s, int index) {
    if (sqlite3_column_type(s, index) == SQLITE_NULL)
        return std::nullopt;
    return sqlite3_column_int(s, index);
}

std::optional<double> columnReal(sqlite3_stmt* s, int index) {
    if (sqlite3_column_type(s, index) == SQLITE_NULL)
        return std::nullopt;
    return sqlite3_column_double(s, index);
}

// A difference as a file may hold it: a finite number, not below 0.
bool differenceValue(const std::optional<double>& value) { return !value || (std::isfinite(*value) && *value >= 0); }

struct ChoiceName {
    Choice choice;
    const char* code;
};
constexpr ChoiceName choiceNames[] = {
    {Choice::Left, "left"},     {Choice::Right, "right"}, {Choice::Object, "object"},
    {Choice::Background, "background"}, {Choice::None, "none"}, {Choice::Either, "either"},
};

const char* choiceCode(Choice choice) {
    for (const ChoiceName& n : choiceNames)
        if (n.choice == choice)
            return n.code;
    return "none";
}

std::optional<Choice> choiceFromCode(const unsigned char* code) {
    if (!code)
        return std::nullopt;
    for (const ChoiceName& n : choiceNames)
        if (std::strcmp(reinterpret_cast<const char*>(code), n.code) == 0)
            return n.choice;
    return std::nullopt;
}

// A first-version row kept the colour model's units and pixels. Its colour
// differences are worked out again from the colours it kept, painted as that
// version painted them (the low 8 bits of a channel); its positions and its
// tilt were pixels and degrees already; its sizes were pixels, of a reference
// whose size it did not keep.
void reachedOfFirstVersion(ExerciseResult& r, const std::array<std::optional<double>, gridRows.size()>& kept) {
    const Rgb painted{lowByte(r.referenceColour.red + r.deltaRed), lowByte(r.referenceColour.green + r.deltaGreen),
                      lowByte(r.referenceColour.blue + r.deltaBlue)};
    const ColourDifference colour = colourDifference(painted, r.referenceColour);
    r.reached = {};
    for (std::size_t i = 0; i < gridRows.size(); ++i) {
        if (!r.changeable[i])
            continue;
        switch (gridRows[i]) {
        case Submodality::Brightness: r.reached[i] = colour.lightness; break;
        case Submodality::Hue: r.reached[i] = colour.hue; break;
        case Submodality::Saturation: r.reached[i] = colour.chroma; break;
        case Submodality::VerticalPosition:
        case Submodality::HorizontalPosition:
        case Submodality::Rotation: r.reached[i] = kept[i]; break;
        default: break;
        }
    }
    if (anyColourRow(r.changeable))
        r.deltaE00 = colour.deltaE00;
}

FileProblem problemOfCode(sqlite3* db, int code) {
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return FileProblem::Locked;
    case SQLITE_FULL: return FileProblem::DiskFull;
    case SQLITE_READONLY:
    case SQLITE_PERM: return FileProblem::WriteProtected;
    case SQLITE_CORRUPT: return FileProblem::FailsCheck;
    case SQLITE_NOTADB: return FileProblem::NotResults;
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN: return db ? problemOfError(sqlite3_system_errno(db)) : FileProblem::Other;
    default: return FileProblem::Other;
    }
}

// The start of an SQLite database: its first 100 bytes.
struct Header {
    int error = 0;  // errno of opening or reading; 0 when it could be read
    bool regular = false;
    bool complete = false;  // all 100 bytes are there
    unsigned char bytes[100] = {};

    bool sqlite() const { return complete && std::memcmp(bytes, "SQLite format 3", 16) == 0; }
    bool walMode() const { return bytes[18] == 2 || bytes[19] == 2; }
};

// Opened without waiting, so that a FIFO put in the file's place cannot hang
// the program. Closing this descriptor drops every POSIX lock this process
// holds on the file: no connection of this process may have it open.
Header readHeader(const std::string& path) {
    Header header;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        header.error = errno;
        return header;
    }
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        header.regular = true;
        const ssize_t read = ::pread(fd, header.bytes, sizeof header.bytes, 0);
        header.complete = read == static_cast<ssize_t>(sizeof header.bytes);
        header.error = read < 0 ? errno : 0;
    }
    ::close(fd);
    return header;
}

// A URI naming the file by its absolute path, for SQLite's URI options.
std::string uriOf(const std::string& path, const char* options) {
    std::error_code error;
    std::string uri = "file://";
    for (char c : fs::absolute(path, error).string()) {
        if (c == '%' || c == '?' || c == '#') {
            static constexpr char hex[] = "0123456789ABCDEF";
            uri += '%';
            uri += hex[static_cast<unsigned char>(c) >> 4];
            uri += hex[static_cast<unsigned char>(c) & 15];
        } else {
            uri += c;
        }
    }
    return uri + "?" + options;
}

// A connection that reads an existing file and changes neither it nor
// anything beside it: no checkpoint, no playback of a journal, no new side
// file. How depends on what lies beside the file:
//  - a log with its index: read-only, the index only read; SQLite builds an
//    index of its own in memory when no writer keeps that one up to date;
//  - a log without its index: a connection that takes the file's lock for
//    itself alone, keeps the index in memory and never writes;
//  - no log, the file in WAL mode: read as immutable, as a read-only
//    connection would make a log and its index;
//  - a rollback journal that would have to be played back: a private copy
//    of the file and its journal, repaired there.
class Reader {
public:
    explicit Reader(const std::string& path) {
        std::error_code error;
        const bool log = fs::exists(path + "-wal", error);
        if (log && fs::exists(path + "-shm", error)) {
            if (connect(uriOf(path, "mode=ro&readonly_shm=1"), SQLITE_OPEN_READONLY | SQLITE_OPEN_URI))
                probe();
        } else if (log) {
            // Only a connection that may write keeps the index in memory.
            if (connect(path, SQLITE_OPEN_READWRITE) && sqlite3_db_readonly(db_, "main") != 1) {
                sqlite3_db_config(db_, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, static_cast<int*>(nullptr));
                sqlite3_exec(db_, "PRAGMA locking_mode = EXCLUSIVE; PRAGMA query_only = 1", nullptr, nullptr, nullptr);
                probe();
            } else {
                openCopy(path, "-wal");
            }
        } else if (readHeader(path).walMode()) {
            if (connect(uriOf(path, "immutable=1"), SQLITE_OPEN_READONLY | SQLITE_OPEN_URI))
                probe();
        } else {
            if (connect(uriOf(path, "mode=ro"), SQLITE_OPEN_READONLY | SQLITE_OPEN_URI))
                probe();
            if (code_ == SQLITE_READONLY_ROLLBACK)
                openCopy(path, "-journal");
        }
    }
    ~Reader() {
        sqlite3_close(db_);
        std::error_code error;
        if (!copy_.empty())
            fs::remove_all(copy_, error);
    }
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;

    sqlite3* db() const { return db_; }
    // SQLITE_OK once the file has been read; otherwise what kept it from that.
    int code() const { return code_; }
    const std::string& message() const { return message_; }

private:
    bool connect(const std::string& name, int flags) {
        sqlite3_close(db_);
        db_ = nullptr;
        code_ = sqlite3_open_v2(name.c_str(), &db_, flags | connectionFlags, nullptr);
        message_ = code_ == SQLITE_OK ? "" : db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(code_);
        if (code_ == SQLITE_OK)
            sqlite3_busy_timeout(db_, busyTimeoutMilliseconds);
        return code_ == SQLITE_OK;
    }

    // Reads the schema, so that a lock or a journal shows at once.
    void probe() {
        if (sqlite3_exec(db_, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) != SQLITE_OK) {
            code_ = sqlite3_extended_errcode(db_);
            message_ = sqlite3_errmsg(db_);
        }
    }

    void openCopy(const std::string& path, const char* sideSuffix) {
        sqlite3_close(db_);
        db_ = nullptr;
        std::error_code error;
        std::string folder = (fs::temp_directory_path(error) / "kestrani-look-XXXXXX").string();
        if (!::mkdtemp(folder.data())) {
            code_ = SQLITE_CANTOPEN;
            message_ = std::strerror(errno);
            return;
        }
        copy_ = folder;
        const std::string copy = (copy_ / "results.sqlite").string();
        if (fs::copy_file(path, copy, error))
            fs::copy_file(path + sideSuffix, copy + sideSuffix, error);
        if (error) {
            code_ = error.value() == ENOSPC ? SQLITE_FULL : SQLITE_IOERR;
            message_ = error.message();
            return;
        }
        if (connect(copy, SQLITE_OPEN_READWRITE))
            probe();
    }

    sqlite3* db_ = nullptr;
    int code_ = SQLITE_OK;
    std::string message_;
    fs::path copy_;
};

int fileVersion(sqlite3* db) {
    Statement v(db, "PRAGMA user_version");
    return v.step() == SQLITE_ROW ? sqlite3_column_int(v.get(), 0) : -1;
}

std::vector<ExerciseResult> readResults(sqlite3* db, int& skipped) {
    std::vector<ExerciseResult> results;
    // A first-version file, only read, lacks the later columns: they are read as empty.
    std::string names = columns;
    if (fileVersion(db) < 2) {
        names = names.substr(0, names.find(", delta_e00"));
        for (int i = 0; i < 1 + int(gridRows.size()); ++i)
            names += ", NULL";
    }
    Statement select(db, "SELECT " + names + " FROM results ORDER BY ended_at, id");
    sqlite3_stmt* s = select.get();
    while (select.step() == SQLITE_ROW) {
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
        std::array<std::optional<double>, gridRows.size()> firstVersion{};
        bool firstVersionRow = false;
        for (std::optional<double>& reached : firstVersion) {
            reached = columnReal(s, i++);
            firstVersionRow = firstVersionRow || reached;
        }
        r.deltaE00 = columnReal(s, i++);
        for (std::optional<double>& reached : r.reached)
            reached = columnReal(s, i++);
        const auto isDate = [](std::int64_t t) { return t >= earliestTime && t <= latestTime; };
        bool numbers = differenceValue(r.deltaE00);
        for (const std::optional<double>& reached : firstVersion)
            numbers = numbers && differenceValue(reached);
        for (const std::optional<double>& reached : r.reached)
            numbers = numbers && differenceValue(reached);
        // Written by a newer version in a way this one cannot show, or values
        // no exercise leaves.
        if (exercise < 1 || exercise > 4 || object < 0 || object > 4 || !end || !isDate(r.startedAt) ||
            !isDate(r.endedAt) || !numbers) {
            ++skipped;
            continue;
        }
        r.exerciseKind = static_cast<ExerciseKind>(exercise);
        r.objectKind = static_cast<ObjectKind>(object);
        r.end = *end;
        if (firstVersionRow)
            reachedOfFirstVersion(r, firstVersion);
        results.push_back(r);
    }
    return results;
}

// The answers after row last, which becomes the last row read.
std::vector<AnswerRecord> readAnswers(sqlite3* db, std::int64_t& last, int& skipped) {
    std::vector<AnswerRecord> answers;
    if (fileVersion(db) < 2)  // the first version kept no answers
        return answers;
    {
        Statement count(db, "SELECT count(*) FROM answers WHERE id > " + std::to_string(last));
        if (count.step() == SQLITE_ROW)
            answers.reserve(static_cast<std::size_t>(sqlite3_column_int64(count.get(), 0)));
    }
    // In the order they were kept, which is the order they were given.
    Statement select(db, std::string("SELECT id, ") + answerColumns + " FROM answers WHERE id > " +
                             std::to_string(last) + " ORDER BY id");
    sqlite3_stmt* s = select.get();
    while (select.step() == SQLITE_ROW) {
        last = sqlite3_column_int64(s, 0);
        AnswerRecord a;
        int i = 1;
        a.exerciseStartedAt = sqlite3_column_int64(s, i++);
        a.number = sqlite3_column_int(s, i++);
        a.answeredAt = sqlite3_column_int64(s, i++);
        const int exercise = sqlite3_column_int(s, i++);
        const int object = sqlite3_column_int(s, i++);
        a.changeable = RowSet(static_cast<unsigned long>(sqlite3_column_int64(s, i++)));
        const std::optional<int> question = columnOptional(s, i++);
        const std::optional<int> more = columnOptional(s, i++);
        const std::optional<Choice> key = choiceFromCode(sqlite3_column_text(s, i++));
        const std::optional<Choice> given = choiceFromCode(sqlite3_column_text(s, i++));
        a.right = sqlite3_column_int(s, i++) != 0;
        a.reactionMilliseconds = columnOptional(s, i++);
        a.level = sqlite3_column_double(s, i++);
        const std::optional<double> deltaE00 = columnReal(s, i++);
        const std::optional<double> lightness = columnReal(s, i++), chroma = columnReal(s, i++), hue = columnReal(s, i++);
        for (std::optional<double>& difference : a.difference)
            difference = columnReal(s, i++);
        a.millimetresPerPixel = columnReal(s, i++);
        bool numbers = std::isfinite(a.level) && a.level > 0 && a.level <= 1 && differenceValue(deltaE00) &&
                       differenceValue(lightness) && differenceValue(chroma) && differenceValue(hue);
        for (const std::optional<double>& difference : a.difference)
            numbers = numbers && differenceValue(difference);
        const auto isDate = [](std::int64_t t) { return t >= earliestTime && t <= latestTime; };
        if (exercise < 1 || exercise > 4 || object < 0 || object > 4 || !key || !given || !numbers || a.number < 1 ||
            !isDate(a.answeredAt) || !isDate(a.exerciseStartedAt) ||
            (question && (*question < 0 || *question >= int(submodalityCount)))) {
            ++skipped;
            continue;
        }
        a.exerciseKind = static_cast<ExerciseKind>(exercise);
        a.objectKind = static_cast<ObjectKind>(object);
        if (question)
            a.question = static_cast<Submodality>(*question);
        if (more)
            a.askedMore = *more != 0;
        a.key = *key;
        a.given = *given;
        if (deltaE00)
            a.colour = ColourDifference{*deltaE00, lightness.value_or(0), chroma.value_or(0), hue.value_or(0)};
        answers.push_back(a);
    }
    return answers;
}

}  // namespace

std::unique_ptr<ResultStore> ResultStore::open(const std::string& path) {
    std::unique_ptr<ResultStore> store(new ResultStore(path));
    // SQLite would open each of them, and wait for ever on a FIFO.
    for (const std::string& name : {path, path + "-wal", path + "-shm", path + "-journal"}) {
        std::error_code error;
        const fs::file_status st = fs::status(name, error);
        if (fs::exists(st) && !fs::is_regular_file(st)) {
            store->fail(Status::Unavailable, FileProblem::NotAFile, name + " is not a regular file");
            return store;
        }
    }
    // An empty file holds nothing to lose: SQLite takes it as a new database,
    // unless a log beside it holds what the file lacks.
    std::error_code error;
    const auto sizeOf = [&error](const std::string& name) {
        return fs::exists(name, error) ? fs::file_size(name, error) : 0;
    };
    if (fs::exists(path, error) && (sizeOf(path) != 0 || sizeOf(path + "-wal") != 0))
        store->openExisting();
    else
        store->openNew();
    return store;
}

ResultStore::~ResultStore() { close(); }

void ResultStore::close() {
    // Statements first: a connection with one left is not closed.
    sqlite3_finalize(insert_);
    insert_ = nullptr;
    sqlite3_finalize(insertAnswer_);
    insertAnswer_ = nullptr;
    sqlite3_close(db_);
    db_ = nullptr;
}

bool ResultStore::fail(Status status, FileProblem cause, const std::string& problem) {
    status_ = status;
    cause_ = cause;
    problem_ = problem;
    close();
    return false;
}

// The last exec() or query that failed, in its own words.
bool ResultStore::failWith(Status status) { return fail(status, problemOfCode(db_, lastCode_), problem_); }

bool ResultStore::openNew() {
    std::error_code error;
    const fs::path folder = fs::path(path_).parent_path();
    if (!folder.empty() && !fs::create_directories(folder, error) && error)
        return fail(Status::Unavailable, problemOfError(error.value()), error.message());
    lastCode_ = sqlite3_open_v2(path_.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | connectionFlags, nullptr);
    if (lastCode_ != SQLITE_OK) {
        problem_ = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(lastCode_);
        return failWith(Status::Unavailable);
    }
    sqlite3_busy_timeout(db_, busyTimeoutMilliseconds);
    if (!configure() || !migrate())
        return failWith(Status::Unavailable);
    status_ = Status::Writable;
    cause_ = FileProblem::None;
    problem_.clear();
    return true;
}

bool ResultStore::openExisting() {
    const Header header = readHeader(path_);
    if (!header.regular && header.error == 0)
        return fail(Status::Unavailable, FileProblem::NotAFile, "not a regular file");
    if (header.error != 0) {
        const FileProblem cause = header.error == EACCES || header.error == EPERM ? FileProblem::NoAccess
                                                                                  : problemOfError(header.error);
        return fail(Status::Unavailable, cause, std::strerror(header.error));
    }
    if (!header.sqlite())
        return fail(Status::Damaged, FileProblem::NotResults, "not an SQLite database");

    int version = -1;
    int tables = 0;
    bool hasResults = false;
    {
        Reader reader(path_);
        // A folder that cannot be written, or a lock, keeps SQLite from
        // reading a sound file too; only what it finds in the file makes it damaged.
        const auto lookFailed = [this](int code, sqlite3* db, const std::string& message) {
            const int primary = code & 0xff;
            const bool damaged = primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
            FileProblem cause = problemOfCode(db, code);
            if (cause == FileProblem::WriteProtected)
                cause = FileProblem::NoAccess;
            return fail(damaged ? Status::Damaged : Status::Unavailable, cause, message);
        };
        if (reader.code() != SQLITE_OK)
            return lookFailed(reader.code(), reader.db(), reader.message());
        Statement v(reader.db(), "PRAGMA user_version");
        if (v.step() != SQLITE_ROW)
            return lookFailed(v.code(), reader.db(), sqlite3_errmsg(reader.db()));
        version = sqlite3_column_int(v.get(), 0);
        Statement t(reader.db(), "SELECT name FROM sqlite_master WHERE type = 'table'");
        while (t.step() == SQLITE_ROW) {
            ++tables;
            hasResults = hasResults || t.text(0) == "results";
        }
        if (t.code() != SQLITE_DONE)
            return lookFailed(t.code(), reader.db(), sqlite3_errmsg(reader.db()));
        Statement check(reader.db(), "PRAGMA quick_check");
        if (check.step() != SQLITE_ROW)
            return lookFailed(check.code(), reader.db(), sqlite3_errmsg(reader.db()));
        if (check.text(0) != "ok")
            return fail(Status::Damaged, FileProblem::FailsCheck, check.text(0));
    }
    // A file of another program, or one that claims a version and has no results.
    if (version < 0 || (version == 0 && tables > 0) || (version > 0 && !hasResults))
        return fail(Status::Damaged, FileProblem::NotResults, "not a results file");
    if (version > schemaVersion) {
        status_ = Status::ReadOnly;
        cause_ = FileProblem::NewerVersion;
        problem_ = "written by version " + std::to_string(version);
        return true;
    }
    return openWritable();
}

// The file has proved to be a results file this program writes.
bool ResultStore::openWritable() {
    lastCode_ = sqlite3_open_v2(path_.c_str(), &db_, SQLITE_OPEN_READWRITE | connectionFlags, nullptr);
    if (lastCode_ != SQLITE_OK) {
        problem_ = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(lastCode_);
        return failWith(Status::Unavailable);
    }
    sqlite3_busy_timeout(db_, busyTimeoutMilliseconds);
    // No checkpoint at closing until the file has proved to be ours through
    // this connection too: another program may have changed it since the look.
    sqlite3_db_config(db_, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, static_cast<int*>(nullptr));
    const auto readOnly = [this](FileProblem cause, const std::string& problem) {
        close();
        status_ = Status::ReadOnly;
        cause_ = cause;
        problem_ = problem;
        return true;
    };
    if (sqlite3_db_readonly(db_, "main") == 1)
        return readOnly(FileProblem::WriteProtected, "the file is write-protected");
    const int version = userVersion();
    if (version < 0)
        return failWith(Status::Unavailable);
    if (version > schemaVersion)
        return readOnly(FileProblem::NewerVersion, "written by version " + std::to_string(version));
    if (!configure()) {
        // The log cannot be made beside it: the folder is write-protected.
        const int primary = lastCode_ & 0xff;
        if (primary == SQLITE_READONLY || primary == SQLITE_CANTOPEN)
            return readOnly(FileProblem::WriteProtected, problem_);
        return failWith(Status::Unavailable);
    }
    sqlite3_db_config(db_, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 0, static_cast<int*>(nullptr));
    if (!migrate())
        return failWith(Status::Unavailable);
    status_ = Status::Writable;
    cause_ = FileProblem::None;
    problem_.clear();
    return true;
}

bool ResultStore::configure() {
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
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(busyTimeoutMilliseconds);
    while (!exec(sql)) {
        const int code = lastCode_ & 0xff;
        if ((code != SQLITE_BUSY && code != SQLITE_LOCKED) || std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

int ResultStore::userVersion() {
    Statement v(db_, "PRAGMA user_version");
    if (v.step() == SQLITE_ROW)
        return sqlite3_column_int(v.get(), 0);
    lastCode_ = v.code();
    problem_ = sqlite3_errmsg(db_);
    return -1;
}

bool ResultStore::migrate() {
    if (userVersion() >= schemaVersion)
        return true;
    // Another program may be migrating the same file: the version is read
    // again under the write lock.
    if (!exec("BEGIN IMMEDIATE"))
        return false;
    // A failed statement's code and words stay what the user is told.
    const auto rollBack = [this] {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        return false;
    };
    const int from = userVersion();
    if (from < 0)
        return rollBack();
    for (int version = from; version < schemaVersion; ++version)
        if (!exec(migrations[version]))
            return rollBack();
    const std::string setVersion = "PRAGMA user_version = " + std::to_string(schemaVersion);
    if (!exec(setVersion.c_str()) || !exec("COMMIT"))
        return rollBack();
    return true;
}

bool ResultStore::exec(const char* sql) {
    char* message = nullptr;
    lastCode_ = sqlite3_exec(db_, sql, nullptr, nullptr, &message);
    if (lastCode_ == SQLITE_OK) {
        sqlite3_free(message);
        return true;
    }
    lastCode_ = sqlite3_extended_errcode(db_);
    problem_ = message ? message : sqlite3_errmsg(db_);
    sqlite3_free(message);
    return false;
}

bool ResultStore::insert(sqlite3_stmt* statement) {
    // One statement outside any open transaction: its own transaction.
    const int rc = sqlite3_step(statement);
    if (rc != SQLITE_DONE) {
        cause_ = problemOfCode(db_, sqlite3_extended_errcode(db_));
        problem_ = sqlite3_errmsg(db_);
        sqlite3_reset(statement);
        return false;
    }
    sqlite3_reset(statement);
    cause_ = FileProblem::None;
    problem_.clear();
    return true;
}

bool ResultStore::append(const ExerciseResult& r) {
    if (!insert_ && sqlite3_prepare_v2(db_, insertStatement("results", columns, columnCount).c_str(), -1, &insert_,
                                       nullptr) != SQLITE_OK) {
        cause_ = problemOfCode(db_, sqlite3_extended_errcode(db_));
        problem_ = sqlite3_errmsg(db_);
        return false;
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
    for (std::size_t row = 0; row < gridRows.size(); ++row)
        sqlite3_bind_null(s, ++i);  // the first version's units
    bindOptional(s, ++i, r.deltaE00);
    for (const std::optional<double>& reached : r.reached)
        bindOptional(s, ++i, reached);
    return insert(s);
}

bool ResultStore::appendAnswer(const AnswerRecord& a) {
    if (!insertAnswer_ && sqlite3_prepare_v2(db_, insertStatement("answers", answerColumns, answerColumnCount).c_str(),
                                             -1, &insertAnswer_, nullptr) != SQLITE_OK) {
        cause_ = problemOfCode(db_, sqlite3_extended_errcode(db_));
        problem_ = sqlite3_errmsg(db_);
        return false;
    }
    sqlite3_stmt* s = insertAnswer_;
    sqlite3_reset(s);
    int i = 0;
    sqlite3_bind_int64(s, ++i, a.exerciseStartedAt);
    sqlite3_bind_int(s, ++i, a.number);
    sqlite3_bind_int64(s, ++i, a.answeredAt);
    sqlite3_bind_int(s, ++i, static_cast<int>(a.exerciseKind));
    sqlite3_bind_int(s, ++i, static_cast<int>(a.objectKind));
    sqlite3_bind_int64(s, ++i, static_cast<sqlite3_int64>(a.changeable.to_ulong()));
    bindOptional(s, ++i, a.question ? std::optional<int>(static_cast<int>(*a.question)) : std::nullopt);
    bindOptional(s, ++i, a.askedMore ? std::optional<int>(*a.askedMore) : std::nullopt);
    sqlite3_bind_text(s, ++i, choiceCode(a.key), -1, SQLITE_STATIC);
    sqlite3_bind_text(s, ++i, choiceCode(a.given), -1, SQLITE_STATIC);
    sqlite3_bind_int(s, ++i, a.right);
    bindOptional(s, ++i, a.reactionMilliseconds);
    sqlite3_bind_double(s, ++i, a.level);
    const auto part = [&a](double ColourDifference::*member) {
        return a.colour ? std::optional<double>((*a.colour).*member) : std::nullopt;
    };
    bindOptional(s, ++i, part(&ColourDifference::deltaE00));
    bindOptional(s, ++i, part(&ColourDifference::lightness));
    bindOptional(s, ++i, part(&ColourDifference::chroma));
    bindOptional(s, ++i, part(&ColourDifference::hue));
    for (const std::optional<double>& difference : a.difference)
        bindOptional(s, ++i, difference);
    bindOptional(s, ++i, a.millimetresPerPixel);
    return insert(s);
}

std::vector<ExerciseResult> ResultStore::loadAll() {
    skippedRows_ = 0;
    if (db_)
        return readResults(db_, skippedRows_);
    if (status_ != Status::ReadOnly)
        return {};
    Reader reader(path_);
    return reader.code() == SQLITE_OK ? readResults(reader.db(), skippedRows_) : std::vector<ExerciseResult>{};
}

std::optional<std::int64_t> ResultStore::dataVersion() {
    if (!db_)
        return std::nullopt;
    Statement v(db_, "PRAGMA data_version");
    if (v.step() != SQLITE_ROW)
        return std::nullopt;
    return sqlite3_column_int64(v.get(), 0);
}

std::vector<AnswerRecord> ResultStore::loadAnswers() {
    skippedAnswers_ = 0;
    std::int64_t last = 0;
    return loadAnswersAfter(last, skippedAnswers_);
}

std::vector<AnswerRecord> ResultStore::loadAnswersAfter(std::int64_t& last, int& skipped) {
    if (db_)
        return readAnswers(db_, last, skipped);
    if (status_ != Status::ReadOnly)
        return {};
    Reader reader(path_);
    return reader.code() == SQLITE_OK ? readAnswers(reader.db(), last, skipped) : std::vector<AnswerRecord>{};
}

ResultStore::AnswersRead ResultStore::readAnswersAlone(const std::string& path) {
    AnswersRead read;
    Reader reader(path);
    if (reader.code() == SQLITE_OK)
        read.answers = readAnswers(reader.db(), read.last, read.skipped);
    return read;
}

}  // namespace kestrani
