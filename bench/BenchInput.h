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

// Runs ffmpeg quietly with args; true when it succeeded.
bool RunFfmpeg(const QStringList& args);

// The benchmark clip in dir, made with ffmpeg when missing; empty on failure.
QString EnsureInput(const QDir& dir);

// Arguments of the ffmpeg conversion matching ours, after the common ones.
QStringList FfmpegConversionArgs(const QString& input, const QString& output);

// Wall time in seconds of the matching ffmpeg conversion, negative on failure.
double ConvertWithFfmpeg(const QString& input, const QString& output);

// Times `ours` (one conversion, its wall time in seconds or negative on failure)
// against the matching ffmpeg conversion of `input`, `runs` times, and prints
// each run and the medians with their ratio. False when a conversion failed.
bool CompareWithFfmpeg(const char* label, int runs, const std::function<double()>& ours,
                       const QString& input, const QString& ffmpegOutput);

} // namespace bench
