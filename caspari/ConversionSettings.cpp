#include "ConversionSettings.h"

#include "OutputSettingsStore.h"
#include "Profile.h"

namespace caspari {

void LoadStoredOutputSettings(QWidget* owner, settings::OutputSettings& output) {
    // The only frame-rate choice offered is the source's own.
    output.frameRateIndex = settings::kFrameRateSourceIndex;
    const uikit::Profile profile = uikit::Profile::Application();
    settings::LoadOutputFormat(profile, output);
    settings::LoadCompressors(profile, output);
    settings::LoadOutputPath(profile, settings::DefaultOutputPath(owner), output);
    settings::LoadOutputSize(profile, output);
    settings::LoadBitrates(profile, output);
}

void TakeProbedSource(const media::ProbeResult& probe, settings::OutputSettings& output) {
    output.sourceWidth = probe.width;
    output.sourceHeight = probe.height;
    output.outputWidth = probe.width;
    output.outputHeight = probe.height;
    output.sourceFrameRate = probe.frameRate;
    // The options offer no other rate.
    output.outputFrameRate = probe.frameRate;
}

} // namespace caspari
