// SEND from the main window to a real pseudo-terminal, and its progress dialog.
#include <QAccessible>
#include <QCloseEvent>
#include <QDialog>
#include <QFileInfo>
#include <QMainWindow>
#include <QProcess>
#include <QWindow>
#include <csignal>
#include <vector>

#include "../ports/pty_far_end.h"
#include "config/config_image.h"
#include "ports/suspend_clock.h"
#include "serial/system_ports.h"
#include "setup_window_support.h"
#include "transfer/block_framing.h"
#include "ui/message_dialog.h"
#include "ui/send_controller.h"
#include "ui/settings_form.h"
#include "ui/termination_requests.h"

namespace zelvar {
namespace {

using testing::kSentShown;
using testing::PtyFarEnd;
constexpr const char* kMissingDevice = "/nonexistent/zelvar-tty";
// Port 3 is the test's line, port 4 a device that is not there, the others do not exist.
PortLister portsFor(std::shared_ptr<PtyFarEnd> line) {
    return [line] {
        return std::vector<NumberedPort>{{3, {"pts-test", line->path(), "test line"}},
                                         {4, {"gone", kMissingDevice, {}}}};
    };
}

class SetupSend : public testing::SetupWindowTest {
  protected:
    SetupSend() : SetupSend(std::make_shared<PtyFarEnd>()) {}
    void SetUp() override { ASSERT_TRUE(line->ok()); }

    QPushButton* sendButton() { return control<QPushButton>("cmdSend"); }
    MessageDialog* progress() { return window->findChild<MessageDialog*>("Dialog"); }
    bool progressShown() { return progress() && progress()->isVisible(); }
    void sendAndWait(const char* port = "3") {
        typeInto("edComm", port);
        click("cmdSend");
        ASSERT_TRUE(QTest::qWaitFor([&] { return sendButton()->isEnabled(); }, 6000));
    }

    // The tracker's end judged what arrived a good transfer.
    void expectGoodTransfer() {
        const std::optional<TransferReport> arrived = line->transfer();
        ASSERT_TRUE(arrived);
        EXPECT_TRUE(arrived->ok()) << arrived->faults().front();
    }

    std::shared_ptr<PtyFarEnd> line;

