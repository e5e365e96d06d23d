#pragma once

// Queue of graph events filled from streaming threads and drained by the owner
// of the graph. When a notify target is set, every queued event also posts a
// GraphNotifyEvent to it; posting goes through a relay object that lives in the
// graph's thread, so the target itself is only ever touched from that thread.

#include "Result.h"

#include <QObject>
#include <QPointer>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>

namespace media::internal {

struct GraphEvent {
    long code = 0;
    std::intptr_t param1 = 0;
    std::intptr_t param2 = 0;
};

class GraphEventQueue {
public:
    GraphEventQueue();
    ~GraphEventQueue();
    GraphEventQueue(const GraphEventQueue&) = delete;
    GraphEventQueue& operator=(const GraphEventQueue&) = delete;

    // Safe from any thread.
    void Push(const GraphEvent& event);
    // Waits up to timeoutMs (0 = no wait, negative = forever) for the next event.
    Result Pop(GraphEvent& event, int timeoutMs);
    void Clear();

    // Must be called from the thread that created the queue.
    void SetNotifyTarget(QObject* target, int message);

private:
    class Relay;

    std::mutex mutex_;
    std::condition_variable available_;
    std::deque<GraphEvent> events_;
    std::unique_ptr<Relay> relay_;
    QPointer<QObject> target_;
    int message_ = 0;
    // Read by streaming threads instead of the QPointer, which belongs to the graph's thread.
    bool notify_ = false;
};

} // namespace media::internal
