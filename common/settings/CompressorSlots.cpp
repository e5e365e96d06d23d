#include "CompressorSlots.h"

#include "CodecConfiguration.h"
#include "CompressorDevices.h"
#include "EncoderProperties.h"

namespace settings {

media::Element CompressorForConversion(CompressorCategory category) {
    const media::Element bound = CurrentCompressorDevices().Filter(category);
    if (!bound) {
        return {};
    }
    media::Element filter = media::Element::Create(bound.FactoryName());
    const std::optional<CodecState>& state = CurrentCodecState();
    if (filter && category == CompressorCategory::Video && state &&
        state->encoderName == filter.FactoryName()) {
        media::ApplyEncoderState(filter, state->values);
    }
    return filter;
}

} // namespace settings
