// The seven windows at start-up and the exercise windows' fit to the screen.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

#include "app/window_set.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_screen.h"

using namespace kestrani;
using namespace kestrani::fakes;

Q_DECLARE_METATYPE(kestrani::ScreenSize)

namespace {

void showExerciseWindows(WindowSet& set) {
    for (ShowableWindow* window : std::initializer_list<ShowableWindow*>{&set.form3(), &set.submCheck(), &set.form4(),
                                                                       &set.form2(), &set.form1()})
        window->show();
    for (ShowableWindow* window : std::initializer_list<ShowableWindow*>{&set.form1(), &set.form2(), &set.form4(),
                                                                       &set.submCheck(), &set.form3()})
        window->close();
    QCoreApplication::processEvents();
}

// The place and font size of every control the windows show (a label hidden
// for want of text has no place that matters), as laid out for a screen.
QStringList layoutOf(WindowSet& set) {
    QStringList layout;
    for (QWidget* window : std::initializer_list<QWidget*>{&set.kestrani(), &set.form5(), &set.form3(), &set.submCheck(),
                                                           &set.form2(), &set.form1(), &set.form4()}) {
        QList<QWidget*> widgets{window};
        widgets += window->findChildren<QWidget*>();
        for (const QWidget* w : widgets) {
            if (w != window && !w->isVisibleTo(window))
                continue;
            const QRect g = w->geometry();
            layout << QStringLiteral("%1/%2 %3 %4 %5 %6 %7px")
                          .arg(window->windowTitle(), w->objectName().isEmpty() ? w->metaObject()->className() : w->objectName())
                          .arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height()).arg(w->font().pixelSize());
        }
    }
    return layout;
}

// The window lies on the screen, and so does every button shown in it.
void expectInside(QWidget& window, ScreenSize screen) {
    const QRect screenRect(0, 0, screen.width, screen.height);
    QVERIFY2(screenRect.contains(window.frameGeometry()), qPrintable(window.windowTitle()));
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (!button->isVisibleTo(&window))
            continue;
        const QRect onScreen(button->mapTo(&window, QPoint(0, 0)) + window.geometry().topLeft(), button->size());
        QVERIFY2(screenRect.contains(onScreen), qPrintable(window.windowTitle() + ": " + button->text()));
    }
}

// The program on a fake screen whose messages are recorded.
struct ProgramOnScreen {
    explicit ProgramOnScreen(ScreenSize size) : screen(size) {}
    FakeScreen screen;
    EventLog log;
    FakeMessageBoxes messages{log};
    WindowSet set{PlatformPorts{&screen, &messages}};

    // "Упражнения", then "Начали?": the objects of exercise 1 are up.
    void startExercise() {
        set.kestrani().Button1->click();
        set.submCheck().Button1->click();
    }
};

}  // namespace

class WindowSetTest : public QObject {
    Q_OBJECT
private slots:
    void startUpShowsConfigurationAndInstructionsOnly() {
        FakeScreen screen({1024, 768});
        WindowSet set(&screen);
        QCOMPARE(set.kestrani().windowTitle(), QString("Kestrani 1.01 rus"));
        QCOMPARE(set.form2().windowTitle(), QString("Card1"));
        QCOMPARE(set.submCheck().windowTitle(), QString("SubmCheck"));
        QCOMPARE(set.form1().windowTitle(), QString("Card2"));
        QCOMPARE(set.form3().windowTitle(), QString("Form3"));
        QCOMPARE(set.form4().windowTitle(), QString("Form4"));
        QCOMPARE(set.form5().windowTitle(), QString("Instructions to Kestrani 1.01 rus"));
        QVERIFY(set.kestrani().isVisible());
        QVERIFY(set.form5().isVisible());
        for (QWidget* hidden : std::initializer_list<QWidget*>{&set.form2(), &set.submCheck(), &set.form1(), &set.form3(), &set.form4()})
            QVERIFY(!hidden->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(&set.form5()));
        QCOMPARE(QApplication::activeWindow(), &set.form5());
        QCOMPARE(set.state().successCount, 0);
        QCOMPARE(set.random().state(), 0u);
    }

