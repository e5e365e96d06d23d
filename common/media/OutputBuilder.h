#pragma once

// Builds the output side of a graph: a multiplexer writing into a file, and
// stream paths from output pads through converters and an optional compressor
// into that multiplexer.

#include "Element.h"
#include "FilterGraph.h"
#include "Result.h"
#include "WmProfile.h"

#include <memory>
#include <string>

namespace media {

// WindowsMedia writes the same container as Asf; its writer encodes by itself
// once ConfigureFilterUsingProfile gave it a profile. Mp4 writes its index at
// the front of the file, so playing can start before the whole file is there.
enum class OutputFormat { Avi, Matroska, Asf, WindowsMedia, Mp4 };

// How streams are interleaved in the file. The multiplexers always write in
// timestamp order once every stream has data, which is full interleaving; the
// modes differ in how far the streams may drift apart in front of the
// multiplexer: Capture and Full keep a bounded time window per stream, None and
// NoneBuffered buffer without limit (for sources that deliver one stream far
// ahead of the other).
enum class InterleavingMode { None, Capture, Full, NoneBuffered };

class OutputBuilder {
public:
    Result SetFiltergraph(std::shared_ptr<FilterGraph> graph);
    Result GetFiltergraph(std::shared_ptr<FilterGraph>& graph) const;

    // Adds a multiplexer for the format and a file writer for path, linked, to
    // the graph; returns both.
    Result SetOutputFileName(OutputFormat format, const std::string& path, Element& mux,
                             Element& writer);

    // Links source through converters, the optional compressor (added to the
    // graph if it is not in it yet) and a queue into a new input of mux; with an
    // empty mux into a null renderer of its own instead. With no
    // compressor a timeline's video leaves in the group's uncompressed format.
    // Without compressor into a multiplexer configured with a profile, the
    // profile's next stream of the source's kind is encoded as it describes;
    // VFW_E_TYPE_NOT_ACCEPTED when the profile has no such stream left.
    Result RenderStream(const Pad& source, const Element& compressor, const Element& mux);

private:
    std::shared_ptr<FilterGraph> graph_;
};

// Makes a Windows Media (or ASF) multiplexer encode the streams rendered into it
// afterwards as the profile describes. E_INVALIDARG for another multiplexer or
// a profile without audio or video stream, VFW_E_NO_ENCODER when a stream's
// format has no installed encoder.
Result ConfigureFilterUsingProfile(const Element& writerMux, const WmProfile& profile);

// "<multiplexer> is missing; install the Debian package <package>." when the
// format's multiplexer is not installed; empty when it is.
std::string MissingMultiplexerText(OutputFormat format);

// Applies to the streams rendered into mux afterwards.
Result SetInterleavingMode(const Element& mux, InterleavingMode mode);
InterleavingMode GetInterleavingMode(const Element& mux);

// Overwrite (the default) replaces an existing file. Without it an existing file
// is refused: E_FILE_EXISTS when the writer's file is already there.
Result SetFileWriterMode(const Element& writer, bool overwrite);

} // namespace media
