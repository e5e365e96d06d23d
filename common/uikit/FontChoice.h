#pragma once

class QWidget;

namespace uikit {

class LanguagePack;

// The Font command of a main window: offers the dialog font for change and, when
// the user confirms, makes it the font of the current language, stores it and
// shows the main window in it. Cancelling changes nothing. True when changed.
bool ChooseDialogFont(QWidget& mainWindow, int mainDialogId, LanguagePack& pack);

} // namespace uikit
