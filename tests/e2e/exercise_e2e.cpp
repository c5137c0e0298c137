// The real program in a real X server: exercises played by clicking, with the
// answer key read from the screen, until an end message appears.

#include <QtTest>

#include <functional>

#include "e2e/desktop.h"

using namespace kestrani::e2e;

namespace {

const QColor grey(128, 128, 128);

// Places on the 1024 × 768 screen of the test (design positions × 1.28).
const QPoint exercisesButton(897, 630);       // "Упражнения"
const QPoint exercise2Item(316, 233);         // "2. Сравнение объекта с эталоном"
const QPoint exercise3Item(316, 264);         // "3. Сравнение объекта с эталоном по калибруемым субмодальностям"
const QPoint rectangleItem(316, 394);         // "Прямоугольник"
// Slots of the submodality grid (check box indicators): changeable Hue and
// Saturation, calibrated Brightness.
const QPoint changeableHue(79, 308), changeableSaturation(79, 328), calibratedBrightness(131, 287),
    calibratedSaturation(131, 328);
const QPoint delayBox(540, 453);              // "Задержка"
const QPoint delayField(700, 453);            // Edit2
const QPoint objectShowBox(540, 484);         // "Показ объектов"
const QPoint objectShowField(700, 484);       // Edit3
const QPoint startButton(256 + 358 + 67, 610);  // "Начали?" on the reference window
const QPoint freeBackdrop(10, 660);           // the backdrop below the fields, beside the prompt
const QRect referenceArea(256, 0, 501, 580);  // the reference window and the single field, above the buttons
const QPoint leftCardCentre(250, 300), rightCardCentre(772, 300);
const char* const exerciseScreen = "Kestrani 1.01 rus: упражнение";
const QRect promptArea(188, 664, 300, 26);    // the start of Label1, the upper prompt line

struct Exercise3Played {
    bool ended = false;  // with an end message, closed
    bool noDifferenceEnd = false;
    int moves = 0;
    int sameAnswers = 0;
};

struct Program {
    Desktop desktop;
    unsigned long configuration = 0;

    // Starts the program with the configuration window in front.
    bool start() {
        if (!desktop.startProgram())
            return false;
        configuration = desktop.waitForWindow("Kestrani 1.01 rus");
        const unsigned long instructions = desktop.waitForWindow("Instructions to Kestrani 1.01 rus");
        if (!configuration || !instructions)
            return false;
        desktop.closeWindow(instructions);
        return QTest::qWaitFor([&] { return !desktop.windowVisible("Instructions to Kestrani 1.01 rus"); }, 5000);
    }

    void click(QPoint at, int button = 1) { desktop.click(at.x(), at.y(), button); }

    void type(QPoint field, const QString& text) {
        xdotool({"windowfocus", "--sync", QString::number(configuration)});
        click(field);
        xdotool({"type", text});
    }

    // The surfaces of the exercise screen are told by their pixels: a card or
    // the single field is up where the backdrop's grey has gone.
    bool waitUntilCovered(QPoint at) { return QTest::qWaitFor([&] { return desktop.pixel(at.x(), at.y()) != grey; }, 5000); }
    bool waitUntilBare(QPoint at) { return desktop.waitForPixel(at.x(), at.y(), grey, 5000); }

    // Shows the reference window with a new reference; gives a picture of it.
    QImage startExercise() {
        click(exercisesButton);
        if (!desktop.waitForWindow(exerciseScreen) || !waitUntilCovered(referenceArea.center()))
            return {};
        QTest::qWait(200);
        return desktop.screenshot().copy(referenceArea);
    }

    // Presses "Начать" and waits until the reference window has given way
    // to the objects.
    bool pressStart() {
        const QColor face = desktop.pixel(startButton.x(), startButton.y());
        click(startButton);
        return QTest::qWaitFor([&] { return desktop.pixel(startButton.x(), startButton.y()) != face; }, 5000);
    }

    // Sets the delay, shows the reference and presses "Начать".
    bool startWithDelay(const QString& seconds) {
        click(delayBox);
        type(delayField, seconds);
        if (startExercise().isNull())
            return false;
        click(startButton);
        return true;
    }

    // The end message, if one is open.
    unsigned long endMessage(int waitMs) { return desktop.waitForWindow("Kestrani", waitMs); }

