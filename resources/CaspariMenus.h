#pragma once

#include "MenuTemplate.h"

namespace res {

// Menu 131: caspari's popup menu. Its one top-level item opens the menu that is
// shown; that menu's first submenu lists the languages.
const MenuTemplate& CaspariPopupMenu();

} // namespace res
