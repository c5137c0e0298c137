// The results window: what it says about a file it cannot use, the option
// that keeps the history, remembered between runs or said to be kept for this
// run only, the CSV export on a full disk, values no exercise leaves, and
// charts drawn again and again.

#include <QtTest>

#include <QAbstractAxis>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QTableView>
#include <functional>
#include <optional>

#include "fakes/result_samples.h"
#include "fakes/scratch_disk.h"
#include "results/results_window.h"

using namespace kestrani;
using namespace kestrani::fakes;

namespace {

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The text of the message box that action shows, closed at once; empty when none.
QString messageDuring(const std::function<void()>& action) {
    QString text;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&text] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            text = box->text();
            box->done(QMessageBox::Ok);
        }
    });
    closer.start(10);
    action();
    return text;
}

}  // namespace

class ResultsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        qputenv("XDG_CONFIG_HOME", QDir(folder.path()).filePath("config").toUtf8());
        qputenv("XDG_DATA_HOME", QDir(folder.path()).filePath("data").toUtf8());
    }

    void aDamagedFileIsNamedWithAWayOut() {
        const QString path = QDir(folder.path()).filePath("damaged/results.sqlite");
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(3000, 'k'));
        file.close();

        ResultHistory history(path.toStdString(), true);
        ResultsWindow window(history);
        window.open();
        QVERIFY(window.fileState->isVisible());
        QVERIFY(window.fileState->text().contains("повреждён"));
        QVERIFY(window.fileState->text().contains(path));
        QVERIFY(window.newFileButton->isVisible());
    }

    void theOptionIsKeptAndLeavesTheFileWhenTurnedOff() {
        QVERIFY(!rememberResultsOption());
        const QString path = QString::fromStdString(resultsFilePath());
        QVERIFY(path.startsWith(folder.path()));
        ResultHistory history(resultsFilePath(), rememberResultsOption());
        ResultsWindow window(history);
        window.open();
        QVERIFY(!window.rememberBox->isChecked());
        QVERIFY(!QFile::exists(path));

        window.rememberBox->click();
        QVERIFY(QFile::exists(path));
        QVERIFY(rememberResultsOption());
        history.resultRecorded(sampleResult(4));
        window.rememberBox->click();
        QVERIFY(!rememberResultsOption());
        QVERIFY(QFile::exists(path));
        QCOMPARE(ResultStore::open(path.toStdString())->loadAll().size(), std::size_t(1));
    }

    // A settings file that cannot be written: the window says so, and the
    // choice holds for this run; unticked, nothing more is written.
    void anOptionThatCannotBeKeptIsSaidAndHolds_data() {
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("a read-only file system keeping it ticked") << true;
        QTest::newRow("a folder in place of the settings file") << false;
    }

    void anOptionThatCannotBeKeptIsSaidAndHolds() {
        QFETCH(bool, readOnly);
        QTemporaryDir data;
        qputenv("XDG_DATA_HOME", data.path().toUtf8());
        // QSettings takes its folder from the environment once in a run.
        const QString settings = QSettings(QSettings::IniFormat, QSettings::UserScope, "kestrani", "kestrani").fileName();
        QVERIFY(QDir().mkpath(QFileInfo(settings).path()));
        QFile::remove(settings);
        std::optional<ScratchDisk> disk;
        if (readOnly) {
            disk.emplace(64, QFileInfo(settings).path().toStdString());
            if (!disk->mounted())
                QSKIP(disk->problem().c_str());
            QVERIFY(writeFile(settings, "[results]\nremember=true\n"));
            QVERIFY(disk->makeReadOnly());
        } else {
            QVERIFY(QDir().mkpath(settings));
        }
        QCOMPARE(rememberResultsOption(), readOnly);

        {
            ResultHistory history(resultsFilePath(), rememberResultsOption());
            ResultsWindow window(history);
            window.open();
            if (!readOnly) {
                window.rememberBox->click();
                QVERIFY(history.remembering());
                QVERIFY(window.fileState->isVisible());
                QVERIFY(window.fileState->text().contains("не удалось сохранить в файле настроек " + settings));
                QVERIFY(window.fileState->text().contains("результаты записываются в файл"));
                history.resultRecorded(sampleResult(1));
            }
            window.rememberBox->click();
            QVERIFY(!history.remembering());
            QVERIFY(window.fileState->text().contains("не удалось сохранить в файле настроек " + settings));
            QVERIFY(window.fileState->text().contains("результаты в файл не записываются"));

            const QString results = QString::fromStdString(resultsFilePath());
            QVERIFY(QFile::exists(results));
            const QByteArray before = bytesOf(results);
            history.resultRecorded(sampleResult(2));
            history.resultRecorded(sampleResult(3));
            QCOMPARE(bytesOf(results), before);
            QVERIFY(!QFile::exists(results + "-wal"));
            QCOMPARE(window.table->model()->rowCount(), readOnly ? 2 : 3);
            QCOMPARE(ResultStore::open(results.toStdString())->loadAll().size(), std::size_t(readOnly ? 0 : 1));
        }

        // The way cleared, the choice not kept is written, and then taken away.
        disk.reset();
        QDir(settings).removeRecursively();
        QSettings cleared(QSettings::IniFormat, QSettings::UserScope, "kestrani", "kestrani");
        cleared.remove("results");
        cleared.sync();
        QCOMPARE(cleared.status(), QSettings::NoError);
    }

    void aCsvReplacedOnAFullDiskKeepsTheOldFile() {
        ScratchDisk disk(512);
        if (!disk.mounted())
            QSKIP(disk.problem().c_str());
        const QString csv = QString::fromStdString(disk.path("results.csv"));
        const QByteArray old = "Начало,Конец\r\nпрежний файл\r\n";
        QVERIFY(writeFile(csv, old));
        disk.fill();

        ResultHistory history(QDir(folder.path()).filePath("unused.sqlite").toStdString(), false);
        for (int n = 0; n < 300; ++n)
            history.resultRecorded(sampleResult(n));
        ResultsWindow window(history);
        window.open();
        const QString said = messageDuring([&] { window.saveCsvTo(csv); });
        QVERIFY2(said.contains("на диске нет места"), qPrintable(said));
        QVERIFY(said.contains(csv));
        QCOMPARE(bytesOf(csv), old);
        const QDir onDisk(QFileInfo(csv).path());
        QCOMPARE(onDisk.entryList(QDir::Files | QDir::Hidden), (QStringList{"filler", "results.csv"}));

        // With room again the same export replaces it whole.
        QVERIFY(QFile::remove(QString::fromStdString(disk.path("filler"))));
        QCOMPARE(messageDuring([&] { window.saveCsvTo(csv); }), QString());
        QCOMPARE(bytesOf(csv).count("\r\n"), 301);
    }

    // Rows whose values no exercise leaves are left out and counted; the two
    // at the first and the last date are shown.
    void impossibleValuesAreLeftOutAndSaid() {
        const QString path = QDir(folder.path()).filePath("impossible/results.sqlite");
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        storeImpossibleValues(path.toStdString());
        ResultHistory history(path.toStdString(), true);
        ResultsWindow window(history);
        window.open();
        QCOMPARE(window.table->model()->rowCount(), 2);
        QVERIFY(window.fileState->text().contains("5 записей файла не показаны"));
        QVERIFY(window.table->isVisible());
    }

    // Each drawing deletes what the one before left; under LeakSanitizer
    // nothing at all is left over at the end.
    void drawingAgainAndAgainLeavesNothingBehind() {
        ResultHistory history(QDir(folder.path()).filePath("unused.sqlite").toStdString(), false);
        for (int n = 0; n < 20; ++n)
            history.resultRecorded(sampleResult(n));
        for (const AnswerRecord& a : playedAnswers(6, 40))
            history.answerRecorded(a);
        ResultsWindow window(history);
        QList<QPointer<QObject>> drawnBefore;
        qsizetype drawnFirst = 0;
        for (int n = 0; n < 300; ++n) {
            window.open();
            QCoreApplication::processEvents();  // the thresholds follow the window
            window.close();
            for (const QPointer<QObject>& gone : drawnBefore)
                QVERIFY(gone.isNull());
            drawnBefore.clear();
            for (QChartView* view : {window.psychometricChart, window.progressChart}) {
                for (QAbstractAxis* axis : view->chart()->axes())
                    drawnBefore.append(axis);
                for (QAbstractSeries* series : view->chart()->series())
                    drawnBefore.append(series);
            }
            if (n == 0)
                drawnFirst = drawnBefore.size();
            // Both charts drawn: axes, bins, curve and threshold; points with their bars.
            QVERIFY(drawnFirst > 10);
            QCOMPARE(drawnBefore.size(), drawnFirst);
        }
    }

private:
    QTemporaryDir folder;
};

QTEST_MAIN(ResultsWindowTest)
#include "results_window_test.moc"
