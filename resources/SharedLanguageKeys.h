#pragma once

#include "LanguageKeyTable.h"
#include "MessageIds.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace res {

// The message keys both programs' texts share: the options dialog, the
// conversion questions and the common error captions.
inline constexpr std::array kSharedMessageKeys = {
    LanguageKey{105, "IDS_MESSAGE_ERROR"},
    LanguageKey{108, "IDS_MESSAGE_WARNING"},
    LanguageKey{110, "IDS_MESSAGE_BROWSE_CAPTION"},
    LanguageKey{111, "IDS_MESSAGE_ORIGINAL_SIZE"},
    LanguageKey{112, "IDS_MESSAGE_CUSTOM_SIZE"},
    LanguageKey{113, "IDS_MESSAGE_ORIGINAL_FRAME_SIZE"},
    LanguageKey{114, "IDS_MESSAGE_CUSTOM_FRAME_SIZE"},
    LanguageKey{115, "IDS_MESSAGE_OUTPUT_FILE"},
    LanguageKey{116, "IDS_MESSAGE_RESOLUTION"},
    LanguageKey{117, "IDS_MESSAGE_PRESERVE_ASPECT_RATIO"},
    LanguageKey{118, "IDS_MESSAGE_RESIZE_STRETCH"},
    LanguageKey{119, "IDS_MESSAGE_OPEN_FILE"},
    LanguageKey{120, "IDS_MESSAGE_OPTIONS"},
    LanguageKey{121, "IDS_MESSAGE_CONVERT"},
    LanguageKey{122, "IDS_MESSAGE_NOT_OPEN_FILE"},
    LanguageKey{123, "IDS_MESSAGE_NO_DURATION"},
    LanguageKey{126, "IDS_MESSAGE_RESTART_PROGRAM"},
    LanguageKey{131, "IDS_MESSAGE_FILE_EXIST"},
    LanguageKey{143, "IDS_MESSAGE_STOP_CONVERT"},
    LanguageKey{163, "IDS_MESSAGE_CONVERSION_DONE"},
    LanguageKey{kMsgTimeLeft, "IDS_MESSAGE_TIME_LEFT"},
    LanguageKey{kMsgOutputIsSource, "IDS_MESSAGE_OUTPUT_IS_SOURCE"},
    LanguageKey{kMsgFolderNotCreated, "IDS_MESSAGE_FOLDER_NOT_CREATED"},
    LanguageKey{kMsgOutputIsFolder, "IDS_MESSAGE_OUTPUT_IS_FOLDER"},
    LanguageKey{kMsgOutputNotAFile, "IDS_MESSAGE_OUTPUT_NOT_A_FILE"},
    LanguageKey{kMsgInputNotAFile, "IDS_MESSAGE_INPUT_NOT_A_FILE"},
    LanguageKey{kMsgSubtitleFileUnreadable, "IDS_MESSAGE_SUBTITLE_FILE_UNREADABLE"},
    LanguageKey{kMsgSubtitleStreamUnreadable, "IDS_MESSAGE_SUBTITLE_STREAM_UNREADABLE"},
    LanguageKey{kMsgNoProgress, "IDS_MESSAGE_NO_PROGRESS"},
    LanguageKey{kMsgMp4Refused, "IDS_MESSAGE_MP4_REFUSED"},
    LanguageKey{kMsgFrameRateTooLarge, "IDS_MESSAGE_FRAME_RATE_TOO_LARGE"},
    LanguageKey{kMsgFullPathNeeded, "IDS_MESSAGE_FULL_PATH_NEEDED"},
    LanguageKey{kMsgFrameSizeTooLarge, "IDS_MESSAGE_FRAME_SIZE_TOO_LARGE"},
    LanguageKey{kMsgConsoleSummary, "IDS_MESSAGE_CONSOLE_SUMMARY"},
    LanguageKey{kMsgConsoleSkipped, "IDS_MESSAGE_CONSOLE_SKIPPED"},
    LanguageKey{kMsgConsoleFailed, "IDS_MESSAGE_CONSOLE_FAILED"},
    LanguageKey{kMsgConsoleOutputExists, "IDS_MESSAGE_CONSOLE_OUTPUT_EXISTS"},
    LanguageKey{kMsgConsoleNotStarted, "IDS_MESSAGE_CONSOLE_NOT_STARTED"},
    LanguageKey{kMsgConsoleStopped, "IDS_MESSAGE_CONSOLE_STOPPED"},
    LanguageKey{kMsgConsoleInterrupted, "IDS_MESSAGE_CONSOLE_INTERRUPTED"},
    LanguageKey{kMsgConsoleBadValue, "IDS_MESSAGE_CONSOLE_BAD_VALUE"},
    LanguageKey{kMsgConsoleNoInput, "IDS_MESSAGE_CONSOLE_NO_INPUT"},
    LanguageKey{kMsgConsoleOutputOneInput, "IDS_MESSAGE_CONSOLE_OUTPUT_ONE_INPUT"},
    LanguageKey{kMsgConsoleOneVideo, "IDS_MESSAGE_CONSOLE_ONE_VIDEO"},
    LanguageKey{kMsgConsoleExtension, "IDS_MESSAGE_CONSOLE_EXTENSION"},
    LanguageKey{kMsgConsoleMarkOrder, "IDS_MESSAGE_CONSOLE_MARK_ORDER"},
    LanguageKey{kMsgConsoleMarkPastEnd, "IDS_MESSAGE_CONSOLE_MARK_PAST_END"},
    LanguageKey{kMsgConsoleTryHelp, "IDS_MESSAGE_CONSOLE_TRY_HELP"},
    LanguageKey{kMsgConsoleOutputOrFolder, "IDS_MESSAGE_CONSOLE_OUTPUT_OR_FOLDER"},
    LanguageKey{kMsgConsoleBitrateFormat, "IDS_MESSAGE_CONSOLE_BITRATE_FORMAT"},
};

// A program's key table: its own rows followed by the shared message rows.
template <std::size_t N>
constexpr std::array<LanguageKey, N + kSharedMessageKeys.size()>
WithSharedMessageKeys(const std::array<LanguageKey, N>& own) {
    std::array<LanguageKey, N + kSharedMessageKeys.size()> table{};
    std::copy(own.begin(), own.end(), table.begin());
    std::copy(kSharedMessageKeys.begin(), kSharedMessageKeys.end(), table.begin() + N);
    return table;
}

} // namespace res
