#include "MainWindowLanguage.h"

#include "FontChoice.h"
#include "LanguageMenu.h"
#include "LanguagePack.h"
#include "MenuBuilder.h"
#include "Prompts.h"
#include "VeltranoDialogs.h"
#include "VeltranoMenus.h"
#include "WindowIds.h"

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QMouseEvent>

namespace veltrano {

namespace {

int MainDialogId() {
    return res::VeltranoMainDialog().id;
}

} // namespace

MainWindowLanguage::MainWindowLanguage(QDialog& mainWindow)
    : QObject(&mainWindow), mainWindow_(mainWindow) {
    mainWindow.installEventFilter(this);
}

std::unique_ptr<QMenu> MainWindowLanguage::BuildPopupMenu() const {
    const res::MenuTemplate& menuTemplate = res::VeltranoPopupMenu();
    std::unique_ptr<QMenu> menu = uikit::BuildMenu(menuTemplate);
    if (!uikit::FillLanguageMenu(*menu, menuTemplate.id, uikit::Language())) {
        uikit::CurrentPrompts().ShowMessage(nullptr, "Can not find Language Menu!", "error",
                                            uikit::PromptIcon::Error);
        return nullptr;
    }
    return menu;
}

void MainWindowLanguage::ShowPopupMenu(const QPoint& globalPos) {
    const std::unique_ptr<QMenu> menu = BuildPopupMenu();
    if (menu == nullptr) {
        return;
    }
    // The top level only holds the menu that is shown.
    QMenu* shown = uikit::FirstSubmenu(*menu);
    if (const QAction* picked = shown->exec(globalPos)) {
        OnCommand(uikit::CommandId(*picked));
    }
}

void MainWindowLanguage::OnCommand(int commandId) {
    if (uikit::IsLanguageCommand(commandId)) {
        uikit::PickLanguage(mainWindow_, MainDialogId(), commandId, uikit::Language(),
                            [this] { emit textsApplied(); });
    } else if (commandId == kCommandFont) {
        uikit::ChooseDialogFont(mainWindow_, MainDialogId(), uikit::Language());
        emit textsApplied();
    }
    // kCommandAbout opens the About box once the window has one.
}

bool MainWindowLanguage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &mainWindow_ && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            ShowPopupMenu(mouse->globalPosition().toPoint());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace veltrano
