// Ending a conversion early with its file finished (FilterGraph::FinishThenStop).

#include "FilterGraph.h"

#include "internal/FilterGraphImpl.h"

#include <gst/gst.h>

#include <chrono>
#include <thread>

namespace media {

namespace {

using Clock = std::chrono::steady_clock;

// Turns the next buffer or gap leaving a pad into end-of-stream, in the
// thread that pushes it. Caps, segments and the end itself pass.
GstPadProbeReturn EndAtNextData(GstPad* pad, GstPadProbeInfo* info, gpointer) {
    if ((GST_PAD_PROBE_INFO_TYPE(info) & GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM) != 0 &&
        GST_EVENT_TYPE(GST_PAD_PROBE_INFO_EVENT(info)) != GST_EVENT_GAP) {
        return GST_PAD_PROBE_OK;
    }
    gst_pad_push_event(pad, gst_event_new_eos());
    return GST_PAD_PROBE_DROP;
}

struct InstalledProbe {
    Handle<GstPad> pad;
    gulong id = 0;
};

// Where the streams leave their sources: the decoded streams of a rendered
// file, and the outputs of every top-level element without inputs that pushes
// (a timeline, a test source). A file source a demuxer pulls from ends
// through the decoded streams.
std::vector<Handle<GstPad>> SourceOutputs(FilterGraph& graph,
                                          const std::vector<Handle<GstPad>>& decoded) {
    std::vector<Handle<GstPad>> outputs = decoded;
    for (const Element& element : graph.EnumFilters()) {
        if (element.PadCount(PadDirection::Input) != 0) {
            continue;
        }
        for (const Pad& pad : element.Pads(PadDirection::Output)) {
            if (GST_PAD_MODE(pad.native()) == GST_PAD_MODE_PUSH) {
                outputs.push_back(Handle<GstPad>::Ref(pad.native()));
            }
        }
    }
    return outputs;
}

// Ends every linked input of a multiplexer so it writes its index and headers,
// whatever the rest of the graph does. An input with a streaming thread inside
// (one waiting for the others to catch up) is ended once that thread lets go;
// the inputs without one are ended first, which lets the waiting ones go. No
// wait outlasts `deadline`.
void EndInputsOf(const Element& mux, Clock::time_point deadline) {
    std::vector<Pad> waiting;
    for (const Pad& pad : mux.Pads(PadDirection::Input)) {
        if (pad.IsConnected()) {
            waiting.push_back(pad);
        }
    }
    while (!waiting.empty() && Clock::now() < deadline) {
        for (auto it = waiting.begin(); it != waiting.end();) {
            GstPad* pad = it->native();
            if (GST_PAD_IS_EOS(pad) || GST_PAD_IS_FLUSHING(pad)) {
                it = waiting.erase(it);
                continue;
            }
            if (!GST_PAD_STREAM_TRYLOCK(pad)) {
                ++it;
                continue;
            }
            gst_pad_send_event(pad, gst_event_new_eos());
            GST_PAD_STREAM_UNLOCK(pad);
            it = waiting.erase(it);
        }
        if (!waiting.empty()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
}

// Whether the element after the multiplexer (its file writer) has taken the
// end of stream and finished with it.
bool WriterFinished(const Element& mux) {
    for (const Pad& output : mux.Pads(PadDirection::Output)) {
        const Pad writerInput = output.ConnectedTo();
        if (!writerInput) {
            continue;
        }
        GstPad* pad = writerInput.native();
        if (!GST_PAD_IS_EOS(pad) || !GST_PAD_STREAM_TRYLOCK(pad)) {
            return false;
        }
        GST_PAD_STREAM_UNLOCK(pad);
    }
    return true;
}

} // namespace

FinishOutcome FilterGraph::FinishThenStop(const Element& mux) {
    std::vector<Handle<GstPad>> decoded;
    {
        std::lock_guard lock(impl_->mutex);
        for (const Impl::DecodedStream& stream : impl_->streams) {
            decoded.push_back(stream.pad);
        }
    }
    std::vector<InstalledProbe> probes;
    for (Handle<GstPad>& pad : SourceOutputs(*this, decoded)) {
        const gulong id =
            gst_pad_add_probe(pad.get(),
                              static_cast<GstPadProbeType>(GST_PAD_PROBE_TYPE_BUFFER |
                                                           GST_PAD_PROBE_TYPE_BUFFER_LIST |
                                                           GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM),
                              &EndAtNextData, nullptr, nullptr);
        if (id != 0) {
            probes.push_back({std::move(pad), id});
        }
    }

    const auto bound = std::chrono::milliseconds(kFinishBoundMs);
    FinishOutcome outcome = FinishOutcome::Stopped;
    {
        std::unique_lock lock(impl_->mutex);
        // A failed graph has stopped streaming: nothing will drain.
        if (impl_->reported.wait_until(
                lock, Clock::now() + bound,
                [&] { return impl_->endOfStream || impl_->errorCount > 0; }) &&
            impl_->endOfStream) {
            outcome = FinishOutcome::Drained;
        }
    }
    // Until the graph plays, a writer that takes data waits for it to play
    // (its preroll): ending the multiplexer from here would wait with it, and
    // a graph whose start failed never plays. Such a graph has written
    // nothing yet; it is only stopped.
    GstState current = GST_STATE_VOID_PENDING;
    gst_element_get_state(native(), &current, nullptr, 0);
    if (outcome != FinishOutcome::Drained && mux && current == GST_STATE_PLAYING) {
        const auto deadline = Clock::now() + bound;
        EndInputsOf(mux, deadline);
        while (!WriterFinished(mux) && Clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        if (WriterFinished(mux)) {
            outcome = FinishOutcome::MuxEnded;
        }
    }
    Stop();
    for (const InstalledProbe& probe : probes) {
        gst_pad_remove_probe(probe.pad.get(), probe.id);
    }
    return outcome;
}

} // namespace media
