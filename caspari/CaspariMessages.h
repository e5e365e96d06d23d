#pragma once

// Numbers of the message texts caspari's window and engine show (the string
// table and the language files' STRING section).

namespace caspari::msg {

inline constexpr int kError = 105;
inline constexpr int kWarning = 108;
inline constexpr int kOriginalSize = 111;
inline constexpr int kOutputFile = 115;
inline constexpr int kResolution = 116;
inline constexpr int kOpenFile = 119;
inline constexpr int kCannotOpenFile = 122;
inline constexpr int kNoDuration = 123;
inline constexpr int kTextStop = 124;
inline constexpr int kTextConvert = 125;
inline constexpr int kFileExists = 131;
inline constexpr int kStopFirst = 143;
inline constexpr int kDone = 163;

} // namespace caspari::msg
