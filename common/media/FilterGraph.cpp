#include "FilterGraph.h"

#include "internal/ErrorMapping.h"
#include "internal/FilterGraphImpl.h"
#include "internal/FrameTiming.h"
#include "internal/GifDecoding.h"
#include "internal/GstUtil.h"
#include "internal/MissingPlugin.h"

#include <gst/pbutils/missing-plugins.h>

#include <QtGlobal>

namespace media {

using internal::GraphEvent;
using internal::NanosecondsToUnits;
using internal::TakeString;
using internal::UnitsToNanoseconds;

FilterGraph::Impl::Impl(Handle<GstElement> pipelineElement)
    : pipeline(std::move(pipelineElement)),
      bus(Handle<GstBus>::Adopt(gst_element_get_bus(pipeline.get()))) {
    gst_bus_set_sync_handler(bus.get(), &Impl::OnBusMessage, this, nullptr);
    postedErrors.emplace(pipeline.get());
    internal::MendGifDecoding(pipeline.get());
}

FilterGraph::Impl::~Impl() {
    gst_element_set_state(pipeline.get(), GST_STATE_NULL);
    postedErrors.reset();
    DisconnectSignals();
    gst_bus_set_sync_handler(bus.get(), nullptr, nullptr, nullptr);
    std::lock_guard lock(mutex);
    streams.clear();
    renderedElements.clear();
    bus.reset();
    pipeline.reset();
}

void FilterGraph::Impl::DisconnectSignals() {
    std::vector<SignalConnection> connected;
    {
        std::lock_guard lock(mutex);
        connected.swap(signalConnections);
    }
    for (const SignalConnection& connection : connected) {
        g_signal_handler_disconnect(connection.element.get(), connection.id);
    }
}

GstBusSyncReply FilterGraph::Impl::OnBusMessage(GstBus*, GstMessage* message, gpointer self) {
    auto* impl = static_cast<Impl*>(self);
    switch (GST_MESSAGE_TYPE(message)) {
    case GST_MESSAGE_ERROR:
        impl->HandleError(message);
        break;
    case GST_MESSAGE_WARNING:
        impl->HandleWarning(message);
        break;
    case GST_MESSAGE_ELEMENT:
        if (gst_is_missing_plugin_message(message)) {
            impl->HandleMissingPlugin(message);
        }
        break;
    case GST_MESSAGE_ASYNC_DONE:
        if (GST_MESSAGE_SRC(message) == GST_OBJECT(impl->pipeline.get())) {
            impl->NoteAsyncDone();
        }
        break;
    case GST_MESSAGE_EOS:
        // Bins collect their sinks' end of stream; the pipeline's own message means all are done.
        if (GST_MESSAGE_SRC(message) == GST_OBJECT(impl->pipeline.get())) {
            impl->NoteEndOfStream();
            impl->events.Push(GraphEvent{EC_COMPLETE, S_OK, 0});
        }
        break;
    default:
        break;
    }
    // Everything the graph needs is taken here; nothing piles up on the bus.
    gst_message_unref(message);
    return GST_BUS_DROP;
}

void FilterGraph::Impl::HandleError(GstMessage* message) {
    GError* rawError = nullptr;
    gchar* rawDebug = nullptr;
    gst_message_parse_error(message, &rawError, &rawDebug);
    internal::ErrorPtr error(rawError);
    const std::string debug = TakeString(rawDebug);
    const Result result = internal::ResultFromError(error.get(), debug.c_str());
    const bool missingPiece =
        error && (g_error_matches(error.get(), GST_CORE_ERROR, GST_CORE_ERROR_MISSING_PLUGIN) ||
                  g_error_matches(error.get(), GST_STREAM_ERROR, GST_STREAM_ERROR_CODEC_NOT_FOUND));
    {
        // The first failure names the cause; the ones it sets off only repeat it.
        std::lock_guard lock(mutex);
        if (errorCount == 0) {
            lastError = result;
            // "A plugin is missing" alone does not tell what to install.
            lastErrorText = missingPiece && !missingPluginText.empty() ? missingPluginText
                            : error                                    ? error->message
                                                                       : "";
            lastErrorDetail = debug;
        }
        ++errorCount;
    }
    reported.notify_all();
    events.Push(GraphEvent{EC_ERRORABORT, result, 0});
}

void FilterGraph::Impl::HandleWarning(GstMessage* message) {
    GError* rawError = nullptr;
    gchar* rawDebug = nullptr;
    gst_message_parse_warning(message, &rawError, &rawDebug);
    internal::ErrorPtr warning(rawError);
    const std::string debug = TakeString(rawDebug);
    const std::string text = std::string(GST_MESSAGE_SRC_NAME(message)) + ": " +
                             (warning ? warning->message : "warning");
    qWarning("%s (%s)", text.c_str(), debug.c_str());
    std::lock_guard lock(mutex);
    lastWarningText = text;
}

void FilterGraph::Impl::HandleMissingPlugin(GstMessage* message) {
    const std::string text = internal::DescribeMissingPlugin(message);
    qWarning("%s: %s", GST_MESSAGE_SRC_NAME(message), text.c_str());
    std::lock_guard lock(mutex);
    lastWarningText = text;
    if (missingPluginText.empty()) {
        missingPluginText = text;
    }
}

void FilterGraph::Impl::NoteAsyncDone() {
    {
        std::lock_guard lock(mutex);
        asyncDone = true;
    }
    reported.notify_all();
}

void FilterGraph::Impl::ResetReports() {
    postedErrors->log().Clear();
    std::lock_guard lock(mutex);
    errorCount = 0;
    missingPluginText.clear();
    asyncDone = false;
    endOfStream = false;
}

void FilterGraph::Impl::NoteEndOfStream() {
    {
        std::lock_guard lock(mutex);
        endOfStream = true;
    }
    reported.notify_all();
}

FilterGraph::FilterGraph(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

FilterGraph::~FilterGraph() = default;

Result FilterGraph::Create(std::shared_ptr<FilterGraph>& graph) {
    graph.reset();
    if (!gst_is_initialized()) {
        return VFW_E_NOT_INITIALIZED;
    }
    auto pipeline = Handle<GstElement>::AdoptFloating(gst_pipeline_new(nullptr));
    if (!pipeline) {
        return E_OUTOFMEMORY;
    }
    graph = Wrap(std::move(pipeline));
    return S_OK;
}

std::shared_ptr<FilterGraph> FilterGraph::Wrap(Handle<GstElement> pipeline) {
    if (!pipeline) {
        return nullptr;
    }
    return std::shared_ptr<FilterGraph>(
        new FilterGraph(std::make_unique<Impl>(std::move(pipeline))));
}

GstElement* FilterGraph::native() const {
    return impl_->pipeline.get();
}

void FilterGraph::SetRendererFactory(RendererFactory factory) {
    std::lock_guard lock(impl_->mutex);
    impl_->rendererFactory = std::move(factory);
}

void FilterGraph::SetVideoFilterFactory(VideoFilterFactory factory) {
    std::lock_guard lock(impl_->mutex);
    impl_->videoFilterFactory = std::move(factory);
}

void FilterGraph::SetPrerollTimeout(int milliseconds) {
    impl_->prerollTimeoutMs = milliseconds;
}

Result FilterGraph::AddFilter(const Element& element, const std::string& name) {
    if (!element) {
        return E_POINTER;
    }
    GstElement* raw = element.native();
    if (GST_OBJECT_PARENT(raw) != nullptr) {
        return E_INVALIDARG;
    }
    if (!name.empty()) {
        std::string unique = name;
        for (int n = 1; FindFilterByName(unique); ++n) {
            char suffix[16];
            g_snprintf(suffix, sizeof suffix, " %04d", n);
            unique = name + suffix;
        }
        gst_object_set_name(GST_OBJECT(raw), unique.c_str());
    }
    return gst_bin_add(GST_BIN(native()), raw) ? S_OK : E_FAIL;
}

Result FilterGraph::RemoveFilter(const Element& element) {
    if (!element) {
        return E_POINTER;
    }
    GstElement* raw = element.native();
    if (GST_OBJECT_PARENT(raw) != GST_OBJECT(native())) {
        return VFW_E_NOT_FOUND;
    }
    gst_element_set_state(raw, GST_STATE_NULL);
    return gst_bin_remove(GST_BIN(native()), raw) ? S_OK : E_FAIL;
}

std::vector<Element> FilterGraph::EnumFilters() const {
    std::vector<Element> elements;
    // A bin keeps its newest child first.
    std::vector<Handle<GstElement>> children =
        internal::CollectObjects<GstElement>(gst_bin_iterate_elements(GST_BIN(native())));
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        elements.emplace_back(std::move(*it));
    }
    return elements;
}

Element FilterGraph::FindFilterByName(const std::string& name) const {
    // The graph's own elements only: one inside a bin may carry the same name.
    for (const Element& element : EnumFilters()) {
        if (element.Name() == name) {
            return element;
        }
    }
    return {};
}

Result FilterGraph::ConnectDirect(const Pad& output, const Pad& input) {
    if (!output || !input) {
        return E_POINTER;
    }
    if (output.Direction() != PadDirection::Output || input.Direction() != PadDirection::Input) {
        return E_INVALIDARG;
    }
    return internal::ResultFromLinkReturn(gst_pad_link(output.native(), input.native()));
}

Result FilterGraph::Disconnect(const Pad& pad) {
    if (!pad) {
        return E_POINTER;
    }
    Pad peer = pad.ConnectedTo();
    if (!peer) {
        return S_FALSE;
    }
    const bool isOutput = pad.Direction() == PadDirection::Output;
    GstPad* src = isOutput ? pad.native() : peer.native();
    GstPad* sink = isOutput ? peer.native() : pad.native();
    return gst_pad_unlink(src, sink) ? S_OK : E_FAIL;
}

namespace {

Result ResultOfStateChange(GstStateChangeReturn change) {
    switch (change) {
    case GST_STATE_CHANGE_SUCCESS:
    case GST_STATE_CHANGE_NO_PREROLL:
        return S_OK;
    case GST_STATE_CHANGE_ASYNC:
        return S_FALSE;
    case GST_STATE_CHANGE_FAILURE:
    default:
        return E_FAIL;
    }
}

} // namespace

Result FilterGraph::Run() {
    impl_->ResetReports();
    const Result result = ResultOfStateChange(gst_element_set_state(native(), GST_STATE_PLAYING));
    if (Failed(result) && impl_->errorCount > 0) {
        std::lock_guard lock(impl_->mutex);
        return impl_->lastError;
    }
    return result;
}

Result FilterGraph::Pause() {
    return ResultOfStateChange(gst_element_set_state(native(), GST_STATE_PAUSED));
}

Result FilterGraph::Stop() {
    return ResultOfStateChange(gst_element_set_state(native(), GST_STATE_READY));
}

Result FilterGraph::GetState(int timeoutMs, GraphState& state) const {
    GstState current = GST_STATE_NULL;
    const GstStateChangeReturn change = gst_element_get_state(
        native(), &current, nullptr,
        timeoutMs < 0 ? GST_CLOCK_TIME_NONE : static_cast<GstClockTime>(timeoutMs) * GST_MSECOND);
    state = current == GST_STATE_PLAYING  ? GraphState::Running
            : current == GST_STATE_PAUSED ? GraphState::Paused
                                          : GraphState::Stopped;
    return ResultOfStateChange(change);
}

Result FilterGraph::QuerySeeking() const {
    auto query = Handle<GstQuery>::Adopt(gst_query_new_seeking(GST_FORMAT_TIME));
    return gst_element_query(native(), query.get()) ? S_OK : E_NOINTERFACE;
}

Result FilterGraph::GetDuration(ReferenceTime& duration) const {
    gint64 ns = -1;
    if (!gst_element_query_duration(native(), GST_FORMAT_TIME, &ns) || ns < 0) {
        return E_FAIL;
    }
    duration = NanosecondsToUnits(ns);
    return S_OK;
}

Result FilterGraph::GetStopPosition(ReferenceTime& stop) const {
    auto query = Handle<GstQuery>::Adopt(gst_query_new_segment(GST_FORMAT_TIME));
    if (gst_element_query(native(), query.get())) {
        GstFormat format = GST_FORMAT_UNDEFINED;
        gint64 start = -1;
        gint64 segmentStop = -1;
        gst_query_parse_segment(query.get(), nullptr, &format, &start, &segmentStop);
        if (format == GST_FORMAT_TIME && segmentStop >= 0) {
            stop = NanosecondsToUnits(segmentStop);
            return S_OK;
        }
    }
    // Without an explicit stop the stream plays to its end.
    return GetDuration(stop);
}

Result FilterGraph::GetCurrentPosition(ReferenceTime& position) const {
    gint64 ns = -1;
    if (!gst_element_query_position(native(), GST_FORMAT_TIME, &ns) || ns < 0) {
        return E_FAIL;
    }
    position = NanosecondsToUnits(ns);
    return S_OK;
}

Result FilterGraph::SetPositions(ReferenceTime current, Positioning currentFlags,
                                 ReferenceTime stop, Positioning stopFlags) {
    if ((currentFlags == Positioning::Absolute && current < 0) ||
        (stopFlags == Positioning::Absolute && stop < 0)) {
        return E_INVALIDARG;
    }
    const auto type = [](Positioning flags) {
        return flags == Positioning::Absolute ? GST_SEEK_TYPE_SET : GST_SEEK_TYPE_NONE;
    };
    const gboolean sent = gst_element_seek(
        native(), 1.0, GST_FORMAT_TIME,
        static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE), type(currentFlags),
        UnitsToNanoseconds(current), type(stopFlags), UnitsToNanoseconds(stop));
    if (!sent) {
        return E_FAIL;
    }
    // A flushing seek prerolls again; positions read afterwards should see it done.
    const GstStateChangeReturn settled =
        gst_element_get_state(native(), nullptr, nullptr,
                              static_cast<GstClockTime>(impl_->prerollTimeoutMs) * GST_MSECOND);
    return settled == GST_STATE_CHANGE_ASYNC ? S_FALSE : S_OK;
}

