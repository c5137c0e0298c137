#pragma once
// What an exercise leaves behind: the settings it ran with, how it ended, and
// how small a difference the user still met in every changeable submodality.

#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "config/exercise_settings.h"
#include "engine/colour_model.h"
#include "engine/exercise_events.h"
#include "engine/exercise_state.h"

namespace kestrani {

// The times a result may carry, in milliseconds since 1970-01-01 UTC: the
// dates of the years 1 to 9999. A stored time outside them is no date.
constexpr std::int64_t earliestTime = -62'135'596'800'000;  // 0001-01-01 00:00:00 UTC
constexpr std::int64_t latestTime = 253'402'300'799'999;    // 9999-12-31 23:59:59.999 UTC

// A set of grid rows, by their position in gridRows.
using RowSet = std::bitset<gridRows.size()>;

struct ExerciseResult {
    std::int64_t startedAt = 0;  // milliseconds since 1970-01-01 UTC: the first stimulus
    std::int64_t endedAt = 0;    // the end, before its message
    ExerciseKind exerciseKind = ExerciseKind::PickReference;
    ObjectKind objectKind = ObjectKind::WholeWindow;
    RowSet changeable;
    RowSet asked;
    bool nonMonotonic = false;
    bool splitting = false;
    bool variableBackground = false;
    // Seconds of a phase limit, empty when the limit is off.
    std::optional<int> referenceShowSeconds;
    std::optional<int> delaySeconds;
    std::optional<int> objectShowSeconds;
    std::optional<int> standardColour;  // number 0..99 when a standard colour was used
    Rgb referenceColour;
    int rightAnswers = 0;
    ExerciseEnd end = ExerciseEnd::WrongAnswer;
    // The last stimulus's channels minus the reference's.
    std::int32_t deltaRed = 0, deltaGreen = 0, deltaBlue = 0;
    // The difference of the last stimulus from the reference, as drawn (in
    // exercise 3 the fade-out's, before a cancellation): by grid row for the
    // rows that were changeable, in the units of AnswerRecord::difference,
    // and the whole colour difference in ΔE00 when a colour row was.
    // Files of the first version kept sizes in pixels: theirs are unknown.
    std::array<std::optional<double>, gridRows.size()> reached{};
    std::optional<double> deltaE00;

    friend bool operator==(const ExerciseResult&, const ExerciseResult&) = default;
};

// Whether a colour row (brightness, hue, saturation) is among the rows.
bool anyColourRow(const RowSet& rows);

// A stable name of an end, as the results file keeps it.
std::string_view endCode(ExerciseEnd end);
std::optional<ExerciseEnd> endFromCode(std::string_view code);
// How the results window and the CSV file say it.
std::string_view endText(ExerciseEnd end);

// The name of a grid row in the results, with its unit.
std::string_view rowTitle(Submodality row);
// Short names for lists of rows ("яркость, тон"); a line's Area row is its length.
std::string_view rowShortName(Submodality row, ObjectKind kind = ObjectKind::Rectangle);
std::string rowList(const RowSet& rows, ObjectKind kind = ObjectKind::Rectangle);
std::string_view objectKindName(ObjectKind kind);

}  // namespace kestrani
