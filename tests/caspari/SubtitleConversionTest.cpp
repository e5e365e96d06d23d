// The subtitle converter's engine on real files: rendered, converted into each
// container through the installed encoders, checked with ffprobe and by
// comparing the output's frames with the source's.

#include "SubtitleConversion.h"
#include "CaspariStrings.h"
#include "CompressorCatalogue.h"
#include "CompressorDevices.h"
#include "FormatCompressors.h"
#include "LanguagePack.h"
#include "MediaInit.h"
#include "OutputExtension.h"
#include "RecordingPrompts.h"
#include "SubtitleFilterLoad.h"
#include "SubtitleMedia.h"
#include "TestEnvironment.h"
#include "TestMedia.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cmath>
#include <csignal>
#include <functional>
#include <ostream>

namespace {

using caspari::ConversionOutcome;
using caspari::SubtitleConversion;
using testenv::ProcessEventsUntil;

constexpr int kRenderTimeoutMs = 30000;
constexpr int kConvertTimeoutMs = 240000;

// The catalogue entry of an installed encoder; the test needs it installed.
std::int32_t EntryOf(settings::CompressorCategory category, const QString& element) {
    const std::int32_t entry = settings::EncoderEntry(category, element);
    EXPECT_GE(entry, 0) << "encoder not installed: " << element.toStdString();
    return entry;
}

void SetLoadLevel(std::optional<int> level) {
    QSettings key(QSettings::UserScope, "Pellmar", "VSFilter");
    key.beginGroup("General");
    if (level) {
        key.setValue("LoadLevel", *level);
    } else {
        key.remove("LoadLevel");
    }
}

struct Container {
    std::int32_t format;
    const char* name;
    const char* videoCodec;
    const char* audioCodec;
};

constexpr Container kAvi{settings::kFormatAvi, "Avi", "mpeg4", "mp3"};
constexpr Container kWmv{settings::kFormatWmv, "Wmv", "wmv2", "wmav2"};
constexpr Container kMkv{settings::kFormatMkv, "Mkv", "mpeg4", "mp3"};
constexpr Container kAsf{settings::kFormatAsf, "Asf", "wmv2", "wmav2"};
constexpr Container kMp4{settings::kFormatMp4, "Mp4", "h264", "aac"};

// The types of an MP4's top-level boxes in file order ("ftyp", "moov", ...).
std::vector<std::string> TopLevelBoxes(const QString& path) {
    std::vector<std::string> boxes;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return boxes;
    }
    qint64 at = 0;
    while (at + 8 <= file.size() && file.seek(at)) {
        const QByteArray header = file.read(16);
        if (header.size() < 8) {
            break;
        }
        const auto byte = [&](int i) {
            return static_cast<quint64>(static_cast<uchar>(header[i]));
        };
        quint64 size = byte(0) << 24 | byte(1) << 16 | byte(2) << 8 | byte(3);
        if (size == 1 && header.size() == 16) {
            size = 0;
            for (int i = 8; i < 16; ++i) {
                size = size << 8 | byte(i);
            }
        }
        boxes.push_back(header.mid(4, 4).toStdString());
        if (size < 8) {
            break; // 0: up to the end of the file
        }
        at += static_cast<qint64>(size);
    }
    return boxes;
}

class SubtitleConversionTest : public ::testing::Test {
protected:
    SubtitleConversionTest() : scoped_(prompts_) {
        uikit::Language().SetBuiltInStrings(res::CaspariStrings());
        EXPECT_GE(media::Initialize(), 0);
        engine_ = std::make_unique<SubtitleConversion>(&window_, uikit::Language());
    }
    ~SubtitleConversionTest() override {
        engine_.reset();
        settings::ReleaseCompressor(settings::CompressorCategory::Video);
        settings::ReleaseCompressor(settings::CompressorCategory::Audio);
    }

