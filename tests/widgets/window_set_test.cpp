// The seven windows at start-up and the exercise windows' fit to the screen.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "app/window_set.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_screen.h"

using namespace kestrani;
using namespace kestrani::fakes;

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

    void screenChangeRescalesOnTopOfEarlierScaling() {
        FakeScreen screen({1024, 768});
        WindowSet set(&screen);
        set.form3().show();
        set.form3().close();
        screen.size = {1280, 1024};
        set.form3().show();
        QCOMPARE(set.form3().geometry(), QRect(0, 0, 1279, 983));
        // Button1's edges at 768 were 20, 676, 186, 708; × 1280 / 800 again
        // (5:4 scales by the width): 32, 1082, 298, 1133, moved down by
        // 576 × 1024 / 600 − 576 × 1.6 = 983 − 922 = 61.
        QCOMPARE(set.form3().Button1->geometry(), QRect(32, 1143, 266, 51));
        set.form1().show();
        QCOMPARE(set.form1().geometry(), QRect(652, 0, 627, 870));
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
