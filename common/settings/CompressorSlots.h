#pragma once

#include "CompressorCatalogue.h"
#include "Element.h"

namespace settings {

// The filter bound into the category's process-wide slot, carrying the encoder
// settings the person last confirmed for it; empty when the slot is empty.
media::Element BoundCompressor(CompressorCategory category);

} // namespace settings
