// Converts the 30 s 1280x720 benchmark clip with veltrano's conversion job
// several times in one process and prints the resident memory: after start-up,
// the peak of each run and what stays resident after it, and the growth from
// the first run to the last; and the peak of the matching ffmpeg conversion.
//
// Usage: bench_memory [work folder] [runs]

#include "BenchInput.h"
#include "JobRunner.h"
#include "MediaInit.h"

#include <QApplication>
#include <QFile>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr double kPeakTargetMiB = 150;
constexpr double kGrowthTargetMiB = 5;

// Starts a new peak (VmHWM) at the current resident size; false when the kernel
// refuses, and the peak then covers the whole process.
bool ResetPeak() {
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    return clearRefs.open(QIODevice::WriteOnly) && clearRefs.write("5") == 1;
}

// User and system time this process has used so far; the allocator's settings
// show there (page faults, mapping calls) before they show in wall time.
double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Peak resident MiB of the matching ffmpeg conversion, negative on failure.
// Waits for that child alone, so earlier children (the clip's making) do not count.
// The kernel counts this process's peak at the start as the child's too.
double FfmpegPeakMiB(const QString& input, const QString& output) {
    std::vector<std::string> args{"ffmpeg"};
    for (const QString& arg :
         bench::FfmpegCommonArgs() +
             bench::FfmpegConversionArgs(input, output, bench::kDefaultVideoBitrate)) {
        args.push_back(arg.toStdString());
    }
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, "ffmpeg", nullptr, nullptr, argv.data(), environ) != 0) {
        return -1;
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return -1;
    }
    return usage.ru_maxrss / 1024.0; // kilobytes on Linux
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName("veltrano");
    const auto [dir, runs] = bench::ParseArgs(app.arguments(), 5, 2);
    const QString input = bench::EnsureInput(dir);
    if (input.isEmpty()) {
        std::fprintf(stderr, "could not make the input file with ffmpeg\n");
        return 1;
    }
    // A child's peak starts from this process's peak when it is started, so
    // ffmpeg runs while this process is still small.
    const double ffmpeg = FfmpegPeakMiB(input, dir.filePath("ffmpeg-memory.avi"));
    if (ffmpeg < 0 || ffmpeg <= bench::ProcessStatusMiB("VmHWM")) {
        std::fprintf(stderr, "the ffmpeg conversion failed or its peak is not its own\n");
        return 1;
    }
    const double beforeMedia = bench::ProcessStatusMiB("VmRSS");
    if (media::Failed(media::Initialize())) {
        std::fprintf(stderr, "media framework did not start\n");
        return 1;
    }
    const double afterMedia = bench::ProcessStatusMiB("VmRSS");
    bench::JobRunner runner;
    if (!runner.Start()) {
        return 1;
    }
    std::printf("start-up: %.1f MiB resident before the media framework, %.1f MiB after it, "
                "%.1f MiB with the encoders loaded\n",
                beforeMedia, afterMedia, bench::ProcessStatusMiB("VmRSS"));

    if (!ResetPeak()) {
        std::printf("the peak cannot be reset: each peak is the process's so far\n");
    }
    std::vector<double> resident;
    std::vector<double> peaks;
    for (int run = 1; run <= runs; ++run) {
        ResetPeak();
        const double cpuBefore = CpuSeconds();
        const double seconds = runner.Convert(input, dir.filePath("memory.avi"));
        const double cpu = CpuSeconds() - cpuBefore;
        if (seconds < 0) {
            runner.PrintPrompts();
            std::fprintf(stderr, "run %d failed\n", run);
            return 1;
        }
        resident.push_back(bench::ProcessStatusMiB("VmRSS"));
        peaks.push_back(bench::ProcessStatusMiB("VmHWM"));
        std::printf("run %d: %.2f s (%.2f s of CPU), peak %.1f MiB, resident after it %.1f MiB\n",
                    run, seconds, cpu, peaks.back(), resident.back());
    }
    const double peak = *std::max_element(peaks.begin(), peaks.end());
    const double growth = resident.back() - resident.front();
    std::printf("peak of all runs %.1f MiB (target <= %.0f)\n", peak, kPeakTargetMiB);
    std::printf("growth run 1 -> run %d: %+.1f MiB resident, %+.1f MiB peak (target <= %.0f)\n",
                runs, growth, peaks.back() - peaks.front(), kGrowthTargetMiB);
    std::printf("ffmpeg peak %.1f MiB\n", ffmpeg);
    return 0;
}
