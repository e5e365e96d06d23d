#include "ClockText.h"

namespace uikit {

QString ClockText(std::int64_t seconds) {
    return QString::asprintf("%02d:%02d:%02d", static_cast<int>(seconds / 3600),
                             static_cast<int>(seconds % 3600 / 60), static_cast<int>(seconds % 60));
}

} // namespace uikit
