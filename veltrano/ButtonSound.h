#pragma once

#include "HoverSound.h"
#include "SoundPlayer.h"

namespace veltrano {

// The click the main window's buttons make when the mouse moves onto them
// (sound 144), played through the media layer.
class ButtonSound final : public uikit::HoverSound {
public:
    ButtonSound();
    void Play() override;

private:
    media::SoundPlayer player_;
};

} // namespace veltrano
