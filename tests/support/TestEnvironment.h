#pragma once

#include <QString>

#include <QTemporaryDir>
#include <functional>

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

// Runs the event loop until `done` says so or `timeoutMs` pass; returns the
// last answer seen, never asking once more (a position read while the graph
// ends, say, could answer differently).
bool ProcessEventsUntil(const std::function<bool()>& done, int timeoutMs);

} // namespace testenv
