#pragma once

#include <cstdint>
#include <span>

namespace res {

// One row of a program's language key table: the numeric resource ID that
// takes the text a language file gives under `key`. A key may appear in several
// rows; its one text then serves every ID.
struct LanguageKey {
    std::uint32_t id;
    const char* key;
};

// The language key tables of the two programs.
std::span<const LanguageKey> VeltranoLanguageKeys();
std::span<const LanguageKey> CaspariLanguageKeys();

} // namespace res
