// What an exercise leaves behind: one result on every way an exercise ends,
// played through the engine on a fake clock, and the reached differences of
// hand-worked states in units people can compare.

#include <QtTest>

#include <cmath>
#include <numbers>

#include "fakes/engine_fixture.h"
#include "fakes/collected_results.h"
#include "results/result_recorder.h"

using namespace kestrani;
using namespace kestrani::fakes;

namespace {

// The engine with a recorder on the fixture's clock; a grey reference, and
// only brightness changes, so every stimulus is a grey too.
struct Recording {
    Recording() {
        f.settings.splitting = false;
        f.settings.initial[Submodality::Hue].state = SlotState::Off;
        f.settings.changeable[Submodality::Hue].state = SlotState::Off;
        f.settings.changeable[Submodality::Saturation].state = SlotState::Off;
        f.engine.setEvents(&recorder);
    }
    void ask(Submodality s) {
        f.settings.calibrated[s].state = SlotState::On;
        f.settings.asked[static_cast<std::size_t>(s)] = true;
    }
    Sender rightAnswer() const {
        if (f.settings.exerciseKind == ExerciseKind::DiffersInAsked)
            return f.state.referenceFirst ? Sender::TForm4 : Sender::TForm3;
        return f.state.referenceFirst ? Sender::TForm2 : Sender::TForm1;
    }
    Sender wrongAnswer() const { return f.state.referenceFirst ? Sender::TForm1 : Sender::TForm2; }
    // The reference at 0, the first stimulus at 1000, a right answer every 1000 ms.
    void play(int rightAnswers) {
        f.engine.startExercise();
        f.clock.advance(1000);
        f.engine.step(Sender::Button1);
        for (int i = 0; i < rightAnswers; ++i) {
            f.clock.advance(1000);
            f.engine.step(rightAnswer());
        }
    }

    EngineFixture f;
    CollectedResults collected;
    ResultRecorder recorder{f.clock, &collected};
};

enum class Finish { Wrong, TimeOut, RightToTheEnd, DropQuestions, Leave, NewExercise, StartAgain, CloseProgram };

}  // namespace

Q_DECLARE_METATYPE(Finish)
Q_DECLARE_METATYPE(kestrani::ExerciseEnd)
Q_DECLARE_METATYPE(kestrani::ExerciseKind)
Q_DECLARE_METATYPE(kestrani::ExerciseState)

class ResultRecordingTest : public QObject {
    Q_OBJECT
private slots:
    void everyEndLeavesOneResult_data() {
        QTest::addColumn<ExerciseKind>("exercise");
        QTest::addColumn<int>("rights");
        QTest::addColumn<Finish>("finish");
        QTest::addColumn<ExerciseEnd>("end");
        QTest::addColumn<int>("endsAfter");  // milliseconds after the last answer
        QTest::addColumn<bool>("brightnessKnown");

        const ExerciseKind one = ExerciseKind::PickReference;
        QTest::newRow("wrong answer") << one << 2 << Finish::Wrong << ExerciseEnd::WrongAnswer << 1000 << true;
        QTest::newRow("object-show time-out") << one << 2 << Finish::TimeOut << ExerciseEnd::TimeOut << 5000 << true;
        QTest::newRow("no difference left") << one << 0 << Finish::RightToTheEnd << ExerciseEnd::NoDifference << 1000 << true;
        QTest::newRow("grid emptied during exercise 3")
            << ExerciseKind::DiffersInAsked << 2 << Finish::DropQuestions << ExerciseEnd::NoCalibratedSubmodality << 1000
            << false;
        QTest::newRow("leave mid-exercise") << one << 3 << Finish::Leave << ExerciseEnd::Left << 1000 << true;
        QTest::newRow("new exercise mid-exercise") << one << 1 << Finish::NewExercise << ExerciseEnd::NewExercise << 1000 << true;
        QTest::newRow("exercises again mid-exercise") << one << 0 << Finish::StartAgain << ExerciseEnd::NewExercise << 1000 << true;
        QTest::newRow("program closed mid-exercise") << one << 2 << Finish::CloseProgram << ExerciseEnd::ProgramClosed << 1000 << true;
    }

