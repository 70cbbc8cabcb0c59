#include "ui/port_chooser.h"

#include <QActionGroup>
#include <QEvent>
#include <QMenu>
#include <QPushButton>
#include <QStyleOptionButton>
#include <algorithm>

#include "config/shown_texts.h"
#include "ports/port_list_format.h"
#include "text/translation.h"
#include "transfer/transfer_plan.h"
#include "ui/core_text.h"
#include "ui/field_edit.h"
#include "ui/latin1_text.h"
#include "ui/palette_colours.h"
#include "ui/palette_watcher.h"
#include "ui/plain_text.h"

namespace zelvar {
namespace {

constexpr const char* kDeviceFolder = "/dev";
constexpr int kSettleMs = 300;
// The port number field takes one digit.
constexpr int kLargestChoice = 9;
const QColor kNoDeviceColour(192, 0, 0);

QString qText(const std::string& text) {
    return withHiddenShown(QString::fromStdString(text));
}

QString choiceText(const NumberedPort& port) {
    return fromUtf8(translated("port chooser", "Port %1: %2"))
        .arg(port.number)
        .arg(qText(port.device.name));
}

// The location and every detail, one a line.
QString deviceTip(const SerialDevice& device) {
    const std::string details = deviceDetails(device, "\n");
    return qText(details.empty() ? device.location : device.location + "\n" + details);
}

// The menu's line: the choice and what tells one adapter from another; the tip has the rest.
QString menuText(const NumberedPort& port) {
    SerialDevice told = port.device;
    told.stableName.clear();
    const std::string details = deviceDetails(told);
    return details.empty() ? choiceText(port)
                           : choiceText(port) + QStringLiteral(" \u2014 ") + qText(details);
}

// What a button with a menu has room for beside its arrow.
int textRoom(const QPushButton* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.features |= QStyleOptionButton::HasMenu;
    const QStyle* style = button->style();
    return style->subElementRect(QStyle::SE_PushButtonContents, &option, button).width() -
           style->pixelMetric(QStyle::PM_MenuButtonIndicator, &option, button);
}

}  // namespace

PortChooser::PortChooser(QWidget* window, FieldEdit* portNumber, QPushButton* shown,
                         PortLister lister)
    : QObject(window),
      window_(window),
      portNumber_(portNumber),
      shown_(shown),
      menu_(new QMenu(shown)),
      lister_(std::move(lister)) {
    menu_->setToolTipsVisible(true);
    shown->setMenu(menu_);
    settle_.setSingleShot(true);
    window->installEventFilter(this);
    shown->installEventFilter(this);
    connect(menu_, &QMenu::aboutToShow, this, [this] {
        relist();
        fillMenu();
    });
    connect(portNumber, &QLineEdit::textChanged, this, &PortChooser::showChoice);
    connect(&devices_, &QFileSystemWatcher::directoryChanged, &settle_,
            qOverload<>(&QTimer::start));
    connect(&settle_, &QTimer::timeout, this, &PortChooser::relist);
    settle_.setInterval(kSettleMs);
    // The red of a missing port is chosen afresh to read well on a new palette.
    new PaletteWatcher(window, this, [this] { showChoice(); });
    showChoice();
}

bool PortChooser::eventFilter(QObject* watched, QEvent* event) {
    if (watched == shown_ && event->type() == QEvent::Resize) {
        showChoice();
    } else if (watched == window_ && event->type() == QEvent::Paint && !painted_) {
        // Listing waits until the window is on screen.
        painted_ = true;
        QTimer::singleShot(0, this, &PortChooser::startListing);
    } else if (watched == window_ && event->type() == QEvent::ActivationChange &&
               window_->isActiveWindow() && listed_ && devices_.directories().isEmpty()) {
        // Without a device folder to watch, an adapter is looked for on coming back.
        relist();
    }
    return QObject::eventFilter(watched, event);
}

void PortChooser::startListing() {
    devices_.addPath(QString::fromLatin1(kDeviceFolder));
    relist();
}

void PortChooser::relist() {
    settle_.stop();
    ports_ = lister_();
    listed_ = true;
    showChoice();
}

void PortChooser::showChoice() {
    const int number = portNumberOf(toLatin1(portNumber_->text()));
    QString text = fromUtf8(translated("port chooser", "Port %1")).arg(number);
    QString tip;
    std::optional<QColor> colour;
    auto found = std::ranges::find(ports_, number, &NumberedPort::number);
    if (!listed_) {
        tip = fromUtf8(translated("port chooser", "Looking for serial ports"));
    } else if (found != ports_.end()) {
        text = choiceText(*found);
        tip = deviceTip(found->device);
    } else {
        text = fromUtf8(translated("port chooser", "Port %1: no such port")).arg(number);
        tip = qText(asSentence(resolveInList(ports_, number).error().reason));
        if (!ports_.empty())
            tip += fromUtf8(translated("port chooser", " Choose one of the listed ports."));
        colour = kNoDeviceColour;
    }
    shown_->setText(withoutMnemonics(
        shown_->fontMetrics().elidedText(text, Qt::ElideMiddle, textRoom(shown_))));
    setTextColour(shown_, colour);
    shown_->setToolTip(plainToolTip(tip));
    shown_->setAccessibleName(text);
    shown_->setAccessibleDescription(tip);
    if (menu_->isVisible())
        fillMenu();
}

void PortChooser::fillMenu() {
    // The old choices leave the menu now and go with their group later: one of them may be
    // the one whose choice brought us here.
    if (choices_) {
        for (QAction* old : choices_->actions())
            menu_->removeAction(old);
        choices_->deleteLater();
    }
    choices_ = new QActionGroup(menu_);
    if (ports_.empty())
        choices_
            ->addAction(fromUtf8(translated("port chooser", "The system lists no serial ports")))
            ->setEnabled(false);
    const int number = portNumberOf(toLatin1(portNumber_->text()));
    for (const NumberedPort& port : ports_) {
        QAction* choice = choices_->addAction(withoutMnemonics(menuText(port)));
        choice->setCheckable(true);
        choice->setChecked(port.number == number);
        choice->setToolTip(plainToolTip(deviceTip(port.device)));
        if (port.number > kLargestChoice) {
            choice->setEnabled(false);
            choice->setToolTip(fromUtf8(translated("port chooser",
                                                   "\"Comm num\" takes one digit: zelvar-cli "
                                                   "send --port %1 reaches this port"))
                                   .arg(port.number));
        }
        connect(choice, &QAction::triggered, portNumber_,
                [field = portNumber_, chosen = port.number] {
                    field->writeUnfiltered(QString::number(chosen));
                });
    }
    menu_->addActions(choices_->actions());
}

}  // namespace zelvar