Result FilterGraph::StartSeek(ReferenceTime position) {
    if (position < 0) {
        return E_INVALIDARG;
    }
    const gboolean sent =
        gst_element_seek(native(), 1.0, GST_FORMAT_TIME,
                         static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE),
                         GST_SEEK_TYPE_SET, UnitsToNanoseconds(position), GST_SEEK_TYPE_NONE, 0);
    return sent ? S_OK : E_FAIL;
}

Result FilterGraph::QueryBasicVideo() const {
    std::lock_guard lock(impl_->mutex);
    if (impl_->undecodableVideo) {
        return S_OK;
    }
    for (const Impl::DecodedStream& stream : impl_->streams) {
        if (stream.type == MajorType::Video) {
            return S_OK;
        }
    }
    return E_NOINTERFACE;
}

namespace {

// Structure of the negotiated caps of the first decoded video stream, or null.
Handle<GstCaps> DecodedVideoCaps(const std::vector<FilterGraph::Impl::DecodedStream>& streams) {
    for (const FilterGraph::Impl::DecodedStream& stream : streams) {
        if (stream.type == MajorType::Video) {
            return Handle<GstCaps>::Adopt(gst_pad_get_current_caps(stream.pad.get()));
        }
    }
    return nullptr;
}

} // namespace

