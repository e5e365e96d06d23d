#pragma once

#include <QObject>
#include <QPoint>
#include <memory>

class QDialog;
class QMenu;

namespace veltrano {

// The main window's popup menu and what it offers: the language list, the
// dialog font and the About box. Lives as a child of the main window.
class MainWindowLanguage : public QObject {
    Q_OBJECT

public:
    explicit MainWindowLanguage(QDialog& mainWindow);

    // Menu 160 with its language submenu filled and translated; nullptr (after
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
};

} // namespace veltrano
