// The answer log as the engine leaves it: one row per answer with its key,
// the answer given, the verdict, the reaction time from the press and the
// stimulus's differences from the reference as drawn; and simulated users
// with a known threshold who play exercises through the engine and get their
// threshold back from the log.

#include <QtTest>

#include <algorithm>
#include <cmath>

#include "fakes/careful_user.h"
#include "results/perceptual_units.h"
#include "fakes/collected_results.h"
#include "results/result_recorder.h"
#include "results/threshold_table.h"

using namespace kestrani;
using namespace kestrani::fakes;

namespace {

void only(ExerciseSettings& s, Submodality row, bool ask) {
    for (Submodality r : gridRows) {
        s.initial[r].state = SlotState::On;
        s.changeable[r].state = r == row ? SlotState::On : SlotState::Off;
        s.calibrated[r].state = ask && r == row ? SlotState::On : SlotState::Off;
    }
    s.asked.fill(false);
    if (ask)
        s.asked[static_cast<std::size_t>(row)] = true;
    s.splitting = false;
}

// What the user clicked, as the log names it.
Choice clicked(Sender s) {
    switch (s) {
    case Sender::TForm2: return Choice::Left;
    case Sender::TForm1: return Choice::Right;
    case Sender::TForm4: return Choice::Object;
    case Sender::TForm3: return Choice::Background;
    default: return Choice::None;
    }
}

// The difference a simulated user perceives between the changed object and
// the reference as drawn: the lightness part of ΔE00 of the painted colours,
// or the difference of the drawn widths in per cent of the reference's.
double perceived(const Seen& changed, const Seen& reference, Submodality property) {
    if (property == Submodality::Brightness)
        return colourDifference(changed.colour, reference.colour).lightness;
    const double w = std::abs(changed.x2 - changed.x1), r = std::abs(reference.x2 - reference.x1);
    return 100 * std::fabs(w - r) / r;
}

}  // namespace

class AnswerLogTest : public QObject {
    Q_OBJECT
private slots:
    void everyAnswerLeavesItsRow_data() {
        QTest::addColumn<int>("exercise");
        QTest::addColumn<int>("object");
        QTest::addColumn<int>("row");
        QTest::newRow("1, two whole windows, brightness") << 1 << int(ObjectKind::WholeWindow) << int(Submodality::Brightness);
        QTest::newRow("2, a rectangle, its width") << 2 << int(ObjectKind::Rectangle) << int(Submodality::Width);
        QTest::newRow("3, a line, its tilt") << 3 << int(ObjectKind::Line) << int(Submodality::Rotation);
        QTest::newRow("4, an ellipse, its height") << 4 << int(ObjectKind::Ellipse) << int(Submodality::Height);
    }
    void everyAnswerLeavesItsRow() {
        QFETCH(int, exercise);
        QFETCH(int, object);
        QFETCH(int, row);
        EngineFixture f;
        CollectedResults log;
        ResultRecorder recorder(f.clock, &log);
        f.engine.setEvents(&recorder);
        f.settings.exerciseKind = static_cast<ExerciseKind>(exercise);
        f.settings.objectKind = static_cast<ObjectKind>(object);
        only(f.settings, static_cast<Submodality>(row), exercise >= 3);
        CarefulUser user{5};
        std::vector<UserAnswer> given;
        std::vector<std::int64_t> pressedAfter;
        const PlayedExercise played = playExercise(f, user, 30, [&](const UserAnswer& a) {
            given.push_back(a);
            // The user looks for 700 ms; the press is dated by its own event.
            f.clock.advance(700);
            return true;
        });
        QVERIFY(played.answers > 0);
        QCOMPARE(log.answers.size(), std::size_t(played.answers));
        for (std::size_t i = 0; i < log.answers.size(); ++i) {
            const AnswerRecord& a = log.answers[i];
            QCOMPARE(a.number, int(i) + 1);
            QCOMPARE(a.exerciseKind, f.settings.exerciseKind);
            QCOMPARE(a.given, clicked(given[i].sender));
            QCOMPARE(a.reactionMilliseconds, std::optional<int>(700));
            QCOMPARE(a.level, std::pow(0.8, int(i)));
            QCOMPARE(a.question.has_value(), exercise >= 3);
            QCOMPARE(a.askedMore.has_value(), exercise == 4);
            // The verdict: right exactly when the answer is the key (or either will do).
            QCOMPARE(a.right, a.given == a.key || a.key == Choice::Either);
            QVERIFY(a.difference[static_cast<std::size_t>(SlotColumn::rowIndex(static_cast<Submodality>(row)))].has_value());
            for (std::size_t other = 0; other < gridRows.size(); ++other)
                QCOMPARE(a.difference[other].has_value(), other == SlotColumn::rowIndex(static_cast<Submodality>(row)));
        }
        // Where the user was sure, the key is what the user chose.
        for (std::size_t i = 0; i < log.answers.size(); ++i)
            if (given[i].sure && log.answers[i].key != Choice::Either)
                QCOMPARE(log.answers[i].key, log.answers[i].given);
        // The last answer belongs to the exercise whose result follows it
        // (when the thirty answers did not end it, leaving does).
        f.engine.leaveExercise();
        QCOMPARE(log.results.size(), std::size_t(1));
        QCOMPARE(log.answers.back().exerciseStartedAt, log.results.back().startedAt);
    }

