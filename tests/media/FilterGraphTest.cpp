#include "FilterGraph.h"
#include "MediaInit.h"
#include "MediaTestSupport.h"
#include "MediaWorker.h"
#include "SourceDiscovery.h"
#include "TestMedia.h"
#include "Timeline.h"

#include <QElapsedTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <utility>

namespace {

using namespace media;

std::vector<std::string> FactoryNames(const std::vector<Element>& elements) {
    std::vector<std::string> names;
    for (const Element& element : elements) {
        names.push_back(element.FactoryName());
    }
    return names;
}

std::vector<Element> Renderers(const FilterGraph& graph) {
    std::vector<Element> sinks;
    for (const Element& element : graph.EnumFilters()) {
        if (element.PadCount(PadDirection::Output) == 0) {
            sinks.push_back(element);
        }
    }
    return sinks;
}

class FilterGraphTest : public mediatest::MediaTest {
protected:
    void SetUp() override {
        MediaTest::SetUp();
        ASSERT_EQ(FilterGraph::Create(graph_), S_OK);
    }

    std::shared_ptr<FilterGraph> graph_;
};

TEST_F(FilterGraphTest, RenderFileBuildsPausedGraphWithOneRendererPerStream) {
    const std::string path = testmedia::Mkv640x480();
    ASSERT_FALSE(path.empty());
    ASSERT_EQ(graph_->RenderFile(path), S_OK) << graph_->LastErrorText();

    GraphState state = GraphState::Stopped;
    EXPECT_EQ(graph_->GetState(0, state), S_OK);
    EXPECT_EQ(state, GraphState::Paused);

    const std::vector<std::string> order = FactoryNames(graph_->EnumFilters());
    ASSERT_GE(order.size(), 2u);
    EXPECT_EQ(order[0], "filesrc");
    EXPECT_EQ(order[1], "decodebin");
    EXPECT_EQ(order, FactoryNames(graph_->EnumFilters()));

    std::vector<MajorType> types;
    for (const Element& renderer : Renderers(*graph_)) {
        ASSERT_EQ(renderer.PadCount(PadDirection::Input), 1);
        const Pad input = renderer.GetPad(PadDirection::Input, 0);
        EXPECT_TRUE(input.IsConnected());
        EXPECT_EQ(input.ConnectedTo().Direction(), PadDirection::Output);
        types.push_back(input.ConnectionMajorType());
    }
    std::sort(types.begin(), types.end());
    // The subtitle track feeds the subtitle filter, which joins by default when a
    // file has subtitles, instead of a renderer of its own.
    EXPECT_EQ(types, (std::vector<MajorType>{MajorType::Video, MajorType::Audio}));

    int width = 0;
    int height = 0;
    EXPECT_EQ(graph_->GetVideoSize(width, height), S_OK);
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);
    double frameTime = 0;
    EXPECT_EQ(graph_->GetAvgTimePerFrame(frameTime), S_OK);
    EXPECT_NEAR(frameTime, 0.04, 1e-6);
    ReferenceTime duration = 0;
    EXPECT_EQ(graph_->GetDuration(duration), S_OK);
    EXPECT_NEAR(duration, 10 * kUnitsPerSecond, kUnitsPerSecond / 10);
}

TEST_F(FilterGraphTest, InjectedRendererAndVideoFilterJoinTheVideoPath) {
    graph_->SetRendererFactory([](MajorType type) {
        return type == MajorType::Video ? Element::Create("fakesink", "screen") : Element();
    });
    graph_->SetVideoFilterFactory([] { return Element::Create("videoflip", "overlay slot"); });
    const std::string path = testmedia::Mp4();
    ASSERT_FALSE(path.empty());
    ASSERT_EQ(graph_->RenderFile(path), S_OK) << graph_->LastErrorText();

    const Element filter = graph_->FindFilterByName("overlay slot");
    ASSERT_TRUE(filter);
    EXPECT_EQ(filter.GetPad(PadDirection::Output, 0).ConnectedTo().Owner().Name(), "screen");
    EXPECT_EQ(filter.GetPad(PadDirection::Input, 0).ConnectedTo().Owner().FactoryName(),
              "videoconvert");
    EXPECT_EQ(filter.GetPad(PadDirection::Input, 0).ConnectionMajorType(), MajorType::Video);
}

