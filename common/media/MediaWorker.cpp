#include "MediaWorker.h"

#include "internal/MainLoopHandles.h"

#include <QCoreApplication>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace media {

namespace {

class Worker {
public:
    Worker() : thread_([this] { Loop(); }) {}
    ~Worker() {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;

    void Post(std::function<void()> work) {
        {
            std::lock_guard lock(mutex_);
            jobs_.push_back(std::move(work));
        }
        wake_.notify_one();
    }

private:
    void Loop() {
        // Everything the framework attaches to "the thread's context" while a
        // job runs (discoverers, asynchronous requests) lands here, for the
        // thread's whole life.
        const auto context = Handle<GMainContext>::Adopt(g_main_context_new());
        g_main_context_push_thread_default(context.get());
        for (;;) {
            std::function<void()> job;
            {
                std::unique_lock lock(mutex_);
                wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
                if (jobs_.empty()) {
                    break;
                }
                job = std::move(jobs_.front());
                jobs_.pop_front();
            }
            job();
        }
        g_main_context_pop_thread_default(context.get());
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> jobs_;
    bool stopping_ = false;
    std::thread thread_; // last: starts once the rest is ready
};

} // namespace

void RunOnMediaWorker(std::function<void()> work) {
    static Worker worker;
    worker.Post(std::move(work));
}

void PostToMainThread(std::function<void()> call) {
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr) {
        return;
    }
    QMetaObject::invokeMethod(app, std::move(call), Qt::QueuedConnection);
}

} // namespace media
