// The real program in a real X server: results of played exercises in the
// results window, kept between runs only when the user asks for it.

#include <QtTest>

#include "e2e/desktop.h"

using namespace kestrani::e2e;

namespace {

const QString resultsTitle = QStringLiteral("Результаты — Kestrani");

// Places on the 1024 × 768 screen of the test (design positions × 1.28).
const QPoint exercisesButton(897, 630);         // "Упражнения"
const QPoint resultsButton(106, 589);           // "Результаты"
const QPoint finishButton(897, 671);            // "Завершить работу"
const QPoint startButton(256 + 358 + 67, 610);  // "Начали?" on the reference window
const QPoint newExerciseButton(102, 691);       // "Новое упражнение" on the backdrop
const QPoint leaveButton(901, 691);             // "Выйти из упражнения"
const QRect referenceArea(256, 0, 501, 580);
const QPoint leftCardCentre(250, 300), rightCardCentre(772, 300);
const QColor grey(128, 128, 128);                // the exercise screen's backdrop
const QString exerciseScreen = QStringLiteral("Kestrani 1.01 rus: упражнение");

// Separate data and configuration folders for every run of the program.
struct Folders {
    Folders() {
        qputenv("XDG_DATA_HOME", QDir(root.path()).filePath("data").toUtf8());
        qputenv("XDG_CONFIG_HOME", QDir(root.path()).filePath("config").toUtf8());
    }
    QString resultsFile() const { return QDir(root.path()).filePath("data/kestrani/results.sqlite"); }
    // Every file the program has left in either folder.
    QStringList filesLeft() const {
        QStringList files;
        QDirIterator it(root.path(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            files << it.next();
        return files;
    }
    QTemporaryDir root;
};

struct Program {
    Desktop desktop;

    bool start() {
        if (!desktop.startProgram() || !desktop.waitForWindow("Kestrani 1.01 rus"))
            return false;
        const unsigned long instructions = desktop.waitForWindow("Instructions to Kestrani 1.01 rus");
        desktop.closeWindow(instructions);
        return QTest::qWaitFor([&] { return !desktop.windowVisible("Instructions to Kestrani 1.01 rus"); }, 5000);
    }

    void click(QPoint at) { desktop.click(at.x(), at.y()); }

    // A surface of the exercise screen is up where the backdrop's grey has gone.
    bool waitUntilCovered(QPoint at) {
        return QTest::qWaitFor([&] { return desktop.pixel(at.x(), at.y()) != grey; }, 5000);
    }

    // From the reference window on: answers right the given number of
    // times, then wrong, and closes the end message.
    bool playExercise1(int rightAnswers) {
        if (!waitUntilCovered(referenceArea.center()))
            return false;
        QTest::qWait(200);
        const QColor reference = desktop.screenshot().copy(referenceArea).pixelColor(40, 300);
        click(startButton);
        if (!waitUntilCovered(leftCardCentre))
            return false;
        for (int move = 0; move <= rightAnswers; ++move) {
            const QImage screen = desktop.settledScreenshot();
            const bool leftIsReference = screen.pixelColor(leftCardCentre) == reference;
            const bool right = move < rightAnswers;
            click(leftIsReference == right ? leftCardCentre : rightCardCentre);
            if (right)
                QTest::qWait(300);
        }
        const unsigned long message = desktop.waitForWindow("Kestrani", 3000);
        if (!message)
            return false;
        xdotool({"windowfocus", "--sync", QString::number(message)});
        desktop.pressKey("Return");
        return QTest::qWaitFor([&] { return !desktop.windowVisible("Kestrani"); }, 3000);
    }

    // Opens the results window; gives its picture once it stands still.
    QImage openResults() {
        click(resultsButton);
        const unsigned long window = desktop.waitForWindow(resultsTitle);
        if (!window)
            return {};
        return desktop.settledScreenshot().copy(desktop.windowGeometry(window));
    }

    // Where a text of the results window stands on the screen; empty when it is not there.
    QList<QRect> find(const QString& text) {
        const QRect window = desktop.windowGeometry(desktop.waitForWindow(resultsTitle));
        return findText(desktop.settledScreenshot(), text, toolkitFont(), window);
    }

    // Brings up one of the window's tabs by clicking its title.
    bool showTab(const QString& title) {
        const QList<QRect> where = find(title);
        if (where.isEmpty())
            return false;
        click(where.first().center());
        QTest::qWait(300);
        return true;
    }

    bool closeResults() {
        desktop.closeWindow(desktop.waitForWindow(resultsTitle));
        return QTest::qWaitFor([&] { return !desktop.windowVisible(resultsTitle); }, 3000);
    }

    bool finish() {
        click(finishButton);
        const unsigned long goodbye = desktop.waitForWindow("Kestrani", 3000);
        xdotool({"windowfocus", "--sync", QString::number(goodbye)});
        desktop.pressKey("Return");
        return desktop.waitForExit(5000);
    }
};

}  // namespace

class ResultsE2E : public QObject {
    Q_OBJECT
private slots:
    void twoPlayedExercisesAreShownAndNothingIsWritten() {
        Folders folders;
        Program p;
        QVERIFY(p.start());
        QVERIFY(!p.openResults().isNull());
        QVERIFY2(!p.find(QStringLiteral("Результатов пока нет.")).isEmpty(), "the empty window says what will appear");
        QVERIFY(p.closeResults());

        p.click(exercisesButton);
        QVERIFY(p.playExercise1(0));
        p.click(newExerciseButton);
        QVERIFY(p.playExercise1(1));
        p.click(leaveButton);
        QTRY_VERIFY(!p.desktop.windowVisible(exerciseScreen));

        // Two rows, each ended by a wrong answer.
        p.openResults().save("results_window.png");
        QCOMPARE(p.find(QStringLiteral("ошибка")).size(), 2);
        // Three answers: too few for a threshold, which says how many more it needs.
        QVERIFY(p.showTab(QStringLiteral("Пороги")));
        p.desktop.settledScreenshot().save("results_thresholds.png");
        QVERIFY2(!p.find(QStringLiteral("нужно ещё 27 ответов")).isEmpty(), "the answers counted on «Пороги»");
        // Today is a day of the progress, with today's summary.
        QVERIFY(p.showTab(QStringLiteral("Прогресс")));
        p.desktop.settledScreenshot().save("results_progress.png");
        const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
        QVERIFY2(!p.find(today + QStringLiteral(": 3 ответа")).isEmpty(), "today on «Прогресс»");
        QVERIFY(!p.find(QStringLiteral("Сегодня: 2 упражнения, 3 ответа")).isEmpty());

        // Escape puts the window away, as "Закрыть" does.
        xdotool({"windowfocus", "--sync", QString::number(p.desktop.waitForWindow(resultsTitle))});
        p.desktop.pressKey("Escape");
        QTRY_VERIFY(!p.desktop.windowVisible(resultsTitle));

        QVERIFY(p.finish());
        QCOMPARE(folders.filesLeft(), QStringList());
    }

