#pragma once

#include "CompressorCatalogue.h"
#include "Element.h"

namespace settings {

// A new encoder of the kind bound into the category's process-wide slot, set up
// from the encoder settings the person last confirmed for it; empty when the
// slot is empty. Each conversion takes its own, so nothing of an earlier run
// (settings since put back, stream state) carries over.
media::Element CompressorForConversion(CompressorCategory category);

} // namespace settings
