#pragma once

#include <QPushButton>

namespace zelvar {

// A push button whose caption wraps onto two lines, as narrow as that allows, so that it stands
// two rows high beside the fields.
class WrappingButton : public QPushButton {
    Q_OBJECT

  public:
    WrappingButton(const QString& caption, QWidget* parent);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    // The caption as shown: the "&" before the mnemonic's letter left out.
    QString shownCaption() const;
};

}  // namespace zelvar
