#pragma once

// Finding, removing and tearing down the filters of a rendered source graph.

#include "Element.h"
#include "FilterGraph.h"
#include "Result.h"

#include <QString>
#include <cstdint>

namespace caspari {

// The compressors a conversion added to its graph, with the catalogue entries
// their process-wide slots are bound from.
struct AddedCompressors {
    media::Element video;
    media::Element audio;
    std::int32_t videoIndex = 0;
    std::int32_t audioIndex = 0;
};

// Counts a filter's pins by direction. E_POINTER on a null argument.
media::Result CountPins(const media::Element& filter, int* inputs, int* outputs);

// The index-th pin of that direction in the filter's pin order, or an empty Pad.
media::Pad GetPin(const media::Element& filter, media::PadDirection direction, int index);

// The first filter of the graph, in its own order, with exactly one input pin,
// no output pin, and a connection of major type `type` on that input. Success
// with an empty `renderer` when there is none; a renderer candidate whose input
// is not connected ends the search with VFW_E_NOT_CONNECTED.
media::Result FindRenderer(const media::FilterGraph& graph, media::MajorType type,
                           media::Element& renderer);

// Removes every filter downstream of `filter`, deepest first, and rebinds the
// compressor slots whose filters it meets, so the next run starts with fresh ones.
void TearDownDownstream(const media::Element& filter, media::FilterGraph& graph,
                        const AddedCompressors& compressors);

// Finds the source filter by the file name of `sourcePath`, tears down what lies
// downstream of it and removes it. A source that cannot be found is reported in
// a "Message" box.
media::Result RemoveSourceChain(media::FilterGraph& graph, const QString& sourcePath,
                                const AddedCompressors& compressors);

} // namespace caspari
