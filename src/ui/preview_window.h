#pragma once

#include <QWidget>
#include <functional>

#include "config/device_settings.h"
#include "transfer/send_preview.h"

class QLabel;
class QListWidget;
class QTableView;

namespace zelvar {

class WireBytesModel;
class WireRangesModel;

// What SEND would write for the form as it stands, and what the tracker makes of it: the 170
// wire bytes with lead-ins, block boundary and checksums marked, each byte range and its
// meaning (choosing a row marks its bytes), the fields that go out differently from how the
// form holds them, the symbol by name and, in GPSless Mode, the beacon read back as a position. A
// build that would fail shows the field and the reason instead. Below, whether the build fails
// or not, the advice on APRS practice (Enter or a double click on a note goes to its field). It
// reads the form and never writes it. The main window creates it when first asked for and owns
// it.
class PreviewWindow : public QWidget {
    Q_OBJECT

  public:
    PreviewWindow(QWidget* owner, std::function<DeviceSettings()> form,
                  std::function<void(Field)> goTo);

    // Shows the window, first beside its owner, or brings it forward; either way up to date.
    void showPreview();
    // Builds a copy of the form's settings and shows the outcome; nothing while hidden.
    void refresh();

  private:
    QTableView* buildBytesView();
    QTableView* buildRangesView();
    QWidget* buildLegend();
    QWidget* buildAdvice();
    void showBuilt(const SendPreview& preview);
    void showAdvice(const DeviceSettings& settings);
    void markBytesOfChosenRange();
    void placeBesideOwner();

    std::function<DeviceSettings()> form_;
    std::function<void(Field)> goTo_;
    QLabel* failure_;
    QWidget* built_;
    WireBytesModel* byteModel_;
    QTableView* bytes_;
    WireRangesModel* rangeModel_;
    QTableView* ranges_;
    QLabel* notes_;
    QLabel* position_;
    QLabel* symbol_;
    QLabel* adviceHeading_;
    QListWidget* advice_;
    bool placed_ = false;
    bool rangeColumnsFitted_ = false;
};

}  // namespace zelvar
