#include "FileOpening.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace uikit {

namespace {

// The absolute path of the existing local file `url` names.
std::optional<QString> LocalFile(const QUrl& url) {
    if (!url.isLocalFile()) {
        return std::nullopt;
    }
    const QFileInfo info(url.toLocalFile());
    if (!info.isFile()) {
        return std::nullopt;
    }
    return info.absoluteFilePath();
}

std::optional<QString> FirstDroppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls()) {
        return std::nullopt;
    }
    for (const QUrl& url : data->urls()) {
        if (auto file = LocalFile(url)) {
            return file;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> FileFromArguments(const QStringList& arguments) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const QUrl url =
            argument.startsWith("file:") ? QUrl(argument) : QUrl::fromLocalFile(argument);
        if (auto file = LocalFile(url)) {
            return file;
        }
    }
    return std::nullopt;
}

FileDropTarget::FileDropTarget(QWidget& window, std::function<bool()> canOpen,
                               std::function<void(const QString&)> open)
    : QObject(&window), window_(window), canOpen_(std::move(canOpen)), open_(std::move(open)) {
    window.setAcceptDrops(true);
    window.installEventFilter(this);
}

bool FileDropTarget::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &window_) {
        return QObject::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        if (canOpen_() && FirstDroppedFile(drag->mimeData())) {
            drag->acceptProposedAction();
        } else {
            drag->ignore();
        }
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const auto file = FirstDroppedFile(drop->mimeData());
        if (!file || !canOpen_()) {
            drop->ignore();
            return true;
        }
        drop->acceptProposedAction();
        open_(*file);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace uikit
