// The thresholds table, its progress and today's summary from hand-made
// answer logs: which answers each row fits and on what, the false-alarm
// guess rate, the level fit reported per property, local days and ISO weeks.

#include <QtTest>

#include <cmath>
#include <ctime>
#include <functional>

#include "fakes/simulated_observer.h"
#include "results/threshold_table.h"

using namespace kestrani;
using namespace kestrani::fakes;

namespace {

using S = Submodality;
using K = ExerciseKind;

std::size_t row(S s) { return SlotColumn::rowIndex(s); }

RowSet rows(std::initializer_list<S> list) {
    RowSet set;
    for (S s : list)
        set[row(s)] = true;
    return set;
}

// 2026-12-09 00:00 in Moscow (UTC+3 all year), 2026-12-08 21:00 UTC.
constexpr std::int64_t december9 = 1'796'763'600'000;
constexpr std::int64_t day = 86'400'000;

// An answer of the given kind; right or wrong with the keys of its kind:
// Left for the cards, Background (changed) for the one object.
AnswerRecord answer(K kind, RowSet changeable, bool right, std::int64_t at = december9 + 12 * 3'600'000) {
    AnswerRecord a;
    a.exerciseKind = kind;
    a.changeable = changeable;
    a.exerciseStartedAt = at;
    a.answeredAt = at;
    a.right = right;
    const bool single = kind == K::IsReference || kind == K::DiffersInAsked;
    a.key = single ? Choice::Background : Choice::Left;
    a.given = right ? a.key : (single ? Choice::Object : Choice::Right);
    a.reactionMilliseconds = 700;
    return a;
}

// A simulated user's exercises as logged answers, two seconds apart from `at`.
std::vector<AnswerRecord> played(K kind, RowSet changeable, const std::vector<SimulatedAnswer>& simulated,
                                 const std::function<void(AnswerRecord&, const SimulatedAnswer&)>& fill,
                                 std::int64_t at = december9 + 9 * 3'600'000) {
    std::vector<AnswerRecord> log;
    for (const SimulatedAnswer& s : simulated) {
        AnswerRecord a = answer(kind, changeable, s.right, at);
        a.number = s.number;
        a.level = s.level;
        fill(a, s);
        log.push_back(a);
        at += 2000;
    }
    return log;
}

void append(std::vector<AnswerRecord>& log, const std::vector<AnswerRecord>& more) {
    log.insert(log.end(), more.begin(), more.end());
}

// The bin that holds a difference.
const ThresholdBin* binOf(const ThresholdRow& r, double difference) {
    for (const ThresholdBin& b : r.bins)
        if (b.lower <= difference && difference < b.upper)
            return &b;
    return nullptr;
}

}  // namespace

class ThresholdTableTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        qputenv("TZ", "Europe/Moscow");
        tzset();
    }

    void groupingRules() {
        std::vector<AnswerRecord> log;
        const auto add = [&](AnswerRecord a, std::optional<S> question, S differenceRow, double difference) {
            a.question = question;
            a.difference[row(differenceRow)] = difference;
            log.push_back(a);
        };
        // Exercise 1, brightness alone: fitted on the whole ΔE00.
        for (double d : {2.0, 4.0, 8.0}) {
            AnswerRecord a = answer(K::PickReference, rows({S::Brightness}), true);
            a.colour = ColourDifference{d, d / 2, 0, 0};
            add(a, std::nullopt, S::Brightness, d / 2);
        }
        // Exercise 3: questions about blue and green count as hue; unchanged
        // objects carry no intensity; no question, no row.
        add(answer(K::DiffersInAsked, rows({S::Hue, S::Width}), true), S::Blue, S::Hue, 0.7);
        add(answer(K::DiffersInAsked, rows({S::Hue, S::Width}), false), S::Blue, S::Hue, 0.7);
        add(answer(K::DiffersInAsked, rows({S::Hue}), true), S::Green, S::Hue, 0.7);
        add(answer(K::DiffersInAsked, rows({S::Hue}), true), S::Hue, S::Hue, 0.7);
        AnswerRecord unchanged = answer(K::DiffersInAsked, rows({S::Hue}), true);
        unchanged.key = unchanged.given = Choice::Object;
        add(unchanged, S::Hue, S::Hue, 0.0);
        add(answer(K::DiffersInAsked, rows({S::Hue}), true), std::nullopt, S::Hue, 0.7);
        // Exercise 3, a position, one answer without the screen's millimetres: pixels.
        AnswerRecord known = answer(K::DiffersInAsked, rows({S::HorizontalPosition}), true);
        known.millimetresPerPixel = 0.25;
        add(known, S::HorizontalPosition, S::HorizontalPosition, 12);
        add(answer(K::DiffersInAsked, rows({S::HorizontalPosition}), true), S::HorizontalPosition,
            S::HorizontalPosition, 12);
        // Exercise 4 by the asked property, whatever changes; a position in millimetres.
        for (int i = 0; i < 3; ++i)
            add(answer(K::CompareTwo, rows({S::Width, S::Height}), i > 0), S::Width, S::Width, 6.0);
        AnswerRecord position = answer(K::CompareTwo, rows({S::VerticalPosition}), true);
        position.millimetresPerPixel = 0.25;
        add(position, S::VerticalPosition, S::VerticalPosition, 20);
        // Exercise 1 with two changeable rows: one level fit, a row for each.
        for (int i = 0; i < 4; ++i) {
            AnswerRecord a = answer(K::PickReference, rows({S::Width, S::Height}), true);
            a.level = std::pow(0.8, i);
            a.difference[row(S::Width)] = 10 * a.level;
            add(a, std::nullopt, S::Height, 4 * a.level);
        }
        // Exercise 2, tilt alone; the reference shown is not fitted.
        add(answer(K::IsReference, rows({S::Rotation}), true), std::nullopt, S::Rotation, 3);
        add(answer(K::IsReference, rows({S::Rotation}), false), std::nullopt, S::Rotation, 3);
        AnswerRecord reference = answer(K::IsReference, rows({S::Rotation}), false);
        reference.key = Choice::Object;
        add(reference, std::nullopt, S::Rotation, 0);
        // No changeable row: no row.
        log.push_back(answer(K::PickReference, {}, true));

        const struct {
            ThresholdKey key;
            const char* unit;
            int answers;
            double difference;  // one fitted difference, in the row's unit
        } expected[] = {
            {{K::PickReference, S::Brightness, {}}, "ΔE00", 3, 8.0},
            {{K::PickReference, S::Height, rows({S::Height, S::Width})}, "%", 4, 4.0},
            {{K::PickReference, S::Width, rows({S::Height, S::Width})}, "%", 4, 10.0 * 0.64},
            {{K::IsReference, S::Rotation, {}}, "град.", 2, 3.0},
            {{K::DiffersInAsked, S::Hue, {}}, "ΔE00", 4, 0.7},
            {{K::DiffersInAsked, S::HorizontalPosition, {}}, "пикс.", 2, 12.0},
            {{K::CompareTwo, S::Width, {}}, "%", 3, 6.0},
            {{K::CompareTwo, S::VerticalPosition, {}}, "мм", 1, 5.0},
        };
        const std::vector<ThresholdRow> table = thresholdTable(log);
        QCOMPARE(table.size(), std::size(expected));
        for (std::size_t i = 0; i < table.size(); ++i) {
            const ThresholdRow& r = table[i];
            QVERIFY2(r.key == expected[i].key, qPrintable(QString("row %1").arg(i)));
            QCOMPARE(r.unit, std::string(expected[i].unit));
            QCOMPARE(r.fit.answers, expected[i].answers);
            QVERIFY(!r.fit.enough && !r.fit.threshold());
            int binned = 0;
            for (const ThresholdBin& b : r.bins)
                binned += b.answers;
            QCOMPARE(binned, expected[i].answers);
            QVERIFY2(binOf(r, expected[i].difference), qPrintable(QString("row %1").arg(i)));
        }
        // The brightness alone went by ΔE00 (2, 4, 8), not its lightness part (1, 2, 4).
        QVERIFY(!binOf(table[0], 1.0));
        QCOMPARE(table[3].fit.wrong, 1);
        QCOMPARE(table[4].fit.wrong, 1);
    }

    // Exercises 2 and 3 fit the changed objects with the rate at which the
    // user called an unchanged one changed: here 3 of 10 (a time-out is no
    // such call), with half an answer each way, (3 + 0.5) / (10 + 1).
    void falseAlarmsAreTheGuessRate() {
        for (K kind : {K::IsReference, K::DiffersInAsked}) {
            SimulatedObserver user({3.0, 3.0, 0.3, 0.01}, 5);
            std::vector<AnswerRecord> log =
                played(kind, rows({S::Brightness}), user.play(150, 8, 16), [](AnswerRecord& a, const SimulatedAnswer& s) {
                    a.question = S::Brightness;
                    a.colour = ColourDifference{s.intensity, s.intensity, 0, 0};
                    a.difference[row(S::Brightness)] = s.intensity;
                });
            const int changed = static_cast<int>(log.size());
            for (int i = 0; i < 10; ++i) {
                AnswerRecord a = answer(kind, rows({S::Brightness}), i >= 4);
                a.question = S::Brightness;
                a.colour = ColourDifference{};
                a.difference[row(S::Brightness)] = 0;
                a.key = Choice::Object;
                a.given = i < 3 ? Choice::Background : i == 3 ? Choice::None : Choice::Object;
                log.push_back(a);
            }
            const std::vector<ThresholdRow> table = thresholdTable(log);
            QCOMPARE(table.size(), std::size_t{1});
            QVERIFY(std::fabs(table[0].guessRate - 3.5 / 11) < 1e-12);
            QCOMPARE(table[0].fit.answers, changed);
            QVERIFY(table[0].fit.curve && table[0].fit.curve->guessRate == table[0].guessRate);
            QVERIFY2(std::fabs(*table[0].fit.threshold() / 3.0 - 1) < 0.2,
                     qPrintable(QString::number(*table[0].fit.threshold())));
        }
        // A choice between two is a guess half the time, whatever was answered.
        std::vector<AnswerRecord> log;
        for (int i = 0; i < 3; ++i)
            log.push_back(answer(K::PickReference, rows({S::Width}), false));
        for (AnswerRecord& a : log)
            a.difference[row(S::Width)] = 5;
        QCOMPARE(thresholdTable(log)[0].guessRate, 0.5);
    }

    // Width and height change together, by 10 % and 4 % of the level; a few
    // answers whose height was rounded away do not move the median. The user
    // tells a level of 0.3 three times in four: 3 % of width, 1.2 % of height.
    void levelFitReportedPerProperty() {
        SimulatedObserver user({0.3, 3.0, 0.5, 0.01}, 9);
        int n = 0;
        const std::vector<AnswerRecord> log = played(
            K::PickReference, rows({S::Width, S::Height}), user.play(250, 0.9, 1.0),
            [&](AnswerRecord& a, const SimulatedAnswer& s) {
                a.level = s.intensity;
                a.difference[row(S::Width)] = 10 * s.intensity;
                a.difference[row(S::Height)] = ++n % 10 == 0 ? 0.0 : 4 * s.intensity;
            });
        const std::vector<ThresholdRow> table = thresholdTable(log);
        QCOMPARE(table.size(), std::size_t{2});
        const ThresholdRow& height = table[0];
        const ThresholdRow& width = table[1];
        QVERIFY(height.key.property == S::Height && width.key.property == S::Width);
        QCOMPARE(height.differencePerLevel, std::optional<double>(4.0));
        QCOMPARE(width.differencePerLevel, std::optional<double>(10.0));
        QVERIFY(width.fit.enough && width.fit.threshold());
        QVERIFY2(std::fabs(*width.fit.threshold() / 3.0 - 1) < 0.2, qPrintable(QString::number(*width.fit.threshold())));
        QVERIFY(std::fabs(*width.fit.threshold() / *height.fit.threshold() - 2.5) < 1e-12);
        QVERIFY(std::fabs(*width.fit.lower / *height.fit.lower - 2.5) < 1e-12);
        QVERIFY(std::fabs(*width.fit.upper / *height.fit.upper - 2.5) < 1e-12);
        QCOMPARE(width.fit.curve->slope, height.fit.curve->slope);
        QCOMPARE(width.fit.answers, height.fit.answers);
        // The picture's differences are the level's, scaled the same way.
        QVERIFY(binOf(width, 10 * 0.8) && binOf(height, 4 * 0.8));
        QCOMPARE(binOf(width, 10 * 0.8)->answers, binOf(height, 4 * 0.8)->answers);
    }

    void timeOutsAreWrong() {
        std::vector<AnswerRecord> log;
        for (int i = 0; i < 35; ++i) {
            AnswerRecord a = answer(K::CompareTwo, rows({S::Rotation}), i < 30);
            a.question = S::Rotation;
            a.difference[row(S::Rotation)] = 10 * std::pow(0.8, i % 7);
            if (i >= 30) {
                a.given = Choice::None;
                a.reactionMilliseconds.reset();
            }
            log.push_back(a);
        }
        // A time-out is wrong even if its record were to say otherwise.
        log.back().right = true;
        const ThresholdRow r = thresholdTable(log).at(0);
        QCOMPARE(r.fit.answers, 35);
        QCOMPARE(r.fit.wrong, 5);
        QVERIFY(r.fit.enough);
    }

    // Three days, the user better on the second than on the third: the
    // answers at 23:59:59.999 and at midnight fall on their own local days.
    void progressByLocalDay() {
        std::vector<AnswerRecord> log;
        const double thresholds[3] = {6.0, 3.0, 4.5};
        int perDay[3] = {};
        for (int d = 0; d < 3; ++d) {
            SimulatedObserver user({thresholds[d], 3.0, 0.5, 0.01}, 20 + static_cast<std::uint64_t>(d));
            const std::vector<AnswerRecord> dayLog = played(
                K::PickReference, rows({S::Saturation}), user.play(150, 2 * thresholds[d], 4 * thresholds[d]),
                [](AnswerRecord& a, const SimulatedAnswer& s) { a.colour = ColourDifference{s.intensity, 0, s.intensity, 0}; },
                december9 + (d - 1) * day + 8 * 3'600'000);
            append(log, dayLog);
            perDay[d] = static_cast<int>(dayLog.size());
        }
        AnswerRecord late = log.front();
        late.answeredAt = december9 - 1;  // 23:59:59.999 on 8 December
        AnswerRecord midnight = log.front();
        midnight.answeredAt = december9;
        log.push_back(late);
        log.push_back(midnight);

        const ThresholdProgress progress = thresholdProgress(log, {K::PickReference, S::Saturation, {}});
        QVERIFY(!progress.byWeek);
        QCOMPARE(progress.unit, std::string("ΔE00"));
        QCOMPARE(progress.points.size(), std::size_t{3});
        const char* labels[3] = {"2026-12-08", "2026-12-09", "2026-12-10"};
        for (int d = 0; d < 3; ++d) {
            const ProgressPoint& p = progress.points[static_cast<std::size_t>(d)];
            QCOMPARE(p.label, std::string(labels[d]));
            QCOMPARE(p.periodStart, december9 + (d - 1) * day);
            QCOMPARE(p.fit.answers, perDay[d] + (d < 2 ? 1 : 0));
            QVERIFY(p.fit.threshold());
            QCOMPARE(p.best, d == 1);
            QCOMPARE(p.latest, d == 2);
        }
        QVERIFY(*progress.points[1].fit.threshold() < *progress.points[2].fit.threshold());
        QVERIFY(*progress.points[2].fit.threshold() < *progress.points[0].fit.threshold());
        // Another property of the log has no points.
        QVERIFY(thresholdProgress(log, {K::PickReference, S::Hue, {}}).points.empty());
    }

    // An answer a day from 3 November 2026 (a Tuesday of ISO week 45): 60
    // days go by day, 61 (to Saturday 2 January 2027, still in week 53 of
    // 2026) by week, the last week starting on Monday 28 December.
    void progressByIsoWeek() {
        constexpr std::int64_t november3 = 1'793'696'400'000;  // 12:00 in Moscow
        constexpr std::int64_t december28 = 1'798'405'200'000;  // 00:00 in Moscow
        std::vector<AnswerRecord> log;
        for (int d = 0; d < 61; ++d) {
            AnswerRecord a = answer(K::CompareTwo, rows({S::Area}), d % 3 != 0, november3 + d * day);
            a.question = S::Area;
            a.difference[row(S::Area)] = 12;
            log.push_back(a);
        }
        const ThresholdKey key{K::CompareTwo, S::Area, {}};
        const ThresholdProgress weeks = thresholdProgress(log, key);
        QVERIFY(weeks.byWeek);
        QCOMPARE(weeks.points.size(), std::size_t{9});
        QCOMPARE(weeks.points.front().label, std::string("2026-W45"));
        QCOMPARE(weeks.points.front().fit.answers, 6);  // Tuesday to Sunday
        QCOMPARE(weeks.points.back().label, std::string("2026-W53"));
        QCOMPARE(weeks.points.back().periodStart, december28);
        QCOMPARE(weeks.points.back().fit.answers, 6);  // Monday to Saturday
        for (const ProgressPoint& p : weeks.points)
            QVERIFY(!p.fit.enough && !p.best && !p.latest);

        log.pop_back();
        const ThresholdProgress days = thresholdProgress(log, key);
        QVERIFY(!days.byWeek);
        QCOMPARE(days.points.size(), std::size_t{60});
        QCOMPARE(days.points.back().label, std::string("2027-01-01"));
    }

    void todaysSummary() {
        constexpr std::int64_t now = december9 + day + 15 * 3'600'000;  // 10 December, 15:00
        constexpr std::int64_t minute = 60'000;
        const auto exercise = [](std::int64_t start, std::int64_t length) {
            ExerciseResult e;
            e.startedAt = start;
            e.endedAt = start + length;
            return e;
        };
        // 10 min and 13 min 20 s today; the one from 23:50 yesterday is not today's.
        const std::vector<ExerciseResult> exercises = {exercise(december9 + day + 9 * 60 * minute, 10 * minute),
                                                       exercise(december9 + day + 14 * 60 * minute, 800'000),
                                                       exercise(december9 + day - 10 * minute, 20 * minute)};
        std::vector<AnswerRecord> answers;
        for (int i = 0; i < 212; ++i)
            answers.push_back(answer(K::PickReference, rows({S::Hue}), true, december9 + day + 9 * 60 * minute + i));
        for (int i = 0; i < 5; ++i)
            answers.push_back(answer(K::PickReference, rows({S::Hue}), true, december9 + day - 1 - i));
        const TodaySummary today = todaySummary(exercises, answers, now);
        QCOMPARE(today.exercises, 2);
        QCOMPARE(today.answers, 212);
        QCOMPARE(today.minutes, 23);
        QCOMPARE(today.text, std::string("Сегодня: 2 упражнения, 212 ответов, 23 мин"));

        // The counting words.
        const struct {
            int exercises, answers;
            const char* text;
        } words[] = {
            {0, 0, "Сегодня: 0 упражнений, 0 ответов, 0 мин"},
            {1, 1, "Сегодня: 1 упражнение, 1 ответ, 0 мин"},
            {5, 22, "Сегодня: 5 упражнений, 22 ответа, 0 мин"},
            {11, 14, "Сегодня: 11 упражнений, 14 ответов, 0 мин"},
            {21, 111, "Сегодня: 21 упражнение, 111 ответов, 0 мин"},
            {104, 1003, "Сегодня: 104 упражнения, 1003 ответа, 0 мин"},
        };
        for (const auto& w : words) {
            const std::vector<ExerciseResult> es(static_cast<std::size_t>(w.exercises), exercise(now - minute, 0));
            const std::vector<AnswerRecord> as(static_cast<std::size_t>(w.answers),
                                               answer(K::PickReference, rows({S::Hue}), true, now));
            QCOMPARE(todaySummary(es, as, now).text, std::string(w.text));
        }
    }
};

QTEST_GUILESS_MAIN(ThresholdTableTest)
#include "threshold_table_test.moc"
