#include "internal/WmFormats.h"

#include "Handle.h"

#include <gst/gst.h>

#include <algorithm>

namespace media::internal {

namespace {

struct AudioFormatRow {
    std::uint32_t sampleRate;
    std::uint16_t channels;
    std::vector<std::uint32_t> kilobits;
};

// What the audio encoder accepts: up to 48 kHz, one or two channels, at least
// 24 kbit/s, and at low rates not so many bits that a packet overflows. The
// encoding tests run one clip per rate and channel count through it.
const std::vector<AudioFormatRow>& AudioFormatRows() {
    static const std::vector<AudioFormatRow> rows = {
        {48000, 2, {320, 256, 192, 160, 128, 96, 80, 64, 48, 32}},
        {48000, 1, {160, 128, 96, 80, 64, 48, 32}},
        {44100, 2, {320, 256, 192, 160, 128, 96, 80, 64, 48, 32}},
        {44100, 1, {160, 128, 96, 80, 64, 48, 32}},
        {32000, 2, {192, 160, 128, 96, 80, 64, 48, 32}},
        {32000, 1, {96, 64, 48, 32}},
        {22050, 2, {96, 80, 64, 48, 32}},
        {22050, 1, {48, 32, 24}},
        {16000, 2, {64, 48, 32, 24}},
        {16000, 1, {32, 24}},
        {11025, 2, {32, 24}},
        {11025, 1, {24}},
        {8000, 2, {24}},
        {8000, 1, {24}},
    };
    return rows;
}

// The audio encoder's frame length by sample rate (version 2 of the codec).
std::uint32_t WmaFrameLength(std::uint32_t sampleRate) {
    if (sampleRate <= 16000) {
        return 512;
    }
    if (sampleRate <= 22050) {
        return 1024;
    }
    return 2048;
}

// The codec private data the audio encoder writes: 32-bit flags1 = 0, 16-bit
// flags2 = 1 (exponents coded with VLC), four bytes of zero.
const std::vector<std::uint8_t> kWmaV2Extra = {0, 0, 0, 0, 1, 0, 0, 0, 0, 0};

constexpr std::int32_t kDefaultWidth = 320;
constexpr std::int32_t kDefaultHeight = 240;
constexpr std::int64_t kDefaultTimePerFrame = 333333; // 30 fps
constexpr std::uint32_t kDefaultVideoBitrate = 300000;

bool EncoderInstalled(const char* factory) {
    const auto found = Handle<GstElementFactory>::Adopt(gst_element_factory_find(factory));
    return static_cast<bool>(found);
}

} // namespace

const std::vector<WmCodecEntry>& KnownWmCodecs() {
    static const std::vector<WmCodecEntry> codecs = {
        {"avenc_wmav2", WmMajorType::Audio, kWmaV2FormatTag},
        {"avenc_wmv2", WmMajorType::Video, MakeFourCC("WMV2")},
        {"avenc_wmv1", WmMajorType::Video, MakeFourCC("WMV1")},
    };
    return codecs;
}

std::uint16_t WmaBlockAlign(std::uint32_t bitsPerSecond, std::uint32_t sampleRate) {
    if (sampleRate == 0) {
        return 0;
    }
    const std::uint64_t bytes =
        std::uint64_t{bitsPerSecond} * WmaFrameLength(sampleRate) / (std::uint64_t{sampleRate} * 8);
    return static_cast<std::uint16_t>(std::min<std::uint64_t>(bytes, 0xFFFF));
}

WmMediaType WmaFormat(std::uint32_t sampleRate, std::uint16_t channels,
                      std::uint32_t bitsPerSecond) {
    WmWaveFormat wave;
    wave.wFormatTag = kWmaV2FormatTag;
    wave.nChannels = channels;
    wave.nSamplesPerSec = sampleRate;
    wave.nAvgBytesPerSec = bitsPerSecond / 8;
    wave.nBlockAlign = WmaBlockAlign(bitsPerSecond, sampleRate);
    wave.wBitsPerSample = 16;
    wave.extra = kWmaV2Extra;
    wave.cbSize = static_cast<std::uint16_t>(wave.extra.size());

    WmMediaType type;
    type.majorType = WmMajorType::Audio;
    type.subtype = kWmaV2FormatTag;
    type.fixedSizeSamples = true;
    type.temporalCompression = false;
    type.sampleSize = wave.nBlockAlign;
    type.formatType = WmFormatType::WaveFormatEx;
    type.format = std::move(wave);
    return type;
}

WmMediaType WmvFormat(std::uint32_t fourcc) {
    WmVideoInfoHeader info;
    info.rcSource = {0, 0, kDefaultWidth, kDefaultHeight};
    info.rcTarget = info.rcSource;
    info.dwBitRate = kDefaultVideoBitrate;
    info.AvgTimePerFrame = kDefaultTimePerFrame;
    info.bmiHeader.biWidth = kDefaultWidth;
    info.bmiHeader.biHeight = kDefaultHeight;
    info.bmiHeader.biCompression = fourcc;

    WmMediaType type;
    type.majorType = WmMajorType::Video;
    type.subtype = fourcc;
    type.fixedSizeSamples = false;
    type.temporalCompression = true;
    type.sampleSize = 0;
    type.formatType = WmFormatType::VideoInfo;
    type.format = info;
    return type;
}

std::vector<WmProfileManager::Codec> InstalledWmCodecs(WmMajorType type) {
    std::vector<WmProfileManager::Codec> codecs;
    for (const WmCodecEntry& entry : KnownWmCodecs()) {
        if (entry.type != type || !EncoderInstalled(entry.encoder)) {
            continue;
        }
        WmProfileManager::Codec codec{entry.encoder, {}};
        if (type == WmMajorType::Audio) {
            for (const AudioFormatRow& row : AudioFormatRows()) {
                for (const std::uint32_t kilobits : row.kilobits) {
                    codec.formats.push_back(
                        WmaFormat(row.sampleRate, row.channels, kilobits * 1000));
                }
            }
        } else {
            codec.formats.push_back(WmvFormat(entry.subtype));
        }
        codecs.push_back(std::move(codec));
    }
    return codecs;
}

std::string WmEncoderFor(const WmMediaType& type) {
    for (const WmCodecEntry& entry : KnownWmCodecs()) {
        if (entry.type == type.majorType && entry.subtype == type.subtype) {
            return entry.encoder;
        }
    }
    return {};
}

} // namespace media::internal
