#pragma once

#include "MenuTemplate.h"

namespace res {

// Menu 160: the main window's popup menu. Its one top-level item "PopupMenu"
// opens the menu that is shown; that menu's first submenu lists the languages.
const MenuTemplate& VeltranoPopupMenu();

// Menu 134: the preview window's popup menu. Its one top-level item "PREVIEW"
// opens the menu that is shown.
const MenuTemplate& VeltranoPreviewMenu();

} // namespace res
