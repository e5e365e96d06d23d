#include "PlaybackRenderers.h"

#include "FrameSink.h"

#include <atomic>

namespace media {

RendererFactory PlaybackRenderers(std::shared_ptr<FrameSink> frames) {
    // Called from streaming threads; a second video stream gets a null renderer.
    auto videoTaken = std::make_shared<std::atomic<bool>>(false);
    return [frames = std::move(frames), videoTaken](MajorType type) -> Element {
        switch (type) {
        case MajorType::Video:
            return videoTaken->exchange(true) ? Element() : frames->renderer();
        case MajorType::Audio:
            // Picks the desktop's sound server or device, and falls back to a
            // synchronised null sink (with a logged warning) when there is none.
            return Element::Create("autoaudiosink");
        default: {
            // Keeps time with the picture: a sink that ran ahead would make the
            // graph report its position instead of the one being watched.
            Element sink = Element::Create("fakesink");
            if (sink) {
                sink.SetProperty("sync", "true");
                sink.SetProperty("async", "false");
            }
            return sink;
        }
        }
    };
}

} // namespace media
