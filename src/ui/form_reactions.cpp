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
#include "ui/palette_colours.h"
#include "ui/palette_watcher.h"

namespace zelvar {
namespace {

const QColor kGpslessGreen(0, 128, 0);
const QColor kModem300Blue(0, 0, 255);

// "[n]": how many characters the field still takes; a screen reader hears it with the field.
void connectCounter(FieldEdit* field, QLabel* counter) {
    const QString limit = field->accessibleDescription();
    auto show = [field, counter, limit] {
        const qsizetype left = field->maxLength() - field->text().size();
        counter->setText(QStringLiteral("[%1]").arg(left));
        field->setAccessibleDescription(QStringLiteral("%1, %2 left").arg(limit).arg(left));
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
    : QObject(parent),
      controls_{
          c.acquisitionTimeout,
          c.beaconLabel,
          c.beacon,
          c.gpslessNote,
          {c.micELabel, c.micEMessage, c.commentEveryLabel, c.commentEvery, c.commentEveryUnit},
          c.openCalculator,
          c.modem300,
          c.micEMessage} {
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
    // The green and the blue are chosen afresh to read well on a new palette.
    new PaletteWatcher(c.beaconLabel->window(), this, [this] {
        showDisplayForAcquisitionTimeout();
        markModemSpeed();
    });
}

void FormReactions::showDisplayForAcquisitionTimeout() {
    const Reacting& c = controls_;
    const bool gpsless = isGpslessTimeout(toLatin1(c.acquisitionTimeout->text()));
    const QString beaconCaption = gpsless ? QStringLiteral("BEACON") : QStringLiteral("COMMENT");
    emphasise(c.beaconLabel, beaconCaption, gpsless);
    c.beacon->setAccessibleName(beaconCaption);
    emphasise(c.gpslessNote,
              gpsless ? QStringLiteral("GPSless Mode") : QStringLiteral("(0=GPSless Mode)"),
              gpsless);
    for (QWidget* gpsOnly : c.gpsOnly)
        gpsOnly->setVisible(!gpsless);
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
