// FilterGraph::RenderFile: builds a playback graph for a file around decodebin,
// which picks the demuxer and decoders; each decoded stream gets converters
// and a renderer of its own. The subtitle filter joins the first video path
// when the user's load level says so; since decodebin exposes its pads in any
// order, the chains are built only once it has exposed them all.

#include "FilterGraph.h"
#include "SubtitleFilter.h"

#include "internal/ErrorMapping.h"
#include "internal/FilterGraphImpl.h"
#include "internal/GstUtil.h"
#include "internal/SubtitleFilterBin.h"

#include <chrono>
#include <filesystem>

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

// Decodebin blocks its pads until it has exposed them all (no-more-pads), so
// nothing flows before the chains are built there.
void OnPadAdded(GstElement*, GstPad* pad, gpointer self) {
    static_cast<FilterGraph::Impl*>(self)->fileRender.AddPendingPad(pad);
}

void OnNoMorePads(GstElement*, gpointer self) {
    static_cast<FilterGraph::Impl*>(self)->RenderPendingPads();
}

// Name of the file source: the file's name, unless the graph has that one already.
const char* SourceName(GstElement* pipeline, const std::string& fileName) {
    if (fileName.empty()) {
        return nullptr;
    }
    auto taken =
        Handle<GstElement>::Adopt(gst_bin_get_by_name(GST_BIN(pipeline), fileName.c_str()));
    return taken ? nullptr : fileName.c_str();
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

// Runs in a streaming thread once decodebin has exposed its decoded streams.
void FilterGraph::Impl::RenderPendingPads() {
    const std::vector<Handle<GstPad>> pads = fileRender.TakePendingPads();
    const auto [level, subtitleSidecar] = fileRender.subtitles();
    int firstVideo = -1;
    for (std::size_t i = 0; i < pads.size() && firstVideo < 0; ++i) {
        Handle<GstCaps> caps = internal::CapsOfPad(pads[i].get());
        if (internal::MajorTypeOfCaps(caps.get()) == MajorType::Video) {
            firstVideo = static_cast<int>(i);
        }
    }
    int subtitle = -1;
    Handle<GstElement> filter;
    if (firstVideo >= 0 && level != kSubtitleFilterNever) {
        subtitle = internal::ChooseSubtitlePad(pads);
        const bool hasSubtitles =
            subtitle >= 0 || subtitleSidecar.format != internal::SidecarFormat::None;
        if (level == kSubtitleFilterAlways || hasSubtitles) {
            const internal::SubtitleKind kind =
                subtitle >= 0
                    ? internal::SubtitleKindOfCaps(
                          internal::CapsOfPad(pads[static_cast<std::size_t>(subtitle)].get()).get())
                    : internal::SubtitleKind::None;
            filter = internal::MakeSubtitleFilter(kind, subtitle >= 0 ? internal::Sidecar{}
                                                                      : subtitleSidecar);
        }
        if (!filter) {
            subtitle = -1;
        }
    }
    fileRender.SetDrawsSubtitles(
        filter && (subtitle >= 0 || subtitleSidecar.format != internal::SidecarFormat::None));
    for (std::size_t i = 0; i < pads.size(); ++i) {
        if (static_cast<int>(i) != subtitle) {
            RenderDecodedPad(pads[i].get(),
                             static_cast<int>(i) == firstVideo ? filter : Handle<GstElement>());
        }
    }
    if (subtitle < 0) {
        return;
    }
    // The drawn stream feeds the filter instead of a renderer of its own.
    GstPad* pad = pads[static_cast<std::size_t>(subtitle)].get();
    auto input = Handle<GstPad>::Adopt(
        gst_element_get_static_pad(filter.get(), internal::kSubtitleInputName));
    if (input && GST_OBJECT_PARENT(filter.get()) != nullptr &&
        gst_pad_link(pad, input.get()) == GST_PAD_LINK_OK) {
        std::lock_guard lock(mutex);
        streams.push_back(DecodedStream{MajorType::Text, Handle<GstPad>::Ref(pad)});
    }
}

// Builds one decoded stream's chain; `subtitleFilter` joins a video path.
void FilterGraph::Impl::RenderDecodedPad(GstPad* pad, const Handle<GstElement>& subtitleFilter) {
    Handle<GstCaps> caps = internal::CapsOfPad(pad);
    const MajorType type = internal::MajorTypeOfCaps(caps.get());

    std::vector<Handle<GstElement>> chain;
    if (type == MajorType::Video) {
        chain.push_back(MakeElement("videoconvert"));
        if (subtitleFilter) {
            chain.push_back(subtitleFilter);
        }
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
    if (!linked) {
        // A renderer that cannot be reached would never preroll and hold the
        // whole graph up until the bound: the stream is left out at once, into
        // a null renderer that prerolls without data.
        for (const Handle<GstElement>& element : chain) {
            gst_element_set_state(element.get(), GST_STATE_NULL);
            gst_bin_remove(bin, element.get());
        }
        NoteUnlinkedStream(pad);
        // Its data still has to go somewhere: a demuxer stops feeding every
        // stream once one of them is not linked.
        chain = {MakeNullRenderer(MajorType::Unknown).handle()};
        if (!chain.front()) {
            return;
        }
        gst_bin_add(bin, chain.front().get());
        entry = Handle<GstPad>::Adopt(gst_element_get_static_pad(chain.front().get(), "sink"));
        if (!entry || gst_pad_link(pad, entry.get()) != GST_PAD_LINK_OK) {
            gst_bin_remove(bin, chain.front().get());
            return;
        }
    }
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

void FilterGraph::Impl::NoteUnlinkedStream(GstPad* pad) {
    Handle<GstCaps> caps = internal::CapsOfPad(pad);
    const std::string text =
        std::string(GST_OBJECT_NAME(pad)) + ": no renderer takes " +
        internal::TakeString(caps ? gst_caps_to_string(caps.get()) : g_strdup("this stream"));
    qWarning("%s; the stream is left out", text.c_str());
    std::lock_guard lock(mutex);
    ++undecodableStreams;
    lastWarningText = text;
}

Result FilterGraph::Impl::WaitForPreroll(GstStateChangeReturn started) {
    using Clock = std::chrono::steady_clock;
    GstStateChangeReturn change = started;
    if (change == GST_STATE_CHANGE_ASYNC) {
        const Clock::time_point deadline =
            Clock::now() + std::chrono::milliseconds(prerollTimeoutMs);
        // The bus handler reports the pipeline's ASYNC_DONE and every error
        // that reaches the bus; now and then the posted errors are looked
        // through for one a bin dropped on its way.
        constexpr auto kLookThroughPosted = std::chrono::milliseconds(100);
        constexpr auto kPostedErrorGrace = std::chrono::milliseconds(500);
        const auto settled = [this] { return asyncDone || errorCount > 0; };
        std::unique_lock lock(mutex);
        while (!reported.wait_until(lock, std::min(deadline, Clock::now() + kLookThroughPosted),
                                    settled) &&
               Clock::now() < deadline) {
            lock.unlock();
            if (const Handle<GstMessage> lost = postedErrors->log().Stranded(kPostedErrorGrace)) {
                HandleError(lost.get());
            }
            lock.lock();
        }
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
    fileRender.TakePendingPads();
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

Result FilterGraph::Impl::RenderOnce(const std::string& path, int level,
                                     const internal::Sidecar& subtitleSidecar,
                                     bool keepSubtitlesUndecoded) {
    const std::string fileName = std::filesystem::path(path).filename().string();
    Handle<GstElement> source = MakeElement("filesrc", SourceName(pipeline.get(), fileName));
    Handle<GstElement> decoder = MakeElement("decodebin");
    if (!source || !decoder) {
        return VFW_E_CANNOT_RENDER;
    }
    g_object_set(source.get(), "location", path.c_str(), nullptr);
    if (level != kSubtitleFilterNever || keepSubtitlesUndecoded) {
        internal::StopDecodingAtStyledSubtitles(decoder.get());
    }
    fileRender.Begin({level, subtitleSidecar});
    gst_bin_add_many(GST_BIN(pipeline.get()), source.get(), decoder.get(), nullptr);
    if (!gst_element_link(source.get(), decoder.get())) {
        UndoRender({source, decoder});
        return VFW_E_CANNOT_RENDER;
    }
    {
        std::lock_guard lock(mutex);
        signalConnections.push_back(
            {decoder, g_signal_connect(decoder.get(), "pad-added", G_CALLBACK(OnPadAdded), this)});
        signalConnections.push_back({decoder, g_signal_connect(decoder.get(), "no-more-pads",
                                                               G_CALLBACK(OnNoMorePads), this)});
        signalConnections.push_back({decoder, g_signal_connect(decoder.get(), "unknown-type",
                                                               G_CALLBACK(OnUnknownType), this)});
    }

    ResetReports();
    Result result = WaitForPreroll(gst_element_set_state(pipeline.get(), GST_STATE_PAUSED));
    if (Succeeded(result)) {
        std::lock_guard lock(mutex);
        if (streams.empty()) {
            result = undecodableStreams > 0 ? VFW_E_NO_DECODER : VFW_E_CANNOT_RENDER;
            if (!missingPluginText.empty()) {
                lastErrorText = missingPluginText;
            }
        } else if (undecodableStreams > 0) {
            result = VFW_S_PARTIAL_RENDER;
        }
        sourcePath = path;
        measuredFrameTime = 0.0;
    }
    if (Failed(result)) {
        UndoRender({source, decoder});
    }
    return result;
}

Result FilterGraph::RenderFile(const std::string& path) {
    const Result access = internal::CheckInputFile(path);
    if (Failed(access)) {
        return access;
    }
    Impl& impl = *impl_;
    // Read at every render: the user may change it between files.
    const int level = SubtitleFilterInstalled() ? SubtitleFilterLoadLevel() : kSubtitleFilterNever;
    internal::Sidecar sidecar =
        level != kSubtitleFilterNever ? internal::FindSidecar(path) : internal::Sidecar{};
    LeftOutSubtitles leftOut;
    if (sidecar.format != internal::SidecarFormat::None && !internal::SidecarReadable(sidecar)) {
        leftOut.sidecarPath = sidecar.path;
        sidecar = {};
    }
    Result result = impl.RenderOnce(path, level, sidecar, false);
    if (Failed(result) && impl.fileRender.drawsSubtitles()) {
        // Subtitles that cannot be read must not cost the video: once more
        // without drawing any, the file's own left undecoded.
        if (sidecar.format != internal::SidecarFormat::None) {
            leftOut.sidecarPath = sidecar.path;
        } else {
            leftOut.embedded = true;
        }
        qWarning("rendering %s with its subtitles failed (%s); rendering it without them",
                 path.c_str(), LastErrorText().c_str());
        result = impl.RenderOnce(path, kSubtitleFilterNever, {}, true);
    }
    std::lock_guard lock(impl.mutex);
    impl.subtitlesLeftOut = Succeeded(result) ? leftOut : LeftOutSubtitles{};
    return result;
}

LeftOutSubtitles FilterGraph::SubtitlesLeftOut() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->subtitlesLeftOut;
}

} // namespace media
