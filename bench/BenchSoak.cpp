// Converts short clips back to back for a while with both programs' engines -
// veltrano's conversion job and caspari's subtitle engine into AVI, MKV and
// WMV - while a busy loop occupies every processor. About a third of the runs
// are stopped at a random moment. Prints the runs, the hangs (a run or a stop
// that did not end within its bound), the failures, the Stop latency (median,
// 95th percentile, maximum) and the resident memory and heap in use after
// every tenth run.
//
// Usage: bench_soak [work folder] [minutes] [kinds]
// kinds: a comma-separated selection of veltrano, avi, mkv, wmv (default: all,
// veltrano every other run), to see which engine a figure belongs to.

#include "BenchInput.h"
#include "CompressorCatalogue.h"
#include "CompressorDevices.h"
#include "CompressorSlots.h"
#include "ConversionJob.h"
#include "GraphEvents.h"
#include "JobRunner.h"
#include "LanguagePack.h"
#include "MediaInit.h"
#include "MediaWorker.h"
#include "OutputExtension.h"
#include "OutputSettings.h"
#include "ProgressWatchdog.h"
#include "RecordingPrompts.h"
#include "SubtitleConversion.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>

#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr double kClipSeconds = 6.0;
// A run that has not ended after this long, or a stop after this long, hangs.
constexpr int kRunBoundMs = 60000;
constexpr int kStopBoundMs = 10000;
constexpr int kStopLatencyTargetMs = 2000;

const char kSparseSubtitles[] =
    "[Script Info]\nScriptType: v4.00+\nPlayResX: 640\nPlayResY: 360\n\n"
    "[V4+ Styles]\nFormat: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, "
    "OutlineColour, BackColour, Bold, Italic, Underline, StrikeOut, ScaleX, ScaleY, Spacing, "
    "Angle, BorderStyle, Outline, Shadow, Alignment, MarginL, MarginR, MarginV, Encoding\n"
    "Style: Default,DejaVu Sans,24,&H00FFFFFF,&H000000FF,&H00000000,&H00000000,0,0,0,0,100,100,"
    "0,0,1,2,0,2,10,10,10,1\n\n"
    "[Events]\nFormat: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\n"
    "Dialogue: 0,0:00:00.50,0:00:01.00,Default,,0,0,0,,First\n"
    "Dialogue: 0,0:00:04.00,0:00:04.50,Default,,0,0,0,,Second\n";

// A run of veltrano's job; the other kinds are caspari's output formats.
constexpr int kVeltranoRun = -1;

// The kinds of run in the order they take turns; empty for an unknown name.
std::vector<int> RunKinds(const QString& selection) {
    if (selection.isEmpty()) {
        return {kVeltranoRun,         settings::kFormatAvi, kVeltranoRun,
                settings::kFormatMkv, kVeltranoRun,         settings::kFormatWmv};
    }
    std::vector<int> kinds;
    for (const QString& name : selection.split(',')) {
        if (name == "veltrano") {
            kinds.push_back(kVeltranoRun);
        } else if (name == "avi") {
            kinds.push_back(settings::kFormatAvi);
        } else if (name == "mkv") {
            kinds.push_back(settings::kFormatMkv);
        } else if (name == "wmv") {
            kinds.push_back(settings::kFormatWmv);
        } else {
            return {};
        }
    }
    return kinds;
}

QString EnsureClip(const QDir& dir) {
    const QString clip = dir.filePath(QStringLiteral("soak-640x360-25fps-6s.mkv"));
    if (QFileInfo(clip).size() > 0) {
        return clip;
    }
    const QString script = dir.filePath(QStringLiteral("soak.ass"));
    QFile file(script);
    if (!file.open(QIODevice::WriteOnly) || file.write(kSparseSubtitles) < 0) {
        return {};
    }
    file.close();
    const QString partial = dir.filePath(QStringLiteral(".soak-partial.mkv"));
    const bool made =
        bench::RunFfmpeg({"-f",      "lavfi",    "-i",       "testsrc2=size=640x360:rate=25",
                          "-f",      "lavfi",    "-i",       "sine=frequency=440:sample_rate=48000",
                          "-i",      script,     "-t",       QString::number(kClipSeconds),
                          "-map",    "0:v",      "-map",     "1:a",
                          "-map",    "2:s",      "-c:v",     "libx264",
                          "-preset", "veryfast", "-pix_fmt", "yuv420p",
                          "-c:a",    "aac",      "-c:s",     "ass",
                          partial});
    return made && QFile::rename(partial, clip) ? clip : QString();
}

