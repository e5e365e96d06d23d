#pragma once

// Reading what a source file holds (streams, length) for the editing timeline.

#include "Result.h"

#include <string>

namespace media {

// Reads the description of the file at `path` once; the timeline built from it
// afterwards finds it ready. Slow (it decodes the start of the file): call it on
// the media worker (MediaWorker.h). errorText receives the framework's reason
// when it gives one.
Result DiscoverSource(const std::string& path, std::string* errorText);

} // namespace media
