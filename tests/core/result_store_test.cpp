// The results file: round trip, files that are not sound results files, a
// newer version, odd files beside or in place of it that must stay as they
// are, a folder that cannot be written, a full disk, locks held by another
// program, values no exercise leaves, the option that keeps the history, two
// programs writing at once and a program killed while writing.

#include <QtTest>

#include <algorithm>

#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <optional>
#include <set>

#include "fakes/result_samples.h"
#include "fakes/scratch_disk.h"
#include "results/result_history.h"
#include "results/result_store.h"

using namespace kestrani;
using namespace kestrani::fakes;

namespace {

QByteArray bytesOf(const std::string& path) {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const std::string& path, const QByteArray& bytes) {
    QFile file(QString::fromStdString(path));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

std::vector<ExerciseResult> samples(int count) {
    std::vector<ExerciseResult> results;
    for (int n = 0; n < count; ++n)
        results.push_back(sampleResult(n));
    return results;
}

void store(const std::string& path, const std::vector<ExerciseResult>& results) {
    auto s = ResultStore::open(path);
    QCOMPARE(s->status(), ResultStore::Status::Writable);
    for (const ExerciseResult& r : results)
        QVERIFY(s->append(r));
}

// One value of a query run straight through SQLite, as text.
std::string pragma(const std::string& path, const char* sql) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_stmt* s = nullptr;
    std::string value;
    if (sqlite3_prepare_v2(db, sql, -1, &s, nullptr) == SQLITE_OK && sqlite3_step(s) == SQLITE_ROW)
        value = reinterpret_cast<const char*>(sqlite3_column_text(s, 0));
    sqlite3_finalize(s);
    sqlite3_close(db);
    return value;
}

// Runs statements on a file, making it when missing; gives SQLite's message, empty when all ran.
std::string execute(const std::string& path, const std::string& sql) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    char* message = nullptr;
    sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message);
    const std::string said = message ? message : "";
    sqlite3_free(message);
    sqlite3_close(db);
    return said;
}

// Puts a case of the unsound-files table at path: its bytes, or when empty a
// sound file of five results stamped with a newer version.
bool writeCase(const std::string& path, const QByteArray& bytes) {
    if (!bytes.isEmpty()) {
        writeBytes(path, bytes);
        return bytesOf(path) == bytes;
    }
    store(path, samples(5));
    return pragma(path, ("PRAGMA user_version = " + std::to_string(ResultStore::schemaVersion + 1)).c_str()).empty()
        && pragma(path, "PRAGMA user_version") == std::to_string(ResultStore::schemaVersion + 1);
}

std::set<std::string> filesIn(const QTemporaryDir& dir) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path().toStdString()))
        names.insert(entry.path().filename().string());
    return names;
}

// Every file in the folder with a digest of its bytes; other entries by name.
QStringList contentsOf(const QTemporaryDir& dir) {
    QStringList contents;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path().toStdString())) {
        const QString name = QString::fromStdString(entry.path().filename().string());
        if (!entry.is_regular_file()) {
            contents << name + " (not a regular file)";
            continue;
        }
        const QByteArray bytes = bytesOf(entry.path().string());
        contents << QString("%1 %2 B %3").arg(name).arg(bytes.size()).arg(
                        QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex());
    }
    contents.sort();
    return contents;
}

int openDescriptors() {
    const std::filesystem::directory_iterator fds("/proc/self/fd");
    return static_cast<int>(std::distance(begin(fds), end(fds)));
}

// Another program holding an SQLite file: see sqlite_holder.cpp.
class Holder {
public:
    Holder(const QString& path, const QString& mode) {
        process_.start(SQLITE_HOLDER, {path, mode});
        ready_ = process_.waitForReadyRead(10000) && process_.readLine().trimmed() == "ready";
    }
    ~Holder() { release(); }
    bool ready() const { return ready_; }
    // Ends it as a crash would: its files stay as they are.
    void kill() {
        process_.kill();
        process_.waitForFinished();
    }
    void release() {
        process_.closeWriteChannel();
        process_.waitForFinished(10000);
    }

private:
    QProcess process_;
    bool ready_ = false;
};

}  // namespace

