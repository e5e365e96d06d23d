#include "Timeline.h"

#include "internal/SourceAssets.h"

#include <algorithm>

namespace media {

Result TimelineSource::SetStartStop(ReferenceTime start, ReferenceTime stop) {
    if (start < 0 || stop < start) {
        return E_INVALIDARG;
    }
    start_ = start;
    stop_ = stop;
    return S_OK;
}

Result TimelineSource::SetMediaTimes(ReferenceTime mediaStart, ReferenceTime mediaStop) {
    if (mediaStart < 0 || mediaStop < mediaStart) {
        return E_INVALIDARG;
    }
    mediaStart_ = mediaStart;
    mediaStop_ = mediaStop;
    return S_OK;
}

Result TimelineSource::SetMediaName(const std::string& path) {
    if (path.empty()) {
        return E_INVALIDARG;
    }
    mediaName_ = path;
    return S_OK;
}

Result TimelineSource::SetStretchMode(int mode) {
    if (mode < static_cast<int>(StretchMode::Stretch) ||
        mode > static_cast<int>(StretchMode::PreserveAspect)) {
        return E_INVALIDARG;
    }
    stretchMode_ = static_cast<StretchMode>(mode);
    return S_OK;
}

Result TimelineTransition::SetStartStop(ReferenceTime start, ReferenceTime stop) {
    if (start < 0 || stop < start) {
        return E_INVALIDARG;
    }
    start_ = start;
    stop_ = stop;
    return S_OK;
}

Result TimelineTransition::SetSubObjectGUID(const std::string& guid) {
    if (guid.empty()) {
        return E_INVALIDARG;
    }
    guid_ = guid;
    return S_OK;
}

Result TimelineTransition::SetProperty(const std::string& name, int value) {
    if (name.empty()) {
        return E_INVALIDARG;
    }
    auto it = std::find_if(properties_.begin(), properties_.end(),
                           [&](const auto& property) { return property.first == name; });
    if (it != properties_.end()) {
        it->second = value;
    } else {
        properties_.emplace_back(name, value);
    }
    return S_OK;
}

int TimelineTransition::GetProperty(const std::string& name, int fallback) const {
    auto it = std::find_if(properties_.begin(), properties_.end(),
                           [&](const auto& property) { return property.first == name; });
    return it != properties_.end() ? it->second : fallback;
}

Result TimelineTrack::SrcAdd(std::shared_ptr<TimelineSource> source) {
    if (!source) {
        return E_POINTER;
    }
    sources_.push_back(std::move(source));
    return S_OK;
}

Result TimelineTrack::TransAdd(std::shared_ptr<TimelineTransition> transition) {
    if (!transition) {
        return E_POINTER;
    }
    transitions_.push_back(std::move(transition));
    return S_OK;
}

Result TimelineGroup::SetVideoMediaType(int width, int height) {
    if (width <= 0 || height <= 0 || width > kMaxFrameDimension || height > kMaxFrameDimension) {
        return E_INVALIDARG;
    }
    type_ = MajorType::Video;
    width_ = width;
    height_ = height;
    return S_OK;
}

Result TimelineGroup::SetAudioMediaType() {
    type_ = MajorType::Audio;
    width_ = 0;
    height_ = 0;
    return S_OK;
}

Result TimelineGroup::SetOutputFPS(double framesPerSecond) {
    const Fraction rate = FrameRateToFraction(framesPerSecond);
    if (rate.numerator <= 0) {
        return E_INVALIDARG;
    }
    frameRate_ = rate;
    return S_OK;
}

Result TimelineGroup::TrackInsBefore(std::shared_ptr<TimelineTrack> track, int position) {
    if (!track) {
        return E_POINTER;
    }
    if (position < -1 || position > static_cast<int>(tracks_.size())) {
        return E_INVALIDARG;
    }
    auto where = position == -1 ? tracks_.end() : tracks_.begin() + position;
    tracks_.insert(where, std::move(track));
    return S_OK;
}

Result Timeline::AddGroup(std::shared_ptr<TimelineGroup> group) {
    if (!group) {
        return E_POINTER;
    }
    if (group->majorType() != MajorType::Video && group->majorType() != MajorType::Audio) {
        return VFW_E_INVALID_MEDIA_TYPE;
    }
    groups_.push_back(std::move(group));
    return S_OK;
}

Result Timeline::ValidateSourceNames(std::vector<std::string>* missing) const {
    Result first = S_OK;
    for (const auto& group : groups_) {
        for (const auto& track : group->tracks()) {
            for (const auto& source : track->sources()) {
                Handle<GESAsset> asset;
                const Result result =
                    internal::RequestSourceAsset(source->mediaName(), asset, nullptr);
                if (Failed(result)) {
                    if (Succeeded(first)) {
                        first = result;
                    }
                    if (missing != nullptr) {
                        missing->push_back(source->mediaName());
                    }
                }
            }
        }
    }
    return first;
}

} // namespace media
