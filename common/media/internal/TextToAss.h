#pragma once

// A converter element that turns plain-text subtitles (text/x-raw, utf8 or
// pango-markup) into ASS events, so libass draws them with one readable
// default style: application/x-ass with a generated script header as codec
// data, one "ReadOrder,Layer,Style,Name,MarginL,MarginR,MarginV,Effect,Text"
// block per cue, timestamps and durations as they came.

#include "Handle.h"

#include <string>
#include <string_view>

namespace media::internal {

// How a cue's text is written: utf8 streams carry SRT's own tags raw, while
// pango markup also escapes &, < and > as entities.
enum class CueMarkup { Plain, Pango };

// The Text field of an ASS event for one cue. Italic, bold, underline, strike
// and colour tags become override tags; line breaks become \N; other tags are
// dropped and their text kept. A literal '{' or '\' stays literal.
std::string CueToAssText(std::string_view cue, CueMarkup markup);

// The script header the events are drawn with: 384x288, white sans text with
// a black outline and shadow, bottom centre.
const std::string& TextToAssHeader();

// Name of the element's factory, registered in-process on first use.
inline constexpr char kTextToAssFactory[] = "mediatexttoass";

// Registers the element (once per process); false when that failed.
bool RegisterTextToAss();

// A new converter; empty when it cannot be registered.
Handle<GstElement> MakeTextToAss();

} // namespace media::internal
