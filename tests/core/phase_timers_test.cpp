// The phase timers on a fake clock: the reference-show limit starts the
// exercise by itself, the object-show limit ends it, and no late tick reaches
// an exercise that has started, ended or been left.

#include <QtTest>

#include "fakes/engine_fixture.h"

using namespace kestrani;
using namespace kestrani::fakes;

namespace {

const std::string timeOut = "Вы ошиблись, увы! Число удачных ходов - ";

// Exercise 1 with whole-window objects, as at start, without splitting.
void plainExercise(EngineFixture& f) { f.settings.splitting = false; }

}  // namespace

class PhaseTimersTest : public QObject {
    Q_OBJECT
private slots:
    void referenceShowLimitStartsTheExerciseByItself() {
        EngineFixture f;
        plainExercise(f);
        f.settings.referenceShowLimit = {true, 10};
        f.engine.startExercise();
        QVERIFY(f.referenceWindow.visible);
        f.clock.advance(9999);
        QVERIFY(!f.state.exerciseStarted);
        f.clock.advance(1);
        QVERIFY(f.state.exerciseStarted);
        QVERIFY(!f.referenceWindow.visible);
        QVERIFY(f.leftCard.visible && f.rightCard.visible);
        QVERIFY(!f.engine.timer1().enabled());
    }

    void zeroSecondsNeverTicks() {
        EngineFixture f;
        plainExercise(f);
        f.settings.referenceShowLimit = {true, 0};
        f.settings.objectShowLimit = {true, 0};
        f.engine.startExercise();
        f.clock.advance(120000);
        QVERIFY(!f.state.exerciseStarted);
        f.engine.step(Sender::Button1);
        f.clock.advance(120000);
        QVERIFY(f.messages.shown.empty());
    }

    void changingTheReferenceKeepsTheRunningCount() {
        EngineFixture f;
        plainExercise(f);
        f.settings.referenceShowLimit = {true, 10};
        f.engine.startExercise();
        f.clock.advance(3000);
        f.engine.generateReference();  // "Изменить эталон"
        f.clock.advance(6999);
        QVERIFY(!f.state.exerciseStarted);
        f.clock.advance(1);
        QVERIFY(f.state.exerciseStarted);
    }

    void switchedOffLimitTicksWithoutEffect() {
        EngineFixture f;
        plainExercise(f);
        f.settings.referenceShowLimit = {true, 2};
        f.engine.startExercise();
        f.settings.referenceShowLimit.enabled = false;
        f.clock.advance(10000);
        QVERIFY(!f.state.exerciseStarted);
        QVERIFY(f.engine.timer1().enabled());
        QVERIFY(f.timer1.running);
    }

    void startingByHandStopsTheReferenceCount() {
        EngineFixture f;
        plainExercise(f);
        f.settings.referenceShowLimit = {true, 10};
        f.engine.startExercise();
        f.clock.advance(3000);
        f.engine.step(Sender::Button1);  // "Начали?"
        f.state.successCount = 4;
        f.clock.advance(20000);
        QCOMPARE(f.state.successCount, 4);  // no restart in the middle of the exercise
        f.engine.leaveExercise();
        QVERIFY(!f.leftCard.visible && !f.backdrop.visible);
    }

    void leavingDuringTheReferencePhaseStopsTheCount() {
        EngineFixture f;
        plainExercise(f);
        f.settings.referenceShowLimit = {true, 10};
        f.engine.startExercise();
        f.clock.advance(3000);
        f.engine.leaveExercise();
        f.clock.advance(20000);
        QVERIFY(!f.state.exerciseStarted);
        QVERIFY(!f.leftCard.visible && !f.rightCard.visible);
    }

    void aRefusedReferenceStopsTheRunningCount() {
        EngineFixture f;
        plainExercise(f);
        f.settings.referenceShowLimit = {true, 10};
        f.engine.startExercise();
        f.clock.advance(3000);
        f.settings.exerciseKind = ExerciseKind::CompareTwo;  // nothing is asked
        f.engine.generateReference();
        QCOMPARE(f.messages.shown.size(), std::size_t(1));
        f.clock.advance(20000);
        QVERIFY(!f.state.exerciseStarted);
        QVERIFY(!f.leftCard.visible && !f.rightCard.visible && !f.backdrop.visible);
    }

    void objectShowLimitEndsTheExerciseAsAWrongAnswer() {
        EngineFixture f;
        plainExercise(f);
        f.settings.objectShowLimit = {true, 5};
        f.engine.startExercise();
        f.engine.step(Sender::Button1);
        f.state.successCount = 3;
        f.clock.advance(4999);
        QVERIFY(f.messages.shown.empty());
        f.clock.advance(1);
        QCOMPARE(f.messages.shown, std::vector<std::string>{timeOut + "3"});
        QCOMPARE(f.state.successCount, 0);  // the rest of the step takes the path without an answer
        QVERIFY(f.state.exerciseFinished);
        QVERIFY(!f.leftCard.visible && !f.rightCard.visible);
        QVERIFY(!f.engine.timer2().enabled());
        f.clock.advance(60000);
        QCOMPARE(f.messages.shown.size(), std::size_t(1));
    }

    void theLimitCountsFromTheStartOfEveryStep() {
        EngineFixture f;
        plainExercise(f);
        f.settings.objectShowLimit = {true, 5};
        f.engine.startExercise();
        f.engine.step(Sender::Button1);
        f.clock.advance(4000);
        f.state.referenceFirst = true;
        f.state.deltaRed = 9;  // a colour difference is left, so a right answer goes on
        f.engine.step(Sender::TForm2);
        f.clock.advance(4999);
        QVERIFY(f.messages.shown.empty());
        f.clock.advance(1);
        QCOMPARE(f.messages.shown, std::vector<std::string>{timeOut + "1"});
    }

    void anEndedExerciseIsNotTimedOutAgain() {
        EngineFixture f;
        plainExercise(f);
        f.settings.objectShowLimit = {true, 5};
        f.engine.startExercise();
        f.engine.step(Sender::Button1);
        f.state.referenceFirst = true;
        f.engine.step(Sender::TForm1);  // wrong
        QCOMPARE(f.messages.shown.size(), std::size_t(1));
        f.clock.advance(60000);
        QCOMPARE(f.messages.shown.size(), std::size_t(1));
        // A new exercise begun meanwhile is not timed out by the old count either.
        f.engine.newExercise();
        f.clock.advance(60000);
        QCOMPARE(f.messages.shown.size(), std::size_t(1));
        QVERIFY(f.referenceWindow.visible);
    }

    void ticksWhileAnEndMessageIsOpenAreDropped() {
        EngineFixture f;
        plainExercise(f);
        f.settings.objectShowLimit = {true, 1};
        f.engine.startExercise();
        f.engine.step(Sender::Button1);
        f.state.referenceFirst = true;
        int nestedSteps = 0;
        f.messages.whileOpen = [&] {
            QVERIFY(f.engine.busy());
            const int before = f.state.successCount;
            f.engine.step(Sender::TForm2);  // a click that slipped through
            f.engine.timer2Tick();
            nestedSteps += f.state.successCount != before;
        };
        f.engine.step(Sender::TForm1);  // wrong: the message opens
        QCOMPARE(nestedSteps, 0);
        QCOMPARE(f.messages.shown.size(), std::size_t(1));
        QVERIFY(!f.engine.busy());
    }
};

QTEST_GUILESS_MAIN(PhaseTimersTest)
#include "phase_timers_test.moc"
