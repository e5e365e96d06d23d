#pragma once

#include <QProcessEnvironment>
#include <QString>

#include <QTemporaryDir>
#include <functional>

#include <sched.h>

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

// Runs every thread of the process, and every thread started meanwhile, on
// one processor while the object lives (what `taskset -c` does to a program):
// work that the streaming threads would share between cores queues up
// instead. Threads still running at the end get the processors back.
class ScopedSingleProcessor {
public:
    ScopedSingleProcessor();
    ~ScopedSingleProcessor();
    ScopedSingleProcessor(const ScopedSingleProcessor&) = delete;
    ScopedSingleProcessor& operator=(const ScopedSingleProcessor&) = delete;

    // False when the processors could not be read or set (the test goes on
    // with all of them).
    bool pinned() const { return pinned_; }

private:
    cpu_set_t all_{};
    bool pinned_ = false;
};

// The environment for running a test of this program again in a child
// process: this one's, without the shard a test runner gave this process.
QProcessEnvironment ChildTestEnvironment();

// Runs the event loop until `done` says so or `timeoutMs` pass; returns the
// last answer seen, never asking once more (a position read while the graph
// ends, say, could answer differently).
bool ProcessEventsUntil(const std::function<bool()>& done, int timeoutMs);

} // namespace testenv
