#pragma once

// Windows Media profiles: which streams a Windows Media file holds, each with
// its number, names, bitrate and media type. The profile manager offers the
// formats of the installed Windows Media encoders as ready stream
// configurations; OutputBuilder's Windows Media writer encodes into the file
// as a profile describes it.

#include "Result.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace media {

enum class WmMajorType { Audio, Video, Script };
enum class WmFormatType { WaveFormatEx, VideoInfo, Script, Other };

// Format tag of Windows Media Audio 2 (WAVEFORMATEX wFormatTag).
constexpr std::uint16_t kWmaV2FormatTag = 0x0161;

// Four-character code as stored in a little-endian 32-bit field ("WMV2").
constexpr std::uint32_t MakeFourCC(const char (&code)[5]) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(code[0])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(code[1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(code[2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(code[3])) << 24;
}
std::string FourCCToString(std::uint32_t fourcc);

struct WmWaveFormat {
    std::uint16_t wFormatTag = 0;
    std::uint16_t nChannels = 0;
    std::uint32_t nSamplesPerSec = 0;
    std::uint32_t nAvgBytesPerSec = 0;
    std::uint16_t nBlockAlign = 0;
    std::uint16_t wBitsPerSample = 0;
    std::uint16_t cbSize = 0; // size of extra
    std::vector<std::uint8_t> extra;
};

// Bits per second of an audio format. Taken in 64 bits: eight times a 32-bit
// byte rate does not fit in 32.
constexpr std::uint64_t BitsPerSecond(const WmWaveFormat& wave) {
    return std::uint64_t{wave.nAvgBytesPerSec} * 8;
}
// The largest byte rate whose bits per second a stream's 32-bit bitrate holds;
// a loaded profile stating more is refused.
inline constexpr std::uint32_t kMaxWaveBytesPerSecond = 0xFFFFFFFFu / 8;

struct WmRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

struct WmBitmapInfoHeader {
    std::int32_t biWidth = 0;
    std::int32_t biHeight = 0;
    std::uint16_t biPlanes = 1;
    std::uint16_t biBitCount = 24;
    std::uint32_t biCompression = 0; // four-character code
    std::uint32_t biSizeImage = 0;
};

struct WmVideoInfoHeader {
    WmRect rcSource;
    WmRect rcTarget;
    std::uint32_t dwBitRate = 0;
    std::uint32_t dwBitErrorRate = 0;
    std::int64_t AvgTimePerFrame = 0; // 100-ns units
    WmBitmapInfoHeader bmiHeader;
};

// Script streams carry pairs of strings (type and command).
using WmScriptType = std::array<std::uint8_t, 16>;
extern const WmScriptType kWmScriptTypeTwoStrings;
struct WmScriptFormat {
    WmScriptType scriptType{};
};

using WmFormatBlock = std::variant<std::monostate, WmWaveFormat, WmVideoInfoHeader, WmScriptFormat>;

struct WmMediaType {
    WmMajorType majorType = WmMajorType::Audio;
    std::uint32_t subtype = 0; // first 32 bits: format tag or four-character code
    bool fixedSizeSamples = false;
    bool temporalCompression = false;
    std::uint32_t sampleSize = 0;
    WmFormatType formatType = WmFormatType::Other;
    WmFormatBlock format;

    // Size of the format block as stored in a file (18 + cbSize for a wave format).
    std::uint32_t FormatSize() const;
    const WmWaveFormat* Wave() const { return std::get_if<WmWaveFormat>(&format); }
    const WmVideoInfoHeader* Video() const { return std::get_if<WmVideoInfoHeader>(&format); }
};

// One stream of a profile. Copies are independent.
class WmStreamConfig {
public:
    explicit WmStreamConfig(WmMajorType type) : type_(type) {}

    WmMajorType MajorType() const { return type_; }

    // 1 to 63; E_INVALIDARG otherwise.
    Result SetStreamNumber(std::uint16_t number);
    std::uint16_t StreamNumber() const { return number_; }
    Result SetStreamName(const std::string& name);
    const std::string& StreamName() const { return name_; }
    Result SetConnectionName(const std::string& name);
    const std::string& ConnectionName() const { return connection_; }
    Result SetBitrate(std::uint32_t bitsPerSecond);
    std::uint32_t Bitrate() const { return bitrate_; }

    // E_INVALIDARG when the type's major type is not the stream's, or its
    // format block does not match its format type.
    Result SetMediaType(const WmMediaType& type);
    Result GetMediaType(WmMediaType& type) const;
    bool HasMediaType() const { return hasType_; }

    // Video only (E_INVALIDARG for other streams): quality 0-100, the longest
    // time between key frames in 100-ns units.
    Result SetQuality(std::uint32_t quality);
    std::uint32_t Quality() const { return quality_; }
    Result SetMaxKeyFrameSpacing(std::int64_t units);
    std::int64_t MaxKeyFrameSpacing() const { return keyFrameSpacing_; }

private:
    WmMajorType type_;
    std::uint16_t number_ = 0;
    std::string name_;
    std::string connection_;
    std::uint32_t bitrate_ = 0;
    bool hasType_ = false;
    WmMediaType mediaType_;
    std::uint32_t quality_ = 0;
    std::int64_t keyFrameSpacing_ = 0;
};

enum class WmExclusionType { Bitrate, Language, Presentation, Unknown };

// Streams of which a reader plays only one (for bitrate: the one that fits).
class WmMutualExclusion {
public:
    Result SetType(WmExclusionType type);
    WmExclusionType Type() const { return type_; }
    // E_INVALIDARG for numbers outside 1-63 or already listed.
    Result AddStream(std::uint16_t number);
    const std::vector<std::uint16_t>& Streams() const { return streams_; }

private:
    WmExclusionType type_ = WmExclusionType::Unknown;
    std::vector<std::uint16_t> streams_;
};

class WmProfile {
public:
    explicit WmProfile(std::uint32_t version) : version_(version) {}

    std::uint32_t Version() const { return version_; }
    Result SetName(const std::string& name);
    const std::string& GetName() const { return name_; }

    // A new stream configuration of the type, not yet part of the profile.
    Result CreateNewStream(WmMajorType type, std::shared_ptr<WmStreamConfig>& config) const;
    // Adds a copy. E_INVALIDARG when the stream has no valid number, no media
    // type, or a number already used.
    Result AddStream(const WmStreamConfig& config);
    const std::vector<WmStreamConfig>& Streams() const { return streams_; }
    // The stream with that number, or null.
    const WmStreamConfig* StreamByNumber(std::uint16_t number) const;

    Result CreateNewMutualExclusion(std::shared_ptr<WmMutualExclusion>& exclusion) const;
    // Adds a copy. E_INVALIDARG when it names fewer than two streams, a stream
    // the profile lacks, or has no type.
    Result AddMutualExclusion(const WmMutualExclusion& exclusion);
    const std::vector<WmMutualExclusion>& MutualExclusions() const { return exclusions_; }

private:
    std::uint32_t version_;
    std::string name_;
    std::vector<WmStreamConfig> streams_;
    std::vector<WmMutualExclusion> exclusions_;
};

// Text form of a profile that LoadProfileByData reads back.
std::string ProfileToText(const WmProfile& profile);

class WmProfileManager {
public:
    // Brings the framework up if needed and reads which Windows Media encoders
    // are installed.
    static Result Create(std::shared_ptr<WmProfileManager>& manager);

    struct Codec {
        std::string encoder; // element factory name
        std::vector<WmMediaType> formats;
    };
    // A manager offering the given codec lists instead of the installed ones,
    // for code that chooses among formats.
    static std::shared_ptr<WmProfileManager> WithCodecs(std::vector<Codec> audio,
                                                        std::vector<Codec> video);

    Result CreateEmptyProfile(std::uint32_t version, std::shared_ptr<WmProfile>& profile) const;
    // Reads the text form of ProfileToText/SaveProfileToText; anything else is
    // refused with E_INVALIDARG and profile is left alone.
    Result LoadProfileByData(const std::string& text, std::shared_ptr<WmProfile>& profile) const;
    Result SaveProfileToText(const WmProfile& profile, std::string& text) const;

    // Installed encoders of the major type in a fixed order, and the formats
    // each produces. Out-of-range indexes give E_INVALIDARG.
    Result GetCodecInfoCount(WmMajorType type, std::uint32_t& count) const;
    Result GetCodecFormatCount(WmMajorType type, std::uint32_t codec, std::uint32_t& count) const;
    // A stream configuration holding the format's media type and bitrate.
    Result GetCodecFormat(WmMajorType type, std::uint32_t codec, std::uint32_t format,
                          std::shared_ptr<WmStreamConfig>& config) const;

private:
    const std::vector<Codec>* CodecsOf(WmMajorType type) const;

    std::vector<Codec> audio_;
    std::vector<Codec> video_;
};

} // namespace media
