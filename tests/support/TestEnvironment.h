#pragma once

#include <QString>
#include <QTemporaryDir>

namespace testenv {

// Points every per-user settings file of the process at a fresh temporary folder
// for the lifetime of the object, so tests never read or write the user's own.
class ScopedSettingsFolder {
public:
    ScopedSettingsFolder();
    ~ScopedSettingsFolder();
    ScopedSettingsFolder(const ScopedSettingsFolder&) = delete;
    ScopedSettingsFolder& operator=(const ScopedSettingsFolder&) = delete;

    QString path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
};

} // namespace testenv
