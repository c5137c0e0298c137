#pragma once
// Every setting of the configuration window with the rules that change it.
// The window forwards each user action here and shows what results.

#include "config/availability_rules.h"
#include "config/exercise_settings.h"
#include "config/phase_durations.h"
#include "config/standard_colours.h"
#include "engine/exercise_state.h"

namespace kestrani {

class ConfigurationModel {
public:
    // The standard colours write the reference colour parameters into state.
    explicit ConfigurationModel(ExerciseState& state, AvailabilityListener* listener = nullptr);
    ConfigurationModel(const ConfigurationModel&) = delete;
    ConfigurationModel& operator=(const ConfigurationModel&) = delete;

    // The live record the engine reads.
    const ExerciseSettings& settings() const { return settings_; }

    AvailabilityRules& grid() { return grid_; }
    PhaseLimitRow& referenceShowLimit() { return referenceShowLimit_; }
    PhaseLimitRow& delay() { return delay_; }
    PhaseLimitRow& objectShowLimit() { return objectShowLimit_; }
    StandardColourControls& standardColour() { return standardColour_; }

    // The exercise kind touches no slot and no asked flag.
    void selectExerciseKind(ExerciseKind kind) { settings_.exerciseKind = kind; }
    void setNonMonotonic(bool on) { settings_.nonMonotonic = on; }
    void setSplitting(bool on) { settings_.splitting = on; }
    void setVariableBackground(bool on) { settings_.variableBackground = on; }

private:
    ExerciseSettings settings_;
    AvailabilityRules grid_;
    PhaseLimitRow referenceShowLimit_;
    PhaseLimitRow delay_;
    PhaseLimitRow objectShowLimit_;
    StandardColourControls standardColour_;
};

}  // namespace kestrani
