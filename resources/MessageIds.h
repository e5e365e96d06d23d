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
// caspari's batch of several videos.
inline constexpr int kMsgBatchMore = 185;         // source line; %1 is how many follow the first
inline constexpr int kMsgBatchFile = 186;         // status line; %1 of %2 files, %3 its name
inline constexpr int kMsgBatchConverted = 187;    // %1 of %2 files converted
inline constexpr int kMsgBatchStopped = 188;      // %1 the stopped file, %2 how many did not start
inline constexpr int kMsgBatchFailed = 189;       // heads the files that failed, one a line
inline constexpr int kMsgBatchKept = 190;         // heads the files whose output was kept
inline constexpr int kMsgBatchOutputsExist = 191; // %1 of %2 outputs exist in folder %3

// The command line of both programs.
inline constexpr int kMsgConsoleSummary = 200;      // summary; %1 converted, %2 skipped, %3 failed
inline constexpr int kMsgConsoleSkipped = 201;      // %1 the video, %2 why
inline constexpr int kMsgConsoleFailed = 202;       // %1 the video, %2 why
inline constexpr int kMsgConsoleOutputExists = 203; // %1 the output file
inline constexpr int kMsgConsoleNotStarted = 204;   // why a file was skipped
inline constexpr int kMsgConsoleStopped = 205;      // %1 how much was done, e.g. 45%
inline constexpr int kMsgConsoleInterrupted = 206;  // on SIGINT or SIGTERM
inline constexpr int kMsgConsoleBadValue = 207;     // %1 the option, %2 the value given
inline constexpr int kMsgConsoleNoInput = 208;
inline constexpr int kMsgConsoleOutputOneInput = 209;
inline constexpr int kMsgConsoleOneVideo = 210;
inline constexpr int kMsgConsoleExtension = 211;   // %1 the output file, %2 the extension
inline constexpr int kMsgConsoleMarkOrder = 212;   // %1 end, %2 start
inline constexpr int kMsgConsoleMarkPastEnd = 213; // %1 start, %2 the video's length
inline constexpr int kMsgConsoleTryHelp = 214;     // %1 the program
inline constexpr int kMsgConsoleOutputOrFolder = 215;
inline constexpr int kMsgConsoleBitrateFormat = 216; // %1 the option

} // namespace res
