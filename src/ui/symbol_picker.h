#pragma once

#include <QWidget>

#include "config/aprs_symbols.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace zelvar {

class SpokenLine;

// The APRS symbols by name: a search ("car", "balloon", "digi", or the character itself) and the
// symbols it names, each as "> — car, primary table". Up and Down move through the list from the
// search, Enter or a double click takes the chosen one, Esc leaves it. It sets nothing itself:
// `chosen` gives the symbol character and its table to the owner.
class SymbolPicker : public QWidget {
    Q_OBJECT

  public:
    explicit SymbolPicker(QWidget* owner);

    // Shows it with every symbol listed and `symbol` of `table` chosen, the search to type in.
    void pick(const QString& symbol, SymbolTable table);

  signals:
    void chosen(QChar symbol, SymbolTable table);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void search();
    void use();
    // The chosen symbol's name, or that none is found.
    QString chosenName() const;

    QLineEdit* search_;
    QListWidget* list_;
    QLabel* none_;
    QPushButton* use_;
    // The chosen name, for a screen reader in the search, which keeps the keyboard.
    SpokenLine* spoken_;
};

}  // namespace zelvar
