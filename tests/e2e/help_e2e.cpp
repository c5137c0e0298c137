// The real program in a real X server: the instructions window at start and
// its monitor settings page with the three colour strips on screen.

#include <QtTest>
#include <cstdlib>

#include "e2e/desktop.h"

using namespace kestrani::e2e;

namespace {

const QColor grey(128, 128, 128);

// A design position on the 1024 × 768 screen of the test: × 768 / 600.
QPoint scaled(int x, int y) { return {qRound(x * 1.28), qRound(y * 1.28)}; }

bool near(QColor a, QColor b, int tolerance) {
    return std::abs(a.red() - b.red()) < tolerance && std::abs(a.green() - b.green()) < tolerance &&
           std::abs(a.blue() - b.blue()) < tolerance;
}

}  // namespace

class HelpE2E : public QObject {
    Q_OBJECT
private slots:
    void startsWithTheStartPageInFrontAndTheMonitorButtonShowsTheStrips() {
        Desktop desktop;
        QVERIFY(desktop.startProgram());
        const unsigned long instructions = desktop.waitForWindow("Instructions to Kestrani 1.01 rus");
        QVERIFY(instructions != 0);
        QCOMPARE(xdotool({"getwindowfocus", "-f"}).toULong(), instructions);
        QTRY_COMPARE(desktop.windowGeometry(instructions).size(), QSize(1023, 737));
        const QPoint origin = desktop.windowGeometry(instructions).topLeft();

        // The start page: the portrait is drawn, the strips are not.
        const QPoint portrait = origin + scaled(7, 8) + QPoint(45, 50);
        QVERIFY(desktop.pixel(portrait.x(), portrait.y()) != grey);
        const QPoint smooth = origin + scaled(229, 160);
        QVERIFY(desktop.waitForPixel(smooth.x() + 120, smooth.y() + 10, grey));

        // "Настройка монитора": Button3 at 10, 528, 159 × 17 design pixels.
        const QPoint button3 = origin + scaled(10 + 159 / 2, 528 + 17 / 2);
        desktop.click(button3.x(), button3.y());
        QVERIFY(desktop.waitForWindow("Monitor settings") == instructions);

        // Image1, the smooth sweep, pixel for pixel at its own size.
        QVERIFY(desktop.waitForPixel(smooth.x(), smooth.y() + 10, QColor(253, 0, 0)));
        QImage shot = desktop.screenshot();
        QCOMPARE(shot.pixelColor(smooth + QPoint(60, 10)), QColor(253, 0, 253));
        QCOMPARE(shot.pixelColor(smooth + QPoint(120, 10)), QColor(0, 0, 253));
        QCOMPARE(shot.pixelColor(smooth + QPoint(180, 30)), QColor(0, 253, 253));
        QCOMPARE(shot.pixelColor(smooth + QPoint(240, 10)), QColor(0, 253, 0));
        QCOMPARE(shot.pixelColor(smooth + QPoint(300, 10)), QColor(253, 253, 0));
        QCOMPARE(shot.pixelColor(smooth + QPoint(362, 10)), grey);

        // Image3, the fourteen bands.
        const QPoint banded = origin + scaled(229, 272);
        QCOMPARE(shot.pixelColor(banded + QPoint(10, 5)), QColor(253, 0, 40));
        QCOMPARE(shot.pixelColor(banded + QPoint(100, 5)), QColor(73, 0, 253));
        QCOMPARE(shot.pixelColor(banded + QPoint(190, 20)), QColor(0, 253, 213));
        QCOMPARE(shot.pixelColor(banded + QPoint(347, 20)), QColor(253, 48, 0));

        // Image2, the dithered JPEG: flat blue, then blue and sky blue mixed.
        const QPoint dithered = origin + scaled(229, 224);
        QVERIFY(near(shot.pixelColor(dithered + QPoint(117, 17)), QColor(0, 0, 255), 24));
        QVERIFY(near(shot.pixelColor(dithered + QPoint(165, 17)), QColor(0, 160, 255), 24));
        int bluish = 0, skyish = 0;
        for (int x = 136; x < 148; ++x) {
            const QColor c = shot.pixelColor(dithered + QPoint(x, 17));
            bluish += c.green() < 60;
            skyish += c.green() > 100;
        }
        QVERIFY(bluish > 0);
        QVERIFY(skyish > 0);
    }
};

QTEST_MAIN(HelpE2E)
#include "help_e2e.moc"
