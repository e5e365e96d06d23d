#pragma once

#include <QString>

namespace uikit {

// The name of the built-in language, which needs no file.
inline constexpr auto kEnglishLanguage = "english";

// How a language file's title says its text is encoded.
enum class LanguageFileEncoding { Ansi = 0, Utf16 = 1, Utf8 = 2 };

// The encoding a language file's title names by its suffix ("_utf-8", "_unicode").
LanguageFileEncoding EncodingOfTitle(const QString& title);

// The locale a language file stands for.
struct LanguageLocale {
    QString localeString;  // "deu", "chs", "english"; empty when unknown or none loaded
    QString tag = "en-US"; // BCP 47
    int primaryLanguage = 9;
    int subLanguage = 1;
};

// Finds the locale the language file titled `title` names (its encoding suffix
// ignored) and sets the process locale to it. A title naming no known locale
// warns the user and returns `previous` with an empty locale string, leaving the
// thread locale that of the previous language.
LanguageLocale SwitchProcessLocale(const QString& title, LanguageFileEncoding encoding,
                                   const LanguageLocale& previous);

} // namespace uikit
