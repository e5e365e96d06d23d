#pragma once

#include "ClockText.h"
#include "FilterGraph.h"

#include <QString>
#include <cstdint>

namespace veltrano {

using uikit::ClockText;

// A time in 100-ns units as "hh:mm:ss", by its whole seconds.
inline QString UnitsClockText(std::int64_t units) {
    return ClockText(units / media::kUnitsPerSecond);
}

} // namespace veltrano
