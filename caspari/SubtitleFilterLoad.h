#pragma once

#include <cstdint>

namespace caspari {

// The subtitle filter joins rendered video graphs by its own setting
// "LoadLevel"; while the program runs it is made to join every one (0), and the
// value found at start-up is put back at close.
struct SubtitleFilterLoad {
    std::uint32_t savedLoadLevel = 0;
    bool loadLevelChanged = false;
};

// Reads the setting and writes 0 when it holds anything else. A missing key or
// value (the filter is not set up) is left alone.
void ForceSubtitleFilterLoad(SubtitleFilterLoad& load);

// Puts the saved value back when this run changed it, and only when the value
// can still be read.
void RestoreSubtitleFilterLoad(SubtitleFilterLoad& load);

} // namespace caspari
