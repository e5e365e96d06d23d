#pragma once

#include <QString>
#include <cstdint>
#include <memory>

class QSettings;

namespace uikit {

// The application profile: per-user values stored under
// <organisation>/<application>/<section>/<key>. Integers are read the way a
// 32-bit DWORD is: any stored number is taken as its low 32 bits, and a value
// that is not a number reads as the default. Copies share one open store.
class Profile {
public:
    // The program's own profile: organisation "TarnwickStudio", application = the
    // executable's base name. Opened on first use and kept open until
    // CloseApplicationStore, so every part of the program reads and writes one store.
    static Profile Application();
    // Writes the program's store back and closes it (at exit, and whenever the
    // storage folder changes); the next Application() opens it anew.
    static void CloseApplicationStore();

    Profile(QString organisation, QString application, QString groupPrefix = {});

    std::int32_t GetInt(const QString& section, const QString& key, std::int32_t fallback) const;
    QString GetString(const QString& section, const QString& key, const QString& fallback) const;
    bool Contains(const QString& section, const QString& key) const;
    void WriteInt(const QString& section, const QString& key, std::int32_t value);
    void WriteString(const QString& section, const QString& key, const QString& value);
    // Writes what was changed back to the storage, after each completed save.
    void Save();
    // The folder the store's file lies in: where the program keeps its own
    // files beside its settings.
    QString Folder() const;

private:
    explicit Profile(std::shared_ptr<QSettings> store);
    QString KeyPath(const QString& section, const QString& key) const;

    std::shared_ptr<QSettings> store_;
    QString groupPrefix_;
};

// The executable's file name without its extension; the caption of the
// application's own message boxes.
QString ApplicationName();

} // namespace uikit