  private:
    explicit SetupSend(std::shared_ptr<PtyFarEnd> pty)
        : SetupWindowTest(portsFor(pty)), line(std::move(pty)) {}
};

TEST_F(SetupSend, SendsTheNormalisedImageInRealTimeWhileTheWindowStaysFree) {
    control<QComboBox>("cboBaud")->setCurrentIndex(0);
    typeInto("edComm", "3");
    typeInto("edMyCall", "qx9abc-0");
    DeviceSettings normalised = window->settings();
    ConfigImage image{};
    ASSERT_TRUE(buildConfigImage(normalised, image));
    const WireBytes wire = wireBytes(image);

    // While the port is open (the progress texts are the send sequence's), closing is refused.
    bool sawOpenPort = false, sendEnabledWhileOpen = false, closedWhileOpen = false;
    speed_t speedWhileOpen = 0;  // the port gives the line its own settings back as it closes
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!window->findChild<SendController*>()->portOpen())
            return;
        sawOpenPort = true;
        const termios lineSettings = line->settings();
        speedWhileOpen = cfgetospeed(&lineSettings);
        sendEnabledWhileOpen = sendEnabledWhileOpen || sendButton()->isEnabled();
        QCloseEvent event;
        QApplication::sendEvent(window->windowHandle(), &event);
        closedWhileOpen = closedWhileOpen || !window->isVisible() || window->close();
    });
    // A modal dialog opened half-way runs its own event loop for a second (as Load's file
    // dialog does), in which the send keeps its pace.
    const auto modalOpen = std::chrono::milliseconds(1000);
    QTimer::singleShot(500, [&] {
        QDialog modal(window.get());
        QTimer::singleShot(modalOpen, &modal, &QDialog::accept);
        modal.exec();
    });
    watch.start(1);
    line->listen();
    click("cmdSend");
    EXPECT_FALSE(sendButton()->isEnabled()) << "SEND is off from the build on";
    ASSERT_TRUE(QTest::qWaitFor([&] { return sendButton()->isEnabled(); }, 6000));
    watch.stop();

    // The tracker's end judges the transfer: the bytes, the checksums, the pause after block 1.
    const std::optional<TransferReport> arrived = line->transfer();
    ASSERT_TRUE(arrived);
    EXPECT_TRUE(arrived->ok()) << arrived->faults().front();
    EXPECT_EQ(arrived->bytes, std::vector<std::uint8_t>(wire.begin(), wire.end()));
    EXPECT_EQ(speedWhileOpen, speed_t(B4800));
    // The pause starts once block 1 has left the wire (83 characters of 10 bits at 4800 bit/s),
    // which a pseudo-terminal does not wait for; the modal dialog must not stretch it.
    ASSERT_EQ(arrived->gaps.size(), 4u);
    EXPECT_GE(arrived->gaps[1].length, std::chrono::milliseconds(600) +
                                           std::chrono::microseconds(83 * 10'000'000 / 4800) -
                                           kPauseTolerance);
    EXPECT_LT(arrived->gaps[1].length, std::chrono::milliseconds(600) + modalOpen / 2);
    EXPECT_LT(arrived->gaps[3].length, std::chrono::milliseconds(1500));

    EXPECT_EQ(window->settings(), normalised);
    EXPECT_EQ(textOf("edMyCall"), "QX9ABC");
    ASSERT_TRUE(sawOpenPort);
    EXPECT_FALSE(sendEnabledWhileOpen);
    EXPECT_FALSE(closedWhileOpen);
    EXPECT_TRUE(modals.boxes.empty());
    EXPECT_TRUE(progressShown() && progress()->okButton()->isVisible());
    // The title bar's close box only hides it, text kept (OK and Esc: the focus test); the
    // program's close ends it.
    QCloseEvent closeBox;
    QApplication::sendEvent(progress()->windowHandle(), &closeBox);
    EXPECT_FALSE(progressShown());
    EXPECT_EQ(progress()->info()->text(), kSentShown);
    EXPECT_TRUE(window->close()) << "the port is closed again";
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(progress(), nullptr);
}

// Driven by the keyboard alone: the result takes the focus, so that a screen reader reads it,
// Esc or Enter on OK put it away, and every send shows it again.
TEST_F(SetupSend, TheResultTakesTheFocusAndComesBackOnEverySend) {
    typeInto("edComm", "3");
    for (int send = 0; send < 2; ++send) {
        if (send == 0) {
            // From a field, with Alt+E: the focus still comes back to SEND.
            ASSERT_TRUE(testing::activate(window.get()));
            QTest::keyClick(field("edComm"), Qt::Key_E, Qt::AltModifier);
            // The button shows itself pressed for a moment before it acts.
            ASSERT_TRUE(QTest::qWaitFor([&] { return !sendButton()->isEnabled(); }));
        } else {
            testing::pressKeys(sendButton(), {testing::kEnter});
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return sendButton()->isEnabled(); }, 6000)) << send;
        ASSERT_TRUE(progressShown()) << send;
        ASSERT_TRUE(QTest::qWaitForWindowActive(progress()));
        EXPECT_EQ(QApplication::focusWidget(), progress()->okButton());
        QAccessibleInterface* said = QAccessible::queryAccessibleInterface(progress());
        EXPECT_EQ(said->role(), QAccessible::Dialog);
        EXPECT_EQ(said->text(QAccessible::Description), kSentShown);
        testing::pressKeys(QApplication::focusWidget(),
                           {send == 0 ? testing::kEscape : testing::kEnter});
        EXPECT_FALSE(progressShown()) << send;
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == window.get(); }));
        ASSERT_EQ(focusedName(), "cmdSend") << send;
    }
    EXPECT_TRUE(modals.boxes.empty());
}

