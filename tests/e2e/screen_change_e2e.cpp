// The real program in a real X server whose screen changes its size through
// RandR, 1024 × 768 → 800 × 600 → 1024 × 768, as a monitor taking another
// resolution does: after each change every button of every window shown lies
// on the screen, and the buttons of a user's road work where the layout for
// the new screen puts them.

#include <QtTest>

#include "e2e/desktop.h"
#include "windows/framed_window_fit.h"
#include "windows/window_geometry.h"

using namespace kestrani;
using namespace kestrani::e2e;

namespace {

const QString configurationTitle = QStringLiteral("Kestrani 1.01 rus");
const QString instructionsTitle = QStringLiteral("Instructions to Kestrani 1.01 rus");
const QString helpTitle = QStringLiteral("Help");  // the instructions window on its "Инструкции" page
const QString exerciseTitle = QStringLiteral("Kestrani 1.01 rus: упражнение");
const QString resultsTitle = QStringLiteral("Результаты — Kestrani");
const QString messageTitle = QStringLiteral("Kestrani");
const QColor grey(128, 128, 128);

// Design places, in the 790 × 545 client area of the framed windows, in the
// reference window and on the backdrop.
const WindowRect instructionsButton{624, 448, 153, 25}, exercisesButton{624, 480, 153, 25},
    finishButton{624, 512, 153, 25}, resultsButton{7, 448, 153, 25}, okButton{362, 504, 75, 41},
    startButton{280, 464, 105, 25}, leaveButton{624, 528, 161, 25};

QPoint centre(QPoint origin, WindowRect design, DesignScale scale) {
    const WindowRect r = scaleControl(design, scale);
    return origin + QPoint(r.left + r.width / 2, r.top + r.height / 2);
}

class Road {
public:
    explicit Road(Desktop& desktop) : desktop_(desktop) {}

    ScreenSize screen() const {
        const QSize s = desktop_.screenshot().size();
        return {s.width(), s.height()};
    }

    // Where a control of a framed window stands, from the client area the
    // window has now.
    QPoint inFramed(const QString& title, WindowRect design) {
        const QRect client = desktop_.clientGeometry(desktop_.waitForWindow(title));
        return centre(client.topLeft(), design, framedWindowScale(screen(), client.width(), client.height()));
    }

    void click(QPoint at) { desktop_.click(at.x(), at.y()); }

    // The buttons a window shows wholly on the screen, once the window lies
    // on it and is painted: a window manager may place a new window in steps
    // and show it before its first paint, so the count is taken when two
    // settled screenshots agree on it. -1 when that does not come.
    int buttonsOn(const QString& title) {
        const unsigned long window = desktop_.waitForWindow(title);
        if (!window)
            return -1;
        int previous = -1;
        const bool settled = QTest::qWaitFor([&] {
            const QImage shot = desktop_.settledScreenshot();
            const QRect frame = desktop_.frameGeometry(window);
            if (!shot.rect().contains(frame)) {
                previous = -1;
                return false;
            }
            int count = 0;
            for (const QRect& button : findButtons(shot))
                count += frame.contains(button);
            const bool agreed = count > 0 && count == previous;
            previous = count;
            return agreed;
        }, 5000);
        return settled ? previous : -1;
    }

    bool gone(const QString& title) {
        return QTest::qWaitFor([&] { return !desktop_.windowVisible(title); }, 5000);
    }