// Whether ffprobe reads a video stream of some length in the file.
bool Playable(const QString& path) {
    QProcess probe;
    probe.start(QStringLiteral("ffprobe"),
                {"-v", "error", "-select_streams", "v:0", "-show_entries", "format=duration", "-of",
                 "default=nw=1:nk=1", path});
    return probe.waitForFinished(30000) && probe.exitCode() == 0 &&
           probe.readAllStandardOutput().trimmed().toDouble() > 0.0;
}

enum class RunEnd { Completed, Stopped, Failed, Hung };

struct Tally {
    int runs = 0;
    int hangs = 0;
    int failures = 0;
    int emptyStops = 0; // stopped before any picture was written
    std::vector<qint64> stopLatencies;
};

// Spins the event loop until `done` or `boundMs` passed; false on time-out.
bool WaitFor(const std::function<bool()>& done, int boundMs) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > boundMs) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// How one run went; for a hang or a failure, where, and the graph then.
struct RunReport {
    RunEnd end = RunEnd::Completed;
    qint64 stopLatency = -1; // when it was stopped
    const char* phase = "";
    std::string graph;
};

// Every thread's stack, from gdb attached to this process; empty without gdb.
std::string ThreadStacks() {
    QProcess gdb;
    gdb.start(QStringLiteral("gdb"), {"-p", QString::number(QCoreApplication::applicationPid()),
                                      "-batch", "-ex", "thread apply all bt 25"});
    if (!gdb.waitForFinished(60000)) {
        gdb.kill();
        return {};
    }
    return gdb.readAllStandardOutput().toStdString();
}

RunReport Ended(RunEnd end, const char* phase, const media::FilterGraph* graph) {
    RunReport report;
    report.end = end;
    report.phase = phase;
    if (end == RunEnd::Hung) {
        if (graph != nullptr) {
            report.graph = media::DescribeGraph(*graph);
        }
        // Where each thread waits, when gdb is installed.
        report.graph += ThreadStacks();
    }
    return report;
}

// veltrano's job on the clip; stopped after `stopAfterMs` unless that is negative.
RunReport RunVeltrano(const QString& clip, const QString& output, int stopAfterMs) {
    veltrano::ConverterState state;
    state.clipFile = clip;
    state.musicFile = clip;
    state.musicCount = 1;
    state.endMark = static_cast<std::int64_t>(kClipSeconds) * media::kUnitsPerSecond;
    settings::OutputSettings out;
    out.outputPath = output;
    out.outputWidth = 640;
    out.outputHeight = 360;
    out.outputFrameRate = 25.0;
    out.sourceCount = 1;
    veltrano::ConversionJob job(nullptr);
    const veltrano::JobInputs inputs{
        state, out, settings::CompressorForConversion(settings::CompressorCategory::Video),
        settings::CompressorForConversion(settings::CompressorCategory::Audio)};
    bench::JobEvents events(job);
    if (media::Failed(job.BuildTimeline(inputs))) {
        return Ended(RunEnd::Failed, "building the timeline", nullptr);
    }
    job.StartRender(inputs, &events);
    if (!job.Running()) {
        return Ended(RunEnd::Failed, "starting", nullptr);
    }
    RunReport report;
    if (stopAfterMs >= 0 && !WaitFor([&] { return events.ended; }, stopAfterMs)) {
        QElapsedTimer stopping;
        stopping.start();
        bool stopped = false;
        job.StopInBackground(&events, [&stopped] { stopped = true; });
        report = WaitFor([&] { return stopped; }, kStopBoundMs)
                     ? Ended(RunEnd::Stopped, "stopping", nullptr)
                     : Ended(RunEnd::Hung, "stopping", job.Graph());
        report.stopLatency = stopping.elapsed();
    } else if (!WaitFor([&] { return events.ended; }, kRunBoundMs)) {
        report = Ended(RunEnd::Hung, "running", job.Graph());
    } else if (events.failed) {
        report = Ended(RunEnd::Failed, "running", nullptr);
    }
    job.Finish();
    return report;
}