    void exerciseWindowsFitA1024x768Screen() {
        FakeScreen screen({1024, 768});
        WindowSet set(&screen);
        set.form3().show();
        set.submCheck().show();
        set.form4().show();
        set.form2().show();
        set.form1().show();
        QCOMPARE(set.form3().geometry(), QRect(0, 0, 1023, 737));
        QCOMPARE(set.submCheck().geometry(), QRect(256, 0, 501, 652));
        QCOMPARE(set.form4().geometry(), QRect(256, 0, 501, 652));
        QCOMPARE(set.form2().geometry(), QRect(0, 0, 501, 652));
        QCOMPARE(set.form1().geometry(), QRect(522, 0, 501, 652));
        QCOMPARE(set.form3().Button1->geometry(), QRect(20, 676, 166, 32));
        QCOMPARE(set.submCheck().Button1->geometry(), QRect(358, 594, 135, 32));
        QCOMPARE(set.form3().Label1->font().pixelSize(), 20);
        QCOMPARE(set.form3().Label1->pos(), QPoint(188, 666));  // 147, 520 × 1.28
    }

    void factorOneKeepsDesignPositions() {
        FakeScreen screen({800, 600});
        WindowSet set(&screen);
        set.form3().show();
        set.submCheck().show();
        QCOMPARE(set.form3().geometry(), QRect(0, 0, 799, 576));
        QCOMPARE(set.form3().Button2->geometry(), QRect(624, 528, 161, 25));
        QCOMPARE(set.submCheck().geometry(), QRect(200, 0, 392, 510));
        QCOMPARE(set.submCheck().Button2->geometry(), QRect(8, 464, 105, 25));
    }

    void guardsKeepTheDesignSize() {
        FakeScreen screen({791, 600});
        WindowSet set(&screen);
        set.form3().show();
        QCOMPARE(set.form3().geometry(), QRect(0, 0, 790, 545));
        for (int width : {920, 923}) {
            FakeScreen wide({width, 700});
            WindowSet other(&wide);
            other.submCheck().show();
            QCOMPARE(other.submCheck().geometry(), QRect(230, 41, 384, 483));
            QCOMPARE(other.submCheck().Button1->geometry(), QRect(280, 464, 105, 25));
        }
    }

    // A window laid out for one screen and then another stands exactly as
    // one laid out for the second screen alone: never scaled twice.
    void screenChangesLayWindowsOutFromTheirDesign_data() {
        QTest::addColumn<QList<ScreenSize>>("screens");
        QTest::newRow("1024 × 768 to 800 × 600") << QList<ScreenSize>{{1024, 768}, {800, 600}};
        QTest::newRow("800 × 600 to 1024 × 768") << QList<ScreenSize>{{800, 600}, {1024, 768}};
        QTest::newRow("1024 × 768 to 800 × 600 and back") << QList<ScreenSize>{{1024, 768}, {800, 600}, {1024, 768}};
        QTest::newRow("1024 × 768 to 1280 × 1024") << QList<ScreenSize>{{1024, 768}, {1280, 1024}};
        QTest::newRow("1920 × 1080 to 1366 × 768") << QList<ScreenSize>{{1920, 1080}, {1366, 768}};
    }
    void screenChangesLayWindowsOutFromTheirDesign() {
        QFETCH(QList<ScreenSize>, screens);
        ProgramOnScreen changed(screens.front());
        showExerciseWindows(changed.set);
        for (ScreenSize next : screens.mid(1)) {
            changed.screen.change(next);
            QCoreApplication::processEvents();
            showExerciseWindows(changed.set);
        }
        ProgramOnScreen fresh(screens.back());
        showExerciseWindows(fresh.set);
        QCOMPARE(layoutOf(changed.set), layoutOf(fresh.set));
    }

    void theBackdropsButtonsAt1280x1024() {
        FakeScreen screen({1024, 768});
        WindowSet set(&screen);
        set.form3().show();
        set.form3().close();
        screen.change({1280, 1024});
        set.form3().show();
        QCOMPARE(set.form3().geometry(), QRect(0, 0, 1279, 983));
        // Design edges 16, 528, 145, 553 × 1280 / 800 (5:4 scales by the
        // width): 26, 845, 232, 885, moved down by 576 × 1024 / 600 − 576 × 1.6
        // = 983 − 922 = 61, inside the backdrop's 983 rows.
        QCOMPARE(set.form3().Button1->geometry(), QRect(26, 906, 206, 40));
        set.form1().show();
        QCOMPARE(set.form1().geometry(), QRect(652, 0, 627, 870));
    }