// Enter held down on SEND repeats before the progress window has the keyboard: the repeats reach
// no other button (Load's dialog next in the keyboard order, whose Enter would load a file).
TEST_F(SetupSend, EnterRepeatedOnSendPressesNoOtherButton) {
    typeInto("edComm", "3");
    line->listen();
    sendButton()->setFocus();
    testing::pressKeys(sendButton(), {testing::kEnter});
    for (int repeat = 0; repeat < 3; ++repeat) {
        QWidget* focus = window->focusWidget();
        testing::pressKeys(focus ? focus : window.get(), {testing::kEnter});
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return sendButton()->isEnabled(); }, 6000));
    EXPECT_TRUE(modals.fileDialogs.empty());
    EXPECT_TRUE(modals.boxes.empty());
    expectGoodTransfer();
}

// Enter during a send (a double press, a key held down) leaves the progress window up and its
// result to come: the OK that put the last result away is hidden meanwhile, and must not act.
TEST_F(SetupSend, EnterDuringASendLeavesTheProgressUp) {
    typeInto("edComm", "3");
    for (int send = 0; send < 2; ++send) {
        click("cmdSend");
        ASSERT_TRUE(QTest::qWaitFor([&] { return progressShown(); })) << send;
        // A key goes where the window's focus is, as the window system delivers it.
        ASSERT_TRUE(testing::activate(progress()));
        QWidget* focus = progress()->focusWidget();
        testing::pressKeys(focus ? focus : progress(), {testing::kEnter});
        EXPECT_TRUE(progressShown()) << send;
        ASSERT_TRUE(QTest::qWaitFor([&] { return sendButton()->isEnabled(); }, 6000));
        ASSERT_TRUE(progressShown()) << send;
        EXPECT_EQ(progress()->info()->text(), kSentShown);
        ASSERT_TRUE(QTest::qWaitForWindowActive(progress()));
        testing::pressKeys(QApplication::focusWidget(), {testing::kEnter});
        EXPECT_FALSE(progressShown()) << send;
    }
}

// The tracker's end goes away after block 1.
TEST_F(SetupSend, AFailureMidSendClosesThePortAndSaysWhy) {
    // The far end vanishes in the pause after block 1, however late a busy machine starts the
    // send: block 1 goes out within 200 ms of the fourth dot, and its pause lasts 600 ms.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (progressShown() && progress()->info()->text().endsWith("....")) {
            watch.stop();
            QTimer::singleShot(400, [this] { line->closeMaster(); });
        }
    });
    watch.start(5);
    sendAndWait();
    ASSERT_EQ(modals.boxes.size(), 1u);
    EXPECT_EQ(modals.boxes[0].title, "Zelvar");
    EXPECT_EQ(modals.boxes[0].text.toStdString(),
              "Write failed on " + line->path() + ": Input/output error");
    EXPECT_TRUE(modals.boxes[0].informativeText.startsWith(
        "The port is closed again, and the tracker got only part of its settings."))
        << modals.boxes[0].informativeText.toStdString();
    EXPECT_FALSE(window->findChild<SendController*>()->portOpen());
    EXPECT_TRUE(progressShown());
    EXPECT_EQ(progress()->info()->text(), "\nSending data on COM3.....");
    EXPECT_TRUE(window->close());
}

// The computer suspended between the blocks: the line's clock stood still, the suspend clock went
// on 5 s. Block 2 would come too late for the tracker: it is not written, and the window says the
// send was held up, not "Data sent !" (nor to check the cable).
TEST_F(SetupSend, ASendSuspendedBetweenTheBlocksSaysItWasHeldUp) {
    using namespace std::chrono_literals;
    // The window's form and progress with a suspend clock of the test's. The fifth dot shows
    // before the second lead-in: the computer has woken by then.
    const auto suspendClock = [this] {
        const bool woken = progressShown() && progress()->info()->text().endsWith(".....");
        return readSuspendClock() + (woken ? 5s : 0s);
    };
    SendController sender(
        window.get(), window->findChild<SettingsForm*>(), progress(),
        [this](int number) { return resolveListedPort(portsFor(line)(), number); },
        [](int) { return std::vector<Finding>{}; }, suspendClock);
    bool finished = false;
    QObject::connect(&sender, &SendController::finished, [&finished] { finished = true; });
    typeInto("edComm", "3");
    line->listen();
    sender.send();
    ASSERT_TRUE(QTest::qWaitFor([&finished] { return finished; }, 6000));
    ASSERT_EQ(modals.boxes.size(), 1u);
    EXPECT_EQ(modals.boxes[0].text.toStdString(), kHeldUp);
    EXPECT_EQ(modals.boxes[0].informativeText.toStdString(), kHeldUpAdvice);
    EXPECT_FALSE(sender.portOpen());
    EXPECT_EQ(progress()->info()->text(), "\nSending data on COM3.....");
    DeviceSettings sent = window->settings();
    ConfigImage image{};
    ASSERT_TRUE(buildConfigImage(sent, image));
    const WireBytes wire = wireBytes(image);
    const std::optional<TransferReport> arrived = line->transfer();
    ASSERT_TRUE(arrived);
    EXPECT_EQ(arrived->bytes, std::vector<std::uint8_t>(wire.begin(), wire.begin() + 85));
}

