#pragma once

#include <QObject>
#include <QString>

#include "ui/form_controls.h"

namespace zelvar {

class SymbolPicker;

// The symbol by name on the main form: the Symbols button opens the picker, whose choice goes
// into ICON Symbol and Alternate Table together (as typed changes do, reactions and all); the
// symbol field's tip and description say the name of what the two hold.
class SymbolChoice : public QObject {
    Q_OBJECT

  public:
    SymbolChoice(QWidget* window, const FormControls& controls);

    // "> — car, primary table" for the form as it stands.
    QString shownName() const;
    // Shows the name again; called after every change of the form.
    void refresh();

  private:
    void open();

    QWidget* window_;
    const FormControls& controls_;
    SymbolPicker* picker_ = nullptr;
    QString ownDescription_;
};

}  // namespace zelvar
