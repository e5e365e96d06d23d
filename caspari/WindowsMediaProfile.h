#pragma once

// The Windows Media profile of a WMV conversion, made from the output settings.

#include "OutputSettings.h"
#include "Result.h"
#include "WmProfile.h"

#include <memory>
#include <string>

namespace caspari {

// Audio at the settings' bitrate (44.1 kHz stereo WMA), one video stream at
// the output size, bitrate and whole frame rate with a key frame at least every
// 8 seconds. The preferred codec is WMV3; without it WMV2, then WMV1 are asked
// for, and videoCodec names the one the profile uses. E_INVALIDARG for a frame
// rate under 1; other failures of the generator are returned as they are.
media::Result GenerateWindowsMediaProfile(const settings::OutputSettings& output,
                                          std::shared_ptr<media::WmProfile>& profile,
                                          std::string& videoCodec);

} // namespace caspari
