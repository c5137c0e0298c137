#include "config/phase_durations.h"

#include "config/typed_number.h"

namespace kestrani {

int secondsFromText(const std::string& text) {
    const auto value = parseTypedInteger(text);
    if (!value || *value < 1)
        return 0;
    return *value > 60 ? 60 : *value;
}

void PhaseLimitRow::setChecked(bool checked) {
    if (limit_.enabled == checked)
        return;
    limit_.enabled = checked;
    if (checked)
        return;
    // Unchecking blanks the field and the label; the seconds are kept.
    setFieldText(" ");
    label_.assign(1, ' ');  // one blank
}

void PhaseLimitRow::setFieldText(const std::string& text) {
    if (field_ == text)
        return;
    field_ = text;
    fieldChanged();
}

void PhaseLimitRow::fieldChanged() {
    if (!limit_.enabled)
        return;
    limit_.seconds = secondsFromText(field_);
    label_ = std::to_string(limit_.seconds) + " сек";
}

}  // namespace kestrani
