// Converts the 30 s 1280x720 benchmark clip the way veltrano's Convert command
// does (the conversion job: timeline, render engine and AVI output through the
// MPEG-4 part 2 and MP3 encoders), headless, and the same file with the ffmpeg
// command line at the same video bitrate; prints both wall times and their
// ratio, and the size and video PSNR of both outputs.
//
// Usage: bench_job [work folder] [runs]

#include "BenchInput.h"
#include "JobRunner.h"

#include <QApplication>

#include <algorithm>
#include <cstdio>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName("veltrano");
    const auto [dir, runs] = bench::ParseArgs(app.arguments(), 3, 1);
    bench::JobRunner runner;
    if (!runner.Start()) {
        return 1;
    }
    const QString input = bench::EnsureInput(dir);
    if (input.isEmpty()) {
        std::fprintf(stderr, "could not make the input file with ffmpeg\n");
        return 1;
    }
    const QString output = dir.filePath("job.avi");
    const bool compared = bench::CompareWithFfmpeg(
        {"job", [&] { return runner.Convert(input, output); }, output, runner.VideoBitrate()}, runs,
        input, dir.filePath("ffmpeg.avi"));
    runner.PrintPrompts();
    return compared ? 0 : 1;
}
