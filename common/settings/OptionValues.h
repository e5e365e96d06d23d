#pragma once

// Output settings typed on the command line, read and bounded as the options
// dialog bounds them. Each gives nothing for a value the dialog would refuse.

#include <QSize>
#include <QString>
#include <cstdint>
#include <optional>

namespace settings {

// The stored format a name stands for: "avi", "wmv", "mkv", "asf", "mp4" in any case.
std::optional<std::int32_t> FormatFromName(const QString& name);
// The video bitrate in bit/s of a whole number of kbit/s from 1 to kLargestVideoKbps.
std::optional<std::int32_t> VideoBitrateFromKbps(const QString& kbps);
// The audio bitrate in bit/s of one of the dialog's choices (64, 128, 192 or 320 kbit/s).
std::optional<std::int32_t> AudioBitrateFromKbps(const QString& kbps);
// "WxH" with sides from 16 to the largest frame the timeline takes, each
// confirmed as the dialog does (truncated to a multiple of 8).
std::optional<QSize> FrameSizeFromText(const QString& text);
// A frame rate within the dialog's bounds for a typed one.
std::optional<double> FrameRateFromText(const QString& text);

} // namespace settings
