// The number fields of the configuration window under a million random and
// mutated texts each, mixed with check box and arrow clicks: the phase limit
// rows and the standard colour number always land on the clamped values the
// rules give, as a plainly written model of the rules computes them.

#include <QtTest>

#include <cmath>
#include <numbers>
#include <string>

#include "config/phase_durations.h"
#include "config/standard_colours.h"
#include "fakes/number_oracles.h"

using namespace kestrani;
using namespace kestrani::fakes;

namespace {

constexpr int operations = 1000000;

// A text as the user may leave a field: fresh, mutated, very long, or the
// current text edited by one key at the end, at the front or by Backspace.
std::string nextText(TypedTextSource& texts, const std::string& current) {
    switch (texts.pick(8)) {
    case 0: case 1: return texts.fresh();
    case 2: case 3: return texts.mutated();
    case 4: return texts.pick(50) == 0 ? texts.veryLong() : texts.fresh(2);
    case 5: return current + texts.fresh(1);
    case 6: return texts.fresh(1) + current;
    default: return current.empty() ? current : current.substr(0, current.size() - 1);
    }
}

// The phase limit row as the rules read: a value of its own for the seconds,
// the field kept as typed, one blank in field and label after unchecking.
struct LimitModel {
    bool enabled = false;
    int seconds = 0;
    std::string field, label;

    void check(bool on) {
        if (on == enabled)
            return;
        enabled = on;
        if (!on)
            field = label = " ";
    }
    // Setting the text the field already has runs nothing.
    void type(const std::string& text) {
        if (text == field)
            return;
        field = text;
        if (!enabled)
            return;
        const auto value = typedNumberOracle(text);
        seconds = !value || *value < 1 ? 0 : *value > 60 ? 60 : static_cast<int>(*value);
        label = std::to_string(seconds) + " сек";
    }
};

// The standard colour number as the rules read.
struct ColourModel {
    bool enabled = false;
    int number = 0;
    std::string field, label;
    Rgb sample{128, 128, 128};
    double hue = 0, saturation = 0, brightness = 0;  // the reference colour parameters written

    void evaluate() {
        if (enabled) {
            const auto value = typedNumberOracle(field);
            number = !value || *value < 0 ? 1 : *value > 99 ? 99 : static_cast<int>(*value);
            label = std::to_string(number);
        }
        hue = static_cast<double>(number) / 50.0 * std::numbers::pi;
        saturation = brightness = 255;
        sample = standardSampleTable[number];
    }
    void check(bool on) {
        if (on == enabled)
            return;
        enabled = on;
        if (on) {
            field = std::to_string(number);
            evaluate();
            return;
        }
        type(" ");
        label = " ";
        sample = {128, 128, 128};
    }
    // Setting the text the field already has runs nothing.
    void type(const std::string& text) {
        if (text == field)
            return;
        field = text;
        evaluate();
    }
    // The arrows act on the number; the field then shows it.
    void arrow(bool up) {
        number = up ? (number + 1 == 100 ? 1 : number + 1) : (number == 0 ? 99 : number - 1);
        field = std::to_string(number);
        evaluate();
    }
};

QString shown(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())).left(80); }

}  // namespace

class NumberFieldsFuzzTest : public QObject {
    Q_OBJECT
private slots:
    void phaseLimitRowsLandOnTheClampedSecondsForAMillionTexts() {
        TypedTextSource texts(7001);
        PhaseLimit limit;
        PhaseLimitRow row(limit);
        LimitModel model;
        int clampedHigh = 0, accepted = 0;
        for (int i = 0; i < operations; ++i) {
            const std::size_t what = texts.pick(20);
            if (what == 0 || what == 1) {
                row.setChecked(what == 0);
                model.check(what == 0);
            } else {
                const std::string text = nextText(texts, row.fieldText());
                row.setFieldText(text);
                model.type(text);
            }
            if (limit.enabled != model.enabled || limit.seconds != model.seconds || row.fieldText() != model.field ||
                row.labelText() != model.label || row.fieldVisible() != model.enabled)
                QFAIL(qPrintable(QString("operation %1, field \"%2\": seconds %3, label \"%4\"; the rules give %5, \"%6\"")
                                     .arg(i).arg(shown(model.field)).arg(limit.seconds)
                                     .arg(shown(row.labelText())).arg(model.seconds).arg(shown(model.label))));
            clampedHigh += model.enabled && model.seconds == 60;
            accepted += model.enabled && model.seconds > 0 && model.seconds < 60;
        }
        QVERIFY2(clampedHigh > 1000 && accepted > 10000, "the texts must reach every branch of the rule");
    }

    void standardColourNumberLandsOnTheClampedNumberForAMillionTexts() {
        TypedTextSource texts(7002);
        StandardColourSetting setting;
        ExerciseState state;
        StandardColourControls controls(setting, state);
        ColourModel model;
        int invalidOrNegative = 0, clampedHigh = 0;
        for (int i = 0; i < operations; ++i) {
            const std::size_t what = texts.pick(20);
            if (what < 2) {
                controls.setChecked(what == 0);
                model.check(what == 0);
            } else if (what < 4 && model.enabled) {  // the arrows are shown only while checked
                what == 2 ? controls.arrowUp() : controls.arrowDown();
                model.arrow(what == 2);
            } else {
                const std::string text = nextText(texts, controls.fieldText());
                controls.setFieldText(text);
                model.type(text);
            }
            if (controls.checked() != model.enabled || setting.number != model.number ||
                controls.fieldText() != model.field || controls.labelText() != model.label ||
                controls.sampleColour() != model.sample || state.referenceHue != model.hue ||
                state.referenceSaturation != model.saturation || state.referenceBrightness != model.brightness)
                QFAIL(qPrintable(QString("operation %1, field \"%2\": number %3, label \"%4\"; the rules give %5, \"%6\"")
                                     .arg(i).arg(shown(model.field)).arg(setting.number)
                                     .arg(shown(controls.labelText())).arg(model.number).arg(shown(model.label))));
            invalidOrNegative += model.enabled && model.number == 1;
            clampedHigh += model.enabled && model.number == 99;
        }
        QVERIFY2(invalidOrNegative > 1000 && clampedHigh > 1000, "the texts must reach every branch of the rule");
    }
};

QTEST_GUILESS_MAIN(NumberFieldsFuzzTest)
#include "number_fields_fuzz_test.moc"
