#pragma once

// Reads duration, frame size and frame rate of a media file by rendering it
// into a paused graph, step by step; a failed step is reported with its message.

#include "FilterGraph.h"
#include "Result.h"

#include <string>

namespace media {

enum class ProbeStep {
    None,
    CreateGraph,
    RenderFile,
    QuerySeeking,
    GetStopPosition,
    QueryBasicVideo,
    GetVideoSize,
    GetAvgTimePerFrame,
};

struct ProbeResult {
    bool ok = false;
    Result result = S_OK;
    ReferenceTime duration = 0; // 100-ns units
    int width = 0;
    int height = 0;
    double frameRate = 0.0; // frames per second
    ProbeStep failedStep = ProbeStep::None;
    // The fixed message of the failed step (see ProbeStepMessage).
    std::string message;
    // Readable reason: the framework's error text when it reported one, else ErrorText(result).
    std::string errorText;
    // RenderFile failed: the file could not be opened or played at all.
    bool renderFailed = false;
};

// Fixed message for a failed step; empty for ProbeStep::None and RenderFile,
// which callers describe with their own text.
const char* ProbeStepMessage(ProbeStep step);

ProbeResult ProbeMedia(const std::string& path);

} // namespace media
