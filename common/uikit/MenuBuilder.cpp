#include "MenuBuilder.h"

#include <QAction>
#include <QMenu>

namespace uikit {

namespace {

constexpr auto kCommandIdProperty = "commandId";

void AddItems(QMenu& menu, std::span<const res::MenuItemTemplate> items) {
    for (const res::MenuItemTemplate& item : items) {
        const QString text = QString::fromUtf8(item.text);
        if (!item.submenu.empty()) {
            auto* submenu = new QMenu(text, &menu);
            AddItems(*submenu, item.submenu);
            menu.addMenu(submenu);
        } else if (item.commandId == 0) {
            menu.addSeparator();
        } else {
            QAction* action = menu.addAction(text);
            SetCommandId(*action, item.commandId);
        }
    }
}

} // namespace

std::unique_ptr<QMenu> BuildMenu(const res::MenuTemplate& menuTemplate) {
    auto menu = std::make_unique<QMenu>();
    AddItems(*menu, menuTemplate.items);
    return menu;
}

int CommandId(const QAction& action) {
    const QVariant value = action.property(kCommandIdProperty);
    return value.isValid() ? value.toInt() : 0;
}

void SetCommandId(QAction& action, int commandId) {
    action.setProperty(kCommandIdProperty, commandId);
}

QMenu* FirstSubmenu(const QMenu& menu) {
    for (QAction* action : menu.actions()) {
        if (QMenu* submenu = QMenu::menuInAction(action)) {
            return submenu;
        }
    }
    return nullptr;
}

} // namespace uikit
