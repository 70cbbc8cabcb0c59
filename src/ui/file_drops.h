#pragma once

#include <QObject>
#include <filesystem>
#include <functional>

class QWidget;

namespace zelvar {

// A file dropped on a window is loaded, as the page loads one: the first of the files dragged,
// when it is on this computer. A text field under the pointer no longer takes the file's address
// as its text. Other drags (text, a web address) go where they went before.
class FileDrops : public QObject {
    Q_OBJECT

  public:
    // Watches `window` and the controls it holds now; `load` runs once the drop is over.
    FileDrops(QWidget* window, std::function<void(const std::filesystem::path&)> load);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::function<void(const std::filesystem::path&)> load_;
};

}  // namespace zelvar
