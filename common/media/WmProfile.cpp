#include "WmProfile.h"

#include "MediaInit.h"
#include "internal/WmFormats.h"

#include <algorithm>

namespace media {

namespace {

constexpr std::uint16_t kMaxStreamNumber = 63;
constexpr std::uint32_t kMaxQuality = 100;
constexpr std::uint32_t kWaveFormatSize = 18;
constexpr std::uint32_t kVideoInfoSize = 88;
constexpr std::uint32_t kScriptFormatSize = 16;

bool FormatMatchesType(const WmMediaType& type) {
    switch (type.formatType) {
    case WmFormatType::WaveFormatEx: {
        const WmWaveFormat* wave = type.Wave();
        return wave != nullptr && wave->cbSize == wave->extra.size();
    }
    case WmFormatType::VideoInfo:
        return type.Video() != nullptr;
    case WmFormatType::Script:
        return std::holds_alternative<WmScriptFormat>(type.format);
    case WmFormatType::Other:
        return std::holds_alternative<std::monostate>(type.format);
    }
    return false;
}

} // namespace

const WmScriptType kWmScriptTypeTwoStrings = {'T', 'w', 'o', 'S', 't', 'r', 'i', 'n',
                                              'g', 's', 'S', 'c', 'r', 'i', 'p', 't'};

std::string FourCCToString(std::uint32_t fourcc) {
    std::string text(4, ' ');
    for (int i = 0; i < 4; ++i) {
        text[i] = static_cast<char>((fourcc >> (8 * i)) & 0xFF);
    }
    return text;
}

std::uint32_t WmMediaType::FormatSize() const {
    switch (formatType) {
    case WmFormatType::WaveFormatEx:
        return kWaveFormatSize + (Wave() != nullptr ? Wave()->cbSize : 0);
    case WmFormatType::VideoInfo:
        return kVideoInfoSize;
    case WmFormatType::Script:
        return kScriptFormatSize;
    case WmFormatType::Other:
        return 0;
    }
    return 0;
}

Result WmStreamConfig::SetStreamNumber(std::uint16_t number) {
    if (number == 0 || number > kMaxStreamNumber) {
        return E_INVALIDARG;
    }
    number_ = number;
    return S_OK;
}

Result WmStreamConfig::SetStreamName(const std::string& name) {
    name_ = name;
    return S_OK;
}

Result WmStreamConfig::SetConnectionName(const std::string& name) {
    connection_ = name;
    return S_OK;
}

Result WmStreamConfig::SetBitrate(std::uint32_t bitsPerSecond) {
    bitrate_ = bitsPerSecond;
    return S_OK;
}

Result WmStreamConfig::SetMediaType(const WmMediaType& type) {
    if (type.majorType != type_ || !FormatMatchesType(type)) {
        return E_INVALIDARG;
    }
    mediaType_ = type;
    hasType_ = true;
    return S_OK;
}

Result WmStreamConfig::GetMediaType(WmMediaType& type) const {
    if (!hasType_) {
        return E_UNEXPECTED;
    }
    type = mediaType_;
    return S_OK;
}

Result WmStreamConfig::SetQuality(std::uint32_t quality) {
    if (type_ != WmMajorType::Video || quality > kMaxQuality) {
        return E_INVALIDARG;
    }
    quality_ = quality;
    return S_OK;
}

Result WmStreamConfig::SetMaxKeyFrameSpacing(std::int64_t units) {
    if (type_ != WmMajorType::Video || units < 0) {
        return E_INVALIDARG;
    }
    keyFrameSpacing_ = units;
    return S_OK;
}

Result WmMutualExclusion::SetType(WmExclusionType type) {
    if (type == WmExclusionType::Unknown) {
        return E_INVALIDARG;
    }
    type_ = type;
    return S_OK;
}

Result WmMutualExclusion::AddStream(std::uint16_t number) {
    if (number == 0 || number > kMaxStreamNumber) {
        return E_INVALIDARG;
    }
    for (const std::uint16_t listed : streams_) {
        if (listed == number) {
            return E_INVALIDARG;
        }
    }
    streams_.push_back(number);
    return S_OK;
}

Result WmProfile::SetName(const std::string& name) {
    name_ = name;
    return S_OK;
}

Result WmProfile::CreateNewStream(WmMajorType type, std::shared_ptr<WmStreamConfig>& config) const {
    config = std::make_shared<WmStreamConfig>(type);
    return S_OK;
}

Result WmProfile::AddStream(const WmStreamConfig& config) {
    if (config.StreamNumber() == 0 || !config.HasMediaType() ||
        StreamByNumber(config.StreamNumber()) != nullptr) {
        return E_INVALIDARG;
    }
    streams_.push_back(config);
    return S_OK;
}

const WmStreamConfig* WmProfile::StreamByNumber(std::uint16_t number) const {
    for (const WmStreamConfig& stream : streams_) {
        if (stream.StreamNumber() == number) {
            return &stream;
        }
    }
    return nullptr;
}

Result WmProfile::CreateNewMutualExclusion(std::shared_ptr<WmMutualExclusion>& exclusion) const {
    exclusion = std::make_shared<WmMutualExclusion>();
    return S_OK;
}

Result WmProfile::AddMutualExclusion(const WmMutualExclusion& exclusion) {
    if (exclusion.Type() == WmExclusionType::Unknown || exclusion.Streams().size() < 2) {
        return E_INVALIDARG;
    }
    for (const std::uint16_t number : exclusion.Streams()) {
        if (StreamByNumber(number) == nullptr) {
            return E_INVALIDARG;
        }
    }
    exclusions_.push_back(exclusion);
    return S_OK;
}

Result WmProfileManager::Create(std::shared_ptr<WmProfileManager>& manager) {
    const Result result = Initialize();
    if (Failed(result)) {
        return result;
    }
    auto created = std::make_shared<WmProfileManager>();
    created->audio_ = internal::InstalledWmCodecs(WmMajorType::Audio);
    created->video_ = internal::InstalledWmCodecs(WmMajorType::Video);
    manager = std::move(created);
    return S_OK;
}

std::shared_ptr<WmProfileManager> WmProfileManager::WithCodecs(std::vector<Codec> audio,
                                                               std::vector<Codec> video) {
    auto manager = std::make_shared<WmProfileManager>();
    manager->audio_ = std::move(audio);
    manager->video_ = std::move(video);
    return manager;
}

Result WmProfileManager::CreateEmptyProfile(std::uint32_t version,
                                            std::shared_ptr<WmProfile>& profile) const {
    profile = std::make_shared<WmProfile>(version);
    return S_OK;
}

Result WmProfileManager::SaveProfileToText(const WmProfile& profile, std::string& text) const {
    text = ProfileToText(profile);
    return S_OK;
}

const std::vector<WmProfileManager::Codec>* WmProfileManager::CodecsOf(WmMajorType type) const {
    switch (type) {
    case WmMajorType::Audio:
        return &audio_;
    case WmMajorType::Video:
        return &video_;
    case WmMajorType::Script:
        return nullptr;
    }
    return nullptr;
}

Result WmProfileManager::GetCodecInfoCount(WmMajorType type, std::uint32_t& count) const {
    const std::vector<Codec>* codecs = CodecsOf(type);
    if (codecs == nullptr) {
        return E_INVALIDARG;
    }
    count = static_cast<std::uint32_t>(codecs->size());
    return S_OK;
}

Result WmProfileManager::GetCodecFormatCount(WmMajorType type, std::uint32_t codec,
                                             std::uint32_t& count) const {
    const std::vector<Codec>* codecs = CodecsOf(type);
    if (codecs == nullptr || codec >= codecs->size()) {
        return E_INVALIDARG;
    }
    count = static_cast<std::uint32_t>((*codecs)[codec].formats.size());
    return S_OK;
}

Result WmProfileManager::GetCodecFormat(WmMajorType type, std::uint32_t codec, std::uint32_t format,
                                        std::shared_ptr<WmStreamConfig>& config) const {
    const std::vector<Codec>* codecs = CodecsOf(type);
    if (codecs == nullptr || codec >= codecs->size() || format >= (*codecs)[codec].formats.size()) {
        return E_INVALIDARG;
    }
    const WmMediaType& mediaType = (*codecs)[codec].formats[format];
    auto created = std::make_shared<WmStreamConfig>(type);
    Result result = created->SetMediaType(mediaType);
    if (const WmWaveFormat* wave = mediaType.Wave(); Succeeded(result) && wave != nullptr) {
        result = created->SetBitrate(
            static_cast<std::uint32_t>(std::min<std::uint64_t>(BitsPerSecond(*wave), 0xFFFFFFFFu)));
    } else if (const WmVideoInfoHeader* video = mediaType.Video();
               Succeeded(result) && video != nullptr) {
        result = created->SetBitrate(video->dwBitRate);
    }
    if (Failed(result)) {
        return result;
    }
    config = std::move(created);
    return S_OK;
}

} // namespace media
