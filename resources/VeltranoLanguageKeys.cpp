#include "LanguageKeyTable.h"

#include "MessageIds.h"
#include "SharedLanguageKeys.h"

#include <array>

namespace res {
namespace {

constexpr std::array kOwnKeys = {
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
    LanguageKey{kMsgVideoNotFound, "IDS_MESSAGE_VIDEO_NOT_FOUND"},
};

constexpr auto kKeys = WithSharedMessageKeys(kOwnKeys);

} // namespace

std::span<const LanguageKey> VeltranoLanguageKeys() {
    return kKeys;
}

} // namespace res
