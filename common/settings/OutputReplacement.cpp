#include "OutputReplacement.h"

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
    const QFileInfo info(path_);
    if (!info.exists() && !info.isSymLink()) {
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
