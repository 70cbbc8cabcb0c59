#include "ui/setup_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>
#include <QWindow>

#include "config/advice.h"
#include "ports/suspend_clock.h"
#include "text/translation.h"
#include "ui/advice_marks.h"
#include "ui/calculator_window.h"
#include "ui/check_state.h"
#include "ui/core_text.h"
#include "ui/field_edit.h"
#include "ui/file_actions.h"
#include "ui/file_drops.h"
#include "ui/form_changes.h"
#include "ui/form_reactions.h"
#include "ui/instructions_viewer.h"
#include "ui/message_dialog.h"
#include "ui/port_chooser.h"
#include "ui/preview_window.h"
#include "ui/screen_fit_area.h"
#include "ui/send_controller.h"
#include "ui/settings_form.h"
#include "ui/setup_controls.h"
#include "ui/symbol_choice.h"
#include "ui/window_accessibility.h"

namespace zelvar {
namespace {

// Client area 4335 x 7560 twips, 15 twips to the pixel.
constexpr QSize kClientSize(289, 504);
constexpr int kWindowMargin = 2;

constexpr Qt::WindowFlags kWindowFlags = Qt::Window | Qt::CustomizeWindowHint |
                                         Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                         Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;

}  // namespace

SetupWindow::SetupWindow(QWidget* parent, const PortLister& lister)
    : QWidget(parent, kWindowFlags) {
    installWindowAccessibility();
    setObjectName(QStringLiteral("Setup"));
    setWindowTitle(shown(ShownText::WindowTitle));
    // Children take the window's type, so it is set before they are made.
    setFont(withPointSize(font(), kWindowPointSize));

    form_ = new SettingsForm(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kWindowMargin, kWindowMargin, kWindowMargin, kWindowMargin);
    area_ = new ScreenFitArea(form_, this);
    layout->addWidget(area_);
    watchKeysOf(this);

    const FormControls& c = form_->controls();
    new FormReactions(c, this);
    new PortChooser(this, c.edit(Field::PortNumber), c.portDevice, lister);
    applySettings(defaultSettings());

    marks_ = new AdviceMarks(form_, c);
    symbolChoice_ = new SymbolChoice(this, c);
    progress_ = new MessageDialog(this);
    connect(new FormChanges(form_, this), &FormChanges::changed, this, [this] {
        marks_->show(adviseOn(form_->settings()));
        symbolChoice_->refresh();
        if (preview_)
            preview_->refresh();
    });
    marks_->show(adviseOn(form_->settings()));
    sender_ = new SendController(
        this, form_, progress_,
        [lister](int number) { return resolveListedPort(lister(), number); },
        [lister](int number) { return diagnoseListedPort(lister(), number).findings; },
        readSuspendClock);
    files_ = new FileActions(this, form_, [this] { return calculator(); });

    QPushButton* sendButton = c.action(FormAction::Send);
    connect(sendButton, &QPushButton::clicked, this, &SetupWindow::send);
    connect(sender_, &SendController::finished, this, &SetupWindow::sendFinished);
    connect(sender_, &SendController::refused, sendButton,
            [sendButton] { sendButton->setEnabled(true); });
    // Put away, the dialog leaves the keyboard to this window again.
    connect(progress_, &MessageDialog::dismissed, this, [this] {
        if (isVisible())
            activateWindow();
    });
    connect(c.action(FormAction::Defaults), &QPushButton::clicked, this,
            [this] { applySettings(defaultSettings()); });
    connect(c.action(FormAction::Save), &QPushButton::clicked, files_, &FileActions::save);
    connect(c.action(FormAction::Load), &QPushButton::clicked, files_, &FileActions::load);
    connect(c.action(FormAction::Calculator), &QPushButton::clicked, this,
            [this] { calculator()->showCalculator(); });
    connect(c.action(FormAction::Help), &QPushButton::clicked, this,
            &SetupWindow::showInstructions);
    // The manual is written in English only; each language says so where Help is offered.
    c.action(FormAction::Help)
        ->setToolTip(fromUtf8(translated("main window", "The manual is in English.")));
    connect(c.preview, &QPushButton::clicked, this, &SetupWindow::showPreview);
    // Ctrl+P, Ctrl+S and Ctrl+O wherever the focus is in this window; no field uses them.
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_P), this), &QShortcut::activated, this,
            &SetupWindow::showPreview);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), this), &QShortcut::activated, files_,
            &FileActions::save);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_O), this), &QShortcut::activated, files_,
            &FileActions::load);
    loadFilesDroppedOn(this);
    form_->firstInKeyboardOrder()->setFocus(Qt::OtherFocusReason);
    // The tracker's users know the window's size; a language with longer words widens it.
    naturalSize_ =
        kClientSize.expandedTo(form_->minimumSizeHint().grownBy(layout->contentsMargins()));
    fitToScreen();
}

