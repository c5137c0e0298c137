// What the results window is given to show: Russian numbers of results, the
// time axis of its charts over every span a file may hold, and why a file
// could not be written.

#include <QtTest>

#include <sys/stat.h>

#include <optional>

#include "fakes/scratch_disk.h"
#include "results/file_problem.h"
#include "results/results_geometry.h"
#include "results/results_messages.h"

using namespace kestrani;

Q_DECLARE_METATYPE(kestrani::FileProblem)
Q_DECLARE_METATYPE(kestrani::TimeAxis::Labels)

class ResultsStateTest : public QObject {
    Q_OBJECT
private slots:
    void russianNumbersAgree_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("unsaved");
        QTest::addColumn<QString>("skipped");
        const QString one = " этого запуска не записан в файл: он виден здесь, пока программа открыта.";
        const QString more = " этого запуска не записаны в файл: они видны здесь, пока программа открыта.";
        QTest::newRow("1") << 1 << "1 результат" + one << "1 запись файла не показана: в ней";
        QTest::newRow("2") << 2 << "2 результата" + more << "2 записи файла не показаны: в них";
        QTest::newRow("5") << 5 << "5 результатов" + more << "5 записей файла не показаны: в них";
        QTest::newRow("11") << 11 << "11 результатов" + more << "11 записей файла не показаны: в них";
        QTest::newRow("14") << 14 << "14 результатов" + more << "14 записей файла не показаны: в них";
        QTest::newRow("21") << 21 << "21 результат" + one << "21 запись файла не показана: в ней";
        QTest::newRow("22") << 22 << "22 результата" + more << "22 записи файла не показаны: в них";
        QTest::newRow("111") << 111 << "111 результатов" + more << "111 записей файла не показаны: в них";
    }

    void russianNumbersAgree() {
        QFETCH(int, count);
        QFETCH(QString, unsaved);
        QFETCH(QString, skipped);
        QCOMPARE(QString::fromStdString(unsavedText(count)), unsaved);
        QVERIFY(QString::fromStdString(skippedText(count)).startsWith(skipped));
    }

    void timeAxesCoverEverySpan_data() {
        QTest::addColumn<qint64>("first");
        QTest::addColumn<qint64>("last");
        QTest::addColumn<qint64>("from");
        QTest::addColumn<qint64>("to");
        QTest::addColumn<TimeAxis::Labels>("labels");
        const qint64 t = 1'800'000'000'000;
        using L = TimeAxis::Labels;
        QTest::newRow("one result") << t << t << t - 60'000 << t + 60'000 << L::Seconds;
        QTest::newRow("ten minutes") << t << t + 600'000 << t - 60'000 << t + 660'000 << L::Seconds;
        QTest::newRow("an hour") << t << t + 3'600'000 << t - 180'000 << t + 3'780'000 << L::Minutes;
        QTest::newRow("two days") << t << t + 160'000'000 << t - 8'000'000 << t + 168'000'000 << L::Days;
        QTest::newRow("three days") << t << t + 259'200'000 << t - 12'960'000 << t + 272'160'000 << L::Days;
        // From the first to the last date: a twentieth of 315,537,897,599,999 ms on each side.
        QTest::newRow("every date") << qint64(earliestTime) << qint64(latestTime) << qint64(-77'912'491'679'999)
                                    << qint64(269'179'195'679'998) << L::Days;
        QTest::newRow("beyond every date") << std::numeric_limits<qint64>::min() << std::numeric_limits<qint64>::max()
                                           << qint64(-77'912'491'679'999) << qint64(269'179'195'679'998) << L::Days;
    }

    void timeAxesCoverEverySpan() {
        QFETCH(qint64, first);
        QFETCH(qint64, last);
        QFETCH(qint64, from);
        QFETCH(qint64, to);
        QFETCH(TimeAxis::Labels, labels);
        const TimeAxis axis = timeAxis(first, last);
        QCOMPARE(axis.from, from);
        QCOMPARE(axis.to, to);
        QCOMPARE(axis.labels, labels);
    }

    void whyAFileCannotBeWritten_data() {
        QTest::addColumn<QString>("obstacle");
        QTest::addColumn<FileProblem>("problem");
        QTest::newRow("a folder in its place") << "folder" << FileProblem::NotAFile;
        QTest::newRow("a FIFO in its place") << "fifo" << FileProblem::NotAFile;
        QTest::newRow("a full disk") << "full" << FileProblem::DiskFull;
        QTest::newRow("a read-only file system") << "read-only" << FileProblem::WriteProtected;
        QTest::newRow("nothing in the way") << "" << FileProblem::Other;
    }

    void whyAFileCannotBeWritten() {
        QFETCH(QString, obstacle);
        QFETCH(FileProblem, problem);
        QTemporaryDir dir;
        std::string path = dir.filePath("settings/kestrani.ini").toStdString();
        std::optional<fakes::ScratchDisk> disk;
        if (obstacle == "full" || obstacle == "read-only") {
            disk.emplace(64);
            if (!disk->mounted())
                QSKIP(disk->problem().c_str());
            path = disk->path("kestrani.ini");
            if (obstacle == "full")
                disk->fill();
            else
                QVERIFY(disk->makeReadOnly());
        }
        if (obstacle == "folder")
            QVERIFY(QDir().mkpath(QString::fromStdString(path)));
        if (obstacle == "fifo") {
            QVERIFY(QDir().mkpath(dir.filePath("settings")));
            QCOMPARE(::mkfifo(path.c_str(), 0600), 0);
        }
        QCOMPARE(whyCannotWrite(path, 100), problem);
    }
};

QTEST_GUILESS_MAIN(ResultsStateTest)
#include "results_state_test.moc"
