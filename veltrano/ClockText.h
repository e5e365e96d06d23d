#pragma once

#include "FilterGraph.h"

#include <QString>
#include <cstdint>

namespace veltrano {

// Whole seconds as "hh:mm:ss", the way every time of the main window is shown.
inline QString ClockText(std::int64_t seconds) {
    return QString::asprintf("%02d:%02d:%02d", static_cast<int>(seconds / 3600),
                             static_cast<int>(seconds % 3600 / 60), static_cast<int>(seconds % 60));
}

// A time in 100-ns units the same way, by its whole seconds.
inline QString UnitsClockText(std::int64_t units) {
    return ClockText(units / media::kUnitsPerSecond);
}

} // namespace veltrano
