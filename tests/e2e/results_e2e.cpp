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
const QColor firstSeries(0x20, 0x9f, 0xdf);     // the chart theme's first series

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

// What the results window shows, read from its pixels.
struct ResultsPicture {
    QImage image;
    // Lines of text down the left edge of the upper part: the option, the
    // table's header and one per result.
    int textLines() const {
        int lines = 0;
        bool inText = false;
        int gap = 0;
        for (int y = 0; y < image.height() * 2 / 5; ++y) {
            int dark = 0;
            for (int x = 16; x < 70; ++x)
                dark += image.pixelColor(x, y).value() < 110;
            if (dark >= 2) {
                lines += inText ? 0 : 1;
                inText = true;
                gap = 0;
            } else if (++gap > 2) {
                inText = false;
            }
        }
        return lines;
    }
    // Pixels of the first series in one chart (the left or right half of the lower part).
    int seriesPixels(bool left) const {
        int count = 0;
        const int from = left ? 0 : image.width() / 2, to = left ? image.width() / 2 : image.width();
        for (int y = image.height() * 2 / 5; y < image.height(); ++y)
            for (int x = from; x < to; ++x) {
                const QColor c = image.pixelColor(x, y);
                count += std::abs(c.red() - firstSeries.red()) + std::abs(c.green() - firstSeries.green()) +
                             std::abs(c.blue() - firstSeries.blue()) <
                         40;
            }
        return count;
    }
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

    // Opens the results window and reads it once it stands still.
    ResultsPicture openResults() {
        click(resultsButton);
        const unsigned long window = desktop.waitForWindow(resultsTitle);
        if (!window)
            return {};
        desktop.settledScreenshot();
        return {desktop.screenshot().copy(desktop.windowGeometry(window))};
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
        const ResultsPicture empty = p.openResults();
        QVERIFY(!empty.image.isNull());
        QCOMPARE(empty.seriesPixels(true), 0);
        QVERIFY(p.closeResults());

        p.click(exercisesButton);
        QVERIFY(p.playExercise1(0));
        p.click(newExerciseButton);
        QVERIFY(p.playExercise1(1));
        p.click(leaveButton);
        QTRY_VERIFY(!p.desktop.windowVisible(exerciseScreen));

        const ResultsPicture shown = p.openResults();
        shown.image.save("results_window.png");
        QCOMPARE(shown.textLines(), empty.textLines() + 2);
        QVERIFY2(shown.seriesPixels(true) > 20, "points of right answers");
        QVERIFY2(shown.seriesPixels(false) > 20, "points of the reached brightness difference");
        QVERIFY(p.closeResults());

        QVERIFY(p.finish());
        QCOMPARE(folders.filesLeft(), QStringList());
    }

    void aKeptHistoryIsShownAgainAfterARestart() {
        Folders folders;
        int emptyLines = 0;
        {
            Program p;
            QVERIFY(p.start());
            emptyLines = p.openResults().textLines();
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
        const ResultsPicture shown = again.openResults();
        shown.image.save("results_after_restart.png");
        QCOMPARE(shown.textLines(), emptyLines + 2);
        QVERIFY2(shown.seriesPixels(true) > 10, "the earlier run's points");
        QVERIFY(again.closeResults());
        QVERIFY(again.finish());
    }
};

QTEST_MAIN(ResultsE2E)
#include "results_e2e.moc"