    // Renders the source and waits for the outcome.
    int Open(const std::string& path) {
        QSignalSpy rendered(engine_.get(), &SubtitleConversion::sourceRendered);
        engine_->RenderSourceGraph(QString::fromStdString(path));
        EXPECT_TRUE(ProcessEventsUntil([&] { return !rendered.isEmpty(); }, kRenderTimeoutMs));
        return rendered.isEmpty() ? 0 : rendered.first().first().toInt();
    }

    settings::OutputSettings OutputFor(const Container& container, const std::string& source) {
        settings::OutputSettings output;
        output.outputFormat = container.format;
        settings::SetOutputExtension(container.format, dir_.filePath("out"), output.outputPath);
        const testmedia::ProbeInfo probe = testmedia::Probe(source);
        if (const testmedia::StreamInfo* video = probe.First("video")) {
            output.outputWidth = video->width;
            output.outputHeight = video->height;
            output.outputFrameRate = testmedia::FramesPerSecond(video->frameRate);
        }
        output.videoBitrate = 798720;
        output.audioBitrate = 128000;
        const bool wmCodecs = container.format == settings::kFormatAsf;
        output.videoCompressorIndex =
            EntryOf(settings::CompressorCategory::Video, wmCodecs ? "avenc_wmv2" : "avenc_mpeg4");
        output.audioCompressorIndex =
            EntryOf(settings::CompressorCategory::Audio, wmCodecs ? "avenc_wmav2" : "lamemp3enc");
        if (container.format == settings::kFormatMp4) {
            // What the options dialog proposes for MP4.
            output.videoCompressorIndex =
                settings::Mp4CompressorEntry(settings::CompressorCategory::Video);
            output.audioCompressorIndex =
                settings::Mp4CompressorEntry(settings::CompressorCategory::Audio);
            EXPECT_TRUE(output.videoCompressorIndex >= 0 && output.audioCompressorIndex >= 0);
        }
        settings::BindCompressor(settings::CompressorCategory::Video, output.videoCompressorIndex);
        settings::BindCompressor(settings::CompressorCategory::Audio, output.audioCompressorIndex);
        return output;
    }

    // Builds and runs; `whileRunning` is called once the graph runs. Returns how
    // it ended, after the source was rendered again.
    ConversionOutcome Convert(settings::OutputSettings& output,
                              const std::function<void()>& whileRunning = {}) {
        QSignalSpy finished(engine_.get(), &SubtitleConversion::conversionFinished);
        QSignalSpy rendered(engine_.get(), &SubtitleConversion::sourceRendered);
        const media::Result built = engine_->PrepareCompressorsAndBuild(output);
        EXPECT_EQ(built, media::S_OK) << media::ErrorText(built);
        if (media::Failed(built) || media::Failed(engine_->Run())) {
            engine_->FinishConversion();
            return ConversionOutcome::Failed;
        }
        EXPECT_TRUE(engine_->Converting());
        if (whileRunning) {
            whileRunning();
        }
        EXPECT_TRUE(ProcessEventsUntil([&] { return !finished.isEmpty(); }, kConvertTimeoutMs));
        EXPECT_TRUE(ProcessEventsUntil([&] { return !rendered.isEmpty(); }, kRenderTimeoutMs));
        EXPECT_FALSE(engine_->Converting());
        EXPECT_NE(engine_->Graph(), nullptr) << "the source is rendered again";
        return finished.isEmpty() ? ConversionOutcome::Failed
                                  : finished.first().first().value<ConversionOutcome>();
    }

    testenv::ScopedSettingsFolder folder_;
    uikit::RecordingPrompts prompts_;
    uikit::ScopedPrompts scoped_;
    QWidget window_;
    QTemporaryDir dir_;
    std::unique_ptr<SubtitleConversion> engine_;
};

struct SourceCase {
    const char* name;
    std::function<std::string()> make;
    bool subtitles;
    bool redAss;
    bool audio;
    double seconds; // of picture and sound; a subtitle may last longer
};

void PrintTo(const SourceCase& source, std::ostream* out) {
    *out << source.name;
}
void PrintTo(const Container& container, std::ostream* out) {
    *out << container.name;
}

