#pragma once

#include "StringTable.h"

namespace res {

// Message strings added later, numbered clear of the first ones (105 to 163). Each
// has a language key IDS_MESSAGE_... in the programs' key tables and every language file.
inline constexpr int kMsgTimeLeft = 170;                 // progress bar; %1 is the time still to go
inline constexpr int kMsgOutputIsSource = 171;           // output file is the video being converted
inline constexpr int kMsgFrameRateTooLarge = 172;        // options dialog
inline constexpr int kMsgFullPathNeeded = 173;           // options dialog
inline constexpr int kMsgFrameSizeTooLarge = 174;        // options dialog; %1 is the largest side
inline constexpr int kMsgVideoNotFound = 175;            // %1 is the video's path
inline constexpr int kMsgFolderNotCreated = 176;         // %1 is the output file's folder
inline constexpr int kMsgOutputNotRemovable = 177;       // %1 is the existing output file
inline constexpr int kMsgOutputIsFolder = 178;           // %1 is the output path
inline constexpr int kMsgOutputNotAFile = 179;           // %1 is the output path
inline constexpr int kMsgInputNotAFile = 180;            // %1 is the path picked to open
inline constexpr int kMsgSubtitleFileUnreadable = 181;   // status line; %1 is the subtitle file
inline constexpr int kMsgSubtitleStreamUnreadable = 182; // status line
inline constexpr int kMsgNoProgress = 183; // conversion failure; %1 is the time reached
inline constexpr int kMsgMp4Refused = 184; // %1 is the compressor that cannot go into MP4

} // namespace res
