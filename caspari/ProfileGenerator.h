#pragma once

// Builds the Windows Media profile of a conversion: one audio stream, any
// number of video streams (several share a bitrate exclusion) and an optional
// script stream, each taken from the formats the profile manager offers.

#include "Result.h"
#include "WmProfile.h"

#include <cstdint>
#include <memory>
#include <string>

namespace caspari {

constexpr media::Result kNoAudioFormat = media::MakeResult(0xC00D0BC2u);
constexpr media::Result kNoVideoFormat = media::MakeResult(0xC00D0BC4u);
constexpr std::uint32_t kProfileVersion = 0x00090000;
constexpr std::uint16_t kMaxVideoStreams = 63;

struct AudioStreamParams {
    std::uint32_t bitrate = 0; // bits per second
    std::uint32_t formatTag = 0;
    std::uint32_t sampleRate = 0;
    std::uint32_t channels = 0;
};
static_assert(sizeof(AudioStreamParams) == 16);

struct VideoStreamParams {
    std::uint32_t fourcc = 0;
    std::uint32_t bitrate = 0;
    std::uint32_t height = 0;
    std::uint32_t width = 0;
    std::uint32_t frameRate = 0; // whole frames per second
    std::uint32_t quality = 0;   // 0-100
    std::uint32_t maxKeyFrameSeconds = 0;
};
static_assert(sizeof(VideoStreamParams) == 28);

// Audio is stream 1, video i is stream i + 2, the script stream follows the
// video. On failure *out is left alone.
media::Result GenerateProfile(const AudioStreamParams* audio, const std::uint32_t* scriptBitrate,
                              std::uint16_t videoCount, const VideoStreamParams* video,
                              std::shared_ptr<media::WmProfile>* out, std::uint32_t version);

// The audio format closest to the bitrate (within 250 bit/s) at the rate and
// channel count; with video the one with the smallest packets, else the
// largest.
media::Result AddAudioStream(std::uint32_t bitrate, std::uint32_t formatTag,
                             std::uint32_t sampleRate, std::uint32_t channels, bool hasVideo,
                             media::WmProfile& profile, const media::WmProfileManager& manager);

// The first video format of the four-character code, sized and timed as given.
media::Result AddVideoStream(media::WmProfile& profile, const media::WmProfileManager& manager,
                             std::uint16_t streamNumber, std::uint32_t fourcc,
                             std::uint32_t bitrate, std::uint32_t width, std::uint32_t height,
                             std::uint32_t frameRate, std::uint32_t quality,
                             std::uint32_t keyFrameSeconds);

media::Result ConfigureStreamConfig(media::WmStreamConfig& config, std::uint16_t streamNumber,
                                    const std::string& streamName,
                                    const std::string& connectionName, std::uint32_t bitrate,
                                    const media::WmMediaType& type);

// Streams 2 to videoCount + 1 exclude each other by bitrate.
media::Result AddBitrateMutex(media::WmProfile& profile, std::uint16_t videoCount);

media::Result AddScriptStream(media::WmProfile& profile, std::uint16_t streamNumber,
                              std::uint32_t bitrate);

// A profile from its stored text form.
media::Result MapProfile(const std::string& text, std::shared_ptr<media::WmProfile>* out);

} // namespace caspari
