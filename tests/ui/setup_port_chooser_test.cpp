// The device list at the right of the Baud row, on a port list of the test's own.
#include <QMenu>

#include "setup_window_support.h"

namespace zelvar {
namespace {

// The ports the test's system lists, and how often the window read them.
struct Listed {
    std::vector<NumberedPort> ports;
    int listings = 0;
} listed;

PortLister freshListing() {
    listed = {{{1,
                {"ttyUSB0", "/dev/ttyUSB0", "USB2.0-Serial", "QinHeng Electronics", "1a86:7523", "",
                 "/dev/serial/by-id/usb-1a86_USB2.0-Serial-if00-port0"}},
               {2, {"ttyS0", "/dev/ttyS0", "<img src=\"/dev/zero\"> & <b>more</b>"}},
               {10, {"ttyS8", "/dev/ttyS8", {}}}}};
    return [] {
        ++listed.listings;
        return listed.ports;
    };
}

class SetupPortChooser : public testing::SetupWindowTest {
  protected:
    SetupPortChooser() : SetupWindowTest(freshListing()) {}
    void SetUp() override {
        ASSERT_TRUE(QTest::qWaitFor([&] { return listed.listings > 0; }))
            << "the list is read once the window is on screen";
    }

    QPushButton* chooser() { return control<QPushButton>("cmdPortDevice"); }
    bool shownAsMissing() {
        return chooser()->palette().color(QPalette::ButtonText) !=
               window->palette().color(QPalette::ButtonText);
    }
};

// The name a screen reader says, whether it shows as missing, and a part of the tip (the port
// list's own tests pin the rest of it, and a USB device's details).
TEST_F(SetupPortChooser, ShowsTheDeviceOrThatThereIsNone) {
    const std::tuple<const char*, const char*, bool, const char*> rows[] = {
        {"2", "Port 2: ttyS0", false, "/dev/ttyS0\n<img src=\"/dev/zero\"> & <b>more</b>"},
        {"3", "Port 3: no such port", true, "the system lists 3 serial devices"},
        {"", "Port 0: no such port", true, "port numbers start at 1"}};
    for (const auto& [port, name, missing, described] : rows) {
        typeInto("edComm", port);
        EXPECT_EQ(chooser()->accessibleName(), name);
        EXPECT_EQ(shownAsMissing(), missing) << name;
        const QString tip = testing::shownAsToolTip(chooser()->toolTip());
        EXPECT_TRUE(tip.contains(described)) << tip.toStdString();
        EXPECT_EQ(chooser()->accessibleDescription(), tip);
        EXPECT_EQ(tip.contains("Choose one of the listed ports"), missing);
    }
    // With nothing listed there is nothing to choose from.
    listed.ports.clear();
    QTimer::singleShot(0, [&] { chooser()->menu()->close(); });
    chooser()->showMenu();
    typeInto("edComm", "2");
    EXPECT_EQ(testing::shownAsToolTip(chooser()->toolTip()),
              "Serial port 2 does not exist: the system lists 0 serial devices.");
}

TEST_F(SetupPortChooser, TheMenuListsAfreshAndChoosingSetsTheNumber) {
    typeInto("edComm", "3");
    listed.ports.insert(listed.ports.begin() + 2, {3, {"ttyACM0", "/dev/ttyACM0", "Pico"}});
    const int listings = listed.listings;
    QStringList entries, disabled, checked;
    QTimer::singleShot(0, [&] {
        QMenu* menu = chooser()->menu();
        for (QAction* entry : menu->actions()) {
            entries << entry->text();
            if (!entry->isEnabled())
                disabled << entry->text();
            if (entry->isChecked())
                checked << entry->text();
        }
        menu->setActiveAction(menu->actions().value(1));
        QTest::keyClick(menu, Qt::Key_Return);
    });
    chooser()->showMenu();
    EXPECT_EQ(listed.listings, listings + 1);
    const QString pico = QStringLiteral("Port 3: ttyACM0 \u2014 Pico");
    EXPECT_EQ(entries, QStringList({QStringLiteral("Port 1: ttyUSB0 \u2014 USB2.0-Serial, QinHeng "
                                                   "Electronics, USB 1a86:7523"),
                                    "Port 2: ttyS0 \u2014 <img src=\"/dev/zero\"> && <b>more</b>",
                                    pico, "Port 10: ttyS8"}));
    EXPECT_EQ(disabled, QStringList({"Port 10: ttyS8"})) << "\"Comm num\" takes one digit";
    EXPECT_EQ(checked, QStringList({pico}));
    EXPECT_EQ(textOf("edComm"), "2");
    EXPECT_FALSE(shownAsMissing());
}

TEST_F(SetupPortChooser, FollowsDevicesThatComeAndGo) {
    listed.ports.erase(listed.ports.begin());
    QFile node(QStringLiteral("/dev/zelvar-test-%1").arg(QCoreApplication::applicationPid()));
    if (!node.open(QIODevice::NewOnly))
        GTEST_SKIP() << "only root may make a node in /dev";
    node.remove();
    EXPECT_TRUE(QTest::qWaitFor([&] { return shownAsMissing(); }));
    EXPECT_EQ(chooser()->accessibleName(), "Port 1: no such port");
}

}  // namespace
}  // namespace zelvar