class ContainerConversion
    : public SubtitleConversionTest,
      public ::testing::WithParamInterface<std::tuple<SourceCase, Container>> {};

TEST_P(ContainerConversion, WritesThePictureWithItsSubtitlesAndTheSound) {
    const auto& [source, container] = GetParam();
    const std::string input = source.make();
    ASSERT_FALSE(input.empty());
    ASSERT_EQ(Open(input), 1);
    settings::OutputSettings output = OutputFor(container, input);
    ASSERT_EQ(Convert(output), ConversionOutcome::Completed);
    EXPECT_TRUE(prompts_.Messages().empty()) << prompts_.Messages().front().text.toStdString();

    const std::string written = output.outputPath.toStdString();
    const testmedia::ProbeInfo in = testmedia::Probe(input);
    const testmedia::ProbeInfo out = testmedia::Probe(written);
    ASSERT_TRUE(out.ok) << written;
    const testmedia::StreamInfo* video = out.First("video");
    ASSERT_NE(video, nullptr);
    EXPECT_EQ(video->codecName, container.videoCodec);
    EXPECT_EQ(video->width, in.First("video")->width);
    EXPECT_EQ(video->height, in.First("video")->height);
    EXPECT_NEAR(testmedia::FramesPerSecond(video->frameRate),
                std::trunc(testmedia::FramesPerSecond(in.First("video")->frameRate)), 0.05);
    EXPECT_NEAR(out.duration, source.seconds, 0.25);
    const testmedia::StreamInfo* audio = out.First("audio");
    if (source.audio) {
        ASSERT_NE(audio, nullptr);
        EXPECT_EQ(audio->codecName, container.audioCodec);
    } else {
        EXPECT_EQ(audio, nullptr) << "a silent source gives a file with its picture only";
    }
    EXPECT_EQ(out.First("subtitle"), nullptr);
    std::string errors;
    EXPECT_TRUE(testmedia::DecodesCleanly(written, &errors)) << errors;
    testmedia::ExpectSubtitleDrawn(input, written, source.subtitles, source.redAss);
    if (container.format == settings::kFormatWmv) {
        EXPECT_EQ(output.useVideoCompressor, 0) << "the Windows Media writer encodes by itself";
        EXPECT_EQ(output.useAudioCompressor, 0);
    }
    if (container.format == settings::kFormatMp4) {
        // Every player decodes it, and a browser plays it before it has all of it.
        EXPECT_TRUE(video->profile == "High" || video->profile == "Main") << video->profile;
        EXPECT_EQ(video->pixelFormat, "yuv420p");
        const std::vector<std::string> boxes = TopLevelBoxes(output.outputPath);
        const auto moov = std::find(boxes.begin(), boxes.end(), "moov");
        EXPECT_LT(moov - boxes.begin(),
                  std::find(boxes.begin(), boxes.end(), "mdat") - boxes.begin())
            << "the index comes first";
        EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"out.mp4"});
    }
}

constexpr double kClip = testmedia::kSubtitleClipSeconds;
const SourceCase kAssTrack{"AssTrack", [] { return testmedia::MkvWithAss(); }, true, true, true,
                           kClip};
const SourceCase kNoSound{"NoSound", [] { return testmedia::MkvWithoutAudio(); }, true, true, false,
                          kClip};

std::string CaseName(const ::testing::TestParamInfo<std::tuple<SourceCase, Container>>& info) {
    return std::string(std::get<0>(info.param).name) + std::get<1>(info.param).name;
}

