#include "VeltranoMenus.h"

#include <array>

namespace res {
namespace {

// The language submenu holds an empty placeholder until it is filled.
constexpr std::array kLanguageItems = {
    MenuItemTemplate{0, "", {}},
};

constexpr std::array kPopupItems = {
    MenuItemTemplate{0, "Language", kLanguageItems},
    MenuItemTemplate{32781, "Font", {}},
    MenuItemTemplate{32778, "About", {}},
};

constexpr std::array kTopItems = {
    MenuItemTemplate{0, "PopupMenu", kPopupItems},
};

constexpr MenuTemplate kPopupMenu{160, kTopItems};

constexpr std::array kPreviewItems = {
    MenuItemTemplate{32771, "Full screen", {}}, MenuItemTemplate{32772, "Normal size", {}},
    MenuItemTemplate{32773, "Play", {}},        MenuItemTemplate{32774, "Pause", {}},
    MenuItemTemplate{32775, "Stop", {}},        MenuItemTemplate{32776, "Close", {}},
};

constexpr std::array kPreviewTopItems = {
    MenuItemTemplate{0, "PREVIEW", kPreviewItems},
};

constexpr MenuTemplate kPreviewMenu{134, kPreviewTopItems};

} // namespace

const MenuTemplate& VeltranoPopupMenu() {
    return kPopupMenu;
}

const MenuTemplate& VeltranoPreviewMenu() {
    return kPreviewMenu;
}

} // namespace res
