// Between the main window's controls and the settings record.
#include <QCheckBox>
#include <QComboBox>

#include "ui/check_state.h"
#include "ui/field_edit.h"
#include "ui/latin1_text.h"
#include "ui/setup_window.h"

namespace zelvar {
namespace {

std::string textOf(const FieldEdit* field) {
    return toLatin1(field->text());
}

// Only a real change is written, so an unchanged field keeps its caret and selection.
void write(FieldEdit* field, const std::string& value) {
    const QString text = fromLatin1(value);
    if (field->text() != text)
        field->setText(text);
}

void writeChoice(QComboBox* list, int index) {
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

}  // namespace

DeviceSettings SetupWindow::settings() const {
    DeviceSettings s;
    s.myCall = textOf(edMyCall_);
    s.aprsPath = textOf(edAprsPath_);
    s.beacon = textOf(edBeacon_);
    s.symbol = textOf(edSymbol_);
    s.altTable = checkValue(chkTable_);
    s.numFlagsAuto = textOf(edNumFlagsAuto_);
    s.micEMsg = cbMicEMsg_->currentIndex();
    s.bcnEvery = textOf(edBcnEvery_);
    s.rxPosition = checkValue(chkRxPosition_);
    s.manualTime = textOf(edManualTime_);
    for (std::size_t band = 0; band < s.speedTable.size(); ++band)
        s.speedTable[band] = textOf(esSpeedTable_[band]);
    s.gpsCheckTime = textOf(edGpsCheckTime_);
    s.gpsAcqTime = textOf(edGpsAcqTime_);
    s.baud300 = checkValue(chk300Baud_);
    s.destCall = textOf(edDestCall_);
    s.aprsMsg = textOf(edAprsMsg_);
    s.msgRepeat = textOf(edMsgRepeat_);
    s.autoReply = checkValue(chkAutoReply_);
    s.autoReplyMsg = textOf(edAutoReplyMsg_);
    s.commPort = textOf(edComm_);
    s.baudRate = cboBaud_->currentIndex();
    return s;
}

void SetupWindow::applySettings(const DeviceSettings& s) {
    // The order of the factory defaults.
    write(edComm_, s.commPort);
    writeChoice(cboBaud_, s.baudRate);
    write(edNumFlagsAuto_, s.numFlagsAuto);
    write(edMsgRepeat_, s.msgRepeat);
    if (s.micEMsg >= 0 || cbMicEMsg_->currentIndex() >= 0)
        writeChoice(cbMicEMsg_, s.micEMsg);
    write(edSymbol_, s.symbol);
    writeCheck(chkTable_, s.altTable);
    writeCheck(chkRxPosition_, s.rxPosition);
    for (std::size_t band = 0; band < s.speedTable.size(); ++band)
        write(esSpeedTable_[band], s.speedTable[band]);
    write(edManualTime_, s.manualTime);
    write(edBcnEvery_, s.bcnEvery);
    write(edGpsCheckTime_, s.gpsCheckTime);
    write(edGpsAcqTime_, s.gpsAcqTime);
    write(edMyCall_, s.myCall);
    write(edAprsPath_, s.aprsPath);
    write(edBeacon_, s.beacon);
    write(edDestCall_, s.destCall);
    write(edAprsMsg_, s.aprsMsg);
    write(edAutoReplyMsg_, s.autoReplyMsg);
    writeCheck(chkAutoReply_, s.autoReply);
    writeCheck(chk300Baud_, s.baud300);
}

void SetupWindow::applyDefaultSettings() {
    applySettings(defaultSettings());
}

}  // namespace zelvar
