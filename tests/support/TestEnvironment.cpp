#include "TestEnvironment.h"

#include "Profile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSettings>
#include <QThread>

#include <dirent.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

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

namespace {

// The ids of the process's threads now running.
std::vector<pid_t> ThreadIds() {
    std::vector<pid_t> ids;
    if (DIR* tasks = opendir("/proc/self/task")) {
        while (const dirent* entry = readdir(tasks)) {
            if (const int id = std::atoi(entry->d_name); id > 0) {
                ids.push_back(id);
            }
        }
        closedir(tasks);
    }
    return ids;
}

bool SetEveryThread(const cpu_set_t& processors) {
    bool all = true;
    for (const pid_t id : ThreadIds()) {
        // A thread that ended meanwhile cannot be set and needs nothing.
        if (sched_setaffinity(id, sizeof processors, &processors) != 0 && errno != ESRCH) {
            all = false;
        }
    }
    return all;
}

} // namespace

ScopedSingleProcessor::ScopedSingleProcessor() {
    if (sched_getaffinity(0, sizeof all_, &all_) != 0) {
        return;
    }
    for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu) {
        if (CPU_ISSET(cpu, &all_)) {
            cpu_set_t one;
            CPU_ZERO(&one);
            CPU_SET(cpu, &one);
            pinned_ = SetEveryThread(one);
            return;
        }
    }
}

ScopedSingleProcessor::~ScopedSingleProcessor() {
    if (CPU_COUNT(&all_) > 0) {
        SetEveryThread(all_);
    }
}

QProcessEnvironment ChildTestEnvironment() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("GTEST_TOTAL_SHARDS"));
    env.remove(QStringLiteral("GTEST_SHARD_INDEX"));
    return env;
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
