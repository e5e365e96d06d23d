#pragma once

#include "StringTable.h"

namespace res {

// The built-in English string table of caspari.
std::span<const StringResource> CaspariStrings();

} // namespace res
