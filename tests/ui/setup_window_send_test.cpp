// SEND from the main window to a real pseudo-terminal.
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <memory>
#include <utility>
#include <vector>

#include "../transfer/pty_line.h"
#include "config/config_image.h"
#include "setup_window_support.h"
#include "transfer/block_framing.h"
#include "ui/calculator_window.h"
#include "ui/message_dialog.h"
#include "ui/send_controller.h"

namespace zelvar {
namespace {

using testing::PtyLine;

constexpr int kPtyPort = 3;
constexpr int kMissingDevicePort = 4;
constexpr const char* kMissingDevice = "/nonexistent/zelvar-tty";

// Port 3 is the test's line, port 4 a device that is not there, the others do not exist.
PortLister portsFor(std::shared_ptr<PtyLine> line) {
    return [line] {
        return std::vector<NumberedPort>{{kPtyPort, {"pts-test", line->path(), "test line"}},
                                         {kMissingDevicePort, {"gone", kMissingDevice, {}}}};
    };
}

class SetupSend : public testing::SetupWindowTest {
  protected:
    SetupSend() : SetupSend(std::make_shared<PtyLine>()) {}

    void SetUp() override { ASSERT_TRUE(line->ok()); }

    QPushButton* sendButton() { return control<QPushButton>("cmdSend"); }
    Dialog* progress() { return window->findChild<Dialog*>("Dialog"); }
    SendController* sender() { return window->findChild<SendController*>(); }

    // The settings the window shows after a build, and the bytes that build puts on the line.
    struct Built {
        DeviceSettings normalised;
        std::vector<std::uint8_t> wire;
    };
    Built expectedBuild() {
        Built built{window->settings(), {}};
        ConfigImage image{};
        EXPECT_TRUE(buildConfigImage(built.normalised, image));
        const WireBytes bytes = wireBytes(image);
        built.wire.assign(bytes.begin(), bytes.end());
        return built;
    }

    // The window system's close request, as the title bar's close box sends it.
    void closeBoxClicked() {
        ASSERT_NE(window->windowHandle(), nullptr);
        QCloseEvent event;
        QApplication::sendEvent(window->windowHandle(), &event);
    }

    std::shared_ptr<PtyLine> line;

  private:
    explicit SetupSend(std::shared_ptr<PtyLine> pty)
        : SetupWindowTest(portsFor(pty)), line(std::move(pty)) {}
};

TEST_F(SetupSend, SendsTheNormalisedImageInRealTimeWhileTheWindowStaysFree) {
    typeInto("edComm", QString::number(kPtyPort));
    control<QComboBox>("cboBaud")->setCurrentIndex(2);
    typeInto("edNumFlagsAuto", "10");
    typeInto("edMsgRepeat", "8");
    typeInto("edMyCall", "qx9abc-0");
    typeInto("edGpsCheckTime", "5");
    typeInto("esSpeedTable(3)", "25");
    const Built expected = expectedBuild();

    // What the user meets while the port is open, looked at all the way through.
    bool sawOpenPort = false;
    bool sendEnabledWhileOpen = false;
    bool closedWhileOpen = false;
    QString firstProgress;
    QString lastProgress;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        Dialog* dialog = progress();
        if (dialog->isVisible() && !dialog->okButton()->isVisibleTo(dialog)) {
            if (firstProgress.isEmpty())
                firstProgress = dialog->info()->text();
            lastProgress = dialog->info()->text();
        }
        if (!sender()->portOpen())
            return;
        sawOpenPort = true;
        sendEnabledWhileOpen = sendEnabledWhileOpen || sendButton()->isEnabled();
        closeBoxClicked();
        closedWhileOpen = closedWhileOpen || !window->isVisible() || window->close();
    });
    // A modal dialog opened half-way runs its own event loop for a second, in which the send
    // must keep its pace, as with a file dialog opened by Load.
    const auto modalOpen = std::chrono::milliseconds(1000);
    QTimer::singleShot(500, [&] {
        QDialog modal(window.get());
        modal.setModal(true);
        QTimer::singleShot(modalOpen, &modal, &QDialog::accept);
        modal.exec();
    });
    watch.start(1);
    line->startReading();
    click("cmdSend");
    EXPECT_FALSE(sendButton()->isEnabled()) << "SEND is off from the build on";
    ASSERT_TRUE(QTest::qWaitFor([&] { return sendButton()->isEnabled(); }, 6000));
    watch.stop();
    std::vector<testing::Arrival> arrived = line->stopReading();

