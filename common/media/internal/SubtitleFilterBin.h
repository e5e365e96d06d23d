#pragma once

// Building the subtitle filter's bin (SubtitleFilter.cpp), for RenderFile.

#include "Handle.h"
#include "internal/SubtitleSidecar.h"

#include <gst/gst.h>

#include <vector>

namespace media::internal {

// What kind of drawing a decoded subtitle stream needs; None for streams the
// filter cannot draw here (their element is missing, or no subtitles at all).
enum class SubtitleKind { None, Ass, Text, DvdSpu, Dvb };
SubtitleKind SubtitleKindOfCaps(const GstCaps* caps);

// The stream to draw among decoded pads: the first flagged for selection by
// default, else the first drawable one. -1 when none is drawable.
int ChooseSubtitlePad(const std::vector<Handle<GstPad>>& pads);

// Lets decodebin hand ASS/SSA on undecoded, so libass keeps their styling.
void StopDecodingAtStyledSubtitles(GstElement* decodebin);

// The filter's bin: video in at "sink", out at "src"; an embedded stream of
// kind `embedded` comes in at kSubtitleInputName. Without one, a sidecar is
// read inside the bin; with neither, video passes through unchanged. Empty
// when an element is missing.
inline constexpr char kSubtitleInputName[] = "subtitle_sink";
Handle<GstElement> MakeSubtitleFilter(SubtitleKind embedded, const Sidecar& sidecar);

} // namespace media::internal