    // Exercise 3 with a whole window, from "Упражнения" to its end message:
    // every object answered by whether same(field, reference) says that it
    // shows the reference's value of the asked property.
    Exercise3Played playExercise3(const std::function<bool(QColor, QColor)>& same) {
        Exercise3Played played;
        const QImage picture = startExercise();
        if (picture.isNull())
            return played;
        const QColor reference = picture.pixelColor(40, 300);
        if (!pressStart())
            return played;
        unsigned long message = 0;
        while (!message && played.moves < 120) {
            const QColor field = desktop.settledScreenshot().copy(referenceArea).pixelColor(40, 300);
            const bool alike = same(field, reference);
            click(alike ? QPoint(referenceArea.center()) : freeBackdrop);
            played.sameAnswers += alike;
            ++played.moves;
            message = endMessage(400);
        }
        if (!message)
            return played;
        // The no-difference message is far longer than "Вы ошиблись, увы!".
        const QRect box = desktop.windowGeometry(message);
        qInfo("%d moves, %d without a difference; the end message is %d x %d", played.moves, played.sameAnswers,
              box.width(), box.height());
        played.noDifferenceEnd = box.width() > 450;
        closeMessage(message);
        played.ended = waitUntilBare(referenceArea.center());
        return played;
    }

    void closeMessage(unsigned long box) {
        xdotool({"windowfocus", "--sync", QString::number(box)});
        desktop.pressKey("Return");
    }
};

}  // namespace

class ExerciseE2E : public QObject {
    Q_OBJECT
private slots:
    void exerciseOneWithWholeWindowCardsIsPlayedToItsEnd() {
        Program p;
        QVERIFY(p.start());
        const QImage reference = p.startExercise();
        QVERIFY(!reference.isNull());
        const QColor colour = reference.pixelColor(40, 300);
        p.click(startButton);
        QVERIFY(p.waitUntilCovered(leftCardCentre) && p.waitUntilCovered(rightCardCentre));

        int moves = 0;
        unsigned long message = 0;
        while (!message && moves < 80) {
            const QImage screen = p.desktop.settledScreenshot();
            const QColor left = screen.pixelColor(leftCardCentre), right = screen.pixelColor(rightCardCentre);
            QVERIFY2(left == colour || right == colour, "one card always shows the reference");
            p.click(left == colour ? leftCardCentre : rightCardCentre);
            ++moves;
            message = p.endMessage(400);
        }
        QVERIFY(message != 0);
        QVERIFY2(moves > 5, "the colour differences fade out over many moves");
        p.closeMessage(message);
        QTRY_VERIFY(!p.desktop.windowVisible("Kestrani"));
        QVERIFY(p.waitUntilBare(leftCardCentre) && p.waitUntilBare(rightCardCentre));
        QVERIFY(p.desktop.windowVisible(exerciseScreen));
        // The backdrop stays with its buttons; the keyboard is back on the exercise screen.
        QCOMPARE(xdotool({"getwindowfocus", "-f"}).toULong(), p.desktop.waitForWindow(exerciseScreen));
    }

    void exerciseTwoWithRectanglesIsAnsweredOnTheFieldAndTheBackdrop() {
        Program p;
        QVERIFY(p.start());
        p.click(exercise2Item);
        p.click(rectangleItem);
        const QImage reference = p.startExercise();
        QVERIFY(!reference.isNull());
        // The single field takes the reference window's place, without its buttons.
        QVERIFY(p.pressStart());

        int moves = 0, backdropAnswers = 0;
        unsigned long message = 0;
        while (!message && moves < 120) {
            const QImage field = p.desktop.settledScreenshot().copy(referenceArea);
            const bool isReference = field == reference;
            p.click(isReference ? QPoint(referenceArea.center()) : freeBackdrop);
            backdropAnswers += !isReference;
            ++moves;
            message = p.endMessage(400);
        }
        QVERIFY(message != 0);
        QVERIFY(moves > 5);
        QVERIFY(backdropAnswers > 0);
        p.closeMessage(message);
        QVERIFY(p.waitUntilBare(referenceArea.center()));
    }

    void exerciseThreeOnBrightnessEndsWithNothingLeftToAsk() {
        // Whole window, Brightness the only changeable and calibrated
        // submodality: the object is answered by the brightness (the sum of
        // the channels) read off the screen, three levels of the sum being
        // the screen's rounding. No answer may be judged wrong; the exercise
        // ends when no brightness difference is left.
        Program p;
        QVERIFY(p.start());
        p.click(exercise3Item);
        p.click(changeableHue);
        p.click(changeableSaturation);
        p.click(calibratedBrightness);
        const auto brightness = [](QColor c) { return c.red() + c.green() + c.blue(); };
        const Exercise3Played played =
            p.playExercise3([&](QColor field, QColor reference) {
                return std::abs(brightness(field) - brightness(reference)) <= 3;
            });
        QVERIFY(played.ended);
        QVERIFY2(played.moves > 5, "the brightness difference fades out over many moves");
        QVERIFY2(played.sameAnswers > 0, "some objects show the reference's brightness");
        QVERIFY2(played.noDifferenceEnd, "the end is the no-difference message, not a wrong verdict");
        QVERIFY(p.desktop.windowVisible(exerciseScreen));
    }

