#include "GraphEvents.h"

namespace media {

QEvent::Type GraphNotifyEventType() {
    static const auto type =
        static_cast<QEvent::Type>(QEvent::registerEventType(QEvent::User + kGraphNotifyMessage));
    return type;
}

const QEvent::Type kGraphNotifyEvent = GraphNotifyEventType();

} // namespace media
