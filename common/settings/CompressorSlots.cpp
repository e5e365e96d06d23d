#include "CompressorSlots.h"

#include "CodecConfiguration.h"
#include "CompressorDevices.h"
#include "EncoderProperties.h"

#include <QtGlobal>

namespace settings {

media::Element CompressorForConversion(CompressorCategory category) {
    const media::Element bound = CurrentCompressorDevices().Filter(category);
    if (!bound) {
        return {};
    }
    media::Element filter = media::CreateEncoder(bound.FactoryName());
    const std::optional<CodecState>& state = CurrentCodecState();
    if (filter && category == CompressorCategory::Video && state &&
        state->encoderName == filter.FactoryName()) {
        // The dialog accepted these values on an encoder of the same kind; one
        // refused now is left at the encoder's default and noted in the log.
        for (const std::string& refused : media::ApplyEncoderState(filter, state->values)) {
            qWarning("%s: the setting %s was not taken", filter.FactoryName().c_str(),
                     refused.c_str());
        }
    }
    return filter;
}

} // namespace settings
