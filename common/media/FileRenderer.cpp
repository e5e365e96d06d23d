// FilterGraph::RenderFile: builds a playback graph for a file around decodebin,
// which picks the demuxer and decoders; each decoded stream gets converters
// and a renderer of its own.

#include "FilterGraph.h"

#include "internal/ErrorMapping.h"
#include "internal/FilterGraphImpl.h"
#include "internal/GstUtil.h"

#include <chrono>

namespace media {

using internal::MakeElement;

namespace {

Element MakeNullRenderer(MajorType type) {
    Handle<GstElement> sink = MakeElement("fakesink");
    if (!sink) {
        return {};
    }
    g_object_set(sink.get(), "sync", FALSE, "enable-last-sample", FALSE, nullptr);
    if (type != MajorType::Video && type != MajorType::Audio) {
        // Sparse streams (subtitles) may carry nothing for a long time; they must
        // not hold up the preroll of the others.
        g_object_set(sink.get(), "async", FALSE, nullptr);
    }
    return Element(std::move(sink));
}

void OnPadAdded(GstElement*, GstPad* pad, gpointer self) {
    static_cast<FilterGraph::Impl*>(self)->RenderDecodedPad(pad);
}

void OnUnknownType(GstElement*, GstPad*, GstCaps* caps, gpointer self) {
    auto* impl = static_cast<FilterGraph::Impl*>(self);
    std::lock_guard lock(impl->mutex);
    ++impl->undecodableStreams;
    if (internal::MajorTypeOfCaps(caps) == MajorType::Video) {
        impl->undecodableVideo = true;
    }
}

} // namespace

Element FilterGraph::Impl::MakeRenderer(MajorType type) {
    RendererFactory factory;
    {
        std::lock_guard lock(mutex);
        factory = rendererFactory;
    }
    Element renderer = factory ? factory(type) : Element();
    return renderer ? renderer : MakeNullRenderer(type);
}

// Runs in a streaming thread when decodebin exposes a decoded stream.
void FilterGraph::Impl::RenderDecodedPad(GstPad* pad) {
    Handle<GstCaps> caps = internal::CapsOfPad(pad);
    const MajorType type = internal::MajorTypeOfCaps(caps.get());

    std::vector<Handle<GstElement>> chain;
    if (type == MajorType::Video) {
        chain.push_back(MakeElement("videoconvert"));
        VideoFilterFactory filterFactory;
        {
            std::lock_guard lock(mutex);
            filterFactory = videoFilterFactory;
        }
        if (filterFactory) {
            if (Element filter = filterFactory()) {
                chain.push_back(filter.handle());
            }
        }
    } else if (type == MajorType::Audio) {
        chain.push_back(MakeElement("audioconvert"));
        chain.push_back(MakeElement("audioresample"));
    }
    chain.push_back(MakeRenderer(type).handle());
    for (const Handle<GstElement>& element : chain) {
        if (!element) {
            return;
        }
    }

    GstBin* bin = GST_BIN(pipeline.get());
    for (const Handle<GstElement>& element : chain) {
        gst_bin_add(bin, element.get());
    }
    bool linked = true;
    for (std::size_t i = 1; i < chain.size() && linked; ++i) {
        linked = gst_element_link(chain[i - 1].get(), chain[i].get());
    }
    auto entry = Handle<GstPad>::Adopt(gst_element_get_static_pad(chain.front().get(), "sink"));
    linked = linked && entry && gst_pad_link(pad, entry.get()) == GST_PAD_LINK_OK;
    // Downstream first, so nothing receives data before it is ready for it.
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        gst_element_sync_state_with_parent(it->get());
    }

    std::lock_guard lock(mutex);
    renderedElements.insert(renderedElements.end(), chain.begin(), chain.end());
    if (linked) {
        streams.push_back(DecodedStream{type, Handle<GstPad>::Ref(pad)});
    }
}

