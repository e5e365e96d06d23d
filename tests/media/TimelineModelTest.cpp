#include "FrameRate.h"
#include "MediaTestSupport.h"
#include "RenderEngine.h"
#include "TestMedia.h"
#include "Timeline.h"

#include <QFile>

#include <set>

namespace {

using namespace media;
using mediatest::kSecond;

TEST(FrameRateToFraction, NtscRatesBecomeExactFractions) {
    struct Case {
        double fps;
        int numerator;
        int denominator;
    };
    for (const Case& c :
         {Case{23.976, 24000, 1001}, Case{29.97, 30000, 1001}, Case{59.94, 60000, 1001},
          Case{25.0, 25, 1}, Case{30.0, 30, 1}, Case{12.5, 25, 2}, Case{15.0, 15, 1},
          Case{0.0, 0, 1}, Case{-5.0, 0, 1}}) {
        const Fraction f = FrameRateToFraction(c.fps);
        EXPECT_EQ(f.numerator, c.numerator) << c.fps;
        EXPECT_EQ(f.denominator, c.denominator) << c.fps;
    }
}

TEST(TimelineNodes, NegativeLengthsAreRefusedAndLeaveTheNodeAsItWas) {
    TimelineSource source;
    ASSERT_EQ(source.SetStartStop(kSecond, 3 * kSecond), S_OK);
    EXPECT_EQ(source.SetStartStop(5 * kSecond, 2 * kSecond), E_INVALIDARG);
    EXPECT_EQ(source.SetStartStop(-kSecond, kSecond), E_INVALIDARG);
    EXPECT_EQ(source.start(), kSecond);
    EXPECT_EQ(source.stop(), 3 * kSecond);
    ASSERT_EQ(source.SetMediaTimes(2 * kSecond, 7 * kSecond), S_OK);
    EXPECT_EQ(source.SetMediaTimes(7 * kSecond, 2 * kSecond), E_INVALIDARG);
    EXPECT_EQ(source.mediaStart(), 2 * kSecond);
    EXPECT_EQ(source.SetStretchMode(3), E_INVALIDARG);
    EXPECT_EQ(source.SetMediaName(""), E_INVALIDARG);

    TimelineTransition transition;
    EXPECT_EQ(transition.SetStartStop(2 * kSecond, kSecond), E_INVALIDARG);
    EXPECT_EQ(transition.SetSubObjectGUID(""), E_INVALIDARG);
    EXPECT_EQ(transition.GetProperty("MaskNum", 42), 42);
    EXPECT_EQ(transition.SetProperty("MaskNum", 101), S_OK);
    EXPECT_EQ(transition.SetProperty("MaskNum", 102), S_OK);
    EXPECT_EQ(transition.GetProperty("MaskNum", 0), 102);

    TimelineGroup group;
    EXPECT_EQ(group.SetVideoMediaType(0, 240), E_INVALIDARG);
    EXPECT_EQ(group.SetOutputFPS(0.0), E_INVALIDARG);
    EXPECT_EQ(group.TrackInsBefore(std::make_shared<TimelineTrack>(), 1), E_INVALIDARG);
    Timeline timeline;
    EXPECT_EQ(timeline.AddGroup(std::make_shared<TimelineGroup>()), VFW_E_INVALID_MEDIA_TYPE);
    EXPECT_EQ(timeline.AddGroup(nullptr), E_POINTER);
}

TEST(TimelineNodes, TracksInsertAtTheGivenPlace) {
    TimelineGroup group;
    auto first = std::make_shared<TimelineTrack>();
    auto last = std::make_shared<TimelineTrack>();
    auto front = std::make_shared<TimelineTrack>();
    ASSERT_EQ(group.TrackInsBefore(first, -1), S_OK);
    ASSERT_EQ(group.TrackInsBefore(last, -1), S_OK);
    ASSERT_EQ(group.TrackInsBefore(front, 0), S_OK);
    ASSERT_EQ(group.tracks().size(), 3u);
    EXPECT_EQ(group.tracks()[0], front);
    EXPECT_EQ(group.tracks()[1], first);
    EXPECT_EQ(group.tracks()[2], last);
}

// One group of the given type holding the file from 0 to one second.
std::shared_ptr<TimelineGroup> OneSecondGroup(MajorType type, const std::string& path) {
    auto group = std::make_shared<TimelineGroup>();
    if (type == MajorType::Video) {
        EXPECT_EQ(group->SetVideoMediaType(160, 120), S_OK);
    } else {
        EXPECT_EQ(group->SetAudioMediaType(), S_OK);
    }
    auto source = std::make_shared<TimelineSource>();
    EXPECT_EQ(source->SetStartStop(0, kSecond), S_OK);
    EXPECT_EQ(source->SetMediaTimes(0, kSecond), S_OK);
    EXPECT_EQ(source->SetMediaName(path), S_OK);
    auto track = std::make_shared<TimelineTrack>();
    EXPECT_EQ(track->SrcAdd(source), S_OK);
    EXPECT_EQ(group->TrackInsBefore(track, -1), S_OK);
    return group;
}

class RenderEngineTest : public mediatest::MediaTest {};

TEST_F(RenderEngineTest, ValidateSourceNamesListsEveryBadSource) {
    const std::string good = testmedia::Mp4();
    ASSERT_FALSE(good.empty());
    const std::string missing = OutputPath("gone.mp4");
    const std::string text = OutputPath("notes.mp4");
    QFile file(QString::fromStdString(text));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a movie at all, just some words in a file\n");
    file.close();

    Timeline timeline;
    ASSERT_EQ(timeline.AddGroup(OneSecondGroup(MajorType::Video, good)), S_OK);
    EXPECT_EQ(timeline.ValidateSourceNames(), S_OK);
    ASSERT_EQ(timeline.AddGroup(OneSecondGroup(MajorType::Audio, missing)), S_OK);
    ASSERT_EQ(timeline.AddGroup(OneSecondGroup(MajorType::Audio, text)), S_OK);
    std::vector<std::string> bad;
    EXPECT_EQ(timeline.ValidateSourceNames(&bad), E_FILE_NOT_FOUND);
    EXPECT_EQ(bad, (std::vector<std::string>{missing, text}));
}

TEST_F(RenderEngineTest, GroupsBecomeOutputPinsInOrder) {
    const std::string path = testmedia::Mp4();
    ASSERT_FALSE(path.empty());
    auto timeline = std::make_shared<Timeline>();
    ASSERT_EQ(timeline->AddGroup(OneSecondGroup(MajorType::Video, path)), S_OK);
    ASSERT_EQ(timeline->AddGroup(OneSecondGroup(MajorType::Audio, path)), S_OK);
    RenderEngine engine;
    Pad pin;
    EXPECT_EQ(engine.ConnectFrontEnd(), E_UNEXPECTED);
    ASSERT_EQ(engine.SetTimelineObject(timeline), S_OK);
    EXPECT_EQ(engine.GetGroupOutputPin(0, pin), E_UNEXPECTED);
    ASSERT_EQ(engine.ConnectFrontEnd(), S_OK) << engine.LastErrorText();
    int groups = 0;
    EXPECT_EQ(engine.GetGroupCount(groups), S_OK);
    EXPECT_EQ(groups, 2);
    ASSERT_EQ(engine.GetGroupOutputPin(0, pin), S_OK);
    EXPECT_EQ(pin.ConnectionMajorType(), MajorType::Video);
    EXPECT_EQ(pin.Direction(), PadDirection::Output);
    ASSERT_EQ(engine.GetGroupOutputPin(1, pin), S_OK);
    EXPECT_EQ(pin.ConnectionMajorType(), MajorType::Audio);
    EXPECT_EQ(engine.GetGroupOutputPin(2, pin), E_INVALIDARG);

    std::shared_ptr<FilterGraph> graph;
    ASSERT_EQ(engine.GetFilterGraph(graph), S_OK);
    EXPECT_EQ(graph->EnumFilters().size(), 1u);
    EXPECT_EQ(engine.ScrapIt(), S_OK);
    std::shared_ptr<FilterGraph> none;
    EXPECT_EQ(engine.GetFilterGraph(none), E_UNEXPECTED);
    // The caller's graph stays usable (stopped) after the engine let go of it.
    GraphState state = GraphState::Running;
    EXPECT_EQ(graph->GetState(0, state), S_OK);
    EXPECT_EQ(state, GraphState::Stopped);
}

TEST_F(RenderEngineTest, MissingSourceFailsToConnectWithReason) {
    auto timeline = std::make_shared<Timeline>();
    ASSERT_EQ(timeline->AddGroup(OneSecondGroup(MajorType::Video, OutputPath("gone.mkv"))), S_OK);
    RenderEngine engine;
    ASSERT_EQ(engine.SetTimelineObject(timeline), S_OK);
    EXPECT_EQ(engine.ConnectFrontEnd(), E_FILE_NOT_FOUND);
    std::shared_ptr<FilterGraph> graph;
    EXPECT_EQ(engine.GetFilterGraph(graph), E_UNEXPECTED);
}

// Sources of no length (a refused stop leaves start and stop at zero) and groups
// without tracks leave nothing to play: connecting fails at once with a reason
// instead of building a graph that never ends.
TEST_F(RenderEngineTest, TimelineWithoutAnyLengthFailsToConnect) {
    const std::string path = testmedia::Mp4();
    ASSERT_FALSE(path.empty());
    auto video = OneSecondGroup(MajorType::Video, path);
    auto source = video->tracks().front()->sources().front();
    EXPECT_EQ(source->SetStartStop(2 * kSecond, kSecond), E_INVALIDARG);
    ASSERT_EQ(source->SetStartStop(0, 0), S_OK);
    auto audio = std::make_shared<TimelineGroup>();
    ASSERT_EQ(audio->SetAudioMediaType(), S_OK);
    auto timeline = std::make_shared<Timeline>();
    ASSERT_EQ(timeline->AddGroup(video), S_OK);
    ASSERT_EQ(timeline->AddGroup(audio), S_OK);

    RenderEngine engine;
    ASSERT_EQ(engine.SetTimelineObject(timeline), S_OK);
    EXPECT_TRUE(Failed(engine.ConnectFrontEnd()));
    EXPECT_EQ(engine.LastErrorText(), "The timeline holds nothing to render");
    std::shared_ptr<FilterGraph> graph;
    EXPECT_EQ(engine.GetFilterGraph(graph), E_UNEXPECTED);

    // One source with length is enough; an empty group beside it does not matter.
    ASSERT_EQ(source->SetStartStop(0, kSecond), S_OK);
    EXPECT_EQ(engine.ConnectFrontEnd(), S_OK) << engine.LastErrorText();
    EXPECT_EQ(engine.GetFilterGraph(graph), S_OK);
}

TEST_F(RenderEngineTest, AudioOnlyFileInVideoGroupFails) {
    const std::string audio = testmedia::AudioOnlyM4a();
    ASSERT_FALSE(audio.empty());
    auto timeline = std::make_shared<Timeline>();
    ASSERT_EQ(timeline->AddGroup(OneSecondGroup(MajorType::Video, audio)), S_OK);
    RenderEngine engine;
    ASSERT_EQ(engine.SetTimelineObject(timeline), S_OK);
    EXPECT_TRUE(Failed(engine.ConnectFrontEnd()));
}

// Names with spaces, quotes and letters outside ASCII reach the decoder intact.
TEST_F(RenderEngineTest, UnusualFileNamesConnect) {
    const std::string original = testmedia::Mp4();
    ASSERT_FALSE(original.empty());
    const std::string path = OutputPath("clip with 'single' \"double\" #hash% ünïcødé 日本.mp4");
    ASSERT_TRUE(QFile::copy(QString::fromStdString(original), QString::fromStdString(path)));
    Timeline timeline;
    ASSERT_EQ(timeline.AddGroup(OneSecondGroup(MajorType::Video, path)), S_OK);
    EXPECT_EQ(timeline.ValidateSourceNames(), S_OK);
    auto shared = std::make_shared<Timeline>(timeline);
    RenderEngine engine;
    ASSERT_EQ(engine.SetTimelineObject(shared), S_OK);
    EXPECT_EQ(engine.ConnectFrontEnd(), S_OK) << engine.LastErrorText();
}

TEST(ErrorTexts, EveryCodeHasItsOwnTextWithinTheField) {
    const Result codes[] = {S_OK,
                            S_FALSE,
                            VFW_S_PARTIAL_RENDER,
                            E_NOINTERFACE,
                            E_POINTER,
                            E_ABORT,
                            E_FAIL,
                            E_UNEXPECTED,
                            E_FILE_NOT_FOUND,
                            E_PATH_NOT_FOUND,
                            E_ACCESSDENIED,
                            E_OUTOFMEMORY,
                            E_WRITE_FAULT,
                            E_FILE_EXISTS,
                            E_INVALIDARG,
                            E_DISK_FULL,
                            VFW_E_INVALID_MEDIA_TYPE,
                            VFW_E_NOT_CONNECTED,
                            VFW_E_CANNOT_CONNECT,
                            VFW_E_CANNOT_RENDER,
                            VFW_E_NOT_FOUND,
                            VFW_E_TYPE_NOT_ACCEPTED,
                            VFW_E_TIMEOUT,
                            VFW_E_FILE_EMPTY,
                            VFW_E_CORRUPT_FILE,
                            VFW_E_UNSUPPORTED_STREAM,
                            VFW_E_NO_DECODER,
                            VFW_E_NO_VIDEO_STREAM,
                            VFW_E_NO_ENCODER,
                            VFW_E_STREAM_FAILED,
                            VFW_E_NOT_INITIALIZED};
    std::set<std::string> texts;
    for (Result code : codes) {
        const std::string text = ErrorText160(code);
        EXPECT_FALSE(text.empty());
        EXPECT_LE(text.size(), kMaxErrorTextLength);
        EXPECT_EQ(text.find("Unknown"), std::string::npos) << std::hex << code;
        texts.insert(text);
    }
    EXPECT_EQ(texts.size(), std::size(codes));
    EXPECT_NE(ErrorText(MakeResult(0x80001234u)).find("80001234"), std::string::npos);
}

TEST(ErrorTexts, CuttingNeverSplitsACharacter) {
    const std::string text = "ab\xC3\xA9\xE6\x97\xA5"; // a b é 日
    EXPECT_EQ(CutText(text, 3), "ab");
    EXPECT_EQ(CutText(text, 4), "ab\xC3\xA9");
    EXPECT_EQ(CutText(text, 6), "ab\xC3\xA9");
    EXPECT_EQ(CutText(text, 7), text);
}

} // namespace
