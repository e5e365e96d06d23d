#include "CaspariDialogs.h"

#include <array>

namespace res {

namespace {

using K = ControlKind;

// The compressor rows and the bitrate rows share their places: the format
// decides which of them is shown. Size, frame rate and resize are kept hidden.
constexpr std::array kOptionsControls = {
    ControlTemplate{1056, K::Label, "Output Format:", 7, 9, 62, 8, StyleNone},
    ControlTemplate{1046, K::DropDownList, "AVI\nWMV\nMKV", 72, 7, 60, 12, StyleNone},
    ControlTemplate{1020, K::Label, "Output file:", 7, 27, 62, 8, StyleNone},
    ControlTemplate{1009, K::Edit, "", 72, 25, 148, 12, StyleNone},
    ControlTemplate{1021, K::Button, "Browse", 224, 24, 47, 14, StyleNone},
    ControlTemplate{1038, K::Label, "Video compressor:", 7, 47, 62, 8, StyleNone},
    ControlTemplate{1007, K::DropDownList, "", 72, 45, 148, 12, StyleNone},
    ControlTemplate{1015, K::DropDownList, "", 72, 45, 148, 12, StyleHidden},
    ControlTemplate{1016, K::Button, "Settings", 224, 44, 47, 14, StyleNone},
    ControlTemplate{1039, K::Label, "Audio compressor:", 7, 65, 62, 8, StyleNone},
    ControlTemplate{1008, K::DropDownList, "", 72, 63, 148, 12, StyleNone},
    ControlTemplate{1047, K::Label, "Video encoding bitrate:", 7, 47, 92, 8, StyleNone},
    ControlTemplate{1049, K::Edit, "", 102, 45, 50, 12, StyleNone},
    ControlTemplate{1051, K::Label, "Kbps", 156, 47, 30, 8, StyleNone},
    ControlTemplate{1048, K::Label, "Audio encoding bitrate:", 7, 65, 92, 8, StyleNone},
    ControlTemplate{1050, K::DropDownList, "64\n128\n192\n320", 102, 63, 50, 12, StyleNone},
    ControlTemplate{1052, K::Label, "Kbps", 156, 65, 30, 8, StyleNone},
    ControlTemplate{1053, K::Edit, "", 1, 130, 4, 4, StyleHidden},
    ControlTemplate{1040, K::Label,
                    "Note: some video and audio compressors may not work properly. For more "
                    "detail, please read help.",
                    7, 86, 264, 20, StyleNone},
    ControlTemplate{1011, K::Label, "Resolution:", 6, 130, 4, 4, StyleHidden},
    ControlTemplate{1010, K::DropDownList, "", 11, 130, 4, 4, StyleHidden},
    ControlTemplate{1012, K::Edit, "", 16, 130, 4, 4, StyleHidden},
    ControlTemplate{1013, K::Edit, "", 21, 130, 4, 4, StyleHidden},
    ControlTemplate{1036, K::Label, "Frame rate:", 26, 130, 4, 4, StyleHidden},
    ControlTemplate{1017, K::DropDownList, "", 31, 130, 4, 4, StyleHidden},
    ControlTemplate{1018, K::Edit, "", 36, 130, 4, 4, StyleHidden},
    ControlTemplate{1037, K::Label, "Resize mode:", 41, 130, 4, 4, StyleHidden},
    ControlTemplate{1019, K::DropDownList, "", 46, 130, 4, 4, StyleHidden},
    ControlTemplate{1041, K::Button, "OK", 59, 118, 50, 14, StyleDefaultButton},
    ControlTemplate{1014, K::Button, "Default", 114, 118, 50, 14, StyleNone},
    ControlTemplate{1042, K::Button, "Cancel", 169, 118, 50, 14, StyleNone},
};

constexpr DialogTemplate kOptionsDialog{129, "Output options", "Microsoft Sans Serif", 8, 278,
                                        143, kOptionsControls};

// The element list is a one-column report list; the dialog hides its header.
constexpr std::array kFilterPropertiesControls = {
    ControlTemplate{1054, K::ReportList, "", 7, 7, 173, 159, StyleNone},
    ControlTemplate{1055, K::Button, "&Settings", 13, 175, 66, 14, StyleDisabled},
    ControlTemplate{2, K::Button, "&Continue", 103, 175, 66, 14, StyleNone},
};

constexpr DialogTemplate kFilterPropertiesDialog{
    133, "Set Filter's Properties", "MS Sans Serif", 8, 187, 196, kFilterPropertiesControls};

} // namespace

const DialogTemplate& CaspariOptionsDialog() {
    return kOptionsDialog;
}

const DialogTemplate& CaspariFilterPropertiesDialog() {
    return kFilterPropertiesDialog;
}

} // namespace res
