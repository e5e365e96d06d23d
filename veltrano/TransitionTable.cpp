#include "TransitionTable.h"

#include <array>

namespace veltrano {

namespace {

constexpr std::array<TransitionInfo, kTransitionCount> kTransitions = {{
    {"None", "", 0},
    {"Iris", "{049F2CE6-D996-4721-897A-DB15CE9EB73D}", 0},
    {"RadialWipe", "{164484A9-35D9-4FB7-9FAB-48273B96AA1D}", 0},
    {"Fade", "{16B280C5-EE70-11D1-9066-00C04FD9189D}", 0},
    {"ZigZag", "{23E26328-3928-40F2-95E5-93CAD69016EB}", 0},
    {"RandomBars", "{2E7700B7-27C4-437F-9FBF-1E8BE2817566}", 0},
    {"Spiral", "{4A03DCB9-6E17-4A39-8845-4EE7DC5331A5}", 0},
    {"Pixelate", "{4CCEA634-FBE0-11D1-906A-00C04FD9189D}", 0},
    {"Wheel", "{5AE1DAE0-1461-11D2-A484-00C04F8EFB69}", 0},
    {"Strips", "{63A4B1FC-259A-4A5B-8129-A83B8C9E6F4F}", 0},
    {"Inset", "{76F363F2-7E9F-4ED7-A6A7-EE30351B6628}", 0},
    {"Blinds", "{9A4A4A51-FB3A-4F4B-9B57-A2912A289769}", 0},
    {"Wipe", "{AF279B30-86EB-11D1-81BF-0000F87557DB}", 0},
    {"CheckerBoard", "{B3EE7802-8224-4787-A1EA-F0DE16DEABD3}", 0},
    {"Slide", "{D1C5A1E7-CC47-4E32-BDD2-4B3C5FC50AF5}", 0},
    {"Stretch", "{F088DE73-BDD0-4E3C-81F8-6D32F4FE9D28}", 0},
    {"RandomDissolve", "{F7F4A1B6-8E87-452F-A2D7-3077F508DBC0}", 0},
    {"Horizontal", kSmpteWipeClass, 1},
    {"Vertical", kSmpteWipeClass, 2},
    {"Four corners", kSmpteWipeClass, 7},
    {"Barn doors, horizontal", kSmpteWipeClass, 22},
    {"Diagonal, NW to SE", kSmpteWipeClass, 41},
    {"Triangles, top/bottom", kSmpteWipeClass, 43},
    {"Triangles, left/right", kSmpteWipeClass, 44},
    {"Diagonal stripe, SW to NE", kSmpteWipeClass, 45},
    {"Cross", kSmpteWipeClass, 47},
    {"Diamond Box", kSmpteWipeClass, 48},
    {"Wedge, top", kSmpteWipeClass, 61},
    {"Wedge, left", kSmpteWipeClass, 64},
    {"Sawtooth, left", kSmpteWipeClass, 71},
    {"Sawtooth, top", kSmpteWipeClass, 72},
    {"Sawtooth, vertical", kSmpteWipeClass, 73},
    {"Sawtooth, horizontal", kSmpteWipeClass, 74},
    {"Box", kSmpteWipeClass, 101},
    {"Diamond", kSmpteWipeClass, 102},
    {"Hexagon", kSmpteWipeClass, 113},
    {"Circle", kSmpteWipeClass, 119},
    {"Oval, horizontal", kSmpteWipeClass, 120},
    {"Rounded rectangle, horizontal", kSmpteWipeClass, 124},
    {"4-point star", kSmpteWipeClass, 127},
    {"5-point star", kSmpteWipeClass, 128},
    {"Heart", kSmpteWipeClass, 130},
    {"Radial, left", kSmpteWipeClass, 224},
    {"Radial, top split", kSmpteWipeClass, 231},
    {"Radial, top-right corner", kSmpteWipeClass, 244},
    {"Center radial, top", kSmpteWipeClass, 251},
    {"Matrix, horizontal", kSmpteWipeClass, 301},
}};

} // namespace

TransitionInfo Transition(std::int32_t number) {
    if (number < 0 || number >= kTransitionCount) {
        return {"Horizontal", kSmpteWipeClass, 0};
    }
    return kTransitions[static_cast<std::size_t>(number)];
}

} // namespace veltrano