    void everyEndLeavesOneResult() {
        QFETCH(ExerciseKind, exercise);
        QFETCH(int, rights);
        QFETCH(Finish, finish);
        QFETCH(ExerciseEnd, end);
        QFETCH(int, endsAfter);
        QFETCH(bool, brightnessKnown);

        Recording r;
        r.f.settings.exerciseKind = exercise;
        r.f.settings.objectShowLimit = {finish == Finish::TimeOut, 5};
        if (exercise == ExerciseKind::DiffersInAsked)
            r.ask(Submodality::Brightness);
        r.play(rights);
        QVERIFY(r.collected.results.empty());

        r.f.clock.advance(endsAfter);
        switch (finish) {
        case Finish::Wrong: r.f.engine.step(r.wrongAnswer()); break;
        case Finish::TimeOut: break;  // the advance ran the limit out
        case Finish::RightToTheEnd:
            for (int i = 0; i < 200 && r.collected.results.empty(); ++i) {
                r.f.engine.step(r.rightAnswer());
                ++rights;
            }
            --rights;  // the answer that ends it is not counted
            break;
        case Finish::DropQuestions:
            r.f.settings.asked = {};
            r.f.engine.step(r.rightAnswer());
            break;
        case Finish::Leave: r.f.engine.leaveExercise(); break;
        case Finish::NewExercise: r.f.engine.newExercise(); break;
        case Finish::StartAgain: r.f.engine.startExercise(); break;
        case Finish::CloseProgram: r.f.engine.programEnded(); break;
        }
        // Whatever follows an end leaves nothing more.
        r.f.engine.leaveExercise();
        r.f.engine.programEnded();

        QCOMPARE(r.collected.results.size(), std::size_t(1));
        const ExerciseResult& result = r.collected.results.front();
        QCOMPARE(result.end, end);
        QCOMPARE(result.rightAnswers, rights);
        QCOMPARE(result.exerciseKind, exercise);
        if (finish != Finish::RightToTheEnd) {
            QCOMPARE(result.startedAt, std::int64_t(1000));
            QCOMPARE(result.endedAt, std::int64_t(1000 + 1000 * rights + endsAfter));
        }
        // Only brightness was changeable.
        QCOMPARE(result.changeable, RowSet(1));
        QVERIFY(result.reached[0].has_value());
        for (std::size_t i = 1; i < gridRows.size(); ++i)
            QVERIFY(!result.reached[i].has_value());
        // Two greys differ in lightness alone: all of ΔE00 is its lightness part.
        QVERIFY(result.deltaE00.has_value());
        QVERIFY(std::fabs(*result.reached[0] - *result.deltaE00) < 1e-3);
        if (finish == Finish::RightToTheEnd) {
            QVERIFY(result.deltaRed == 0 && result.deltaGreen == 0 && result.deltaBlue == 0);
            QCOMPARE(*result.deltaE00, 0.0);
        } else if (brightnessKnown) {
            QVERIFY(*result.deltaE00 > 0);
        }
        const Rgb reference{r.f.state.referenceRed, r.f.state.referenceGreen, r.f.state.referenceBlue};
        if (finish != Finish::NewExercise && finish != Finish::StartAgain)
            QCOMPARE(result.referenceColour, reference);
    }

    void nothingIsLeftBehindBeforeTheObjectsAreShown() {
        Recording r;
        r.f.engine.startExercise();
        r.f.engine.generateReference();
        r.f.engine.leaveExercise();
        r.f.engine.newExercise();
        r.f.engine.programEnded();
        QVERIFY(r.collected.results.empty());
    }

