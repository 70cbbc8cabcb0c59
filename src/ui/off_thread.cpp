#include "ui/off_thread.h"

#include <QThread>
#include <memory>

namespace zelvar {

void runOffThread(QObject* context, std::function<std::string()> work,
                  std::function<void(const std::string&)> done) {
    auto result = std::make_shared<std::string>();
    QThread* thread = QThread::create([work = std::move(work), result] { *result = work(); });
    QObject::connect(thread, &QThread::finished, context,
                     [done = std::move(done), result] { done(*result); });
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start();
}

}  // namespace zelvar
