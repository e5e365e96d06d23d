#pragma once

// Gives a decoder's output frames the timestamps of the input frames they were
// made from, for decoders that stamp every output frame alike (the libav GIF
// decoder stamps each one 0): multiplexers and the timeline would otherwise
// see one frame repeated at zero.

#include <gst/gst.h>

namespace media::internal {

// Watches both sides of decoder for as long as it exists. Assumes one output
// frame per input frame in input order, which holds for decoders without frame
// reordering.
void RestampDecoderOutput(GstElement* decoder);

} // namespace media::internal
