#include "VeltranoStrings.h"

#include "MessageIds.h"

#include <array>

namespace res {
namespace {

constexpr std::array kStrings = {
    StringResource{101, "&About VELTRANO"},
    StringResource{105, "Error"},
    StringResource{108, "Warning"},
    StringResource{110, "Select Output File Name"},
    StringResource{111, "Original size"},
    StringResource{112, "Custom size"},
    StringResource{113, "Original frame rate"},
    StringResource{114, "Custom frame rate"},
    StringResource{115, "Output file:"},
    StringResource{116, "Resolution:"},
    StringResource{117, "Preserve aspect ratio"},
    StringResource{118, "Stretch"},
    StringResource{119, "Open a video file"},
    StringResource{120, "Customize output options"},
    StringResource{121, "Convert video"},
    StringResource{122,
                   "Cannot open the file. You need to install appropriate decoders. Or the file "
                   "is corrupt."},
    StringResource{123, "Can not get the duration of the clip!"},
    StringResource{124, "Stop"},
    StringResource{125, "Convert"},
    StringResource{126, "Please restart the program"},
    StringResource{131, "exists. Do you want to replace it?"},
    StringResource{143, "Please first stop converting"},
    StringResource{163, "Done"},
    StringResource{kMsgTimeLeft, "about %1 left"},
    StringResource{kMsgOutputIsSource, "The output file is the video being converted. Please "
                                       "choose another output file in Options."},
    kFrameRateTooLargeString,
    kFullPathNeededString,
    kFrameSizeTooLargeString,
    StringResource{kMsgVideoNotFound,
                   "The video file %1 can not be found. It may have been moved or deleted."},
    StringResource{kMsgFolderNotCreated, "Could not create the folder %1 for the output file."},
};

} // namespace

std::span<const StringResource> VeltranoStrings() {
    return kStrings;
}

} // namespace res
