#pragma once

// Slow media work (probing a file, discovering a timeline's sources) runs on one
// long-lived worker thread, so the window keeps repainting meanwhile. The
// thread has a GLib context of its own: work that waits for the framework's
// main-loop callbacks never competes with the UI thread for the default one.

#include <QObject>
#include <QPointer>

#include <chrono>
#include <functional>
#include <memory>
#include <utility>

namespace media {

// Queues `work` for the worker thread; jobs run one at a time, in order. Every
// job bounds its own waits.
void RunOnMediaWorker(std::function<void()> work);

// Calls `call` on the application's main thread from the event loop; dropped
// once the application (or the MediaWorkerLifetime) is gone.
void PostToMainThread(std::function<void()> call);

// The application owns the worker through this object: created after the
// application object and gone before it. Its end drops the jobs not started,
// waits for the running one up to `shutdownBound`, and delivers nothing to
// the main thread afterwards. A job still running then is left to finish on
// its own: leaving never hangs on it. A later job starts a fresh worker.
class MediaWorkerLifetime {
public:
    explicit MediaWorkerLifetime(
        std::chrono::milliseconds shutdownBound = std::chrono::milliseconds(2000));
    ~MediaWorkerLifetime();
    MediaWorkerLifetime(const MediaWorkerLifetime&) = delete;
    MediaWorkerLifetime& operator=(const MediaWorkerLifetime&) = delete;

    // Whether the running job ended within the bound (for tests and logs).
    static bool LastShutdownClean();

private:
    std::chrono::milliseconds shutdownBound_;
    std::unique_ptr<QObject> receiver_;
};

// Runs `work` on the worker thread and hands its result to `done` on the main
// thread. `done` is dropped when `receiver` is gone by then.
template <typename T>
void RunInBackground(QObject* receiver, std::function<T()> work, std::function<void(T)> done) {
    QPointer<QObject> guard(receiver);
    RunOnMediaWorker([guard, work = std::move(work), done = std::move(done)] {
        auto result = std::make_shared<T>(work());
        PostToMainThread([guard, done, result] {
            if (guard) {
                done(std::move(*result));
            }
        });
    });
}

} // namespace media
