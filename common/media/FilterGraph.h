#pragma once

// A filter graph: a pipeline of elements that is built, controlled, positioned
// and watched as one unit. Playback graphs come from RenderFile; a render
// engine hands out the graph holding its timeline the same way.

#include "Element.h"
#include "GraphEvents.h"
#include "Handle.h"
#include "Result.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QObject;

namespace media {

// Times are in 100-ns units.
using ReferenceTime = std::int64_t;
constexpr ReferenceTime kUnitsPerSecond = 10'000'000;

enum class GraphState { Stopped, Paused, Running };

// The bound FinishThenStop takes for draining, and again for finishing the
// file when draining does not come: together well inside two seconds.
inline constexpr int kFinishBoundMs = 800;

// How FinishThenStop ended a graph.
enum class FinishOutcome {
    Drained,  // every stream ended at its source and the graph reached its end
    MuxEnded, // the multiplexer's inputs were ended directly and its file finished
    Stopped,  // neither came in time; stopped as it stood
};

// How SetPositions treats each of its two times.
enum class Positioning { None, Absolute };

// Makes the renderer (a sink) for one decoded stream of RenderFile. The default
// gives null renderers that consume data as fast as it comes, for headless use;
// a player puts a real video sink here.
using RendererFactory = std::function<Element(MajorType type)>;

// Makes a filter that joins every decoded video path between the converter (or
// the subtitle filter, which comes first) and the renderer, or an empty Element
// for none.
using VideoFilterFactory = std::function<Element()>;

// Subtitles RenderFile left out because they could not be read: the sidecar
// file's path, or `embedded` for the file's own subtitle stream.
struct LeftOutSubtitles {
    std::string sidecarPath;
    bool embedded = false;
};

class FilterGraph {
public:
    // New empty graph (the framework must be initialized). Failure means no graph
    // could be created at all.
    static Result Create(std::shared_ptr<FilterGraph>& graph);
    // Wraps an existing pipeline, taking a reference of its own.
    static std::shared_ptr<FilterGraph> Wrap(Handle<GstElement> pipeline);

    // Tears down in a fixed order: pipeline stopped, then bus handler and signal
    // handlers removed, then references dropped.
    ~FilterGraph();
    FilterGraph(const FilterGraph&) = delete;
    FilterGraph& operator=(const FilterGraph&) = delete;

    // --- Building ---
    void SetRendererFactory(RendererFactory factory);
    void SetVideoFilterFactory(VideoFilterFactory factory);
    // Bound on how long RenderFile waits for the graph to preroll.
    void SetPrerollTimeout(int milliseconds);

    // Builds the whole playback graph for a file: source, demuxer, decoders,
    // converters and one renderer per decoded audio or video stream, negotiated
    // and paused with nothing flowing yet. VFW_S_PARTIAL_RENDER when some stream
    // had no decoder. On failure the graph is left as it was before the call.
    // The source is named after the file's name ("clip.mkv"). The subtitle
    // filter (SubtitleFilter.h) joins the first video path as the user's load
    // level says; the subtitle stream it draws feeds it, and every other
    // subtitle stream ends in a null renderer of its own.
    // Subtitles that cannot be read never cost the video: a damaged sidecar
    // or a failing subtitle stream is left out and SubtitlesLeftOut says so.
    Result RenderFile(const std::string& path);
    // What the last successful RenderFile left out; empty after a failed one.
    LeftOutSubtitles SubtitlesLeftOut() const;

    // Adds an element under a name; a taken name gets a numbered suffix.
    Result AddFilter(const Element& element, const std::string& name);
    Result RemoveFilter(const Element& element);
    // Top-level elements in the order they were added.
    std::vector<Element> EnumFilters() const;
    // Among the top-level elements, by exact name.
    Element FindFilterByName(const std::string& name) const;
    Result ConnectDirect(const Pad& output, const Pad& input);
    // Unlinks the pad from its peer.
    Result Disconnect(const Pad& pad);

    // --- Control ---
    // S_OK when the state was reached, S_FALSE while the change completes.
    Result Run();
    Result Pause();
    // Stops data flow and closes files and devices.
    Result Stop();
    Result GetState(int timeoutMs, GraphState& state) const;

    // --- Seeking ---
    // S_OK when the graph answers positioning in time (seekable or not), else E_NOINTERFACE.
    Result QuerySeeking() const;
    Result GetDuration(ReferenceTime& duration) const;
    Result GetStopPosition(ReferenceTime& stop) const;
    Result GetCurrentPosition(ReferenceTime& position) const;
    Result SetPositions(ReferenceTime current, Positioning currentFlags, ReferenceTime stop,
                        Positioning stopFlags);
    // Moves the current position (stop position unchanged) to the exact frame at
    // `position` and returns without waiting: a player's picture arrives when the
    // graph has prerolled there, and the window keeps responding meanwhile.
    Result StartSeek(ReferenceTime position);

    // --- Video of the rendered file ---
    // S_OK when the graph has a video stream (decodable or not), E_NOINTERFACE if none.
    Result QueryBasicVideo() const;
    Result GetVideoSize(int& width, int& height) const;
    // Seconds per frame from the negotiated frame rate. A stream that states no
    // rate gets the average distance of its first frames' timestamps, measured
    // once per rendered file in a bounded pass (about a second at most).
    Result GetAvgTimePerFrame(double& seconds) const;

    // --- Events ---
    // Posts a GraphNotifyEvent(message) to target whenever an event is queued;
    // (nullptr, 0) stops posting. Call from the graph's thread.
    Result SetNotifyWindow(QObject* target, int message);
    // Takes the next queued event; timeoutMs 0 = no wait, negative = forever.
    // E_ABORT when none arrived in time.
    Result GetEvent(long& code, std::intptr_t& param1, std::intptr_t& param2, int timeoutMs);
    // Waits until the graph completes or fails; code receives the event code.
    Result WaitForCompletion(int timeoutMs, long& code);
    // Text of the first error the framework reported since the last Run or
    // RenderFile (later ones are usually its consequences), and its detail.
    std::string LastErrorText() const;
    std::string LastErrorDetail() const;
    // "<element>: <text>" of the latest warning the framework reported, or the
    // readable text of the latest missing plugin; warnings are also logged.
    std::string LastWarningText() const;

    // Ends a running conversion early with its file finished, then stops the
    // graph. Each stream ends where it leaves its source: the next data there
    // becomes end-of-stream, in the stream's own thread, so no lock is taken
    // from outside. The graph gets kFinishBoundMs to drain; where it does not
    // (a stalled or failed graph), the inputs of `mux` are ended directly so
    // its file is still finished, with another kFinishBoundMs for that; a
    // graph that never reached playing is only stopped. Blocks
    // for at most about twice that: call it on the media worker, never the UI
    // thread.
    FinishOutcome FinishThenStop(const Element& mux);

    // --- Replacing renderers ---
    // After renderers were removed and their feeding pads linked elsewhere: brings
    // the new elements to the graph's state and starts the streams that leave
    // through `outputs` again from the beginning (a flushing seek sent upstream
    // from each), so the new path receives every frame, the first included.
    Result Rewind(const std::vector<Pad>& outputs);

    GstElement* native() const;

    // Opaque to callers; named here so the implementation files can share it.
    struct Impl;

private:
    explicit FilterGraph(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

} // namespace media