    void aTimeOutLeavesAWrongAnswerWithoutAReactionTime() {
        EngineFixture f;
        CollectedResults log;
        ResultRecorder recorder(f.clock, &log);
        f.engine.setEvents(&recorder);
        f.settings.splitting = false;
        f.settings.objectShowLimit = {true, 3};
        f.engine.startExercise();
        f.engine.step(Sender::Button1);
        f.clock.advance(3000);
        QCOMPARE(log.answers.size(), std::size_t(1));
        const AnswerRecord& a = log.answers.front();
        QCOMPARE(a.given, Choice::None);
        QVERIFY(!a.right);
        QVERIFY(!a.reactionMilliseconds);
        QCOMPARE(log.results.size(), std::size_t(1));
        QCOMPARE(log.results.front().end, ExerciseEnd::TimeOut);
    }

    // Simulated users whose chance of a right answer follows a Weibull in the
    // difference they see (a threshold of 3 in ΔE00's lightness part, or of 5 %
    // of width), 200 exercises of kind 4 each, through the engine: the
    // threshold fitted from the log lies within 20 % of the truth in the
    // median over 20 users, and its interval holds the truth for at least 17.
    void simulatedUsersGetTheirThresholdsBack_data() {
        QTest::addColumn<int>("object");
        QTest::addColumn<int>("row");
        QTest::addColumn<double>("truth");
        QTest::newRow("brightness, 3 ΔE00") << int(ObjectKind::WholeWindow) << int(Submodality::Brightness) << 3.0;
        QTest::newRow("width, 5 %") << int(ObjectKind::Rectangle) << int(Submodality::Width) << 5.0;
    }
    void simulatedUsersGetTheirThresholdsBack() {
        QFETCH(int, object);
        QFETCH(int, row);
        QFETCH(double, truth);
        const auto property = static_cast<Submodality>(row);
        std::vector<double> thresholds;
        int covered = 0;
        for (std::uint32_t seed = 1; seed <= 20; ++seed) {
            EngineFixture f;
            CollectedResults log;
            ResultRecorder recorder(f.clock, &log);
            f.engine.setEvents(&recorder);
            f.settings.exerciseKind = ExerciseKind::CompareTwo;
            f.settings.objectKind = static_cast<ObjectKind>(object);
            only(f.settings, property, true);
            f.random.setState(seed * 7919);
            const PsychometricCurve user{truth, 3.0, 0.5, 0.0};
            Lcg coins{seed};
            for (int exercise = 0; exercise < 200; ++exercise) {
                f.engine.newExercise();
                const Seen reference = seenOn(f.referenceWindow, f.settings.objectKind);
                f.engine.step(Sender::Button1);
                for (int answer = 0; answer < 60 && f.messages.shown.empty(); ++answer) {
                    const Seen left = seenOn(f.leftCard, f.settings.objectKind);
                    const Seen right = seenOn(f.rightCard, f.settings.objectKind);
                    const std::optional<Question> q = questionOn(f.backdrop.upperPrompt, 4);
                    QVERIFY(q.has_value());
                    const std::optional<int> leftMore = surelyMore(left, right, property);
                    const bool correctIsLeft = leftMore ? (*leftMore > 0) == q->more : coins.draw(2) == 0;
                    const Seen& changed = looksIdentical(left, reference) ? right : left;
                    const double p = user.probabilityRight(perceived(changed, reference, property));
                    const bool right_ = coins.draw(1 << 20) < p * (1 << 20);
                    f.engine.step(correctIsLeft == right_ ? Sender::TForm2 : Sender::TForm1);
                }
                f.messages.shown.clear();
            }
            const std::vector<ThresholdRow> rows = thresholdTable(log.answers);
            const auto found = std::find_if(rows.begin(), rows.end(), [&](const ThresholdRow& r) {
                return r.key.exerciseKind == ExerciseKind::CompareTwo && r.key.property == property;
            });
            QVERIFY(found != rows.end());
            QVERIFY2(found->fit.curve.has_value(), qPrintable(QString("seed %1: %2 answers").arg(seed).arg(found->fit.answers)));
            thresholds.push_back(found->fit.curve->threshold);
            covered += found->fit.lower && found->fit.upper && *found->fit.lower <= truth && truth <= *found->fit.upper;
        }
        std::sort(thresholds.begin(), thresholds.end());
        const double median = (thresholds[9] + thresholds[10]) / 2;
        qInfo("median threshold %.3f against %.1f; the interval held the truth for %d of 20", median, truth, covered);
        QVERIFY(std::fabs(median - truth) <= 0.2 * truth);
        QVERIFY(covered >= 17);
    }
};

QTEST_GUILESS_MAIN(AnswerLogTest)
#include "answer_log_test.moc"
