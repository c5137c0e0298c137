// Input reaches the program as the window system delivers it: to the exercise
// screen's window, with the time it was made, late when the program was busy.
// A click on a card made while the delay was waited out arrives after the
// wait and answers nothing, its release included; a click made once the cards
// are up answers; so with Escape. The events are posted with their times, as
// the window system would queue them.

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "app/window_set.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_screen.h"

using namespace kestrani;
using namespace kestrani::fakes;

namespace {

// The window system's clock: the steady clock of the program plus an origin of its own.
constexpr std::uint64_t systemOrigin = 4'000'000'000ULL;

void post(QWindow* window, QEvent::Type type, QPoint at, std::int64_t madeAt) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    auto* event = new QMouseEvent(type, at, window->mapToGlobal(at), button, held, Qt::NoModifier);
    event->setTimestamp(systemOrigin + static_cast<std::uint64_t>(madeAt));
    QCoreApplication::postEvent(window, event);
}

// A click that arrives as soon as the button is up again (or after the wait
// that held it up), the clock having gone on meanwhile.
void click(QWindow* window, QPoint at, std::int64_t madeAt, FakeClock& clock) {
    post(window, QEvent::MouseButtonPress, at, madeAt);
    post(window, QEvent::MouseButtonRelease, at, madeAt + 80);
    clock.advance(std::max<std::int64_t>(0, madeAt + 80 - clock.now()));
    QCoreApplication::processEvents();
}

}  // namespace

class InputGateTest : public QObject {
    Q_OBJECT
private slots:
    void aClickMadeDuringTheDelayAnswersNothing() {
        FakeScreen screen({1024, 768});
        EventLog log;
        FakeMessageBoxes messages{log};
        FakeBlockingWait wait{log};
        FakeClock clock;
        clock.advance(100'000);
        InputClock times{clock};
        PlatformPorts ports{&screen, &messages, &wait};
        ports.clock = &clock;
        ports.inputTimes = &times;
        WindowSet set(ports);
        TKestrani& configuration = set.kestrani();
        configuration.CheckBox31->setChecked(false);  // no splitting lines
        configuration.CheckBox29->setChecked(true);   // a delay of 2 seconds
        configuration.Edit2->setText(QStringLiteral("2"));
        QCOMPARE(set.kestrani().settings().delay.seconds, 2);

        configuration.Button1->click();  // "Упражнения": exercise 1, two whole-window cards
        set.engine().step(Sender::Button1);
        QWindow* window = set.exerciseScreen().windowHandle();
        QVERIFY(window);
        // The pointer moves over the screen as the user goes: the input clock learns the origin.
        post(window, QEvent::MouseMove, {100, 100}, clock.now());
        QCoreApplication::processEvents();

        // Whatever the user clicks during the next delay is the card that is
        // wrong for the stimulus that follows it.
        const QPoint left{250, 300}, right{772, 300};
        std::int64_t clickedAt = 0;
        wait.whileWaiting = [&](int milliseconds) {
            clickedAt = clock.now() + 1200;
            clock.advance(milliseconds);
        };
        const auto rightCard = [&] { return set.state().referenceFirst ? left : right; };
        click(window, rightCard(), clock.now(), clock);
        QCOMPARE(set.state().successCount, 1);
        QCOMPARE(wait.waits.size(), std::size_t(2));

        const QPoint wrongCard = set.state().referenceFirst ? right : left;
        click(window, wrongCard, clickedAt, clock);
        QVERIFY(messages.shown.empty());
        QCOMPARE(set.state().successCount, 1);
        QCOMPARE(wait.waits.size(), std::size_t(2));

        click(window, rightCard(), clock.now() + 400, clock);
        QVERIFY(messages.shown.empty());
        QCOMPARE(set.state().successCount, 2);

        // Escape pressed during the next delay does not leave the exercise;
        // pressed once the cards are up, it does.
        click(window, rightCard(), clock.now() + 300, clock);
        QCOMPARE(set.state().successCount, 3);
        for (const std::int64_t madeAt : {clickedAt, std::int64_t(clock.now() + 200)}) {
            for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
                auto* key = new QKeyEvent(type, Qt::Key_Escape, Qt::NoModifier);
                key->setTimestamp(systemOrigin + static_cast<std::uint64_t>(madeAt));
                QCoreApplication::postEvent(window, key);
            }
            clock.advance(std::max<std::int64_t>(0, madeAt - clock.now()) + 50);
            QCoreApplication::processEvents();
            QCOMPARE(set.exerciseScreen().isVisible(), madeAt == clickedAt);
        }
    }
};

QTEST_MAIN(InputGateTest)
#include "input_gate_test.moc"