    // The screen shrinks while the objects are up: the exercise is left with
    // its result, the user is told, and every window works on the new screen.
    void aScreenChangeLeavesAnExerciseWithItsResult() {
        ProgramOnScreen p({1024, 768});
        auto& [screen, log, messages, set] = p;
        TKestrani& k = set.kestrani();
        p.startExercise();
        QVERIFY(set.form1().isVisible());
        screen.change({800, 600});
        QCoreApplication::processEvents();
        QVERIFY(!set.exerciseScreen().isVisible());
        QCOMPARE(messages.shown.size(), std::size_t(1));
        QVERIFY(messages.shown.front().starts_with("Размер экрана изменился"));
        set.resultsWindow().open();
        QCOMPARE(set.resultsWindow().table->model()->rowCount(), 1);
        set.resultsWindow().close();
        expectInside(k, {800, 600});
        expectInside(set.form5(), {800, 600});

        k.Button1->click();  // the next exercise, laid out for 800 × 600
        QCOMPARE(set.form3().geometry(), QRect(0, 0, 799, 576));
        QCOMPARE(set.submCheck().geometry(), QRect(200, 0, 392, 510));
        expectInside(set.form3(), {800, 600});
        set.form3().Button2->click();  // "Выйти из упражнения"
        QVERIFY(!set.exerciseScreen().isVisible());
        QCOMPARE(messages.shown.size(), std::size_t(1));
    }

    // Another screen of the same size: the exercise goes on where it was.
    void anotherScreenOfTheSameSizeKeepsTheExercise() {
        ProgramOnScreen p({1024, 768});
        auto& [screen, log, messages, set] = p;
        p.startExercise();
        const QRect card = set.form1().geometry();
        screen.change({1024, 768});
        QCoreApplication::processEvents();
        QVERIFY(set.exerciseScreen().isVisible());
        QVERIFY(set.form1().isVisible() && set.form2().isVisible());
        QCOMPARE(set.form1().geometry(), card);
        QVERIFY(messages.shown.empty());
    }

    // The end message is open when the screen changes: the exercise has ended
    // already, its backdrop is laid out again and "Новое упражнение" works.
    void aScreenChangeUnderTheEndMessageKeepsTheBackdrop() {
        ProgramOnScreen p({1024, 768});
        auto& [screen, log, messages, set] = p;
        p.startExercise();
        messages.whileOpen = [&] { screen.change({800, 600}); };
        QTest::mouseClick(set.state().referenceFirst ? static_cast<QWidget*>(&set.form1()) : &set.form2(),
                          Qt::LeftButton);  // the wrong card
        messages.whileOpen = nullptr;
        QCoreApplication::processEvents();
        QCOMPARE(messages.shown.size(), std::size_t(1));
        QVERIFY(messages.shown.front().starts_with("Вы ошиблись"));
        QVERIFY(set.form3().isVisible());
        QCOMPARE(set.form3().geometry(), QRect(0, 0, 799, 576));
        QCOMPARE(set.form3().Button1->geometry(), QRect(16, 528, 129, 25));
        set.form3().Button1->click();  // "Новое упражнение"
        QVERIFY(set.submCheck().isVisible());
        QCOMPARE(set.submCheck().geometry(), QRect(200, 0, 392, 510));
    }

    void noSecondMessageBoxOpensWhileTheGoodbyeIsOpen() {
        FakeScreen screen({1024, 768});
        EventLog log;
        FakeMessageBoxes messages(log);
        FakeBlockingWait wait(log);
        FakeClock clock;
        FakeTimerDevice timer1(clock), timer2(clock);
        WindowSet set(PlatformPorts{&screen, &messages, &wait, &timer1, &timer2});
        timer1.onTick = [&] { set.engine().timer1Tick(); };
        timer2.onTick = [&] { set.engine().timer2Tick(); };
        TKestrani& k = set.kestrani();
        for (QCheckBox* limit : {k.CheckBox28, k.CheckBox30}) {
            limit->click();
            QTest::keyClicks(limit == k.CheckBox28 ? k.Edit1 : k.Edit3, "1");
        }
        k.Button1->click();  // "Упражнения": the reference-show count runs
        int mostOpen = 0;
        messages.whileOpen = [&] {
            mostOpen = std::max(mostOpen, messages.openBoxes);
            clock.advance(1000);  // the reference-show limit runs out
            clock.advance(1000);  // and then the object-show limit
        };
        k.Button2->click();  // "Завершить работу"
        QCOMPARE(messages.shown.front(), std::string("До свидания!"));
        QCOMPARE(mostOpen, 1);
        for (QWidget* window : std::initializer_list<QWidget*>{&set.form1(), &set.form2(), &set.form4(), &set.submCheck()})
            QVERIFY(!window->isVisible());
    }
};

QTEST_MAIN(WindowSetTest)
#include "window_set_test.moc"
