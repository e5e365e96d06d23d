#pragma once

#include <QString>

namespace uikit {

// Sets the process's locales for a language: the C runtime's (all categories)
// for `runtimeTag` and Qt's default locale for `defaultTag`, both BCP 47 tags.
// An empty or unavailable runtime tag gives the C runtime the user's default
// locale. The numeric category is then reset to "C", so numbers are always read
// and written with a decimal point.
//
// While a ProcessLocaleHold lives (streaming threads read the C runtime's
// locale), the change is kept and made when the last hold ends.
void SetProcessLocale(const QString& runtimeTag, const QString& defaultTag);

class ProcessLocaleHold {
public:
    ProcessLocaleHold();
    ~ProcessLocaleHold();
    ProcessLocaleHold(const ProcessLocaleHold&) = delete;
    ProcessLocaleHold& operator=(const ProcessLocaleHold&) = delete;
};

} // namespace uikit
