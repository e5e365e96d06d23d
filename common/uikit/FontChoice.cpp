#include "FontChoice.h"

#include "LanguageFont.h"
#include "LanguagePack.h"
#include "Prompts.h"

namespace uikit {

bool ChooseDialogFont(QWidget& mainWindow, int mainDialogId, LanguagePack& pack) {
    const LogFont current = pack.DialogFontDescription();
    const QFont initial = pack.DialogFont().value_or(QFont());
    const std::optional<QFont> chosen = CurrentPrompts().PickFont(&mainWindow, initial);
    if (!chosen) {
        return false;
    }
    const LogFont description = DescribeFont(*chosen, current);
    pack.SetDialogFont(description);
    StoreLanguageFont(pack.GetCurrentName(), description);
    pack.ApplyToDialog(mainWindow, mainDialogId);
    return true;
}

} // namespace uikit
