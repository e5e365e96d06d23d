#pragma once

// Graph notifications: event codes a graph queues and the Qt event it posts to
// the notify target whenever one is queued.

#include <QEvent>

#include <cstdint>

namespace media {

// Event codes returned by FilterGraph::GetEvent. Only these are queued; the
// framework's other messages (state changes, warnings, tags, ...) are dropped.
constexpr long EC_COMPLETE = 0x01;   // the whole graph reached end of stream; param1 = result
constexpr long EC_USERABORT = 0x02;  // reserved for callers that abort on the user's request
constexpr long EC_ERRORABORT = 0x03; // an element failed; param1 = result, text in LastErrorText

// Message id the programs register for graph notifications.
constexpr int kGraphNotifyMessage = 1037;

// Event type of GraphNotifyEvent, registered with Qt on first use.
QEvent::Type GraphNotifyEventType();
extern const QEvent::Type kGraphNotifyEvent;

// Posted to the notify target; carries the message id given to SetNotifyWindow.
class GraphNotifyEvent : public QEvent {
public:
    explicit GraphNotifyEvent(int message) : QEvent(GraphNotifyEventType()), message_(message) {}
    int message() const { return message_; }

private:
    int message_;
};

} // namespace media
