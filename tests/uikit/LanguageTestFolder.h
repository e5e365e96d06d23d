#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace testenv {

// A temporary base folder with a `language` folder to put language files in.
class LanguageTestFolder {
public:
    LanguageTestFolder() { QDir(base_.path()).mkdir("language"); }

    QString base() const { return base_.path(); }
    QString languageFolder() const { return base_.path() + "/language"; }

    // Writes `content` as language/<fileName>; returns the file's path.
    QString Write(const QString& fileName, const QByteArray& content) const {
        const QString path = languageFolder() + '/' + fileName;
        QFile file(path);
        if (file.open(QIODevice::WriteOnly)) {
            file.write(content);
        }
        return path;
    }

private:
    QTemporaryDir base_;
};

#ifdef CONVERTERS_LANGUAGE_DIR
// The content of a language file the project ships; empty when unreadable.
inline QByteArray ShippedLanguageFile(const QString& fileName) {
    QFile file(QStringLiteral(CONVERTERS_LANGUAGE_DIR) + '/' + fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
#endif

} // namespace testenv
