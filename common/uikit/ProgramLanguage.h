#pragma once

#include "LanguageKeyTable.h"
#include "StringTable.h"

#include <span>

namespace uikit {

// A program's start: its built-in texts and key table, then the language the
// user picked last time ("Option"/"CurrentLanguage", English at first).
void StartProgramLanguage(std::span<const res::StringResource> builtInStrings,
                          std::span<const res::LanguageKey> keyTable);

} // namespace uikit
