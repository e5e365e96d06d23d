#pragma once

#include "CompressorDevices.h"

#include <memory>

namespace settings {

// The encoders installed on this machine, bound through the media layer.
std::unique_ptr<CompressorDevices> MakeInstalledCompressorDevices();

} // namespace settings
