#pragma once

// Format a pad's stream takes when it is written without a compressor. A render
// engine sets it on its group output pads; pads without it keep the format they
// negotiate.

#include "Handle.h"

#include <gst/gst.h>

namespace media::internal {

void SetUncompressedCaps(GstPad* pad, const Handle<GstCaps>& caps);
Handle<GstCaps> UncompressedCaps(GstPad* pad);

// Lets an encoder use all cores unless its thread count was chosen already.
void UseAllEncoderThreads(GstElement* encoder);

} // namespace media::internal
