#include "config/availability_rules.h"

#include <initializer_list>

namespace kestrani {

namespace {

using enum Submodality;

struct SlotRef {
    SlotRole role;
    Submodality row;
};

constexpr SlotRole I = SlotRole::Initial;
constexpr SlotRole C = SlotRole::Changeable;
constexpr SlotRole K = SlotRole::Calibrated;

// The shape and position slots an object kind resets, in the order they are set.
constexpr SlotRef wholeWindowSlots[] = {
    {C, Height}, {K, Height}, {C, Width}, {K, Width},
    {C, VerticalPosition}, {K, VerticalPosition}, {C, HorizontalPosition}, {K, HorizontalPosition},
    {C, Rotation}, {K, Rotation},
    {I, Height}, {I, Width}, {I, VerticalPosition}, {I, HorizontalPosition}, {I, Rotation},
    {K, Area}, {C, Area},
};
constexpr SlotRef objectSlots[] = {
    {C, Height}, {C, Width}, {C, VerticalPosition}, {C, HorizontalPosition}, {C, Rotation},
    {I, Height}, {I, Width}, {I, VerticalPosition}, {I, HorizontalPosition}, {I, Rotation},
    {C, Area},
};
constexpr SlotRef lineGreyedSlots[] = {
    {I, Width}, {K, Width}, {C, Width}, {I, Height}, {K, Height}, {C, Height},
};
constexpr SlotRef rotationSlots[] = {{I, Rotation}, {C, Rotation}, {K, Rotation}};

}  // namespace

SlotState stateAfterClick(const SubmodalitySlot& slot) {
    switch (slot.state) {
    case SlotState::Off: return slot.AllowGrayed ? SlotState::Unavailable : SlotState::On;
    case SlotState::On: return SlotState::Off;
    case SlotState::Unavailable: break;
    }
    return SlotState::On;
}

bool rowRuleStopsAt(Submodality row, ObjectKind kind) {
    switch (row) {
    case Height:
    case Width: return kind >= ObjectKind::Line;
    case Area:
    case VerticalPosition: return kind >= ObjectKind::WholeWindow;
    default: return false;
    }
}

std::string_view areaCaption(ObjectKind kind) { return kind == ObjectKind::Line ? "Длина" : "Площадь"; }

void AvailabilityRules::click(SlotRole role, Submodality row) {
    setState(role, row, stateAfterClick(settings_.column(role)[row]));
}

void AvailabilityRules::setState(SlotRole role, Submodality row, SlotState state) {
    SlotState& current = settings_.column(role)[row].state;
    if (current == state)
        return;
    current = state;
    if (listener_)
        listener_->slotChanged(role, row);
    if (role != SlotRole::Initial)
        runRowRule(row);
}

void AvailabilityRules::setAllowGrayed(SlotRole role, Submodality row, bool allowGrayed) {
    settings_.column(role)[row].AllowGrayed = allowGrayed;
}

void AvailabilityRules::runRowRule(Submodality row) {
    if (listener_)
        listener_->rowRuleRan(row);
    const bool asked = settings_.changeable[row].isOn() && settings_.calibrated[row].isOn();
    settings_.asked[static_cast<std::size_t>(row)] = asked;
    if (row == Hue) {
        settings_.asked[static_cast<std::size_t>(Blue)] = asked;
        settings_.asked[static_cast<std::size_t>(Green)] = asked;
    }
    if (rowRuleStopsAt(row, settings_.objectKind))
        return;
    const bool calibratedWasOn = settings_.calibrated[row].isOn();
    if (settings_.changeable[row].isOn()) {
        setAllowGrayed(K, row, false);
        setState(K, row, calibratedWasOn ? SlotState::On : SlotState::Off);
    } else {
        setAllowGrayed(K, row, true);
        setState(K, row, SlotState::Unavailable);
    }
}

void AvailabilityRules::selectObjectKind(ObjectKind kind) {
    if (settings_.objectKind == kind)
        return;
    settings_.objectKind = kind;

    if (kind == ObjectKind::WholeWindow) {
        for (const SlotRef& s : wholeWindowSlots)
            setState(s.role, s.row, SlotState::Off);
        for (const SlotRef& s : wholeWindowSlots)
            setAllowGrayed(s.role, s.row, true);
        for (const SlotRef& s : wholeWindowSlots)
            setState(s.role, s.row, SlotState::Unavailable);
    } else {
        for (const SlotRef& s : objectSlots)
            setAllowGrayed(s.role, s.row, false);
        for (const SlotRef& s : objectSlots)
            setState(s.role, s.row, SlotState::Off);
    }

    if (kind == ObjectKind::Line) {
        for (const SlotRef& s : lineGreyedSlots)
            setAllowGrayed(s.role, s.row, true);
        for (const SlotRef& s : lineGreyedSlots)
            setState(s.role, s.row, SlotState::Unavailable);
        return;
    }

    for (const SlotRef& s : rotationSlots)
        setAllowGrayed(s.role, s.row, true);
    for (const SlotRef& s : rotationSlots)
        setState(s.role, s.row, SlotState::Unavailable);
    if (kind == ObjectKind::WholeWindow)
        return;

    for (Submodality row : {Width, Height}) {
        setAllowGrayed(I, row, false);
        setState(I, row, SlotState::Off);
    }
    for (Submodality row : {Height, Width}) {
        setAllowGrayed(K, row, true);
        setState(K, row, SlotState::Off);
    }
}

}  // namespace kestrani
