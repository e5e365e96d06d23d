#pragma once

// Pieces both benchmarks share: the input clip, the ffmpeg run and the median.

#include <QDir>
#include <QString>
#include <QStringList>

#include <functional>

namespace bench {

// Length of the benchmark clip: 1280x720, 30 fps, H.264 + AAC + an ASS track.
constexpr int kSeconds = 30;

// Arguments every ffmpeg run starts with: overwrite, print errors only.
QStringList FfmpegCommonArgs();

// What a bench is given, `bench [FOLDER [RUNS]]`: the folder for the clip and
// the outputs (made when missing), and the number of runs, at least `fewestRuns`.
struct BenchArgs {
    QDir dir;
    int runs = 0;
};
BenchArgs ParseArgs(const QStringList& args, int defaultRuns, int fewestRuns);

// A "VmXXX:" line of /proc/self/status (VmRSS, VmHWM) in MiB, negative when
// it is missing.
double ProcessStatusMiB(const char* field);

// Runs ffmpeg quietly with args; true when it succeeded.
bool RunFfmpeg(const QStringList& args);

// The benchmark clip in dir, made with ffmpeg when missing; empty on failure.
QString EnsureInput(const QDir& dir);
// A clip like it of `size` ("640x360") and `seconds`, with the same subtitles.
QString EnsureClip(const QDir& dir, const QString& size, int seconds);

// The video bitrate (bit/s) our MPEG-4 encoder takes when nobody sets one, for
// an ffmpeg run that happens before the media framework is up.
constexpr int kDefaultVideoBitrate = 200000;

// Arguments of the ffmpeg conversion matching ours (same video bitrate), after
// the common ones.
QStringList FfmpegConversionArgs(const QString& input, const QString& output, int videoBitrate);

// What the comparison needs to know of our side.
struct OurConversion {
    const char* label;
    std::function<double()> run; // one conversion: wall time in seconds, negative on failure
    QString output;
    int videoBitrate; // as our encoder is set; 0 when it encodes at constant quality
    // The matching ffmpeg conversion after the common arguments; empty for
    // FfmpegConversionArgs at videoBitrate.
    std::function<QStringList(const QString& input, const QString& output)> ffmpegArgs = {};
};

// Times our conversion against the matching ffmpeg one of `input`, `runs`
// times, and prints each run, the medians with their ratio, and the size and
// the video PSNR against the input of both outputs. False when a conversion
// failed.
bool CompareWithFfmpeg(const OurConversion& ours, int runs, const QString& input,
                       const QString& ffmpegOutput);

} // namespace bench
