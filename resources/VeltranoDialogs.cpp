#include "VeltranoDialogs.h"

#include <array>

namespace res {
namespace {

using K = ControlKind;

constexpr std::array kMainControls = {
    ControlTemplate{1006, K::SkinButton, "Open Video", 9, 5, 66, 32, StyleNone},
    ControlTemplate{1003, K::SkinButton, "Options", 77, 5, 66, 32, StyleNone},
    ControlTemplate{1000, K::SkinButton, "Convert", 145, 5, 66, 32, StyleNone},
    ControlTemplate{1084, K::SkinButton, "&Help", 213, 5, 66, 32, StyleNone},
    ControlTemplate{1042, K::SkinButton, "About", 281, 5, 66, 32, StyleNone},
    ControlTemplate{kNoControlId, K::GroupFrame, "", 7, 0, 343, 39, StyleNone},
    ControlTemplate{1057, K::Label, "", 68, 43, 202, 14, StyleCentred},
    ControlTemplate{1055, K::Trackbar, "", 7, 63, 343, 17, StyleNone},
    ControlTemplate{1058, K::Button, "Play", 14, 87, 66, 14, StyleNone},
    ControlTemplate{1060, K::Button, "Pause", 132, 87, 66, 14, StyleNone},
    ControlTemplate{1061, K::Button, "Stop", 250, 87, 66, 14, StyleNone},
    ControlTemplate{1062, K::Button, "Start Time", 14, 116, 66, 14, StyleNone},
    ControlTemplate{1065, K::Label, "", 82, 116, 66, 14, StyleCentred},
    ControlTemplate{1063, K::Button, "End Time", 180, 116, 66, 14, StyleNone},
    ControlTemplate{1064, K::Label, "", 248, 116, 66, 14, StyleCentred},
    ControlTemplate{1047, K::SkinButton, "Homepage", 133, 141, 66, 22, StyleNone},
    ControlTemplate{1076, K::SkinButton, "Exit", 252, 141, 66, 22, StyleNone},
    ControlTemplate{1021, K::Label, "", 7, 175, 343, 14, StyleSunken},
    // Shown only while converting: how much of the marked range is written.
    ControlTemplate{1090, K::ProgressBar, "", 7, 192, 343, 11, StyleHidden},
    // Controls of the clip-list editor the program does not use; start-up hides them.
    ControlTemplate{1007, K::Button, "Add Music", 1, 190, 4, 4, StyleNone},
    ControlTemplate{1008, K::ReportList, "", 6, 190, 4, 4, StyleNone},
    ControlTemplate{1009, K::ReportList, "", 11, 190, 4, 4, StyleNone},
    ControlTemplate{1016, K::Button, "Transition", 16, 190, 4, 4, StyleNone},
    ControlTemplate{1017, K::Label, "", 21, 190, 4, 4, StyleNone},
    ControlTemplate{1019, K::Button, "Preview", 26, 190, 4, 4, StyleNone},
    ControlTemplate{1029, K::Button, "", 31, 190, 4, 4, StyleNone},
    ControlTemplate{1030, K::Button, "", 36, 190, 4, 4, StyleNone},
    ControlTemplate{1031, K::Button, "", 41, 190, 4, 4, StyleNone},
    ControlTemplate{1032, K::Button, "", 46, 190, 4, 4, StyleNone},
    ControlTemplate{1033, K::Button, "", 51, 190, 4, 4, StyleNone},
    ControlTemplate{1056, K::Button, "Close", 56, 190, 4, 4, StyleNone},
};

constexpr DialogTemplate kMainDialog{102, "VELTRANO", "MS Sans Serif", 8, 357, 208, kMainControls};

// Drop-down lists carry their items; the dialog replaces the language-dependent ones.
constexpr std::array kOptionsControls = {
    ControlTemplate{1023, K::Label, "Output file:", 7, 9, 62, 8, StyleNone},
    ControlTemplate{1022, K::Edit, "", 72, 7, 148, 12, StyleNone},
    ControlTemplate{1024, K::Button, "Browse", 224, 6, 47, 14, StyleNone},
    ControlTemplate{1026, K::Label, "Resolution:", 7, 28, 62, 8, StyleNone},
    ControlTemplate{1025, K::DropDownList,
                    "Original size\n640*480\n720 * 576\n720 * 480\n480*576\n480*480\n352 * "
                    "288\n352 * 240\nCustom size",
                    72, 26, 96, 12, StyleNone},
    ControlTemplate{1027, K::Edit, "", 174, 26, 44, 12, StyleHidden},
    ControlTemplate{1028, K::Edit, "", 224, 26, 47, 12, StyleHidden},
    ControlTemplate{1078, K::Label, "Frame rate:", 7, 46, 62, 8, StyleNone},
    ControlTemplate{1068, K::DropDownList,
                    "Original frame rate\n23.976\n24\n25\n29.97\n30\nCustom frame rate", 72, 44, 96,
                    12, StyleNone},
    ControlTemplate{1069, K::Edit, "", 174, 44, 44, 12, StyleHidden},
    ControlTemplate{1079, K::Label, "Resize mode:", 7, 64, 62, 8, StyleNone},
    ControlTemplate{1070, K::DropDownList, "Preserve aspect ratio\nStretch", 72, 62, 96, 12,
                    StyleNone},
    ControlTemplate{1080, K::Label, "Video compressor:", 7, 84, 62, 8, StyleNone},
    ControlTemplate{1001, K::DropDownList, "", 72, 82, 148, 12, StyleNone},
    ControlTemplate{1052, K::DropDownList, "", 72, 82, 148, 12, StyleHidden},
    ControlTemplate{1053, K::Button, "Settings", 224, 81, 47, 14, StyleNone},
    ControlTemplate{1081, K::Label, "Audio compressor:", 7, 102, 62, 8, StyleNone},
    ControlTemplate{1002, K::DropDownList, "", 72, 100, 148, 12, StyleNone},
    ControlTemplate{1077, K::Label,
                    "Note: some video and audio compressors may not work properly. For more "
                    "detail, please read help.",
                    7, 124, 264, 20, StyleNone},
    ControlTemplate{1082, K::Button, "OK", 59, 162, 50, 14, StyleDefaultButton},
    ControlTemplate{1051, K::Button, "Default", 114, 162, 50, 14, StyleNone},
    ControlTemplate{1083, K::Button, "Cancel", 169, 162, 50, 14, StyleNone},
};

constexpr DialogTemplate kOptionsDialog{129, "Output options", "Microsoft Sans Serif", 8, 278,
                                        186, kOptionsControls};

// The icon is a picture label the dialog fills; the homepage link shows the
// address the dialog gives it.
constexpr std::array kAboutControls = {
    ControlTemplate{1087, K::Label, "", 10, 10, 32, 32, StyleNone},
    ControlTemplate{1085, K::Label, "VELTRANO", 52, 10, 170, 10, StyleNone},
    ControlTemplate{kNoControlId, K::Label, "Made by TarnwickStudio.", 52, 34, 170, 10, StyleNone},
    ControlTemplate{1, K::Button, "OK", 172, 96, 50, 14, StyleDefaultButton},
    ControlTemplate{1049, K::Hyperlink, "", 52, 50, 170, 10, StyleNone},
    ControlTemplate{1050, K::Hyperlink, "Support Email: Click here", 52, 64, 170, 10, StyleNone},
    ControlTemplate{1086, K::Label, "Version 3.21", 52, 22, 170, 10, StyleNone},
};

constexpr DialogTemplate kAboutDialog{100, "About", "MS Sans Serif", 8, 232, 117, kAboutControls};

} // namespace

const DialogTemplate& VeltranoMainDialog() {
    return kMainDialog;
}

const DialogTemplate& VeltranoOptionsDialog() {
    return kOptionsDialog;
}

const DialogTemplate& VeltranoAboutDialog() {
    return kAboutDialog;
}

} // namespace res
