#pragma once

#include <QObject>
#include <functional>

class QWidget;

namespace zelvar {

// Calls back when the palette of `window` changes, its own or the whole program's (a desktop
// switching to a dark theme), once the widgets have taken the new colours. Colours chosen to
// read well on the old palette are chosen again there. It lives as long as `owner`, whose
// callback it calls.
class PaletteWatcher : public QObject {
    Q_OBJECT

  public:
    PaletteWatcher(QWidget* window, QObject* owner, std::function<void()> changed);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::function<void()> changed_;
    bool pending_ = false;
};

}  // namespace zelvar
