#include "IniFile.h"

#include <QFile>
#include <QStringDecoder>

namespace uikit {

namespace {

QString Unquoted(const QString& value) {
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == '"' || first == '\'') && value.back() == first) {
            return value.mid(1, value.size() - 2);
        }
    }
    return value;
}

} // namespace

IniFile IniFile::Load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return IniFile();
    }
    return Parse(file.read(kMaxFileBytes));
}

QString IniFile::Decode(const QByteArray& content) {
    if (content.startsWith("\xFF\xFE")) {
        QStringDecoder decoder(QStringConverter::Utf16LE);
        return decoder(content.mid(2));
    }
    if (content.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(QStringConverter::Utf16BE);
        return decoder(content.mid(2));
    }
    if (content.startsWith("\xEF\xBB\xBF")) {
        return QString::fromUtf8(content.mid(3));
    }
    return QString::fromUtf8(content);
}

IniFile IniFile::Parse(const QByteArray& content) {
    IniFile ini;
    QString text = Decode(content);
    // A NUL ends the line it is on, as in the C strings the desktop reader handles.
    text.replace(QChar(u'\0'), QChar(u'\n'));
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QChar(u'\r'), QChar(u'\n'));

    QHash<QString, QString>* section = nullptr; // keys before any section are ignored
    const QStringList lines = text.split(QChar(u'\n'));
    for (const QString& rawLine : lines) {
        const QString line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith(';')) {
            continue;
        }
        if (line.startsWith('[')) {
            const qsizetype close = line.indexOf(']');
            const QString name = line.mid(1, close < 0 ? -1 : close - 1).trimmed().toCaseFolded();
            // A repeated section header is ignored with its keys: the first section wins.
            section = ini.sections_.contains(name) ? nullptr : &ini.sections_[name];
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (section == nullptr || equals < 0) {
            continue;
        }
        const QString key = line.left(equals).trimmed().toCaseFolded();
        if (key.isEmpty() || section->contains(key)) {
            continue;
        }
        section->insert(key, Unquoted(line.mid(equals + 1).trimmed()));
    }
    return ini;
}

QString IniFile::Value(const QString& section, const QString& key) const {
    const auto found = sections_.constFind(section.trimmed().toCaseFolded());
    if (found == sections_.constEnd()) {
        return QString();
    }
    return found->value(key.trimmed().toCaseFolded(), QString());
}

bool IniFile::Contains(const QString& section, const QString& key) const {
    const auto found = sections_.constFind(section.trimmed().toCaseFolded());
    return found != sections_.constEnd() && found->contains(key.trimmed().toCaseFolded());
}

} // namespace uikit
