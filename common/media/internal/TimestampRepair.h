#pragma once

// Some encoders of the installed framework (the libav MPEG-4 video one among
// them) hand out compressed frames without usable timestamps. Multiplexers drop such
// frames as lying outside the stream's segment, so the file ends up without
// video. This gives those frames the timestamps of the raw frames they were
// made from.

#include <gst/gst.h>

namespace media::internal {

// Watches both sides of encoder for as long as it exists. Assumes one output
// frame per input frame in input order, which holds for encoders without frame
// reordering; frames that carry a usable timestamp are left as they are.
void RepairEncoderTimestamps(GstElement* encoder);

// For decoders that stamp every output frame alike (the libav GIF decoder
// stamps each one 0): each output frame takes the timestamp of its input
// frame, whatever it carried. Same assumptions as above.
void RestampDecoderOutput(GstElement* decoder);

} // namespace media::internal
