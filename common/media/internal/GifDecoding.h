#pragma once

// The installed framework decodes animated GIF only through its libav
// elements, which get two things wrong: the demuxer, pulling from a file,
// takes the end of the file for a short read and retries forever instead of
// ending its stream, and the decoder stamps every frame 0. Playback and
// conversion of a GIF then never end. This mends both wherever the elements
// turn up in a pipeline, also deep inside decoding and timeline bins.

#include <gst/gst.h>

namespace media::internal {

// Watches pipeline for GIF demuxers and decoders added at any depth from now on.
void MendGifDecoding(GstElement* pipeline);

} // namespace media::internal
