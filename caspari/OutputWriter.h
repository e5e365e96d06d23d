#pragma once

// The multiplexer and file writer of a conversion, by output format.

#include "Element.h"
#include "OutputBuilder.h"
#include "OutputSettings.h"
#include "Result.h"

#include <QString>
#include <string>

namespace caspari {

struct OutputWriter {
    media::Element mux; // empty when the format has no writer
    media::Element writer;
    // Windows Media: the video codec the profile really uses.
    std::string videoCodec;
};

// Adds the writer for output.outputFormat to the builder's graph, showing the
// format's message on failure. Windows Media encodes by itself, so that format
// clears both compressor use flags. A format without writer (4, and any value
// that names no format) creates nothing and succeeds.
media::Result CreateOutputWriter(media::OutputBuilder& builder, const QString& outputPath,
                                 settings::OutputSettings& output, OutputWriter& created);

} // namespace caspari
