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

// An encoder left to place key frames itself (key-int-max 0) gets one at least
// every ten seconds of the stream `source` carries, so a player can seek in it.
void BoundKeyFrameDistance(GstElement* encoder, GstPad* source);

// 8-bit 4:2:0 pictures for an encoder that takes them: the format every
// player decodes. Empty when the encoder does not take it.
Handle<GstElement> MakeCommonPictureFilter(GstElement* encoder);

} // namespace media::internal
