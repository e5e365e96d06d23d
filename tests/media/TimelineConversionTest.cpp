#include "ConversionSupport.h"
#include "MediaTestSupport.h"
#include "OutputBuilder.h"
#include "ProgressWatchdog.h"
#include "RenderEngine.h"
#include "StreamHold.h"
#include "TestMedia.h"
#include "Timeline.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QThread>

#include <memory>
#include <optional>
#include <set>

namespace {

using namespace media;
using namespace mediatest;

// The HD + audio + subtitle combination the programs meet, kept short.
std::string HdClip() {
    return testmedia::MakeMkv(1280, 720, 30, 8);
}

class TimelineConversion : public mediatest::MediaTest {};

// The same trimmed 5 s of the HD clip, through the compressors and without them.
struct TrimmedOutput {
    const char* name;
    Encoders encoders;
    const char* videoCodec;
    const char* pixelFormat; // null: whatever the codec gives
    const char* audioCodec;
};

class TrimmedHdClip : public mediatest::MediaTest,
                      public ::testing::WithParamInterface<TrimmedOutput> {};

TEST_P(TrimmedHdClip, ConvertsToAvi) {
    const TrimmedOutput& expected = GetParam();
    const std::string input = HdClip();
    ASSERT_FALSE(input.empty());
    const std::string output = OutputPath(std::string(expected.name) + ".avi");
    const testmedia::ProbeInfo info = ConvertTimeline(
        MakeTimeline(input, {0, 5 * kSecond, 2 * kSecond, 7 * kSecond}, 320, 240, 29.97), output,
        expected.encoders);
    ASSERT_TRUE(info.ok);
    EXPECT_NEAR(info.duration, 5.0, 0.1);
    const testmedia::StreamInfo* video = info.First("video");
    const testmedia::StreamInfo* audio = info.First("audio");
    ASSERT_TRUE(video && audio);
    EXPECT_EQ(video->codecName, expected.videoCodec);
    if (expected.pixelFormat != nullptr) {
        EXPECT_EQ(video->pixelFormat, expected.pixelFormat);
    }
    EXPECT_EQ(video->width, 320);
    EXPECT_EQ(video->height, 240);
    EXPECT_EQ(video->frameRate, "30000/1001");
    EXPECT_EQ(audio->codecName, expected.audioCodec);
    std::string errors;
    EXPECT_TRUE(testmedia::DecodesCleanly(output, &errors)) << errors;
}

INSTANTIATE_TEST_SUITE_P(
    TimelineConversion, TrimmedHdClip,
    ::testing::Values(
        TrimmedOutput{"Mpeg4AndMp3", {"avenc_mpeg4", "lamemp3enc"}, "mpeg4", nullptr, "mp3"},
        TrimmedOutput{"Uncompressed", {}, "rawvideo", "bgr24", "pcm_s16le"}),
    [](const ::testing::TestParamInfo<TrimmedOutput>& info) { return info.param.name; });

// Stopped a second in, a conversion ends with its file finished up to there:
// drained from the timeline's outputs, or, when the sound is held stalled,
// through the multiplexer's inputs. Either way within two seconds.
class StoppedMidway : public mediatest::MediaTest, public ::testing::WithParamInterface<bool> {};

TEST_P(StoppedMidway, LeavesAPlayableFileWithinTwoSeconds) {
    const bool stalled = GetParam();
    const std::string input = HdClip();
    ASSERT_FALSE(input.empty());
    const std::string output = OutputPath("stopped early.avi");
    RenderEngine engine;
    Element mux;
    auto graph = BuildConversion(
        engine, MakeTimeline(input, {0, 8 * kSecond, 0, 8 * kSecond}, 640, 360, 30.0), output,
        {"avenc_mpeg4", "lamemp3enc"}, &mux);
    ASSERT_TRUE(graph);
    ASSERT_TRUE(Succeeded(graph->Run()));
    ReferenceTime position = 0;
    ASSERT_TRUE(mediatest::ProcessEventsUntil(
        [&] { return Succeeded(graph->GetCurrentPosition(position)) && position >= kSecond; },
        30000));
    // The sound stops where it leaves the timeline; the picture soon waits for
    // it in the multiplexer, and the whole graph stands still.
    std::optional<StreamHold> hold;
    if (stalled) {
        Pad sound;
        ASSERT_EQ(engine.GetGroupOutputPin(1, sound), S_OK);
        hold.emplace(sound);
        ASSERT_TRUE(*hold);
        // Noticed as standing still, and written down as it stands.
        const std::chrono::milliseconds bound = NoProgressBound();
        const auto restore = qScopeGuard([bound] { SetNoProgressBound(bound); });
        SetNoProgressBound(std::chrono::milliseconds(1000));
        ProgressWatchdog watchdog;
        EXPECT_TRUE(mediatest::ProcessEventsUntil(
            [&] {
                ReferenceTime now = -1;
                graph->GetCurrentPosition(now);
                return watchdog.Stalled(now);
            },
            10000));
        EXPECT_GE(watchdog.Reached(), kSecond);
        const QString dump =
            QString::fromStdString(WriteGraphDiagnostics(*graph, OutputPath("diagnostics")));
        QFile described(dump);
        ASSERT_TRUE(described.open(QIODevice::ReadOnly)) << dump.toStdString();
        const QString text = QString::fromUtf8(described.readAll());
        EXPECT_TRUE(text.contains(QRegularExpression("avimux.*PLAYING"))) << text.toStdString();
        EXPECT_TRUE(text.contains(QRegularExpression("queue\\) PLAYING  level \\d+ buffers")))
            << text.toStdString();
        EXPECT_TRUE(QFileInfo(QString(dump).replace(".txt", ".dot")).size() > 0);
    }
    QElapsedTimer timer;
    timer.start();
    const FinishOutcome outcome = graph->FinishThenStop(mux);
    EXPECT_LT(timer.elapsed(), 2000);
    EXPECT_EQ(outcome, stalled ? FinishOutcome::MuxEnded : FinishOutcome::Drained);

    const testmedia::ProbeInfo info = testmedia::Probe(output);
    ASSERT_TRUE(info.ok);
    EXPECT_GT(info.duration, 0.5);
    EXPECT_LT(info.duration, 7.5);
    std::string errors;
    EXPECT_TRUE(testmedia::DecodesCleanly(output, &errors)) << errors;
}

INSTANTIATE_TEST_SUITE_P(TimelineConversion, StoppedMidway, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Stalled" : "Flowing"; });

// A graph that never started playing (its start failed, or it was only
// paused) with nothing left inside its multiplexer's inputs: ending those
// would make the writer take its first data in the stopping thread and wait
// there for a play that never comes. Such a stop only stops, in time.
TEST_F(TimelineConversion, StopOfAGraphThatNeverPlayedReturnsInTime) {
    const std::string input = HdClip();
    ASSERT_FALSE(input.empty());
    RenderEngine engine;
    Element mux;
    auto graph = BuildConversion(
        engine, MakeTimeline(input, {0, 4 * kSecond, 0, 4 * kSecond}, 320, 240, 30.0),
        OutputPath("never played.avi"), {"avenc_mpeg4", "lamemp3enc"}, &mux);
    ASSERT_TRUE(graph);
    Pad picture;
    Pad sound;
    ASSERT_EQ(engine.GetGroupOutputPin(0, picture), S_OK);
    ASSERT_EQ(engine.GetGroupOutputPin(1, sound), S_OK);
    StreamHold heldPicture(picture);
    StreamHold heldSound(sound);
    ASSERT_TRUE(heldPicture && heldSound);
    graph->Pause();
    QThread::msleep(300);

    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(graph->FinishThenStop(mux), FinishOutcome::Stopped);
    EXPECT_LT(timer.elapsed(), 2000);
}

// Number of different pictures among the video frames of a file.
int DistinctFrames(const std::string& path) {
    QByteArray listing;
    testmedia::Run(
        QStringLiteral("ffmpeg"),
        {"-v", "error", "-i", QString::fromStdString(path), "-map", "0:v", "-f", "framemd5", "-"},
        &listing);
    std::set<QByteArray> hashes;
    for (const QByteArray& line : listing.split('\n')) {
        if (!line.startsWith('#') && line.count(',') >= 5) {
            hashes.insert(line.mid(line.lastIndexOf(',') + 1).trimmed());
        }
    }
    return static_cast<int>(hashes.size());
}

// Animated GIF has no audio: one video group holding the whole animation.
TEST_F(TimelineConversion, AnimatedGifEndsAtItsLength) {
    const std::string input = testmedia::AnimatedGif();
    ASSERT_FALSE(input.empty());
    auto timeline = std::make_shared<Timeline>();
    auto video = std::make_shared<TimelineGroup>();
    ASSERT_EQ(video->SetVideoMediaType(160, 120), S_OK);
    ASSERT_EQ(video->SetOutputFPS(10.0), S_OK);
    auto track = std::make_shared<TimelineTrack>();
    ASSERT_EQ(track->SrcAdd(
                  MakeSource(input, {0, 2 * kSecond, 0, 2 * kSecond}, StretchMode::PreserveAspect)),
              S_OK);
    ASSERT_EQ(video->TrackInsBefore(track, -1), S_OK);
    ASSERT_EQ(timeline->AddGroup(video), S_OK);

    const std::string output = OutputPath("animation.avi");
    const testmedia::ProbeInfo info = ConvertTimeline(timeline, output, {"avenc_mpeg4", nullptr});
    ASSERT_TRUE(info.ok);
    EXPECT_NEAR(info.duration, 2.0, 0.15);
    const testmedia::StreamInfo* stream = info.First("video");
    ASSERT_TRUE(stream);
    EXPECT_EQ(stream->width, 160);
    EXPECT_EQ(stream->frameRate, "10/1");
    // Each of the 20 pictures in its place, not the first one repeated.
    EXPECT_GE(DistinctFrames(output), 18);
    std::string errors;
    EXPECT_TRUE(testmedia::DecodesCleanly(output, &errors)) << errors;
}

// Average luma of one row of the first frame.
int RowLuma(const std::string& path, int width, int row) {
    QByteArray frame;
    testmedia::Run(QStringLiteral("ffmpeg"),
                   {"-v", "error", "-i", QString::fromStdString(path), "-frames:v", "1", "-f",
                    "rawvideo", "-pix_fmt", "gray", "-"},
                   &frame);
    if (frame.size() < (row + 1) * width) {
        return -1;
    }
    int sum = 0;
    for (int x = 0; x < width; ++x) {
        sum += static_cast<unsigned char>(frame[row * width + x]);
    }
    return sum / width;
}

class StretchModes : public mediatest::MediaTest,
                     public ::testing::WithParamInterface<StretchMode> {};

// A 16:9 picture in a 4:3 frame: kept in shape it leaves black bands above and
// below; stretched it fills the frame.
TEST_P(StretchModes, WidePictureInNarrowFrame) {
    const std::string input = HdClip();
    ASSERT_FALSE(input.empty());
    const std::string output = OutputPath("stretch.avi");
    RenderEngine engine;
    auto graph = BuildConversion(
        engine, MakeTimeline(input, {0, kSecond, 0, kSecond}, 320, 240, 30.0, GetParam()), output,
        {"avenc_mpeg4", "lamemp3enc"});
    ASSERT_TRUE(graph);
    RunToCompletion(*graph);
    const int top = RowLuma(output, 320, 8);
    const int middle = RowLuma(output, 320, 120);
    ASSERT_GE(top, 0);
    EXPECT_GT(middle, 40);
    if (GetParam() == StretchMode::PreserveAspect) {
        EXPECT_LT(top, 20);
    } else {
        EXPECT_GT(top, 40);
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, StretchModes,
                         ::testing::Values(StretchMode::Stretch, StretchMode::PreserveAspect),
                         [](const ::testing::TestParamInfo<StretchMode>& info) {
                             return info.param == StretchMode::Stretch ? "Stretch"
                                                                       : "PreserveAspect";
                         });

// Two clips on one track, the second starting before the first ends.
std::shared_ptr<Timeline> MakeTwoClipTimeline(const std::string& path, ReferenceTime overlap,
                                              std::shared_ptr<TimelineTransition> transition) {
    auto timeline = std::make_shared<Timeline>();
    auto video = std::make_shared<TimelineGroup>();
    EXPECT_EQ(video->SetVideoMediaType(320, 240), S_OK);
    EXPECT_EQ(video->SetOutputFPS(25.0), S_OK);
    auto track = std::make_shared<TimelineTrack>();
    const ReferenceTime secondStart = 2 * kSecond - overlap;
    EXPECT_EQ(track->SrcAdd(
                  MakeSource(path, {0, 2 * kSecond, 0, 2 * kSecond}, StretchMode::PreserveAspect)),
              S_OK);
    EXPECT_EQ(track->SrcAdd(MakeSource(
                  path, {secondStart, secondStart + 2 * kSecond, 3 * kSecond, 5 * kSecond},
                  StretchMode::PreserveAspect)),
              S_OK);
    EXPECT_EQ(track->TransAdd(std::move(transition)), S_OK);
    EXPECT_EQ(video->TrackInsBefore(track, -1), S_OK);
    EXPECT_EQ(timeline->AddGroup(video), S_OK);
    return timeline;
}

std::shared_ptr<TimelineTransition> MakeWipe(ReferenceTime start, ReferenceTime stop, int mask) {
    auto transition = std::make_shared<TimelineTransition>();
    EXPECT_EQ(transition->SetSubObjectGUID("{DE75D012-7A65-11D2-8CEA-00A0C9441E20}"), S_OK);
    EXPECT_EQ(transition->SetStartStop(start, stop), S_OK);
    EXPECT_EQ(transition->SetProperty("MaskNum", mask), S_OK);
    return transition;
}

class TimelineTransitions : public mediatest::MediaTest {
protected:
    void RenderAndCheckLength(const std::shared_ptr<Timeline>& timeline, double seconds) {
        const std::string input = HdClip();
        ASSERT_FALSE(input.empty());
        const std::string output = OutputPath("transition.avi");
        const testmedia::ProbeInfo info =
            ConvertTimeline(timeline, output, {"avenc_mpeg4", nullptr});
        ASSERT_TRUE(info.ok);
        EXPECT_NEAR(info.duration, seconds, 0.1);
        std::string errors;
        EXPECT_TRUE(testmedia::DecodesCleanly(output, &errors)) << errors;
    }
};

TEST_F(TimelineTransitions, WipeOverOverlapRenders) {
    const std::string input = HdClip();
    ASSERT_FALSE(input.empty());
    RenderAndCheckLength(
        MakeTwoClipTimeline(input, kSecond / 2, MakeWipe(3 * kSecond / 2, 2 * kSecond, 1)), 3.5);
}

TEST_F(TimelineTransitions, ZeroLengthTransitionStaysData) {
    const std::string input = HdClip();
    ASSERT_FALSE(input.empty());
    auto transition = MakeWipe(2 * kSecond, 2 * kSecond, 7);
    RenderAndCheckLength(MakeTwoClipTimeline(input, 0, transition), 4.0);
    EXPECT_EQ(transition->GetProperty("MaskNum", 0), 7);
}

// Files whose streams lie far apart: the sound stored two seconds ahead of the
// picture it plays with, and a second sound track nobody reads. The decoders'
// queues hold what waits for the other streams; neither may stall the run.
TEST_F(TimelineConversion, StreamsStoredFarApartConvert) {
    const QStringList picture = {"-f", "lavfi", "-i", "testsrc2=size=320x240:rate=25:duration=6"};
    const QStringList codecs = {"-c:v", "libx264", "-preset", "ultrafast", "-c:a", "aac"};
    const std::string lateVideo = testmedia::Ensure(
        "h264-aac-video-2s-after-sound-320x240-6s.mkv",
        QStringList{"-itsoffset", "2"} + picture +
            QStringList{"-f", "lavfi", "-i", "sine=f=440:duration=8", "-map", "0", "-map", "1"} +
            codecs);
    const std::string twoSounds = testmedia::Ensure(
        "h264-aac-aac-320x240-6s.mkv",
        picture +
            QStringList{"-f", "lavfi", "-i", "sine=f=440:duration=6", "-f", "lavfi", "-i",
                        "sine=f=660:duration=6", "-map", "0", "-map", "1", "-map", "2"} +
            codecs);
    for (const std::string& input : {lateVideo, twoSounds}) {
        ASSERT_FALSE(input.empty());
        const testmedia::ProbeInfo info =
            ConvertTimeline(MakeTimeline(input, {0, 6 * kSecond, 0, 6 * kSecond}, 320, 240, 25.0),
                            OutputPath("far apart.avi"), {"avenc_mpeg4", "lamemp3enc"});
        ASSERT_TRUE(info.ok) << input;
        EXPECT_NEAR(info.duration, 6.0, 0.2) << input;
    }
}

} // namespace