    void aKeptHistoryIsShownAgainAfterARestart() {
        Folders folders;
        {
            Program p;
            QVERIFY(p.start());
            QVERIFY(!p.openResults().isNull());
            const QRect window = p.desktop.windowGeometry(p.desktop.waitForWindow(resultsTitle));
            // "Запоминать результаты между запусками", the first control.
            p.desktop.click(window.left() + 18, window.top() + 20);
            QTRY_VERIFY(QFile::exists(folders.resultsFile()));
            QVERIFY(p.closeResults());
            p.click(exercisesButton);
            QVERIFY(p.playExercise1(1));
            // The second exercise is under way when the program is closed.
            p.click(newExerciseButton);
            QVERIFY(p.waitUntilCovered(referenceArea.center()));
            p.click(startButton);
            QVERIFY(p.waitUntilCovered(leftCardCentre));
            p.desktop.closeWindow(p.desktop.waitForWindow("Kestrani 1.01 rus"));
            QVERIFY(p.desktop.waitForExit(5000));
        }
        Program again;
        QVERIFY(again.start());
        again.openResults().save("results_after_restart.png");
        QCOMPARE(again.find(QStringLiteral("ошибка")).size(), 1);
        QCOMPARE(again.find(QStringLiteral("программа закрыта")).size(), 1);
        QVERIFY(again.closeResults());
        QVERIFY(again.finish());
    }
};

QTEST_MAIN(ResultsE2E)
#include "results_e2e.moc"
