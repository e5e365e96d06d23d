#include "CaspariMenus.h"

#include <array>

namespace res {
namespace {

// The language submenu holds an empty placeholder until it is filled.
constexpr std::array kLanguageItems = {
    MenuItemTemplate{0, "", {}},
};

constexpr std::array kPopupItems = {
    MenuItemTemplate{0, "Language", kLanguageItems},
    MenuItemTemplate{32772, "Font", {}},
    MenuItemTemplate{32771, "About", {}},
};

constexpr std::array kTopItems = {
    MenuItemTemplate{0, "PopupMenu", kPopupItems},
};

constexpr MenuTemplate kPopupMenu{131, kTopItems};

} // namespace

const MenuTemplate& CaspariPopupMenu() {
    return kPopupMenu;
}

} // namespace res
