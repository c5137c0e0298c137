#pragma once
// The settings vocabulary: every user setting of an exercise, owned by the
// configuration window and read live by the exercise engine.

#include <array>
#include <cstddef>

namespace kestrani {

// Fixed order: the asked flags and the question tables are indexed by it.
enum class Submodality {
    Brightness = 0,
    Hue = 1,
    Saturation = 2,
    Blue = 3,
    Height = 4,
    Width = 5,
    Area = 6,
    VerticalPosition = 7,
    HorizontalPosition = 8,
    Rotation = 9,
    Green = 10,
};
inline constexpr std::size_t submodalityCount = 11;

// The nine rows of the slot grid, top to bottom. Blue and Green have no row.
inline constexpr std::array<Submodality, 9> gridRows = {
    Submodality::Brightness, Submodality::Hue, Submodality::Saturation,
    Submodality::Height, Submodality::Width, Submodality::Area,
    Submodality::VerticalPosition, Submodality::HorizontalPosition, Submodality::Rotation,
};

enum class SlotRole { Initial, Changeable, Calibrated };
enum class SlotState { Off, On, Unavailable };

struct SubmodalitySlot {
    SlotState state = SlotState::Off;
    // Where a user click on an Off slot leads: Unavailable when true, On when false.
    bool AllowGrayed = false;

    bool isOn() const { return state == SlotState::On; }
    friend bool operator==(const SubmodalitySlot&, const SubmodalitySlot&) = default;
};

// One column of the grid, indexed by the row's submodality.
// Precondition of every access: the submodality is one of gridRows.
class SlotColumn {
public:
    SubmodalitySlot& operator[](Submodality row) { return slots_[rowIndex(row)]; }
    const SubmodalitySlot& operator[](Submodality row) const { return slots_[rowIndex(row)]; }
    static std::size_t rowIndex(Submodality row);
    friend bool operator==(const SlotColumn&, const SlotColumn&) = default;

private:
    std::array<SubmodalitySlot, gridRows.size()> slots_{};
};

// Items of "Вид объекта"; the numeric order matters to the availability guards.
enum class ObjectKind { Rectangle = 0, Ellipse = 1, RectangleOrEllipse = 2, Line = 3, WholeWindow = 4 };

// Items of "Вид упражнения"; value = item position + 1.
enum class ExerciseKind { PickReference = 1, IsReference = 2, DiffersInAsked = 3, CompareTwo = 4 };

struct PhaseLimit {
    bool enabled = false;
    int seconds = 0;  // 0..60, the last value accepted from the number field
};

struct StandardColourSetting {
    bool enabled = false;
    int number = 0;  // 0..99
};

struct ExerciseSettings {
    ExerciseKind exerciseKind = ExerciseKind::PickReference;
    ObjectKind objectKind = ObjectKind::WholeWindow;
    SlotColumn initial = designedInitialColumn();
    SlotColumn changeable = designedChangeableColumn();
    SlotColumn calibrated = designedCalibratedColumn();
    // asked[s]: changeable and calibrated slot of s both On (Blue, Green follow Hue).
    std::array<bool, submodalityCount> asked{};
    PhaseLimit referenceShowLimit;
    PhaseLimit delay;
    PhaseLimit objectShowLimit;
    bool nonMonotonic = false;
    bool splitting = true;
    bool variableBackground = false;
    StandardColourSetting standardColor;

    SlotColumn& column(SlotRole role);
    const SlotColumn& column(SlotRole role) const;
    bool isAsked(Submodality s) const { return asked[static_cast<std::size_t>(s)]; }
    // Some question may be asked (exercises 3 and 4 need one).
    bool anyAsked() const;
    int exerciseNumber() const { return static_cast<int>(exerciseKind); }

    // The grid as designed: colour rows On/On/Off, every shape and position row
    // greyed, AllowGrayed false except on the calibrated Rotation slot.
    static SlotColumn designedInitialColumn();
    static SlotColumn designedChangeableColumn();
    static SlotColumn designedCalibratedColumn();
};

}  // namespace kestrani
