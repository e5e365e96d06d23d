#include "MediaProbe.h"

#include <algorithm>
#include <cctype>

namespace media {

namespace {

bool HasGifExtension(const std::string& path) {
    constexpr std::string_view kGif = ".gif";
    if (path.size() < kGif.size()) {
        return false;
    }
    return std::equal(kGif.begin(), kGif.end(), path.end() - kGif.size(), [](char a, char b) {
        return a == std::tolower(static_cast<unsigned char>(b));
    });
}

ProbeResult Failure(ProbeStep step, Result result, const std::string& frameworkText) {
    ProbeResult probe;
    probe.result = result;
    probe.failedStep = step;
    probe.message = ProbeStepMessage(step);
    probe.errorText = frameworkText.empty() ? ErrorText(result) : frameworkText;
    probe.renderFailed = step == ProbeStep::RenderFile;
    return probe;
}

} // namespace

const char* ProbeStepMessage(ProbeStep step) {
    switch (step) {
    case ProbeStep::CreateGraph:
        return "Failed to CoCreateInstance";
    case ProbeStep::QuerySeeking:
        return "Failed to get IID_IMediaSeeking";
    case ProbeStep::GetStopPosition:
        return "Failed to GetStopPosition";
    case ProbeStep::QueryBasicVideo:
        return "Failed to IID_IBasicVideo";
    case ProbeStep::GetVideoSize:
        return "Failed to GetVideoSize, please install appropriate video decoder";
    case ProbeStep::GetAvgTimePerFrame:
        return "Failed to get_AvgTimePerFrame";
    case ProbeStep::None:
    case ProbeStep::RenderFile:
        break;
    }
    return "";
}

ProbeResult ProbeMedia(const std::string& path) {
    std::shared_ptr<FilterGraph> graph;
    Result result = FilterGraph::Create(graph);
    if (Failed(result)) {
        return Failure(ProbeStep::CreateGraph, result, {});
    }
    result = graph->RenderFile(path);
    if (Failed(result)) {
        return Failure(ProbeStep::RenderFile, result, graph->LastErrorText());
    }
    result = graph->QuerySeeking();
    if (Failed(result)) {
        return Failure(ProbeStep::QuerySeeking, result, {});
    }

    ProbeResult probe;
    // GIF decoding reports no stop position of its own; its length comes from the
    // duration the demuxer computes from the frame delays.
    result = HasGifExtension(path) ? graph->GetDuration(probe.duration)
                                   : graph->GetStopPosition(probe.duration);
    if (Failed(result)) {
        return Failure(ProbeStep::GetStopPosition, result, {});
    }
    result = graph->QueryBasicVideo();
    if (Failed(result)) {
        return Failure(ProbeStep::QueryBasicVideo, result, {});
    }
    result = graph->GetVideoSize(probe.width, probe.height);
    if (Failed(result)) {
        return Failure(ProbeStep::GetVideoSize, result, {});
    }
    double frameTime = 0.0;
    result = graph->GetAvgTimePerFrame(frameTime);
    if (Failed(result) || frameTime <= 0.0) {
        return Failure(ProbeStep::GetAvgTimePerFrame, Failed(result) ? result : E_FAIL, {});
    }
    probe.frameRate = 1.0 / frameTime;
    probe.ok = true;
    probe.result = S_OK;
    return probe;
}

} // namespace media
