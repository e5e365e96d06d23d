#pragma once

// Slow media work (probing a file, discovering a timeline's sources) runs on one
// long-lived worker thread, so the window keeps repainting meanwhile. The
// thread has a GLib context of its own: work that waits for the framework's
// main-loop callbacks never competes with the UI thread for the default one.

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <utility>

namespace media {

// Queues `work` for the worker thread; jobs run one at a time, in order.
void RunOnMediaWorker(std::function<void()> work);

// Calls `call` on the application's main thread from the event loop.
void PostToMainThread(std::function<void()> call);

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
