#pragma once

// The encoder chains a Windows Media writer puts in front of its multiplexer:
// the profile the writer was configured with is kept on the multiplexer, and
// each rendered stream takes the next stream of its kind from it.

#include "Element.h"
#include "FrameRate.h"
#include "Handle.h"
#include "Result.h"
#include "WmProfile.h"

#include <gst/gst.h>

#include <cstdint>
#include <vector>

namespace media::internal {

// Keeps a copy of the profile on the multiplexer. VFW_E_NO_ENCODER when an
// audio or video stream's format has no installed encoder, E_INVALIDARG when
// the profile has neither.
Result AttachWmProfile(GstElement* mux, const WmProfile& profile);
bool HasWmProfile(GstElement* mux);

// asfmux states each data packet's length without the padding that follows
// it and the padding on top; readers take the stated length for the whole
// packet, so a last packet with more padding than data reads as broken. This
// rewrites the stated length of the packets leaving mux to the full packet.
void RepairAsfPacketLengths(GstElement* mux);

// Frame rate of a frame duration in 100-ns units (333667 -> 30000/1001,
// 344827 -> 29/1); 0/1 for a duration of zero or less.
Fraction WmFrameRate(std::int64_t timePerFrame);
// Frames between key frames for a spacing in 100-ns units at the rate; at
// least 1, 0 when the spacing is 0 (the encoder's default).
int WmKeyFrameInterval(std::int64_t spacing, Fraction rate);

struct WmStreamChain {
    std::uint16_t streamNumber = 0;
    std::vector<Handle<GstElement>> elements; // converters, caps filter, encoder
};

// The chain for the next profile stream of the major type that has not been
// rendered yet. VFW_E_TYPE_NOT_ACCEPTED when the profile has none left (or
// none at all), VFW_E_NO_ENCODER when its encoder is missing.
Result BuildWmStreamChain(GstElement* mux, MajorType type, WmStreamChain& chain);
// Records that the chain's stream now feeds the multiplexer.
void MarkWmStreamRendered(GstElement* mux, std::uint16_t streamNumber);

} // namespace media::internal
