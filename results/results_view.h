#pragma once
// What the results window shows, worked out without the toolkit: the texts of
// its tables, the points and curves of its charts, and what it says where
// there is nothing to show yet. The window only draws these.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "results/answer_record.h"
#include "results/exercise_result.h"
#include "results/threshold_table.h"

namespace kestrani {

// A number as the window shows it: three significant digits, at most two
// decimals, trailing zeros left out, a decimal comma ("20,5", "0,08", "153").
std::string displayNumber(double value);

struct TableText {
    std::vector<std::string> headers;
    std::vector<std::vector<std::string>> rows;
    std::vector<bool> rightAligned;  // by column: numbers
};

// "Упражнения": a row per exercise, newest first as given.
TableText exercisesTable(const std::vector<ExerciseResult>& results);

// The name of a threshold's row: its exercise, its property and, for a fit on
// the fade-out level, the properties that changed with it.
std::string thresholdName(const ThresholdKey& key, ObjectKind kind = ObjectKind::Rectangle);
// "Пороги": a row per threshold row, in the table's order.
TableText thresholdsTable(const std::vector<ThresholdRow>& rows);

struct ChartPoint {
    double x = 0;
    double y = 0;
};

// The psychometric picture of a threshold row: the proportion right in each
// bin of difference (at the bin's geometric middle, with its count), the
// fitted curve over the bins' range, and its 75 % point.
struct PsychometricPicture {
    std::string title;
    std::string xTitle;  // the difference, with its unit
    std::vector<ChartPoint> bins;
    std::vector<int> binAnswers;
    std::vector<ChartPoint> curve;  // empty without a fit
    std::optional<ChartPoint> threshold;
    double xLow = 0, xHigh = 1;  // the difference axis, logarithmic
    double guessRate = 0.5;
};
PsychometricPicture psychometricPicture(const ThresholdRow& row);

// The threshold of a row by day or week: each period with a threshold as a
// point with its interval (an open end drawn to the axis), the best and the
// latest marked.
struct ProgressPicture {
    std::string title;
    std::string yTitle;
    struct Point {
        std::int64_t at = 0;  // the middle of its day or week, milliseconds since 1970
        double value = 0;
        double low = 0, high = 0;
        bool best = false, latest = false;
        std::string label;
    };
    std::vector<Point> points;
    std::int64_t from = 0, to = 0;  // the time axis
    double yHigh = 1;
    // Said in place of the chart when no period has a threshold yet: the
    // periods with answers, and what each still needs.
    std::string emptyText;
};
ProgressPicture progressPicture(const ThresholdProgress& progress, const ThresholdRow& row);

// What each tab says where it has nothing to show.
std::string noExercisesText();
std::string noThresholdsText(int answers);
std::string noProgressText();

}  // namespace kestrani
