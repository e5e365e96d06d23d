#pragma once

// The subtitle filter: the layer's own chain that draws a file's subtitles into
// its picture. RenderFile puts it into the first video path of every graph it
// builds, as one bin named kSubtitleFilterName, when the user's load level says
// so. It draws the file's own subtitle stream, else a sidecar script beside the
// file (same base name, .ass, .ssa or .srt in any letter case). ASS/SSA keep
// their own styles; plain text (SRT, text tracks) is drawn in one default
// style, white sans text on a black outline at the bottom centre, keeping its
// italic, bold, underline, strike and colour tags.

namespace media {

// Where the user's choice is kept (per-user settings).
inline constexpr char kSubtitleFilterOrganization[] = "Pellmar";
inline constexpr char kSubtitleFilterApplication[] = "VSFilter";
inline constexpr char kSubtitleFilterSettingsGroup[] = "General";
inline constexpr char kSubtitleFilterLoadLevelKey[] = "LoadLevel";

// Name of the filter's bin in a rendered graph.
inline constexpr char kSubtitleFilterName[] = "SubtitleFilter";

// Load levels: when the filter joins a rendered video path.
inline constexpr int kSubtitleFilterAlways = 0;        // every video graph
inline constexpr int kSubtitleFilterWithSubtitles = 1; // when the source has subtitles
inline constexpr int kSubtitleFilterNever = 2;

// The user's load level, read anew on each call; a missing or unreadable value
// (not a number, out of range) gives kSubtitleFilterWithSubtitles.
int SubtitleFilterLoadLevel();

// Whether the elements the filter is built from are installed (the framework
// must be initialized).
bool SubtitleFilterInstalled();

} // namespace media
