#pragma once
// One row of "Длительность фаз упражнения": a check box that enables the
// limit, a number field shown only while enabled, and a label echoing the
// seconds accepted from the field.

#include <string>

#include "config/exercise_settings.h"

namespace kestrani {

// The seconds a typed text gives: 0 for invalid text, else the value clamped to 0..60.
int secondsFromText(const std::string& text);

class PhaseLimitRow {
public:
    explicit PhaseLimitRow(PhaseLimit& limit) : limit_(limit) {}

    // The check box now shows the state; the same state changes nothing.
    void setChecked(bool checked);
    // The field's text changed (typed or set); the same text changes nothing.
    void setFieldText(const std::string& text);

    bool checked() const { return limit_.enabled; }
    const std::string& fieldText() const { return field_; }
    bool fieldVisible() const { return limit_.enabled; }
    const std::string& labelText() const { return label_; }
    int seconds() const { return limit_.seconds; }

private:
    void fieldChanged();

    PhaseLimit& limit_;
    std::string field_;
    std::string label_;
};

}  // namespace kestrani
