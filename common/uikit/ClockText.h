#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace uikit {

// Whole seconds as "hh:mm:ss", the way the main windows show every time.
QString ClockText(std::int64_t seconds);

// The time "hh:mm:ss" (or "hh:mm:ss.fff") stands for, in milliseconds; nothing
// when `text` is no such time (minutes and seconds below 60).
std::optional<std::int64_t> ParseClockText(const QString& text);

} // namespace uikit
