#pragma once
// The pages of the instructions window.

namespace kestrani {

enum class HelpPage {
    Start,  // shown only at creation
    Instructions,
    Submodalities,
    ObjectKinds,
    ExerciseKinds,
    Complications,
    Durations,
    StandardColours,
    MonitorSettings,
};

}  // namespace kestrani
