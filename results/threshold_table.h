#pragma once
// The thresholds of the results window, from the answer log: one row per
// exercise kind and property ("Пороги"), a chosen row's threshold by day or
// week ("Прогресс"), and today's summary.
//
// Which answers a row fits, and on what:
// - exercises 3 and 4, by the asked property (Blue and Green are questions
//   about hue) on that property's difference;
// - exercises 1 and 2 with one changeable row, on that row's difference; a
//   colour row alone on the whole ΔE00;
// - exercises 1 and 2 with several changeable rows, by that set of rows, on
//   the fade-out level, which is the same fraction of every first
//   difference; each property is reported through its median difference
//   per unit of level.
// Exercises 1 and 4 are choices between two objects: guess rate 0.5.
// Exercises 2 and 3 are yes-or-no answers about one object: the fitted
// answers are those about a changed object (key Background), and the guess
// rate is how often the user called an unchanged one changed (key Object,
// answered Background). A time-out is a wrong answer.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "results/answer_record.h"
#include "results/exercise_result.h"
#include "results/psychometric_fit.h"

namespace kestrani {

struct ThresholdKey {
    ExerciseKind exerciseKind = ExerciseKind::PickReference;
    Submodality property = Submodality::Brightness;  // one of gridRows
    // The rows fitted together on the fade-out level; empty when the
    // property's own difference is fitted.
    RowSet levelRows;
    friend bool operator==(const ThresholdKey&, const ThresholdKey&) = default;
};

// Answers with a difference in [lower, upper): one fade-out step (× 1.25) wide.
struct ThresholdBin {
    double lower = 0;
    double upper = 0;
    int answers = 0;
    int right = 0;
    double proportionRight() const { return answers > 0 ? static_cast<double>(right) / answers : 0.0; }
};

struct ThresholdRow {
    ThresholdKey key;
    std::string unit;  // "ΔE00", "%", "пикс.", "мм" or "град."
    double guessRate = 0.5;
    // The fit in the row's unit: the curve, the threshold and its interval.
    ThresholdFit fit;
    // Rows fitted on the level: the property's difference per unit of level,
    // by which the level's threshold, interval and curve were scaled.
    std::optional<double> differencePerLevel;
    // The fitted answers by difference, smallest first, empty bins left out.
    std::vector<ThresholdBin> bins;
};

// Every row the answers give, by exercise kind, then the rows of the
// properties' own differences in grid order, then the level fits.
std::vector<ThresholdRow> thresholdTable(const std::vector<AnswerRecord>& answers);

// Beyond this many days with answers the progress goes by ISO week.
inline constexpr int progressDaysBeforeWeeks = 60;

struct ProgressPoint {
    // Local midnight that starts the day, or the Monday of the week, in
    // milliseconds since 1970-01-01 UTC.
    std::int64_t periodStart = 0;
    std::string label;  // "2026-12-10" or "2026-W50"
    ThresholdFit fit;   // that period's answers alone, in the row's unit
    bool best = false;    // the smallest threshold of all points
    bool latest = false;  // the last point with a threshold
};

struct ThresholdProgress {
    bool byWeek = false;
    std::string unit;
    std::vector<ProgressPoint> points;  // oldest first, one per period with answers
};

ThresholdProgress thresholdProgress(const std::vector<AnswerRecord>& answers, const ThresholdKey& key);

struct TodaySummary {
    int exercises = 0;  // started today
    int answers = 0;    // given today
    int minutes = 0;    // the durations of today's exercises, to the nearest minute
    std::string text;   // "Сегодня: 14 упражнений, 212 ответов, 23 мин"
};

TodaySummary todaySummary(const std::vector<ExerciseResult>& exercises, const std::vector<AnswerRecord>& answers,
                          std::int64_t nowMillisecondsSinceEpoch);

}  // namespace kestrani
