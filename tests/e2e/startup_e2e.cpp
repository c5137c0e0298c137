// The real program in a real X server: start-up and the end of the process.

#include <QElapsedTimer>
#include <QtTest>

#include "e2e/desktop.h"

using namespace kestrani::e2e;

class StartupE2E : public QObject {
    Q_OBJECT
private slots:
    void startsWithInstructionsInFrontOfTheConfigurationWindow() {
        Desktop desktop;
        QVERIFY(desktop.startProgram());
        const unsigned long configuration = desktop.waitForWindow("Kestrani 1.01 rus");
        const unsigned long instructions = desktop.waitForWindow("Instructions to Kestrani 1.01 rus");
        QVERIFY(configuration != 0);
        QVERIFY(instructions != 0);
        // The program takes the keyboard once the X server has mapped the window.
        QTRY_COMPARE_WITH_TIMEOUT(xdotool({"getwindowfocus", "-f"}).toULong(), instructions, 2000);
        // The exercise screen holds the backdrop, the reference window and the fields.
        QVERIFY(!desktop.windowVisible("Kestrani 1.01 rus: упражнение"));

        // Both windows are grey; the instructions window lies over the configuration window.
        const QRect front = desktop.windowGeometry(instructions);
        QVERIFY(desktop.waitForPixel(front.center().x(), front.bottom() - 2, QColor(128, 128, 128)));
        const QRect back = desktop.windowGeometry(configuration);
        QVERIFY(back.right() > front.right());
        QVERIFY(desktop.waitForPixel(back.right(), back.center().y(), QColor(128, 128, 128)));
        QCOMPARE(desktop.program().state(), QProcess::Running);
    }

    void closingTheConfigurationWindowEndsTheProcess() {
        Desktop desktop;
        QVERIFY(desktop.startProgram());
        const unsigned long configuration = desktop.waitForWindow("Kestrani 1.01 rus");
        QVERIFY(configuration != 0);
        QVERIFY(desktop.waitForWindow("Instructions to Kestrani 1.01 rus") != 0);
        desktop.closeWindow(configuration);
        QVERIFY(desktop.waitForExit(5000));
        QCOMPARE(desktop.program().exitStatus(), QProcess::NormalExit);
        QCOMPARE(desktop.program().exitCode(), 0);
    }

    void closingTheInstructionsWindowOnlyHidesIt() {
        Desktop desktop;
        QVERIFY(desktop.startProgram());
        const unsigned long instructions = desktop.waitForWindow("Instructions to Kestrani 1.01 rus");
        QVERIFY(instructions != 0);
        desktop.closeWindow(instructions);
        QTRY_VERIFY(!desktop.windowVisible("Instructions to Kestrani 1.01 rus"));
        QTest::qWait(200);
        QCOMPARE(desktop.program().state(), QProcess::Running);
        QVERIFY(desktop.windowVisible("Kestrani 1.01 rus"));
    }
};

QTEST_MAIN(StartupE2E)
#include "startup_e2e.moc"
