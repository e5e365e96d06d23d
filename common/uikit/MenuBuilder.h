#pragma once

#include "MenuTemplate.h"

#include <memory>

class QAction;
class QMenu;

namespace uikit {

// Builds the menu a menu resource describes. The returned menu stands for the
// resource's top level; each submenu is a child of the menu holding it, and
// each command item carries its command ID.
std::unique_ptr<QMenu> BuildMenu(const res::MenuTemplate& menuTemplate);

// The command ID an action of a built menu carries; 0 for submenus and separators.
int CommandId(const QAction& action);
void SetCommandId(QAction& action, int commandId);

// The menu opened by the first item of `menu` that opens one, or nullptr.
QMenu* FirstSubmenu(const QMenu& menu);

} // namespace uikit
