#pragma once

#include <QObject>
#include <QTimer>

class QWidget;

namespace zelvar {

// Tells when the content of any field, list or box of a form has changed, typed or written by
// the program. A burst of changes in one event-loop turn (Load, Default, SEND's write-back)
// gives one signal, after the turn.
class FormChanges : public QObject {
    Q_OBJECT

  public:
    FormChanges(QWidget* form, QObject* parent);

  signals:
    void changed();

  private:
    QTimer turn_;
};

}  // namespace zelvar
