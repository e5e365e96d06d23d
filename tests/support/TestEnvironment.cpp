#include "TestEnvironment.h"

#include <QDir>
#include <QSettings>

namespace testenv {

ScopedSettingsFolder::ScopedSettingsFolder() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_.path());
}

ScopedSettingsFolder::~ScopedSettingsFolder() {
    // Park later accidental writes in a folder nobody reads rather than the user's own.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QDir::tempPath());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QDir::tempPath());
}

} // namespace testenv
