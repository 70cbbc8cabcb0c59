#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <vector>

class QWidget;

namespace zelvar {

// A line that changes as the user types (the calculator's reason or locator, the symbol picker's
// answer) told to a screen reader in the description of the fields it answers, before the
// field's own description, where a screen reader in the field hears it: once the typing pauses,
// since a description that changed with every key would be read over the echo of the keys; at
// once where it answers a step rather than a key (Down in the picker's search).
class SpokenLine : public QObject {
    Q_OBJECT

  public:
    // Each field's own description is the one it has now.
    SpokenLine(const std::vector<QWidget*>& fields, QObject* parent);

    // The line changed with a key: told when the keys pause.
    void changed(const QString& words);
    // The line answers a step: told at once.
    void now(const QString& words);

  private:
    void tell();

    struct Told {
        QPointer<QWidget> field;
        QString own;
    };
    std::vector<Told> fields_;
    QString words_;
    QTimer pause_;
};

}  // namespace zelvar
