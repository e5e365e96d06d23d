#pragma once

#include <QString>
#include <cstdint>

namespace uikit {

// Whole seconds as "hh:mm:ss", the way the main windows show every time.
QString ClockText(std::int64_t seconds);

} // namespace uikit
