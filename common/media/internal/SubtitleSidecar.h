#pragma once

// Subtitle scripts that lie beside a video file, and the readers that turn an
// ASS/SSA script or an SRT file into the form a demuxer hands an ASS track on
// in: the script header as codec data and one block per Dialogue line.

#include <cstdint>
#include <string>
#include <vector>

namespace media::internal {

enum class SidecarFormat { None, Ass, Srt };

struct Sidecar {
    std::string path;
    SidecarFormat format = SidecarFormat::None;
};

// The script beside `videoPath` with the same base name and the extension .ass,
// .ssa or .srt in any letter case; format None when there is none.
Sidecar FindSidecar(const std::string& videoPath);

struct AssEvent {
    std::int64_t startNs = 0;
    std::int64_t durationNs = 0;
    // "ReadOrder,Layer,Style,Name,MarginL,MarginR,MarginV,Effect,Text"
    std::string block;
};

struct AssScript {
    std::string header;           // everything but the Dialogue lines
    std::vector<AssEvent> events; // by start time
};

// Reads an ASS or SSA script (UTF-8, with or without a byte order mark). False
// when the text has no [Events] section with a Format line.
bool ParseAssScript(const std::string& text, AssScript& script);

// Reads SRT cues as events of the default text style (TextToAssHeader), their
// tags as override tags. Text that is not UTF-8 is taken as Windows-1252, or
// as GST_SUBTITLE_ENCODING says. False when no line holds a cue's times.
bool ParseSrtScript(const std::string& text, AssScript& script);

// Subtitle files above this size are refused: one is read whole.
inline constexpr std::int64_t kMaxSubtitleFileBytes = 50LL * 1024 * 1024;
// A line longer than this is damage: no cue holds that much text, and drawing
// it would take the overlay far longer than a frame.
inline constexpr std::size_t kMaxSubtitleLineBytes = 64 * 1024;

// Reads and parses the sidecar by its format; false when it cannot be read, is
// larger than kMaxSubtitleFileBytes or holds no script.
bool ReadSidecarScript(const Sidecar& sidecar, AssScript& script);

// Whether the sidecar can be drawn: it can be read, is not too large, has no
// overlong line, and holds a script (ASS/SSA) or at least one well-formed
// time line (SRT). A sidecar that fails this is left out, not the video.
bool SidecarReadable(const Sidecar& sidecar);

// Index of the first event still on show at or after `positionNs`.
std::size_t FirstEventFrom(const AssScript& script, std::int64_t positionNs);

} // namespace media::internal
