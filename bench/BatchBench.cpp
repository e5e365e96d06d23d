#include "BatchBench.h"

#include "BenchInput.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace bench {

namespace {

constexpr int kClips = 10;
constexpr int kClipSeconds = 4;
constexpr auto kClipSize = "640x360";
constexpr int kRunTimeoutMs = 600000;

// The loop a user would write: each clip's own subtitles burned in, MPEG-4 at
// the bitrate our encoder takes when nobody sets one, and MP3.
const char kShellLoop[] =
    "out=$1; shift; for f in \"$@\"; do "
    "ffmpeg -y -v error -i \"$f\" -vf \"subtitles=$f\" -c:v mpeg4 -b:v $BITRATE "
    "-c:a libmp3lame \"$out/${f%.mkv}.avi\" || exit 1; done";

// Wall time in seconds of `program` run to its end in `folder` without a
// display; negative when it failed.
double TimedRun(const QString& program, const QStringList& arguments, const QDir& folder,
                const QProcessEnvironment& environment) {
    QProcess process;
    process.setWorkingDirectory(folder.path());
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    const bool ended = process.waitForFinished(kRunTimeoutMs);
    const double seconds = timer.elapsed() / 1000.0;
    if (!ended) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0 ? seconds : -1;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

bool CompareBatchWithFfmpeg(const QDir& dir, int runs, const QString& caspari) {
    const QString clip = EnsureClip(dir, kClipSize, kClipSeconds);
    if (clip.isEmpty()) {
        std::fprintf(stderr, "could not make the short clip with ffmpeg\n");
        return false;
    }
    dir.mkpath("batch");
    const QDir folder(dir.filePath("batch"));
    QStringList clips;
    for (int i = 1; i <= kClips; ++i) {
        const QString name = QString("clip%1.mkv").arg(i, 2, 10, QChar('0'));
        if (!QFile::exists(folder.filePath(name))) {
            QFile::copy(clip, folder.filePath(name));
        }
        clips.append(name);
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        environment.remove(name);
    }
    // Fresh settings: the default compressors (MPEG-4 and MP3) at their defaults.
    environment.insert("XDG_CONFIG_HOME", dir.filePath("batch-settings"));
    environment.insert("BITRATE", QString::number(kDefaultVideoBitrate));
    folder.mkpath("caspari");
    folder.mkpath("ffmpeg");

    std::printf("\nBatch: %d clips of %d s %s, subtitles burned in, MPEG-4 + MP3 into AVI\n",
                kClips, kClipSeconds, kClipSize);
    std::vector<double> ours;
    std::vector<double> theirs;
    for (int run = 0; run < runs; ++run) {
        ours.push_back(TimedRun(
            caspari,
            QStringList{"--convert", "--overwrite", "--format", "avi", "--output-dir", "caspari"} +
                clips,
            folder, environment));
        theirs.push_back(TimedRun("sh", QStringList{"-c", kShellLoop, "sh", "ffmpeg"} + clips,
                                  folder, environment));
        std::printf("  run %d: caspari --convert %.2f s, ffmpeg loop %.2f s\n", run + 1,
                    ours.back(), theirs.back());
        if (ours.back() < 0 || theirs.back() < 0) {
            std::fprintf(stderr, "a batch failed\n");
            return false;
        }
    }
    const double median = Median(ours);
    const double ffmpegMedian = Median(theirs);
    std::printf("  median: caspari --convert %.2f s, ffmpeg loop %.2f s, ratio %.2f\n", median,
                ffmpegMedian, median / ffmpegMedian);
    return true;
}

} // namespace bench
