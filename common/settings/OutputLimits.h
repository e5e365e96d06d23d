#pragma once

// The values the output options take, shared by the options dialog and the
// command line, so both refuse and round alike.

#include <cstdint>
#include <limits>

namespace settings {

// Bitrates of the WMV audio list, by position.
inline constexpr std::int32_t kAudioBitrates[] = {64000, 128000, 192000, 320000};
inline constexpr std::int32_t kVideoBitrateUnit = 1024;
inline constexpr std::int32_t kAudioBitrateUnit = 1000;
// The largest video bitrate the edit takes, in kbit/s: far above what a WMV
// encoder is given, and its bit/s value stays well inside 32 bits.
inline constexpr int kLargestVideoKbps = 100000;
static_assert(kLargestVideoKbps <= std::numeric_limits<std::int32_t>::max() / kVideoBitrateUnit);

// Below this a rate is refused as too small; above the largest a typed rate
// would make a conversion write frames without end.
inline constexpr double kSmallestFrameRate = 0.001;
inline constexpr double kLargestCustomFrameRate = 1000.0;

// A typed frame side truncated toward zero to a multiple of 8, and at least 16.
constexpr std::int32_t ConfirmedDimension(int typed) {
    const int truncated = typed - typed % 8;
    return truncated < 16 ? 16 : truncated;
}

} // namespace settings
