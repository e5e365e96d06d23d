#pragma once

// Puts this layer's libavcodec video encoders (LavVideoEncoder.h) in the
// place of the framework's libav elements for the same codecs, under the same
// element names and descriptions, so every saved choice of those encoders
// gets one whose bitrate is honoured.

namespace media::internal {

// Once per process, after the framework is up.
void ReplaceLibavVideoEncoders();

} // namespace media::internal
