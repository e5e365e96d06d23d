#include "BatchOutputNames.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace settings {

QStringList BatchOutputPaths(const QStringList& sources, const QString& folder,
                             const QString& extension) {
    QSet<QString> taken;
    for (const QString& source : sources) {
        taken.insert(QFileInfo(source).absoluteFilePath());
    }
    const QDir directory(folder);
    QStringList paths;
    for (const QString& source : sources) {
        const QString base = QFileInfo(source).completeBaseName();
        QString path = directory.absoluteFilePath(base + extension);
        for (int copy = 2; taken.contains(path); ++copy) {
            path = directory.absoluteFilePath(
                QStringLiteral("%1 (%2)%3").arg(base).arg(copy).arg(extension));
        }
        taken.insert(path);
        paths.push_back(path);
    }
    return paths;
}

} // namespace settings
