#pragma once
// The results file: an SQLite database, reached through SQLite's own C
// interface. Every result and every answer is one transaction; the file is in WAL mode, keeps
// its schema version in PRAGMA user_version and is migrated forward. A file
// this program cannot read as its own is never written: an existing file is
// first looked at read-only, without a checkpoint, the playback of a journal
// or a new file beside it, and opened for writing only once it has proved to
// be a sound results file of a version this program writes.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "results/answer_record.h"
#include "results/exercise_result.h"
#include "results/file_problem.h"

struct sqlite3;
struct sqlite3_stmt;

namespace kestrani {

class ResultStore {
public:
    enum class Status {
        Writable,
        ReadOnly,     // from a newer version of the program, or write-protected: read, never written
        Damaged,      // not a results file, or one that fails its check: left as it is
        Unavailable,  // not a regular file, locked, or it or its folder cannot be created or opened
    };

    // The version of the file this program writes.
    // Version 2 added the answer log and the differences in units people
    // can compare.
    static constexpr int schemaVersion = 2;

    // Opens the file, creating it and its folders when it does not exist.
    // Waits at most about a second for another program's lock.
    static std::unique_ptr<ResultStore> open(const std::string& path);
    ~ResultStore();
    ResultStore(const ResultStore&) = delete;
    ResultStore& operator=(const ResultStore&) = delete;

    Status status() const { return status_; }
    // Why the file is not writable, or why the last append failed; None
    // after an append that succeeded.
    FileProblem cause() const { return cause_; }
    // The same in SQLite's or the system's words; empty when cause() is None.
    const std::string& problem() const { return problem_; }
    bool newerVersion() const { return status_ == Status::ReadOnly && cause_ == FileProblem::NewerVersion; }

    // Appends one result in one transaction, waiting at most about a second
    // for another program's write to finish. Returns false, with cause() set,
    // when it cannot be written (a full disk, a lock held too long).
    // Precondition: status() is Writable.
    bool append(const ExerciseResult& result);
    // Appends one answer in one transaction, likewise.
    bool appendAnswer(const AnswerRecord& answer);
    // Every stored result, oldest first; rows this version cannot read, or
    // whose values cannot be (a time that is no date, a difference that is no
    // number), are skipped and counted in skippedRows().
    // Precondition: status() is Writable or ReadOnly.
    std::vector<ExerciseResult> loadAll();
    // Every stored answer, oldest first, skipping (and counting) the same.
    std::vector<AnswerRecord> loadAnswers();
    // The answers kept since row last was read (0: all), oldest first; last
    // becomes the last row there is, and skipped grows by the rows left out.
    // The answers are only ever added to.
    std::vector<AnswerRecord> loadAnswersAfter(std::int64_t& last, int& skipped);
    // The same, through a connection of its own that only reads: another
    // thread may read the file so while this program writes it.
    struct AnswersRead {
        std::vector<AnswerRecord> answers;
        std::int64_t last = 0;
        int skipped = 0;
    };
    static AnswersRead readAnswersAlone(const std::string& path);
    // The rows the last loadAll() and loadAnswers() skipped.
    int skippedRows() const { return skippedRows_ + skippedAnswers_; }
    // Changes whenever another connection, of this program or another, has
    // written to the file since; what this store appends leaves it. Empty
    // when the file is only read (it is then read afresh each time).
    std::optional<std::int64_t> dataVersion();

private:
    explicit ResultStore(std::string path) : path_(std::move(path)) {}
    bool fail(Status status, FileProblem cause, const std::string& problem);
    bool failWith(Status status);
    bool openExisting();
    bool openWritable();
    bool openNew();
    bool configure();
    bool migrate();
    int userVersion();
    bool exec(const char* sql);
    bool execWaiting(const char* sql);
    // Runs a prepared insert as its own transaction, keeping the cause when it fails.
    bool insert(sqlite3_stmt* statement);
    void close();

    std::string path_;
    sqlite3* db_ = nullptr;  // only while Writable
    sqlite3_stmt* insert_ = nullptr;
    sqlite3_stmt* insertAnswer_ = nullptr;
    Status status_ = Status::Unavailable;
    FileProblem cause_ = FileProblem::None;
    std::string problem_;
    int lastCode_ = 0;  // SQLite's result of the last exec() that failed
    int skippedRows_ = 0;
    int skippedAnswers_ = 0;
};

}  // namespace kestrani
