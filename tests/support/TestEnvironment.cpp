#include "TestEnvironment.h"

#include "Profile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSettings>
#include <QThread>

namespace testenv {

ScopedSettingsFolder::ScopedSettingsFolder() {
    // The program's store stays open across calls; it must be reopened in the new folder.
    uikit::Profile::CloseApplicationStore();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_.path());
}

ScopedSettingsFolder::~ScopedSettingsFolder() {
    uikit::Profile::CloseApplicationStore();
    // Park later accidental writes in a folder nobody reads rather than the user's own.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QDir::tempPath());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QDir::tempPath());
}

bool ProcessEventsUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    bool finished = done();
    while (!finished && timer.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
        finished = done();
    }
    return finished;
}

} // namespace testenv
