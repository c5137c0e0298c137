#include "config/exercise_settings.h"

#include <cassert>

namespace kestrani {

std::size_t SlotColumn::rowIndex(Submodality row) {
    switch (row) {
    case Submodality::Brightness: return 0;
    case Submodality::Hue: return 1;
    case Submodality::Saturation: return 2;
    case Submodality::Height: return 3;
    case Submodality::Width: return 4;
    case Submodality::Area: return 5;
    case Submodality::VerticalPosition: return 6;
    case Submodality::HorizontalPosition: return 7;
    case Submodality::Rotation: return 8;
    case Submodality::Blue:
    case Submodality::Green: break;
    }
    assert(!"Blue and Green have no slots");
    return 0;
}

namespace {

bool isColourRow(Submodality row) {
    return row == Submodality::Brightness || row == Submodality::Hue || row == Submodality::Saturation;
}

SlotColumn designedColumn(SlotState colourRows) {
    SlotColumn column;
    for (Submodality row : gridRows)
        column[row] = {isColourRow(row) ? colourRows : SlotState::Unavailable, false};
    return column;
}

}  // namespace

SlotColumn ExerciseSettings::designedInitialColumn() { return designedColumn(SlotState::On); }
SlotColumn ExerciseSettings::designedChangeableColumn() { return designedColumn(SlotState::On); }

SlotColumn ExerciseSettings::designedCalibratedColumn() {
    SlotColumn column = designedColumn(SlotState::Off);
    column[Submodality::Rotation].AllowGrayed = true;
    return column;
}

bool ExerciseSettings::anyAsked() const {
    for (bool flag : asked)
        if (flag)
            return true;
    return false;
}

SlotColumn& ExerciseSettings::column(SlotRole role) {
    switch (role) {
    case SlotRole::Initial: return initial;
    case SlotRole::Changeable: return changeable;
    case SlotRole::Calibrated: break;
    }
    return calibrated;
}

const SlotColumn& ExerciseSettings::column(SlotRole role) const {
    return const_cast<ExerciseSettings*>(this)->column(role);
}

}  // namespace kestrani
