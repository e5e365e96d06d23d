#include "CompressorSlots.h"

#include "CodecConfiguration.h"
#include "CompressorDevices.h"
#include "EncoderProperties.h"

namespace settings {

media::Element BoundCompressor(CompressorCategory category) {
    media::Element filter = CurrentCompressorDevices().Filter(category);
    const std::optional<CodecState>& state = CurrentCodecState();
    if (filter && category == CompressorCategory::Video && state &&
        state->encoderName == filter.FactoryName()) {
        media::ApplyEncoderState(filter, state->values);
    }
    return filter;
}

} // namespace settings
