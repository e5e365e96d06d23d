#pragma once

#include <QString>

namespace uikit {

// Sets the process's locales for a language: the C runtime's (all categories)
// for `runtimeTag` and Qt's default locale for `defaultTag`, both BCP 47 tags.
// An empty or unavailable runtime tag gives the C runtime the user's default
// locale. The numeric category is then reset to "C", so numbers are always read
// and written with a decimal point.
void SetProcessLocale(const QString& runtimeTag, const QString& defaultTag);

} // namespace uikit
