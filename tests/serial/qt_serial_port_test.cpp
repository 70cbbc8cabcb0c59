#include "serial/qt_serial_port.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <memory>
#include <numeric>

#include "../files/cfg_test_support.h"
#include "../ports/pty_far_end.h"
#include "transfer/block_framing.h"
#include "transfer/send_sequence.h"

namespace zelvar {
namespace {

struct Progress : SendObserver {
    std::string text;
    bool shown = false;
    void setText(std::string_view t) override { text = t; }
    void setOkVisible(bool) override {}
    void showProgress() override { shown = true; }
};

// The pacing is SendPacer's: here the line alone, on a clock that jumps over every wait.
SendClock jumpingClock() {
    auto now = std::make_shared<LineTime>();
    return {[now] { return *now; }, [now] { return SuspendTime{} + (*now - LineTime{}); },
            [now](LineTime until) {
                *now = until;
                return true;
            }};
}

// QSerialPort wants an application object for its notifiers.
class SerialLine : public ::testing::Test {
  protected:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "serial_tests";
        static char* argv[] = {name, nullptr};
        static QCoreApplication app(argc, argv);
        ASSERT_TRUE(line.ok());
    }
    SendResult send(QtSerialPort& port, const std::string& settings) {
        return sendConfig(makeTransferPlan(image, {settings, 1, "COM1"}), port, progress,
                          jumpingClock());
    }
    testing::PtyFarEnd line;
    Progress progress;
    ConfigImage image{};
};

// Bytes a terminal would mangle if the line were not raw (LF, CR, XON, XOFF, DEL, ^C, ^D) arrive
// as they were. A pseudo-terminal keeps speed and stop bits only: the rest is the parser's test.
TEST_F(SerialLine, DeliversExactly170BytesOnARawLine) {
    std::iota(image.begin(), image.end(), std::uint8_t{0});
    for (auto [i, byte] : {std::pair{3, '\n'}, {4, '\r'}, {5, 0x11}, {6, 0x13}, {7, 0x7F}, {8, 3}})
        image[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(byte);
    for (const auto& [settings, speed] :
         {std::pair{"4800,n,8,1", B4800}, {"38400,N,8,2", B38400}}) {
        QtSerialPort port(fixedDevice(line.path()));
        ASSERT_TRUE(port.setSettings(settings) && port.setPortNumber(1) && port.open());
        const termios t = line.settings();
        EXPECT_EQ(cfgetospeed(&t), speed);
        EXPECT_EQ((t.c_cflag & CSTOPB) != 0, std::string_view(settings).back() == '2');
        EXPECT_EQ(t.c_oflag & OPOST, 0u);
        EXPECT_EQ(t.c_lflag & ICANON, 0u);
        ASSERT_TRUE(port.close());
        line.listen();
        const SendResult result = send(port, settings);
        ASSERT_TRUE(result) << reasonOf(result);
        // Sent without the pauses: every byte is there, only the pause is short.
        const std::optional<TransferReport> arrived = line.transfer();
        ASSERT_TRUE(arrived);
        const WireBytes wire = wireBytes(image);
        EXPECT_EQ(arrived->bytes, std::vector<std::uint8_t>(wire.begin(), wire.end()));
        ASSERT_EQ(arrived->faults().size(), 1u);
        EXPECT_TRUE(arrived->faults()[0].starts_with("second lead-in after"));
        EXPECT_FALSE(port.isOpen());
        EXPECT_EQ(progress.text, kSentMessage);
    }
}

TEST_F(SerialLine, RefusalsSayWhyAndSendNothing) {
    QtSerialPort holder(fixedDevice(line.path()));
    ASSERT_TRUE(holder.setPortNumber(1) && holder.open());
    QtSerialPort port(fixedDevice(line.path()));
    SendResult result = send(port, "4800,n,8,1");
    EXPECT_EQ(reasonOf(result),
              "Cannot open " + line.path() + ": Permission error while locking the device");
    // The same device by another name (a link) has another lock file: root, whom the device's
    // exclusive mode does not stop, must not send into the first send all the same.
    testing_support::TempFolder folder;
    const std::filesystem::path link = folder.path() / "link";
    std::filesystem::create_symlink(line.path(), link);
    QtSerialPort alias(fixedDevice(link.string()));
    ASSERT_TRUE(alias.setPortNumber(1));
    EXPECT_FALSE(alias.open());
    ASSERT_TRUE(holder.close());
    // A .cfg's Baud of -1 (no entry of the list) leaves the speed out, in the page's words.
    result = send(port, ",n,8,1");
    EXPECT_EQ(reasonOf(result), "Invalid line settings ',n,8,1': no speed is chosen in Baud");
    EXPECT_FALSE(progress.shown);
    EXPECT_FALSE(port.isOpen());
    line.listen();
    EXPECT_EQ(line.transfer(std::chrono::milliseconds(100)), std::nullopt);
    std::uint8_t byte = 0;
    EXPECT_FALSE(port.write(std::span(&byte, 1)));
    EXPECT_FALSE(QtSerialPort(fixedDevice(line.path())).open()) << "no port number chosen yet";
}

TEST(ParseLineSettings, ReadsEveryPartAndRefusesTheRest) {
    using P = QSerialPort;
    const std::tuple<std::string, int, P::Parity, P::DataBits, P::StopBits> valid[] = {
        {"9600,e,7,2", 9600, P::EvenParity, P::Data7, P::TwoStop},
        {"2400,O,6,1", 2400, P::OddParity, P::Data6, P::OneStop},
        {"115200,m,5,1.5", 115200, P::MarkParity, P::Data5, P::OneAndHalfStop},
        {"300,s,8,1", 300, P::SpaceParity, P::Data8, P::OneStop}};
    for (const auto& [text, baud, parity, dataBits, stopBits] : valid) {
        const Result<LineSettings> parsed = parseLineSettings(text);
        ASSERT_TRUE(parsed) << text << ": " << reasonOf(parsed);
        EXPECT_TRUE(parsed->baud == baud && parsed->parity == parity &&
                    parsed->dataBits == dataBits && parsed->stopBits == stopBits)
            << text;
    }
    for (std::string text :
         {"", "9600,n,8", "9600,n,8,1,", "abc,n,8,1", "0,n,8,1", "-9600,n,8,1", "99999999,n,8,1",
          "9600,x,8,1", "9600,,8,1", "9600,nn,8,1", "9600,n,9,1", "9600,n,4,1", "9600,n,8,3",
          "9600,n,8,1.0", " 9600,n,8,1"}) {
        const Result<LineSettings> parsed = parseLineSettings(text);
        EXPECT_FALSE(parsed) << text;
        EXPECT_TRUE(reasonOf(parsed).starts_with("Invalid line settings '" + text + "'"))
            << reasonOf(parsed);
    }
}

}  // namespace
}  // namespace zelvar
