#pragma once

#include <QObject>
#include <QPoint>
#include <functional>
#include <memory>

class QDialog;
class QMenu;

namespace res {
struct MenuTemplate;
}

namespace uikit {

// What a main window's popup menu holds and what its commands reach.
struct PopupMenuSetup {
    const res::MenuTemplate* menu = nullptr; // its first submenu is shown
    int dialogId = 0;                        // the window's template, for its texts
    int fontCommand = 0;
    int aboutCommand = 0;
    std::function<void()> showAbout; // may be empty while the program has no About box
};

// A main window's right-click popup menu: the language list, the dialog font
// and the About box. Lives as a child of the main window.
class MainWindowPopup : public QObject {
    Q_OBJECT

public:
    MainWindowPopup(QDialog& mainWindow, PopupMenuSetup setup);

    // The menu with its language submenu filled and translated; nullptr (after
    // telling the user) when the menu lacks the submenus to fill.
    std::unique_ptr<QMenu> BuildPopupMenu() const;
    // Shows the popup menu at `globalPos` and carries out the picked command.
    void ShowPopupMenu(const QPoint& globalPos);
    // Carries out a popup-menu command.
    void OnCommand(int commandId);

signals:
    // The window's texts were applied again (a language or font was picked).
    void textsApplied();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QDialog& mainWindow_;
    PopupMenuSetup setup_;
};

} // namespace uikit
