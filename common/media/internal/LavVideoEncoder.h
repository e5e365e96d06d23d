#pragma once

// A video encoder element over libavcodec for the codecs whose rate control
// needs the frame rate as the codec's time base. The framework's own wrapper
// of this platform hands every video codec a nanosecond time base, which
// those codecs take for a frame rate of a billion frames a second: their rate
// control then gives each frame next to no bits and pins the quantizer at its
// maximum, whatever bitrate was asked for.

#include <gst/gst.h>

#include <string>

namespace media::internal {

struct LavVideoEncoderInfo {
    std::string factoryName; // name the element is registered under
    std::string codecName;   // libavcodec encoder name
    std::string longName;    // element metadata shown to people
    std::string classification;
    std::string description;
    std::string outputCaps; // compressed caps without size and rate
};

// Registers an element type for one codec. False when libavcodec lacks the
// encoder or the registration fails.
bool RegisterLavVideoEncoder(const LavVideoEncoderInfo& info, guint rank);

} // namespace media::internal
