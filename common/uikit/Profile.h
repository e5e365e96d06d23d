#pragma once

#include <QString>
#include <cstdint>

class QSettings;

namespace uikit {

// The application profile: per-user values stored under
// <organisation>/<application>/<section>/<key>. Integers are read the way a
// 32-bit DWORD is: any stored number is taken as its low 32 bits, and a value
// that is not a number reads as the default.
class Profile {
public:
    // The program's own profile: organisation "TarnwickStudio", application = the
    // executable's base name.
    static Profile Application();

    Profile(QString organisation, QString application, QString groupPrefix = {});

    std::int32_t GetInt(const QString& section, const QString& key, std::int32_t fallback) const;
    QString GetString(const QString& section, const QString& key, const QString& fallback) const;
    bool Contains(const QString& section, const QString& key) const;
    void WriteInt(const QString& section, const QString& key, std::int32_t value);
    void WriteString(const QString& section, const QString& key, const QString& value);

private:
    QString KeyPath(QSettings& settings, const QString& section, const QString& key) const;

    QString organisation_;
    QString application_;
    QString groupPrefix_;
};

// The executable's file name without its extension; the caption of the
// application's own message boxes.
QString ApplicationName();

} // namespace uikit
