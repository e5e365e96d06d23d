#include "MediaTestSupport.h"
#include "OutputBuilder.h"
#include "TestMedia.h"
#include "WmProfile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

using namespace media;

constexpr std::uint32_t kVideoBitrate = 798720;
constexpr std::uint32_t kAudioBitrate = 128000;
constexpr int kWidth = 640;
constexpr int kHeight = 360;
constexpr int kSeconds = 4;

struct RateCase {
    std::int64_t timePerFrame;
    int fps;
    const char* name;
};

class WmWriterTest : public mediatest::MediaTest, public ::testing::WithParamInterface<RateCase> {
protected:
    void SetUp() override {
        MediaTest::SetUp();
        ASSERT_EQ(WmProfileManager::Create(manager_), S_OK);
    }

    // Audio (44.1 kHz stereo at kAudioBitrate) as stream 1, the first video
    // codec's format resized and retimed as stream 2.
    std::shared_ptr<WmProfile> MakeProfile(std::int64_t timePerFrame) const {
        std::shared_ptr<WmProfile> profile;
        EXPECT_EQ(manager_->CreateEmptyProfile(0x00090000, profile), S_OK);
        std::uint32_t count = 0;
        EXPECT_EQ(manager_->GetCodecFormatCount(WmMajorType::Audio, 0, count), S_OK);
        for (std::uint32_t i = 0; i < count; ++i) {
            std::shared_ptr<WmStreamConfig> audio;
            WmMediaType type;
            EXPECT_EQ(manager_->GetCodecFormat(WmMajorType::Audio, 0, i, audio), S_OK);
            audio->GetMediaType(type);
            if (type.Wave()->nSamplesPerSec == 44100 && type.Wave()->nChannels == 2 &&
                audio->Bitrate() == kAudioBitrate) {
                EXPECT_EQ(audio->SetStreamNumber(1), S_OK);
                EXPECT_EQ(profile->AddStream(*audio), S_OK);
            }
        }
        std::shared_ptr<WmStreamConfig> video;
        WmMediaType type;
        EXPECT_EQ(manager_->GetCodecFormat(WmMajorType::Video, 0, 0, video), S_OK);
        video->GetMediaType(type);
        auto& info = std::get<WmVideoInfoHeader>(type.format);
        info.rcSource = info.rcTarget = {0, 0, kWidth, kHeight};
        info.bmiHeader.biWidth = kWidth;
        info.bmiHeader.biHeight = kHeight;
        info.dwBitRate = kVideoBitrate;
        info.AvgTimePerFrame = timePerFrame;
        EXPECT_EQ(video->SetMediaType(type), S_OK);
        EXPECT_EQ(video->SetBitrate(kVideoBitrate), S_OK);
        EXPECT_EQ(video->SetMaxKeyFrameSpacing(2 * 10000000LL), S_OK);
        EXPECT_EQ(video->SetStreamNumber(2), S_OK);
        EXPECT_EQ(profile->AddStream(*video), S_OK);
        EXPECT_EQ(profile->Streams().size(), 2u);
        return profile;
    }

    std::shared_ptr<WmProfileManager> manager_;
};

QJsonArray ProbeJson(const std::string& path, const QStringList& what) {
    QByteArray output;
    QStringList args = {"-v", "error", "-of", "json"};
    args << what << QString::fromStdString(path);
    if (testmedia::Run("ffprobe", args, &output) != 0) {
        return {};
    }
    const QJsonObject root = QJsonDocument::fromJson(output).object();
    return root.contains("packets") ? root["packets"].toArray() : root["streams"].toArray();
}

// Bits per second a stream's packets carry over the file's duration.
double MeasuredBitrate(const std::string& path, const char* stream, double seconds) {
    double bytes = 0;
    for (const QJsonValue& packet :
         ProbeJson(path, {"-select_streams", stream, "-show_entries", "packet=size"})) {
        bytes += packet.toObject()["size"].toString().toDouble();
    }
    return bytes * 8 / seconds;
}