volatile std::sig_atomic_t stopsSeen = 0;
void countStop(int) {
    stopsSeen = stopsSeen + 1;
}

// Sets `handler` for `signal`; gives the action it replaced, to be set again.
struct sigaction handleSignal(int signal, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    struct sigaction before {};
    ::sigaction(signal, &action, &before);
    return before;
}

// Ctrl+Z in the terminal the window was started from waits for the end of a send: stopped between
// the blocks and let go later, block 2 would come too late for the tracker.
TEST_F(SetupSend, AStopDuringASendComesAtItsEnd) {
    const struct sigaction before = handleSignal(SIGTSTP, countStop);
    stopsSeen = 0;
    int seenMidSend = -1;
    QTimer::singleShot(450, [&seenMidSend] {
        std::raise(SIGTSTP);
        seenMidSend = stopsSeen;
    });
    line->listen();
    sendAndWait();
    ::sigaction(SIGTSTP, &before, nullptr);
    EXPECT_EQ(seenMidSend, 0);
    EXPECT_EQ(stopsSeen, 1);
    expectGoodTransfer();
}

// The lock file the serial layer keeps for `device` while the port is open; empty when none.
QString lockFileOf(const std::string& device) {
    const QString name = QString::fromStdString(device).mid(5).replace('/', '_');
    for (const char* folder : {"/var/lock", "/run/lock", "/tmp", "/var/tmp"}) {
        const QString path = QStringLiteral("%1/LCK..%2").arg(folder, name);
        if (QFileInfo::exists(path))
            return path;
    }
    return {};
}

// The system asks the program to end (logout, shutdown, kill, Ctrl+C in its terminal), here from
// the event loop the program runs in.
class SetupEnd : public SetupSend {
  protected:
    SetupEnd() {
        QObject::connect(&requests_, &TerminationRequests::received, window.get(),
                         [this](int signal) { window->endProgram(128 + signal); });
        safety_.setSingleShot(true);
        QObject::connect(&safety_, &QTimer::timeout, [] { QCoreApplication::exit(-1); });
    }
    // The program's run, `signal` raised `after` its start: its exit status.
    int runUntilEnd(int signal, std::chrono::milliseconds after, std::function<void()> atRequest) {
        QTimer::singleShot(after, [signal, atRequest = std::move(atRequest)] {
            atRequest();
            std::raise(signal);
        });
        safety_.start(8000);
        return QApplication::exec();
    }

  private:
    TerminationRequests requests_;
    QTimer safety_;
};

// Mid-send the request waits, as the close box does: the tracker gets all its settings, the port
// and its lock are let go, and the program ends without a message.
TEST_F(SetupEnd, ARequestDuringSendEndsTheProgramOnceTheSendHasEnded) {
    auto* sender = window->findChild<SendController*>();
    typeInto("edComm", "3");
    line->listen();
    click("cmdSend");
    bool openAtRequest = false;
    QString lock;
    const int status = runUntilEnd(SIGTERM, std::chrono::milliseconds(450), [&] {
        openAtRequest = sender->portOpen();
        lock = lockFileOf(line->path());
    });
    EXPECT_EQ(status, 128 + SIGTERM);
    ASSERT_TRUE(openAtRequest);
    expectGoodTransfer();
    EXPECT_FALSE(sender->portOpen());
    EXPECT_FALSE(lock.isEmpty()) << "the serial layer locks the port";
    EXPECT_FALSE(QFileInfo::exists(lock));
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(modals.boxes.empty());
}