    void theResultKeepsTheSettingsTheExerciseStartedWith() {
        Recording r;
        ExerciseSettings& s = r.f.settings;
        s.exerciseKind = ExerciseKind::CompareTwo;
        s.objectKind = ObjectKind::Rectangle;
        s.changeable[Submodality::Width].state = SlotState::On;
        s.changeable[Submodality::HorizontalPosition].state = SlotState::On;
        r.ask(Submodality::Width);
        s.nonMonotonic = true;
        s.variableBackground = true;
        s.referenceShowLimit = {true, 12};
        s.delay = {false, 3};
        s.objectShowLimit = {true, 40};
        s.standardColor = {true, 7};
        r.play(0);
        s.nonMonotonic = false;
        s.objectShowLimit = {false, 40};
        r.f.engine.leaveExercise();

        QCOMPARE(r.collected.results.size(), std::size_t(1));
        const ExerciseResult& result = r.collected.results.front();
        QCOMPARE(result.exerciseKind, ExerciseKind::CompareTwo);
        QCOMPARE(result.objectKind, ObjectKind::Rectangle);
        QCOMPARE(result.changeable.to_string(), std::string("010010001"));  // rows from Rotation down to Brightness
        QCOMPARE(result.asked.to_string(), std::string("000010000"));
        QVERIFY(result.nonMonotonic && !result.splitting && result.variableBackground);
        QCOMPARE(result.referenceShowSeconds, std::optional<int>(12));
        QCOMPARE(result.delaySeconds, std::optional<int>());
        QCOMPARE(result.objectShowSeconds, std::optional<int>(40));
        QCOMPARE(result.standardColour, std::optional<int>(7));
        QVERIFY(result.reached[SlotColumn::rowIndex(Submodality::Width)].has_value());
        QVERIFY(!result.reached[SlotColumn::rowIndex(Submodality::Height)].has_value());
    }

    void reachedDifferencesOfHandWorkedStates_data() {
        QTest::addColumn<int>("object");
        QTest::addColumn<ExerciseState>("state");
        QTest::addColumn<QList<double>>("reached");  // by grid row

        // Both black, so the colour rows show no difference; a box has no tilt (NaN).
        const double none = std::nan("");
        ExerciseState rectangle;
        // Reference 200 × 100 at (100, 50), centre (200, 100); object 220 × 90
        // at (90, 60), centre (200, 105): heights 10 % apart, widths 10 %,
        // areas 19 800 against 20 000, 1 %.
        rectangle.referenceX1 = 100, rectangle.referenceY1 = 50, rectangle.referenceX2 = 300, rectangle.referenceY2 = 150;
        rectangle.referenceWidth = 200, rectangle.referenceHeight = 100;
        rectangle.objectX1 = 90, rectangle.objectY1 = 60, rectangle.objectX2 = 310, rectangle.objectY2 = 150;
        rectangle.objectWidth = 220, rectangle.objectHeight = 90;
        QTest::newRow("rectangle") << int(ObjectKind::Rectangle) << rectangle
                                   << QList<double>{0, 0, 0, 10, 10, 1, 5, 0, none};

        ExerciseState line;
        // Reference from (300, 100) to (200, 200): 135°, 141.42 long, centre
        // (250, 150); object upright from (250, 100) to (250, 200): 90°, 100
        // long, the same centre. Widths 100 against 0, lengths 29.29 % apart.
        line.referenceX1 = 300, line.referenceY1 = 100, line.referenceX2 = 200, line.referenceY2 = 200;
        line.referenceWidth = 100, line.referenceHeight = 100;
        line.objectX1 = 250, line.objectY1 = 100, line.objectX2 = 250, line.objectY2 = 200;
        line.objectWidth = 0, line.objectHeight = 100;
        QTest::newRow("line") << int(ObjectKind::Line) << line
                              << QList<double>{0, 0, 0, 0, 100, 100 * (1 - 1 / std::sqrt(2.0)), 0, 0, 45};
    }

    void reachedDifferencesOfHandWorkedStates() {
        QFETCH(int, object);
        QFETCH(ExerciseState, state);
        QFETCH(QList<double>, reached);

        FakeClock clock;
        CollectedResults collected;
        ResultRecorder recorder(clock, &collected);
        ExerciseSettings settings;
        settings.objectKind = static_cast<ObjectKind>(object);
        for (Submodality row : gridRows)
            settings.changeable[row].state = SlotState::On;
        recorder.exerciseStarted(settings, state);
        recorder.exerciseEnded(ExerciseEnd::WrongAnswer, state);
        QCOMPARE(collected.results.size(), std::size_t(1));
        for (std::size_t i = 0; i < gridRows.size(); ++i) {
            const double expected = reached[static_cast<qsizetype>(i)];
            const std::optional<double>& got = collected.results.front().reached[i];
            QCOMPARE(got.has_value(), !std::isnan(expected));
            if (got)
                QVERIFY2(std::fabs(*got - expected) < 1e-9, qPrintable(QString("row %1: %2").arg(i).arg(*got)));
        }
    }
};

QTEST_GUILESS_MAIN(ResultRecordingTest)
#include "result_recording_test.moc"
