#include "CaspariDialogs.h"

#include <array>

namespace res {

namespace {

using K = ControlKind;

// The compressor rows and the bitrate rows share their places: the format
// decides which of them is shown. Size, frame rate and resize are kept hidden.
constexpr std::array kOptionsControls = {
    ControlTemplate{1056, K::Label, "Output Format:", 7, 9, 62, 8, StyleNone},
    ControlTemplate{1046, K::DropDownList, "AVI\nWMV\nMKV\nMP4", 72, 7, 60, 12, StyleNone},
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

constexpr std::array kMainControls = {
    ControlTemplate{1000, K::Button, "Open Video", 7, 7, 66, 26, StyleNone},
    ControlTemplate{1006, K::Button, "Options", 76, 7, 66, 25, StyleNone},
    ControlTemplate{1002, K::Button, "Convert", 145, 7, 66, 26, StyleNone},
    ControlTemplate{1043, K::Button, "Help", 214, 7, 66, 26, StyleNone},
    ControlTemplate{1001, K::Label, "", 8, 41, 273, 16, StyleCentred | StyleSunken},
    ControlTemplate{1003, K::Button, "Build Filters", 7, 55, 28, 14, StyleNone},
    ControlTemplate{1004, K::Label, "", 7, 68, 273, 28, StyleSunken},
    // Shown only while converting: how much of the source is written.
    ControlTemplate{1090, K::ProgressBar, "", 7, 97, 273, 7, StyleHidden},
    ControlTemplate{1026, K::Button, "Homepage", 76, 106, 66, 26, StyleNone},
    ControlTemplate{1027, K::Button, "About", 145, 106, 66, 26, StyleNone},
    ControlTemplate{1022, K::Button, "Exit", 214, 106, 66, 26, StyleNone},
};

constexpr DialogTemplate kMainDialog{102, "OpenContainer", "MS Sans Serif", 8, 287,
                                     140, kMainControls};

// The icon is a picture label the dialog fills.
constexpr std::array kAboutControls = {
    ControlTemplate{1050, K::Label, "", 10, 10, 32, 32, StyleNone},
    ControlTemplate{1045, K::Label, "CASPARI", 52, 10, 170, 10, StyleNone},
    ControlTemplate{1044, K::Label, "Version 2.0", 52, 22, 170, 10, StyleNone},
    ControlTemplate{kNoControlId, K::Label, "Made by TarnwickStudio.", 52, 38, 170, 10, StyleNone},
    ControlTemplate{kNoControlId, K::Label,
                    "Questions and suggestions: the support page of the product's homepage.", 52,
                    50, 170, 20, StyleNone},
    ControlTemplate{kNoControlId, K::Label,
                    "Windows Media video and audio are written with the installed WMV and WMA "
                    "encoders.",
                    52, 72, 170, 20, StyleNone},
    ControlTemplate{1, K::Button, "OK", 172, 96, 50, 14, StyleDefaultButton},
};

constexpr DialogTemplate kAboutDialog{100, "About", "MS Sans Serif", 8, 232, 117, kAboutControls};

} // namespace

const DialogTemplate& CaspariMainDialog() {
    return kMainDialog;
}

const DialogTemplate& CaspariAboutDialog() {
    return kAboutDialog;
}

const DialogTemplate& CaspariOptionsDialog() {
    return kOptionsDialog;
}

const DialogTemplate& CaspariFilterPropertiesDialog() {
    return kFilterPropertiesDialog;
}

} // namespace res