Q_DECLARE_METATYPE(kestrani::ResultStore::Status)
Q_DECLARE_METATYPE(kestrani::FileProblem)

class ResultStoreTest : public QObject {
    Q_OBJECT
private slots:
    void resultsReadBackAsWritten() {
        QTemporaryDir dir;
        const std::string path = dir.filePath("kestrani/deeper/results.sqlite").toStdString();
        const auto written = samples(24);
        store(path, written);
        auto reopened = ResultStore::open(path);
        QCOMPARE(reopened->status(), ResultStore::Status::Writable);
        QVERIFY(reopened->loadAll() == written);
        QCOMPARE(pragma(path, "PRAGMA user_version"), std::to_string(ResultStore::schemaVersion));
        QCOMPARE(pragma(path, "PRAGMA journal_mode"), std::string("wal"));
    }

    void unsoundFilesAreReportedAndLeftAlone_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<ResultStore::Status>("status");

        QByteArray random(8192, '\0');
        QRandomGenerator generator(14);
        for (char& c : random)
            c = static_cast<char>(generator.bounded(256));
        QTest::newRow("random bytes") << random << ResultStore::Status::Damaged;

        QTemporaryDir dir;
        const std::string path = dir.filePath("full.sqlite").toStdString();
        store(path, samples(600));
        const QByteArray whole = bytesOf(path);
        QVERIFY(whole.size() > 16 * 4096);
        QTest::newRow("truncated results file") << whole.left(whole.size() / 2) << ResultStore::Status::Damaged;

        const std::string foreign = dir.filePath("foreign.sqlite").toStdString();
        sqlite3* db = nullptr;
        sqlite3_open(foreign.c_str(), &db);
        sqlite3_exec(db, "CREATE TABLE notes (text TEXT); INSERT INTO notes VALUES ('mine')", nullptr, nullptr, nullptr);
        sqlite3_close(db);
        QTest::newRow("another program's database") << bytesOf(foreign) << ResultStore::Status::Damaged;

