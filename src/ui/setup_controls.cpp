#include "ui/setup_controls.h"

#include <QCheckBox>
#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

#include "ui/latin1_text.h"

namespace zelvar {
namespace {

// Frame, inner margins and the caret around the characters of a line edit.
constexpr int kEditPadding = 10;
// Frame and inner margins above and below the characters of a field or a button.
constexpr int kFieldPadding = 5;
constexpr int kButtonPadding = 7;

int widthFor(const QWidget* field, const QString& sample) {
    return field->fontMetrics().horizontalAdvance(sample) + kEditPadding;
}

}  // namespace

void fitFieldHeight(QWidget* field) {
    field->setFixedHeight(field->fontMetrics().height() + kFieldPadding);
}

QFont withPointSize(QFont font, double pointSize) {
    font.setPointSizeF(pointSize);
    return font;
}

QLabel* makeLabel(QWidget* parent, const QString& text, std::string_view name) {
    auto* label = new QLabel(text, parent);
    if (!name.empty())
        label->setObjectName(fromLatin1(name));
    return label;
}

CharacterValidator::Rule characterRule(const InputRule& rule, std::function<bool()> gpsless) {
    return [&rule, gpsless = std::move(gpsless)](int code) {
        return acceptedCode(rule, code, gpsless && gpsless());
    };
}

FieldEdit* makeDigitsField(QWidget* parent, std::string_view name, const InputRule& rule) {
    const int positions = static_cast<int>(rule.maxLength);
    auto* field = new FieldEdit(parent);
    field->setObjectName(fromLatin1(name));
    field->setPositions(positions);
    field->setCharacterRule(characterRule(rule));
    field->setSelectAllOnFocus(rule.selectAllOnFocus);
    fitFieldHeight(field);
    field->setFixedWidth(widthFor(field, QString(positions, QLatin1Char('0'))));
    return field;
}

FieldEdit* makeTextField(QWidget* parent, std::string_view name, int maxLength,
                         CharacterValidator::Rule rule, const QString& hint) {
    auto* field = new FieldEdit(parent);
    field->setObjectName(fromLatin1(name));
    field->setLengthLimit(maxLength);
    field->setCharacterRule(std::move(rule));
    field->setToolTip(hint);
    fitFieldHeight(field);
    return field;
}

void fitWidthToCharacters(FieldEdit* field, int characters) {
    field->setFixedWidth(widthFor(field, QString(characters, QLatin1Char('0'))));
}

void describe(QWidget* control, const QString& name, const QString& description) {
    control->setAccessibleName(name);
    control->setAccessibleDescription(description);
}

QCheckBox* makeCheckBox(QWidget* parent, std::string_view name, const QString& caption) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(fromLatin1(name));
    // Never narrower than its caption: a longer language widens the window instead.
    box->setSizePolicy(QSizePolicy::Minimum, box->sizePolicy().verticalPolicy());
    describe(box, caption);
    return box;
}

QPushButton* makeButton(QWidget* parent, std::string_view name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(fromLatin1(name));
    // Enter presses the focused button, as Space does.
    button->setAutoDefault(true);
    button->setFixedHeight(button->fontMetrics().height() + kButtonPadding);
    return button;
}

}  // namespace zelvar