// Whether a subtitle is drawn does not depend on the container: every source
// goes into AVI, and the other containers take a source with sound and one
// without (their writers differ in how they set up each stream).
INSTANTIATE_TEST_SUITE_P(
    Sources, ContainerConversion,
    ::testing::Combine(
        ::testing::Values(kAssTrack,
                          SourceCase{"SrtTrack", [] { return testmedia::MkvWithSrt(); }, true,
                                     false, true, kClip},
                          SourceCase{"SidecarSrt", [] { return testmedia::Mp4WithSidecarSrt(); },
                                     true, false, true, kClip},
                          SourceCase{"NoSubtitles", [] { return testmedia::MkvWithoutSubtitles(); },
                                     false, true, true, kClip},
                          kNoSound,
                          SourceCase{"HdAss", [] { return testmedia::HdMkvWithAss(4); }, true, true,
                                     true, 4.0}),
        ::testing::Values(kAvi)),
    CaseName);

INSTANTIATE_TEST_SUITE_P(Containers, ContainerConversion,
                         ::testing::Combine(::testing::Values(kAssTrack, kNoSound),
                                            ::testing::Values(kWmv, kMkv, kAsf, kMp4)),
                         CaseName);

// Plain-text cues beside the file, drawn into an MP4.
INSTANTIATE_TEST_SUITE_P(TextIntoMp4, ContainerConversion,
                         ::testing::Combine(::testing::Values(SourceCase{
                                                "SidecarSrt",
                                                [] { return testmedia::Mp4WithSidecarSrt(); }, true,
                                                false, true, kClip}),
                                            ::testing::Values(kMp4)),
                         CaseName);

// MP4 takes no Windows Media streams: the build is refused with a message
// that names the compressor, and nothing is written.
TEST_F(SubtitleConversionTest, Mp4RefusesWindowsMediaCompressorsWithAMessage) {
    const std::string input = testmedia::MkvWithAss();
    ASSERT_EQ(Open(input), 1);
    settings::OutputSettings output = OutputFor(kMp4, input);
    output.videoCompressorIndex = EntryOf(settings::CompressorCategory::Video, "avenc_wmv2");
    output.audioCompressorIndex = EntryOf(settings::CompressorCategory::Audio, "avenc_wmav2");
    settings::BindCompressor(settings::CompressorCategory::Video, output.videoCompressorIndex);
    settings::BindCompressor(settings::CompressorCategory::Audio, output.audioCompressorIndex);
    EXPECT_TRUE(media::Failed(engine_->PrepareCompressorsAndBuild(output)));
    engine_->FinishConversion();
    const auto messages = prompts_.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages.front().text.startsWith("MP4 holds H.264"))
        << messages.front().text.toStdString();
    EXPECT_TRUE(messages.front().text.contains(
        settings::CompressorDisplayName(settings::CompressorCategory::Video, "avenc_wmv2")))
        << messages.front().text.toStdString();
    EXPECT_FALSE(QFileInfo::exists(output.outputPath));
    EXPECT_FALSE(engine_->Converting());
}

// The overlay waits for each subtitle before drawing a picture; in the gaps
// between events the file's subtitle stream moves on only by gap events that
// the demuxer sends well behind the picture. With nothing else in the file to
// read ahead, the picture needs room to run ahead of the overlay: on one
// processor, where every thread waits its turn, a conversion of such a clip
// must still run to its end.
TEST_F(SubtitleConversionTest, VideoOnlyWithSubtitleGapsRunsToTheEndOnOneProcessor) {
    const std::string events = testmedia::HdMkvWithAss(8);
    ASSERT_FALSE(events.empty());
    const std::string source = testmedia::Ensure(
        "sub-ass-video-only-1280x720-8s.mkv",
        {"-i", QString::fromStdString(events), "-map", "0:v", "-map", "0:s", "-c", "copy"});
    ASSERT_FALSE(source.empty());
    SetLoadLevel(std::nullopt);
    const testenv::ScopedSingleProcessor oneProcessor;
    ASSERT_EQ(Open(source), 1);
    settings::OutputSettings output = OutputFor(kAvi, source);
    ASSERT_EQ(Convert(output), ConversionOutcome::Completed);
    const testmedia::ProbeInfo probe = testmedia::Probe(output.outputPath.toStdString());
    ASSERT_TRUE(probe.ok);
    EXPECT_NEAR(probe.duration, 8.0, 0.25);
    testmedia::ExpectSubtitleDrawn(source, output.outputPath.toStdString(), true, true);
}

