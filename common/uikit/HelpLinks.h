#pragma once

#include <QString>
#include <QUrl>

class QAbstractButton;
class QWidget;

namespace uikit {

// The file URL of help page `page` (e.g. "veltrano.html"). The `help` folder is
// found like the `language` folder: beside the programs' folder, under the
// installed data folder, else in the programs' folder.
QUrl HelpPageUrl(const QString& page);
// The same for a program in `programFolder`.
QUrl HelpPageUrl(const QString& page, const QString& programFolder);

// Opens help page `page`; whether it opened is not reported, as for any help launch.
void OpenHelpPage(QWidget* owner, const QString& page);

// Opens the product's homepage; when no browser starts, asks the user to enter
// the maker's address by hand.
void OpenHomepage(QWidget* owner);

// A main window's Help button and F1 open help page `page`; its Homepage
// button opens the product's homepage.
void ConnectHelpCommands(QWidget& window, QAbstractButton& help, QAbstractButton& homepage,
                         const QString& page);

} // namespace uikit