// A send that fails after the request ends the program too, without a message.
TEST_F(SetupEnd, ASendThatFailsAfterTheRequestEndsTheProgramWithoutAMessage) {
    typeInto("edComm", "3");
    click("cmdSend");
    QTimer::singleShot(600, [this] { line->closeMaster(); });
    EXPECT_EQ(runUntilEnd(SIGTERM, std::chrono::milliseconds(450), [] {}), 128 + SIGTERM);
    EXPECT_FALSE(window->findChild<SendController*>()->portOpen());
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(modals.boxes.empty());
}

// With no send running the program ends at once, whichever request it is.
TEST_F(SetupEnd, ARequestWithoutASendEndsTheProgramAtOnce) {
    for (const int signal : {SIGHUP, SIGINT, SIGTERM, SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM}) {
        window->show();
        const auto asked = std::chrono::steady_clock::now();
        EXPECT_EQ(runUntilEnd(signal, std::chrono::milliseconds(0), [] {}), 128 + signal);
        EXPECT_LT(std::chrono::steady_clock::now() - asked, std::chrono::seconds(1));
        EXPECT_FALSE(window->isVisible());
    }
}

// A request the program was started to ignore stays ignored, as `nohup` and a shell's background
// job want: closing the terminal of `nohup zelvar-config &` does not end the window.
TEST(TerminationRequestsTest, ASignalIgnoredAtTheStartStaysIgnored) {
    const struct sigaction before = handleSignal(SIGHUP, SIG_IGN);
    std::vector<int> seen;
    {
        TerminationRequests requests;
        QObject::connect(&requests, &TerminationRequests::received,
                         [&seen](int signal) { seen.push_back(signal); });
        std::raise(SIGHUP);
        std::raise(SIGTERM);
        EXPECT_TRUE(QTest::qWaitFor([&seen] { return !seen.empty(); }, 2000));
    }
    struct sigaction after {};
    ::sigaction(SIGHUP, &before, &after);
    EXPECT_EQ(seen, std::vector<int>{SIGTERM});
    EXPECT_EQ(after.sa_handler, SIG_IGN);
}

// Another program sending on the port (a second window, or zelvar-cli send as here) is what the
// serial layer's "Permission error while locking the device" means: SEND says so, and offers no
// command that would end that send half-way.
TEST_F(SetupSend, AnotherSendOnThePortIsWaitedForNotEnded) {
    testing::FreshCurrentFolder folder;
    QProcess other;
    other.start(ZELVAR_CLI, {"defaults", "-o", "Zelvar.cfg"});
    ASSERT_TRUE(other.waitForFinished());
    other.start(ZELVAR_CLI,
                {"send", "Zelvar.cfg", "--device", QString::fromStdString(line->path())});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !lockFileOf(line->path()).isEmpty(); }, 5000));
    sendAndWait();
    ASSERT_EQ(modals.boxes.size(), 1u);
    const testing::SeenBox& box = modals.boxes.front();
    EXPECT_TRUE(box.text.contains(QStringLiteral("zelvar-cli (PID %1)").arg(other.processId())))
        << box.text.toStdString();
    EXPECT_TRUE(box.text.contains("is sending settings to the tracker: wait until it has finished"))
        << box.text.toStdString();
    EXPECT_FALSE((box.text + box.informativeText).contains("kill"))
        << box.informativeText.toStdString();
    ASSERT_TRUE(other.waitForFinished());
    EXPECT_EQ(other.exitCode(), 0) << other.readAllStandardError().toStdString();
}

// What fails before a byte is sent: the build (the failing field gets the focus, and an earlier
// field shows its normalised text), the port typed into "Comm num" (the serial layer's words) or
// a Baud of no entry, as a file may hold (no port asked, so no doctor's findings below).
struct Failure {
    const char *name, *port;
    std::string text, detail;  // how the box's text and its informative text start
    bool noSpeed = false;
};
void PrintTo(const Failure& failure, std::ostream* out) {
    *out << failure.name;
}

