#pragma once

// Errors as their elements post them, before any bin filters them.
//
// decodebin drops the errors an element posts while it brings that element to
// PAUSED: they are meant for a candidate that fails and gives way to the next
// one. When the element succeeds but its streaming thread has already failed
// meanwhile (qtdemux finding no index in a truncated MP4 does, most often when
// the plugins are warm), the error is lost: the pipeline never reports it and
// never prerolls, and the preroll wait runs to its bound. A tracer sees every
// error as it is posted; the ones posted inside a graph are kept in its log,
// and the preroll wait takes an error whose element stayed in the graph as the
// failure it is.

#include "Handle.h"

#include <gst/gst.h>

#include <chrono>
#include <memory>
#include <mutex>
#include <vector>

namespace media::internal {

class PostedErrorLog {
public:
    using Clock = std::chrono::steady_clock;

    // From streaming threads.
    void Add(GstElement* source, GstMessage* error);
    // The first error posted at least `grace` ago by an element that still
    // takes part in the graph with its state settled at PAUSED or beyond:
    // nothing but a lost report keeps such an error from the graph's bus.
    // Null when there is none.
    Handle<GstMessage> Stranded(Clock::duration grace);
    void Clear();

private:
    struct Posted {
        Handle<GstElement> source;
        Handle<GstMessage> message;
        Clock::time_point at;
    };
    std::mutex mutex_;
    std::vector<Posted> posted_;
};

// Keeps the errors posted inside `pipeline` in a log while the object lives.
// The first one installs the process's tracer (the framework must be up).
class PostedErrorWatch {
public:
    explicit PostedErrorWatch(GstElement* pipeline);
    ~PostedErrorWatch();
    PostedErrorWatch(const PostedErrorWatch&) = delete;
    PostedErrorWatch& operator=(const PostedErrorWatch&) = delete;

    PostedErrorLog& log() { return *log_; }

private:
    GstElement* pipeline_; // not owned: the key the tracer looks the log up by
    std::shared_ptr<PostedErrorLog> log_;
};

} // namespace media::internal
