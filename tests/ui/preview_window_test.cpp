// The preview of SEND beside the main window: the bytes SEND would write, following the form as
// the user types, never writing into it.
#include <QAccessible>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>

#include "setup_window_support.h"
#include "transfer/send_preview.h"
#include "ui/preview_window.h"
#include "ui/wire_bytes_model.h"

namespace zelvar {
namespace {

class PreviewTest : public testing::SetupWindowTest {
  protected:
    PreviewWindow* openWithCtrlP() {
        QTest::keyClick(field("edMyCall"), Qt::Key_P, Qt::ControlModifier);
        return control<PreviewWindow>("frmPreview");
    }
    QTableView* bytesView() { return control<QTableView>("tblWireBytes"); }
    // Each hex cell holds SEND's byte (the core's preview tests pin them) in its part's colour.
    bool showsWhatSendWrites() {
        const SendPreview sent = previewSend(window->settings());
        std::vector<WirePart> carries(kWireSize, WirePart::Setting);
        for (const WireRange& range : sent.ranges)
            std::fill_n(carries.begin() + std::ptrdiff_t(range.first), range.size, range.part);
        for (std::size_t i = 0; i < kWireSize; ++i) {
            const QModelIndex cell = bytesView()->model()->index(int(i) / 16, int(i) % 16);
            if (cell.data().toString().toUInt(nullptr, 16) != sent.wire[i] ||
                cell.data(Qt::BackgroundRole).value<QColor>() !=
                    WireBytesModel::colourOf(carries[i], i < kFrameSize ? 1 : 2))
                return false;
        }
        return true;
    }
    // What the window and a screen reader show of a label: its text, which is also its name.
    QString shown(const char* label) {
        QLabel* found = control<QLabel>(label);
        const QString name = QAccessible::queryAccessibleInterface(found)->text(QAccessible::Name);
        const QString text = found->text();
        EXPECT_EQ(name, text) << label;
        return found->isVisibleTo(window.get()) ? text : QString();
    }
    // Types, lets the preview's one update of the turn run, and checks the form kept the keys.
    void typeAndSettle(const QString& name, const QString& keys) {
        typeInto(name, keys);
        const DeviceSettings typed = window->settings();
        QCoreApplication::processEvents();
        EXPECT_EQ(window->settings(), typed) << "the preview wrote into the form";
    }
};

// The preview opens as wide as its content where the screen has the room, every column of the
// bytes in view: beside the main window where that side has the room, else over as little of it
// as the screen allows. Beside a main window at the left edge of this 800 pixel screen there are
// some 500 pixels, room for 10 of the 16 columns.
TEST_F(PreviewTest, OpensAsWideAsItsContentShowsTheBytesSendWritesAndFollowsEveryEdit) {
    const QRect screen = window->screen()->availableGeometry();
    window->move(screen.topLeft());
    PreviewWindow* preview = openWithCtrlP();
    ASSERT_TRUE(preview->isVisible());
    QCoreApplication::processEvents();
    EXPECT_TRUE(screen.contains(preview->frameGeometry()));
    EXPECT_EQ(preview->frameGeometry().right(), screen.right());
    EXPECT_EQ(bytesView()->horizontalScrollBar()->maximum(), 0) << "columns out of view";
    // Smaller if the user wants.
    EXPECT_LE(preview->minimumSizeHint().width(), 400);
    EXPECT_LE(preview->minimumSizeHint().height(), 300);
    EXPECT_TRUE(showsWhatSendWrites());
    const std::pair<const char*, const char*> edits[] = {
        {"edNumFlagsAuto", "10"},
        {"edMyCall", "qx9abc-12"},
        {"edGpsAcqTime", "0"},
        {"edBeacon", "=4930.00N/07245.00W>/A=000984"}};
    for (const auto& [name, keys] : edits) {
        typeAndSettle(name, keys);
        EXPECT_TRUE(showsWhatSendWrites()) << "after typing in " << name;
    }
    EXPECT_TRUE(shown("lblPreviewNotes")
                    .contains(QString::fromUtf8("TX DELAY 10 → sent as 4 flags, 027 ms")));
    EXPECT_EQ(shown("lblPreviewPosition"),
              "Beacon position: N49.30.00 W72.45.00, symbol />, altitude 984 ft (300 m)");

    // Choosing a range marks its bytes: the first checksum is wire byte 84.
    auto* ranges = control<QTableView>("tblWireRanges");
    const QAbstractItemModel* held = ranges->model();
    ranges->selectRow(held->match(held->index(0, 1), Qt::DisplayRole, "Checksum").value(0).row());
    const QModelIndexList marked = bytesView()->selectionModel()->selectedIndexes();
    ASSERT_EQ(marked.size(), 1);
    EXPECT_EQ(marked.front().row() * 16 + marked.front().column(), 84);

    // Ctrl+P again and the button bring the same window; closing the main window closes it.
    window->activateWindow();
    EXPECT_EQ(openWithCtrlP(), preview);
    click("cmdPreview");
    EXPECT_EQ(window->findChildren<PreviewWindow*>().size(), 1);
    window->close();
    EXPECT_FALSE(preview->isVisible());
}

TEST_F(PreviewTest, NamesTheFailingFieldReadsTheBeaconAndShowsMarkupAsItStands) {
    click("cmdPreview");
    typeAndSettle("edMyCall", "");
    EXPECT_TRUE(shown("lblPreviewFailure").contains("MY CALLSIGN: empty callsign"));
    EXPECT_FALSE(bytesView()->isVisibleTo(window.get()));
    typeAndSettle("edMyCall", "QX9ABC");
    EXPECT_EQ(shown("lblPreviewFailure"), "");
    EXPECT_EQ(shown("lblPreviewPosition"), "") << "no position in the GPS display";
    typeAndSettle("edGpsAcqTime", "0");
    typeAndSettle("edBeacon", "=4930.00N/07245.00W_comment");
    EXPECT_TRUE(shown("lblPreviewPosition").contains("not a position the calculator would write"));

    // A comment from a stranger's file is shown as it stands, in the labels and in the tips.
    DeviceSettings settings = window->settings();
    settings.beacon = "<b>Transfer OK</b>";
    window->applySettings(settings);
    QCoreApplication::processEvents();
    for (const char* label : {"lblPreviewFailure", "lblPreviewNotes", "lblPreviewPosition"})
        EXPECT_EQ(control<QLabel>(label)->textFormat(), Qt::PlainText) << label;
    QStringList tips;
    const QAbstractItemModel* ranges = control<QTableView>("tblWireRanges")->model();
    for (int row = 0; row < ranges->rowCount(); ++row)
        tips << testing::shownAsToolTip(ranges->index(row, 2).data(Qt::ToolTipRole).toString());
    EXPECT_TRUE(tips.join('\n').contains("<b>Transfer OK</b>")) << tips.join('\n').toStdString();
}

}  // namespace
}  // namespace zelvar
