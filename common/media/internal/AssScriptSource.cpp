#include "internal/AssScriptSource.h"

#include "internal/GstUtil.h"
#include "internal/SubtitleSidecar.h"

#include <gst/app/gstappsrc.h>

#include <memory>
#include <mutex>

namespace media::internal {

namespace {

struct ScriptFeed {
    AssScript script;
    std::mutex mutex;
    std::size_t next = 0; // guarded by mutex
};

void OnNeedData(GstAppSrc* source, guint, gpointer data) {
    auto* feed = static_cast<ScriptFeed*>(data);
    std::unique_lock lock(feed->mutex);
    if (feed->next >= feed->script.events.size()) {
        lock.unlock();
        gst_app_src_end_of_stream(source);
        return;
    }
    const AssEvent& event = feed->script.events[feed->next++];
    lock.unlock();
    GstBuffer* buffer = gst_buffer_new_memdup(event.block.data(), event.block.size());
    GST_BUFFER_PTS(buffer) = static_cast<GstClockTime>(event.startNs);
    GST_BUFFER_DURATION(buffer) = static_cast<GstClockTime>(event.durationNs);
    gst_app_src_push_buffer(source, buffer); // takes the buffer
}

gboolean OnSeekData(GstAppSrc*, guint64 position, gpointer data) {
    auto* feed = static_cast<ScriptFeed*>(data);
    std::lock_guard lock(feed->mutex);
    feed->next = FirstEventFrom(feed->script, static_cast<std::int64_t>(position));
    return TRUE;
}

void FreeFeed(gpointer data) {
    delete static_cast<ScriptFeed*>(data);
}

} // namespace

Handle<GstElement> MakeAssScriptSource(const Sidecar& sidecar) {
    auto feed = std::make_unique<ScriptFeed>();
    if (!ReadSidecarScript(sidecar, feed->script)) {
        return {};
    }
    Handle<GstElement> source = MakeElement("appsrc");
    if (!source) {
        return {};
    }
    const std::string& header = feed->script.header;
    // The caps take a reference of their own.
    auto codecData = Handle<GstBuffer>::Adopt(gst_buffer_new_memdup(header.data(), header.size()));
    auto caps = Handle<GstCaps>::Adopt(gst_caps_new_simple(
        "application/x-ass", "codec_data", GST_TYPE_BUFFER, codecData.get(), nullptr));
    GstAppSrc* appSource = GST_APP_SRC(source.get());
    gst_app_src_set_caps(appSource, caps.get());
    gst_app_src_set_stream_type(appSource, GST_APP_STREAM_TYPE_SEEKABLE);
    g_object_set(source.get(), "format", GST_FORMAT_TIME, nullptr);
    GstAppSrcCallbacks callbacks{};
    callbacks.need_data = OnNeedData;
    callbacks.seek_data = OnSeekData;
    gst_app_src_set_callbacks(appSource, &callbacks, feed.release(), FreeFeed);
    return source;
}

} // namespace media::internal
