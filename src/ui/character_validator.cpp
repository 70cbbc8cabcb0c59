#include "ui/character_validator.h"

#include <QLineEdit>
#include <algorithm>

#include "config/input_rules.h"

namespace zelvar {
namespace {

constexpr int kFirstPrintable = 32;
constexpr int kLastLatin1 = 255;

}  // namespace

CharacterValidator::CharacterValidator(QLineEdit* field, Rule rule)
    : QValidator(field), rule_(std::move(rule)), before_(field->text()) {
    connect(field, &QLineEdit::textChanged, this, [this](const QString& text) { before_ = text; });
}

int CharacterValidator::judge(QChar character) const {
    const int code = character.unicode();
    if (code < kFirstPrintable)
        return kDroppedKey;
    // The rule judges the rest, full-width forms included.
    if (rule_)
        return rule_(code);
    return code > kLastLatin1 ? kDroppedKey : code;
}

QValidator::State CharacterValidator::validate(QString& input, int& pos) const {
    // A line edit changes one stretch at a time: what lies before and after it is unchanged.
    const qsizetype shorter = std::min(before_.size(), input.size());
    qsizetype head = 0;
    while (head < shorter && before_[head] == input[head])
        ++head;
    qsizetype tail = 0;
    while (tail < shorter - head &&
           before_[before_.size() - 1 - tail] == input[input.size() - 1 - tail]) {
        ++tail;
    }
    const QString added = input.mid(head, input.size() - head - tail);
    if (added.isEmpty())
        return Acceptable;

    QString kept;
    for (QChar character : added) {
        if (const int code = judge(character); code != kDroppedKey)
            kept.append(QChar(code));
    }
    if (kept.isEmpty())
        return Invalid;
    if (kept != added) {
        input.replace(head, added.size(), kept);
        pos = static_cast<int>(head + kept.size());
    }
    return Acceptable;
}

}  // namespace zelvar
