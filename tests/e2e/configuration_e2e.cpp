// The real program in a real X server: the configuration window's two action
// buttons.

#include <QtTest>

#include "e2e/desktop.h"

using namespace kestrani::e2e;

namespace {

// Centres of the buttons in the configuration window, fitted to 1024 × 768:
// "Упражнения" at 624, 480 and "Завершить работу" at 624, 512 (153 × 25),
// scaled by 1.28.
const QPoint exercisesButton(897, 630);
const QPoint finishButton(897, 671);

// Starts the program and puts the configuration window in front by closing
// the instructions window; gives the configuration window's place.
QRect startWithConfigurationInFront(Desktop& desktop) {
    if (!desktop.startProgram())
        return {};
    const unsigned long configuration = desktop.waitForWindow("Kestrani 1.01 rus");
    const unsigned long instructions = desktop.waitForWindow("Instructions to Kestrani 1.01 rus");
    if (!configuration || !instructions)
        return {};
    desktop.closeWindow(instructions);
    if (!QTest::qWaitFor([&] { return !desktop.windowVisible("Instructions to Kestrani 1.01 rus"); }, 5000))
        return {};
    return desktop.windowGeometry(configuration);
}

}  // namespace

class ConfigurationE2E : public QObject {
    Q_OBJECT
private slots:
    void theConfigurationWindowFillsTheScreenWidth() {
        Desktop desktop;
        const QRect window = startWithConfigurationInFront(desktop);
        QCOMPARE(window.size(), QSize(1024, 737));
        // The dark grey background and the black calibrated Brightness slot.
        QVERIFY(desktop.waitForPixel(window.x() + 500, window.y() + 720, QColor(128, 128, 128)));
        QVERIFY(desktop.waitForPixel(window.x() + 9 + 260, window.y() + 164 + 120, QColor(0, 0, 0)));
    }

    void exercisesShowsTheBackdropAndTheReferenceWindow() {
        Desktop desktop;
        const QRect window = startWithConfigurationInFront(desktop);
        QVERIFY(window.isValid());
        QVERIFY(!desktop.windowVisible("Kestrani 1.01 rus: упражнение"));
        desktop.click(window.x() + exercisesButton.x(), window.y() + exercisesButton.y());
        const unsigned long screen = desktop.waitForWindow("Kestrani 1.01 rus: упражнение");
        QVERIFY(screen != 0);
        QCOMPARE(desktop.windowGeometry(screen), QRect(0, 0, 1024, 768));
        // The reference window (256, 0, 501 × 652) stands on the grey backdrop,
        // and the screen beyond the backdrop (1023 × 737) is grey as well.
        const QColor grey(128, 128, 128);
        QTRY_VERIFY(desktop.pixel(256 + 250, 300) != grey);
        QTRY_VERIFY(desktop.pixel(256 + 5, 5) != grey);
        QCOMPARE(desktop.pixel(255, 300), grey);
        QCOMPARE(desktop.pixel(757, 300), grey);
        QCOMPARE(desktop.pixel(1023, 300), grey);
        QCOMPARE(desktop.pixel(500, 740), grey);
        QCOMPARE(xdotool({"getwindowfocus", "-f"}).toULong(), screen);
        QCOMPARE(desktop.program().state(), QProcess::Running);
    }

    void finishWorkSaysGoodbyeAndEndsAfterTheBoxIsClosed() {
        Desktop desktop;
        const QRect window = startWithConfigurationInFront(desktop);
        QVERIFY(window.isValid());
        desktop.click(window.x() + finishButton.x(), window.y() + finishButton.y());
        const unsigned long goodbye = desktop.waitForWindow("Kestrani");
        QVERIFY(goodbye != 0);
        QTest::qWait(300);
        QCOMPARE(desktop.program().state(), QProcess::Running);
        QVERIFY(desktop.windowVisible("Kestrani 1.01 rus"));

        xdotool({"windowfocus", "--sync", QString::number(goodbye)});
        desktop.pressKey("Return");
        QVERIFY(desktop.waitForExit(5000));
        QCOMPARE(desktop.program().exitStatus(), QProcess::NormalExit);
        QCOMPARE(desktop.program().exitCode(), 0);
    }
};

QTEST_MAIN(ConfigurationE2E)
#include "configuration_e2e.moc"
