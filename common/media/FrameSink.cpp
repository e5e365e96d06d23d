#include "FrameSink.h"

#include "MediaWorker.h"
#include "internal/GstUtil.h"

#include <QPointer>

#include <gst/app/gstappsink.h>
#include <gst/video/video.h>

#include <atomic>
#include <memory>
#include <mutex>

namespace media {

struct VideoFrame::Impl {
    Handle<GstSample> sample;
    GstVideoFrame frame{};
    bool mapped = false;

    explicit Impl(Handle<GstSample> taken) : sample(std::move(taken)) {
        GstVideoInfo info;
        GstCaps* caps = gst_sample_get_caps(sample.get());
        GstBuffer* buffer = gst_sample_get_buffer(sample.get());
        mapped = caps != nullptr && buffer != nullptr && gst_video_info_from_caps(&info, caps) &&
                 gst_video_frame_map(&frame, &info, buffer, GST_MAP_READ);
    }
    ~Impl() {
        if (mapped) {
            gst_video_frame_unmap(&frame);
        }
    }
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;
};

int VideoFrame::width() const {
    return impl_ ? GST_VIDEO_FRAME_WIDTH(&impl_->frame) : 0;
}

int VideoFrame::height() const {
    return impl_ ? GST_VIDEO_FRAME_HEIGHT(&impl_->frame) : 0;
}

int VideoFrame::bytesPerLine() const {
    return impl_ ? GST_VIDEO_FRAME_PLANE_STRIDE(&impl_->frame, 0) : 0;
}

const std::uint8_t* VideoFrame::bits() const {
    return impl_ ? static_cast<const std::uint8_t*>(GST_VIDEO_FRAME_PLANE_DATA(&impl_->frame, 0))
                 : nullptr;
}

struct FrameSink::Shared {
    std::mutex mutex;
    Handle<GstSample> waiting; // the newest frame not yet handed over
    bool posted = false;
    bool detached = false;
    std::atomic<int> delivered{0};
    std::atomic<int> replaced{0};
    // Read on the main thread only.
    QPointer<QObject> receiver;
    FrameHandler onFrame;

    // Streaming thread: keeps the newest frame and makes sure one call is on its way.
    void Offer(Handle<GstSample> sample, const std::shared_ptr<Shared>& self) {
        std::lock_guard lock(mutex);
        if (detached) {
            return;
        }
        if (waiting) {
            ++replaced;
        }
        waiting = std::move(sample);
        if (posted) {
            return;
        }
        posted = true;
        PostToMainThread([self] { self->HandOver(); });
    }

    // Main thread.
    void HandOver() {
        Handle<GstSample> sample;
        {
            std::lock_guard lock(mutex);
            posted = false;
            if (detached) {
                waiting.reset();
                return;
            }
            sample = std::move(waiting);
        }
        if (!sample || !receiver || !onFrame) {
            return;
        }
        auto impl = std::make_shared<VideoFrame::Impl>(std::move(sample));
        if (!impl->mapped) {
            return;
        }
        ++delivered;
        onFrame(VideoFrame(std::move(impl)));
    }
};

namespace {

using SharedPtr = std::shared_ptr<FrameSink::Shared>;

GstFlowReturn OnSample(GstAppSink* sink, gpointer data) {
    const SharedPtr& shared = *static_cast<SharedPtr*>(data);
    auto sample = Handle<GstSample>::Adopt(gst_app_sink_pull_sample(sink));
    if (sample) {
        shared->Offer(std::move(sample), shared);
    }
    return GST_FLOW_OK;
}

// The first picture after opening or seeking, shown while paused.
GstFlowReturn OnPreroll(GstAppSink* sink, gpointer data) {
    const SharedPtr& shared = *static_cast<SharedPtr*>(data);
    auto sample = Handle<GstSample>::Adopt(gst_app_sink_pull_preroll(sink));
    if (sample) {
        shared->Offer(std::move(sample), shared);
    }
    return GST_FLOW_OK;
}

void DropShared(gpointer data) {
    delete static_cast<SharedPtr*>(data);
}

} // namespace

FrameSink::FrameSink(QObject* receiver, FrameHandler onFrame)
    : shared_(std::make_shared<Shared>()) {
    shared_->receiver = receiver;
    shared_->onFrame = std::move(onFrame);
    Handle<GstElement> sink = internal::MakeElement("appsink");
    if (!sink) {
        return;
    }
    auto caps = Handle<GstCaps>::Adopt(gst_caps_from_string("video/x-raw,format=RGBx"));
    // Late frames are skipped upstream (qos) rather than painted late; two
    // buffers let the next frame decode while one is being handed over.
    g_object_set(sink.get(), "caps", caps.get(), "sync", TRUE, "qos", TRUE, "max-buffers", 2,
                 "enable-last-sample", FALSE, nullptr);
    GstAppSinkCallbacks callbacks{};
    callbacks.new_sample = &OnSample;
    callbacks.new_preroll = &OnPreroll;
    // The sink keeps its own share of the state until it is destroyed.
    gst_app_sink_set_callbacks(GST_APP_SINK(sink.get()), &callbacks,
                               std::make_unique<SharedPtr>(shared_).release(), &DropShared);
    renderer_ = Element(std::move(sink));
}

FrameSink::~FrameSink() {
    std::lock_guard lock(shared_->mutex);
    shared_->detached = true;
    shared_->waiting.reset();
}

Element FrameSink::renderer() const {
    return renderer_;
}

bool FrameSink::position(std::int64_t& position) const {
    gint64 nanoseconds = -1;
    if (!renderer_ ||
        !gst_element_query_position(renderer_.native(), GST_FORMAT_TIME, &nanoseconds) ||
        nanoseconds < 0) {
        return false;
    }
    position = internal::NanosecondsToUnits(nanoseconds);
    return true;
}

FrameCounts FrameSink::counts() const {
    return {shared_->delivered.load(), shared_->replaced.load()};
}

} // namespace media