    std::vector<std::uint8_t> received;
    for (const testing::Arrival& arrival : arrived)
        received.push_back(arrival.byte);
    ASSERT_EQ(received.size(), 170u);
    EXPECT_EQ(received, expected.wire);
    const termios lineSettings = line->settings();
    EXPECT_EQ(cfgetospeed(&lineSettings), speed_t(B38400));
    // Block 1's last byte to the second lead-in: 600 ms, whatever the dialog did meanwhile.
    const auto gap = arrived[85].time - arrived[84].time;
    EXPECT_GE(gap, std::chrono::milliseconds(550));
    EXPECT_LT(gap, std::chrono::milliseconds(600) + modalOpen / 2);
    EXPECT_LT(arrived[169].time - arrived[0].time, std::chrono::milliseconds(1500));

    EXPECT_EQ(window->settings(), expected.normalised);
    EXPECT_EQ(textOf("edNumFlagsAuto"), "027");
    EXPECT_EQ(textOf("edMsgRepeat"), "08");
    EXPECT_EQ(textOf("edMyCall"), "QX9ABC");
    EXPECT_EQ(textOf("edGpsCheckTime"), "010");
    EXPECT_EQ(textOf("esSpeedTable(3)"), "020");

    ASSERT_TRUE(sawOpenPort);
    EXPECT_EQ(firstProgress, "\nSending data on COM3...");
    EXPECT_EQ(lastProgress, "\nSending data on COM3......");
    EXPECT_FALSE(sendEnabledWhileOpen);
    EXPECT_FALSE(closedWhileOpen);
    EXPECT_TRUE(modals.boxes.empty());
    EXPECT_TRUE(progress()->isVisible());
    EXPECT_EQ(progress()->info()->text(),
              "Data sent !\n Be shure that 'Transfer OK' appears on LCD");
    EXPECT_TRUE(progress()->okButton()->isVisible());

