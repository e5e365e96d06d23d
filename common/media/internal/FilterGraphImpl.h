#pragma once

// State behind FilterGraph, shared by the files that implement its parts.

#include "FilterGraph.h"
#include "internal/FileRenderState.h"
#include "internal/GraphEventQueue.h"
#include "internal/PostedErrors.h"
#include "internal/SubtitleSidecar.h"

#include <gst/gst.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace media {

struct FilterGraph::Impl {
    explicit Impl(Handle<GstElement> pipeline);
    ~Impl();
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;

    struct DecodedStream {
        MajorType type = MajorType::Unknown;
        Handle<GstPad> pad;
    };
    struct SignalConnection {
        Handle<GstElement> element;
        gulong id = 0;
    };

    // Runs in streaming threads.
    static GstBusSyncReply OnBusMessage(GstBus* bus, GstMessage* message, gpointer self);
    void HandleError(GstMessage* message);
    void HandleWarning(GstMessage* message);
    void HandleMissingPlugin(GstMessage* message);
    void NoteAsyncDone();
    void NoteEndOfStream();
    // Forgets the errors, the missing pieces and the preroll of an earlier start.
    void ResetReports();

    // RenderFile parts (FileRenderer.cpp).
    void RenderPendingPads();
    void RenderDecodedPad(GstPad* pad, const Handle<GstElement>& subtitleFilter);
    Element MakeRenderer(MajorType type);
    // A decoded stream whose chain could not be linked: counted as one without
    // a decoder (a partial render) and named in the latest warning.
    void NoteUnlinkedStream(GstPad* pad);
    // One attempt of RenderFile; `keepSubtitlesUndecoded` stops decodebin before
    // any subtitle decoder.
    Result RenderOnce(const std::string& path, int level, const internal::Sidecar& subtitleSidecar,
                      bool keepSubtitlesUndecoded);
    // started: what setting the pipeline to PAUSED returned.
    Result WaitForPreroll(GstStateChangeReturn started);
    void UndoRender(const std::vector<Handle<GstElement>>& added);
    void DisconnectSignals();

    Handle<GstElement> pipeline;
    Handle<GstBus> bus;
    internal::GraphEventQueue events;
    // Errors as posted, for those a bin drops before they reach the bus; gone
    // before the pipeline goes.
    std::optional<internal::PostedErrorWatch> postedErrors;

    mutable std::mutex mutex; // guards everything below that streaming threads touch
    std::string lastErrorText;
    std::string lastErrorDetail;
    Result lastError = S_OK;
    std::atomic<int> errorCount{0}; // since the last Run or RenderFile
    std::string lastWarningText;
    // Readable text (with the package to install) of the first missing piece
    // since the last Run or RenderFile; it stands for the error it causes.
    std::string missingPluginText;
    bool asyncDone = false;           // the pipeline finished an asynchronous state change
    bool endOfStream = false;         // every sink has ended since the last Run
    std::condition_variable reported; // on asyncDone, endOfStream and errors
    std::vector<DecodedStream> streams;
    LeftOutSubtitles subtitlesLeftOut; // by the last RenderFile
    std::vector<Handle<GstElement>> renderedElements;
    int undecodableStreams = 0;
    bool undecodableVideo = false;
    std::string sourcePath; // of the rendered file
    // Seconds per frame measured for a stream without a stated rate: 0 not
    // measured yet, negative when measuring failed.
    double measuredFrameTime = 0.0;

    internal::FileRenderState fileRender; // shared with decodebin's thread; its own lock
    std::vector<SignalConnection> signalConnections;
    RendererFactory rendererFactory;
    VideoFilterFactory videoFilterFactory;
    // Rendering waits in the background, so the bound can allow for slow media
    // (a pipe, a network mount) and for the subtitle filter's font set-up.
    int prerollTimeoutMs = 10000;
};

} // namespace media
