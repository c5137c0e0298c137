// What the results window shows: numbers without the noise of binary
// arithmetic, the exercises' columns, the thresholds' cells for every state a
// fit can be in, the psychometric picture and the progress.

#include <QtTest>

#include <cmath>

#include "fakes/result_samples.h"
#include "results/results_view.h"

using namespace kestrani;
using namespace kestrani::fakes;

namespace {

ThresholdRow row(ExerciseKind kind, Submodality property, ThresholdFit fit) {
    ThresholdRow r;
    r.key = {kind, property, {}};
    r.unit = "ΔE00";
    r.fit = fit;
    return r;
}

ThresholdFit fitted(double threshold, std::optional<double> lower, std::optional<double> upper) {
    ThresholdFit fit;
    fit.answers = 120, fit.wrong = 31, fit.enough = true;
    fit.curve = PsychometricCurve{threshold, 2.5, 0.5};
    fit.lower = lower, fit.upper = upper;
    return fit;
}

}  // namespace

class ResultsViewTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        qputenv("TZ", "UTC");
        tzset();
    }

    void numbersOnTheScreen_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("shown");
        QTest::newRow("noise of 50 × 0.8²") << 32.000000000000014 << "32";
        QTest::newRow("noise of 150 + 0.4") << 150.39999999999998 << "150";
        QTest::newRow("two decimals below ten") << 3.14159 << "3,14";
        QTest::newRow("one decimal below a hundred") << 20.480000000000018 << "20,5";
        QTest::newRow("trailing zeros left out") << 2.5 << "2,5";
        QTest::newRow("small") << 0.0849 << "0,08";
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("below half a hundredth") << 0.004 << "0";
    }
    void numbersOnTheScreen() {
        QFETCH(double, value);
        QFETCH(QString, shown);
        QCOMPARE(QString::fromStdString(displayNumber(value)), shown);
    }

    void theExercisesTableStartsWithTheStartAndNamesALinesLength() {
        ExerciseResult line = sampleResult(3);
        line.objectKind = ObjectKind::Line;
        line.changeable = RowSet(1u << SlotColumn::rowIndex(Submodality::Area));
        line.reached = {};
        line.reached[SlotColumn::rowIndex(Submodality::Area)] = 12.345;
        line.deltaE00.reset();
        const TableText t = exercisesTable({line});
        QCOMPARE(t.headers.front(), std::string("Начало"));
        QCOMPARE(t.headers.size(), t.rows.front().size());
        QCOMPARE(t.rows.front()[0], std::string("15.01.2027 08:03:00"));
        QCOMPARE(t.rows.front()[6], std::string("длина"));
        QCOMPARE(t.rows.front()[8 + SlotColumn::rowIndex(Submodality::Area)], std::string("12,3"));
        QCOMPARE(t.rows.front().back(), std::string());
    }

    void thresholdCells_data() {
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("threshold");
        QTest::addColumn<QString>("interval");
        QTest::newRow("fitted") << 0 << "3,12 ΔE00" << "2,41 – 4,06";
        QTest::newRow("too few answers") << 1 << "нужно ещё 22 ответа" << "";
        QTest::newRow("open above: only a lower bound") << 2 << "> 4,1 ΔE00" << "от 4,1";
        QTest::newRow("open below: only an upper bound") << 3 << "< 0,9 ΔE00" << "до 0,9";
        QTest::newRow("guessing three in four") << 4 << "не определяется" << "";
    }
    void thresholdCells() {
        QFETCH(int, state);
        QFETCH(QString, threshold);
        QFETCH(QString, interval);
        ThresholdFit fit;
        switch (state) {
        case 0: fit = fitted(3.1234, 2.4111, 4.0555); break;
        case 1: fit.answers = 8, fit.wrong = 2, fit.moreAnswersNeeded = 22; break;
        case 2: fit = fitted(40, 4.1, std::nullopt); break;
        case 3: fit = fitted(0.01, std::nullopt, 0.9); break;
        default: fit.answers = 80, fit.wrong = 30, fit.enough = true; break;
        }
        const TableText t = thresholdsTable({row(ExerciseKind::DiffersInAsked, Submodality::Saturation, fit)});
        QCOMPARE(t.rows.size(), std::size_t(1));
        QCOMPARE(t.rows[0][0], std::string("3"));
        QCOMPARE(t.rows[0][1], std::string("насыщенность"));
        QCOMPARE(QString::fromStdString(t.rows[0][2]), threshold);
        QCOMPARE(QString::fromStdString(t.rows[0][3]), interval);
        QCOMPARE(t.rows[0][4], std::to_string(fit.answers));
    }

    void aLevelFitNamesWhatChangedWithIt() {
        ThresholdKey key{ExerciseKind::PickReference, Submodality::Hue, RowSet(0b111)};
        QCOMPARE(thresholdName(key), std::string("Упражнение 1: тон (вместе с: яркость, насыщенность)"));
    }

    void thePsychometricPictureSpansTheBinsAndMarksThe75PerCentPoint() {
        ThresholdRow r = row(ExerciseKind::CompareTwo, Submodality::Brightness, fitted(3, 2, 4.5));
        r.bins = {{1.0, 1.25, 10, 6}, {2.0, 2.5, 20, 14}, {4.0, 5.0, 12, 12}};
        const PsychometricPicture p = psychometricPicture(r);
        QCOMPARE(p.bins.size(), std::size_t(3));
        QCOMPARE(p.bins[1].y, 0.7);
        QVERIFY(std::fabs(p.bins[0].x - std::sqrt(1.25)) < 1e-12);
        QCOMPARE(p.binAnswers, (std::vector<int>{10, 20, 12}));
        QCOMPARE(p.xLow, 0.8);
        QCOMPARE(p.xHigh, 6.25);
        QVERIFY(p.threshold && p.threshold->x == 3 && p.threshold->y == 0.75);
        // The curve rises from the guess rate towards 1 − lapse across the axis.
        QVERIFY(p.curve.front().y < 0.55 && p.curve.back().y > 0.95);
        for (std::size_t i = 1; i < p.curve.size(); ++i)
            QVERIFY(p.curve[i].y >= p.curve[i - 1].y);
    }

    void progressWithoutThresholdsSaysWhatEachDayNeeds() {
        ThresholdProgress progress;
        progress.unit = "ΔE00";
        ProgressPoint day;
        day.label = "2026-12-10";
        day.fit.answers = 14, day.fit.wrong = 3, day.fit.moreAnswersNeeded = 16;
        progress.points = {day};
        const ProgressPicture p = progressPicture(progress, row(ExerciseKind::CompareTwo, Submodality::Brightness, {}));
        QVERIFY(p.points.empty());
        QVERIFY(p.emptyText.find("2026-12-10: 14 ответов, для порога нужно ещё 16 ответов") != std::string::npos);
    }

    void progressDrawsEachDayWithItsIntervalAndAnOpenEndToTheTop() {
        ThresholdProgress progress;
        progress.unit = "ΔE00";
        for (int d = 0; d < 3; ++d) {
            ProgressPoint point;
            point.periodStart = 1'800'000'000'000 + 86'400'000LL * d;
            point.fit = fitted(4.0 - d, 3.0 - d, d == 2 ? std::nullopt : std::optional<double>(5.0 - d));
            point.best = d == 2;
            point.latest = d == 2;
            progress.points.push_back(point);
        }
        const ProgressPicture p = progressPicture(progress, row(ExerciseKind::CompareTwo, Submodality::Brightness, {}));
        QCOMPARE(p.points.size(), std::size_t(3));
        QCOMPARE(p.points[0].at, std::int64_t(1'800'000'000'000 + 43'200'000));
        QCOMPARE(p.points[0].low, 3.0);
        QCOMPARE(p.points[0].high, 5.0);
        QCOMPARE(p.yHigh, 5.0 * 1.1);
        QCOMPARE(p.points[2].high, p.yHigh);
        QVERIFY(p.points[2].best && p.points[2].latest);
        QCOMPARE(p.from, p.points[0].at - 86'400'000);
    }
};

QTEST_GUILESS_MAIN(ResultsViewTest)
#include "results_view_test.moc"