        QTest::newRow("newer version") << QByteArray() << ResultStore::Status::ReadOnly;
    }

    void unsoundFilesAreReportedAndLeftAlone() {
        QFETCH(QByteArray, bytes);
        QFETCH(ResultStore::Status, status);
        QTemporaryDir dir;
        const std::string path = dir.filePath("results.sqlite").toStdString();
        QVERIFY(writeCase(path, bytes));
        bytes = bytesOf(path);

        {
            ResultHistory history(path, true);
            QCOMPARE(history.store()->status(), status);
            QVERIFY(!history.store()->problem().empty() || status == ResultStore::Status::ReadOnly);
            int failures = 0;
            history.onWriteFailure = [&failures](const ResultStore&) { ++failures; };
            history.resultRecorded(sampleResult(100));
            history.resultRecorded(sampleResult(101));
            QCOMPARE(failures, 1);
            // This run's results are still shown, after the stored ones of a newer version.
            const auto shown = history.results();
            QCOMPARE(shown.size(), std::size_t(status == ResultStore::Status::ReadOnly ? 7 : 2));
            QCOMPARE(shown.front(), sampleResult(101));
            if (status == ResultStore::Status::ReadOnly)
                QVERIFY(history.store()->newerVersion());
        }
        QCOMPARE(bytesOf(path), bytes);
        // Beside it at most SQLite's shared-memory index and an empty log.
        std::set<std::string> files = filesIn(dir);
        files.erase("results.sqlite-shm");
        QCOMPARE(files.erase("results.sqlite-wal") ? QFileInfo(dir.filePath("results.sqlite-wal")).size() : 0, 0);
        QCOMPARE(files, std::set<std::string>{"results.sqlite"});
    }

    // Looking at a file that may be damaged, foreign, newer or held changes
    // none of its bytes nor those of any file beside it, and never waits long.
    void oddFilesAreLeftAsTheyAre_data() {
        QTest::addColumn<QString>("make");   // a mode of sqlite_holder, or what stands in the file's place
        QTest::addColumn<QString>("leave");  // what becomes of the holder
        QTest::addColumn<ResultStore::Status>("status");
        QTest::addColumn<FileProblem>("cause");
        using S = ResultStore::Status;
        const QString running = "running", crashed = "crashed", noIndex = "crashed, index deleted";
        QTest::newRow("another program's database, its log live")
            << "foreign-wal" << running << S::Damaged << FileProblem::NotResults;
        QTest::newRow("another program's database, its log left by a crash")
            << "foreign-wal" << crashed << S::Damaged << FileProblem::NotResults;
        QTest::newRow("another program's database, its log without its index")
            << "foreign-wal" << noIndex << S::Damaged << FileProblem::NotResults;
        QTest::newRow("newer version, its log live") << "newer-wal" << running << S::ReadOnly << FileProblem::NewerVersion;
        QTest::newRow("newer version, its log left by a crash")
            << "newer-wal" << crashed << S::ReadOnly << FileProblem::NewerVersion;
        QTest::newRow("newer version, its log without its index")
            << "newer-wal" << noIndex << S::ReadOnly << FileProblem::NewerVersion;
        QTest::newRow("a rollback journal left by a crash")
            << "foreign-journal" << crashed << S::Damaged << FileProblem::NotResults;
        QTest::newRow("locked by another process") << "exclusive" << running << S::Unavailable << FileProblem::Locked;
        QTest::newRow("an empty file beside a log") << "empty" << QString() << S::Damaged << FileProblem::NotResults;
        QTest::newRow("a FIFO in its place") << "fifo" << QString() << S::Unavailable << FileProblem::NotAFile;
        QTest::newRow("a FIFO in place of its log") << "fifo-log" << QString() << S::Unavailable << FileProblem::NotAFile;
        QTest::newRow("a folder in its place") << "folder" << QString() << S::Unavailable << FileProblem::NotAFile;
    }

    void oddFilesAreLeftAsTheyAre() {
        QFETCH(QString, make);
        QFETCH(QString, leave);
        QFETCH(ResultStore::Status, status);
        QFETCH(FileProblem, cause);
        QTemporaryDir dir;
        const QString path = dir.filePath("results.sqlite");
        const std::string file = path.toStdString();
        const std::size_t stored = 5;
        if (make == "newer-wal" || make == "exclusive" || make == "fifo-log")
            store(file, samples(stored));
        if (make == "empty") {
            writeBytes(file, QByteArray());
            writeBytes(file + "-wal", QByteArray(4096, 'w'));
        }
        if (make == "fifo")
            QCOMPARE(::mkfifo(file.c_str(), 0600), 0);
        if (make == "fifo-log")
            QCOMPARE(::mkfifo((file + "-wal").c_str(), 0600), 0);
        if (make == "folder")
            QVERIFY(QDir().mkdir(path));
        std::optional<Holder> holder;
        if (!leave.isEmpty()) {
            holder.emplace(path, make);
            QVERIFY(holder->ready());
            if (leave.startsWith("crashed"))
                holder->kill();
            if (leave.endsWith("index deleted"))
                QVERIFY(QFile::remove(path + "-shm"));
        }
        const QStringList before = contentsOf(dir);

        {
            QElapsedTimer timer;
            timer.start();
            ResultHistory history(file, true);
            QVERIFY2(timer.elapsed() < 2000, qPrintable(QString("%1 ms").arg(timer.elapsed())));
            QCOMPARE(history.store()->status(), status);
            QCOMPARE(history.store()->cause(), cause);
            history.resultRecorded(sampleResult(100));
            QCOMPARE(history.results().size(), status == ResultStore::Status::ReadOnly ? stored + 1 : 1);
        }
        QCOMPARE(contentsOf(dir), before);
    }

    void descriptorsStayFlatOverFailedOpens_data() { unsoundFilesAreReportedAndLeftAlone_data(); }

    void descriptorsStayFlatOverFailedOpens() {
        QFETCH(QByteArray, bytes);
        QFETCH(ResultStore::Status, status);
        QTemporaryDir dir;
        const std::string path = dir.filePath("results.sqlite").toStdString();
        QVERIFY(writeCase(path, bytes));
        const int before = openDescriptors();
        for (int n = 0; n < 1000; ++n) {
            auto s = ResultStore::open(path);
            QCOMPARE(s->status(), status);
            if (status == ResultStore::Status::ReadOnly)
                QCOMPARE(s->loadAll().size(), std::size_t(5));
        }
        QCOMPARE(openDescriptors(), before);
        // A sound file elsewhere still opens.
        store(dir.filePath("sound.sqlite").toStdString(), samples(1));
    }

    // VACUUM INTO makes a copy out of WAL mode, as a restored backup is.
    void aBackupOutOfWalModeOpensWithoutAlarm() {
        QTemporaryDir dir;
        const std::string path = dir.filePath("results.sqlite").toStdString();
        const std::string backup = dir.filePath("backup.sqlite").toStdString();
        store(path, samples(3));
        QCOMPARE(pragma(path, ("VACUUM INTO '" + backup + "'").c_str()), std::string());
        QCOMPARE(pragma(backup, "PRAGMA journal_mode"), std::string("delete"));

        auto s = ResultStore::open(backup);
        QCOMPARE(s->status(), ResultStore::Status::Writable);
        QCOMPARE(s->cause(), FileProblem::None);
        QCOMPARE(s->problem(), std::string());
        QVERIFY(s->append(sampleResult(3)));
        s.reset();
        QCOMPARE(ResultStore::open(backup)->loadAll(), samples(4));
        QCOMPARE(pragma(backup, "PRAGMA journal_mode"), std::string("wal"));
    }

    void aNewFileKeepsTheDamagedOneBesideIt() {
        QTemporaryDir dir;
        const std::string path = dir.filePath("results.sqlite").toStdString();
        const QByteArray damaged = QByteArray("SQLite format 3") + QByteArray(5000, 'x');
        writeBytes(path, damaged);
        // Its side files go with it.
        const char* const sides[] = {"-wal", "-shm", "-journal"};
        for (const char* side : sides)
            writeBytes(path + side, side);
        ResultHistory history(path, true);
        QCOMPARE(history.store()->status(), ResultStore::Status::Damaged);
        const auto aside = history.startNewFile(0);
        QVERIFY(aside.has_value());
        QCOMPARE(bytesOf(*aside), damaged);
        for (const char* side : sides) {
            QCOMPARE(bytesOf(*aside + side), QByteArray(side));
            QVERIFY(bytesOf(path + side) != QByteArray(side));
        }
        QVERIFY(QFileInfo(QString::fromStdString(*aside)).fileName().startsWith("results-damaged-"));
        QCOMPARE(history.store()->status(), ResultStore::Status::Writable);
        history.resultRecorded(sampleResult(3));
        QCOMPARE(ResultStore::open(path)->loadAll(), std::vector<ExerciseResult>{sampleResult(3)});
    }

    void aFolderThatCannotBeWrittenGivesOneMessage() {
        // /proc refuses new folders even to the superuser.
        const std::string path = "/proc/kestrani-results/results.sqlite";
        ResultHistory history(path, true);
        QCOMPARE(history.store()->status(), ResultStore::Status::Unavailable);
        QVERIFY(!history.store()->problem().empty());
        int failures = 0;
        history.onWriteFailure = [&failures](const ResultStore&) { ++failures; };
        for (int n = 0; n < 3; ++n)
            history.resultRecorded(sampleResult(n));
        QCOMPARE(failures, 1);
        QCOMPARE(history.results().size(), std::size_t(3));
    }

    void aFullDiskLosesOnlyWhatDidNotFit() {
        QTemporaryDir dir;
        const std::string path = dir.filePath("results.sqlite").toStdString();
        auto s = ResultStore::open(path);
        QVERIFY(s->append(sampleResult(0)));
        // Files may not grow beyond 200 KB: the disk is full from there on.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limited = saved;
        limited.rlim_cur = 200 * 1024;
        setrlimit(RLIMIT_FSIZE, &limited);
        int appended = 1;
        bool failed = false;
        for (int n = 1; n < 5000 && !failed; ++n) {
            failed = !s->append(sampleResult(n));
            appended += failed ? 0 : 1;
        }
        const std::string problem = s->problem();
        s.reset();
        setrlimit(RLIMIT_FSIZE, &saved);
        QVERIFY(failed);
        QVERIFY(!problem.empty());
        QCOMPARE(ResultStore::open(path)->loadAll(), samples(appended));
    }

    void aFullDiskIsNamed() {
        fakes::ScratchDisk disk(256);
        if (!disk.mounted())
            QSKIP(disk.problem().c_str());
        const std::string path = disk.path("results.sqlite");
        auto s = ResultStore::open(path);
        int appended = 0;
        while (appended < 10000 && s->append(sampleResult(appended)))
            ++appended;
        QVERIFY(appended > 0);
        QCOMPARE(s->cause(), FileProblem::DiskFull);
        QCOMPARE(s->loadAll(), samples(appended));

        disk.fill();
        auto fresh = ResultStore::open(disk.path("fresh.sqlite"));
        QCOMPARE(fresh->status(), ResultStore::Status::Unavailable);
        QCOMPARE(fresh->cause(), FileProblem::DiskFull);
    }

    // Another program in the middle of a long write: each result waits about
    // a second, is counted and the first failure alone is reported.
    void aWriteHeldByAnotherProgramCostsAtMostASecondAResult() {
        QTemporaryDir dir;
        const QString path = dir.filePath("results.sqlite");
        store(path.toStdString(), samples(2));
        Holder holder(path, "writing");
        QVERIFY(holder.ready());
        ResultHistory history(path.toStdString(), true);
        QCOMPARE(history.store()->status(), ResultStore::Status::Writable);
        int failures = 0;
        history.onWriteFailure = [&failures](const ResultStore&) { ++failures; };
        for (int n = 0; n < 3; ++n) {
            QElapsedTimer timer;
            timer.start();
            history.resultRecorded(sampleResult(10 + n));
            QVERIFY2(timer.elapsed() < 1500, qPrintable(QString("%1 ms").arg(timer.elapsed())));
        }
        QCOMPARE(failures, 1);
        QCOMPARE(history.unsaved(), 3);
        QCOMPARE(history.store()->cause(), FileProblem::Locked);
        QVERIFY(history.stateText().find("занимает другая программа") != std::string::npos);
        QVERIFY(history.stateText().find("3 результата этого запуска не записаны") != std::string::npos);
        QCOMPARE(history.results().size(), std::size_t(5));

        holder.release();
        history.resultRecorded(sampleResult(20));
        QCOMPARE(history.store()->cause(), FileProblem::None);
        QCOMPARE(history.unsaved(), 3);
        QCOMPARE(history.results().size(), std::size_t(6));
    }

    void impossibleValuesAreSkippedAndSaid() {
        QTemporaryDir dir;
        const std::string path = dir.filePath("results.sqlite").toStdString();
        const std::vector<ExerciseResult> readable = storeImpossibleValues(path);
        ResultHistory history(path, true);
        QCOMPARE(history.results(), readable);
        QCOMPARE(history.store()->skippedRows(), 5);
        QVERIFY(history.stateText().find("5 записей файла не показаны") != std::string::npos);
    }

    void theHistoryWritesNothingWhileItIsOff() {
        QTemporaryDir dir;
        const std::string path = dir.filePath("kestrani/results.sqlite").toStdString();
        ResultHistory history(path, false);
        history.resultRecorded(sampleResult(0));
        history.resultRecorded(sampleResult(1));
        QVERIFY(filesIn(dir).empty());
        QCOMPARE(history.results(), (std::vector<ExerciseResult>{sampleResult(1), sampleResult(0)}));

        // Turned on, it keeps this run's results too.
        history.setRemembering(true);
        history.resultRecorded(sampleResult(2));
        QCOMPARE(history.results(), (std::vector<ExerciseResult>{sampleResult(2), sampleResult(1), sampleResult(0)}));
        history.setRemembering(false);
        history.resultRecorded(sampleResult(3));
        QCOMPARE(ResultStore::open(path)->loadAll(),
                 (std::vector<ExerciseResult>{sampleResult(0), sampleResult(1), sampleResult(2)}));
        QCOMPARE(history.results().size(), std::size_t(4));
    }

    void twoProgramsWritingAtOnceLoseNothing() {
        QTemporaryDir dir;
        const QString path = dir.filePath("results.sqlite");
        QProcess first, second;
        first.start(RESULTS_WRITER, {path, "1000", "1"});
        second.start(RESULTS_WRITER, {path, "1000", "2"});
        QVERIFY(first.waitForFinished(60000) && second.waitForFinished(60000));
        QCOMPARE(first.exitCode(), 0);
        QCOMPARE(second.exitCode(), 0);
        std::map<int, std::set<int>> byWriter;
        for (const ExerciseResult& r : ResultStore::open(path.toStdString())->loadAll())
            byWriter[r.deltaGreen].insert(r.rightAnswers);
        QCOMPARE(byWriter.size(), std::size_t(2));
        for (const auto& [writer, numbers] : byWriter) {
            QCOMPARE(numbers.size(), std::size_t(1000));
            QCOMPARE(*numbers.rbegin(), 999);
        }
    }

    void aKilledWriterLosesAtMostTheResultInFlight_data() {
        QTest::addColumn<bool>("answers");
        QTest::newRow("results") << false;
        QTest::newRow("answers") << true;
    }
    void aKilledWriterLosesAtMostTheResultInFlight() {
        QFETCH(bool, answers);
        QTemporaryDir dir;
        const QString path = dir.filePath("results.sqlite");
        QProcess writer;
        QStringList arguments{path, "1000000", "1"};
        if (answers)
            arguments << "answers";
        writer.start(RESULTS_WRITER, arguments);
        QVERIFY(writer.waitForStarted());
        QByteArray printed;
        while (printed.count('\n') < 300 && writer.waitForReadyRead(10000))
            printed += writer.readAllStandardOutput();
        writer.kill();
        writer.waitForFinished();
        printed += writer.readAllStandardOutput();
        const QList<QByteArray> lines = printed.trimmed().split('\n');
        const int lastCommitted = lines.last().toInt();
        QVERIFY(lastCommitted >= 299);

        QCOMPARE(pragma(path.toStdString(), "PRAGMA integrity_check"), std::string("ok"));
        auto store = ResultStore::open(path.toStdString());
        std::vector<int> numbers;
        if (answers)
            for (const AnswerRecord& a : store->loadAnswers())
                numbers.push_back(a.number - 1);
        else
            for (const ExerciseResult& r : store->loadAll())
                numbers.push_back(r.rightAnswers);
        QVERIFY2(numbers.size() == std::size_t(lastCommitted + 1) || numbers.size() == std::size_t(lastCommitted + 2),
                 qPrintable(QString("%1 stored, %2 committed").arg(numbers.size()).arg(lastCommitted + 1)));
        for (std::size_t i = 0; i < numbers.size(); ++i)
            QCOMPARE(numbers[i], int(i));
    }

    // The history reads the answers once, in the background, and then only
    // those kept since: its own and another program's.
    void theAnswersAreReadOnceAndThenOnlyThoseKeptSince() {
        QTemporaryDir dir;
        const std::string path = dir.filePath("results.sqlite").toStdString();
        {
            auto store = ResultStore::open(path);
            for (int n = 0; n < 500; ++n)
                QVERIFY(store->appendAnswer(sampleAnswer(n)));
        }
        ResultHistory history(path, true);
        QCOMPARE(history.answers().size(), std::size_t(500));
        history.answerRecorded(sampleAnswer(500));
        auto other = ResultStore::open(path);
        QVERIFY(other->appendAnswer(sampleAnswer(501)));
        const std::vector<AnswerRecord> all = history.answers();
        QCOMPARE(all.size(), std::size_t(502));
        QCOMPARE(all[499], sampleAnswer(499));
        QCOMPARE(all.back(), sampleAnswer(501));
        QCOMPARE(std::count(all.begin(), all.end(), sampleAnswer(500)), 1);
    }

    // A file the first version wrote: its results, in the colour model's units
    // and pixels, are kept and shown in the units people compare, as far as
    // the file allows; the answers can be kept from now on.
    void aFirstVersionFileIsMigratedAndKeepsEveryRow() {
        QTemporaryDir dir;
        const std::string path = dir.filePath("results.sqlite").toStdString();
        const std::string firstVersion =
            "CREATE TABLE results (id INTEGER PRIMARY KEY, started_at INTEGER NOT NULL, ended_at INTEGER NOT NULL,"
            " exercise_kind INTEGER NOT NULL, object_kind INTEGER NOT NULL, changeable INTEGER NOT NULL,"
            " asked INTEGER NOT NULL, non_monotonic INTEGER NOT NULL, splitting INTEGER NOT NULL,"
            " variable_background INTEGER NOT NULL, reference_show_seconds INTEGER, delay_seconds INTEGER,"
            " object_show_seconds INTEGER, standard_colour INTEGER, reference_red INTEGER NOT NULL,"
            " reference_green INTEGER NOT NULL, reference_blue INTEGER NOT NULL, right_answers INTEGER NOT NULL,"
            " end_reason TEXT NOT NULL, delta_red INTEGER NOT NULL, delta_green INTEGER NOT NULL,"
            " delta_blue INTEGER NOT NULL, reached_brightness REAL, reached_hue REAL, reached_saturation REAL,"
            " reached_height REAL, reached_width REAL, reached_area REAL, reached_vertical_position REAL,"
            " reached_horizontal_position REAL, reached_rotation REAL);"
            // Brightness and both positions changeable (rows 0, 6, 7): a grey 100 against 90, 4 and 7 pixels.
            "INSERT INTO results VALUES (1, 1800000000000, 1800000060000, 1, 0, 193, 0, 0, 1, 0, NULL, NULL, NULL,"
            " NULL, 90, 90, 90, 12, 'wrong-answer', 10, 10, 10, 16.7, NULL, NULL, NULL, NULL, NULL, 4, 7, NULL);"
            // A line changing its length and tilt (rows 5 and 8): 12 pixels, 9.5 degrees.
            "INSERT INTO results VALUES (2, 1800000100000, 1800000160000, 4, 3, 288, 32, 1, 0, 1, 5, NULL, 10,"
            " 42, 200, 100, 50, 3, 'time-out', 0, 0, 0, NULL, NULL, NULL, NULL, NULL, 12, NULL, NULL, 9.5);"
            "PRAGMA user_version = 1;";
        QCOMPARE(execute(path, firstVersion), std::string());

        ResultHistory history(path, true);
        QCOMPARE(history.store()->status(), ResultStore::Status::Writable);
        QCOMPARE(pragma(path, "PRAGMA user_version"), std::to_string(ResultStore::schemaVersion));
        const std::vector<ExerciseResult> results = history.results();
        QCOMPARE(results.size(), std::size_t(2));
        const ExerciseResult& line = results[0];
        const ExerciseResult& grey = results[1];
        QCOMPARE(grey.rightAnswers, 12);
        QCOMPARE(grey.end, ExerciseEnd::WrongAnswer);
        // Two greys: all of ΔE00 is lightness, and positions were pixels already.
        QVERIFY(grey.deltaE00 && *grey.deltaE00 > 1 && *grey.deltaE00 < 10);
        QVERIFY(std::fabs(*grey.reached[0] - *grey.deltaE00) < 1e-3);
        QCOMPARE(grey.reached[6], std::optional<double>(4));
        QCOMPARE(grey.reached[7], std::optional<double>(7));
        QCOMPARE(line.objectKind, ObjectKind::Line);
        QCOMPARE(line.standardColour, std::optional<int>(42));
        QCOMPARE(line.reached[8], std::optional<double>(9.5));
        QVERIFY(!line.reached[5]);  // a length in pixels of a reference whose length was not kept
        QCOMPARE(line.deltaE00, std::optional<double>());

        history.answerRecorded(sampleAnswer(3));
        QCOMPARE(ResultStore::open(path)->loadAnswers(), std::vector<AnswerRecord>{sampleAnswer(3)});
        QCOMPARE(ResultStore::open(path)->loadAll().size(), std::size_t(2));
    }
};

QTEST_GUILESS_MAIN(ResultStoreTest)
#include "result_store_test.moc"
