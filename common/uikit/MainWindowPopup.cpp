#include "MainWindowPopup.h"

#include "FontChoice.h"
#include "LanguageMenu.h"
#include "LanguagePack.h"
#include "MenuBuilder.h"
#include "MenuTemplate.h"
#include "Prompts.h"

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QMouseEvent>

namespace uikit {

MainWindowPopup::MainWindowPopup(QDialog& mainWindow, PopupMenuSetup setup)
    : QObject(&mainWindow), mainWindow_(mainWindow), setup_(std::move(setup)) {
    mainWindow.installEventFilter(this);
}

std::unique_ptr<QMenu> MainWindowPopup::BuildPopupMenu() const {
    std::unique_ptr<QMenu> menu = BuildMenu(*setup_.menu);
    if (!FillLanguageMenu(*menu, setup_.menu->id, Language())) {
        CurrentPrompts().ShowMessage(nullptr, "Can not find Language Menu!", "error",
                                     PromptIcon::Error);
        return nullptr;
    }
    return menu;
}

void MainWindowPopup::ShowPopupMenu(const QPoint& globalPos) {
    const std::unique_ptr<QMenu> menu = BuildPopupMenu();
    if (menu == nullptr) {
        return;
    }
    // The top level only holds the menu that is shown.
    QMenu* shown = FirstSubmenu(*menu);
    if (const QAction* picked = shown->exec(globalPos)) {
        OnCommand(CommandId(*picked));
    }
}

void MainWindowPopup::OnCommand(int commandId) {
    if (IsLanguageCommand(commandId)) {
        PickLanguage(mainWindow_, setup_.dialogId, commandId, Language(),
                     [this] { emit textsApplied(); });
    } else if (commandId == setup_.fontCommand) {
        ChooseDialogFont(mainWindow_, setup_.dialogId, Language());
        emit textsApplied();
    } else if (commandId == setup_.aboutCommand && setup_.showAbout) {
        setup_.showAbout();
    }
}

bool MainWindowPopup::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &mainWindow_ && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            ShowPopupMenu(mouse->globalPosition().toPoint());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace uikit
