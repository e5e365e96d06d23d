#include "internal/FrameTiming.h"

#include "Handle.h"
#include "internal/GifDecoding.h"
#include "internal/GstUtil.h"

#include <gst/gst.h>

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <vector>

namespace media::internal {

namespace {

constexpr const char* kEnoughFrames = "media-enough-frames";

// Filled from streaming threads while the sampling pipeline runs.
struct Sampler {
    GstElement* pipeline = nullptr; // not owned; outlives every streaming thread
    std::size_t maxFrames = 0;
    std::mutex mutex;
    bool haveVideo = false;
    std::vector<GstClockTime> times;
};

GstPadProbeReturn OnVideoBuffer(GstPad*, GstPadProbeInfo* info, gpointer data) {
    auto& sampler = *static_cast<Sampler*>(data);
    GstBuffer* buffer = GST_PAD_PROBE_INFO_BUFFER(info);
    // Parsed frames may carry only a decode timestamp.
    const GstClockTime time =
        GST_BUFFER_PTS_IS_VALID(buffer) ? GST_BUFFER_PTS(buffer) : GST_BUFFER_DTS(buffer);
    if (!GST_CLOCK_TIME_IS_VALID(time)) {
        return GST_PAD_PROBE_OK;
    }
    bool enough = false;
    {
        std::lock_guard lock(sampler.mutex);
        if (sampler.times.size() < sampler.maxFrames) {
            sampler.times.push_back(time);
            enough = sampler.times.size() == sampler.maxFrames;
        }
    }
    if (enough) {
        gst_element_post_message(
            sampler.pipeline, gst_message_new_application(GST_OBJECT(sampler.pipeline),
                                                          gst_structure_new_empty(kEnoughFrames)));
    }
    return GST_PAD_PROBE_OK;
}

// Every stream ends in a sink of its own, so the demultiplexer never stops on
// an unlinked one; only the first video stream is watched.
void OnPadAdded(GstElement*, GstPad* pad, gpointer data) {
    auto& sampler = *static_cast<Sampler*>(data);
    Handle<GstElement> sink = MakeElement("fakesink");
    if (!sink) {
        return;
    }
    g_object_set(sink.get(), "sync", FALSE, "async", FALSE, "enable-last-sample", FALSE, nullptr);
    gst_bin_add(GST_BIN(sampler.pipeline), sink.get());
    gst_element_sync_state_with_parent(sink.get());
    auto entry = Handle<GstPad>::Adopt(gst_element_get_static_pad(sink.get(), "sink"));
    if (!entry || gst_pad_link(pad, entry.get()) != GST_PAD_LINK_OK) {
        return;
    }
    const Handle<GstCaps> caps = CapsOfPad(pad);
    if (MajorTypeOfCaps(caps.get()) != MajorType::Video) {
        return;
    }
    {
        std::lock_guard lock(sampler.mutex);
        if (sampler.haveVideo) {
            return;
        }
        sampler.haveVideo = true;
    }
    gst_pad_add_probe(pad, GST_PAD_PROBE_TYPE_BUFFER, &OnVideoBuffer, &sampler, nullptr);
}

// Mean distance of neighbouring timestamps in presentation order. Frames still
// held back by reordering when sampling stopped leave gaps at the end; gaps
// well above the typical distance are left out so they do not lower the rate.
bool AverageDistance(std::vector<GstClockTime> times, double& seconds) {
    std::sort(times.begin(), times.end());
    times.erase(std::unique(times.begin(), times.end()), times.end());
    if (times.size() < 2) {
        return false;
    }
    std::vector<GstClockTime> distances;
    for (std::size_t i = 1; i < times.size(); ++i) {
        distances.push_back(times[i] - times[i - 1]);
    }
    std::vector<GstClockTime> ordered = distances;
    std::nth_element(ordered.begin(), ordered.begin() + ordered.size() / 2, ordered.end());
    const GstClockTime median = ordered[ordered.size() / 2];
    GstClockTime sum = 0;
    std::size_t count = 0;
    for (const GstClockTime distance : distances) {
        if (distance * 2 <= median * 3) {
            sum += distance;
            ++count;
        }
    }
    if (count == 0 || sum == 0) {
        return false;
    }
    seconds = static_cast<double>(sum) / static_cast<double>(count) / GST_SECOND;
    return true;
}

} // namespace

Result MeasureFrameTime(const std::string& path, double& seconds, int maxFrames,
                        int maxMilliseconds) {
    if (maxFrames < 2 || maxMilliseconds <= 0) {
        return E_INVALIDARG;
    }
    auto pipeline = Handle<GstElement>::AdoptFloating(gst_pipeline_new("frame-timing"));
    Handle<GstElement> source = MakeElement("filesrc");
    Handle<GstElement> parser = MakeElement("parsebin");
    if (!pipeline || !source || !parser) {
        return VFW_E_CANNOT_RENDER;
    }
    g_object_set(source.get(), "location", path.c_str(), nullptr);
    MendGifDecoding(pipeline.get());
    gst_bin_add_many(GST_BIN(pipeline.get()), source.get(), parser.get(), nullptr);
    if (!gst_element_link(source.get(), parser.get())) {
        return VFW_E_CANNOT_RENDER;
    }
    Sampler sampler;
    sampler.pipeline = pipeline.get();
    sampler.maxFrames = static_cast<std::size_t>(maxFrames);
    const gulong handler =
        g_signal_connect(parser.get(), "pad-added", G_CALLBACK(OnPadAdded), &sampler);

    auto bus = Handle<GstBus>::Adopt(gst_element_get_bus(pipeline.get()));
    const gint64 deadline = g_get_monotonic_time() + static_cast<gint64>(maxMilliseconds) * 1000;
    if (gst_element_set_state(pipeline.get(), GST_STATE_PLAYING) != GST_STATE_CHANGE_FAILURE) {
        const auto wanted = static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR |
                                                        GST_MESSAGE_APPLICATION);
        for (gint64 left = deadline - g_get_monotonic_time(); left > 0;
             left = deadline - g_get_monotonic_time()) {
            auto message = Handle<GstMessage>::Adopt(gst_bus_timed_pop_filtered(
                bus.get(), static_cast<GstClockTime>(left) * GST_USECOND, wanted));
            if (!message || GST_MESSAGE_TYPE(message.get()) != GST_MESSAGE_APPLICATION ||
                gst_message_has_name(message.get(), kEnoughFrames)) {
                break;
            }
        }
    }
    // Stopping joins the streaming threads; nothing touches the sampler afterwards.
    gst_element_set_state(pipeline.get(), GST_STATE_NULL);
    g_signal_handler_disconnect(parser.get(), handler);

    std::vector<GstClockTime> times;
    {
        std::lock_guard lock(sampler.mutex);
        times = sampler.times;
    }
    return AverageDistance(std::move(times), seconds) ? S_OK : VFW_E_INVALID_MEDIA_TYPE;
}

} // namespace media::internal
