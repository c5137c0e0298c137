#pragma once
// How far a stimulus as drawn lies from the reference as drawn, in units
// people can compare: CIEDE2000 for the colour, Weber fractions for sizes,
// pixels between the centres, degrees between the directions.

#include <array>
#include <optional>

#include "engine/drawn_stimulus.h"
#include "results/answer_record.h"

namespace kestrani {

using RowDifferences = std::array<std::optional<double>, gridRows.size()>;

// For the changeable rows only, as AnswerRecord::difference describes them.
// colour: the painted colours' difference; needed when a colour row is changeable.
RowDifferences stimulusDifferences(const DrawnObject& object, const DrawnObject& reference, ObjectKind kind,
                                   const RowSet& changeable, const ColourDifference& colour);

}  // namespace kestrani
