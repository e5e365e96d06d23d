#pragma once

// The formats the installed Windows Media encoders produce, as the profile
// manager lists them, and the encoder that produces a given media type.

#include "WmProfile.h"

#include <cstdint>
#include <string>
#include <vector>

namespace media::internal {

struct WmCodecEntry {
    const char* encoder; // element factory name
    WmMajorType type;
    std::uint32_t subtype; // format tag or four-character code
};

// Every encoder the layer knows, in listing order.
const std::vector<WmCodecEntry>& KnownWmCodecs();

// The installed ones of a major type with their formats; a missing encoder is
// left out.
std::vector<WmProfileManager::Codec> InstalledWmCodecs(WmMajorType type);

// The encoder element for a media type; empty when the layer has none for it.
std::string WmEncoderFor(const WmMediaType& type);

// Bytes per packet of the audio encoder: the encoder packs frame-length
// samples at the bitrate into each packet.
std::uint16_t WmaBlockAlign(std::uint32_t bitsPerSecond, std::uint32_t sampleRate);
WmMediaType WmaFormat(std::uint32_t sampleRate, std::uint16_t channels,
                      std::uint32_t bitsPerSecond);
WmMediaType WmvFormat(std::uint32_t fourcc);

} // namespace media::internal
