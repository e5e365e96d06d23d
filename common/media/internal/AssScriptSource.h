#pragma once

// A source element that plays a sidecar script (ASS/SSA, or SRT in the default
// text style) as a subtitle stream:
// application/x-ass with the script header as codec data, one timestamped
// buffer per event, and seeks answered by starting again at the events still
// on show at the new position.

#include "Handle.h"
#include "internal/SubtitleSidecar.h"

#include <gst/gst.h>

#include <string>

namespace media::internal {

// Empty when the script cannot be read (see ReadSidecarScript).
Handle<GstElement> MakeAssScriptSource(const Sidecar& sidecar);

} // namespace media::internal
