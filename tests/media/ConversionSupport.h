#pragma once

// Conversions through the timeline and the output builder, built the way the
// programs build them.

#include "EncoderProperties.h"
#include "FilterGraph.h"
#include "RenderEngine.h"
#include "TestMedia.h"
#include "Timeline.h"

#include <memory>
#include <string>

namespace mediatest {

struct TimelineSpan {
    media::ReferenceTime start = 0;
    media::ReferenceTime stop = 0;
    media::ReferenceTime mediaStart = 0;
    media::ReferenceTime mediaStop = 0;
};

std::shared_ptr<media::TimelineSource> MakeSource(const std::string& path, const TimelineSpan& span,
                                                  media::StretchMode stretch);

// One video group (width x height at fps) and one audio group, each with one
// track holding the given part of the file.
std::shared_ptr<media::Timeline>
MakeTimeline(const std::string& path, const TimelineSpan& span, int width, int height, double fps,
             media::StretchMode stretch = media::StretchMode::PreserveAspect);

struct Encoders {
    const char* video = nullptr; // null: uncompressed
    const char* audio = nullptr;
    media::EncoderState videoSettings = {};
};

// Connects the timeline and builds the AVI output side; `mux` receives its
// multiplexer when given.
std::shared_ptr<media::FilterGraph>
BuildConversion(media::RenderEngine& engine, const std::shared_ptr<media::Timeline>& timeline,
                const std::string& output, const Encoders& encoders, media::Element* mux = nullptr);

// Runs to the end, bounded, and closes the file.
void RunToCompletion(media::FilterGraph& graph);

// Builds the conversion, runs it to the end and describes the file it wrote;
// the description is not ok when the conversion could not be built.
testmedia::ProbeInfo ConvertTimeline(const std::shared_ptr<media::Timeline>& timeline,
                                     const std::string& output, const Encoders& encoders);

} // namespace mediatest