    // "Упражнения", "Начали?" and "Выйти из упражнения" on the screen as it is.
    void playAndLeave() {
        click(inFramed(configurationTitle, exercisesButton));
        const unsigned long exercise = desktop_.waitForWindow(exerciseTitle);
        QVERIFY(exercise != 0);
        const ScreenSize s = screen();
        QTRY_COMPARE_WITH_TIMEOUT(desktop_.clientGeometry(exercise), QRect(0, 0, s.width, s.height), 3000);
        const WindowRect reference = referenceWindowGeometry(s);
        const QPoint inReference(reference.left + reference.width / 2, reference.height / 2);
        QTRY_VERIFY_WITH_TIMEOUT(desktop_.pixel(inReference.x(), inReference.y()) != grey, 3000);
        click(centre({reference.left, reference.top}, startButton, referenceWindowScale(s)));
        const WindowRect card = leftCardGeometry(s);
        QTRY_VERIFY_WITH_TIMEOUT(desktop_.pixel(card.width / 2, card.height / 2) != grey, 3000);
        click(centre({0, 0}, leaveButton, backdropScale(s)));
        QVERIFY(gone(exerciseTitle));
    }

private:
    Desktop& desktop_;
};

}  // namespace

class ScreenChangeE2E : public QObject {
    Q_OBJECT
private slots:
    void everyWindowWorksAfterTheScreenChangesItsSize() {
        Desktop desktop;
        Road road(desktop);
        QVERIFY(desktop.startProgram());
        QVERIFY(desktop.waitForWindow(configurationTitle) && desktop.waitForWindow(instructionsTitle));
        const int instructionsButtons = road.buttonsOn(instructionsTitle);
        QVERIFY2(instructionsButtons >= 9, qPrintable(QString::number(instructionsButtons)));
        desktop.pressKey("Return");  // "OK"
        QVERIFY(road.gone(instructionsTitle));
        const int configurationButtons = road.buttonsOn(configurationTitle);
        QVERIFY2(configurationButtons >= 10, qPrintable(QString::number(configurationButtons)));

        // An exercise is under way when the screen shrinks: it is left, and
        // a message says so.
        road.click(road.inFramed(configurationTitle, exercisesButton));
        QVERIFY(desktop.waitForWindow(exerciseTitle));
        for (QSize size : {QSize(800, 600), QSize(1024, 768)}) {
            QVERIFY(desktop.setScreenSize(size));
            QTRY_COMPARE_WITH_TIMEOUT(desktop.screenshot().size(), size, 5000);
            if (size.width() == 800) {
                QVERIFY(road.gone(exerciseTitle));
                QCOMPARE(road.buttonsOn(messageTitle), 1);
                xdotool({"windowfocus", "--sync", QString::number(desktop.waitForWindow(messageTitle))});
                desktop.pressKey("Return");
                QVERIFY(road.gone(messageTitle));
            }
            desktop.settledScreenshot().save(QStringLiteral("screen_%1x%2.png").arg(size.width()).arg(size.height()));
            QTRY_COMPARE_WITH_TIMEOUT(road.buttonsOn(configurationTitle), configurationButtons, 3000);

            road.click(road.inFramed(configurationTitle, instructionsButton));
            QTRY_COMPARE_WITH_TIMEOUT(road.buttonsOn(helpTitle), instructionsButtons, 3000);
            road.click(road.inFramed(helpTitle, okButton));
            QVERIFY(road.gone(helpTitle));

            road.click(road.inFramed(configurationTitle, resultsButton));
            const unsigned long results = desktop.waitForWindow(resultsTitle);
            QVERIFY(results != 0);
            QVERIFY(QRect(QPoint(0, 0), size).contains(desktop.frameGeometry(results)));
            const QList<QRect> close = findText(desktop.settledScreenshot(), QStringLiteral("Закрыть"), toolkitFont(),
                                                desktop.frameGeometry(results));
            QCOMPARE(close.size(), 1);
            road.click(close.front().center());
            QVERIFY(road.gone(resultsTitle));

            road.playAndLeave();
        }
        road.click(road.inFramed(configurationTitle, finishButton));
        const unsigned long goodbye = desktop.waitForWindow(messageTitle);
        QVERIFY(goodbye != 0);
        xdotool({"windowfocus", "--sync", QString::number(goodbye)});
        desktop.pressKey("Return");
        QVERIFY(desktop.waitForExit(5000));
    }
};

QTEST_MAIN(ScreenChangeE2E)
#include "screen_change_e2e.moc"
