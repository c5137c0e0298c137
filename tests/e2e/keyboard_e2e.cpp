// The real program in a real X server, driven by the keyboard alone: Return
// presses the focused button from the instructions window to the objects, and
// Escape leaves the exercise.

#include <QtTest>

#include "e2e/desktop.h"

using namespace kestrani::e2e;

namespace {

const QString configurationTitle = QStringLiteral("Kestrani 1.01 rus");
const QString instructionsTitle = QStringLiteral("Instructions to Kestrani 1.01 rus");
const QString exerciseTitle = QStringLiteral("Kestrani 1.01 rus: упражнение");
const QColor grey(128, 128, 128);
// On the 1024 × 768 screen: inside the reference window (256, 0, 501 × 652)
// and inside the left card (0, 0, 501 × 652).
const QPoint referenceArea(506, 300), leftCard(250, 300);

}  // namespace

class KeyboardE2E : public QObject {
    Q_OBJECT
private slots:
    void returnAndEscapeTakeAUserThroughAnExercise() {
        Desktop desktop;
        QVERIFY(desktop.startProgram());
        const unsigned long configuration = desktop.waitForWindow(configurationTitle);
        const unsigned long instructions = desktop.waitForWindow(instructionsTitle);
        QVERIFY(configuration && instructions);
        QTRY_COMPARE_WITH_TIMEOUT(desktop.focusWindow(), instructions, 3000);

        desktop.pressKey("Return");  // "OK"
        QTRY_VERIFY_WITH_TIMEOUT(!desktop.windowVisible(instructionsTitle), 3000);
        QTRY_COMPARE_WITH_TIMEOUT(desktop.focusWindow(), configuration, 3000);

        desktop.pressKey("Return");  // "Упражнения"
        const unsigned long exercise = desktop.waitForWindow(exerciseTitle);
        QVERIFY(exercise != 0);
        QTRY_VERIFY_WITH_TIMEOUT(desktop.pixel(referenceArea.x(), referenceArea.y()) != grey, 3000);
        QTRY_COMPARE_WITH_TIMEOUT(desktop.focusWindow(), exercise, 3000);
        QVERIFY(desktop.pixel(leftCard.x(), leftCard.y()) == grey);

        desktop.pressKey("Return");  // "Начали?"
        QTRY_VERIFY_WITH_TIMEOUT(desktop.pixel(leftCard.x(), leftCard.y()) != grey, 3000);

        desktop.pressKey("Escape");  // "Выйти из упражнения"
        QTRY_VERIFY_WITH_TIMEOUT(!desktop.windowVisible(exerciseTitle), 3000);
        QVERIFY(desktop.windowVisible(configurationTitle));
        QTRY_COMPARE_WITH_TIMEOUT(desktop.focusWindow(), configuration, 3000);
        QCOMPARE(desktop.program().state(), QProcess::Running);

        desktop.closeWindow(configuration);
        QVERIFY(desktop.waitForExit(5000));
    }
};

QTEST_MAIN(KeyboardE2E)
#include "keyboard_e2e.moc"
