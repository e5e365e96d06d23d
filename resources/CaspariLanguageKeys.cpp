#include "LanguageKeyTable.h"

#include "MessageIds.h"
#include "SharedLanguageKeys.h"

#include <array>

namespace res {
namespace {

constexpr std::array kOwnKeys = {
    LanguageKey{32771, "IDM_ABOUT"},
    LanguageKey{131u * 65536u, "IDM_SELECT_LANGUAGE"}, // first submenu of popup menu 131
    LanguageKey{32772, "IDM_POPUPMENU_FONT"},
    LanguageKey{100, "IDC_BUTTON_ABOUT"}, // About box caption
    LanguageKey{1027, "IDC_BUTTON_ABOUT"},
    LanguageKey{1045, "IDD_PROGRAM_CAPTION"}, // product name line of the About box
    LanguageKey{102, "IDD_PROGRAM_CAPTION"},  // main window caption
    LanguageKey{129, "IDD_DIALOG_OUTPUT_OPTIONS"},
    LanguageKey{1021, "IDC_BUTTON_BROWSE"},
    LanguageKey{1020, "IDC_STATIC_OUTPUT_FILE"},
    LanguageKey{1011, "IDC_STATIC_RESOLUTION"},
    LanguageKey{1036, "IDC_STATIC_FRAME_RATE"},
    LanguageKey{1037, "IDC_STATIC_RESIZE_MODE"},
    LanguageKey{1038, "IDC_STATIC_VIDEO_COMPRESSOR"},
    LanguageKey{1016, "IDC_BUTTON_VIDEO_CODEC_SETTINGS"},
    LanguageKey{1039, "IDC_STATIC_AUDIO_COMPRESSOR"},
    LanguageKey{1040, "IDC_STATIC_OPTIONS_NOTE"},
    LanguageKey{1014, "IDC_BUTTON_OUTPUT_DEAULT"},
    LanguageKey{1041, "IDC_BUTTON_OPTIONS_OK"},
    LanguageKey{1042, "IDC_BUTTON_OPTIONS_CANCEL"},
    LanguageKey{1056, "IDC_STATIC_OUTPUT_FORMAT"},
    LanguageKey{1047, "IDC_STATIC_VIDEO_COMPRESSOR_BITRATE"},
    LanguageKey{1048, "IDC_STATIC_AUDIO_COMPRESSOR_BITRATE"},
    LanguageKey{1043, "IDC_BUTTON_HELP"},
    LanguageKey{1026, "IDC_BUTTON_HOMEPAGE"},
    LanguageKey{1022, "IDC_BUTTON_EXIT"},
    LanguageKey{1000, "IDC_BUTTON_ADD_VIDEO"},
    LanguageKey{1006, "IDC_BUTTON_OUTPUT_SETTINGS"},
    LanguageKey{1002, "IDC_BUTTON_CONVERT"},
    LanguageKey{125, "IDC_BUTTON_CONVERT"}, // the Convert button's idle label
    LanguageKey{124, "IDC_BUTTON_STOP"},    // the Convert button's label while converting
    LanguageKey{kMsgOutputNotRemovable, "IDS_MESSAGE_OUTPUT_NOT_REMOVABLE"},
    LanguageKey{kMsgBatchMore, "IDS_MESSAGE_BATCH_MORE"},
    LanguageKey{kMsgBatchFile, "IDS_MESSAGE_BATCH_FILE"},
    LanguageKey{kMsgBatchConverted, "IDS_MESSAGE_BATCH_CONVERTED"},
    LanguageKey{kMsgBatchStopped, "IDS_MESSAGE_BATCH_STOPPED"},
    LanguageKey{kMsgBatchFailed, "IDS_MESSAGE_BATCH_FAILED"},
    LanguageKey{kMsgBatchKept, "IDS_MESSAGE_BATCH_KEPT"},
    LanguageKey{kMsgBatchOutputsExist, "IDS_MESSAGE_BATCH_OUTPUTS_EXIST"},
};

constexpr auto kKeys = WithSharedMessageKeys(kOwnKeys);

} // namespace

std::span<const LanguageKey> CaspariLanguageKeys() {
    return kKeys;
}

} // namespace res
