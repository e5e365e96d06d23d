#pragma once

// An editing timeline as plain data: groups (one output stream each: video or
// audio) hold tracks, tracks hold sources and transitions. A RenderEngine turns
// it into a running graph. Setters check their arguments and leave the node
// unchanged when they fail.

#include "FilterGraph.h"
#include "FrameRate.h"
#include "Result.h"

#include <memory>
#include <string>
#include <vector>

namespace media {

enum class StretchMode {
    Stretch = 0,        // fill the output frame, whatever the source's aspect ratio
    Crop = 1,           // reserved; rendered like PreserveAspect
    PreserveAspect = 2, // fit the frame keeping the aspect ratio, with borders
};

class TimelineSource {
public:
    // Position on the timeline, stop exclusive.
    Result SetStartStop(ReferenceTime start, ReferenceTime stop);
    // Part of the media played: from mediaStart on, for the timeline length. The
    // media stop is kept as given; a differing media length does not change speed.
    Result SetMediaTimes(ReferenceTime mediaStart, ReferenceTime mediaStop);
    Result SetMediaName(const std::string& path);
    Result SetStretchMode(int mode);

    ReferenceTime start() const { return start_; }
    ReferenceTime stop() const { return stop_; }
    ReferenceTime mediaStart() const { return mediaStart_; }
    ReferenceTime mediaStop() const { return mediaStop_; }
    const std::string& mediaName() const { return mediaName_; }
    StretchMode stretchMode() const { return stretchMode_; }

private:
    ReferenceTime start_ = 0;
    ReferenceTime stop_ = 0;
    ReferenceTime mediaStart_ = 0;
    ReferenceTime mediaStop_ = 0;
    std::string mediaName_;
    StretchMode stretchMode_ = StretchMode::Stretch;
};

class TimelineTransition {
public:
    Result SetStartStop(ReferenceTime start, ReferenceTime stop);
    // Class identifier of the effect, e.g. "{DE75D012-7A65-11D2-8CEA-00A0C9441E20}".
    Result SetSubObjectGUID(const std::string& guid);
    // Named integer properties of the effect; "MaskNum" selects the wipe pattern.
    Result SetProperty(const std::string& name, int value);
    // The property's value, or fallback when it was never set.
    int GetProperty(const std::string& name, int fallback) const;

    ReferenceTime start() const { return start_; }
    ReferenceTime stop() const { return stop_; }
    const std::string& subObjectGUID() const { return guid_; }

private:
    ReferenceTime start_ = 0;
    ReferenceTime stop_ = 0;
    std::string guid_;
    std::vector<std::pair<std::string, int>> properties_;
};

class TimelineTrack {
public:
    Result SrcAdd(std::shared_ptr<TimelineSource> source);
    Result TransAdd(std::shared_ptr<TimelineTransition> transition);

    const std::vector<std::shared_ptr<TimelineSource>>& sources() const { return sources_; }
    const std::vector<std::shared_ptr<TimelineTransition>>& transitions() const {
        return transitions_;
    }

private:
    std::vector<std::shared_ptr<TimelineSource>> sources_;
    std::vector<std::shared_ptr<TimelineTransition>> transitions_;
};

// The widest and highest video frame a timeline takes.
inline constexpr int kMaxFrameDimension = 16384;

class TimelineGroup {
public:
    // Uncompressed RGB24 frames of this size, each side 1 to kMaxFrameDimension.
    Result SetVideoMediaType(int width, int height);
    // 16-bit stereo PCM at 44100 Hz.
    Result SetAudioMediaType();
    Result SetOutputFPS(double framesPerSecond);
    // Inserts before position, or at the end for -1. Tracks earlier in the list lie on top.
    Result TrackInsBefore(std::shared_ptr<TimelineTrack> track, int position);

    MajorType majorType() const { return type_; }
    int width() const { return width_; }
    int height() const { return height_; }
    Fraction outputFrameRate() const { return frameRate_; }
    const std::vector<std::shared_ptr<TimelineTrack>>& tracks() const { return tracks_; }

private:
    MajorType type_ = MajorType::Unknown;
    int width_ = 0;
    int height_ = 0;
    Fraction frameRate_{15, 1};
    std::vector<std::shared_ptr<TimelineTrack>> tracks_;
};

class Timeline {
public:
    Result AddGroup(std::shared_ptr<TimelineGroup> group);
    int GetGroupCount() const { return static_cast<int>(groups_.size()); }
    const std::vector<std::shared_ptr<TimelineGroup>>& groups() const { return groups_; }

    // Checks that every source file exists and holds media that can be played.
    // S_OK when all do; otherwise the first failure, with the names that failed
    // in missing (when given).
    Result ValidateSourceNames(std::vector<std::string>* missing = nullptr) const;

private:
    std::vector<std::shared_ptr<TimelineGroup>> groups_;
};

} // namespace media