// caspari's engine on the clip into `output` in `format`; stopped likewise.
RunReport RunCaspari(const QString& clip, settings::OutputSettings output, int stopAfterMs) {
    caspari::SubtitleConversion engine(nullptr, uikit::Language());
    int rendered = 0;
    bool finished = false;
    caspari::ConversionOutcome outcome = caspari::ConversionOutcome::Failed;
    QObject::connect(&engine, &caspari::SubtitleConversion::sourceRendered,
                     [&](int result) { rendered = result; });
    QObject::connect(&engine, &caspari::SubtitleConversion::conversionFinished,
                     [&](caspari::ConversionOutcome how) {
                         finished = true;
                         outcome = how;
                     });
    engine.RenderSourceGraph(clip);
    if (!WaitFor([&] { return rendered != 0; }, kRunBoundMs)) {
        return Ended(RunEnd::Hung, "rendering the source", nullptr);
    }
    if (rendered != 1) {
        return Ended(RunEnd::Failed, "rendering the source", nullptr);
    }
    if (media::Failed(engine.PrepareCompressorsAndBuild(output)) || media::Failed(engine.Run())) {
        return Ended(RunEnd::Failed, "building and starting", nullptr);
    }
    rendered = 0;
    RunReport report;
    if (stopAfterMs >= 0 && !WaitFor([&] { return finished; }, stopAfterMs)) {
        QElapsedTimer stopping;
        stopping.start();
        engine.Stop();
        report = WaitFor([&] { return finished; }, kStopBoundMs)
                     ? Ended(RunEnd::Stopped, "stopping", nullptr)
                     : Ended(RunEnd::Hung, "stopping", engine.Graph());
        report.stopLatency = stopping.elapsed();
    } else if (!WaitFor([&] { return finished; }, kRunBoundMs)) {
        report = Ended(RunEnd::Hung, "running", engine.Graph());
    } else if (outcome != caspari::ConversionOutcome::Completed) {
        report = Ended(RunEnd::Failed, "running", nullptr);
    }
    // The engine renders the source again; that graph goes with the engine.
    if (!WaitFor([&] { return rendered != 0; }, kRunBoundMs) && report.end != RunEnd::Hung) {
        report = Ended(RunEnd::Hung, "rendering the source again", nullptr);
    }
    return report;
}

settings::OutputSettings CaspariOutput(const QDir& dir, int format) {
    settings::OutputSettings output;
    output.outputFormat = format;
    settings::SetOutputExtension(format, dir.filePath("soak-caspari"), output.outputPath);
    output.outputWidth = 640;
    output.outputHeight = 360;
    output.outputFrameRate = 25.0;
    output.videoBitrate = 798720;
    output.audioBitrate = 128000;
    output.videoCompressorIndex =
        settings::EncoderEntry(settings::CompressorCategory::Video, "avenc_mpeg4");
    output.audioCompressorIndex =
        settings::EncoderEntry(settings::CompressorCategory::Audio, "lamemp3enc");
    return output;
}

