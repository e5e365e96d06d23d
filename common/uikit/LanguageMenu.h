#pragma once

#include <functional>

class QMenu;
class QWidget;

namespace uikit {

class LanguagePack;

// Commands of the language submenu: one per language file, from the first ID on.
inline constexpr int kFirstLanguageCommand = 45400;
inline constexpr int kLanguageCommandCount = 1000;

bool IsLanguageCommand(int commandId);

// Prepares a main window's popup menu before it is shown: the first submenu of
// its first submenu loses its placeholder and lists the language files (the
// current one ticked), then the whole menu is translated. False, with the menu
// untouched, when the menu has no such submenu.
bool FillLanguageMenu(QMenu& popupMenu, int menuId, const LanguagePack& pack);

// Switches to the language of a language-submenu command, translates the main
// window again and tells the user the switch is complete only after a restart.
// `afterApply` runs once the window's texts are applied, before the restart notice.
void PickLanguage(QWidget& mainWindow, int mainDialogId, int commandId, LanguagePack& pack,
                  const std::function<void()>& afterApply = {});

} // namespace uikit
