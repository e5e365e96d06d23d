#include "ProfileGenerator.h"

#include <algorithm>
#include <cstdio>

namespace caspari {

namespace {

using media::Failed;
using media::Result;
using media::S_OK;
using media::WmMajorType;

constexpr std::int64_t kUnitsPerSecond = 10000000;
// How far a format's bitrate may be from the asked one, in bits per second.
constexpr std::int64_t kBitrateTolerance = 250;

bool IsAudioCandidate(const media::WmWaveFormat& wave, std::uint32_t bitrate,
                      std::uint32_t formatTag, std::uint32_t sampleRate, std::uint32_t channels) {
    const std::int64_t difference =
        static_cast<std::int64_t>(media::BitsPerSecond(wave)) - static_cast<std::int64_t>(bitrate);
    return difference > -kBitrateTolerance && difference < kBitrateTolerance &&
           wave.nSamplesPerSec == sampleRate && wave.nChannels == channels &&
           wave.wFormatTag == formatTag;
}

} // namespace

Result ConfigureStreamConfig(media::WmStreamConfig& config, std::uint16_t streamNumber,
                             const std::string& streamName, const std::string& connectionName,
                             std::uint32_t bitrate, const media::WmMediaType& type) {
    Result result = config.SetStreamNumber(streamNumber);
    if (!Failed(result)) {
        result = config.SetStreamName(streamName);
    }
    if (!Failed(result)) {
        result = config.SetConnectionName(connectionName);
    }
    if (!Failed(result)) {
        result = config.SetBitrate(bitrate);
    }
    if (!Failed(result)) {
        result = config.SetMediaType(type);
    }
    return result;
}

Result AddAudioStream(std::uint32_t bitrate, std::uint32_t formatTag, std::uint32_t sampleRate,
                      std::uint32_t channels, bool hasVideo, media::WmProfile& profile,
                      const media::WmProfileManager& manager) {
    std::uint32_t codecCount = 0;
    Result result = manager.GetCodecInfoCount(WmMajorType::Audio, codecCount);
    if (Failed(result)) {
        return result;
    }
    if (codecCount == 0) {
        return kNoAudioFormat;
    }
    bool found = false;
    media::WmWaveFormat best;
    for (std::uint32_t codec = 0; codec < codecCount; ++codec) {
        std::uint32_t formatCount = 0;
        result = manager.GetCodecFormatCount(WmMajorType::Audio, codec, formatCount);
        if (Failed(result)) {
            return result;
        }
        for (std::uint32_t format = 0; format < formatCount; ++format) {
            std::shared_ptr<media::WmStreamConfig> config;
            media::WmMediaType type;
            result = manager.GetCodecFormat(WmMajorType::Audio, codec, format, config);
            if (!Failed(result)) {
                result = config->GetMediaType(type);
            }
            if (Failed(result)) {
                return result;
            }
            const media::WmWaveFormat* wave = type.Wave();
            if (type.formatType != media::WmFormatType::WaveFormatEx || wave == nullptr) {
                return media::E_FAIL;
            }
            if (!IsAudioCandidate(*wave, bitrate, formatTag, sampleRate, channels)) {
                continue;
            }
            // Alongside video the smallest packets, alone the largest; on a tie
            // the later format.
            const bool better = !found || (hasVideo ? wave->nBlockAlign <= best.nBlockAlign
                                                    : wave->nBlockAlign >= best.nBlockAlign);
            if (better) {
                best = *wave;
                found = true;
            }
        }
    }
    if (!found) {
        return kNoAudioFormat;
    }
    media::WmMediaType type;
    type.majorType = WmMajorType::Audio;
    type.subtype = best.wFormatTag;
    type.fixedSizeSamples = true;
    type.temporalCompression = false;
    type.sampleSize = best.nBlockAlign;
    type.formatType = media::WmFormatType::WaveFormatEx;
    const auto chosenBitrate = static_cast<std::uint32_t>(
        std::min<std::uint64_t>(media::BitsPerSecond(best), 0xFFFFFFFFu));
    type.format = std::move(best);

    std::shared_ptr<media::WmStreamConfig> stream;
    result = profile.CreateNewStream(WmMajorType::Audio, stream);
    if (!Failed(result)) {
        result = ConfigureStreamConfig(*stream, 1, "Audio Stream", "Audio", chosenBitrate, type);
    }
    if (!Failed(result)) {
        result = profile.AddStream(*stream);
    }
    return result;
}

Result AddVideoStream(media::WmProfile& profile, const media::WmProfileManager& manager,
                      std::uint16_t streamNumber, std::uint32_t fourcc, std::uint32_t bitrate,
                      std::uint32_t width, std::uint32_t height, std::uint32_t frameRate,
                      std::uint32_t quality, std::uint32_t keyFrameSeconds) {
    if (frameRate == 0) {
        return media::E_INVALIDARG;
    }
    std::uint32_t codecCount = 0;
    Result result = manager.GetCodecInfoCount(WmMajorType::Video, codecCount);
    if (Failed(result)) {
        return result;
    }
    if (codecCount == 0) {
        return kNoVideoFormat;
    }
    std::shared_ptr<media::WmStreamConfig> chosen;
    media::WmMediaType type;
    for (std::uint32_t codec = 0; codec < codecCount && !chosen; ++codec) {
        std::uint32_t formatCount = 0;
        result = manager.GetCodecFormatCount(WmMajorType::Video, codec, formatCount);
        if (Failed(result)) {
            return result;
        }
        for (std::uint32_t format = 0; format < formatCount; ++format) {
            std::shared_ptr<media::WmStreamConfig> config;
            result = manager.GetCodecFormat(WmMajorType::Video, codec, format, config);
            if (!Failed(result)) {
                result = config->GetMediaType(type);
            }
            if (Failed(result)) {
                return result;
            }
            const media::WmVideoInfoHeader* info = type.Video();
            if (type.formatType == media::WmFormatType::VideoInfo && info != nullptr &&
                info->bmiHeader.biCompression == fourcc) {
                chosen = config;
                break;
            }
        }
    }
    if (!chosen) {
        return kNoVideoFormat;
    }
    auto& info = std::get<media::WmVideoInfoHeader>(type.format);
    info.rcSource.right = static_cast<std::int32_t>(width);
    info.rcTarget.right = static_cast<std::int32_t>(width);
    info.rcSource.bottom = static_cast<std::int32_t>(height);
    info.rcTarget.bottom = static_cast<std::int32_t>(height);
    info.bmiHeader.biWidth = static_cast<std::int32_t>(width);
    info.bmiHeader.biHeight = static_cast<std::int32_t>(height);
    info.dwBitRate = bitrate;
    info.AvgTimePerFrame = kUnitsPerSecond / static_cast<std::int64_t>(frameRate);

    result = chosen->SetQuality(quality);
    if (!Failed(result)) {
        result = chosen->SetMaxKeyFrameSpacing(std::int64_t{keyFrameSeconds} * kUnitsPerSecond);
    }
    if (!Failed(result)) {
        result =
            ConfigureStreamConfig(*chosen, streamNumber, "Video Stream", "Video", bitrate, type);
    }
    if (!Failed(result)) {
        result = profile.AddStream(*chosen);
    }
    return result;
}

Result AddBitrateMutex(media::WmProfile& profile, std::uint16_t videoCount) {
    std::shared_ptr<media::WmMutualExclusion> exclusion;
    Result result = profile.CreateNewMutualExclusion(exclusion);
    if (!Failed(result)) {
        result = exclusion->SetType(media::WmExclusionType::Bitrate);
    }
    for (std::uint16_t i = 0; i < videoCount && !Failed(result); ++i) {
        result = exclusion->AddStream(static_cast<std::uint16_t>(i + 2));
    }
    if (!Failed(result)) {
        result = profile.AddMutualExclusion(*exclusion);
    }
    return result;
}

Result AddScriptStream(media::WmProfile& profile, std::uint16_t streamNumber,
                       std::uint32_t bitrate) {
    std::shared_ptr<media::WmStreamConfig> stream;
    Result result = profile.CreateNewStream(WmMajorType::Script, stream);
    if (Failed(result)) {
        return result;
    }
    media::WmMediaType type;
    type.majorType = WmMajorType::Script;
    type.subtype = 0;
    type.fixedSizeSamples = false;
    type.temporalCompression = false;
    type.sampleSize = 0;
    type.formatType = media::WmFormatType::Script;
    type.format = media::WmScriptFormat{media::kWmScriptTypeTwoStrings};
    result = ConfigureStreamConfig(*stream, streamNumber, "Script Stream", "Script", bitrate, type);
    if (!Failed(result)) {
        result = profile.AddStream(*stream);
    }
    return result;
}

Result GenerateProfile(const AudioStreamParams* audio, const std::uint32_t* scriptBitrate,
                       std::uint16_t videoCount, const VideoStreamParams* video,
                       std::shared_ptr<media::WmProfile>* out, std::uint32_t version) {
    if (audio == nullptr || out == nullptr || videoCount > kMaxVideoStreams ||
        (videoCount > 0 && video == nullptr)) {
        return media::E_INVALIDARG;
    }
    std::shared_ptr<media::WmProfileManager> manager;
    Result result = media::WmProfileManager::Create(manager);
    if (Failed(result)) {
        return result;
    }
    std::shared_ptr<media::WmProfile> profile;
    result = manager->CreateEmptyProfile(version, profile);
    if (!Failed(result)) {
        result = profile->SetName("Custom Profile");
    }
    if (!Failed(result)) {
        result = AddAudioStream(audio->bitrate, audio->formatTag, audio->sampleRate,
                                audio->channels, videoCount > 0, *profile, *manager);
    }
    for (std::uint16_t i = 0; i < videoCount && !Failed(result); ++i) {
        const VideoStreamParams& v = video[i];
        result = AddVideoStream(*profile, *manager, static_cast<std::uint16_t>(i + 2), v.fourcc,
                                v.bitrate, v.width, v.height, v.frameRate, v.quality,
                                v.maxKeyFrameSeconds);
    }
    if (!Failed(result) && videoCount > 1) {
        result = AddBitrateMutex(*profile, videoCount);
    }
    if (!Failed(result) && scriptBitrate != nullptr) {
        result =
            AddScriptStream(*profile, static_cast<std::uint16_t>(videoCount + 2), *scriptBitrate);
    }
    if (Failed(result)) {
        return result;
    }
    *out = std::move(profile);
    return S_OK;
}

Result MapProfile(const std::string& text, std::shared_ptr<media::WmProfile>* out) {
    if (out == nullptr) {
        return media::E_POINTER;
    }
    std::shared_ptr<media::WmProfileManager> manager;
    const Result result = media::WmProfileManager::Create(manager);
    if (Failed(result)) {
        std::printf("MapProfile: Failed to create profile manager!  hr=0x%x\n",
                    static_cast<unsigned>(result));
        return result;
    }
    return manager->LoadProfileByData(text, *out);
}

} // namespace caspari
