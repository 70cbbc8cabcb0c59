#include "config/device_settings.h"

#include "config/fields.h"
#include "text/translation.h"

namespace zelvar {

void applyDefaults(DeviceSettings& s) {
    for (const FieldRow& row : fieldRows()) {
        if (std::string* text = fieldText(s, row.field))
            *text = row.initialText;
        else
            *fieldNumber(s, row.field) = row.initialNumber;
    }
}

DeviceSettings defaultSettings() {
    DeviceSettings settings;
    applyDefaults(settings);
    return settings;
}

Field speedIntervalField(int band) {
    return static_cast<Field>(static_cast<int>(Field::SpeedInterval0) + band);
}

std::string* fieldText(DeviceSettings& s, Field field) {
    const FieldValue& value = fieldRow(field).value;
    if (value.band >= 0)
        return &s.speedIntervals[static_cast<std::size_t>(value.band)];
    return value.text ? &(s.*value.text) : nullptr;
}

const std::string* fieldText(const DeviceSettings& s, Field field) {
    return fieldText(const_cast<DeviceSettings&>(s), field);
}

int* fieldNumber(DeviceSettings& s, Field field) {
    const FieldValue& value = fieldRow(field).value;
    return value.number ? &(s.*value.number) : nullptr;
}

const int* fieldNumber(const DeviceSettings& s, Field field) {
    return fieldNumber(const_cast<DeviceSettings&>(s), field);
}

std::string_view fieldName(Field field) {
    return fieldRow(field).name;
}
std::string_view fieldLabel(Field field) {
    return translated(kFieldLabelContext, fieldRow(field).label);
}
std::size_t maxLength(Field field) {
    return fieldRow(field).input.length;
}

}  // namespace zelvar