qint64 Percentile(std::vector<qint64> values, double share) {
    if (values.empty()) {
        return -1;
    }
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(share * static_cast<double>(values.size() - 1));
    return values[index];
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const media::MediaWorkerLifetime mediaWorker;
    const QStringList arguments = app.arguments();
    const bench::BenchArgs args = bench::ParseArgs(arguments.mid(0, 2), 1, 1);
    const double minutes = arguments.size() > 2 ? arguments[2].toDouble() : 10.0;
    if (media::Failed(media::Initialize())) {
        std::fprintf(stderr, "media framework did not start\n");
        return 1;
    }
    const QString clip = EnsureClip(args.dir);
    const int video = settings::EncoderEntry(settings::CompressorCategory::Video, "avenc_mpeg4");
    const int audio = settings::EncoderEntry(settings::CompressorCategory::Audio, "lamemp3enc");
    if (clip.isEmpty() || video < 0 || audio < 0) {
        std::fprintf(stderr, "no clip, or the MPEG-4 or MP3 encoder is missing\n");
        return 1;
    }
    settings::BindCompressor(settings::CompressorCategory::Video, video);
    settings::BindCompressor(settings::CompressorCategory::Audio, audio);
    uikit::RecordingPrompts prompts;
    uikit::ScopedPrompts scoped(prompts);

    std::atomic<bool> busy{true};
    std::vector<std::thread> spinners;
    for (unsigned i = 0; i < std::max(1u, std::thread::hardware_concurrency()); ++i) {
        spinners.emplace_back([&busy] {
            volatile unsigned long spin = 0;
            while (busy.load(std::memory_order_relaxed)) {
                spin = spin + 1;
            }
        });
    }

    std::printf("soak: %.1f minutes of %.0f s clips, a busy loop on each of %zu processors\n",
                minutes, kClipSeconds, spinners.size());
    std::mt19937 random(20261210);
    Tally tally;
    QElapsedTimer clock;
    clock.start();
    const std::vector<int> kinds = RunKinds(arguments.size() > 3 ? arguments[3] : QString());
    if (kinds.empty()) {
        std::fprintf(stderr, "kinds are veltrano, avi, mkv and wmv, separated by commas\n");
        return 2;
    }
    while (clock.elapsed() < static_cast<qint64>(minutes * 60000)) {
        const int run = tally.runs++;
        const bool stop = random() % 3 == 0;
        // Runs take about a second or two on a busy machine: most stops land inside one.
        const int stopAfterMs = stop ? static_cast<int>(random() % 1200) : -1;
        const std::size_t promptsBefore = prompts.records().size();
        QString output;
        RunReport report;
        const int kind = kinds[static_cast<std::size_t>(run) % kinds.size()];
        if (kind == kVeltranoRun) {
            output = args.dir.filePath("soak-veltrano.avi");
            report = RunVeltrano(clip, output, stopAfterMs);
        } else {
            const settings::OutputSettings settings = CaspariOutput(args.dir, kind);
            output = settings.outputPath;
            report = RunCaspari(clip, settings, stopAfterMs);
        }
        if (report.stopLatency >= 0) {
            tally.stopLatencies.push_back(report.stopLatency);
        }
        const bool messages = prompts.records().size() != promptsBefore;
        const QByteArray fileName = QFileInfo(output).fileName().toLocal8Bit();
        const char* name = fileName.constData();
        if (report.end == RunEnd::Hung) {
            ++tally.hangs;
            std::printf("run %d (%s) hung while %s; the graph then:\n%s\n", run, name, report.phase,
                        report.graph.c_str());
        } else if (report.end == RunEnd::Failed || messages) {
            ++tally.failures;
            std::printf("run %d (%s) failed while %s%s%s\n", run, name, report.phase,
                        messages ? ": " : "",
                        messages ? qPrintable(prompts.records().back().text) : "");
        } else if (!Playable(output)) {
            // Stopped before the first picture reached the writer, a file has
            // nothing to play; that is no failure.
            if (report.end == RunEnd::Stopped) {
                ++tally.emptyStops;
            } else {
                ++tally.failures;
                std::printf("run %d (%s) completed without a picture\n", run, name);
            }
        }
        if (tally.runs % 10 == 0) {
            // The heap in use apart from the resident size: a leak grows both,
            // memory the allocator keeps for reuse only the latter.
            const struct mallinfo2 heap = mallinfo2();
            std::printf("after %d runs (%.1f min): resident %.1f MiB, heap in use %.1f MiB\n",
                        tally.runs, clock.elapsed() / 60000.0, bench::ProcessStatusMiB("VmRSS"),
                        static_cast<double>(heap.uordblks + heap.hblkhd) / (1024.0 * 1024.0));
        }
    }
    busy = false;
    for (std::thread& spinner : spinners) {
        spinner.join();
    }
    std::printf("runs %d, hangs %d, failures %d, stopped %zu (%d of them before the first "
                "picture)\n",
                tally.runs, tally.hangs, tally.failures, tally.stopLatencies.size(),
                tally.emptyStops);
    const qint64 p95 = Percentile(tally.stopLatencies, 0.95);
    std::printf("stop latency: median %lld ms, 95th percentile %lld ms, maximum %lld ms "
                "(target 95th percentile <= %d ms: %s)\n",
                static_cast<long long>(Percentile(tally.stopLatencies, 0.5)),
                static_cast<long long>(p95),
                static_cast<long long>(Percentile(tally.stopLatencies, 1.0)), kStopLatencyTargetMs,
                p95 <= kStopLatencyTargetMs ? "met" : "missed");
    std::printf("hangs: %s\n", tally.hangs == 0 ? "none (target met)" : "TARGET MISSED");
    settings::ReleaseCompressor(settings::CompressorCategory::Video);
    settings::ReleaseCompressor(settings::CompressorCategory::Audio);
    media::Uninitialize();
    return tally.hangs == 0 && tally.failures == 0 ? 0 : 1;
}
