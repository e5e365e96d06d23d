// Burns the ASS track of a 1280x720 30 fps 30 s H.264/AAC Matroska file into
// its picture with caspari's conversion engine, as its window drives it, and
// with the ffmpeg command line (subtitles filter), and prints both wall times,
// their ratio and the size and PSNR of both outputs. Three jobs: MPEG-4 at
// 2 Mbit/s + MP3 into AVI, the Windows Media writer (WMV2 + WMA) at the
// program's default bitrates, and H.264 at constant quality + AAC into an MP4
// with its index in front. Then ten short clips through the program's command
// line against ten ffmpeg runs in a shell loop (see BatchBench.h).
//
// Usage: bench_caspari [work folder] [runs]

#include "BatchBench.h"
#include "BenchInput.h"
#include "CodecConfiguration.h"
#include "CompressorCatalogue.h"
#include "CompressorDevices.h"
#include "FormatCompressors.h"
#include "LanguagePack.h"
#include "MediaInit.h"
#include "OutputExtension.h"
#include "OutputSettings.h"
#include "RecordingPrompts.h"
#include "SubtitleConversion.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>

namespace {

using caspari::ConversionOutcome;
using caspari::SubtitleConversion;

constexpr int kMpeg4Bitrate = 2'000'000;
constexpr int kWmvVideoBitrate = 798720;
constexpr int kWmvAudioBitrate = 128000;
// The H.264 encoder's defaults, which the MP4 job keeps: quality 21, preset medium.
constexpr int kH264Quality = 21;

// One conversion by the engine, from rendering the source to the finished file.
// Wall time in seconds, negative on failure.
double ConvertWithEngine(const QString& input, settings::OutputSettings output) {
    uikit::RecordingPrompts prompts;
    uikit::ScopedPrompts scoped(prompts);
    SubtitleConversion engine(nullptr, uikit::Language());
    QEventLoop loop;
    int rendered = 0;
    bool completed = false;
    QObject::connect(&engine, &SubtitleConversion::sourceRendered, &loop, [&](int result) {
        rendered = result;
        loop.quit();
    });
    QObject::connect(&engine, &SubtitleConversion::conversionFinished, &loop,
                     [&](ConversionOutcome outcome) {
                         completed = outcome == ConversionOutcome::Completed;
                         loop.quit();
                     });
    QElapsedTimer timer;
    timer.start();
    engine.RenderSourceGraph(input);
    loop.exec();
    const double renderedAt = timer.elapsed() / 1000.0;
    if (rendered != 1 || media::Failed(engine.PrepareCompressorsAndBuild(output)) ||
        media::Failed(engine.Run())) {
        std::fprintf(stderr, "the engine could not start\n");
        return -1;
    }
    const double startedAt = timer.elapsed() / 1000.0;
    loop.exec();
    const double seconds = timer.elapsed() / 1000.0;
    std::printf("  source rendered after %.2f s, running after %.2f s\n", renderedAt, startedAt);
    // The engine renders the source again for a next run; that graph must be
    // gone before the framework shuts down.
    loop.exec();
    for (const auto& record : prompts.records()) {
        std::fprintf(stderr, "message: %s\n", qPrintable(record.text));
    }
    return completed && prompts.records().empty() ? seconds : -1;
}

QStringList BurnInArgs(const QString& input) {
    // The filter reads the track from the file itself, as ours does.
    QString escaped = input;
    escaped.replace("'", "\\'").replace(":", "\\:");
    return {"-i", input, "-vf", "subtitles='" + escaped + "'"};
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const bench::BenchArgs args = bench::ParseArgs(app.arguments(), 3, 1);
    if (media::Failed(media::Initialize())) {
        std::fprintf(stderr, "media framework did not start\n");
        return 1;
    }
    const QString input = bench::EnsureInput(args.dir);
    if (input.isEmpty()) {
        std::fprintf(stderr, "could not make the input file with ffmpeg\n");
        return 1;
    }

    settings::OutputSettings avi;
    avi.outputFormat = settings::kFormatAvi;
    avi.outputPath = args.dir.filePath("caspari.avi");
    avi.videoCompressorIndex =
        settings::EncoderEntry(settings::CompressorCategory::Video, "avenc_mpeg4");
    avi.audioCompressorIndex =
        settings::EncoderEntry(settings::CompressorCategory::Audio, "lamemp3enc");
    settings::SetCodecState(
        settings::CodecState{"avenc_mpeg4", {{"bitrate", std::to_string(kMpeg4Bitrate)}}});
    std::printf("AVI: MPEG-4 at %d bit/s + MP3, subtitles burned in\n", kMpeg4Bitrate);
    const bool aviCompared = bench::CompareWithFfmpeg(
        {"caspari", [&] { return ConvertWithEngine(input, avi); }, avi.outputPath, kMpeg4Bitrate,
         [](const QString& in, const QString& out) {
             return BurnInArgs(in) +
                    QStringList{"-c:v", "mpeg4",      "-b:v", QString::number(kMpeg4Bitrate),
                                "-c:a", "libmp3lame", out};
         }},
        args.runs, input, args.dir.filePath("ffmpeg-burn.avi"));

    settings::OutputSettings wmv;
    wmv.outputFormat = settings::kFormatWmv;
    wmv.outputPath = args.dir.filePath("caspari.wmv");
    wmv.outputWidth = 1280;
    wmv.outputHeight = 720;
    wmv.outputFrameRate = 30.0;
    wmv.videoBitrate = kWmvVideoBitrate;
    wmv.audioBitrate = kWmvAudioBitrate;
    std::printf("\nWMV: the Windows Media writer at %d + %d bit/s, subtitles burned in\n",
                kWmvVideoBitrate, kWmvAudioBitrate);
    const bool wmvCompared = bench::CompareWithFfmpeg(
        {"caspari", [&] { return ConvertWithEngine(input, wmv); }, wmv.outputPath, kWmvVideoBitrate,
         [](const QString& in, const QString& out) {
             return BurnInArgs(in) +
                    QStringList{"-c:v", "wmv2",  "-b:v", QString::number(kWmvVideoBitrate),
                                "-c:a", "wmav2", "-b:a", QString::number(kWmvAudioBitrate),
                                out};
         }},
        args.runs, input, args.dir.filePath("ffmpeg-burn.wmv"));

    settings::OutputSettings mp4;
    mp4.outputFormat = settings::kFormatMp4;
    mp4.outputPath = args.dir.filePath("caspari.mp4");
    mp4.videoCompressorIndex = settings::Mp4CompressorEntry(settings::CompressorCategory::Video);
    mp4.audioCompressorIndex = settings::Mp4CompressorEntry(settings::CompressorCategory::Audio);
    // The slots still hold the AVI job's compressors; the engine binds empty ones.
    settings::ReleaseCompressor(settings::CompressorCategory::Video);
    settings::ReleaseCompressor(settings::CompressorCategory::Audio);
    settings::SetCodecState(std::nullopt);
    std::printf("\nMP4: H.264 at quality %d (preset medium) + AAC, subtitles burned in\n",
                kH264Quality);
    const bool mp4Compared = bench::CompareWithFfmpeg(
        {"caspari", [&] { return ConvertWithEngine(input, mp4); }, mp4.outputPath, 0,
         [](const QString& in, const QString& out) {
             return BurnInArgs(in) +
                    QStringList{"-c:v",       "libx264", "-preset",
                                "medium",     "-crf",    QString::number(kH264Quality),
                                "-c:a",       "aac",     "-movflags",
                                "+faststart", out};
         }},
        args.runs, input, args.dir.filePath("ffmpeg-burn.mp4"));
    settings::ReleaseCompressor(settings::CompressorCategory::Video);
    settings::ReleaseCompressor(settings::CompressorCategory::Audio);
    const bool batchCompared =
        bench::CompareBatchWithFfmpeg(args.dir, args.runs, QStringLiteral(CONVERTERS_CASPARI));
    media::Uninitialize();
    return aviCompared && wmvCompared && mp4Compared && batchCompared ? 0 : 1;
}
