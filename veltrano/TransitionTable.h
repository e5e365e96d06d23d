#pragma once

#include <cstdint>
#include <string>

namespace veltrano {

// What a clip's transition number (0..46) stands for.
struct TransitionInfo {
    const char* name;
    const char* classId;  // empty for "None"
    std::int32_t maskNum; // wipe pattern, 0 when the class takes none
};

inline constexpr int kTransitionNone = 0;
inline constexpr int kTransitionCount = 47;
inline constexpr auto kSmpteWipeClass = "{DE75D012-7A65-11D2-8CEA-00A0C9441E20}";

// Numbers outside the table are the wipe without a pattern, named "Horizontal".
TransitionInfo Transition(std::int32_t number);

} // namespace veltrano
