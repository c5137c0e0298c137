// The fitted threshold: simulated users with known psychometric functions
// playing fade-out exercises get their thresholds back, with intervals that
// cover them; too few answers give no threshold but the answers it needs.

#include <QtTest>

#include <algorithm>
#include <cmath>

#include "fakes/simulated_observer.h"
#include "results/psychometric_fit.h"

using namespace kestrani;
using namespace kestrani::fakes;

class PsychometricFitTest : public QObject {
    Q_OBJECT
private slots:
    // Over 20 seeds of 200 exercises each: the median threshold within 20 %
    // of the truth, the 95 % interval covering it in at least 17 of 20. The
    // users lapse on 1 % of answers, the fit assumes 2 %.
    void simulatedUsersGetTheirThresholdsBack() {
        const struct {
            const char* name;
            PsychometricCurve truth;
            double firstLowest, firstHighest;
        } users[] = {
            {"colour, 3 ΔE00", {3.0, 3.0, 0.5, 0.01}, 8.0, 16.0},
            {"width, 5 %", {5.0, 2.0, 0.5, 0.01}, 20.0, 40.0},
            {"yes or no, false alarms 20 %", {3.0, 3.0, 0.2, 0.01}, 8.0, 16.0},
            {"yes or no, false alarms 3 %", {3.0, 4.0, 0.03, 0.01}, 8.0, 16.0},
            {"yes or no, never a false alarm", {3.0, 2.0, 0.0, 0.01}, 5.0, 16.0},
        };
        for (const auto& user : users) {
            std::vector<double> thresholds;
            int covered = 0;
            for (std::uint64_t seed = 1; seed <= 20; ++seed) {
                SimulatedObserver observer(user.truth, seed);
                const std::vector<Trial> trials = trialsOf(observer.play(200, user.firstLowest, user.firstHighest));
                const ThresholdFit fit = fitThreshold(trials, user.truth.guessRate);
                QVERIFY2(fit.enough && fit.threshold(), user.name);
                QCOMPARE(fit.answers, static_cast<int>(trials.size()));
                QCOMPARE(fit.wrong, static_cast<int>(std::count_if(trials.begin(), trials.end(),
                                                                   [](const Trial& t) { return !t.right; })));
                QVERIFY(fit.lower && fit.upper);
                QVERIFY(*fit.lower < *fit.threshold() && *fit.threshold() < *fit.upper);
                thresholds.push_back(*fit.threshold());
                covered += *fit.lower <= user.truth.threshold && user.truth.threshold <= *fit.upper ? 1 : 0;
            }
            std::sort(thresholds.begin(), thresholds.end());
            const double median = (thresholds[9] + thresholds[10]) / 2;
            QVERIFY2(std::fabs(median / user.truth.threshold - 1) < 0.2,
                     qPrintable(QString("%1: median %2").arg(user.name).arg(median)));
            QVERIFY2(covered >= 17, qPrintable(QString("%1: covered %2 of 20").arg(user.name).arg(covered)));
        }
    }

    void tooFewAnswersSayHowManyMore() {
        // (w + 1) / (n + 2) is the rate of wrong answers expected next.
        const struct {
            int answers, wrong, more;
        } cases[] = {
            {0, 0, 30},    // rate 1/2: 10 answers bring 5 wrong, but 30 are needed
            {25, 3, 14},   // rate 4/27: 2 more wrong in 13.5 answers
            {29, 9, 1},    // one answer short
            {40, 2, 42},   // rate 3/42: 3 more wrong in 42 answers
            {100, 0, 510}, // rate 1/102
            {30, 5, 0},
            {500, 80, 0},
        };
        for (const auto& c : cases)
            QCOMPARE(moreAnswersNeeded(c.answers, c.wrong), c.more);

        // 25 answers, 3 of them wrong: no threshold yet.
        std::vector<Trial> trials;
        for (int i = 0; i < 25; ++i)
            trials.push_back({10.0 * std::pow(0.8, i % 8), i % 8 != 7});
        const ThresholdFit fit = fitThreshold(trials, 0.5);
        QCOMPARE(fit.answers, 25);
        QCOMPARE(fit.wrong, 3);
        QVERIFY(!fit.enough);
        QCOMPARE(fit.moreAnswersNeeded, 14);
        QVERIFY(!fit.threshold() && !fit.lower && !fit.upper);
    }

    void answersWithoutDifferenceAreLeftOut() {
        SimulatedObserver observer({3.0, 3.0, 0.5, 0.01}, 7);
        std::vector<Trial> trials = trialsOf(observer.play(60, 8.0, 16.0));
        const ThresholdFit plain = fitThreshold(trials, 0.5);
        trials.push_back({0.0, false});
        trials.push_back({-1.0, true});
        trials.push_back({NAN, false});
        const ThresholdFit padded = fitThreshold(trials, 0.5);
        QCOMPARE(padded.answers, plain.answers);
        QCOMPARE(padded.wrong, plain.wrong);
        QCOMPARE(padded.threshold(), plain.threshold());
    }

    // Every answer given twice: the same likelihood doubled, so the same
    // threshold and a narrower interval; the levels stay as many.
    void repeatedAnswersAreOneLevel() {
        SimulatedObserver observer({3.0, 3.0, 0.5, 0.01}, 11);
        std::vector<Trial> trials = trialsOf(observer.play(100, 8.0, 16.0));
        const ThresholdFit once = fitThreshold(trials, 0.5);
        const std::vector<Trial> copy = trials;
        trials.insert(trials.end(), copy.begin(), copy.end());
        const ThresholdFit twice = fitThreshold(trials, 0.5);
        QCOMPARE(twice.levels, once.levels);
        QCOMPARE(twice.answers, 2 * once.answers);
        QVERIFY(std::fabs(*twice.threshold() / *once.threshold() - 1) < 1e-4);
        QVERIFY(*twice.lower > *once.lower && *twice.upper < *once.upper);
    }

    void guessRatesAtOrAboveThreeQuartersHaveNoThreshold() {
        SimulatedObserver observer({3.0, 3.0, 0.5, 0.01}, 3);
        const std::vector<Trial> trials = trialsOf(observer.play(100, 8.0, 16.0));
        for (double guess : {0.75, 0.9}) {
            const ThresholdFit fit = fitThreshold(trials, guess);
            QVERIFY(fit.enough);
            QVERIFY(!fit.threshold());
        }
    }

    // Answers at 4, 3.2 and 2.56 that do not rise above chance put the
    // threshold above them all, with nothing to bound it from above; answers
    // right 11 times in 12 everywhere put it below them all, with nothing to
    // bound it from below.
    void answersThatDoNotBoundAnEndLeaveItOpen() {
        const struct {
            int wrongEvery;
            bool lowerOpen, upperOpen;
        } cases[] = {{2, false, true}, {12, true, false}};
        for (const auto& c : cases) {
            std::vector<Trial> trials;
            for (int i = 0; i < 60; ++i)
                trials.push_back({4.0 * std::pow(0.8, i % 3), i % c.wrongEvery != 0});
            const ThresholdFit fit = fitThreshold(trials, 0.5);
            QVERIFY(fit.threshold());
            QCOMPARE(!fit.lower, c.lowerOpen);
            QCOMPARE(!fit.upper, c.upperOpen);
            if (fit.lower)
                QVERIFY(*fit.lower > 4.0);
            if (fit.upper)
                QVERIFY(*fit.upper < 2.56);
        }
    }
};

QTEST_GUILESS_MAIN(PsychometricFitTest)
#include "psychometric_fit_test.moc"
