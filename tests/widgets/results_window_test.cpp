// The results window: newest first, what it says about a file it cannot
// use, starting a new file beside a damaged one, and the option that keeps
// the history, remembered between runs.

#include <QtTest>

#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>

#include "fakes/result_samples.h"
#include "results/results_window.h"

using namespace kestrani;
using namespace kestrani::fakes;

namespace {

// Closes the message box the next action opens, and tells its text.
const QString& closeNextMessage() {
    static QString text;
    text.clear();
    QTimer::singleShot(0, [] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
                text = box->text();
                box->accept();
            }
    });
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

    void resultsStandNewestFirst() {
        ResultHistory history(resultsFilePath(), false);
        ResultsWindow window(history);
        for (int n : {2, 0, 1})
            window.resultRecorded(sampleResult(n));
        window.open();
        QAbstractItemModel& model = *window.table->model();
        QCOMPARE(model.rowCount(), 3);
        for (int row = 0; row < 3; ++row)
            QCOMPARE(model.index(row, 3).data().toInt(), 2 - row);  // right answers of sampleResult(n) are n
        QVERIFY(window.fileState->isHidden());
    }

    void aDamagedFileIsNamedAndANewOneStartsBesideIt() {
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

        const QString& said = closeNextMessage();
        window.newFileButton->click();
        QVERIFY(said.contains("results-damaged-"));
        QVERIFY(!window.newFileButton->isVisible() && !window.fileState->isVisible());
        QCOMPARE(QDir(QFileInfo(path).path()).entryList({"*.sqlite"}, QDir::Files).size(), 2);
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
