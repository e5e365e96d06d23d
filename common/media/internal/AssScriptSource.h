#pragma once

// A source element that plays an ASS/SSA script file as a subtitle stream:
// application/x-ass with the script header as codec data, one timestamped
// buffer per event, and seeks answered by starting again at the events still
// on show at the new position.

#include "Handle.h"

#include <gst/gst.h>

#include <string>

namespace media::internal {

// Empty when the script cannot be read (see ReadAssScript).
Handle<GstElement> MakeAssScriptSource(const std::string& path);

} // namespace media::internal
