#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

namespace uikit {

// A read-only INI file, parsed the way the desktop's own profile reader does:
// section and key names compare ignoring case, blanks around names and values
// are trimmed, a value wrapped in matching quotes is unwrapped, lines starting
// with ';' are comments, and of duplicate keys (or sections) the first wins.
// A byte-order mark selects UTF-16 (either byte order) or UTF-8; text without
// one is read as UTF-8, the system's 8-bit encoding.
class IniFile {
public:
    // Reads at most this many bytes of a file: a language file is a few
    // kilobytes, and a stray huge file must not exhaust memory.
    static constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;

    // The parsed file; a missing or unreadable file reads as empty.
    static IniFile Load(const QString& path);
    static IniFile Parse(const QByteArray& content);

    // The value, or a null QString when the section or key is absent.
    QString Value(const QString& section, const QString& key) const;
    bool Contains(const QString& section, const QString& key) const;

private:
    static QString Decode(const QByteArray& content);

    // Case-folded section name -> case-folded key -> value.
    QHash<QString, QHash<QString, QString>> sections_;
};

} // namespace uikit
