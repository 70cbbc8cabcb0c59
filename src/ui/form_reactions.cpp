#include "ui/form_reactions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "config/input_rules.h"
#include "ui/check_state.h"
#include "ui/field_edit.h"
#include "ui/latin1_text.h"
#include "ui/setup_controls.h"

namespace zelvar {
namespace {

const QColor kGpslessGreen(0, 128, 0);
const QColor kModem300Blue(0, 0, 255);

// "[n]": how many characters the field still takes.
void connectCounter(FieldEdit* field, QLabel* counter) {
    auto show = [field, counter] {
        counter->setText(QStringLiteral("[%1]").arg(field->maxLength() - field->text().size()));
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

FormReactions::FormReactions(const FormControls& controls, QObject* parent)
    : QObject(parent), controls_(controls) {
    const FormControls& c = controls_;
    connectCounter(c.beacon, c.beaconCounter);
    connectCounter(c.message, c.messageCounter);
    connectCounter(c.autoAnswer, c.autoAnswerCounter);

    connect(c.acquisitionTimeout, &QLineEdit::textChanged, this,
            &FormReactions::showDisplayForAcquisitionTimeout);
    showDisplayForAcquisitionTimeout();
    connect(c.modem300, &QCheckBox::stateChanged, this, &FormReactions::markModemSpeed);
    connect(c.micEMessage->lineEdit(), &QLineEdit::textEdited, this,
            &FormReactions::forgetChoiceForTypedMessage);
    for (QCheckBox* box : {c.alternateTable, c.hideReceivedPositions, c.modem300, c.autoAnswerOn})
        keepTwoStateAfterClick(box);
}

void FormReactions::showDisplayForAcquisitionTimeout() {
    const FormControls& c = controls_;
    const bool gpsless = isGpslessTimeout(toLatin1(c.acquisitionTimeout->text()));
    const QString beaconCaption = gpsless ? QStringLiteral("BEACON") : QStringLiteral("COMMENT");
    emphasise(c.beaconLabel, beaconCaption, gpsless);
    c.beacon->setAccessibleName(beaconCaption);
    emphasise(c.gpslessNote,
              gpsless ? QStringLiteral("GPSless Mode") : QStringLiteral("(0=GPSless Mode)"),
              gpsless);
    for (QWidget* gpsOnly : std::initializer_list<QWidget*>{
             c.micELabel, c.micEMessage, c.commentEveryLabel, c.commentEvery, c.commentEveryUnit}) {
        gpsOnly->setVisible(!gpsless);
    }
    c.openCalculator->setVisible(gpsless);
}

void FormReactions::markModemSpeed() {
    setTextColour(controls_.modem300,
                  controls_.modem300->isChecked() ? std::optional(kModem300Blue) : std::nullopt);
}

void FormReactions::forgetChoiceForTypedMessage(const QString& typed) {
    // Typed text leaves no message of the list chosen; the text stays as typed.
    QComboBox* list = controls_.micEMessage;
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