class SetupSendFailure : public SetupSend, public ::testing::WithParamInterface<Failure> {};

TEST_P(SetupSendFailure, SaysWhyAndSendsNothing) {
    const Failure& failure = GetParam();
    const bool build = failure.text.starts_with("Parametri");
    if (build) {
        typeInto("edNumFlagsAuto", "10");
        typeInto("edMyCall", "");
    }
    if (failure.noSpeed)
        control<QComboBox>("cboBaud")->setCurrentIndex(-1);
    QString focusAtTheMessage;
    bool sendEnabledAtTheMessage = true;
    modals.onBox([&](const testing::SeenBox&) {
        const QWidget* focus = window->focusWidget();
        focusAtTheMessage = focus ? focus->objectName() : QString();
        sendEnabledAtTheMessage = sendButton()->isEnabled();
    });
    sendAndWait(failure.port);
    ASSERT_EQ(modals.boxes.size(), 1u);
    const testing::SeenBox& box = modals.boxes.front();
    EXPECT_TRUE(box.text.toStdString().starts_with(failure.text)) << box.text.toStdString();
    EXPECT_FALSE(box.informativeText.contains(box.text.left(box.text.indexOf(':'))))
        << "the box says it once";
    EXPECT_EQ(box.title, build ? "Invio non eseguito - Zelvar" : "Zelvar");
    EXPECT_EQ(box.icon, build ? QMessageBox::Information : QMessageBox::NoIcon);
    EXPECT_EQ(box.buttons, QMessageBox::Ok);
    EXPECT_TRUE(box.plain) << "the system's words and the doctor's findings, as they stand";
    EXPECT_TRUE(box.informativeText.toStdString().starts_with(failure.detail))
        << box.informativeText.toStdString();
    if (failure.noSpeed) {
        EXPECT_EQ(box.informativeText, "");
    }
    EXPECT_FALSE(sendEnabledAtTheMessage);
    if (build) {
        EXPECT_EQ(focusAtTheMessage, "edMyCall");
        EXPECT_EQ(window->focusWidget()->objectName(), "edMyCall") << "kept for later";
        EXPECT_EQ(textOf("edNumFlagsAuto"), "027");
    }
    line->listen();
    EXPECT_EQ(line->transfer(std::chrono::milliseconds(100)), std::nullopt);
    EXPECT_FALSE(progressShown());
    EXPECT_TRUE(window->close()) << "the port is closed again";
}

const std::string kNoPort7 = "Serial port 7 does not exist: the system lists 2 serial devices";
const Failure kFailures[] = {
    {"EmptyCallsign", "3", "Parametri incompleti o non corretti", "MY CALLSIGN: empty callsign"},
    {"NoSuchPort", "7", kNoPort7 + ": port 3 /dev/pts/", ""},
    {"MissingDevice", "4",
     std::string("Cannot open ") + kMissingDevice + ": No such file or directory",
     std::string("- ") + kMissingDevice + " does not exist"},
    {"NoSpeed", "4", "Invalid line settings ',n,8,1': no speed is chosen in Baud", "", true}};
INSTANTIATE_TEST_SUITE_P(Send, SetupSendFailure, ::testing::ValuesIn(kFailures),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(ProgressDialog, EveryTextOfTheSendFitsWhole) {
    QMainWindow owner;
    auto* dialog = new MessageDialog(&owner);
    for (const std::string& text : {std::string(kSentMessage), sendingText("COM9") + "...",
                                    sendingText("COM99999999999999999999") + "..."}) {
        dialog->setText(text);
        dialog->showProgress();
        QApplication::processEvents();
        const QLabel* info = dialog->info();
        const QRect room = info->contentsRect();
        const QRect needed = info->fontMetrics().boundingRect(
            room, int(info->alignment()) | Qt::TextWordWrap, info->text());
        EXPECT_TRUE(room.contains(needed) && info->wordWrap() && info->font().bold()) << text;
    }
}

}  // namespace
}  // namespace zelvar
