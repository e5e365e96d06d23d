#include "LanguageKeyTable.h"

#include "MessageIds.h"

#include <array>

namespace res {
namespace {

constexpr std::array kKeys = {
    LanguageKey{32778, "IDM_ABOUT"},
    LanguageKey{160u * 65536u, "IDM_SELECT_LANGUAGE"}, // first submenu of popup menu 160
    LanguageKey{32781, "IDM_POPUPMENU_FONT"},
    LanguageKey{100, "IDC_BUTTON_ABOUT"}, // About box caption
    LanguageKey{1042, "IDC_BUTTON_ABOUT"},
    LanguageKey{1085, "IDD_PROGRAM_CAPTION"}, // product name line of the About box
    LanguageKey{102, "IDD_PROGRAM_CAPTION"},  // main window caption
    LanguageKey{129, "IDD_DIALOG_OUTPUT_OPTIONS"},
    LanguageKey{1024, "IDC_BUTTON_BROWSE"},
    LanguageKey{1023, "IDC_STATIC_OUTPUT_FILE"},
    LanguageKey{1026, "IDC_STATIC_RESOLUTION"},
    LanguageKey{1078, "IDC_STATIC_FRAME_RATE"},
    LanguageKey{1079, "IDC_STATIC_RESIZE_MODE"},
    LanguageKey{1080, "IDC_STATIC_VIDEO_COMPRESSOR"},
    LanguageKey{1053, "IDC_BUTTON_VIDEO_CODEC_SETTINGS"},
    LanguageKey{1081, "IDC_STATIC_AUDIO_COMPRESSOR"},
    LanguageKey{1077, "IDC_STATIC_OPTIONS_NOTE"},
    LanguageKey{1051, "IDC_BUTTON_OUTPUT_DEAULT"},
    LanguageKey{1082, "IDC_BUTTON_OPTIONS_OK"},
    LanguageKey{1083, "IDC_BUTTON_OPTIONS_CANCEL"},
    LanguageKey{1084, "IDC_BUTTON_HELP"},
    LanguageKey{1047, "IDC_BUTTON_HOMEPAGE"},
    LanguageKey{1076, "IDC_BUTTON_EXIT"},
    LanguageKey{1006, "IDC_BUTTON_ADD_VIDEO"},
    LanguageKey{1003, "IDC_BUTTON_OUTPUT_SETTINGS"},
    LanguageKey{1000, "IDC_BUTTON_CONVERT"},
    LanguageKey{125, "IDC_BUTTON_CONVERT"}, // the Convert button's idle label
    LanguageKey{1061, "IDC_BUTTON_STOP"},
    LanguageKey{124, "IDC_BUTTON_STOP"}, // the Convert button's label while converting
    LanguageKey{1058, "IDC_BUTTON_PLAY"},
    LanguageKey{1060, "IDC_BUTTON_PAUSE"},
    LanguageKey{1062, "IDC_BUTTON_START_TIME"},
    LanguageKey{1063, "IDC_BUTTON_END_TIME"},
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
    LanguageKey{kMsgFrameRateTooLarge, "IDS_MESSAGE_FRAME_RATE_TOO_LARGE"},
    LanguageKey{kMsgFullPathNeeded, "IDS_MESSAGE_FULL_PATH_NEEDED"},
    LanguageKey{kMsgFrameSizeTooLarge, "IDS_MESSAGE_FRAME_SIZE_TOO_LARGE"},
    LanguageKey{kMsgVideoNotFound, "IDS_MESSAGE_VIDEO_NOT_FOUND"},
    LanguageKey{kMsgFolderNotCreated, "IDS_MESSAGE_FOLDER_NOT_CREATED"},
};

} // namespace

std::span<const LanguageKey> VeltranoLanguageKeys() {
    return kKeys;
}

} // namespace res
