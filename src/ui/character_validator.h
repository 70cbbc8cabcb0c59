#pragma once

#include <QString>
#include <QValidator>
#include <functional>

class QLineEdit;

namespace zelvar {

// The one gate of a field's input. Whatever an edit adds to the text, typed, pasted, dropped or
// composed, passes the field's rule character by character: a character may go in, go in
// changed (upper case), or be refused. An edit whose characters are all refused is undone
// whole, selection included, so a refused key never takes anything away. Only what the edit
// adds is judged: text the program wrote earlier stays as it is.
class CharacterValidator : public QValidator {
    Q_OBJECT

  public:
    // Takes a character code, returns it (possibly changed) or kDroppedKey.
    using Rule = std::function<int(int)>;

    CharacterValidator(QLineEdit* field, Rule rule);

    State validate(QString& input, int& pos) const override;

    // The rule's answer for one character; characters outside Latin-1 and control codes never
    // go in, because the settings hold one printable byte per character.
    int judge(QChar character) const;

  private:
    Rule rule_;
    // The field's text before the edit being judged.
    QString before_;
};

}  // namespace zelvar
