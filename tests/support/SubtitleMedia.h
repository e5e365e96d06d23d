#pragma once

// Test media with subtitles, made with ffmpeg into the media cache (see
// TestMedia.h), and helpers to compare decoded pictures. The picture is flat
// mid-grey with a small box moving at the left edge, clear of the areas where
// subtitles are drawn, so encoding noise stays far below a subtitle's mark.

#include <QColor>
#include <QImage>
#include <QRect>
#include <QSize>

#include <string>

namespace testmedia {

// Times (seconds) at which the clips below show their event, and show none.
// Pictures within 0.3 s of either time show the same (tests pick played frames
// that close), and none before 0.8 s shows a subtitle.
constexpr double kSubtitleShownAt = 1.5;
constexpr double kNoSubtitleAt = 2.6;
// Length of the 320x240 clips below: short, since some tests play them in real
// time, yet long enough to end with a stretch without subtitles.
constexpr double kSubtitleClipSeconds = 3.0;

// The ASS script of MkvWithAss on its own.
std::string RedEventScript();
// 320x240, 25 fps, H.264 + AAC stereo, an ASS track with one event from 1.0 s
// to 2.0 s: a bold, large, red (&H000000FF) line at the top centre.
std::string MkvWithAss();
// The same picture and sound with an SRT track, one event 1.0 s to 2.0 s.
std::string MkvWithSrt();
// H.264 + AAC in MP4 without subtitles, beside it "<same name>.SRT" with one
// event 1.0 s to 2.0 s.
std::string Mp4WithSidecarSrt();
std::string MkvWithoutSubtitles();
// Video and the ASS track only.
std::string MkvWithoutAudio();
// 1280x720, 30 fps, H.264 + AAC, red ASS events spread over the clip: one is
// shown at kSubtitleShownAt, none at kNoSubtitleAt.
std::string HdMkvWithAss(int seconds);

// Where the red ASS event's text lies in a frame of that size.
QRect SubtitleArea(QSize frame);
// Where a plain-text (SRT) event is drawn by default: bottom centre.
QRect PlainTextArea(QSize frame);

// The frame at `seconds` decoded by ffmpeg, RGB; null on failure.
QImage GrabFrame(const std::string& path, double seconds);
// Share (0..1) of pixels in `region` whose colour differs by more than
// `threshold` in any channel between a and b.
double DifferingShare(const QImage& a, const QImage& b, const QRect& region, int threshold = 48);
// Share (0..1) of pixels in `region` within `tolerance` of `colour` in every channel.
double ColourShare(const QImage& image, const QRect& region, const QColor& colour,
                   int tolerance = 60);

// Whether the subtitle is in the output's picture: at its time the text area
// differs from the source, at a time without subtitle it does not. With
// `redAss` the styled red line is looked for, else plain text.
void ExpectSubtitleDrawn(const std::string& source, const std::string& output, bool drawn,
                         bool redAss);

} // namespace testmedia
