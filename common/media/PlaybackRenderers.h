#pragma once

// The renderers of a playback graph: decoded video goes to a frame sink the
// window paints from, sound to the desktop's audio output. Without a sound
// device the audio output is a null renderer that still keeps time, so the
// picture plays at its real speed.

#include "FilterGraph.h"

#include <memory>

namespace media {

class FrameSink;

RendererFactory PlaybackRenderers(std::shared_ptr<FrameSink> frames);

} // namespace media
