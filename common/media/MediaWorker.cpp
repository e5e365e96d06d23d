#include "MediaWorker.h"

#include "internal/MainLoopHandles.h"

#include <QCoreApplication>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace media {

namespace {

class Worker;
// The worker whose job runs on this thread, if any.
thread_local const Worker* currentWorker = nullptr;

// The queue and its thread. The thread holds the state as long as it runs, so
// one left running at shutdown never touches freed memory.
class Worker {
public:
    static std::shared_ptr<Worker> Start() {
        auto worker = std::shared_ptr<Worker>(new Worker());
        std::thread([worker] { worker->Loop(); }).detach();
        return worker;
    }

    void Post(std::function<void()> work) {
        {
            std::lock_guard lock(mutex_);
            if (stopping_) {
                return;
            }
            jobs_.push_back(std::move(work));
        }
        wake_.notify_one();
    }

    // Drops the jobs not started; true when the thread ended within `bound`.
    bool Stop(std::chrono::milliseconds bound) {
        std::unique_lock lock(mutex_);
        stopping_ = true;
        jobs_.clear();
        wake_.notify_all();
        return ended_.wait_for(lock, bound, [this] { return finished_; });
    }

private:
    Worker() = default;

    void Loop() {
        // Everything the framework attaches to "the thread's context" while a
        // job runs (discoverers, asynchronous requests) lands here, for the
        // thread's whole life.
        const auto context = Handle<GMainContext>::Adopt(g_main_context_new());
        g_main_context_push_thread_default(context.get());
        currentWorker = this;
        for (;;) {
            std::function<void()> job;
            {
                std::unique_lock lock(mutex_);
                wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
                if (stopping_) {
                    break;
                }
                job = std::move(jobs_.front());
                jobs_.pop_front();
            }
            job();
        }
        g_main_context_pop_thread_default(context.get());
        std::lock_guard lock(mutex_);
        finished_ = true;
        ended_.notify_all();
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable ended_;
    std::deque<std::function<void()>> jobs_;
    bool stopping_ = false;
    bool finished_ = false;
};

// The running worker and the object results are posted to, under one lock:
// the lifetime's end clears them before the receiver goes.
struct Registry {
    std::mutex mutex;
    std::shared_ptr<Worker> worker;
    QObject* receiver = nullptr;
};

Registry& TheRegistry() {
    // Never destroyed: detached workers and late posts may outlive main().
    static auto* registry = new Registry();
    return *registry;
}

std::atomic<bool> lastShutdownClean{true};

} // namespace

void RunOnMediaWorker(std::function<void()> work) {
    std::shared_ptr<Worker> worker;
    {
        Registry& registry = TheRegistry();
        std::lock_guard lock(registry.mutex);
        if (!registry.worker) {
            registry.worker = Worker::Start();
        }
        worker = registry.worker;
    }
    worker->Post(std::move(work));
}

void PostToMainThread(std::function<void()> call) {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    // A worker left behind at shutdown delivers nothing any more.
    if (currentWorker != nullptr && currentWorker != registry.worker.get()) {
        return;
    }
    // Without a lifetime (tests, tools) the application object receives; it
    // is looked up under the lock the lifetime's end takes too.
    QObject* receiver =
        registry.receiver != nullptr ? registry.receiver : QCoreApplication::instance();
    if (receiver != nullptr) {
        QMetaObject::invokeMethod(receiver, std::move(call), Qt::QueuedConnection);
    }
}

MediaWorkerLifetime::MediaWorkerLifetime(std::chrono::milliseconds shutdownBound)
    : shutdownBound_(shutdownBound), receiver_(std::make_unique<QObject>()) {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    registry.receiver = receiver_.get();
}

MediaWorkerLifetime::~MediaWorkerLifetime() {
    std::shared_ptr<Worker> worker;
    {
        Registry& registry = TheRegistry();
        std::lock_guard lock(registry.mutex);
        worker = std::move(registry.worker);
        registry.receiver = nullptr;
    }
    // Posts made after this point find no receiver; those already queued go
    // with the receiver.
    receiver_.reset();
    const bool clean = !worker || worker->Stop(shutdownBound_);
    lastShutdownClean = clean;
    if (!clean) {
        qWarning("a media job was still running when the program ended; it was left behind");
    }
}

bool MediaWorkerLifetime::LastShutdownClean() {
    return lastShutdownClean;
}

} // namespace media
