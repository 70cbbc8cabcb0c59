#include "ports/port_list_format.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace zelvar {
namespace {

NumberedPort port(int number, std::vector<std::string> f) {
    f.resize(7);
    return {number, {f[0], f[1], f[2], f[3], f[4], f[5], f[6]}};
}

// Whatever the system's words hold, a JSON reader gets them back as they were; unknown is null.
TEST(PortsJson, ReadsBackAsTheDevicesWere) {
    const std::vector<NumberedPort> ports = {
        port(1, {"ttyUSB0", "/dev/ttyUSB0", "USB2.0-Serial", "QinHeng", "1a86:7523", "A9\"x\\y",
                 "/dev/serial/x"}),
        port(2, {"ttyACM0", "/dev/ttyACM0", "tab\there\nline\x01\x1f\x7f"}),
        port(12, {"COM12", "\\\\.\\COM12"})};
    const QJsonArray array =
        QJsonDocument::fromJson(QByteArray::fromStdString(portsJson(ports))).array();
    ASSERT_EQ(array.size(), 3) << portsJson(ports);
    const char* keys[] = {"name",  "location",     "description", "manufacturer",
                          "usbId", "serialNumber", "stableName"};
    for (std::size_t i = 0; i < ports.size(); ++i) {
        const QJsonObject object = array[static_cast<qsizetype>(i)].toObject();
        const SerialDevice& d = ports[i].device;
        EXPECT_EQ(object["number"].toInt(), ports[i].number);
        const std::string* values[] = {&d.name,  &d.location,     &d.description, &d.manufacturer,
                                       &d.usbId, &d.serialNumber, &d.stableName};
        for (std::size_t k = 0; k < 7; ++k) {
            EXPECT_EQ(object[keys[k]].isNull(), values[k]->empty()) << keys[k];
            EXPECT_EQ(object[keys[k]].toString().toStdString(), *values[k]) << keys[k];
        }
    }
    EXPECT_EQ(portsJson({}), "[]\n");
}

// An adapter names itself: a line break in its words makes no port line of its own.
TEST(PortsText, GivesOneLinePerPort) {
    EXPECT_EQ(portsText({port(1, {"ttyUSB0", "/dev/ttyUSB0", "USB2.0-Serial", "", "1a86:7523", "A9",
                                  "/dev/serial/by-id/usb-x"}),
                         port(12, {"ttyS0", "/dev/ttyS0"}),
                         port(13, {"ttyACM0", "/dev/ttyACM0", "Modem\n  2  /dev/ttyUSB9"})}),
              "  1  /dev/ttyUSB0  USB2.0-Serial, USB 1a86:7523, serial number A9, "
              "/dev/serial/by-id/usb-x\n 12  /dev/ttyS0\n"
              " 13  /dev/ttyACM0  Modem\\x0A  2  /dev/ttyUSB9\n");
}

}  // namespace
}  // namespace zelvar
