#pragma once

// Control and command IDs of caspari's main window (template 102) and its popup menu.

namespace caspari {

inline constexpr int kProgressIntervalMs = 1000; // progress of a running conversion

inline constexpr int kMainIcon = 128;

namespace idc {
inline constexpr int kOpenVideo = 1000;
inline constexpr int kOptions = 1006;
inline constexpr int kConvert = 1002;
inline constexpr int kHelp = 1043;
inline constexpr int kSourceInfo = 1001;   // opened file's name and duration
inline constexpr int kBuildFilters = 1003; // hidden at start-up and never shown
inline constexpr int kStatus = 1004;
inline constexpr int kProgress = 1090;
inline constexpr int kHomepage = 1026;
inline constexpr int kAbout = 1027;
inline constexpr int kExit = 1022;
} // namespace idc

inline constexpr int kCommandAbout = 32771;
inline constexpr int kCommandFont = 32772;

} // namespace caspari
