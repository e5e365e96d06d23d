#pragma once

// What one RenderFile shares with decodebin's streaming thread: set by the
// rendering thread before the pipeline starts, then read and filled in by the
// streaming thread in pad-added and no-more-pads, and read back by the
// rendering thread once the preroll settled. Nothing else touches it; it has
// its own lock so that the graph's lock is never taken for it.

#include "Handle.h"
#include "internal/SubtitleSidecar.h"

#include <gst/gst.h>

#include <mutex>
#include <utility>
#include <vector>

namespace media::internal {

class FileRenderState {
public:
    struct Subtitles {
        int level = 2;   // load level of the subtitle filter for this render
        Sidecar sidecar; // beside the rendered file, when it is to be drawn
    };

    // Rendering thread, before the pipeline starts: forgets an earlier render.
    void Begin(const Subtitles& subtitles) {
        std::lock_guard lock(mutex_);
        subtitles_ = subtitles;
        pendingPads_.clear();
        drawsSubtitles_ = false;
    }
    // Streaming thread: a pad decodebin exposed, its chain not built yet.
    void AddPendingPad(GstPad* pad) {
        std::lock_guard lock(mutex_);
        pendingPads_.push_back(Handle<GstPad>::Ref(pad));
    }
    // Streaming thread, once decodebin exposed them all.
    std::vector<Handle<GstPad>> TakePendingPads() {
        std::lock_guard lock(mutex_);
        return std::exchange(pendingPads_, {});
    }
    Subtitles subtitles() const {
        std::lock_guard lock(mutex_);
        return subtitles_;
    }
    void SetDrawsSubtitles(bool draws) {
        std::lock_guard lock(mutex_);
        drawsSubtitles_ = draws;
    }

    // Rendering thread, after the preroll: whether a sidecar or the file's own
    // subtitle stream was drawn.
    bool drawsSubtitles() const {
        std::lock_guard lock(mutex_);
        return drawsSubtitles_;
    }

private:
    mutable std::mutex mutex_;
    Subtitles subtitles_;
    std::vector<Handle<GstPad>> pendingPads_;
    bool drawsSubtitles_ = false;
};

} // namespace media::internal