Result FilterGraph::GetVideoSize(int& width, int& height) const {
    std::lock_guard lock(impl_->mutex);
    Handle<GstCaps> caps = DecodedVideoCaps(impl_->streams);
    if (!caps) {
        return impl_->undecodableVideo ? VFW_E_NO_DECODER : VFW_E_NOT_CONNECTED;
    }
    const GstStructure* structure = gst_caps_get_structure(caps.get(), 0);
    gint w = 0;
    gint h = 0;
    if (!gst_structure_get_int(structure, "width", &w) ||
        !gst_structure_get_int(structure, "height", &h)) {
        return VFW_E_INVALID_MEDIA_TYPE;
    }
    width = w;
    height = h;
    return S_OK;
}

Result FilterGraph::GetAvgTimePerFrame(double& seconds) const {
    std::string path;
    {
        std::lock_guard lock(impl_->mutex);
        Handle<GstCaps> caps = DecodedVideoCaps(impl_->streams);
        if (!caps) {
            return impl_->undecodableVideo ? VFW_E_NO_DECODER : VFW_E_NOT_CONNECTED;
        }
        gint num = 0;
        gint den = 0;
        if (gst_structure_get_fraction(gst_caps_get_structure(caps.get(), 0), "framerate", &num,
                                       &den) &&
            num > 0 && den > 0) {
            seconds = static_cast<double>(den) / num;
            return S_OK;
        }
        // Variable frame rate streams, and containers without a default frame
        // duration, advertise 0/1: the frames' own timestamps tell the rate.
        if (impl_->measuredFrameTime > 0.0) {
            seconds = impl_->measuredFrameTime;
            return S_OK;
        }
        if (impl_->measuredFrameTime < 0.0 || impl_->sourcePath.empty()) {
            return VFW_E_INVALID_MEDIA_TYPE;
        }
        path = impl_->sourcePath;
    }
    double measured = 0.0;
    const Result result = internal::MeasureFrameTime(path, measured);
    std::lock_guard lock(impl_->mutex);
    impl_->measuredFrameTime = Succeeded(result) ? measured : -1.0;
    if (Failed(result)) {
        return VFW_E_INVALID_MEDIA_TYPE;
    }
    seconds = measured;
    return S_OK;
}

