#pragma once

#include "LanguageKeyTable.h"
#include "LanguageLocale.h"
#include "LogFont.h"
#include "StringTable.h"

#include <QFont>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

class QMenu;
class QWidget;

namespace uikit {

// The process's language pack: finds the language files in the `language`
// folder, loads one of them, answers every user-facing text by numeric ID
// (falling back to the program's built-in English strings) and puts the texts
// and the language's dialog font on dialogs and menus. The locale switch
// (LanguageLocale.h) and the stored fonts (LanguageFont.h) live beside it.
class LanguagePack {
public:
    // Longest text a language file can give; longer ones are cut.
    static constexpr int kMaxTextBytes = 2047;

    LanguagePack() = default;
    LanguagePack(const LanguagePack&) = delete;
    LanguagePack& operator=(const LanguagePack&) = delete;

    // The built-in string resources and the language key table of the running program.
    void SetBuiltInStrings(std::span<const res::StringResource> strings) { builtIns_ = strings; }
    void SetKeyTable(std::span<const res::LanguageKey> keys) { keys_ = keys; }

    // The folder holding the `language` folder, for the running executable.
    static QString FindBaseFolder();
    // The same for a program in `programFolder`: its parent when that holds
    // language/English.ini, else the installed data folder beside the parent when
    // that does, else the program folder itself.
    static QString FindBaseFolder(const QString& programFolder);

    // Lists the language files under `baseFolder` and selects `requestedName`.
    // False when there is no language file (every text then stays built-in).
    bool Initialize(const QString& baseFolder, const QString& requestedName);
    // Fills the language list from the folder; false when it holds no language file.
    bool ScanLanguageFiles();
    // Loads `name`, or "english" when no file of that name exists. Always true.
    bool SelectLanguage(const QString& name);
    // Reads the texts of `name`, sets the locale and creates the dialog font.
    // False when there is no language file at all.
    bool LoadLanguage(const QString& name);

    // Message text: the loaded translation, else the built-in string, else empty.
    QString GetMessageText(int id) const;
    // Dialog text: the loaded translation, else the built-in string, else empty.
    QString GetDialogText(int id) const;
    // The loaded translations alone; empty when untranslated.
    QString FindDialogText(int id) const;
    QString FindMenuText(int id) const;

    // Puts the loaded texts and the dialog font on a dialog's caption and controls.
    // False when there is no language file.
    bool ApplyToDialog(QWidget& dialog, int dialogId) const;
    // Puts the loaded texts on a menu's items. False when there is no language file.
    bool ApplyToMenu(QMenu& menu, int menuId) const;

    int GetLanguageCount() const { return static_cast<int>(languageNames_.size()); }
    // The title of language file `index` (its name without ".ini"); empty when out of range.
    QString GetLanguageName(int index) const;
    QString GetCurrentName() const { return currentName_; }
    void SetCurrentName(const QString& name) { currentName_ = name; }

    QString BaseFolder() const { return baseFolder_; }
    QString FilePath() const { return filePath_; }
    LanguageFileEncoding FileEncoding() const { return fileEncoding_; }
    int PrimaryLanguage() const { return locale_.primaryLanguage; }
    int SubLanguage() const { return locale_.subLanguage; }
    std::uint16_t LanguageId() const {
        return static_cast<std::uint16_t>(locale_.subLanguage * 1024 + locale_.primaryLanguage);
    }
    // The locale name of the loaded language ("deu", "chs", "english"); empty
    // when the file name names no known locale.
    QString LocaleString() const { return locale_.localeString; }

    // Rebuilds the dialog font from the description stored for the current
    // language; false (after telling the user) when the font cannot be made.
    bool CreateDialogFont();
    // Replaces the dialog font by one made from `description`; false when it
    // cannot be made, leaving the pack without a font.
    bool SetDialogFont(const LogFont& description);
    // The dialog font, or nothing when none could be made.
    const std::optional<QFont>& DialogFont() const { return dialogFont_; }
    const LogFont& DialogFontDescription() const { return dialogFontDescription_; }

private:
    using TextList = std::vector<std::pair<int, QString>>;

    QString BuiltIn(int id) const;
    static QString FindText(const TextList& texts, int id);
    // The path of the language file titled `name`, matched ignoring case; empty
    // when the folder holds no such file.
    QString FindLanguageFile(const QString& name) const;

    std::span<const res::StringResource> builtIns_;
    std::span<const res::LanguageKey> keys_;

    QString currentName_ = "english";
    QStringList languageNames_;
    TextList menuTexts_;
    TextList messageTexts_;
    TextList dialogTexts_;
    QString baseFolder_;
    QString filePath_;
    LanguageFileEncoding fileEncoding_ = LanguageFileEncoding::Ansi;
    LanguageLocale locale_;
    LogFont dialogFontDescription_;
    std::optional<QFont> dialogFont_;
};

// The one language pack of the process.
LanguagePack& Language();

} // namespace uikit