// A renderer the stream cannot reach is left out at once: no wait for a
// preroll that cannot come, no stray elements, and the other stream plays.
TEST_F(FilterGraphTest, AStreamThatCannotBeLinkedIsLeftOutAtOnce) {
    graph_->SetRendererFactory([](MajorType type) {
        if (type != MajorType::Audio) {
            return Element();
        }
        Element sink = Element::Create("appsink", "speaker");
        sink.SetProperty("caps", "video/x-raw");
        return sink;
    });
    const std::string path = testmedia::Mp4();
    ASSERT_FALSE(path.empty());
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(graph_->RenderFile(path), VFW_S_PARTIAL_RENDER) << graph_->LastErrorText();
    EXPECT_LT(timer.elapsed(), 3000);
    EXPECT_NE(graph_->LastWarningText().find("audio/x-raw"), std::string::npos)
        << graph_->LastWarningText();
    for (const Element& element : graph_->EnumFilters()) {
        EXPECT_NE(element.FactoryName(), "audioconvert");
        EXPECT_NE(element.Name(), "speaker");
    }
    EXPECT_EQ(graph_->QueryBasicVideo(), S_OK);
    long code = 0;
    ASSERT_TRUE(Succeeded(graph_->Run()));
    EXPECT_EQ(graph_->WaitForCompletion(20000, code), S_OK) << graph_->LastErrorText();
    EXPECT_EQ(code, EC_COMPLETE);
}

TEST_F(FilterGraphTest, PositionsBoundPlaybackAndCompletionIsReported) {
    const std::string path = testmedia::Mp4();
    ASSERT_FALSE(path.empty());
    ASSERT_EQ(graph_->RenderFile(path), S_OK);
    ASSERT_EQ(graph_->SetPositions(kUnitsPerSecond, Positioning::Absolute, 2 * kUnitsPerSecond,
                                   Positioning::Absolute),
              S_OK);
    ReferenceTime stop = 0;
    EXPECT_EQ(graph_->GetStopPosition(stop), S_OK);
    EXPECT_EQ(stop, 2 * kUnitsPerSecond);
    EXPECT_EQ(graph_->SetPositions(-1, Positioning::Absolute, 0, Positioning::None), E_INVALIDARG);

    ASSERT_TRUE(Succeeded(graph_->Run()));
    long code = 0;
    EXPECT_EQ(graph_->WaitForCompletion(20000, code), S_OK);
    EXPECT_EQ(code, EC_COMPLETE);
    ReferenceTime position = 0;
    EXPECT_EQ(graph_->GetCurrentPosition(position), S_OK);
    EXPECT_NEAR(position, 2 * kUnitsPerSecond, kUnitsPerSecond / 10);
    EXPECT_TRUE(Succeeded(graph_->Stop()));
    // Nothing else is queued once the completion was taken.
    std::intptr_t param1 = 0;
    std::intptr_t param2 = 0;
    EXPECT_EQ(graph_->GetEvent(code, param1, param2, 0), E_ABORT);
}

// The GIF decoding path ends its stream at the last frame, stamped in order.
TEST_F(FilterGraphTest, AnimatedGifPlaysToItsEnd) {
    const std::string path = testmedia::AnimatedGif();
    ASSERT_FALSE(path.empty());
    ASSERT_EQ(graph_->RenderFile(path), S_OK) << graph_->LastErrorText();
    ASSERT_TRUE(Succeeded(graph_->Run()));
    long code = 0;
    EXPECT_EQ(graph_->WaitForCompletion(20000, code), S_OK) << graph_->LastErrorText();
    EXPECT_EQ(code, EC_COMPLETE);
    ReferenceTime position = 0;
    EXPECT_EQ(graph_->GetCurrentPosition(position), S_OK);
    EXPECT_NEAR(position, 2 * kUnitsPerSecond, kUnitsPerSecond / 5);
    EXPECT_TRUE(Succeeded(graph_->Stop()));
}

