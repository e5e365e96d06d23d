#include "RenderEngine.h"

#include "MediaInit.h"
#include "internal/GstUtil.h"
#include "internal/OutputCaps.h"
#include "internal/SourceAssets.h"

#include <ges/ges.h>

#include <algorithm>
#include <vector>

namespace media {

using internal::UnitsToNanoseconds;

struct RenderEngine::Impl {
    std::shared_ptr<Timeline> timeline;
    Handle<GESTimeline> gesTimeline;
    std::vector<Handle<GstPad>> outputPins;
    std::shared_ptr<FilterGraph> graph;
    std::string lastErrorText;
    bool needsMixing = false; // of the track being built

    Result Build();
    Result AddTrack(const TimelineGroup& group);
    Result AddLayer(const TimelineGroup& group, const TimelineTrack& track, GESTrack* gesTrack);
    Result AddSource(GESLayer* layer, GESTrack* gesTrack, const TimelineGroup& group,
                     const TimelineSource& source);
    void AddTransition(GESLayer* layer, const TimelineGroup& group,
                       const TimelineTransition& transition);
    void Discard();
};

namespace {

// Class identifier of the wipe effect whose "MaskNum" property picks one of the
// standard wipe patterns; the same numbers as the framework's transition types.
constexpr const char* kWipeTransitionGuid = "{DE75D012-7A65-11D2-8CEA-00A0C9441E20}";

GESTrackType TrackTypeOf(const TimelineGroup& group) {
    return group.majorType() == MajorType::Video ? GES_TRACK_TYPE_VIDEO : GES_TRACK_TYPE_AUDIO;
}

GESVideoStandardTransitionType TransitionTypeOf(const TimelineTransition& transition) {
    if (g_ascii_strcasecmp(transition.subObjectGUID().c_str(), kWipeTransitionGuid) == 0) {
        const int mask = transition.GetProperty("MaskNum", 1);
        auto* enumClass =
            static_cast<GEnumClass*>(g_type_class_ref(GES_VIDEO_STANDARD_TRANSITION_TYPE_TYPE));
        const bool known = g_enum_get_value(enumClass, mask) != nullptr;
        g_type_class_unref(enumClass);
        if (known && mask != GES_VIDEO_STANDARD_TRANSITION_TYPE_NONE) {
            return static_cast<GESVideoStandardTransitionType>(mask);
        }
    }
    return GES_VIDEO_STANDARD_TRANSITION_TYPE_CROSSFADE;
}

// Places the source's picture in the output frame. Returns whether that takes
// the mixer: without it each picture is scaled to fit the frame with borders.
bool ApplyStretchMode(GESClip* clip, GESTrack* track, const TimelineGroup& group,
                      StretchMode mode) {
    auto element = Handle<GESTrackElement>::Adopt(
        ges_clip_find_track_element(clip, track, GES_TYPE_VIDEO_SOURCE));
    if (!element) {
        return false;
    }
    const int frameWidth = group.width();
    const int frameHeight = group.height();
    int width = frameWidth;
    int height = frameHeight;
    gint naturalWidth = 0;
    gint naturalHeight = 0;
    const bool known = ges_video_source_get_natural_size(GES_VIDEO_SOURCE(element.get()),
                                                         &naturalWidth, &naturalHeight) &&
                       naturalWidth > 0 && naturalHeight > 0;
    const bool sameShape = known && static_cast<gint64>(naturalWidth) * frameHeight ==
                                        static_cast<gint64>(naturalHeight) * frameWidth;
    if (mode != StretchMode::Stretch && known) {
        // Scale to the tighter side; the other gets borders on both ends.
        if (static_cast<gint64>(naturalWidth) * frameHeight >
            static_cast<gint64>(naturalHeight) * frameWidth) {
            height =
                static_cast<int>(static_cast<gint64>(frameWidth) * naturalHeight / naturalWidth);
        } else {
            width =
                static_cast<int>(static_cast<gint64>(frameHeight) * naturalWidth / naturalHeight);
        }
    }
    ges_timeline_element_set_child_properties(
        GES_TIMELINE_ELEMENT(element.get()), "posx", (frameWidth - width) / 2, "posy",
        (frameHeight - height) / 2, "width", width, "height", height, nullptr);
    return mode == StretchMode::Stretch && !sameShape;
}

// Queues inside the timeline's sources are sized for playback. A conversion
// reads the files as fast as the encoder takes frames, so each queue fills up:
// - a decoder's packet queues are bounded by 8 MB only (their buffer count is
//   raised whenever a sparse stream such as subtitles runs empty): 20 s of this
//   kind of 720p video, and each queued audio packet pins the whole block of
//   the file it was read in, so the audio queue kept most of the file. The
//   decoder applies this time bound once its streams are set up.
// - the queue behind each video decoder held up to 10 MB of raw frames; three
//   keep the decoding and the encoding threads busy.
constexpr guint64 kDecoderQueueTime = GST_SECOND;
constexpr guint kDecodedQueueBuffers = 3;

void BoundSourceQueues(GstBin*, GstBin*, GstElement* element, gpointer) {
    GstElementFactory* factory = gst_element_get_factory(element);
    const gchar* name =
        factory != nullptr ? gst_plugin_feature_get_name(GST_PLUGIN_FEATURE(factory)) : nullptr;
    if (g_strcmp0(name, "decodebin") == 0) {
        g_object_set(element, "max-size-time", kDecoderQueueTime, nullptr);
    } else if (g_strcmp0(name, "queue") == 0) {
        g_object_set(element, "max-size-buffers", kDecodedQueueBuffers, nullptr);
    }
}

// Whether any source covers part of the timeline. Without one every track is
// empty, and the timeline's graph would run without ever ending its streams.
bool HasSomethingToRender(const Timeline& timeline) {
    for (const auto& group : timeline.groups()) {
        for (const auto& track : group->tracks()) {
            for (const auto& source : track->sources()) {
                if (source->stop() > source->start()) {
                    return true;
                }
            }
        }
    }
    return false;
}

} // namespace

Result RenderEngine::Impl::AddSource(GESLayer* layer, GESTrack* gesTrack,
                                     const TimelineGroup& group, const TimelineSource& source) {
    if (source.stop() <= source.start()) {
        return S_FALSE; // nothing to play
    }
    Handle<GESAsset> asset;
    Result result = internal::RequestSourceAsset(source.mediaName(), asset, &lastErrorText);
    if (Failed(result)) {
        return result;
    }
    GError* rawError = nullptr;
    GESClip* clip = ges_layer_add_asset_full(layer, asset.get(), UnitsToNanoseconds(source.start()),
                                             UnitsToNanoseconds(source.mediaStart()),
                                             UnitsToNanoseconds(source.stop() - source.start()),
                                             TrackTypeOf(group), &rawError);
    internal::ErrorPtr error(rawError);
    if (clip == nullptr) {
        if (error) {
            lastErrorText = error->message;
        }
        return VFW_E_CANNOT_RENDER;
    }
    auto inTrack = Handle<GESTrackElement>::Adopt(
        ges_clip_find_track_element(clip, gesTrack, GES_TYPE_SOURCE));
    if (!inTrack) {
        if (group.majorType() == MajorType::Video) {
            return VFW_E_NO_VIDEO_STREAM;
        }
        // A clip without sound leaves its span of the audio group silent: the
        // track fills what no clip covers, so the file keeps its audio stream.
        ges_layer_remove_clip(layer, clip);
        return S_FALSE;
    }
    if (group.majorType() == MajorType::Video &&
        ApplyStretchMode(clip, gesTrack, group, source.stretchMode())) {
        needsMixing = true;
    }
    return S_OK;
}

void RenderEngine::Impl::AddTransition(GESLayer* layer, const TimelineGroup& group,
                                       const TimelineTransition& transition) {
    // Zero-length transitions stay data only; the framework renders a transition
    // where two clips overlap and refuses one that lies elsewhere.
    if (transition.stop() <= transition.start()) {
        return;
    }
    auto clip = Handle<GESTransitionClip>::AdoptFloating(
        ges_transition_clip_new(TransitionTypeOf(transition)));
    if (!clip) {
        return;
    }
    ges_clip_set_supported_formats(GES_CLIP(clip.get()), TrackTypeOf(group));
    ges_timeline_element_set_start(GES_TIMELINE_ELEMENT(clip.get()),
                                   UnitsToNanoseconds(transition.start()));
    ges_timeline_element_set_duration(GES_TIMELINE_ELEMENT(clip.get()),
                                      UnitsToNanoseconds(transition.stop() - transition.start()));
    needsMixing = true;
    if (!ges_layer_add_clip(layer, GES_CLIP(clip.get()))) {
        GST_INFO("transition %s at %" G_GINT64_FORMAT " has no overlap to render",
                 transition.subObjectGUID().c_str(), transition.start());
    }
}

Result RenderEngine::Impl::AddLayer(const TimelineGroup& group, const TimelineTrack& track,
                                    GESTrack* gesTrack) {
    GESLayer* layer = ges_timeline_append_layer(gesTimeline.get());
    if (layer == nullptr) {
        return E_OUTOFMEMORY;
    }
    for (const auto& source : track.sources()) {
        const Result result = AddSource(layer, gesTrack, group, *source);
        if (Failed(result)) {
            return result;
        }
    }
    for (const auto& transition : track.transitions()) {
        AddTransition(layer, group, *transition);
    }
    return S_OK;
}

Result RenderEngine::Impl::AddTrack(const TimelineGroup& group) {
    Handle<GESTrack> track;
    Handle<GstCaps> restriction;
    if (group.majorType() == MajorType::Video) {
        track = Handle<GESTrack>::AdoptFloating(GES_TRACK(ges_video_track_new()));
        // The pixel format stays open so an encoder receives frames in the format
        // it takes without an extra conversion; uncompressed output gets RGB24
        // where it leaves the graph (see UncompressedCaps below).
        const Fraction rate = group.outputFrameRate();
        restriction = Handle<GstCaps>::Adopt(gst_caps_new_simple(
            "video/x-raw", "width", G_TYPE_INT, group.width(), "height", G_TYPE_INT, group.height(),
            "framerate", GST_TYPE_FRACTION, rate.numerator, rate.denominator, "pixel-aspect-ratio",
            GST_TYPE_FRACTION, 1, 1, nullptr));
    } else {
        track = Handle<GESTrack>::AdoptFloating(GES_TRACK(ges_audio_track_new()));
        restriction = Handle<GstCaps>::Adopt(gst_caps_new_simple(
            "audio/x-raw", "rate", G_TYPE_INT, 44100, "channels", G_TYPE_INT, 2, nullptr));
    }
    if (!track || !restriction) {
        return E_OUTOFMEMORY;
    }
    ges_track_set_restriction_caps(track.get(), restriction.get());
    if (!ges_timeline_add_track(gesTimeline.get(), track.get())) {
        return E_FAIL;
    }
    needsMixing = group.tracks().size() > 1;
    for (const auto& timelineTrack : group.tracks()) {
        const Result result = AddLayer(group, *timelineTrack, track.get());
        if (Failed(result)) {
            return result;
        }
    }
    // The mixer composites every frame, also when nothing overlaps. Without
    // overlaps, transitions or stretched pictures there is nothing to mix, and
    // leaving it out saves a copy and blend of each frame.
    ges_track_set_mixing(track.get(), needsMixing);
    auto pin = Handle<GstPad>::Ref(ges_timeline_get_pad_for_track(gesTimeline.get(), track.get()));
    if (!pin) {
        return E_FAIL;
    }
    // Written without a compressor, a group's stream takes the group's media
    // type. RGB24 frames are stored blue-green-red in the files that take them;
    // the multiplexer picks the byte order it needs.
    const char* uncompressed = group.majorType() == MajorType::Video
                                   ? "video/x-raw, format=(string){ BGR, RGB }"
                                   : "audio/x-raw, format=(string)S16LE";
    internal::SetUncompressedCaps(pin.get(),
                                  Handle<GstCaps>::Adopt(gst_caps_from_string(uncompressed)));
    outputPins.push_back(std::move(pin));
    return S_OK;
}

Result RenderEngine::Impl::Build() {
    lastErrorText.clear();
    gesTimeline = Handle<GESTimeline>::AdoptFloating(ges_timeline_new());
    if (!gesTimeline) {
        return E_OUTOFMEMORY;
    }
    g_signal_connect(gesTimeline.get(), "deep-element-added", G_CALLBACK(BoundSourceQueues),
                     nullptr);
    for (const auto& group : timeline->groups()) {
        const Result result = AddTrack(*group);
        if (Failed(result)) {
            return result;
        }
    }
    ges_timeline_commit(gesTimeline.get());
    auto pipeline = Handle<GstElement>::AdoptFloating(gst_pipeline_new("render"));
    if (!pipeline || !gst_bin_add(GST_BIN(pipeline.get()), GST_ELEMENT(gesTimeline.get()))) {
        return E_FAIL;
    }
    graph = FilterGraph::Wrap(std::move(pipeline));
    return graph ? S_OK : E_FAIL;
}

void RenderEngine::Impl::Discard() {
    // The graph stops its pipeline when the last user lets go of it; the pins
    // go after it so the timeline is never left with pads dropped mid-stream.
    // Only then is the memory of its frames free to hand back.
    const bool hadGraph = graph != nullptr;
    graph.reset();
    outputPins.clear();
    gesTimeline.reset();
    if (hadGraph) {
        ReleaseFreedMemory();
    }
}

RenderEngine::RenderEngine() : impl_(std::make_unique<Impl>()) {}

RenderEngine::~RenderEngine() {
    impl_->Discard();
}

Result RenderEngine::SetTimelineObject(std::shared_ptr<Timeline> timeline) {
    if (!timeline) {
        return E_POINTER;
    }
    impl_->Discard();
    impl_->timeline = std::move(timeline);
    return S_OK;
}

Result RenderEngine::ConnectFrontEnd() {
    if (!impl_->timeline) {
        return E_UNEXPECTED;
    }
    if (impl_->timeline->GetGroupCount() == 0) {
        return E_INVALIDARG;
    }
    impl_->Discard();
    if (!HasSomethingToRender(*impl_->timeline)) {
        impl_->lastErrorText = "The timeline holds nothing to render";
        return E_INVALIDARG;
    }
    const Result result = impl_->Build();
    if (Failed(result)) {
        impl_->Discard();
    }
    return result;
}

Result RenderEngine::GetGroupCount(int& count) const {
    if (!impl_->timeline) {
        return E_UNEXPECTED;
    }
    count = impl_->timeline->GetGroupCount();
    return S_OK;
}

Result RenderEngine::GetGroupOutputPin(int index, Pad& pin) const {
    if (!impl_->graph) {
        return E_UNEXPECTED;
    }
    if (index < 0 || index >= static_cast<int>(impl_->outputPins.size())) {
        return E_INVALIDARG;
    }
    pin = Pad(impl_->outputPins[index]);
    return S_OK;
}

Result RenderEngine::GetFilterGraph(std::shared_ptr<FilterGraph>& graph) const {
    graph = impl_->graph;
    return graph ? S_OK : E_UNEXPECTED;
}

Result RenderEngine::ScrapIt() {
    if (impl_->graph) {
        impl_->graph->Stop();
    }
    impl_->Discard();
    return S_OK;
}

std::string RenderEngine::LastErrorText() const {
    return impl_->lastErrorText;
}

} // namespace media