Result FilterGraph::Impl::WaitForPreroll(GstStateChangeReturn started) {
    using Clock = std::chrono::steady_clock;
    GstStateChangeReturn change = started;
    if (change == GST_STATE_CHANGE_ASYNC) {
        const Clock::time_point deadline =
            Clock::now() + std::chrono::milliseconds(prerollTimeoutMs);
        // The bus handler reports the pipeline's ASYNC_DONE and every error.
        std::unique_lock lock(mutex);
        reported.wait_until(lock, deadline, [this] { return asyncDone || errorCount > 0; });
        if (errorCount > 0) {
            return lastError;
        }
        lock.unlock();
        // Reads the outcome, also a failed change that posted nothing; after
        // ASYNC_DONE the state is settled and this returns at once.
        const auto left =
            std::chrono::duration_cast<std::chrono::nanoseconds>(deadline - Clock::now()).count();
        change = gst_element_get_state(pipeline.get(), nullptr, nullptr,
                                       left > 0 ? static_cast<GstClockTime>(left) : 0);
    }
    std::lock_guard lock(mutex);
    if (change == GST_STATE_CHANGE_FAILURE) {
        // An element that fails its state change posts the reason just before.
        return Failed(lastError) ? lastError : VFW_E_CANNOT_RENDER;
    }
    if (change == GST_STATE_CHANGE_ASYNC) {
        return VFW_E_TIMEOUT;
    }
    return errorCount > 0 ? lastError : S_OK;
}

void FilterGraph::Impl::UndoRender(const std::vector<Handle<GstElement>>& added) {
    gst_element_set_state(pipeline.get(), GST_STATE_NULL);
    DisconnectSignals();
    std::vector<Handle<GstElement>> remove = added;
    {
        std::lock_guard lock(mutex);
        remove.insert(remove.end(), renderedElements.begin(), renderedElements.end());
        renderedElements.clear();
        streams.clear();
        undecodableStreams = 0;
        undecodableVideo = false;
        sourcePath.clear();
        measuredFrameTime = 0.0;
    }
    for (const Handle<GstElement>& element : remove) {
        gst_element_set_state(element.get(), GST_STATE_NULL);
        gst_bin_remove(GST_BIN(pipeline.get()), element.get());
    }
    events.Clear();
}

Result FilterGraph::RenderFile(const std::string& path) {
    const Result access = internal::CheckInputFile(path);
    if (Failed(access)) {
        return access;
    }
    Impl& impl = *impl_;
    Handle<GstElement> source = MakeElement("filesrc");
    Handle<GstElement> decoder = MakeElement("decodebin");
    if (!source || !decoder) {
        return VFW_E_CANNOT_RENDER;
    }
    g_object_set(source.get(), "location", path.c_str(), nullptr);
    gst_bin_add_many(GST_BIN(native()), source.get(), decoder.get(), nullptr);
    if (!gst_element_link(source.get(), decoder.get())) {
        impl.UndoRender({source, decoder});
        return VFW_E_CANNOT_RENDER;
    }
    {
        std::lock_guard lock(impl.mutex);
        impl.signalConnections.push_back(
            {decoder, g_signal_connect(decoder.get(), "pad-added", G_CALLBACK(OnPadAdded), &impl)});
        impl.signalConnections.push_back(
            {decoder,
             g_signal_connect(decoder.get(), "unknown-type", G_CALLBACK(OnUnknownType), &impl)});
    }

    impl.ResetReports();
    Result result = impl.WaitForPreroll(gst_element_set_state(native(), GST_STATE_PAUSED));
    if (Succeeded(result)) {
        std::lock_guard lock(impl.mutex);
        if (impl.streams.empty()) {
            result = impl.undecodableStreams > 0 ? VFW_E_NO_DECODER : VFW_E_CANNOT_RENDER;
            if (!impl.missingPluginText.empty()) {
                impl.lastErrorText = impl.missingPluginText;
            }
        } else if (impl.undecodableStreams > 0) {
            result = VFW_S_PARTIAL_RENDER;
        }
        impl.sourcePath = path;
        impl.measuredFrameTime = 0.0;
    }
    if (Failed(result)) {
        impl.UndoRender({source, decoder});
    }
    return result;
}

} // namespace media
