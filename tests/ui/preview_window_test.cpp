// The preview of SEND beside the main window: the bytes SEND would write, following the form as
// the user types, never writing into it.
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "config/config_image.h"
#include "setup_window_support.h"
#include "transfer/block_framing.h"
#include "ui/preview_window.h"

namespace zelvar {
namespace {

class PreviewTest : public testing::SetupWindowTest {
  protected:
    PreviewWindow* openWithCtrlP() {
        QTest::keyClick(field("edMyCall"), Qt::Key_P, Qt::ControlModifier);
        return control<PreviewWindow>("frmPreview");
    }

    // The bytes as the preview's hex table shows them.
    WireBytes shownBytes() {
        const QAbstractItemModel* hex = control<QTableView>("tblWireBytes")->model();
        WireBytes bytes{};
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const QString text = hex->index(int(i) / 16, int(i) % 16).data().toString();
            bytes[i] = static_cast<std::uint8_t>(text.toUInt(nullptr, 16));
        }
        return bytes;
    }

    // What `zelvar-cli image --wire` prints for the same settings.
    static WireBytes sentFor(DeviceSettings settings) {
        ConfigImage image{};
        EXPECT_TRUE(buildConfigImage(settings, image));
        return wireBytes(image);
    }

    QString shown(const char* label) {
        QLabel* found = control<QLabel>(label);
        return found && found->isVisibleTo(window.get()) ? found->text() : QString();
    }

    // Types into a field, lets the preview's one update of the turn run, and checks that the
    // form still holds exactly what was typed.
    void typeAndSettle(const QString& name, const QString& keys) {
        typeInto(name, keys);
        const DeviceSettings typed = window->settings();
        QCoreApplication::processEvents();
        EXPECT_EQ(window->settings(), typed) << "the preview wrote into the form";
    }
};

TEST_F(PreviewTest, ShowsTheBytesSendWritesAndFollowsEveryEdit) {
    PreviewWindow* preview = openWithCtrlP();
    ASSERT_NE(preview, nullptr);
    ASSERT_TRUE(preview->isVisible());
    EXPECT_EQ(shownBytes(), sentFor(defaultSettings()));

    // Values a build normalises stay in the form as typed; the preview shows what is sent.
    const struct {
        const char* field;
        const char* keys;
    } edits[] = {{"edNumFlagsAuto", "10"},   {"edMyCall", "qx9abc-12"},
                 {"edAprsPath", "WIDE2-1,"}, {"esSpeedTable(0)", "5"},
                 {"edMsgRepeat", "3"},       {"edAprsMsg", "hi"},
                 {"edGpsAcqTime", "0"},      {"edBeacon", "=4930.00N/07245.00W>/A=000984"}};
    for (const auto& edit : edits) {
        typeAndSettle(edit.field, edit.keys);
        EXPECT_EQ(shownBytes(), sentFor(window->settings())) << "after typing in " << edit.field;
    }
    EXPECT_EQ(textOf("edNumFlagsAuto"), "10");
    EXPECT_TRUE(shown("lblPreviewNotes")
                    .contains(QString::fromUtf8("TX DELAY 10 → sent as 4 flags, 027 ms")));
    EXPECT_EQ(shown("lblPreviewPosition"),
              "Beacon position: N49.30.00 W72.45.00, symbol />, altitude 984 ft (300 m)");

    // Choosing a range marks its bytes: the first checksum is wire byte 84.
    auto* ranges = control<QTableView>("tblWireRanges");
    for (int row = 0; row < ranges->model()->rowCount(); ++row) {
        if (ranges->model()->index(row, 1).data() == "Checksum") {
            ranges->selectRow(row);
            break;
        }
    }
    const QModelIndexList marked =
        control<QTableView>("tblWireBytes")->selectionModel()->selectedIndexes();
    ASSERT_EQ(marked.size(), 1);
    EXPECT_EQ(marked.front().row() * 16 + marked.front().column(), 84);

    // A second Ctrl+P and the button bring the same window forward; closing the main window
    // closes it.
    window->activateWindow();
    EXPECT_EQ(openWithCtrlP(), preview);
    click("cmdPreview");
    EXPECT_EQ(window->findChildren<PreviewWindow*>().size(), 1);
    window->close();
    EXPECT_FALSE(preview->isVisible());
}

TEST_F(PreviewTest, NamesTheFailingFieldInsteadOfBytesAndReadsTheBeacon) {
    click("cmdPreview");
    typeAndSettle("edMyCall", "");
    EXPECT_TRUE(shown("lblPreviewFailure").contains("MY CALLSIGN: empty callsign"));
    EXPECT_FALSE(control<QTableView>("tblWireBytes")->isVisibleTo(window.get()));

    typeAndSettle("edMyCall", "QX9ABC");
    EXPECT_EQ(shown("lblPreviewFailure"), "");
    EXPECT_EQ(shown("lblPreviewPosition"), "") << "no position in the GPS display";
    typeAndSettle("edGpsAcqTime", "0");
    typeAndSettle("edBeacon", "=4930.00N/07245.00W_comment");
    EXPECT_TRUE(shown("lblPreviewPosition").contains("not a position the calculator would write"));
    EXPECT_EQ(shownBytes(), sentFor(window->settings()));
}

}  // namespace
}  // namespace zelvar
