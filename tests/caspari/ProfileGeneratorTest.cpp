#include "ProfileGenerator.h"
#include "WindowsMediaProfile.h"

#include <gtest/gtest.h>

namespace {

using namespace caspari;
using media::WmMajorType;
using media::WmMediaType;

const WmMediaType& TypeOf(const media::WmProfile& profile, std::uint16_t number) {
    static WmMediaType type;
    const media::WmStreamConfig* stream = profile.StreamByNumber(number);
    EXPECT_TRUE(stream != nullptr) << number;
    type = {};
    if (stream != nullptr) {
        EXPECT_EQ(stream->GetMediaType(type), media::S_OK);
    }
    return type;
}

settings::OutputSettings WmvSettings(double frameRate) {
    settings::OutputSettings output;
    output.audioBitrate = 128000;
    output.videoBitrate = 798720;
    output.outputWidth = 640;
    output.outputHeight = 360;
    output.outputFrameRate = frameRate;
    return output;
}

// The program's profile on the installed encoders: no WMV3 here, so WMV2.
TEST(ProfileGeneratorTest, WindowsMediaProfileFallsBackToTheInstalledCodec) {
    std::shared_ptr<media::WmProfile> profile;
    std::string codec;
    ASSERT_EQ(GenerateWindowsMediaProfile(WmvSettings(29.97), profile, codec), media::S_OK);
    ASSERT_TRUE(profile);
    EXPECT_EQ(codec, "WMV2");
    EXPECT_EQ(profile->GetName(), "Custom Profile");
    EXPECT_EQ(profile->Version(), kProfileVersion);
    ASSERT_EQ(profile->Streams().size(), 2u);
    EXPECT_TRUE(profile->MutualExclusions().empty());

    const media::WmStreamConfig& audio = *profile->StreamByNumber(1);
    EXPECT_EQ(audio.StreamName(), "Audio Stream");
    EXPECT_EQ(audio.ConnectionName(), "Audio");
    EXPECT_EQ(audio.Bitrate(), 128000u);
    const WmMediaType audioType = TypeOf(*profile, 1);
    ASSERT_TRUE(audioType.Wave() != nullptr);
    EXPECT_EQ(audioType.Wave()->nAvgBytesPerSec, 16000u);
    EXPECT_EQ(audioType.Wave()->nSamplesPerSec, 44100u);
    EXPECT_EQ(audioType.Wave()->nChannels, 2);
    EXPECT_EQ(audioType.subtype, 0x0161u);
    EXPECT_TRUE(audioType.fixedSizeSamples);
    EXPECT_FALSE(audioType.temporalCompression);
    EXPECT_EQ(audioType.sampleSize, audioType.Wave()->nBlockAlign);
    EXPECT_EQ(audioType.FormatSize(), 18u + audioType.Wave()->cbSize);

    const media::WmStreamConfig& video = *profile->StreamByNumber(2);
    EXPECT_EQ(video.StreamName(), "Video Stream");
    EXPECT_EQ(video.ConnectionName(), "Video");
    EXPECT_EQ(video.Bitrate(), 798720u);
    EXPECT_EQ(video.Quality(), 0u);
    EXPECT_EQ(video.MaxKeyFrameSpacing(), 80000000);
    const WmMediaType videoType = TypeOf(*profile, 2);
    ASSERT_TRUE(videoType.Video() != nullptr);
    const media::WmVideoInfoHeader& info = *videoType.Video();
    EXPECT_EQ(info.AvgTimePerFrame, 344827);
    EXPECT_EQ(info.bmiHeader.biCompression, media::MakeFourCC("WMV2"));
    EXPECT_EQ(info.bmiHeader.biWidth, 640);
    EXPECT_EQ(info.bmiHeader.biHeight, 360);
    EXPECT_EQ(info.rcSource.right, 640);
    EXPECT_EQ(info.rcTarget.bottom, 360);
    EXPECT_EQ(info.dwBitRate, 798720u);

    std::shared_ptr<media::WmProfile> truncated;
    ASSERT_EQ(GenerateWindowsMediaProfile(WmvSettings(23.976), truncated, codec), media::S_OK);
    EXPECT_EQ(TypeOf(*truncated, 2).Video()->AvgTimePerFrame, 10000000 / 23);

    // A rate that truncates to nothing never reaches the generator.
    std::shared_ptr<media::WmProfile> untouched;
    codec.clear();
    EXPECT_EQ(GenerateWindowsMediaProfile(WmvSettings(0.9), untouched, codec), media::E_INVALIDARG);
    EXPECT_FALSE(untouched);
    EXPECT_TRUE(codec.empty());
}

TEST(ProfileGeneratorTest, RefusesBadArgumentsAndMissingFormatsWithoutWriting) {
    const AudioStreamParams audio{128000, 0x0161, 44100, 2};
    VideoStreamParams video{.fourcc = media::MakeFourCC("WMV3"),
                            .bitrate = 500000,
                            .height = 240,
                            .width = 320,
                            .frameRate = 25,
                            .quality = 0,
                            .maxKeyFrameSeconds = 8};
    const auto sentinel = std::make_shared<media::WmProfile>(1);
    std::shared_ptr<media::WmProfile> out = sentinel;
    EXPECT_EQ(GenerateProfile(&audio, nullptr, 1, &video, &out, kProfileVersion), kNoVideoFormat);
    EXPECT_EQ(GenerateProfile(&audio, nullptr, 64, &video, &out, kProfileVersion),
              media::E_INVALIDARG);
    EXPECT_EQ(GenerateProfile(nullptr, nullptr, 0, nullptr, &out, kProfileVersion),
              media::E_INVALIDARG);
    EXPECT_EQ(GenerateProfile(&audio, nullptr, 1, nullptr, &out, kProfileVersion),
              media::E_INVALIDARG);
    EXPECT_EQ(GenerateProfile(&audio, nullptr, 0, nullptr, nullptr, kProfileVersion),
              media::E_INVALIDARG);
    const AudioStreamParams oddRate{128000, 0x0161, 44000, 2};
    EXPECT_EQ(GenerateProfile(&oddRate, nullptr, 0, nullptr, &out, kProfileVersion),
              kNoAudioFormat);
    EXPECT_EQ(out, sentinel);
}

// Two video streams exclude each other by bitrate; the script stream follows
// them. Without video the script stream is number 2.
TEST(ProfileGeneratorTest, NumbersStreamsAndExcludesVideoByBitrate) {
    const AudioStreamParams audio{64000, 0x0161, 44100, 2};
    const VideoStreamParams video[] = {
        {.fourcc = media::MakeFourCC("WMV2"),
         .bitrate = 800000,
         .height = 480,
         .width = 640,
         .frameRate = 30,
         .quality = 50,
         .maxKeyFrameSeconds = 4},
        {.fourcc = media::MakeFourCC("WMV1"),
         .bitrate = 300000,
         .height = 240,
         .width = 320,
         .frameRate = 15,
         .quality = 50,
         .maxKeyFrameSeconds = 4},
    };
    const std::uint32_t scriptBitrate = 1000;
    std::shared_ptr<media::WmProfile> profile;
    ASSERT_EQ(GenerateProfile(&audio, &scriptBitrate, 2, video, &profile, kProfileVersion),
              media::S_OK);
    ASSERT_EQ(profile->Streams().size(), 4u);
    ASSERT_EQ(profile->MutualExclusions().size(), 1u);
    EXPECT_EQ(profile->MutualExclusions()[0].Type(), media::WmExclusionType::Bitrate);
    EXPECT_EQ(profile->MutualExclusions()[0].Streams(), (std::vector<std::uint16_t>{2, 3}));
    EXPECT_EQ(TypeOf(*profile, 3).Video()->bmiHeader.biCompression, media::MakeFourCC("WMV1"));
    EXPECT_EQ(TypeOf(*profile, 3).Video()->AvgTimePerFrame, 666666);
    const media::WmStreamConfig* script = profile->StreamByNumber(4);
    ASSERT_TRUE(script != nullptr);
    EXPECT_EQ(script->MajorType(), WmMajorType::Script);
    EXPECT_EQ(script->StreamName(), "Script Stream");
    EXPECT_EQ(script->ConnectionName(), "Script");
    EXPECT_EQ(script->Bitrate(), scriptBitrate);
    const WmMediaType scriptType = TypeOf(*profile, 4);
    EXPECT_EQ(scriptType.formatType, media::WmFormatType::Script);
    EXPECT_EQ(scriptType.FormatSize(), 16u);
    EXPECT_EQ(scriptType.subtype, 0u);

    std::shared_ptr<media::WmProfile> audioOnly;
    ASSERT_EQ(GenerateProfile(&audio, &scriptBitrate, 0, nullptr, &audioOnly, kProfileVersion),
              media::S_OK);
    ASSERT_EQ(audioOnly->Streams().size(), 2u);
    EXPECT_EQ(audioOnly->StreamByNumber(2)->MajorType(), WmMajorType::Script);
    EXPECT_TRUE(audioOnly->MutualExclusions().empty());
}

WmMediaType Wave(std::uint32_t rate, std::uint32_t bytesPerSecond, std::uint16_t blockAlign) {
    media::WmWaveFormat wave;
    wave.wFormatTag = 0x0161;
    wave.nChannels = 2;
    wave.nSamplesPerSec = rate;
    wave.nAvgBytesPerSec = bytesPerSecond;
    wave.nBlockAlign = blockAlign;
    WmMediaType type;
    type.majorType = WmMajorType::Audio;
    type.formatType = media::WmFormatType::WaveFormatEx;
    type.format = wave;
    return type;
}

// Chosen format's (bitrate, packet size) from a fabricated list.
std::pair<std::uint32_t, int> ChooseAudio(const std::vector<WmMediaType>& formats, bool hasVideo,
                                          media::Result& result) {
    const auto manager = media::WmProfileManager::WithCodecs({{"fake", formats}}, {});
    media::WmProfile profile(kProfileVersion);
    result = AddAudioStream(128000, 0x0161, 44100, 2, hasVideo, profile, *manager);
    if (media::Failed(result)) {
        return {0, -1};
    }
    return {profile.Streams().at(0).Bitrate(), TypeOf(profile, 1).Wave()->nBlockAlign};
}

// Candidates lie within 250 bit/s of the bitrate at the rate and channel
// count; alongside video the smallest packets win, alone the largest, and on
// a tie the later format.
TEST(ProfileGeneratorTest, AudioChoiceFollowsPacketSize) {
    const std::vector<WmMediaType> formats = {
        Wave(44100, 16000, 700), // 128000
        Wave(44100, 16010, 400), // 128080
        Wave(44100, 15990, 400), // 127920: ties the one before
        Wave(48000, 16000, 100), // other rate
        Wave(44100, 16040, 50),  // 128320: too far
        Wave(44100, 16031, 900), // 128248
        Wave(44100, 15970, 900), // 127760: ties the one before
    };
    media::Result result = media::S_OK;
    EXPECT_EQ(ChooseAudio(formats, true, result), std::make_pair(127920u, 400));
    EXPECT_EQ(result, media::S_OK);
    EXPECT_EQ(ChooseAudio(formats, false, result), std::make_pair(127760u, 900));
    EXPECT_EQ(result, media::S_OK);

    std::vector<WmMediaType> withOther = formats;
    withOther.emplace_back().formatType = media::WmFormatType::Other;
    ChooseAudio(withOther, true, result);
    EXPECT_EQ(result, media::E_FAIL);
    ChooseAudio({formats[3], formats[4]}, true, result);
    EXPECT_EQ(result, kNoAudioFormat);

    const auto noCodecs = media::WmProfileManager::WithCodecs({}, {});
    media::WmProfile profile(kProfileVersion);
    EXPECT_EQ(AddAudioStream(128000, 0x0161, 44100, 2, true, profile, *noCodecs), kNoAudioFormat);
    EXPECT_EQ(AddVideoStream(profile, *noCodecs, 2, media::MakeFourCC("WMV2"), 1, 1, 1, 25, 0, 1),
              kNoVideoFormat);
    EXPECT_TRUE(profile.Streams().empty());
}

// The first VideoInfo format of the code is taken; what the generator does not
// set stays as the codec had it.
TEST(ProfileGeneratorTest, VideoTakesTheFirstMatchingFormat) {
    WmMediaType other;
    other.majorType = WmMajorType::Video;
    other.formatType = media::WmFormatType::Other;
    auto videoFormat = [](std::uint32_t fourcc, std::int32_t left, std::uint32_t sizeImage) {
        media::WmVideoInfoHeader info;
        info.rcSource.left = left;
        info.rcTarget.top = left;
        info.bmiHeader.biCompression = fourcc;
        info.bmiHeader.biSizeImage = sizeImage;
        WmMediaType type;
        type.majorType = WmMajorType::Video;
        type.formatType = media::WmFormatType::VideoInfo;
        type.format = info;
        return type;
    };
    const std::uint32_t wmv2 = media::MakeFourCC("WMV2");
    const auto manager = media::WmProfileManager::WithCodecs(
        {}, {{"first", {other, videoFormat(media::MakeFourCC("WMV1"), 1, 11)}},
             {"second", {videoFormat(wmv2, 2, 22), videoFormat(wmv2, 3, 33)}}});
    media::WmProfile profile(kProfileVersion);
    ASSERT_EQ(AddVideoStream(profile, *manager, 7, wmv2, 500000, 352, 288, 30, 75, 3), media::S_OK);
    const media::WmVideoInfoHeader& info = *TypeOf(profile, 7).Video();
    EXPECT_EQ(info.rcSource.left, 2);
    EXPECT_EQ(info.rcTarget.top, 2);
    EXPECT_EQ(info.bmiHeader.biSizeImage, 22u);
    EXPECT_EQ(info.rcSource.right, 352);
    EXPECT_EQ(info.rcSource.bottom, 288);
    EXPECT_EQ(info.AvgTimePerFrame, 333333);
    EXPECT_EQ(profile.StreamByNumber(7)->Quality(), 75u);
    EXPECT_EQ(profile.StreamByNumber(7)->MaxKeyFrameSpacing(), 30000000);
    EXPECT_EQ(AddVideoStream(profile, *manager, 8, media::MakeFourCC("WMV3"), 1, 1, 1, 25, 0, 1),
              kNoVideoFormat);
}

TEST(ProfileGeneratorTest, MapProfileReadsOnlyTheStoredForm) {
    EXPECT_EQ(MapProfile("test2", nullptr), media::E_POINTER);
    std::shared_ptr<media::WmProfile> mapped;
    EXPECT_TRUE(media::Failed(MapProfile("test2", &mapped)));
    EXPECT_FALSE(mapped);

    std::shared_ptr<media::WmProfile> profile;
    std::string codec;
    ASSERT_EQ(GenerateWindowsMediaProfile(WmvSettings(25.0), profile, codec), media::S_OK);
    const std::string text = media::ProfileToText(*profile);
    ASSERT_EQ(MapProfile(text, &mapped), media::S_OK);
    ASSERT_TRUE(mapped);
    EXPECT_EQ(media::ProfileToText(*mapped), text);
    EXPECT_EQ(TypeOf(*mapped, 2).Video()->AvgTimePerFrame, 400000);
}

} // namespace
