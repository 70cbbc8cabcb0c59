// The main window's reactions to content changes, typed or written by the program.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "config/text_number.h"
#include "ui/check_state.h"
#include "ui/field_edit.h"
#include "ui/latin1_text.h"
#include "ui/setup_controls.h"
#include "ui/setup_window.h"

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

void SetupWindow::connectReactions() {
    connectCounter(edBeacon_, label34_);
    connectCounter(edAprsMsg_, label13_);
    connectCounter(edAutoReplyMsg_, label38_);

    connect(edGpsAcqTime_, &QLineEdit::textChanged, this,
            &SetupWindow::showDisplayForAcquisitionTimeout);
    showDisplayForAcquisitionTimeout();

    connect(chk300Baud_, &QCheckBox::stateChanged, this, &SetupWindow::markModemSpeed);

    // Typed text leaves no message of the list chosen; the text stays as typed.
    connect(cbMicEMsg_->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& typed) {
        if (cbMicEMsg_->currentIndex() < 0)
            return;
        QLineEdit* edit = cbMicEMsg_->lineEdit();
        const int caret = edit->cursorPosition();
        const QSignalBlocker quiet(cbMicEMsg_);
        cbMicEMsg_->setCurrentIndex(-1);
        edit->setText(typed);
        edit->setCursorPosition(caret);
    });

    for (QCheckBox* box : {chkTable_, chkRxPosition_, chk300Baud_, chkAutoReply_})
        keepTwoStateAfterClick(box);

    connect(edComm_, &QLineEdit::textChanged, this, &SetupWindow::showPortDevice);
    connect(cmdSend_, &QPushButton::clicked, this, &SetupWindow::sendToTracker);
    connect(cmdDefault_, &QPushButton::clicked, this, &SetupWindow::applyDefaultSettings);
    connect(cmdSave_, &QPushButton::clicked, this, &SetupWindow::saveToFile);
    connect(cmdLoad_, &QPushButton::clicked, this, &SetupWindow::loadFromFile);
    connect(cmdHelp_, &QPushButton::clicked, this, &SetupWindow::showInstructions);
}

bool SetupWindow::gpslessDisplay() const {
    return leadingNumber(toLatin1(edGpsAcqTime_->text())) == 0;
}

void SetupWindow::showDisplayForAcquisitionTimeout() {
    const bool gpsless = gpslessDisplay();
    emphasise(label6_, gpsless ? QStringLiteral("BEACON") : QStringLiteral("COMMENT"), gpsless);
    emphasise(label33_,
              gpsless ? QStringLiteral("GPSless Mode") : QStringLiteral("(0=GPSless Mode)"),
              gpsless);
    for (QWidget* gpsOnly : {static_cast<QWidget*>(label12_), static_cast<QWidget*>(cbMicEMsg_),
                             static_cast<QWidget*>(label30_), static_cast<QWidget*>(edBcnEvery_),
                             static_cast<QWidget*>(label32_)}) {
        gpsOnly->setVisible(!gpsless);
    }
    cmdLatLon_->setVisible(gpsless);
}

void SetupWindow::markModemSpeed() {
    setTextColour(chk300Baud_,
                  chk300Baud_->isChecked() ? std::optional(kModem300Blue) : std::nullopt);
}

}  // namespace zelvar
