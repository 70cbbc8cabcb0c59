#include "transfer/port_list_format.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace zelvar {
namespace {

NumberedPort port(int number, std::vector<std::string> fields) {
    fields.resize(7);
    return {number, {fields[0], fields[1], fields[2], fields[3], fields[4], fields[5], fields[6]}};
}

// Whatever the system's words hold, a JSON reader gets them back as they were.
TEST(PortsJson, ReadsBackAsTheDevicesWere) {
    const std::vector<NumberedPort> ports = {
        port(1, {"ttyUSB0", "/dev/ttyUSB0", "USB2.0-Serial", "QinHeng Electronics", "1a86:7523",
                 "A9\"x\\y", "/dev/serial/by-id/usb-1a86_USB2.0-Serial-if00-port0"}),
        port(2, {"ttyACM0", "/dev/ttyACM0", "tab\there\nline\x01\x1f\x7f", "Ünïcødé – ✓ 📡"}),
        port(12, {"COM12", "\\\\.\\COM12"})};
    QJsonParseError error{};
    const QJsonDocument document =
        QJsonDocument::fromJson(QByteArray::fromStdString(portsJson(ports)), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << portsJson(ports);
    const QJsonArray array = document.array();
    ASSERT_EQ(array.size(), 3);
    for (qsizetype i = 0; i < array.size(); ++i) {
        const QJsonObject object = array[i].toObject();
        const SerialDevice& device = ports[static_cast<std::size_t>(i)].device;
        EXPECT_EQ(object["number"].toInt(), ports[static_cast<std::size_t>(i)].number);
        const std::pair<const char*, const std::string*> fields[] = {
            {"name", &device.name},
            {"location", &device.location},
            {"description", &device.description},
            {"manufacturer", &device.manufacturer},
            {"usbId", &device.usbId},
            {"serialNumber", &device.serialNumber},
            {"stableName", &device.stableName}};
        for (const auto& [key, value] : fields) {
            EXPECT_EQ(object[key].isNull(), value->empty()) << key;
            EXPECT_EQ(object[key].toString().toStdString(), *value) << key;
        }
    }
    EXPECT_EQ(portsJson({}), "[]\n");
}

TEST(PortsText, GivesOneLinePerPort) {
    EXPECT_EQ(portsText({port(1, {"ttyUSB0", "/dev/ttyUSB0", "USB2.0-Serial", "", "1a86:7523", "A9",
                                  "/dev/serial/by-id/usb-x"}),
                         port(12, {"ttyS0", "/dev/ttyS0"})}),
              "  1  /dev/ttyUSB0  USB2.0-Serial, USB 1a86:7523, serial number A9, "
              "/dev/serial/by-id/usb-x\n"
              " 12  /dev/ttyS0\n");
}

}  // namespace
}  // namespace zelvar