    // With the port closed again the window closes, and takes its companions with it.
    typeInto("edGpsAcqTime", "0");
    click("cmdLatLon");
    auto* calculator = window->findChild<CalculatorWindow*>("frmLatLon");
    ASSERT_NE(calculator, nullptr);
    ASSERT_TRUE(calculator->isVisible());
    EXPECT_TRUE(window->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(progress() == nullptr || !progress()->isVisible());
    EXPECT_FALSE(calculator->isVisible());
}

// The user's close box on the progress only hides it; the send goes on to its end.
TEST_F(SetupSend, ClosingTheProgressMidSendOnlyHidesIt) {
    typeInto("edComm", QString::number(kPtyPort));
    QTimer::singleShot(400, [this] {
        ASSERT_TRUE(progress()->isVisible());
        QCloseEvent event;
        QApplication::sendEvent(progress()->windowHandle(), &event);
    });
    click("cmdSend");
    ASSERT_TRUE(QTest::qWaitFor([&] { return sendButton()->isEnabled(); }, 6000));
    EXPECT_EQ(line->readAvailable().size(), 170u);
    ASSERT_NE(progress(), nullptr);
    EXPECT_FALSE(progress()->isVisible());
    progress()->showProgress();
    EXPECT_EQ(progress()->info()->text(),
              "Data sent !\n Be shure that 'Transfer OK' appears on LCD");
}

// The tracker's end goes away after block 1: the port is closed, the layer's words are shown,
// and the progress stays with the text it reached.
TEST_F(SetupSend, AFailureMidSendClosesThePortAndSaysWhy) {
    typeInto("edComm", QString::number(kPtyPort));
    QTimer::singleShot(600, [this] { line->closeMaster(); });
    click("cmdSend");
    ASSERT_TRUE(QTest::qWaitFor([&] { return sendButton()->isEnabled(); }, 6000));
    ASSERT_EQ(modals.boxes.size(), 1u);
    const testing::SeenBox& box = modals.boxes.front();
    EXPECT_EQ(box.title, "Zelvar");
    EXPECT_EQ(box.icon, QMessageBox::NoIcon);
    EXPECT_EQ(box.text.toStdString(), "Write failed on " + line->path() + ": Input/output error");
    EXPECT_FALSE(sender()->portOpen());
    EXPECT_TRUE(progress()->isVisible());
    EXPECT_FALSE(progress()->okButton()->isVisibleTo(progress()));
    EXPECT_EQ(progress()->info()->text(), "\nSending data on COM3.....");
    EXPECT_TRUE(window->close());
}

struct FailingBuild {
    const char* name;
    // Field and keys, typed in this order.
    std::vector<std::pair<const char*, const char*>> typed;
    const char* failingField;
    const char* reason;
    // A field of an earlier step, and the normalised text it shows after the failed build.
    const char* earlierField;
    const char* earlierText;
};

void PrintTo(const FailingBuild& b, std::ostream* out) {
    *out << b.name;
}

class SetupFailedBuild : public SetupSend, public ::testing::WithParamInterface<FailingBuild> {};

TEST_P(SetupFailedBuild, FocusesTheFailingFieldSaysSoAndSendsNothing) {
    const FailingBuild& build = GetParam();
    typeInto("edComm", QString::number(kPtyPort));
    for (const auto& [name, keys] : build.typed)
        typeInto(name, keys);

    QString focusAtTheMessage;
    bool sendEnabledAtTheMessage = true;
    modals.onBox([&](const testing::SeenBox&) {
        focusAtTheMessage = window->focusWidget() ? window->focusWidget()->objectName() : "";
        sendEnabledAtTheMessage = sendButton()->isEnabled();
    });
    click("cmdSend");
    ASSERT_TRUE(QTest::qWaitFor([&] { return sendButton()->isEnabled(); }));

    ASSERT_EQ(modals.boxes.size(), 1u);
    const testing::SeenBox& box = modals.boxes.front();
    EXPECT_EQ(box.text, "Parametri incompleti o non corretti");
    EXPECT_EQ(box.title, "Invio non eseguito - Zelvar");
    EXPECT_EQ(box.icon, QMessageBox::Information);
    EXPECT_EQ(box.buttons, QMessageBox::Ok);
    EXPECT_EQ(box.informativeText, build.reason);
    EXPECT_EQ(focusAtTheMessage, build.failingField);
    EXPECT_FALSE(sendEnabledAtTheMessage);

    // The field keeps the focus for when the window is active again.
    ASSERT_NE(window->focusWidget(), nullptr);
    EXPECT_EQ(window->focusWidget()->objectName(), build.failingField);
    EXPECT_TRUE(sendButton()->isEnabled());
    EXPECT_EQ(textOf(build.earlierField), build.earlierText);
    EXPECT_TRUE(line->readAvailable().empty());
    EXPECT_TRUE(progress() == nullptr || !progress()->isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Fields, SetupFailedBuild,
    ::testing::Values(FailingBuild{"EmptyCallsign",
                                   {{"edNumFlagsAuto", "10"}, {"edMyCall", ""}},
                                   "edMyCall",
                                   "MY CALLSIGN: empty callsign",
                                   "edNumFlagsAuto",
                                   "027"},
                      FailingBuild{"EmptySymbol",
                                   {{"edMsgRepeat", "7"}, {"edSymbol", ""}},
                                   "edSymbol",
                                   "ICON Symbol: no symbol",
                                   "edMsgRepeat",
                                   "07"},
                      FailingBuild{"TimeoutAboveAByte",
                                   {{"edManualTime", "5"}, {"edGpsAcqTime", "999"}},
                                   "edGpsAcqTime",
                                   "Acquisition timeout: value out of range",
                                   "edManualTime",
                                   "0010"},
                      FailingBuild{"FixedIntervalTooLong",
                                   {{"esSpeedTable(6)", "1"}, {"edManualTime", "2555"}},
                                   "edManualTime",
                                   "Manual Timing: value out of range",
                                   "esSpeedTable(6)",
                                   "010"}));

struct PortFailure {
    const char* commPort;
    std::string description;
    std::string finding;  // what the doctor adds below it
};

void PrintTo(const PortFailure& f, std::ostream* out) {
    *out << "port \"" << f.commPort << "\"";
}

class SetupPortFailure : public SetupSend, public ::testing::WithParamInterface<PortFailure> {};

TEST_P(SetupPortFailure, ShowsTheSerialLayersWordsAndNoProgress) {
    const PortFailure& failure = GetParam();
    typeInto("edComm", failure.commPort);
    click("cmdSend");
    ASSERT_TRUE(QTest::qWaitFor([&] { return sendButton()->isEnabled(); }));

    ASSERT_EQ(modals.boxes.size(), 1u);
    const testing::SeenBox& box = modals.boxes.front();
    EXPECT_EQ(box.text.toStdString(), failure.description);
    EXPECT_TRUE(box.informativeText.startsWith(QString::fromStdString("- " + failure.finding)))
        << box.informativeText.toStdString();
    EXPECT_EQ(box.title, "Zelvar");
    EXPECT_EQ(box.icon, QMessageBox::NoIcon);
    EXPECT_EQ(box.buttons, QMessageBox::Ok);
    EXPECT_TRUE(progress() == nullptr || !progress()->isVisible());
    EXPECT_TRUE(line->readAvailable().empty());
    EXPECT_TRUE(window->close()) << "the failed send left the port closed";
}

INSTANTIATE_TEST_SUITE_P(
    Ports, SetupPortFailure,
    ::testing::Values(PortFailure{"7",
                                  "Serial port 7 does not exist: the system lists 2 "
                                  "serial devices",
                                  "Serial port 7 does not exist: the system lists 2 "
                                  "serial devices: port 3 /dev/pts/"},
                      PortFailure{"4",
                                  std::string("Cannot open ") + kMissingDevice +
                                      ": No such file or directory",
                                  std::string(kMissingDevice) + " does not exist"}));

}  // namespace
}  // namespace zelvar
