#include "BenchInput.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

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

double ProcessStatusMiB(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const QByteArray key = QByteArray(field) + ':';
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key)) {
            return line.mid(key.size()).trimmed().split(' ').front().toDouble() / 1024.0;
        }
    }
    return -1;
}

bool RunFfmpeg(const QStringList& args) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QStringLiteral("ffmpeg"), FfmpegCommonArgs() + args);
    return process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

QString EnsureInput(const QDir& dir) {
    return EnsureClip(dir, QStringLiteral("1280x720"), kSeconds);
}

QString EnsureClip(const QDir& dir, const QString& size, int seconds) {
    const QString input =
        dir.filePath(QStringLiteral("bench-%1-30fps-%2s.mkv").arg(size).arg(seconds));
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
        RunFfmpeg({"-f",      "lavfi",   "-i",       "testsrc2=size=" + size + ":rate=30",
                   "-f",      "lavfi",   "-i",       "sine=frequency=440:sample_rate=48000",
                   "-i",      subtitles, "-t",       QString::number(seconds),
                   "-map",    "0:v",     "-map",     "1:a",
                   "-map",    "2:s",     "-c:v",     "libx264",
                   "-preset", "medium",  "-pix_fmt", "yuv420p",
                   "-c:a",    "aac",     "-ac",      "2",
                   "-c:s",    "ass",     partial});
    return made && QFile::rename(partial, input) ? input : QString();
}

QStringList FfmpegConversionArgs(const QString& input, const QString& output, int videoBitrate) {
    return {"-i",   input,        "-c:v", "mpeg4", "-b:v", QString::number(videoBitrate),
            "-c:a", "libmp3lame", output};
}

namespace {

double ConvertWithFfmpeg(const QStringList& args) {
    QElapsedTimer timer;
    timer.start();
    if (!RunFfmpeg(args)) {
        return -1;
    }
    return timer.elapsed() / 1000.0;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Mean PSNR in dB of the output's video against the input's, frame by frame
// in order after skipping `skipped` output frames; negative when ffmpeg could
// not measure it.
double VideoPsnr(const QString& output, const QString& input, int skipped) {
    QProcess process;
    const QString graph = QStringLiteral("[0:v]trim=start_frame=%1,setpts=N/FRAME_RATE/TB[a];"
                                         "[1:v]setpts=N/FRAME_RATE/TB[b];[a][b]psnr")
                              .arg(skipped);
    process.start(QStringLiteral("ffmpeg"), {"-v", "info", "-nostats", "-i", output, "-i", input,
                                             "-lavfi", graph, "-f", "null", "-"});
    if (!process.waitForFinished(-1)) {
        return -1;
    }
    static const QRegularExpression average(QStringLiteral("PSNR .* average:([0-9.]+)"));
    const QRegularExpressionMatch match =
        average.match(QString::fromUtf8(process.readAllStandardError()));
    return match.hasMatch() ? match.captured(1).toDouble() : -1;
}

// The two programs line the clip's first frame (at 21 ms) up with the output's
// first or second frame: each output is measured where it matches best.
double BestVideoPsnr(const QString& output, const QString& input) {
    double best = -1;
    for (int skipped = 0; skipped <= 2; ++skipped) {
        best = std::max(best, VideoPsnr(output, input, skipped));
    }
    return best;
}

void PrintOutput(const char* label, const QString& output, const QString& input) {
    std::printf("%s output: %.2f MB, video PSNR %.2f dB\n", label, QFileInfo(output).size() / 1e6,
                BestVideoPsnr(output, input));
}

} // namespace

bool CompareWithFfmpeg(const OurConversion& ours, int runs, const QString& input,
                       const QString& ffmpegOutput) {
    std::vector<double> ourTimes;
    std::vector<double> ffmpegTimes;
    for (int run = 0; run < runs; ++run) {
        const double our = ours.run();
        const double ffmpeg = ConvertWithFfmpeg(
            ours.ffmpegArgs ? ours.ffmpegArgs(input, ffmpegOutput)
                            : FfmpegConversionArgs(input, ffmpegOutput, ours.videoBitrate));
        if (our < 0 || ffmpeg < 0) {
            return false;
        }
        std::printf("run %d: %s %.2f s, ffmpeg %.2f s, ratio %.3f\n", run + 1, ours.label, our,
                    ffmpeg, our / ffmpeg);
        ourTimes.push_back(our);
        ffmpegTimes.push_back(ffmpeg);
    }
    const double our = Median(ourTimes);
    const double ffmpeg = Median(ffmpegTimes);
    std::printf("median of %d: %s %.2f s, ffmpeg %.2f s, ratio %.3f (target <= 1.10)\n", runs,
                ours.label, our, ffmpeg, our / ffmpeg);
    if (ours.videoBitrate > 0) {
        std::printf("video bitrate asked of both: %d bit/s\n", ours.videoBitrate);
    }
    PrintOutput(ours.label, ours.output, input);
    PrintOutput("ffmpeg", ffmpegOutput, input);
    return true;
}

BenchArgs ParseArgs(const QStringList& args, int defaultRuns, int fewestRuns) {
    BenchArgs parsed{QDir(args.size() > 1 ? args[1] : QDir::temp().filePath("converters-bench")),
                     args.size() > 2 ? std::max(fewestRuns, args[2].toInt()) : defaultRuns};
    QDir().mkpath(parsed.dir.path());
    return parsed;
}

} // namespace bench
