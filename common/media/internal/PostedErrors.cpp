#include "internal/PostedErrors.h"

#include <map>
#include <mutex>
#include <new>

namespace media::internal {

namespace {

// The logs of the graphs alive, by their pipeline. Streaming threads look a
// log up while its graph may go away: they hold the log, not the graph.
struct Watched {
    std::mutex mutex;
    std::map<const GstObject*, std::weak_ptr<PostedErrorLog>> logs;
};

// Never destroyed: graphs may still go away on other threads while the
// process exits.
Watched& WatchedGraphs() {
    alignas(Watched) static unsigned char storage[sizeof(Watched)];
    static Watched* const watched = new (storage) Watched;
    return *watched;
}

std::shared_ptr<PostedErrorLog> LogOf(const GstObject* pipeline) {
    Watched& watched = WatchedGraphs();
    std::lock_guard lock(watched.mutex);
    const auto found = watched.logs.find(pipeline);
    return found != watched.logs.end() ? found->second.lock() : nullptr;
}

// The graph an element takes part in: its topmost ancestor.
Handle<GstObject> TopOf(GstElement* element) {
    auto top = Handle<GstObject>::Ref(GST_OBJECT(element));
    while (auto parent = Handle<GstObject>::Adopt(gst_object_get_parent(top.get()))) {
        top = std::move(parent);
    }
    return top;
}

// Runs in the thread that posts, before the message travels up the bins.
void OnMessagePosted(GObject*, GstClockTime, GstElement* element, GstMessage* message) {
    // Bins post again what they pass up; only the element's own post counts.
    if (GST_MESSAGE_TYPE(message) != GST_MESSAGE_ERROR ||
        GST_MESSAGE_SRC(message) != GST_OBJECT(element)) {
        return;
    }
    if (const std::shared_ptr<PostedErrorLog> log = LogOf(TopOf(element).get())) {
        log->Add(element, message);
    }
}

void InitTracer(GTypeInstance* tracer, gpointer) {
    gst_tracing_register_hook(GST_TRACER(tracer), "element-post-message-pre",
                              G_CALLBACK(&OnMessagePosted));
}

GType TracerType() {
    static const GType type = g_type_register_static_simple(
        GST_TYPE_TRACER, "ConvertersPostedErrorTracer", sizeof(GstTracerClass), nullptr,
        sizeof(GstTracer), &InitTracer, static_cast<GTypeFlags>(0));
    return type;
}

void InstallTracer() {
    // The framework keeps the tracer with its hook until it shuts down.
    const auto tracer = Handle<GstObject>::AdoptFloating(
        static_cast<GstObject*>(g_object_new(TracerType(), nullptr)));
    static_cast<void>(tracer);
}

} // namespace

void PostedErrorLog::Add(GstElement* source, GstMessage* error) {
    std::lock_guard lock(mutex_);
    posted_.push_back(
        {Handle<GstElement>::Ref(source), Handle<GstMessage>::Ref(error), Clock::now()});
}

Handle<GstMessage> PostedErrorLog::Stranded(Clock::duration grace) {
    std::vector<Posted> posted;
    {
        std::lock_guard lock(mutex_);
        posted = posted_;
    }
    const Clock::time_point latest = Clock::now() - grace;
    for (const Posted& error : posted) {
        if (error.at > latest) {
            continue;
        }
        // decodebin removes a candidate that failed; its errors had their use.
        const auto parent =
            Handle<GstObject>::Adopt(gst_object_get_parent(GST_OBJECT(error.source.get())));
        GstState current = GST_STATE_VOID_PENDING;
        GstState pending = GST_STATE_VOID_PENDING;
        if (parent &&
            gst_element_get_state(error.source.get(), &current, &pending, 0) !=
                GST_STATE_CHANGE_FAILURE &&
            pending == GST_STATE_VOID_PENDING && current >= GST_STATE_PAUSED) {
            return error.message;
        }
    }
    return {};
}

void PostedErrorLog::Clear() {
    std::vector<Posted> cleared;
    std::lock_guard lock(mutex_);
    cleared.swap(posted_);
}

PostedErrorWatch::PostedErrorWatch(GstElement* pipeline)
    : pipeline_(pipeline), log_(std::make_shared<PostedErrorLog>()) {
    static std::once_flag installed;
    std::call_once(installed, InstallTracer);
    Watched& watched = WatchedGraphs();
    std::lock_guard lock(watched.mutex);
    watched.logs[GST_OBJECT(pipeline_)] = log_;
}

PostedErrorWatch::~PostedErrorWatch() {
    Watched& watched = WatchedGraphs();
    std::lock_guard lock(watched.mutex);
    watched.logs.erase(GST_OBJECT(pipeline_));
}

} // namespace media::internal
