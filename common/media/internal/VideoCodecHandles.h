#pragma once

// Handle traits for the video codec base classes' states and
// frames, which count references of their own.

#include "Handle.h"

#include <gst/video/video.h>

namespace media {

template <>
struct HandleTraits<GstVideoCodecState> {
    static void Ref(GstVideoCodecState* p) { gst_video_codec_state_ref(p); }
    static void Unref(GstVideoCodecState* p) { gst_video_codec_state_unref(p); }
};

template <>
struct HandleTraits<GstVideoCodecFrame> {
    static void Ref(GstVideoCodecFrame* p) { gst_video_codec_frame_ref(p); }
    static void Unref(GstVideoCodecFrame* p) { gst_video_codec_frame_unref(p); }
};

} // namespace media
