#pragma once

namespace uikit {

// What a skinned button plays when the mouse moves onto it. The program owns
// the sound (and the media layer behind it); buttons only borrow it.
struct HoverSound {
    virtual ~HoverSound();
    // Starts the sound and returns at once.
    virtual void Play() = 0;
};

} // namespace uikit