Result FilterGraph::SetNotifyWindow(QObject* target, int message) {
    impl_->events.SetNotifyTarget(target, message);
    return S_OK;
}

Result FilterGraph::GetEvent(long& code, std::intptr_t& param1, std::intptr_t& param2,
                             int timeoutMs) {
    GraphEvent event;
    const Result result = impl_->events.Pop(event, timeoutMs);
    if (Succeeded(result)) {
        code = event.code;
        param1 = event.param1;
        param2 = event.param2;
    }
    return result;
}

Result FilterGraph::WaitForCompletion(int timeoutMs, long& code) {
    const gint64 deadline = g_get_monotonic_time() + static_cast<gint64>(timeoutMs) * 1000;
    for (;;) {
        const gint64 left = timeoutMs < 0 ? -1 : (deadline - g_get_monotonic_time()) / 1000;
        if (timeoutMs >= 0 && left <= 0) {
            return E_ABORT;
        }
        std::intptr_t param1 = 0;
        std::intptr_t param2 = 0;
        long eventCode = 0;
        if (Failed(GetEvent(eventCode, param1, param2, static_cast<int>(left)))) {
            return E_ABORT;
        }
        if (eventCode == EC_COMPLETE || eventCode == EC_ERRORABORT || eventCode == EC_USERABORT) {
            code = eventCode;
            return eventCode == EC_COMPLETE ? S_OK : static_cast<Result>(param1);
        }
    }
}

std::string FilterGraph::LastErrorText() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->lastErrorText;
}

std::string FilterGraph::LastWarningText() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->lastWarningText;
}

std::string FilterGraph::LastErrorDetail() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->lastErrorDetail;
}

} // namespace media
