#include "LanguageMenu.h"

#include "LanguagePack.h"
#include "MenuBuilder.h"
#include "Prompts.h"

#include <QAction>
#include <QMenu>
#include <algorithm>

namespace uikit {

namespace {
constexpr int kRestartMessage = 126;
constexpr int kWarningCaption = 108;
} // namespace

bool IsLanguageCommand(int commandId) {
    return commandId >= kFirstLanguageCommand &&
           commandId < kFirstLanguageCommand + kLanguageCommandCount;
}

bool FillLanguageMenu(QMenu& popupMenu, int menuId, const LanguagePack& pack) {
    QMenu* shown = FirstSubmenu(popupMenu);
    QMenu* languages = shown != nullptr ? FirstSubmenu(*shown) : nullptr;
    if (languages == nullptr) {
        return false;
    }
    if (!languages->actions().isEmpty()) {
        // The placeholder stays owned by the menu, which destroys it with itself.
        languages->removeAction(languages->actions().front());
    }
    // Languages beyond the command range could not be picked, and their IDs
    // would run into other commands.
    const int count = std::min(pack.GetLanguageCount(), kLanguageCommandCount);
    for (int index = 0; index < count; ++index) {
        const QString title = pack.GetLanguageName(index);
        QAction* item = languages->addAction(title);
        SetCommandId(*item, kFirstLanguageCommand + index);
        item->setCheckable(true);
        item->setChecked(title.compare(pack.GetCurrentName(), Qt::CaseInsensitive) == 0);
    }
    pack.ApplyToMenu(popupMenu, menuId);
    return true;
}

void PickLanguage(QWidget& mainWindow, int mainDialogId, int commandId, LanguagePack& pack,
                  const std::function<void()>& afterApply) {
    if (!IsLanguageCommand(commandId)) {
        return;
    }
    const int index = commandId - kFirstLanguageCommand;
    if (index >= pack.GetLanguageCount()) {
        return;
    }
    pack.SelectLanguage(pack.GetLanguageName(index));
    pack.ApplyToDialog(mainWindow, mainDialogId);
    if (afterApply) {
        afterApply();
    }
    CurrentPrompts().ShowMessage(&mainWindow, pack.GetMessageText(kRestartMessage),
                                 pack.GetMessageText(kWarningCaption), PromptIcon::Warning);
}

} // namespace uikit
