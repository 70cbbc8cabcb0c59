#include "ui/spoken_line.h"

#include <QWidget>
#include <chrono>

namespace zelvar {
namespace {

// As long as the page waits for its live regions.
constexpr std::chrono::milliseconds kPause{1000};

}  // namespace

SpokenLine::SpokenLine(const std::vector<QWidget*>& fields, QObject* parent) : QObject(parent) {
    for (QWidget* field : fields)
        fields_.push_back({field, field->accessibleDescription()});
    pause_.setSingleShot(true);
    pause_.setInterval(kPause);
    connect(&pause_, &QTimer::timeout, this, &SpokenLine::tell);
}

void SpokenLine::changed(const QString& words) {
    words_ = words;
    pause_.start();
}

void SpokenLine::now(const QString& words) {
    words_ = words;
    pause_.stop();
    tell();
}

void SpokenLine::tell() {
    for (const Told& told : fields_) {
        if (!told.field)
            continue;
        told.field->setAccessibleDescription(words_.isEmpty() || told.own.isEmpty()
                                                 ? words_ + told.own
                                                 : words_ + QStringLiteral("\n\n") + told.own);
    }
}

}  // namespace zelvar
