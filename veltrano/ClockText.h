#pragma once

#include <QString>
#include <cstdint>

namespace veltrano {

// Whole seconds as "hh:mm:ss", the way every time of the main window is shown.
inline QString ClockText(std::int64_t seconds) {
    return QString::asprintf("%02d:%02d:%02d", static_cast<int>(seconds / 3600),
                             static_cast<int>(seconds % 3600 / 60), static_cast<int>(seconds % 60));
}

} // namespace veltrano