TEST_F(SubtitleConversionTest, FollowsTheFilterLoadLevelAndPutsItBack) {
    const std::string input = testmedia::MkvWithAss();
    settings::OutputSettings output = OutputFor(kMkv, input);
    // 2 keeps the filter out of the graph: the picture stays as it was.
    SetLoadLevel(2);
    ASSERT_EQ(Open(input), 1);
    ASSERT_EQ(Convert(output), ConversionOutcome::Completed);
    testmedia::ExpectSubtitleDrawn(input, output.outputPath.toStdString(), false, true);

    // The program makes it join while it runs, and puts 2 back at close.
    caspari::SubtitleFilterLoad load;
    caspari::ForceSubtitleFilterLoad(load);
    engine_->ReleaseGraph();
    ASSERT_EQ(Open(input), 1);
    ASSERT_EQ(Convert(output), ConversionOutcome::Completed);
    testmedia::ExpectSubtitleDrawn(input, output.outputPath.toStdString(), true, true);
    caspari::RestoreSubtitleFilterLoad(load);
    QSettings key(QSettings::UserScope, "Pellmar", "VSFilter");
    EXPECT_EQ(key.value("General/LoadLevel").toInt(), 2);
}

class StoppedConversion : public SubtitleConversionTest,
                          public ::testing::WithParamInterface<Container> {};

TEST_P(StoppedConversion, ConvertsTwiceWithoutReopeningAndStopsWithAPlayableFile) {
    const std::string input = testmedia::HdMkvWithAss(8);
    ASSERT_EQ(Open(input), 1);
    settings::OutputSettings output = OutputFor(GetParam(), input);
    ASSERT_EQ(Convert(output), ConversionOutcome::Completed);
    const double fullDuration = testmedia::Probe(output.outputPath.toStdString()).duration;

    // The second run needs no second open; it is stopped once it is under way.
    const ConversionOutcome stopped = Convert(output, [&] {
        // Two seconds in: well before the end on any machine.
        EXPECT_TRUE(ProcessEventsUntil(
            [&] {
                media::ReferenceTime position = 0;
                return engine_->Graph() != nullptr &&
                       media::Succeeded(engine_->Graph()->GetCurrentPosition(position)) &&
                       position >= 2 * media::kUnitsPerSecond;
            },
            kRenderTimeoutMs));
        engine_->Stop();
    });
    EXPECT_EQ(stopped, ConversionOutcome::Stopped);
    const testmedia::ProbeInfo probe = testmedia::Probe(output.outputPath.toStdString());
    ASSERT_TRUE(probe.ok);
    EXPECT_GT(probe.duration, 0.5);
    EXPECT_LT(probe.duration, fullDuration - 0.5);
    std::string errors;
    EXPECT_TRUE(testmedia::DecodesCleanly(output.outputPath.toStdString(), &errors)) << errors;
    EXPECT_TRUE(prompts_.Messages().empty());
    EXPECT_FALSE(QFileInfo::exists(output.outputPath + ".part"));
}

INSTANTIATE_TEST_SUITE_P(Containers, StoppedConversion, ::testing::Values(kAvi, kMp4),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SubtitleConversionTest, AWriteFailureEndsTheJobWithItsErrorAndRendersAgain) {
    const std::string input = testmedia::HdMkvWithAss(8);
    ASSERT_EQ(Open(input), 1);
    settings::OutputSettings output = OutputFor(kAvi, input);
    // A file size limit makes the writer fail part way, as a full disk would.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    rlimit limited = previous;
    limited.rlim_cur = 200 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const ConversionOutcome outcome = Convert(output);
    setrlimit(RLIMIT_FSIZE, &previous);
    EXPECT_EQ(outcome, ConversionOutcome::Failed);
    const auto messages = prompts_.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_FALSE(messages.front().text.isEmpty());
    EXPECT_EQ(messages.front().caption, uikit::Language().GetMessageText(105));
}

} // namespace
