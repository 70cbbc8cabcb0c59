#pragma once

#include <QWidget>
#include <functional>

#include "config/device_settings.h"
#include "transfer/send_preview.h"

class QLabel;
class QTableView;

namespace zelvar {

class WireBytesModel;
class WireRangesModel;

// What SEND would write for the form as it stands, and what the tracker makes of it: the 170
// wire bytes with lead-ins, block boundary and checksums marked, each byte range and its
// meaning (choosing a row marks its bytes), the fields that go out differently from how the
// form holds them and, in GPSless Mode, the beacon read back as a position. A build that would
// fail shows the field and the reason instead. It reads the form and never writes it. The main
// window creates it when first asked for and owns it.
class PreviewWindow : public QWidget {
    Q_OBJECT

  public:
    PreviewWindow(QWidget* owner, std::function<DeviceSettings()> form);

    // Shows the window, first beside its owner, or brings it forward; either way up to date.
    void showPreview();
    // Builds a copy of the form's settings and shows the outcome; nothing while hidden.
    void refresh();

  private:
    QTableView* buildBytesView();
    QTableView* buildRangesView();
    QWidget* buildLegend();
    void showBuilt(const SendPreview& preview);
    void markBytesOfChosenRange();
    void placeBesideOwner();

    std::function<DeviceSettings()> form_;
    QLabel* failure_;
    QWidget* built_;
    WireBytesModel* byteModel_;
    QTableView* bytes_;
    WireRangesModel* rangeModel_;
    QTableView* ranges_;
    QLabel* notes_;
    QLabel* position_;
    bool placed_ = false;
    bool rangeColumnsFitted_ = false;
};

}  // namespace zelvar
