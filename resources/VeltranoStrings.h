#pragma once

#include "StringTable.h"

namespace res {

// The built-in English string table of veltrano.
std::span<const StringResource> VeltranoStrings();

} // namespace res
