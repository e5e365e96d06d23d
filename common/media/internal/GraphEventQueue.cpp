#include "internal/GraphEventQueue.h"

#include "GraphEvents.h"

#include <QCoreApplication>

#include <chrono>

namespace media::internal {

namespace {
const QEvent::Type kRelayEvent = static_cast<QEvent::Type>(QEvent::registerEventType());
} // namespace

// Receives one relay event per queued graph event, in the graph's thread, and
// forwards it to the target if the target still exists.
class GraphEventQueue::Relay : public QObject {
public:
    explicit Relay(GraphEventQueue& queue) : queue_(queue) {}

    bool event(QEvent* event) override {
        if (event->type() != kRelayEvent) {
            return QObject::event(event);
        }
        QPointer<QObject> target;
        int message = 0;
        {
            std::lock_guard lock(queue_.mutex_);
            target = queue_.target_;
            message = queue_.message_;
        }
        if (target) {
            QCoreApplication::postEvent(target, new GraphNotifyEvent(message));
        }
        return true;
    }

private:
    GraphEventQueue& queue_;
};

GraphEventQueue::GraphEventQueue() : relay_(std::make_unique<Relay>(*this)) {}

// Destroying the relay drops relay events still pending for it.
GraphEventQueue::~GraphEventQueue() = default;

void GraphEventQueue::Push(const GraphEvent& event) {
    std::lock_guard lock(mutex_);
    events_.push_back(event);
    available_.notify_all();
    if (notify_) {
        QCoreApplication::postEvent(relay_.get(), new QEvent(kRelayEvent));
    }
}

Result GraphEventQueue::Pop(GraphEvent& event, int timeoutMs) {
    std::unique_lock lock(mutex_);
    auto ready = [this] { return !events_.empty(); };
    if (timeoutMs < 0) {
        available_.wait(lock, ready);
    } else if (!available_.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready)) {
        return E_ABORT;
    }
    event = events_.front();
    events_.pop_front();
    return S_OK;
}

void GraphEventQueue::Clear() {
    std::lock_guard lock(mutex_);
    events_.clear();
}

void GraphEventQueue::SetNotifyTarget(QObject* target, int message) {
    std::lock_guard lock(mutex_);
    target_ = target;
    message_ = message;
    notify_ = target != nullptr;
}

} // namespace media::internal
