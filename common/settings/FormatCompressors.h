#pragma once

// Which compressors an output format can hold, and the ones proposed for MP4.

#include "CompressorCatalogue.h"
#include "OutputSettings.h"

#include <cstdint>

namespace settings {

// Whether the compressor `entry` of the category (kCompressorNone: the
// uncompressed stream) writes what the format's multiplexer takes. Only MP4
// is particular; every other format takes whatever is chosen, as it always did.
bool FormatTakesCompressor(std::int32_t format, CompressorCategory category, std::int32_t entry);

// The entry MP4 is proposed with when the chosen one cannot go into it: H.264
// (x264enc) for the picture, AAC (avenc_aac, else voaacenc) for the sound; -1
// when none of them is installed.
std::int32_t Mp4CompressorEntry(CompressorCategory category);

// A format picked for a run without the options dialog: where the compressor
// in a slot (or the uncompressed stream) cannot go into `format`, the proposed
// one is bound instead and `settings` names it, as picking MP4 in the dialog
// proposes H.264 and AAC. ASF, which the dialog does not offer, gets the
// Windows Media encoders; the other formats take what is there.
void ProposeCompressorsFor(std::int32_t format, OutputSettings& settings);

} // namespace settings
