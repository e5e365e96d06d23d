#include "ConversionSupport.h"

#include "OutputBuilder.h"
#include "ProgressWatchdog.h"

#include <gtest/gtest.h>

namespace mediatest {

using namespace media;

std::shared_ptr<TimelineSource> MakeSource(const std::string& path, const TimelineSpan& span,
                                           StretchMode stretch) {
    auto source = std::make_shared<TimelineSource>();
    EXPECT_EQ(source->SetStartStop(span.start, span.stop), S_OK);
    EXPECT_EQ(source->SetMediaTimes(span.mediaStart, span.mediaStop), S_OK);
    EXPECT_EQ(source->SetMediaName(path), S_OK);
    EXPECT_EQ(source->SetStretchMode(static_cast<int>(stretch)), S_OK);
    return source;
}

std::shared_ptr<Timeline> MakeTimeline(const std::string& path, const TimelineSpan& span, int width,
                                       int height, double fps, StretchMode stretch) {
    auto timeline = std::make_shared<Timeline>();
    auto video = std::make_shared<TimelineGroup>();
    EXPECT_EQ(video->SetVideoMediaType(width, height), S_OK);
    EXPECT_EQ(video->SetOutputFPS(fps), S_OK);
    auto videoTrack = std::make_shared<TimelineTrack>();
    EXPECT_EQ(videoTrack->SrcAdd(MakeSource(path, span, stretch)), S_OK);
    EXPECT_EQ(video->TrackInsBefore(videoTrack, -1), S_OK);
    EXPECT_EQ(timeline->AddGroup(video), S_OK);

    auto audio = std::make_shared<TimelineGroup>();
    EXPECT_EQ(audio->SetAudioMediaType(), S_OK);
    auto audioTrack = std::make_shared<TimelineTrack>();
    EXPECT_EQ(audioTrack->SrcAdd(MakeSource(path, span, stretch)), S_OK);
    EXPECT_EQ(audio->TrackInsBefore(audioTrack, -1), S_OK);
    EXPECT_EQ(timeline->AddGroup(audio), S_OK);
    return timeline;
}

std::shared_ptr<FilterGraph> BuildConversion(RenderEngine& engine,
                                             const std::shared_ptr<Timeline>& timeline,
                                             const std::string& output, const Encoders& encoders,
                                             Element* muxOut) {
    EXPECT_EQ(engine.SetTimelineObject(timeline), S_OK);
    const Result connected = engine.ConnectFrontEnd();
    EXPECT_EQ(connected, S_OK) << engine.LastErrorText();
    std::shared_ptr<FilterGraph> graph;
    if (Failed(connected) || Failed(engine.GetFilterGraph(graph))) {
        return nullptr;
    }
    OutputBuilder builder;
    EXPECT_EQ(builder.SetFiltergraph(graph), S_OK);
    Element mux;
    Element writer;
    EXPECT_EQ(builder.SetOutputFileName(OutputFormat::Avi, output, mux, writer), S_OK);
    if (muxOut != nullptr) {
        *muxOut = mux;
    }
    int groups = 0;
    EXPECT_EQ(engine.GetGroupCount(groups), S_OK);
    for (int i = 0; i < groups; ++i) {
        Pad pin;
        EXPECT_EQ(engine.GetGroupOutputPin(i, pin), S_OK);
        const char* factory =
            pin.ConnectionMajorType() == MajorType::Video ? encoders.video : encoders.audio;
        Element compressor = factory != nullptr ? Element::Create(factory) : Element();
        EXPECT_EQ(factory != nullptr, static_cast<bool>(compressor)) << factory;
        if (compressor && factory == encoders.video) {
            EXPECT_TRUE(ApplyEncoderState(compressor, encoders.videoSettings).empty());
        }
        EXPECT_EQ(builder.RenderStream(pin, compressor, mux), S_OK);
    }
    return graph;
}

void RunToCompletion(FilterGraph& graph) {
    ASSERT_TRUE(Succeeded(graph.Run()));
    long code = 0;
    // No bound on the length, only on standing still: a loaded two-core machine
    // is slow, a stalled graph never ends.
    ProgressWatchdog watchdog;
    Result result = E_ABORT;
    while (result == E_ABORT) {
        result = graph.WaitForCompletion(250, code);
        ReferenceTime position = -1;
        graph.GetCurrentPosition(position);
        if (result == E_ABORT && watchdog.Stalled(position)) {
            ADD_FAILURE() << "no progress for " << NoProgressBound().count() << " ms at "
                          << position << "; the graph:\n"
                          << DescribeGraph(graph);
            break;
        }
    }
    EXPECT_EQ(result, S_OK) << ErrorText(result) << ": " << graph.LastErrorText();
    EXPECT_EQ(code, EC_COMPLETE);
    EXPECT_TRUE(Succeeded(graph.Stop()));
}

testmedia::ProbeInfo ConvertTimeline(const std::shared_ptr<Timeline>& timeline,
                                     const std::string& output, const Encoders& encoders) {
    RenderEngine engine;
    const std::shared_ptr<FilterGraph> graph = BuildConversion(engine, timeline, output, encoders);
    if (!graph) {
        return {};
    }
    RunToCompletion(*graph);
    return testmedia::Probe(output);
}

} // namespace mediatest
