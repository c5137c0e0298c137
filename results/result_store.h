#pragma once
// The results file: an SQLite database, reached through SQLite's own C
// interface. Every result is one transaction; the file is in WAL mode, keeps
// its schema version in PRAGMA user_version and is migrated forward. A file
// this program cannot read as its own is never written.

#include <memory>
#include <string>
#include <vector>

#include "results/exercise_result.h"

struct sqlite3;
struct sqlite3_stmt;

namespace kestrani {

class ResultStore {
public:
    enum class Status {
        Writable,
        ReadOnly,     // from a newer version of the program, or write-protected: read, never written
        Damaged,      // not a results file, or one that fails its check: left as it is
        Unavailable,  // the file or its folder cannot be created or opened
    };

    // The version of the file this program writes.
    static constexpr int schemaVersion = 1;

    // Opens the file, creating it and its folders when it does not exist.
    static std::unique_ptr<ResultStore> open(const std::string& path);
    ~ResultStore();
    ResultStore(const ResultStore&) = delete;
    ResultStore& operator=(const ResultStore&) = delete;

    Status status() const { return status_; }
    // What went wrong at opening or at the last append, in SQLite's words;
    // empty after an append that succeeded.
    const std::string& problem() const { return problem_; }
    bool newerVersion() const { return newerVersion_; }

    // Appends one result in one transaction, waiting for another program's
    // write to finish. Returns false, with problem() set, when it cannot be
    // written (a full disk, a read-only folder). Precondition: status() is Writable.
    bool append(const ExerciseResult& result);
    // Every stored result, oldest first; rows this version cannot read are skipped.
    // Precondition: status() is Writable or ReadOnly.
    std::vector<ExerciseResult> loadAll();

private:
    ResultStore() = default;
    bool fail(Status status, const std::string& problem);
    bool openExisting(const std::string& path);
    bool openNew(const std::string& path);
    bool configure();
    bool migrate();
    bool exec(const char* sql);
    bool execWaiting(const char* sql);

    sqlite3* db_ = nullptr;
    sqlite3_stmt* insert_ = nullptr;
    Status status_ = Status::Unavailable;
    std::string problem_;
    bool newerVersion_ = false;
};

}  // namespace kestrani
