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

} // namespace

const MenuTemplate& VeltranoPopupMenu() {
    return kPopupMenu;
}

} // namespace res
