#include "ui/form_reactions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "config/input_rules.h"
#include "ui/check_state.h"
#include "ui/core_text.h"
#include "ui/field_edit.h"
#include "ui/latin1_text.h"
#include "ui/palette_colours.h"
#include "ui/palette_watcher.h"

namespace zelvar {
namespace {

const QColor kGpslessGreen(0, 128, 0);
const QColor kModem300Blue(0, 0, 255);

// "[n]": how many characters the field still takes; a screen reader hears it with the field.
void connectCounter(FieldEdit* field, QLabel* counter) {
    auto show = [field, counter] {
        const qsizetype left = field->lengthLimit() - field->text().size();
        counter->setText(fromUtf8(counterShown(left)));
        field->setAccessibleDescription(
            fromUtf8(counterSpoken(static_cast<std::size_t>(field->lengthLimit()), left)));
    };
    QObject::connect(field, &QLineEdit::textChanged, counter, show);
    show();
}

void emphasise(QLabel* label, const QString& caption, bool on) {
    label->setText(caption);
    QFont font = label->font();
    font.setBold(on);
    label->setFont(font);
    setTextColour(label, on ? std::optional(kGpslessGreen) : std::nullopt);
}

}  // namespace

FormReactions::FormReactions(const FormControls& c, QObject* parent)
    : QObject(parent), controls_(c) {
    for (const FieldRow& row : fieldRows()) {
        if (QLabel* counter = c.counters[static_cast<std::size_t>(row.field)])
            connectCounter(c.edit(row.field), counter);
        if (QCheckBox* box = c.box(row.field))
            keepTwoStateAfterClick(box);
        if (row.input.typedChoice) {
            QComboBox* list = c.list(row.field);
            connect(
                list->lineEdit(), &QLineEdit::textEdited, this,
                [this, list](const QString& typed) { forgetChoiceForTypedMessage(list, typed); });
        }
    }
    // The captions that change with the display are drawn in the buttons' text colour.
    c.label(Field::Beacon)->setForegroundRole(QPalette::ButtonText);
    c.gpslessNote->setForegroundRole(QPalette::ButtonText);
    connect(c.edit(Field::AcquisitionTimeout), &QLineEdit::textChanged, this,
            &FormReactions::showDisplayForAcquisitionTimeout);
    showDisplayForAcquisitionTimeout();
    connect(c.box(Field::Modem300), &QCheckBox::stateChanged, this, &FormReactions::markModemSpeed);
    // The green and the blue are chosen afresh to read well on a new palette.
    new PaletteWatcher(c.gpslessNote->window(), this, [this] {
        showDisplayForAcquisitionTimeout();
        markModemSpeed();
    });
}

void FormReactions::showDisplayForAcquisitionTimeout() {
    const FormControls& c = controls_;
    const bool gpsless = isGpslessTimeout(toLatin1(c.edit(Field::AcquisitionTimeout)->text()));
    const QString beaconCaption =
        fromUtf8(gpsless ? shownText(ShownText::BeaconCaptionGpsless) : fieldLabel(Field::Beacon));
    emphasise(c.label(Field::Beacon), beaconCaption, gpsless);
    c.edit(Field::Beacon)->setAccessibleName(beaconCaption);
    emphasise(c.gpslessNote, shown(gpsless ? ShownText::GpslessNoteOn : ShownText::GpslessNote),
              gpsless);
    for (QWidget* gpsOnly : c.gpsOnly)
        gpsOnly->setVisible(!gpsless);
    for (QWidget* gpslessOnly : c.gpslessOnly)
        gpslessOnly->setVisible(gpsless);
}

void FormReactions::markModemSpeed() {
    QCheckBox* modem300 = controls_.box(Field::Modem300);
    setTextColour(modem300, modem300->isChecked() ? std::optional(kModem300Blue) : std::nullopt);
}

void FormReactions::forgetChoiceForTypedMessage(QComboBox* list, const QString& typed) {
    // Typed text leaves no message of the list chosen; the text stays as typed.
    if (list->currentIndex() < 0)
        return;
    QLineEdit* edit = list->lineEdit();
    const int caret = edit->cursorPosition();
    const QSignalBlocker quiet(list);
    list->setCurrentIndex(-1);
    edit->setText(typed);
    edit->setCursorPosition(caret);
}

}  // namespace zelvar
