// Converts a 1280x720 30 fps 30 s H.264/AAC Matroska file (with an ASS track)
// to MPEG-4 video + MP3 in AVI, once through the media layer (timeline and
// output builder, as the programs do) and once with the ffmpeg command line,
// and prints both wall times and their ratio, and the size and video PSNR of
// both outputs (ffmpeg is asked for the bitrate our encoder is set to).
//
// Usage: bench_convert [work folder] [runs]

#include "BenchInput.h"
#include "EncoderCatalogue.h"
#include "MediaInit.h"
#include "OutputBuilder.h"
#include "RenderEngine.h"
#include "Timeline.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace media;

constexpr int kSeconds = bench::kSeconds;

Element CreateEncoder(EncoderCategory category, const std::string& factory) {
    const std::vector<EncoderInfo> encoders = EncoderCatalogue::Enumerate(category);
    for (std::size_t i = 0; i < encoders.size(); ++i) {
        if (encoders[i].factoryName == factory) {
            Element encoder;
            EncoderCatalogue::Create(category, static_cast<int>(i), encoder);
            return encoder;
        }
    }
    return {};
}

std::shared_ptr<TimelineGroup> MakeGroup(MajorType type, const std::string& input) {
    constexpr ReferenceTime kLength = kSeconds * kUnitsPerSecond;
    auto group = std::make_shared<TimelineGroup>();
    if (type == MajorType::Video) {
        group->SetVideoMediaType(1280, 720);
        group->SetOutputFPS(30.0);
    } else {
        group->SetAudioMediaType();
    }
    auto source = std::make_shared<TimelineSource>();
    source->SetStartStop(0, kLength);
    source->SetMediaTimes(0, kLength);
    source->SetMediaName(input);
    source->SetStretchMode(static_cast<int>(StretchMode::PreserveAspect));
    auto track = std::make_shared<TimelineTrack>();
    track->SrcAdd(source);
    group->TrackInsBefore(track, -1);
    return group;
}

// Returns the wall time in seconds, or a negative value on failure.
double ConvertWithLayer(const std::string& input, const std::string& output,
                        const Element& videoEncoder) {
    QElapsedTimer timer;
    timer.start();
    auto timeline = std::make_shared<Timeline>();
    timeline->AddGroup(MakeGroup(MajorType::Video, input));
    timeline->AddGroup(MakeGroup(MajorType::Audio, input));
    RenderEngine engine;
    engine.SetTimelineObject(timeline);
    Result result = engine.ConnectFrontEnd();
    std::shared_ptr<FilterGraph> graph;
    if (Failed(result) || Failed(engine.GetFilterGraph(graph))) {
        std::fprintf(stderr, "timeline: %s %s\n", ErrorText(result).c_str(),
                     engine.LastErrorText().c_str());
        return -1;
    }
    OutputBuilder builder;
    builder.SetFiltergraph(graph);
    Element mux;
    Element writer;
    result = builder.SetOutputFileName(OutputFormat::Avi, output, mux, writer);
    Pad videoPin;
    Pad audioPin;
    engine.GetGroupOutputPin(0, videoPin);
    engine.GetGroupOutputPin(1, audioPin);
    if (Succeeded(result)) {
        result = builder.RenderStream(videoPin, videoEncoder, mux);
    }
    if (Succeeded(result)) {
        result = builder.RenderStream(audioPin, CreateEncoder(EncoderCategory::Audio, "lamemp3enc"),
                                      mux);
    }
    if (Succeeded(result)) {
        result = graph->Run();
    }
    long code = 0;
    if (Succeeded(result)) {
        result = graph->WaitForCompletion(600000, code);
    }
    graph->Stop();
    if (Failed(result)) {
        std::fprintf(stderr, "conversion: %s %s\n", ErrorText(result).c_str(),
                     graph->LastErrorText().c_str());
        return -1;
    }
    return timer.elapsed() / 1000.0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QDir dir(args.size() > 1 ? args[1] : QDir::temp().filePath("converters-bench"));
    const int runs = args.size() > 2 ? std::max(1, args[2].toInt()) : 3;
    QDir().mkpath(dir.path());
    if (Failed(Initialize())) {
        std::fprintf(stderr, "media framework did not start\n");
        return 1;
    }
    const QString input = bench::EnsureInput(dir);
    if (input.isEmpty()) {
        std::fprintf(stderr, "could not make the input file with ffmpeg\n");
        return 1;
    }
    // Left at its defaults, as a conversion nobody configured; the ffmpeg run
    // asks for the same bitrate.
    const int videoBitrate =
        std::stoi(CreateEncoder(EncoderCategory::Video, "avenc_mpeg4").GetProperty("bitrate"));
    const QString output = dir.filePath("layer.avi");
    const bool compared = bench::CompareWithFfmpeg(
        {"layer",
         [&] {
             return ConvertWithLayer(input.toStdString(), output.toStdString(),
                                     CreateEncoder(EncoderCategory::Video, "avenc_mpeg4"));
         },
         output, videoBitrate},
        runs, input, dir.filePath("ffmpeg.avi"));
    Uninitialize();
    return compared ? 0 : 1;
}