    void exerciseThreeOnSaturationAmongAllColourChangesEndsWithNothingLeftToAsk() {
        // Whole window, Brightness, Hue and Saturation changeable as at start,
        // Saturation calibrated: the object is answered by its chroma read off
        // the screen against the reference's, two levels being the screen's
        // rounding. No answer may be judged wrong.
        Program p;
        QVERIFY(p.start());
        p.click(exercise3Item);
        p.click(calibratedSaturation);
        const auto chroma = [](QColor c) {
            const double r = c.red(), g = c.green(), b = c.blue();
            return std::sqrt(((r - g) * (r - g) + (g - b) * (g - b) + (b - r) * (b - r)) / 2);
        };
        const Exercise3Played played = p.playExercise3(
            [&](QColor field, QColor reference) { return std::fabs(chroma(field) - chroma(reference)) <= 2; });
        QVERIFY(played.ended);
        QVERIFY2(played.moves > 3, "the saturation difference fades out over several moves");
        QVERIFY2(played.sameAnswers > 0, "some objects show the reference's saturation");
        QVERIFY2(played.noDifferenceEnd, "the end is the no-difference message, not a wrong verdict");
    }

    void aClickDuringTheDelayIsNotAnAnswer() {
        // Exercise 1 with a delay of 2 seconds: a click made while only the
        // backdrop is up is dropped. Had it been taken, the cards would go
        // for another delay, or a message would open.
        Program p;
        QVERIFY(p.start());
        QVERIFY(p.startWithDelay("2"));
        QTest::qWait(700);
        QCOMPARE(p.desktop.pixel(leftCardCentre.x(), leftCardCentre.y()), grey);
        p.click(leftCardCentre);
        QVERIFY(p.waitUntilCovered(leftCardCentre) && p.waitUntilCovered(rightCardCentre));
        QElapsedTimer up;
        up.start();
        while (up.elapsed() < 2500) {
            QVERIFY2(p.desktop.pixel(leftCardCentre.x(), leftCardCentre.y()) != grey, "the cards stay up");
            QVERIFY(!p.desktop.windowVisible("Kestrani"));
            QTest::qWait(100);
        }
        // A click once they are up answers: the cards go for the delay.
        p.click(rightCardCentre);
        QVERIFY(p.waitUntilBare(rightCardCentre) || p.endMessage(2000));
    }

    void aOneSecondObjectShowLimitTimesOut() {
        Program p;
        QVERIFY(p.start());
        p.click(objectShowBox);
        p.type(objectShowField, "1");
        QVERIFY(!p.startExercise().isNull());
        QElapsedTimer clock;
        p.click(startButton);
        clock.start();
        QVERIFY(p.waitUntilCovered(leftCardCentre));
        const unsigned long message = p.endMessage(3000);
        QVERIFY(message != 0);
        QVERIFY2(clock.elapsed() > 800, "the time-out comes after the second has run out");
        p.closeMessage(message);
        QVERIFY(p.waitUntilBare(leftCardCentre));
    }

    void duringTheDelayOnlyTheBackdropIsOnScreen() {
        Program p;
        QVERIFY(p.start());
        QVERIFY(p.startWithDelay("2"));
        QTest::qWait(600);
        const QImage during = p.desktop.screenshot();
        QCOMPARE(during.pixelColor(leftCardCentre), grey);
        QCOMPARE(during.pixelColor(rightCardCentre), grey);
        // The new prompt stands on the backdrop: dark letters where Label1 is.
        int letterPixels = 0, backgroundPixels = 0;
        for (int x = promptArea.left(); x <= promptArea.right(); ++x)
            for (int y = promptArea.top(); y <= promptArea.bottom(); ++y) {
                letterPixels += during.pixelColor(x, y).value() < 60;
                backgroundPixels += during.pixelColor(x, y) == grey;
            }
        QVERIFY2(letterPixels > 50, "the prompt is on screen during the delay");
        QVERIFY2(backgroundPixels > promptArea.width() * promptArea.height() / 2, "on the painted backdrop");
        QVERIFY(p.waitUntilCovered(leftCardCentre));  // the stimulus is back
    }
};

QTEST_MAIN(ExerciseE2E)
#include "exercise_e2e.moc"
