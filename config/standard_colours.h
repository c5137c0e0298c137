#pragma once
// "Стандартные эталоны цвета (номер от 0 до 99)": a check box, a number field
// with up and down arrows, a label echoing the accepted number and a sample of
// its colour. Every evaluation also writes the reference colour parameters
// that reference generation uses while the box is checked.

#include <string>

#include "config/exercise_settings.h"
#include "engine/colour_model.h"
#include "engine/exercise_state.h"

namespace kestrani {

// The sample colour of a standard colour number 0..99.
Rgb standardSampleColour(int number);

class StandardColourControls {
public:
    StandardColourControls(StandardColourSetting& setting, ExerciseState& state)
        : setting_(setting), state_(state) {}

    // The check box now shows the state; the same state changes nothing.
    void setChecked(bool checked);
    // The field's text changed (typed or set); the same text changes nothing.
    void setFieldText(const std::string& text);
    void arrowUp();
    void arrowDown();

    bool checked() const { return setting_.enabled; }
    int number() const { return setting_.number; }
    // The field and the arrows are shown only while checked.
    bool fieldVisible() const { return setting_.enabled; }
    const std::string& fieldText() const { return field_; }
    const std::string& labelText() const { return label_; }
    Rgb sampleColour() const { return sample_; }

private:
    void evaluate();
    void showNumber();

    StandardColourSetting& setting_;
    ExerciseState& state_;
    std::string field_;
    std::string label_;
    Rgb sample_ = darkGrey;
};

}  // namespace kestrani
