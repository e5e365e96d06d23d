#pragma once

// Which multiplexer writes each output format, and whose encoded streams it
// takes, decided from the elements' declared formats before anything is built.

#include "Element.h"
#include "OutputBuilder.h"

#include <string>

namespace media {

// The multiplexer element's factory name of a format.
const char* MultiplexerFactoryName(OutputFormat format);

// Whether the multiplexer of `format` takes a stream of `type` as the encoder
// `encoderFactory` writes it; an empty name stands for the uncompressed stream.
// False when either element is not installed.
bool FormatTakesEncoder(OutputFormat format, MajorType type, const std::string& encoderFactory);

// The same for a multiplexer and an encoder already made (an empty encoder: the
// uncompressed stream).
bool MultiplexerTakes(const Element& mux, MajorType type, const Element& encoder);

} // namespace media
