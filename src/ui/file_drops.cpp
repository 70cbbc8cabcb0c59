#include "ui/file_drops.h"

#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <optional>
#include <utility>

#include "ui/config_file_dialog.h"

namespace zelvar {
namespace {

std::optional<std::filesystem::path> droppedFile(const QMimeData* data) {
    const QList<QUrl> urls = data != nullptr ? data->urls() : QList<QUrl>();
    if (urls.isEmpty() || !urls.front().isLocalFile())
        return std::nullopt;
#ifdef Q_OS_WIN
    return toFilesystemPath(urls.front().toLocalFile());
#else
    // The name's own bytes: one that is no UTF-8 ("caf\xE9.cfg") came back from a QString with
    // U+FFFD in place of its byte, the name of no file.
    return std::filesystem::path(
        QByteArray::fromPercentEncoding(urls.front().path(QUrl::FullyEncoded).toLatin1())
            .toStdString());
#endif
}

// A copy, never a move: told that the file moved here, a file manager would delete it.
void takeAsCopy(QDropEvent& event) {
    for (const Qt::DropAction action : {Qt::CopyAction, Qt::LinkAction}) {
        if (event.possibleActions().testFlag(action)) {
            event.setDropAction(action);
            event.accept();
            return;
        }
    }
    event.ignore();
}

}  // namespace

FileDrops::FileDrops(QWidget* window, std::function<void(const std::filesystem::path&)> load)
    : QObject(window), load_(std::move(load)) {
    window->setAcceptDrops(true);
    window->installEventFilter(this);
    for (QWidget* child : window->findChildren<QWidget*>()) {
        if (child->window() == window)
            child->installEventFilter(this);
    }
}

bool FileDrops::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    const std::optional<std::filesystem::path> file = droppedFile(drop->mimeData());
    if (!file)
        return QObject::eventFilter(watched, event);
    takeAsCopy(*drop);
    // Loaded after the drop: a message box now would keep the program the file came from
    // waiting for the drop's end.
    if (type == QEvent::Drop && drop->isAccepted())
        QTimer::singleShot(0, this, [this, path = *file] { load_(path); });
    return true;
}

}  // namespace zelvar
