#include "WmProfile.h"
#include "WmProfileFixture.h"

#include <map>
#include <set>

namespace {

using namespace media;
using mediatest::WmProfileTest;

TEST_F(WmProfileTest, ListsTheInstalledEncodersFormats) {
    std::uint32_t audioCodecs = 0;
    std::uint32_t videoCodecs = 0;
    ASSERT_EQ(manager_->GetCodecInfoCount(WmMajorType::Audio, audioCodecs), S_OK);
    ASSERT_EQ(manager_->GetCodecInfoCount(WmMajorType::Video, videoCodecs), S_OK);
    ASSERT_EQ(audioCodecs, 1u);
    ASSERT_EQ(videoCodecs, 2u);

    std::map<std::pair<std::uint32_t, int>, std::set<std::uint32_t>> bitrates;
    using Key = std::pair<std::uint32_t, int>;
    for (const WmMediaType& type : Formats(WmMajorType::Audio, 0)) {
        const WmWaveFormat* wave = type.Wave();
        ASSERT_TRUE(wave != nullptr);
        EXPECT_EQ(type.formatType, WmFormatType::WaveFormatEx);
        EXPECT_EQ(type.subtype, 0x0161u);
        EXPECT_EQ(wave->wFormatTag, 0x0161);
        EXPECT_TRUE(type.fixedSizeSamples);
        EXPECT_EQ(type.sampleSize, wave->nBlockAlign);
        EXPECT_EQ(type.FormatSize(), 18u + wave->cbSize);
        EXPECT_EQ(wave->nAvgBytesPerSec * 8 % 1000, 0u);
        bitrates[{wave->nSamplesPerSec, wave->nChannels}].insert(wave->nAvgBytesPerSec * 8);
    }
    for (const std::uint32_t kilobits : {32, 48, 64, 80, 96, 128, 160, 192, 256, 320}) {
        EXPECT_EQ(bitrates[Key(44100, 2)].count(kilobits * 1000), 1u) << kilobits;
    }
    for (const std::uint32_t rate : {48000, 32000, 22050, 16000}) {
        EXPECT_FALSE(bitrates[Key(rate, 2)].empty()) << rate;
        EXPECT_FALSE(bitrates[Key(rate, 1)].empty()) << rate;
    }

    const std::vector<std::uint32_t> fourccs = {MakeFourCC("WMV2"), MakeFourCC("WMV1")};
    for (std::uint32_t codec = 0; codec < videoCodecs; ++codec) {
        const std::vector<WmMediaType> formats = Formats(WmMajorType::Video, codec);
        ASSERT_EQ(formats.size(), 1u);
        const WmVideoInfoHeader* info = formats[0].Video();
        ASSERT_TRUE(info != nullptr);
        EXPECT_EQ(info->bmiHeader.biCompression, fourccs[codec]);
        EXPECT_EQ(formats[0].subtype, fourccs[codec]);
        EXPECT_GT(info->bmiHeader.biWidth, 0);
        EXPECT_GT(info->AvgTimePerFrame, 0);
        EXPECT_GT(info->dwBitRate, 0u);
    }
    EXPECT_EQ(FourCCToString(fourccs[0]), "WMV2");

    std::shared_ptr<WmStreamConfig> config;
    std::uint32_t count = 0;
    EXPECT_EQ(manager_->GetCodecFormatCount(WmMajorType::Video, 2, count), E_INVALIDARG);
    EXPECT_EQ(manager_->GetCodecFormat(WmMajorType::Video, 0, 1, config), E_INVALIDARG);
    EXPECT_EQ(manager_->GetCodecInfoCount(WmMajorType::Script, count), E_INVALIDARG);
}

TEST_F(WmProfileTest, StreamsAndExclusionsAreValidated) {
    std::shared_ptr<WmProfile> profile;
    ASSERT_EQ(manager_->CreateEmptyProfile(0x00090000, profile), S_OK);
    std::shared_ptr<WmStreamConfig> audio;
    ASSERT_EQ(manager_->GetCodecFormat(WmMajorType::Audio, 0, 0, audio), S_OK);
    EXPECT_EQ(profile->AddStream(*audio), E_INVALIDARG); // no number yet
    EXPECT_EQ(audio->SetStreamNumber(0), E_INVALIDARG);
    EXPECT_EQ(audio->SetStreamNumber(64), E_INVALIDARG);
    EXPECT_EQ(audio->SetQuality(50), E_INVALIDARG); // video only
    ASSERT_EQ(audio->SetStreamNumber(1), S_OK);
    ASSERT_EQ(profile->AddStream(*audio), S_OK);
    EXPECT_EQ(profile->AddStream(*audio), E_INVALIDARG); // number taken

    std::shared_ptr<WmStreamConfig> video;
    ASSERT_EQ(manager_->GetCodecFormat(WmMajorType::Video, 0, 0, video), S_OK);
    WmMediaType audioType;
    ASSERT_EQ(audio->GetMediaType(audioType), S_OK);
    EXPECT_EQ(video->SetMediaType(audioType), E_INVALIDARG);
    WmMediaType mismatched;
    ASSERT_EQ(video->GetMediaType(mismatched), S_OK);
    mismatched.formatType = WmFormatType::WaveFormatEx;
    EXPECT_EQ(video->SetMediaType(mismatched), E_INVALIDARG);
    std::shared_ptr<WmStreamConfig> empty;
    ASSERT_EQ(profile->CreateNewStream(WmMajorType::Video, empty), S_OK);
    ASSERT_EQ(empty->SetStreamNumber(3), S_OK);
    EXPECT_EQ(profile->AddStream(*empty), E_INVALIDARG); // no media type

    std::shared_ptr<WmMutualExclusion> exclusion;
    ASSERT_EQ(profile->CreateNewMutualExclusion(exclusion), S_OK);
    ASSERT_EQ(exclusion->SetType(WmExclusionType::Bitrate), S_OK);
    ASSERT_EQ(exclusion->AddStream(1), S_OK);
    EXPECT_EQ(exclusion->AddStream(1), E_INVALIDARG);
    ASSERT_EQ(exclusion->AddStream(2), S_OK);
    EXPECT_EQ(profile->AddMutualExclusion(*exclusion), E_INVALIDARG); // no stream 2
    ASSERT_EQ(video->SetStreamNumber(2), S_OK);
    ASSERT_EQ(profile->AddStream(*video), S_OK);
    EXPECT_EQ(profile->AddMutualExclusion(*exclusion), S_OK);
    EXPECT_EQ(profile->MutualExclusions().size(), 1u);
}

TEST_F(WmProfileTest, TextFormRoundTripsAndRefusesAnythingElse) {
    std::shared_ptr<WmProfile> profile;
    ASSERT_EQ(manager_->CreateEmptyProfile(0x00090000, profile), S_OK);
    ASSERT_EQ(profile->SetName("Two words % and\ttab"), S_OK);
    std::shared_ptr<WmStreamConfig> audio;
    ASSERT_EQ(manager_->GetCodecFormat(WmMajorType::Audio, 0, 3, audio), S_OK);
    ASSERT_EQ(audio->SetStreamNumber(1), S_OK);
    ASSERT_EQ(audio->SetStreamName(""), S_OK);
    ASSERT_EQ(profile->AddStream(*audio), S_OK);
    for (std::uint16_t number : {2, 3}) {
        std::shared_ptr<WmStreamConfig> video;
        ASSERT_EQ(manager_->GetCodecFormat(WmMajorType::Video, number - 2, 0, video), S_OK);
        ASSERT_EQ(video->SetStreamNumber(number), S_OK);
        ASSERT_EQ(video->SetStreamName("Video Stream"), S_OK);
        ASSERT_EQ(video->SetQuality(70), S_OK);
        ASSERT_EQ(video->SetMaxKeyFrameSpacing(80000000), S_OK);
        ASSERT_EQ(profile->AddStream(*video), S_OK);
    }
    std::shared_ptr<WmStreamConfig> script;
    ASSERT_EQ(profile->CreateNewStream(WmMajorType::Script, script), S_OK);
    WmMediaType scriptType;
    scriptType.majorType = WmMajorType::Script;
    scriptType.formatType = WmFormatType::Script;
    scriptType.format = WmScriptFormat{kWmScriptTypeTwoStrings};
    ASSERT_EQ(script->SetMediaType(scriptType), S_OK);
    ASSERT_EQ(script->SetStreamNumber(4), S_OK);
    ASSERT_EQ(profile->AddStream(*script), S_OK);
    WmMutualExclusion exclusion;
    ASSERT_EQ(exclusion.SetType(WmExclusionType::Bitrate), S_OK);
    ASSERT_EQ(exclusion.AddStream(2), S_OK);
    ASSERT_EQ(exclusion.AddStream(3), S_OK);
    ASSERT_EQ(profile->AddMutualExclusion(exclusion), S_OK);

    std::string text;
    ASSERT_EQ(manager_->SaveProfileToText(*profile, text), S_OK);
    std::shared_ptr<WmProfile> loaded;
    ASSERT_EQ(manager_->LoadProfileByData(text, loaded), S_OK);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetName(), profile->GetName());
    EXPECT_EQ(loaded->Version(), 0x00090000u);
    ASSERT_EQ(loaded->Streams().size(), 4u);
    const WmStreamConfig* video = loaded->StreamByNumber(3);
    ASSERT_TRUE(video != nullptr);
    EXPECT_EQ(video->Quality(), 70u);
    EXPECT_EQ(video->MaxKeyFrameSpacing(), 80000000);
    WmMediaType audioType;
    ASSERT_EQ(loaded->StreamByNumber(1)->GetMediaType(audioType), S_OK);
    ASSERT_TRUE(audioType.Wave() != nullptr);
    WmMediaType original;
    ASSERT_EQ(audio->GetMediaType(original), S_OK);
    EXPECT_EQ(audioType.Wave()->extra, original.Wave()->extra);
    EXPECT_EQ(audioType.Wave()->nBlockAlign, original.Wave()->nBlockAlign);
    EXPECT_EQ(loaded->MutualExclusions().at(0).Streams(), (std::vector<std::uint16_t>{2, 3}));
    EXPECT_EQ(ProfileToText(*loaded), text);

    // Anything but that form, or that form broken, leaves the result alone.
    const std::string broken = text.substr(0, text.find("end"));
    std::string badNumber = text;
    badNumber.replace(badNumber.find("number 1"), 8, "number x");
    // A byte rate whose bits per second overflow 32 bits (2^29 * 8 = 2^32).
    std::string hugeByteRate = text;
    const std::size_t wave = hugeByteRate.find("\nwave ");
    ASSERT_NE(wave, std::string::npos);
    std::size_t field = wave + 1;
    for (int skip = 0; skip < 4; ++skip) {
        field = hugeByteRate.find(' ', field) + 1;
    }
    hugeByteRate.replace(field, hugeByteRate.find(' ', field) - field, "536870912");
    for (const std::string& bad : {std::string("test2"), std::string(), broken, badNumber,
                                   text + "exclusion bitrate 2 9\n", hugeByteRate}) {
        std::shared_ptr<WmProfile> untouched;
        EXPECT_EQ(manager_->LoadProfileByData(bad, untouched), E_INVALIDARG) << bad;
        EXPECT_FALSE(untouched);
    }
}

} // namespace
