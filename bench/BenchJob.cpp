// Converts the 30 s 1280x720 benchmark clip the way veltrano's Convert command
// does (the conversion job: timeline, render engine and AVI output through the
// MPEG-4 part 2 and MP3 encoders), headless, and the same file with the ffmpeg
// command line; prints both wall times and their ratio.
//
// Usage: bench_job [work folder] [runs]

#include "BenchInput.h"
#include "CompressorCatalogue.h"
#include "CompressorDevices.h"
#include "CompressorSlots.h"
#include "ConversionJob.h"
#include "GraphEvents.h"
#include "MediaInit.h"
#include "RecordingPrompts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>

namespace {

using namespace veltrano;

// Receives the job's graph notifications and ends the wait on completion or error.
class Completion : public QObject {
public:
    Completion(ConversionJob& job, QEventLoop& loop) : job_(job), loop_(loop) {}
    bool failed = false;

protected:
    bool event(QEvent* event) override {
        if (event->type() != media::GraphNotifyEventType()) {
            return QObject::event(event);
        }
        long code = 0;
        std::intptr_t p1 = 0;
        std::intptr_t p2 = 0;
        while (job_.Graph() != nullptr &&
               media::Succeeded(job_.Graph()->GetEvent(code, p1, p2, 0))) {
            if (code == media::EC_COMPLETE || code == media::EC_ERRORABORT) {
                failed = code == media::EC_ERRORABORT;
                loop_.quit();
            }
        }
        return true;
    }

private:
    ConversionJob& job_;
    QEventLoop& loop_;
};

int EntryOf(settings::CompressorCategory category, const QString& element) {
    std::vector<settings::CompressorMember> members;
    settings::CurrentCompressorDevices().Walk(category, members);
    for (std::size_t i = 0; i < members.size(); ++i) {
        if (members[i].elementName == element) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

double ConvertWithJob(const QString& input, const QString& output) {
    ConverterState state;
    state.clipFiles[0] = input;
    state.musicFiles[0] = input;
    state.musicCount = 1;
    state.endMark = std::int64_t{bench::kSeconds} * media::kUnitsPerSecond;
    settings::OutputSettings out;
    out.outputPath = output;
    out.outputWidth = 1280;
    out.outputHeight = 720;
    out.outputFrameRate = 30.0;
    out.sourceCount = 1;

    QElapsedTimer timer;
    timer.start();
    ConversionJob job(nullptr);
    const JobInputs inputs{state, out,
                           settings::BoundCompressor(settings::CompressorCategory::Video),
                           settings::BoundCompressor(settings::CompressorCategory::Audio)};
    QEventLoop loop;
    Completion completion(job, loop);
    job.BuildTimeline(inputs);
    job.StartRender(inputs, &completion);
    if (!job.Running()) {
        return -1;
    }
    loop.exec();
    job.Finish();
    return completion.failed ? -1 : timer.elapsed() / 1000.0;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName("veltrano");
    const QStringList args = app.arguments();
    const QDir dir(args.size() > 1 ? args[1] : QDir::temp().filePath("converters-bench"));
    const int runs = args.size() > 2 ? std::max(1, args[2].toInt()) : 3;
    QDir().mkpath(dir.path());
    // Any message box would mean the job failed; record instead of showing.
    uikit::RecordingPrompts prompts;
    uikit::ScopedPrompts scoped(prompts);
    if (media::Failed(media::Initialize())) {
        std::fprintf(stderr, "media framework did not start\n");
        return 1;
    }
    const QString input = bench::EnsureInput(dir);
    if (input.isEmpty()) {
        std::fprintf(stderr, "could not make the input file with ffmpeg\n");
        return 1;
    }
    settings::BindCompressor(settings::CompressorCategory::Video,
                             EntryOf(settings::CompressorCategory::Video, "avenc_mpeg4"));
    settings::BindCompressor(settings::CompressorCategory::Audio,
                             EntryOf(settings::CompressorCategory::Audio, "lamemp3enc"));
    // Any message box means the job failed, even when it wrote a file.
    const bool compared = bench::CompareWithFfmpeg(
        "job", runs,
        [&] {
            const double seconds = ConvertWithJob(input, dir.filePath("job.avi"));
            return prompts.records().empty() ? seconds : -1.0;
        },
        input, dir.filePath("ffmpeg.avi"));
    for (const auto& record : prompts.records()) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(record.caption), qPrintable(record.text));
    }
    settings::ReleaseCompressor(settings::CompressorCategory::Video);
    settings::ReleaseCompressor(settings::CompressorCategory::Audio);
    return compared ? 0 : 1;
}
