// The real program on a 5:4 screen of 1280 × 1024 (with_xvfb.sh runs it with
// KESTRANI_SCREEN=1280x1024): the windows scale by the width, 1280 / 800 =
// 1.6, so the right-hand buttons of both windows are on the screen and work.

#include <QtTest>

#include "e2e/desktop.h"

using namespace kestrani::e2e;

namespace {

const QColor grey(128, 128, 128);

// A design rectangle scaled by 1.6, edge by edge.
QRect scaled(int left, int top, int width, int height) {
    const auto s = [](int v) { return qRound(v * 1.6); };
    return QRect(QPoint(s(left), s(top)), QPoint(s(left + width) - 1, s(top + height) - 1));
}

// The button is drawn whole: its face inside, the window's grey just past
// its right edge, and all of it on the screen.
bool drawnWhole(const QImage& shot, const QRect& button) {
    const int y = button.center().y();
    return QRect(0, 0, 1280, 1024).contains(button) && shot.pixelColor(button.right() - 4, y) != grey &&
           shot.pixelColor(button.right() + 3, y) == grey;
}

}  // namespace

class ScreenSizeE2E : public QObject {
    Q_OBJECT
private slots:
    void rightHandButtonsAreOnTheScreenAndWork() {
        Desktop desktop;
        QVERIFY(desktop.startProgram());
        const unsigned long instructions = desktop.waitForWindow("Instructions to Kestrani 1.01 rus");
        QVERIFY(instructions != 0);
        QTRY_COMPARE(desktop.windowGeometry(instructions), QRect(0, 0, 1279, 983));

        // "ИНСТРУКЦИИ" and "Справка по цветам" at 624, 504 and 624, 528, 161 × 17.
        const QRect instructionsButton = scaled(624, 504, 161, 17);
        const QRect coloursButton = scaled(624, 528, 161, 17);
        QTRY_VERIFY(drawnWhole(desktop.screenshot(), coloursButton));
        QVERIFY(drawnWhole(desktop.screenshot(), instructionsButton));
        desktop.screenshot().save(QDir::temp().filePath("kestrani-1280x1024-instructions.png"));
        desktop.click(coloursButton.center().x(), coloursButton.center().y());
        QCOMPARE(desktop.waitForWindow("Help"), instructions);

        // "OK" at 362, 504, 75 × 41 brings the configuration window forward.
        const QRect ok = scaled(362, 504, 75, 41);
        desktop.click(ok.center().x(), ok.center().y());
        QTRY_VERIFY(!desktop.windowVisible("Help"));
        const unsigned long configuration = desktop.waitForWindow("Kestrani 1.01 rus");
        QCOMPARE(desktop.windowGeometry(configuration), QRect(0, 0, 1280, 983));

        // Its right column: "Справка" for the standard colours at 704, 412,
        // 66 × 25, and "Инструкции", "Упражнения", "Завершить работу" at 624,
        // 448 / 480 / 512, 153 × 25.
        const QRect colourHelp = scaled(704, 412, 66, 25);
        const QRect finish = scaled(624, 512, 153, 25);
        QTRY_VERIFY(drawnWhole(desktop.screenshot(), finish));
        for (int top : {448, 480})
            QVERIFY(drawnWhole(desktop.screenshot(), scaled(624, top, 153, 25)));
        desktop.screenshot().save(QDir::temp().filePath("kestrani-1280x1024-configuration.png"));
        desktop.click(colourHelp.center().x(), colourHelp.center().y());
        const unsigned long help = desktop.waitForWindow("Help");  // a new X window once closed
        QVERIFY(help != 0);
        desktop.closeWindow(help);
        QTRY_VERIFY(!desktop.windowVisible("Help"));

        desktop.click(finish.center().x(), finish.center().y());
        const unsigned long goodbye = desktop.waitForWindow("Kestrani");
        QVERIFY(goodbye != 0);
        xdotool({"windowfocus", "--sync", QString::number(goodbye)});
        desktop.pressKey("Return");
        QVERIFY(desktop.waitForExit(5000));
    }
};

QTEST_MAIN(ScreenSizeE2E)
#include "screen_size_e2e.moc"
