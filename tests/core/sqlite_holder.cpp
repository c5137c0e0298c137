// Holds an SQLite file as another program would, prints "ready" and waits
// until its standard input closes. Killed instead, it leaves the files as a
// crash does.
//   sqlite_holder FILE foreign-wal      another program's database in WAL mode, its rows still in the log
//   sqlite_holder FILE newer-wal        a results file marked by a newer version, the mark still in the log
//   sqlite_holder FILE foreign-journal  another program's database in rollback mode, a write under way in it
//   sqlite_holder FILE exclusive        the file's lock taken for itself alone, readers kept out
//   sqlite_holder FILE writing          a write under way, readers let in

#include <sqlite3.h>

#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

namespace {

const char* script(const std::string& mode) {
    if (mode == "foreign-wal")
        return "PRAGMA journal_mode = WAL; PRAGMA wal_autocheckpoint = 0;"
               "CREATE TABLE notes (text TEXT);"
               "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 200)"
               " INSERT INTO notes SELECT printf('note %d', i) FROM n;";
    if (mode == "newer-wal")
        return "PRAGMA wal_autocheckpoint = 0; PRAGMA user_version = 99;";
    if (mode == "foreign-journal")
        return "PRAGMA journal_mode = DELETE;"
               "CREATE TABLE notes (text TEXT);"
               "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300)"
               " INSERT INTO notes SELECT printf('%0500d', i) FROM n;"
               // A cache of two pages sends the changed pages to the file before the commit.
               "PRAGMA cache_size = 2; BEGIN; UPDATE notes SET text = 'changed'; DELETE FROM notes WHERE rowid > 10;";
    if (mode == "exclusive")
        return "PRAGMA locking_mode = EXCLUSIVE; BEGIN EXCLUSIVE;";
    if (mode == "writing")
        return "BEGIN IMMEDIATE;";
    return nullptr;
}

}  // namespace

int main(int argc, char* argv[]) {
    const char* sql = argc == 3 ? script(argv[2]) : nullptr;
    if (!sql) {
        std::fprintf(stderr, "usage: sqlite_holder FILE foreign-wal|newer-wal|foreign-journal|exclusive|writing\n");
        return 2;
    }
    sqlite3* db = nullptr;
    char* error = nullptr;
    if (sqlite3_open(argv[1], &db) != SQLITE_OK || sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "sqlite_holder: %s\n", error ? error : sqlite3_errmsg(db));
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    std::string line;
    while (std::getline(std::cin, line)) {
    }
    sqlite3_close(db);
    return 0;
}
