#pragma once

#include <QString>
#include <cstdint>
#include <span>

namespace uikit {

// One locale a language file can be named after: the Windows language ID
// (primary language in the low 10 bits, sublanguage in the high 6 bits), the
// locale name with words joined by '_', the three-letter Windows abbreviation
// and the BCP 47 tag that this platform's locale services understand.
struct LocaleEntry {
    std::uint16_t languageId;
    const char* name;
    const char* abbreviation;
    const char* tag;

    int PrimaryLanguage() const { return languageId & 0x3FF; }
    int SubLanguage() const { return languageId >> 10; }
};

// All known locales, in the order that decides ties between names.
std::span<const LocaleEntry> LocaleTable();

// The first row whose name or abbreviation equals `name` ignoring case, or
// nullptr.
const LocaleEntry* FindLocale(const QString& name);

} // namespace uikit
