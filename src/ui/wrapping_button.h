#pragma once

#include <QPushButton>

namespace zelvar {

// A push button whose caption wraps onto several lines when the button is narrower than it.
class WrappingButton : public QPushButton {
    Q_OBJECT

  public:
    WrappingButton(const QString& caption, QWidget* parent);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace zelvar