// Test sources (small noise pictures at 30 fps, tone) through the writer,
// which scales, retimes and encodes both streams as the profile says.
TEST_P(WmWriterTest, EncodesBothStreamsAsTheProfileDescribes) {
    auto [graph, video, audio] = mediatest::MakeTestSources(30 * kSeconds, 44100 * kSeconds / 1024);
    ASSERT_TRUE(graph);
    // Noise at a small size, scaled up: pictures of moderate detail that change
    // every frame, so the encoder's rate control has something to work on.
    video.SetProperty("pattern", "snow");
    Element small = Element::Create("capsfilter");
    ASSERT_EQ(small.SetProperty("caps", "video/x-raw,width=16,height=12,framerate=30/1"), S_OK);
    ASSERT_EQ(graph->AddFilter(small, "Small"), S_OK);
    ASSERT_EQ(graph->ConnectDirect(video.GetPad(PadDirection::Output, 0),
                                   small.GetPad(PadDirection::Input, 0)),
              S_OK);
    OutputBuilder builder;
    builder.SetFiltergraph(graph);
    const std::string path = OutputPath("out.wmv");
    Element mux;
    Element writer;
    ASSERT_EQ(builder.SetOutputFileName(OutputFormat::WindowsMedia, path, mux, writer), S_OK);
    const std::shared_ptr<WmProfile> profile = MakeProfile(GetParam().timePerFrame);
    ASSERT_EQ(ConfigureFilterUsingProfile(mux, *profile), S_OK);
    ASSERT_EQ(builder.RenderStream(small.GetPad(PadDirection::Output, 0), Element(), mux), S_OK);
    ASSERT_EQ(builder.RenderStream(audio.GetPad(PadDirection::Output, 0), Element(), mux), S_OK);
    ASSERT_TRUE(Succeeded(graph->Run()));
    long code = 0;
    EXPECT_EQ(graph->WaitForCompletion(60000, code), S_OK) << graph->LastErrorText();
    graph->Stop();

    const testmedia::ProbeInfo info = testmedia::Probe(path);
    ASSERT_TRUE(info.ok);
    const testmedia::StreamInfo* v = info.First("video");
    ASSERT_TRUE(v && info.First("audio"));
    EXPECT_EQ(v->codecName, "wmv2");
    EXPECT_EQ(info.First("audio")->codecName, "wmav2");
    EXPECT_EQ(v->width, kWidth);
    EXPECT_EQ(v->height, kHeight);
    EXPECT_EQ(v->frameRate, std::to_string(GetParam().fps) + "/1");
    EXPECT_NEAR(info.duration, kSeconds, 0.3);
    const QJsonArray audioStreams =
        ProbeJson(path, {"-select_streams", "a", "-show_entries", "stream=sample_rate,channels"});
    ASSERT_EQ(audioStreams.size(), 1);
    EXPECT_EQ(audioStreams[0].toObject()["sample_rate"].toString(), "44100");
    EXPECT_EQ(audioStreams[0].toObject()["channels"].toInt(), 2);
    EXPECT_NEAR(MeasuredBitrate(path, "a", kSeconds), kAudioBitrate, kAudioBitrate * 0.05);
    EXPECT_NEAR(MeasuredBitrate(path, "v", kSeconds), kVideoBitrate, kVideoBitrate * 0.35);
    // Key frames every 2 s of the profile's rate.
    std::vector<int> keyFrames;
    const QJsonArray packets =
        ProbeJson(path, {"-select_streams", "v", "-show_entries", "packet=flags"});
    for (int i = 0; i < packets.size(); ++i) {
        if (packets[i].toObject()["flags"].toString().startsWith('K')) {
            keyFrames.push_back(i);
        }
    }
    EXPECT_EQ(packets.size(), GetParam().fps * kSeconds);
    EXPECT_EQ(keyFrames, (std::vector<int>{0, 2 * GetParam().fps}));
    std::string errors;
    EXPECT_TRUE(testmedia::DecodesCleanly(path, &errors)) << errors;
}

INSTANTIATE_TEST_SUITE_P(Rates, WmWriterTest,
                         ::testing::Values(RateCase{344827, 29, "At29"},
                                           RateCase{400000, 25, "At25"}),
                         [](const ::testing::TestParamInfo<RateCase>& info) {
                             return std::string(info.param.name);
                         });

// A profile without video takes audio only; the writer refuses other
// multiplexers and profiles it cannot encode.
TEST_F(WmWriterTest, RefusesStreamsAndProfilesItCannotWrite) {
    std::shared_ptr<FilterGraph> graph;
    ASSERT_EQ(FilterGraph::Create(graph), S_OK);
    OutputBuilder builder;
    builder.SetFiltergraph(graph);
    Element mux;
    Element writer;
    ASSERT_EQ(
        builder.SetOutputFileName(OutputFormat::WindowsMedia, OutputPath("a.wma"), mux, writer),
        S_OK);
    EXPECT_EQ(mux.FactoryName(), "asfmux");
    std::shared_ptr<WmProfile> profile = MakeProfile(400000);
    std::shared_ptr<WmProfile> audioOnly;
    ASSERT_EQ(manager_->CreateEmptyProfile(0x00090000, audioOnly), S_OK);
    ASSERT_EQ(audioOnly->AddStream(*profile->StreamByNumber(1)), S_OK);
    ASSERT_EQ(ConfigureFilterUsingProfile(mux, *audioOnly), S_OK);
    Element video = Element::Create("videotestsrc");
    Element audio = Element::Create("audiotestsrc");
    ASSERT_EQ(graph->AddFilter(video, "Video"), S_OK);
    ASSERT_EQ(graph->AddFilter(audio, "Audio"), S_OK);
    EXPECT_EQ(builder.RenderStream(video.GetPad(PadDirection::Output, 0), Element(), mux),
              VFW_E_TYPE_NOT_ACCEPTED);
    EXPECT_FALSE(video.GetPad(PadDirection::Output, 0).IsConnected());
    EXPECT_EQ(builder.RenderStream(audio.GetPad(PadDirection::Output, 0), Element(), mux), S_OK);
    Element second = Element::Create("audiotestsrc");
    ASSERT_EQ(graph->AddFilter(second, "Second"), S_OK);
    EXPECT_EQ(builder.RenderStream(second.GetPad(PadDirection::Output, 0), Element(), mux),
              VFW_E_TYPE_NOT_ACCEPTED);

    Element avi = Element::Create("avimux");
    EXPECT_EQ(ConfigureFilterUsingProfile(avi, *profile), E_INVALIDARG);
    WmMediaType unknown;
    profile->StreamByNumber(2)->GetMediaType(unknown);
    std::get<WmVideoInfoHeader>(unknown.format).bmiHeader.biCompression = MakeFourCC("WMV3");
    unknown.subtype = MakeFourCC("WMV3");
    WmStreamConfig wmv3 = *profile->StreamByNumber(2);
    ASSERT_EQ(wmv3.SetMediaType(unknown), S_OK);
    ASSERT_EQ(wmv3.SetStreamNumber(5), S_OK);
    ASSERT_EQ(profile->AddStream(wmv3), S_OK);
    EXPECT_EQ(ConfigureFilterUsingProfile(mux, *profile), VFW_E_NO_ENCODER);
    std::shared_ptr<WmProfile> empty;
    ASSERT_EQ(manager_->CreateEmptyProfile(0x00090000, empty), S_OK);
    EXPECT_EQ(ConfigureFilterUsingProfile(mux, *empty), E_INVALIDARG);
}

} // namespace