void SetupWindow::fitToScreen() {
    setFixedSize(area_->windowSizeOnScreen(naturalSize_));
}

void SetupWindow::showEvent(QShowEvent* event) {
    // The frame and the screen are the window manager's: the window fits again once shown, and on
    // each screen it is moved to.
    if (!watchingScreen_ && windowHandle() != nullptr) {
        watchingScreen_ = true;
        connect(windowHandle(), &QWindow::screenChanged, this, &SetupWindow::fitToScreen);
    }
    fitToScreen();
    QWidget::showEvent(event);
}

// Made on first use, as the calculator is: most sessions never open it, and the window starts
// faster without it.
void SetupWindow::showPreview() {
    if (!preview_)
        preview_ = new PreviewWindow(
            this, [form = form_] { return form->settings(); }, [this](Field f) { goTo(f); });
    preview_->showPreview();
}

// A note of the advice takes the user to its field, in this window.
void SetupWindow::goTo(Field field) {
    activateWindow();
    raise();
    form_->control(field)->setFocus(Qt::OtherFocusReason);
}

DeviceSettings SetupWindow::settings() const {
    return form_->settings();
}

void SetupWindow::applySettings(const DeviceSettings& settings) {
    form_->applySettings(settings);
}

CalculatorWindow* SetupWindow::calculator() {
    if (calculator_)
        return calculator_;
    const FormControls& c = form_->controls();
    calculator_ =
        new CalculatorWindow(this, CalculatorHost{
                                       c.edit(Field::Beacon),
                                       [c] { return c.edit(Field::Symbol)->text(); },
                                       [c] { return isTicked(c.box(Field::AlternateTable)); },
                                   });
    // The calculator answers F1 and Ctrl+P as this window does, and loads a file dropped on it.
    watchKeysOf(calculator_);
    loadFilesDroppedOn(calculator_);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_P), calculator_), &QShortcut::activated,
            this, &SetupWindow::showPreview);
    return calculator_;
}

void SetupWindow::send() {
    QPushButton* button = form_->controls().action(FormAction::Send);
    // Disabled with the focus, SEND would pass it on to Load, the next in the keyboard order, and
    // Enter held down would press that before the progress window takes the keyboard.
    if (focusWidget() == button)
        button->clearFocus();
    button->setEnabled(false);
    focusAtSend_ = focusWidget();
    sender_->send();
}

void SetupWindow::sendFinished() {
    QPushButton* button = form_->controls().action(FormAction::Send);
    button->setEnabled(true);
    if (focusWidget() == focusAtSend_)
        button->setFocus(Qt::OtherFocusReason);
    focusAtSend_ = nullptr;
    if (endStatus_)
        endProgram(*endStatus_);
}

void SetupWindow::endProgram(int exitCode) {
    if (sender_->sending()) {
        endStatus_ = exitCode;
        sender_->finishWithoutMessages();
        return;
    }
    close();
    QCoreApplication::exit(exitCode);
}

void SetupWindow::showInstructions() {
    InstructionsViewer::open(QStringLiteral("Zelvar_Config.rtf"),
                             fromUtf8(translated("manual viewer", "Zelvar Config - Istruzioni")));
}

void SetupWindow::load(const std::filesystem::path& file) {
    files_->loadFile(file);
}

void SetupWindow::loadFilesDroppedOn(QWidget* window) {
    new FileDrops(window, [this](const std::filesystem::path& file) { load(file); });
}

void SetupWindow::watchKeysOf(QWidget* window) {
    // Every key passes here before the focused control sees it.
    window->installEventFilter(this);
    for (QWidget* child : window->findChildren<QWidget*>())
        child->installEventFilter(this);
}

bool SetupWindow::eventFilter(QObject* watched, QEvent* event) {
    // A key the focused control leaves alone travels on to its parents; only its first stop
    // counts.
    const QWidget* focus = QApplication::focusWidget();
    const bool firstStop =
        focus ? watched == focus
              : watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow();
    if (firstStop && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        showInstructions();
    }
    return QWidget::eventFilter(watched, event);
}

void SetupWindow::closeEvent(QCloseEvent* event) {
    if (sender_->portOpen()) {
        event->ignore();
        return;
    }
    if (progress_)
        progress_->close();
    // Child windows outlive a hidden owner; the calculator and the preview go with the main window.
    if (calculator_)
        calculator_->close();
    if (preview_)
        preview_->close();
    if (InstructionsViewer* viewer = InstructionsViewer::instance())
        viewer->close();
    event->accept();
}

}  // namespace zelvar
