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

QStringList DroppedFiles(const QMimeData* data) {
    QStringList files;
    if (data == nullptr || !data->hasUrls()) {
        return files;
    }
    for (const QUrl& url : data->urls()) {
        if (auto file = LocalFile(url)) {
            files.append(*file);
        }
    }
    return files;
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
    : FileDropTarget(window, std::move(canOpen),
                     [open = std::move(open)](const QStringList& files) { open(files.front()); }) {}

FileDropTarget::FileDropTarget(QWidget& window, std::function<bool()> canOpen,
                               std::function<void(const QStringList&)> openAll)
    : QObject(&window), window_(window), canOpen_(std::move(canOpen)), open_(std::move(openAll)) {
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
        if (canOpen_() && !DroppedFiles(drag->mimeData()).isEmpty()) {
            drag->acceptProposedAction();
        } else {
            drag->ignore();
        }
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QStringList files = DroppedFiles(drop->mimeData());
        if (files.isEmpty() || !canOpen_()) {
            drop->ignore();
            return true;
        }
        drop->acceptProposedAction();
        open_(files);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace uikit
