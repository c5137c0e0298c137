#pragma once
// The rules that keep the slot grid consistent: the click cycle of a slot, the
// row rule that ties a calibrated slot to its changeable slot and maintains the
// asked flags, and the object-kind rule that resets the shape and position rows.

#include <string_view>

#include "config/exercise_settings.h"

namespace kestrani {

// Told of every effective change of a slot's state and of every run of a row rule.
class AvailabilityListener {
public:
    virtual ~AvailabilityListener() = default;
    virtual void slotChanged(SlotRole, Submodality) {}
    virtual void rowRuleRan(Submodality) {}
};

// Where a user click leads from the slot's present state.
SlotState stateAfterClick(const SubmodalitySlot& slot);

// True when the row's rule stops after updating asked under the object kind.
bool rowRuleStopsAt(Submodality row, ObjectKind kind);

// Caption of the calibrated Area slot.
std::string_view areaCaption(ObjectKind kind);

class AvailabilityRules {
public:
    explicit AvailabilityRules(ExerciseSettings& settings, AvailabilityListener* listener = nullptr)
        : settings_(settings), listener_(listener) {}

    // A user click on a slot.
    void click(SlotRole role, Submodality row);
    // Assigns a state; an effective change of a changeable or calibrated slot
    // runs the row's rule at once. The same state runs nothing.
    void setState(SlotRole role, Submodality row, SlotState state);
    // A new item of "Вид объекта"; the selected item again changes nothing.
    void selectObjectKind(ObjectKind kind);

private:
    void runRowRule(Submodality row);
    void setAllowGrayed(SlotRole role, Submodality row, bool allowGrayed);

    ExerciseSettings& settings_;
    AvailabilityListener* listener_;
};

}  // namespace kestrani
