#include "SoundPlayer.h"

#include "Handle.h"

#include <gio/gio.h>
#include <gst/gst.h>

#include <atomic>
#include <mutex>
#include <utility>

namespace media {

namespace detail {

// Shared with the framework threads that restart the sound; outlives the
// player while a restart is still queued.
struct SoundState {
    std::mutex mutex; // serialises restarts with each other and with teardown
    bool closing = false;
    bool started = false; // the pipeline has left NULL
    Handle<GstElement> pipeline;
    // Written by the bus handler on streaming threads, so never under the mutex.
    std::atomic<bool> failed{false};
    std::atomic<int> finished{0};
    std::atomic<int> errors{0};
};

} // namespace detail

namespace {

using detail::SoundState;
using SharedState = std::shared_ptr<SoundState>;

// Every message is dropped here: nothing queues on the bus and no error ever
// reaches the user. An error only marks the pipeline for a reset.
GstBusSyncReply OnBusMessage(GstBus*, GstMessage* message, gpointer data) {
    auto* state = static_cast<SoundState*>(data);
    switch (GST_MESSAGE_TYPE(message)) {
    case GST_MESSAGE_ERROR:
        state->failed = true;
        ++state->errors;
        break;
    case GST_MESSAGE_EOS:
        ++state->finished;
        break;
    default:
        break;
    }
    return GST_BUS_DROP;
}

// Runs on a framework thread: seeking and state changes may wait for the
// streaming threads, which the UI thread must never do.
void Restart(GstElement* pipeline, gpointer data) {
    SoundState& state = **static_cast<SharedState*>(data);
    const std::lock_guard lock(state.mutex);
    if (state.closing) {
        return;
    }
    if (state.failed.exchange(false)) {
        gst_element_set_state(pipeline, GST_STATE_NULL);
        state.started = false;
    }
    if (state.started) {
        gst_element_seek_simple(
            pipeline, GST_FORMAT_TIME,
            static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE), 0);
    }
    gst_element_set_state(pipeline, GST_STATE_PLAYING);
    state.started = true;
}

void ReleaseState(gpointer data) {
    delete static_cast<SharedState*>(data);
}

} // namespace

SoundPlayer::SoundPlayer(QByteArray wav, std::string sink)
    : wav_(std::move(wav)), sink_(std::move(sink)), state_(std::make_shared<SoundState>()) {}

SoundPlayer::~SoundPlayer() {
    GstElement* pipeline = state_->pipeline.get();
    if (pipeline == nullptr) {
        return;
    }
    {
        // Waits for a restart in progress; queued ones see `closing` and leave.
        const std::lock_guard lock(state_->mutex);
        state_->closing = true;
        gst_element_set_state(pipeline, GST_STATE_NULL);
    }
    const Handle<GstBus> bus = Handle<GstBus>::Adopt(gst_element_get_bus(pipeline));
    gst_bus_set_sync_handler(bus.get(), nullptr, nullptr, nullptr);
    state_->pipeline.reset();
}

bool SoundPlayer::Build() {
    GError* rawError = nullptr;
    const std::string description =
        "giostreamsrc name=source ! wavparse ! audioconvert ! audioresample ! " + sink_;
    Handle<GstElement> pipeline =
        Handle<GstElement>::AdoptFloating(gst_parse_launch(description.c_str(), &rawError));
    if (rawError != nullptr) {
        g_error_free(rawError);
        return false;
    }
    if (!pipeline) {
        return false;
    }
    const Handle<GstElement> source =
        Handle<GstElement>::Adopt(gst_bin_get_by_name(GST_BIN(pipeline.get()), "source"));
    GBytes* bytes = g_bytes_new(wav_.constData(), static_cast<gsize>(wav_.size()));
    const Handle<GInputStream> stream =
        Handle<GInputStream>::Adopt(g_memory_input_stream_new_from_bytes(bytes));
    g_bytes_unref(bytes);
    g_object_set(source.get(), "stream", stream.get(), nullptr);

    const Handle<GstBus> bus = Handle<GstBus>::Adopt(gst_element_get_bus(pipeline.get()));
    gst_bus_set_sync_handler(bus.get(), OnBusMessage, state_.get(), nullptr);
    state_->pipeline = std::move(pipeline);
    return true;
}

void SoundPlayer::Play() {
    if (buildFailed_ || !gst_is_initialized()) {
        return;
    }
    if (!state_->pipeline && !Build()) {
        buildFailed_ = true; // a missing element stays missing: stay silent
        return;
    }
    // The framework owns this copy of the state until ReleaseState.
    gst_element_call_async(state_->pipeline.get(), Restart, new SharedState(state_), ReleaseState);
}

int SoundPlayer::finishedCount() const {
    return state_->finished;
}

int SoundPlayer::errorCount() const {
    return state_->errors;
}

} // namespace media
