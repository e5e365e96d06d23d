#pragma once

#include <QString>
#include <cstdint>

namespace veltrano {

// What the main window holds of the opened clip, the marks and a running job.
// The timeline takes one clip and its sound from the same file.
struct ConverterState {
    QString clipFile;
    std::int32_t clipTransition = 0;
    std::int32_t musicCount = 0; // 1 once the clip's sound is on the timeline
    QString musicFile;
    std::int32_t transitionMode = 0;
    std::int32_t fixedTransition = 0;
    std::int32_t converting = 0;
    std::int32_t elapsedSeconds = 0;
    std::int64_t startMark = 0;
    std::int64_t endMark = 0;
    // Where the user let go of the slider; the preview player seeks there.
    std::int32_t sliderPos = 0;
};

// The transition number of a new clip at `clipIndex`, by the stored mode:
// 0 random, 1 the clip's index, 2 the same for all; any other keeps the clip's current one.
std::int32_t ChooseTransition(const ConverterState& state, int clipIndex);

} // namespace veltrano
