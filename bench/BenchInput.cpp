#include "BenchInput.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace bench {

namespace {

const char kSubtitles[] =
    "[Script Info]\nScriptType: v4.00+\nPlayResX: 1280\nPlayResY: 720\n\n"
    "[V4+ Styles]\nFormat: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, "
    "OutlineColour, BackColour, Bold, Italic, Underline, StrikeOut, ScaleX, ScaleY, Spacing, "
    "Angle, BorderStyle, Outline, Shadow, Alignment, MarginL, MarginR, MarginV, Encoding\n"
    "Style: Default,DejaVu Sans,40,&H00FFFFFF,&H000000FF,&H00000000,&H00000000,0,0,0,0,100,100,"
    "0,0,1,2,0,2,10,10,10,1\n\n"
    "[Events]\nFormat: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\n"
    "Dialogue: 0,0:00:01.00,0:00:05.00,Default,,0,0,0,,Benchmark subtitle one\n"
    "Dialogue: 0,0:00:10.00,0:00:15.00,Default,,0,0,0,,Benchmark subtitle two\n"
    "Dialogue: 0,0:00:20.00,0:00:25.00,Default,,0,0,0,,Benchmark subtitle three\n";

} // namespace

QStringList FfmpegCommonArgs() {
    return {"-y", "-v", "error"};
}

bool RunFfmpeg(const QStringList& args) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QStringLiteral("ffmpeg"), FfmpegCommonArgs() + args);
    return process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

QString EnsureInput(const QDir& dir) {
    const QString input = dir.filePath(QStringLiteral("bench-1280x720-30fps-30s.mkv"));
    if (QFileInfo(input).size() > 0) {
        return input;
    }
    const QString subtitles = dir.filePath(QStringLiteral("bench.ass"));
    QFile file(subtitles);
    if (!file.open(QIODevice::WriteOnly) || file.write(kSubtitles) < 0) {
        return {};
    }
    file.close();
    std::printf("making %s\n", qPrintable(input));
    const QString partial = dir.filePath(QStringLiteral(".bench-partial.mkv"));
    const bool made =
        RunFfmpeg({"-f",      "lavfi",   "-i",       "testsrc2=size=1280x720:rate=30",
                   "-f",      "lavfi",   "-i",       "sine=frequency=440:sample_rate=48000",
                   "-i",      subtitles, "-t",       QString::number(kSeconds),
                   "-map",    "0:v",     "-map",     "1:a",
                   "-map",    "2:s",     "-c:v",     "libx264",
                   "-preset", "medium",  "-pix_fmt", "yuv420p",
                   "-c:a",    "aac",     "-ac",      "2",
                   "-c:s",    "ass",     partial});
    return made && QFile::rename(partial, input) ? input : QString();
}

QStringList FfmpegConversionArgs(const QString& input, const QString& output) {
    return {"-i", input, "-c:v", "mpeg4", "-c:a", "libmp3lame", output};
}

double ConvertWithFfmpeg(const QString& input, const QString& output) {
    QElapsedTimer timer;
    timer.start();
    if (!RunFfmpeg(FfmpegConversionArgs(input, output))) {
        return -1;
    }
    return timer.elapsed() / 1000.0;
}

namespace {

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

bool CompareWithFfmpeg(const char* label, int runs, const std::function<double()>& ours,
                       const QString& input, const QString& ffmpegOutput) {
    std::vector<double> ourTimes;
    std::vector<double> ffmpegTimes;
    for (int run = 0; run < runs; ++run) {
        const double our = ours();
        const double ffmpeg = ConvertWithFfmpeg(input, ffmpegOutput);
        if (our < 0 || ffmpeg < 0) {
            return false;
        }
        std::printf("run %d: %s %.2f s, ffmpeg %.2f s, ratio %.3f\n", run + 1, label, our, ffmpeg,
                    our / ffmpeg);
        ourTimes.push_back(our);
        ffmpegTimes.push_back(ffmpeg);
    }
    const double our = Median(ourTimes);
    const double ffmpeg = Median(ffmpegTimes);
    std::printf("median of %d: %s %.2f s, ffmpeg %.2f s, ratio %.3f (target <= 1.10)\n", runs,
                label, our, ffmpeg, our / ffmpeg);
    return true;
}

BenchArgs ParseArgs(const QStringList& args, int defaultRuns, int fewestRuns) {
    BenchArgs parsed{QDir(args.size() > 1 ? args[1] : QDir::temp().filePath("converters-bench")),
                     args.size() > 2 ? std::max(fewestRuns, args[2].toInt()) : defaultRuns};
    QDir().mkpath(parsed.dir.path());
    return parsed;
}

} // namespace bench
