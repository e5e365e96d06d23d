#pragma once

#include "MenuTemplate.h"

namespace res {

// Menu 160: the main window's popup menu. Its one top-level item "PopupMenu"
// opens the menu that is shown; that menu's first submenu lists the languages.
const MenuTemplate& VeltranoPopupMenu();

} // namespace res
