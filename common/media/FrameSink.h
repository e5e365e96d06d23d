#pragma once

// A video renderer that hands decoded pictures to the UI thread: the frames
// come from a streaming thread and are passed on as posted calls, the newest
// one only. A frame that arrives while an older one still waits replaces it
// (counted as dropped), so a slow painter never makes the graph queue up.

#include "Element.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>

namespace media {

// One decoded picture, 32-bit pixels in byte order R, G, B, unused. Copies
// share the picture; it stays valid for as long as a copy exists.
class VideoFrame {
public:
    VideoFrame() = default;

    explicit operator bool() const { return static_cast<bool>(impl_); }
    int width() const;
    int height() const;
    int bytesPerLine() const;
    const std::uint8_t* bits() const;

    // Opaque to callers; named here so the implementation can build frames.
    struct Impl;
    explicit VideoFrame(std::shared_ptr<const Impl> impl) : impl_(std::move(impl)) {}

private:
    std::shared_ptr<const Impl> impl_;
};

struct FrameCounts {
    int delivered = 0; // handed to the receiver
    int replaced = 0;  // overtaken by a newer frame before the receiver got them
};

class FrameSink {
public:
    using FrameHandler = std::function<void(const VideoFrame&)>;

    // `onFrame` runs on the main thread, and only while `receiver` exists.
    FrameSink(QObject* receiver, FrameHandler onFrame);
    // Stops handing over frames; frames already posted are dropped.
    ~FrameSink();
    FrameSink(const FrameSink&) = delete;
    FrameSink& operator=(const FrameSink&) = delete;

    // The renderer element to put at the end of a video path; one per sink.
    Element renderer() const;
    FrameCounts counts() const;
    // The stream time of the picture on show, in 100-ns units; false before
    // the first one. The whole graph would answer with its furthest sink,
    // which need not be the one being watched.
    bool position(std::int64_t& position) const;

    struct Shared;

private:
    std::shared_ptr<Shared> shared_;
    Element renderer_;
};

} // namespace media
