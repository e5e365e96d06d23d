#include "WindowsMediaProfile.h"

#include "ProfileGenerator.h"

#include <array>
#include <cmath>

namespace caspari {

namespace {

constexpr std::uint32_t kAudioSampleRate = 44100;
constexpr std::uint32_t kAudioChannels = 2;
constexpr std::uint32_t kKeyFrameSeconds = 8;
constexpr std::uint32_t kVideoQuality = 0;
// Preferred codec first; the later ones stand in when it is not installed.
constexpr std::array<const char (*)[5], 3> kVideoCodecs = {&"WMV3", &"WMV2", &"WMV1"};

} // namespace

media::Result GenerateWindowsMediaProfile(const settings::OutputSettings& output,
                                          std::shared_ptr<media::WmProfile>& profile,
                                          std::string& videoCodec) {
    // Truncated toward zero, as the profile counts whole frames per second.
    const double wholeRate = std::trunc(output.outputFrameRate);
    if (!(wholeRate >= 1.0) || wholeRate > 1000.0) {
        return media::E_INVALIDARG;
    }
    const AudioStreamParams audio{static_cast<std::uint32_t>(output.audioBitrate),
                                  media::kWmaV2FormatTag, kAudioSampleRate, kAudioChannels};
    VideoStreamParams video{.fourcc = 0,
                            .bitrate = static_cast<std::uint32_t>(output.videoBitrate),
                            .height = static_cast<std::uint32_t>(output.outputHeight),
                            .width = static_cast<std::uint32_t>(output.outputWidth),
                            .frameRate = static_cast<std::uint32_t>(wholeRate),
                            .quality = kVideoQuality,
                            .maxKeyFrameSeconds = kKeyFrameSeconds};
    media::Result result = kNoVideoFormat;
    for (const auto* codec : kVideoCodecs) {
        video.fourcc = media::MakeFourCC(*codec);
        std::shared_ptr<media::WmProfile> generated;
        result = GenerateProfile(&audio, nullptr, 1, &video, &generated, kProfileVersion);
        if (result == kNoVideoFormat) {
            continue;
        }
        if (media::Succeeded(result)) {
            profile = std::move(generated);
            videoCodec = *codec;
        }
        return result;
    }
    return result;
}

} // namespace caspari