TEST_F(FilterGraphTest, ManualBuildingAddsConnectsAndRemoves) {
    Element source = Element::Create("fakesrc");
    Element sink = Element::Create("fakesink");
    Element second = Element::Create("fakesink");
    ASSERT_TRUE(source && sink && second);
    EXPECT_EQ(graph_->AddFilter(source, "Source"), S_OK);
    EXPECT_EQ(graph_->AddFilter(sink, "Sink"), S_OK);
    EXPECT_EQ(graph_->AddFilter(second, "Sink"), S_OK);
    EXPECT_EQ(second.Name(), "Sink 0001");
    EXPECT_EQ(graph_->AddFilter(sink, "Again"), E_INVALIDARG);
    EXPECT_EQ(FactoryNames(graph_->EnumFilters()),
              (std::vector<std::string>{"fakesrc", "fakesink", "fakesink"}));

    const Pad out = source.GetPad(PadDirection::Output, 0);
    const Pad in = sink.GetPad(PadDirection::Input, 0);
    EXPECT_FALSE(source.GetPad(PadDirection::Output, 1));
    EXPECT_EQ(graph_->ConnectDirect(in, out), E_INVALIDARG);
    ASSERT_EQ(graph_->ConnectDirect(out, in), S_OK);
    EXPECT_TRUE(out.ConnectedTo() == in);
    EXPECT_EQ(graph_->ConnectDirect(out, second.GetPad(PadDirection::Input, 0)),
              VFW_E_CANNOT_CONNECT);
    EXPECT_EQ(graph_->Disconnect(in), S_OK);
    EXPECT_FALSE(out.IsConnected());
    EXPECT_EQ(graph_->Disconnect(in), S_FALSE);

    EXPECT_EQ(graph_->RemoveFilter(sink), S_OK);
    EXPECT_EQ(graph_->RemoveFilter(sink), VFW_E_NOT_FOUND);
    EXPECT_FALSE(graph_->FindFilterByName("Sink"));
    EXPECT_TRUE(graph_->FindFilterByName("Source") == source);
}

TEST_F(FilterGraphTest, FailedRenderLeavesGraphEmpty) {
    EXPECT_EQ(graph_->RenderFile(OutputPath("missing.mkv")), E_FILE_NOT_FOUND);
    EXPECT_TRUE(graph_->EnumFilters().empty());
    EXPECT_EQ(graph_->QueryBasicVideo(), E_NOINTERFACE);
    int width = 0;
    int height = 0;
    EXPECT_EQ(graph_->GetVideoSize(width, height), VFW_E_NOT_CONNECTED);
}

TEST_F(FilterGraphTest, GraphThatNeverPrerollsFailsWithinTheBound) {
    // A filter that holds each frame for seconds keeps the renderer from prerolling.
    graph_->SetVideoFilterFactory([] {
        Element slow = Element::Create("identity");
        slow.SetProperty("sleep-time", "3000000");
        return slow;
    });
    graph_->SetPrerollTimeout(500);
    const std::string path = testmedia::Mp4();
    ASSERT_FALSE(path.empty());
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(graph_->RenderFile(path), VFW_E_TIMEOUT);
    EXPECT_LT(timer.elapsed(), 6000);
    EXPECT_TRUE(graph_->EnumFilters().empty());
}

