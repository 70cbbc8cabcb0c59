#pragma once

#include <QPointer>
#include <QWidget>
#include <filesystem>
#include <optional>

#include "config/device_settings.h"
#include "config/fields.h"
#include "serial/system_ports.h"

namespace zelvar {

class AdviceMarks;
class CalculatorWindow;
class MessageDialog;
class FileActions;
class PreviewWindow;
class ScreenFitArea;
class SendController;
class SettingsForm;
class SymbolChoice;

// The main settings window: the settings form with its buttons, and the windows and actions
// those buttons start (SEND, Default, Save, Load, the preview of SEND, the calculator, the
// manual). Other windows find its controls by name.
class SetupWindow : public QWidget {
    Q_OBJECT

  public:
    // Port numbers count the serial ports the system lists, or those `lister` gives.
    explicit SetupWindow(QWidget* parent = nullptr, const PortLister& lister = systemPorts);

    // The settings as the controls hold them.
    DeviceSettings settings() const;
    // Writes every field; each field's reactions run as they do for typed changes.
    void applySettings(const DeviceSettings& settings);

    // Loads `file` as Load loads the file the user chose: the one the program was started with.
    void load(const std::filesystem::path& file);

    // The calculator, whose inputs Save writes and Load restores; made when first needed: opened,
    // or its inputs saved or loaded.
    CalculatorWindow* calculator();

    // Ends the program with `exitCode`, for the system (logout, shutdown, `kill`). A send that
    // runs is refused the end as the close box is refused it, and ends the program itself, with
    // no message, once its last byte has gone: the tracker never keeps half its settings.
    void endProgram(int exitCode);

  protected:
    // F1 anywhere in the window or the calculator opens the manual; the key goes on to the
    // control.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Refused while a send holds the serial port open.
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    // As large as the form, or as the screen allows, scrolling the form.
    void fitToScreen();
    void watchKeysOf(QWidget* window);
    // A file dropped on `window` is loaded as Load loads a file.
    void loadFilesDroppedOn(QWidget* window);
    // SEND off while the send controller builds, and sends or says why not.
    void send();
    // SEND back on; the focus goes to it unless the user has put it elsewhere meanwhile.
    void sendFinished();
    void showInstructions();
    void showPreview();
    void goTo(Field field);

    SettingsForm* form_;
    ScreenFitArea* area_;
    QSize naturalSize_;
    bool watchingScreen_ = false;
    AdviceMarks* marks_ = nullptr;
    SymbolChoice* symbolChoice_ = nullptr;
    CalculatorWindow* calculator_ = nullptr;
    PreviewWindow* preview_ = nullptr;
    QPointer<MessageDialog> progress_;
    SendController* sender_ = nullptr;
    FileActions* files_ = nullptr;
    // The exit status the program ends with once the send has ended.
    std::optional<int> endStatus_;
    // Where the focus was once SEND was off (Load, when SEND had it); still there at the end of
    // the send, it goes to SEND.
    QPointer<QWidget> focusAtSend_;
};

}  // namespace zelvar
