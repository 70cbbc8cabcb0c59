#pragma once

#include <QWidget>
#include <array>
#include <vector>

#include "config/advice.h"
#include "ui/form_controls.h"

namespace zelvar {

// The quiet mark of the advice beside each field it is about: a small triangle at the field's
// corner for a warning, a dot for a hint, in the form's layer above the controls (no control
// moves). The field's tip and the description a screen reader gives with it carry the notes'
// lines. It never takes a click or a key.
class AdviceMarks : public QWidget {
    Q_OBJECT

  public:
    AdviceMarks(QWidget* form, const FormControls& controls);

    // The notes of the form as it stands; the marks, tips and descriptions follow them.
    void show(const std::vector<AdviceNote>& notes);

    // The level of the field's mark, or nothing when no note is about it.
    std::optional<AdviceLevel> levelOf(Field field) const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Mark {
        std::optional<AdviceLevel> level;
        QString lines;  // what the tip and the description add, empty without a note
    };
    void describe(Field field, const QString& lines);

    const FormControls& controls_;
    std::array<Mark, kFieldCount> marks_{};
};

}  // namespace zelvar