TEST(ElementTest, PropertyTextThatIsNoValueIsRefusedAndChangesNothing) {
    ASSERT_GE(Initialize(), 0);
    Element source = Element::Create("fakesrc");
    ASSERT_TRUE(source);
    EXPECT_EQ(source.SetProperty("num-buffers", "12"), S_OK);
    EXPECT_EQ(source.SetProperty("is-live", "true"), S_OK);
    for (const auto& [name, text] : {std::pair{"num-buffers", "twelve"},
                                     {"num-buffers", "-5"},
                                     {"is-live", "maybe"},
                                     {"no-such-property", "1"}}) {
        EXPECT_EQ(source.SetProperty(name, text), E_INVALIDARG) << name << "=" << text;
    }
    EXPECT_EQ(source.GetProperty("num-buffers"), "12");
    EXPECT_EQ(source.GetProperty("is-live"), "true");
}

// Reading a source's description on the media worker (with its own context)
// leaves it ready for the timeline, and a missing file is named by its code.
TEST(SourceDiscoveryTest, ReadsOnTheWorkerAndReportsAMissingFile) {
    ASSERT_GE(Initialize(), 0);
    const std::string clip = testmedia::Mp4();
    std::promise<std::pair<Result, Result>> outcome;
    RunOnMediaWorker([&] {
        std::string error;
        const Result found = DiscoverSource(clip, &error);
        const Result missing = DiscoverSource(clip + ".gone", &error);
        outcome.set_value({found, missing});
    });
    auto future = outcome.get_future();
    ASSERT_EQ(future.wait_for(std::chrono::seconds(30)), std::future_status::ready);
    const auto [found, missing] = future.get();
    EXPECT_EQ(found, S_OK);
    EXPECT_EQ(missing, E_FILE_NOT_FOUND);
    // The timeline built afterwards on this thread finds the source readable.
    Timeline timeline;
    auto group = std::make_shared<TimelineGroup>();
    ASSERT_EQ(group->SetAudioMediaType(), S_OK);
    auto track = std::make_shared<TimelineTrack>();
    auto source = std::make_shared<TimelineSource>();
    ASSERT_EQ(source->SetMediaName(clip), S_OK);
    ASSERT_EQ(track->SrcAdd(source), S_OK);
    ASSERT_EQ(group->TrackInsBefore(track, -1), S_OK);
    ASSERT_EQ(timeline.AddGroup(group), S_OK);
    EXPECT_EQ(timeline.ValidateSourceNames(), S_OK);
}

// Decoders ranked out of autoplugging look missing to decodebin. Ranks from the
// environment are read when the framework starts, so the check runs in a fresh
// process of its own and reports on stderr.
void RenderWithoutH264Decoders() {
    qputenv("GST_PLUGIN_FEATURE_RANK", "avdec_h264:NONE,openh264dec:NONE");
    const std::string videoOnly = testmedia::MkvAt(25);
    const std::string withAudio = testmedia::Mp4();
    if (Initialize() != S_OK || videoOnly.empty() || withAudio.empty()) {
        std::_Exit(2);
    }
    std::shared_ptr<FilterGraph> failing;
    std::shared_ptr<FilterGraph> partial;
    if (FilterGraph::Create(failing) != S_OK || FilterGraph::Create(partial) != S_OK) {
        std::_Exit(2);
    }
    const Result failed = failing->RenderFile(videoOnly);
    const Result rendered = partial->RenderFile(withAudio);
    std::fprintf(stderr, "failed=%ld rendered=%ld\nerror: %s\nwarning: %s\n",
                 static_cast<long>(failed), static_cast<long>(rendered),
                 failing->LastErrorText().c_str(), partial->LastWarningText().c_str());
    const bool named = failing->LastErrorText().find("gstreamer1.0-libav") != std::string::npos &&
                       partial->LastWarningText().find("gstreamer1.0-libav") != std::string::npos;
    std::_Exit(failed == VFW_E_NO_DECODER && rendered == VFW_S_PARTIAL_RENDER &&
                       partial->LastErrorText().empty() && named
                   ? 0
                   : 1);
}

TEST(MissingPluginTest, MissingDecoderNamesThePackageToInstall) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(RenderWithoutH264Decoders(), ::testing::ExitedWithCode(0),
                "error: H\\.264 [^\n]*decoder is missing; install the Debian package "
                "gstreamer1\\.0-libav");
}

} // namespace
