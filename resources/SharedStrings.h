#pragma once

#include "MessageIds.h"
#include "StringTable.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace res {

// The built-in English texts both programs show: the options dialog, the
// main window's status line and the conversion questions.
inline constexpr std::array kSharedStrings = {
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
    StringResource{kMsgFolderNotCreated, "Could not create the folder %1 for the output file."},
    StringResource{kMsgOutputIsFolder,
                   "The output file %1 is a folder. Please choose a file name in Options."},
    StringResource{kMsgInputNotAFile,
                   "%1 is a folder, a pipe or a device, not a video file, and cannot be opened."},
    StringResource{kMsgSubtitleFileUnreadable, "The subtitle file %1 could not be read; the "
                                               "video is converted without it."},
    StringResource{kMsgSubtitleStreamUnreadable, "The subtitles inside the video could not be "
                                                 "read; the video is converted without them."},
    StringResource{kMsgNoProgress, "The conversion stopped making progress at %1."},
    StringResource{kMsgMp4Refused, "MP4 holds H.264, H.265 or MPEG-4 Visual video and AAC or MP3 "
                                   "sound; %1 writes neither. Choose another compressor in the "
                                   "output options."},
    StringResource{kMsgOutputNotAFile, "The output file %1 is not a file that can be written. "
                                       "Please choose a file name in Options."},
    StringResource{kMsgFrameRateTooLarge, "The frame rate is too large!"},
    StringResource{kMsgFullPathNeeded, "Please give the output file with its full path, for "
                                       "example /home/me/Videos/output.avi"},
    StringResource{kMsgFrameSizeTooLarge,
                   "The frame size is too large! Width and height can be at most %1."},
    StringResource{kMsgConsoleSummary, "%1 converted, %2 skipped, %3 failed."},
    StringResource{kMsgConsoleSkipped, "Skipped %1: %2"},
    StringResource{kMsgConsoleFailed, "Failed %1: %2"},
    StringResource{kMsgConsoleOutputExists,
                   "%1 exists already and is kept; --overwrite replaces it."},
    StringResource{kMsgConsoleNotStarted, "Not started: the run was interrupted."},
    StringResource{kMsgConsoleStopped,
                   "Stopped at %1 by an interrupt; the file plays up to there."},
    StringResource{
        kMsgConsoleInterrupted,
        "Interrupted: the video under way is finished where it got to, the rest is skipped."},
    StringResource{kMsgConsoleBadValue, "Invalid value for %1: %2"},
    StringResource{kMsgConsoleNoInput, "No video file given."},
    StringResource{kMsgConsoleOutputOneInput,
                   "--output names one output file; give --output-dir for several videos."},
    StringResource{kMsgConsoleOneVideo, "Give exactly one video file."},
    StringResource{kMsgConsoleExtension, "The output file %1 must end in %2."},
    StringResource{kMsgConsoleMarkOrder, "The end mark %1 must come after the start mark %2."},
    StringResource{kMsgConsoleMarkPastEnd,
                   "The start mark %1 lies at or past the end of the video (%2)."},
    StringResource{kMsgConsoleTryHelp, "Try '%1 --help' for the options."},
    StringResource{kMsgConsoleOutputOrFolder, "Give either --output or --output-dir, not both."},
    StringResource{kMsgConsoleBitrateFormat, "%1 applies to WMV only."},
};

// A program's string table: its own texts followed by the shared ones.
template <std::size_t N>
constexpr std::array<StringResource, N + kSharedStrings.size()>
WithSharedStrings(const std::array<StringResource, N>& own) {
    std::array<StringResource, N + kSharedStrings.size()> table{};
    std::copy(own.begin(), own.end(), table.begin());
    std::copy(kSharedStrings.begin(), kSharedStrings.end(), table.begin() + N);
    return table;
}

} // namespace res
