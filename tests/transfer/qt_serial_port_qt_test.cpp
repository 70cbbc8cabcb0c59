#include "transfer/qt_serial_port_qt.h"

#include <gtest/gtest.h>

#include <sys/ioctl.h>
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <numeric>
#include <optional>

#include "pty_line.h"
#include "transfer/block_framing.h"
#include "transfer/send_sequence.h"
#include "transfer/system_ports_qt.h"

namespace zelvar {
namespace {

using std::chrono::milliseconds;
using testing::PtyLine;

struct Progress : SendObserver {
    std::string text;
    bool shown = false;

    void setText(std::string_view t) override { text = t; }
    void setOkVisible(bool) override {}
    void showProgress() override { shown = true; }
};

// Bytes a terminal would mangle if the line were not raw: LF, CR, XON, XOFF, DEL, ^C, ^D.
ConfigImage awkwardImage() {
    ConfigImage image{};
    std::iota(image.begin(), image.end(), std::uint8_t{0});
    for (std::size_t i : {3u, 90u})
        image[i] = '\n';
    image[4] = '\r';
    image[5] = 0x11;
    image[6] = 0x13;
    image[7] = 0x7F;
    image[8] = 0x03;
    image[9] = 0x04;
    image[163] = 0xFF;
    return image;
}

std::vector<std::uint8_t> wire(const ConfigImage& image) {
    WireBytes bytes = wireBytes(image);
    return {bytes.begin(), bytes.end()};
}

void noPause(milliseconds) {}

// QSerialPort wants an application object for its notifiers.
void ensureQtApplication() {
    static int argc = 1;
    static char name[] = "serial_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
}

class SerialLine : public ::testing::Test {
  protected:
    void SetUp() override {
        ensureQtApplication();
        ASSERT_TRUE(line.ok());
    }
    PtyLine line;
};

TEST_F(SerialLine, DeliversExactly170Bytes) {
    QtSerialPort port(fixedDevice(line.path()));
    Progress progress;
    ConfigImage image = awkwardImage();
    SendResult result =
        sendConfig(makeTransferPlan(image, {"4800,n,8,1", 1, "COM1"}), port, progress, noPause);
    ASSERT_TRUE(result) << reasonOf(result);
    std::vector<std::uint8_t> received = line.readAvailable();
    EXPECT_EQ(received.size(), 170u);
    EXPECT_EQ(received, wire(image));
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(progress.text, kSentMessage);
}

// A pseudo-terminal keeps speed and stop bits but always runs 8 bits without parity, so the
// other parts are checked on the parser alone.
struct SettingsCase {
    std::string text;
    speed_t speed;
    bool twoStopBits;
};

class LineSettingsOnThePty : public SerialLine,
                             public ::testing::WithParamInterface<SettingsCase> {};

TEST_P(LineSettingsOnThePty, AreTheOnesChosen) {
    const SettingsCase& c = GetParam();
    QtSerialPort port(fixedDevice(line.path()));
    ASSERT_TRUE(port.setSettings(c.text));
    ASSERT_TRUE(port.setPortNumber(1));
    Result<> opened = port.open();
    ASSERT_TRUE(opened) << reasonOf(opened);
    termios t = line.settings();
    EXPECT_EQ(cfgetospeed(&t), c.speed);
    EXPECT_EQ(t.c_cflag & CSIZE, tcflag_t{CS8});
    EXPECT_EQ(t.c_cflag & PARENB, 0u);
    EXPECT_EQ((t.c_cflag & CSTOPB) != 0, c.twoStopBits);
    EXPECT_EQ(t.c_oflag & OPOST, 0u) << "the line must be raw";
    EXPECT_EQ(t.c_lflag & ICANON, 0u);
}

INSTANTIATE_TEST_SUITE_P(Texts, LineSettingsOnThePty,
                         ::testing::Values(SettingsCase{"4800,n,8,1", B4800, false},
                                           SettingsCase{"9600,n,8,1", B9600, false},
                                           SettingsCase{"38400,n,8,1", B38400, false},
                                           SettingsCase{"2400,N,8,2", B2400, true}));

TEST(ParseLineSettings, RefusesMalformedTexts) {
    for (std::string text :
         {"", "9600", "9600,n,8", "9600,n,8,1,", "9600,n,8,1,x", "abc,n,8,1", "0,n,8,1",
          "-9600,n,8,1", "99999999,n,8,1", ",n,8,1", "9600,x,8,1", "9600,,8,1", "9600,nn,8,1",
          "9600,n,9,1", "9600,n,4,1", "9600,n,8,3", "9600,n,8,1.0", " 9600,n,8,1"}) {
        Result<LineSettings> parsed = parseLineSettings(text);
        EXPECT_FALSE(parsed) << text;
        EXPECT_TRUE(reasonOf(parsed).starts_with("Invalid line settings '" + text + "'"))
            << reasonOf(parsed);
    }
}

TEST(ParseLineSettings, ReadsEveryPart) {
    using P = QSerialPort;
    const std::pair<std::string, LineSettings> cases[] = {
        {"4800,n,8,1", {4800, P::NoParity, P::Data8, P::OneStop}},
        {"38400,N,8,1", {38400, P::NoParity, P::Data8, P::OneStop}},
        {"9600,e,7,2", {9600, P::EvenParity, P::Data7, P::TwoStop}},
        {"2400,O,6,1", {2400, P::OddParity, P::Data6, P::OneStop}},
        {"115200,m,5,1.5", {115200, P::MarkParity, P::Data5, P::OneAndHalfStop}},
        {"300,s,8,1", {300, P::SpaceParity, P::Data8, P::OneStop}}};
    for (const auto& [text, e] : cases) {
        Result<LineSettings> parsed = parseLineSettings(text);
        ASSERT_TRUE(parsed) << reasonOf(parsed);
        EXPECT_EQ(parsed->baud, e.baud) << text;
        EXPECT_EQ(parsed->parity, e.parity) << text;
        EXPECT_EQ(parsed->dataBits, e.dataBits) << text;
        EXPECT_EQ(parsed->stopBits, e.stopBits) << text;
    }
}

// A failed send leaves nothing written after the failure and the port closed.
struct FailedSend {
    SendResult result;
    Progress progress;
    bool portOpen = true;
};

FailedSend sendExpectingFailure(QtSerialPort& port, SendTarget target, Sleep sleep = noPause) {
    FailedSend outcome;
    outcome.result =
        sendConfig(makeTransferPlan(awkwardImage(), target), port, outcome.progress, sleep);
    outcome.portOpen = port.isOpen();
    return outcome;
}

TEST_F(SerialLine, NoSuchDeviceFailsBeforeTheDialog) {
    QtSerialPort port(fixedDevice("/dev/zelvar-no-such-device"));
    FailedSend sent = sendExpectingFailure(port, {"4800,n,8,1", 1, "COM1"});
    EXPECT_EQ(outcomeOf(sent.result), SendOutcome::Failed);
    EXPECT_EQ(reasonOf(sent.result),
              "Cannot open /dev/zelvar-no-such-device: No such file or directory");
    EXPECT_FALSE(sent.progress.shown);
    EXPECT_FALSE(sent.portOpen);
}

// Without a device given, the port number is looked up in the system's list.
TEST_F(SerialLine, NumbersOutsideTheSystemsPortsSaySo) {
    const int beyond = static_cast<int>(systemPorts().size()) + 1;
    for (const auto& [number, reason] :
         {std::pair{0, std::string("Serial port 0 does not exist: port numbers start at 1")},
          std::pair{beyond, "Serial port " + std::to_string(beyond) + " does not exist"}}) {
        QtSerialPort port;
        FailedSend sent = sendExpectingFailure(port, {"4800,n,8,1", number, "COM"});
        EXPECT_TRUE(reasonOf(sent.result).starts_with(reason)) << reasonOf(sent.result);
        EXPECT_FALSE(sent.progress.shown);
        EXPECT_FALSE(sent.portOpen);
    }
}

TEST_F(SerialLine, RefusedSettingsTextSendsNothing) {
    QtSerialPort port(fixedDevice(line.path()));
    FailedSend sent = sendExpectingFailure(port, {",n,8,1", 1, "COM1"});
    EXPECT_EQ(reasonOf(sent.result), "Invalid line settings ',n,8,1': unsupported speed ''");
    EXPECT_TRUE(line.readAvailable().empty());
    EXPECT_FALSE(sent.portOpen);
}

TEST_F(SerialLine, DeviceHeldByAnotherPortIsBusy) {
    QtSerialPort holder(fixedDevice(line.path()));
    ASSERT_TRUE(holder.setPortNumber(1));
    ASSERT_TRUE(holder.open());

    QtSerialPort port(fixedDevice(line.path()));
    FailedSend sent = sendExpectingFailure(port, {"4800,n,8,1", 1, "COM1"});
    EXPECT_EQ(reasonOf(sent.result),
              "Cannot open " + line.path() + ": Permission error while locking the device");
    EXPECT_FALSE(sent.progress.shown);
    EXPECT_FALSE(sent.portOpen);
    EXPECT_TRUE(holder.isOpen());
    EXPECT_TRUE(line.readAvailable().empty());
}

TEST_F(SerialLine, DeviceHeldExclusivelyIsBusy) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root opens a terminal in exclusive mode all the same";
    ASSERT_EQ(ioctl(line.slave(), TIOCEXCL), 0);
    QtSerialPort port(fixedDevice(line.path()));
    FailedSend sent = sendExpectingFailure(port, {"4800,n,8,1", 1, "COM1"});
    EXPECT_TRUE(reasonOf(sent.result).starts_with("Cannot open " + line.path() + ": "))
        << reasonOf(sent.result);
    EXPECT_FALSE(sent.portOpen);
}

TEST_F(SerialLine, FarEndClosedMidSendStopsAndClosesThePort) {
    QtSerialPort port(fixedDevice(line.path()));
    std::vector<std::uint8_t> beforeClose;
    Sleep sleep = [&](milliseconds pause) {
        if (pause == milliseconds(600)) {
            beforeClose = line.readAvailable();
            line.closeMaster();
        }
    };
    FailedSend sent = sendExpectingFailure(port, {"4800,n,8,1", 1, "COM1"}, sleep);
    EXPECT_EQ(outcomeOf(sent.result), SendOutcome::Failed);
    EXPECT_EQ(reasonOf(sent.result), "Write failed on " + line.path() + ": Input/output error");
    std::vector<std::uint8_t> all = wire(awkwardImage());
    EXPECT_EQ(beforeClose, std::vector<std::uint8_t>(all.begin(), all.begin() + 85));
    EXPECT_TRUE(sent.progress.shown);
    EXPECT_EQ(sent.progress.text, "\r\nSending data on COM1.....");
    EXPECT_FALSE(sent.portOpen);
}

TEST_F(SerialLine, WriteOnAClosedPortFails) {
    QtSerialPort port(fixedDevice(line.path()));
    std::uint8_t byte = 0;
    EXPECT_FALSE(port.write(std::span(&byte, 1)));
    EXPECT_FALSE(port.open()) << "no port number chosen yet";
    EXPECT_TRUE(port.close()) << "closing a closed port is harmless";
}

TEST_F(SerialLine, WholeSendKeepsItsPausesInRealTime) {
    QtSerialPort port(fixedDevice(line.path()));
    Progress progress;
    ConfigImage image = awkwardImage();
    line.startReading();
    auto start = testing::Clock::now();
    SendResult result =
        sendConfig(makeTransferPlan(image, {"4800,n,8,1", 1, "COM1"}), port, progress);
    auto elapsed = testing::Clock::now() - start;
    std::vector<testing::Arrival> arrivals = line.stopReading();

    ASSERT_TRUE(result) << reasonOf(result);
    ASSERT_EQ(arrivals.size(), 170u);
    std::vector<std::uint8_t> bytes;
    for (const testing::Arrival& arrival : arrivals)
        bytes.push_back(arrival.byte);
    EXPECT_EQ(bytes, wire(image));

    auto gap = [&](std::size_t from, std::size_t to) {
        return std::chrono::duration_cast<milliseconds>(arrivals[to].time - arrivals[from].time);
    };
    // Loose bounds: the sleeps are never shorter, a busy machine makes them longer.
    EXPECT_GE(gap(2, 85), milliseconds(550));  // block 1 to the second lead-in
    EXPECT_LT(gap(2, 85), milliseconds(1500));
    EXPECT_GE(gap(0, 87), milliseconds(600));  // first lead-in to block 2
    EXPECT_GE(elapsed, milliseconds(1520));
    EXPECT_LT(elapsed, milliseconds(4000));
}

// The write that does not block: the event loop hears when the bytes have gone, or that the far
// end went away.
std::optional<Result<>> writeAndWait(QtSerialPort& port, std::span<const std::uint8_t> bytes) {
    std::optional<Result<>> done;
    QEventLoop loop;
    Result<> started = port.startWrite(bytes, [&](Result<> status) {
        done = status;
        loop.quit();
    });
    if (!started)
        return started;
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
    return done;
}

TEST_F(SerialLine, StartedWritesReportFromTheEventLoop) {
    QtSerialPort port(fixedDevice(line.path()));
    ASSERT_TRUE(port.setPortNumber(1));
    ASSERT_TRUE(port.open());
    const std::vector<std::uint8_t> bytes = wire(awkwardImage());
    const std::optional<Result<>> written = writeAndWait(port, bytes);
    ASSERT_TRUE(written.has_value()) << "no word from the port";
    EXPECT_TRUE(*written) << reasonOf(*written);
    EXPECT_EQ(line.readAvailable(), bytes);

    line.closeMaster();
    std::optional<Result<>> failed = writeAndWait(port, bytes);
    ASSERT_TRUE(failed.has_value()) << "no word from the port";
    EXPECT_FALSE(*failed);
    EXPECT_NE(reasonOf(*failed).find("Write failed on " + line.path()), std::string::npos)
        << reasonOf(*failed);
    EXPECT_TRUE(port.close());
    EXPECT_FALSE(port.startWrite(bytes, [](Result<>) { FAIL() << "a closed port reports"; }));
}

}  // namespace
}  // namespace zelvar
