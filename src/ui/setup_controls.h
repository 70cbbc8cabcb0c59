#pragma once

#include <QColor>
#include <QString>
#include <functional>
#include <optional>
#include <string_view>

#include "config/input_rules.h"
#include "ui/field_edit.h"

class QCheckBox;
class QFont;
class QLabel;
class QPushButton;
class QWidget;

namespace zelvar {

// Point sizes of the main window's type: the normal one, and the small one of the two lists
// and the GPSless note.
inline constexpr double kWindowPointSize = 7.5;
inline constexpr double kSmallPointSize = 6.75;

QFont withPointSize(QFont font, double pointSize);

// As high as one row of the window: the characters and a thin frame.
void fitFieldHeight(QWidget* field);

QLabel* makeLabel(QWidget* parent, const QString& text, std::string_view name = {});

// The character rule of a field, read from the core's input rules; `gpsless` tells whether the
// GPSless display is shown, asked afresh for every character.
CharacterValidator::Rule characterRule(const InputRule& rule,
                                       std::function<bool()> gpsless = nullptr);

// A masked field of digits as its rule has them, "_" in the unfilled positions, as wide as its
// digits.
FieldEdit* makeDigitsField(QWidget* parent, std::string_view name, const InputRule& rule);

// A free text field of at most `maxLength` characters; `hint` shows when the pointer rests on it.
FieldEdit* makeTextField(QWidget* parent, std::string_view name, int maxLength,
                         CharacterValidator::Rule rule, const QString& hint = {});

// What a screen reader says of a control: its name, and the unit or limit as its description.
void describe(QWidget* control, const QString& name, const QString& description = {});

// A text field `characters` wide, for the short ones (callsigns, path).
void fitWidthToCharacters(FieldEdit* field, int characters);

QCheckBox* makeCheckBox(QWidget* parent, std::string_view name, const QString& caption);
QPushButton* makeButton(QWidget* parent, std::string_view name, const QString& caption);

// Sets or clears an explicit text colour; cleared, the widget follows the system's palette.
void setTextColour(QWidget* widget, std::optional<QColor> colour);

}  // namespace zelvar
