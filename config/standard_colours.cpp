#include "config/standard_colours.h"

#include <cmath>
#include <numbers>

#include "config/typed_number.h"

namespace kestrani {

namespace {

double hueAngle(int number) { return static_cast<double>(number) / 50.0 * std::numbers::pi; }

// The number a typed text gives: 1 for invalid or negative text, at most 99.
int numberFromText(const std::string& text) {
    const auto value = parseTypedInteger(text);
    if (!value || *value < 0)
        return 1;
    return *value > 99 ? 99 : *value;
}

}  // namespace

Rgb standardSampleColour(int number) {
    // Saturation and brightness 255; the decimals 0.333 and 0.666 are exact
    // parts of the model, and each channel is truncated before and after the
    // 0.6 scaling.
    const double a = hueAngle(number);
    const double s = 255.0;
    const double i = 255.0;
    const double base = i - std::cos(a) * (0.333 * s);
    const std::int32_t r0 = trunc32(base - std::sin(a) * s / std::sqrt(3.0));
    const std::int32_t g0 = trunc32(std::cos(a) * (0.666 * s) + i);
    const std::int32_t b0 = trunc32(base + std::sin(a) * s / std::sqrt(3.0));
    return {static_cast<std::uint8_t>(trunc32(0.6 * r0)), static_cast<std::uint8_t>(trunc32(0.6 * g0)),
            static_cast<std::uint8_t>(trunc32(0.6 * b0))};
}

void StandardColourControls::setChecked(bool checked) {
    if (setting_.enabled == checked)
        return;
    setting_.enabled = checked;
    if (checked) {
        showNumber();
        return;
    }
    setFieldText(" ");
    label_.assign(1, ' ');  // one blank
    sample_ = darkGrey;
}

void StandardColourControls::setFieldText(const std::string& text) {
    if (field_ == text)
        return;
    field_ = text;
    evaluate();
}

void StandardColourControls::arrowUp() {
    setting_.number = setting_.number + 1 == 100 ? 1 : setting_.number + 1;
    showNumber();
}

void StandardColourControls::arrowDown() {
    setting_.number = setting_.number == 0 ? 99 : setting_.number - 1;
    showNumber();
}

// The field shows the number, then the evaluation runs (once more when the
// new text already ran it; the result is the same).
void StandardColourControls::showNumber() {
    setFieldText(std::to_string(setting_.number));
    evaluate();
}

void StandardColourControls::evaluate() {
    if (setting_.enabled) {
        setting_.number = numberFromText(field_);
        label_ = std::to_string(setting_.number);
    }
    state_.referenceHue = hueAngle(setting_.number);
    state_.referenceSaturation = 255.0;
    state_.referenceBrightness = 255.0;
    sample_ = standardSampleColour(setting_.number);
}

}  // namespace kestrani
