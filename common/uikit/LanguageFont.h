#pragma once

#include "LogFont.h"

#include <QString>

namespace uikit {

// The dialog font each language keeps in the program's profile, in a section
// named after the language, so switching languages brings back its own font.
LogFont StoredLanguageFont(const QString& language);
void StoreLanguageFont(const QString& language, const LogFont& font);

} // namespace uikit
