#pragma once

// Frame time of streams whose caps state no frame rate (0/1), as containers
// without a default frame duration and variable-rate recordings give them.

#include "Result.h"

#include <string>

namespace media::internal {

// Average time between the first frames of the file's first video stream, read
// from their timestamps on a separate short pipeline that demultiplexes and
// parses but does not decode. Stops after maxFrames frames or maxMilliseconds
// of wall time, whichever comes first; fails when fewer than two distinct
// timestamps arrived by then.
Result MeasureFrameTime(const std::string& path, double& seconds, int maxFrames = 60,
                        int maxMilliseconds = 1000);

} // namespace media::internal
