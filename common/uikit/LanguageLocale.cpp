#include "LanguageLocale.h"

#include "LocaleTable.h"
#include "ProcessLocale.h"
#include "Prompts.h"

namespace uikit {

namespace {
constexpr auto kUtf8Suffix = "_utf-8";
constexpr auto kUtf16Suffix = "_unicode";
} // namespace

LanguageFileEncoding EncodingOfTitle(const QString& title) {
    const QString lowered = title.toLower();
    if (lowered.contains(kUtf8Suffix)) {
        return LanguageFileEncoding::Utf8;
    }
    if (lowered.contains(kUtf16Suffix)) {
        return LanguageFileEncoding::Utf16;
    }
    return LanguageFileEncoding::Ansi;
}

LanguageLocale SwitchProcessLocale(const QString& title, LanguageFileEncoding encoding,
                                   const LanguageLocale& previous) {
    QString language = title.toLower();
    if (encoding == LanguageFileEncoding::Utf8) {
        language.chop(QLatin1String(kUtf8Suffix).size());
    } else if (encoding == LanguageFileEncoding::Utf16) {
        language.chop(QLatin1String(kUtf16Suffix).size());
    }
    if (language == kEnglishLanguage) {
        LanguageLocale english;
        english.localeString = kEnglishLanguage;
        SetProcessLocale(english.tag, english.tag);
        return english;
    }
    if (const LocaleEntry* entry = FindLocale(language)) {
        LanguageLocale locale;
        locale.localeString = QString::fromLatin1(entry->abbreviation).toLower();
        locale.tag = QString::fromLatin1(entry->tag);
        locale.primaryLanguage = entry->PrimaryLanguage();
        locale.subLanguage = entry->SubLanguage();
        SetProcessLocale(locale.tag, locale.tag);
        return locale;
    }
    CurrentPrompts().ShowMessage(
        nullptr, "Your language file name may be not proper,\n please read the help file!",
        language, PromptIcon::Warning);
    LanguageLocale kept = previous;
    kept.localeString.clear();
    SetProcessLocale(QString(), kept.tag);
    return kept;
}

} // namespace uikit
