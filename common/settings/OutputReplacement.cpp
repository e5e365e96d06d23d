#include "OutputReplacement.h"

#include "MessageIds.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <utility>

namespace settings {

OutputReplacement::OutputReplacement(QString path) : path_(std::move(path)) {}

OutputReplacement::~OutputReplacement() {
    if (asidePath_.isEmpty()) {
        return;
    }
    // Whatever the failed start left under the name makes way for the old file.
    QFile::remove(path_);
    QFile::rename(asidePath_, path_);
}

void OutputReplacement::MoveAside() {
    // A link that leads nowhere goes aside too: the new file would be written
    // where it points.
    const QFileInfo info(path_);
    const bool danglingLink = info.isSymLink() && !info.exists();
    if (!info.isFile() && !danglingLink) {
        return;
    }
    // A name beside the file keeps the move within one file system.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString candidate =
            attempt == 0 ? path_ + ".replaced" : QString("%1.%2.replaced").arg(path_).arg(attempt);
        if (QFileInfo::exists(candidate)) {
            continue;
        }
        if (QFile::rename(path_, candidate)) {
            asidePath_ = candidate;
        }
        return;
    }
}

void OutputReplacement::Commit() {
    if (!asidePath_.isEmpty()) {
        QFile::remove(asidePath_);
        asidePath_.clear();
    }
}

bool EnsureOutputFolder(const QString& outputPath) {
    const QFileInfo info(outputPath);
    return QDir().mkpath(info.absolutePath());
}

OutputTarget ClassifyOutputPath(const QString& path) {
    const QFileInfo info(path);
    if (info.exists()) {
        return info.isDir()    ? OutputTarget::Folder
               : info.isFile() ? OutputTarget::Writable
                               : OutputTarget::NotAFile;
    }
    // The nearest part of the path that exists must be a folder for the file
    // (and any missing folders before it) to be made there.
    QString ancestor = info.absolutePath();
    for (;;) {
        const QFileInfo part(ancestor);
        if (part.exists()) {
            return part.isDir() ? OutputTarget::Writable : OutputTarget::InsideAFile;
        }
        const QString parent = QFileInfo(ancestor).absolutePath();
        if (parent == ancestor) {
            return OutputTarget::Writable;
        }
        ancestor = parent;
    }
}

int RefusalMessageFor(OutputTarget target) {
    switch (target) {
    case OutputTarget::Folder:
        return res::kMsgOutputIsFolder;
    case OutputTarget::NotAFile:
        return res::kMsgOutputNotAFile;
    case OutputTarget::Writable:
    case OutputTarget::InsideAFile:
        break;
    }
    return 0;
}

bool OutputFileExists(const QString& path) {
    QFile file(path);
    return QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly);
}

bool IsSameFile(const QString& first, const QString& second) {
    const QFileInfo a(first);
    const QFileInfo b(second);
    if (a.exists() && b.exists()) {
        return a.canonicalFilePath() == b.canonicalFilePath();
    }
    return a.absoluteFilePath() == b.absoluteFilePath();
}

bool CanReplaceFile(const QString& path) {
    const QFileInfo folder(QFileInfo(path).absolutePath());
    return folder.isDir() && folder.isWritable();
}

} // namespace settings
