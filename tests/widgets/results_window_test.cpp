// The results window: what it says about a file it cannot use, and the
// option that keeps the history, remembered between runs.

#include <QtTest>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "fakes/result_samples.h"
#include "results/results_window.h"

using namespace kestrani;
using namespace kestrani::fakes;

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
        window.resultRecorded(sampleResult(4));
        window.rememberBox->click();
        QVERIFY(!rememberResultsOption());
        QVERIFY(QFile::exists(path));
        QCOMPARE(ResultStore::open(path.toStdString())->loadAll().size(), std::size_t(1));
    }

private:
    QTemporaryDir folder;
};

QTEST_MAIN(ResultsWindowTest)
#include "results_window_test.moc"
