#include "JobRunner.h"

#include "BenchInput.h"
#include "CompressorCatalogue.h"
#include "CompressorDevices.h"
#include "CompressorSlots.h"
#include "ConversionJob.h"
#include "GraphEvents.h"
#include "MediaInit.h"

#include <QElapsedTimer>
#include <QEventLoop>

#include <cstdio>
#include <string>

namespace bench {

using namespace veltrano;

bool JobEvents::event(QEvent* event) {
    if (event->type() != media::GraphNotifyEventType()) {
        return QObject::event(event);
    }
    long code = 0;
    std::intptr_t p1 = 0;
    std::intptr_t p2 = 0;
    while (job_.Graph() != nullptr && media::Succeeded(job_.Graph()->GetEvent(code, p1, p2, 0))) {
        if (code == media::EC_COMPLETE || code == media::EC_ERRORABORT) {
            ended = true;
            failed = failed || code == media::EC_ERRORABORT;
            if (onEnd_) {
                onEnd_();
            }
        }
    }
    return true;
}

JobRunner::JobRunner() : scoped_(prompts_) {}

JobRunner::~JobRunner() {
    if (bound_) {
        settings::ReleaseCompressor(settings::CompressorCategory::Video);
        settings::ReleaseCompressor(settings::CompressorCategory::Audio);
    }
}

bool JobRunner::Start() {
    if (media::Failed(media::Initialize())) {
        std::fprintf(stderr, "media framework did not start\n");
        return false;
    }
    const int video = settings::EncoderEntry(settings::CompressorCategory::Video, "avenc_mpeg4");
    const int audio = settings::EncoderEntry(settings::CompressorCategory::Audio, "lamemp3enc");
    if (video < 0 || audio < 0) {
        std::fprintf(stderr, "the MPEG-4 or MP3 encoder is not installed\n");
        return false;
    }
    settings::BindCompressor(settings::CompressorCategory::Video, video);
    settings::BindCompressor(settings::CompressorCategory::Audio, audio);
    bound_ = true;
    return true;
}

double JobRunner::Convert(const QString& input, const QString& output) {
    ConverterState state;
    state.clipFile = input;
    state.musicFile = input;
    state.musicCount = 1;
    state.endMark = std::int64_t{kSeconds} * media::kUnitsPerSecond;
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
                           settings::CompressorForConversion(settings::CompressorCategory::Video),
                           settings::CompressorForConversion(settings::CompressorCategory::Audio)};
    QEventLoop loop;
    JobEvents completion(job, [&loop] { loop.quit(); });
    if (media::Failed(job.BuildTimeline(inputs))) {
        return -1;
    }
    job.StartRender(inputs, &completion);
    if (!job.Running()) {
        return -1;
    }
    loop.exec();
    job.Finish();
    // Any message box means the job failed, even when it wrote a file.
    return completion.failed || !prompts_.records().empty() ? -1 : timer.elapsed() / 1000.0;
}

int JobRunner::VideoBitrate() const {
    return std::stoi(settings::CompressorForConversion(settings::CompressorCategory::Video)
                         .GetProperty("bitrate"));
}

void JobRunner::PrintPrompts() const {
    for (const auto& record : prompts_.records()) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(record.caption), qPrintable(record.text));
    }
}

} // namespace bench
