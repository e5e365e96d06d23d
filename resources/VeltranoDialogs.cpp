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

constexpr DialogTemplate kMainDialog{102, "VELTRANO", "MS Sans Serif", 8, 357, 196, kMainControls};

} // namespace

const DialogTemplate& VeltranoMainDialog() {
    return kMainDialog;
}

} // namespace res
