#include "ClipSetup.h"

#include "CompressorCatalogue.h"
#include "OutputSettingsStore.h"
#include "Profile.h"
#include "TransitionTable.h"

#include <cstdlib>
#include <ctime>

namespace veltrano {

std::int32_t ChooseTransition(const ConverterState& state, int clipIndex) {
    switch (state.transitionMode) {
    case 0:
        return std::rand() % kTransitionCount;
    case 1:
        return clipIndex;
    case 2:
        return state.fixedTransition;
    default:
        return state.clipTransition;
    }
}

void LoadConverterSettings(QWidget* owner, ConverterState& state,
                           settings::OutputSettings& output) {
    const uikit::Profile profile = uikit::Profile::Application();
    settings::LoadCompressors(profile, output);
    state.transitionMode = profile.GetInt("TransitionSettings", "TransitionType", 0);
    state.fixedTransition = profile.GetInt("TransitionSettings", "TransitionName", 0);
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    settings::LoadOutputPath(profile, settings::DefaultOutputPath(owner), output);
    settings::LoadOutputSize(profile, output);
    settings::LoadFrameRate(profile, output);
}

void TakeOpenedClip(const QString& path, const media::ProbeResult& probe, ConverterState& state,
                    settings::OutputSettings& output) {
    const std::int64_t duration =
        probe.duration < media::kUnitsPerSecond
            ? probe.duration
            : probe.duration / media::kUnitsPerSecond * media::kUnitsPerSecond;
    state.clipTransition = ChooseTransition(state, 0);
    output.sourceWidth = probe.width;
    output.sourceHeight = probe.height;
    output.outputWidth = probe.width;
    output.outputHeight = probe.height;
    output.sourceFrameRate = probe.frameRate;
    output.sourceCount = 1;
    state.musicFile = path;
    state.musicCount = 1;
    state.startMark = 0;
    state.endMark = duration;
    if (output.frameRateIndex == settings::kFrameRateSourceIndex) {
        output.outputFrameRate = output.sourceFrameRate;
    }
}

} // namespace veltrano
