#include "CommandLine.h"

#include "BatchOutputNames.h"
#include "ClipSetup.h"
#include "ClockText.h"
#include "CommandLineJob.h"
#include "CompressorCatalogue.h"
#include "ConsoleSession.h"
#include "ExitCodes.h"
#include "LanguagePack.h"
#include "MediaWorker.h"
#include "MessageIds.h"
#include "OptionValues.h"
#include "OutputExtension.h"
#include "VeltranoDialogs.h"
#include "VeltranoStrings.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>

namespace veltrano {

namespace {

constexpr int kVersionLabel = 1086;
constexpr std::int64_t kUnitsPerMillisecond = media::kUnitsPerSecond / 1000;
constexpr int kProbeBoundMs = 120000;

QString MessageText(int id) {
    return uikit::Language().GetMessageText(id);
}

QString Refused(const QCommandLineOption& option, const QString& value) {
    return MessageText(res::kMsgConsoleBadValue).arg("--" + option.names().front(), value);
}

QString MarkText(std::int64_t units) {
    return uikit::ClockText(units / media::kUnitsPerSecond);
}

struct ClipOptions {
    QCommandLineOption output{"output",
                              "The AVI file to write. The video's name in the stored output "
                              "file's folder otherwise.",
                              "FILE"};
    QCommandLineOption start{"start", "Where the conversion starts (the video's start otherwise).",
                             "hh:mm:ss"};
    QCommandLineOption end{"end", "Where the conversion ends (the video's end otherwise).",
                           "hh:mm:ss"};
    QCommandLineOption size{"size",
                            "The frame size, each side 16 to 16384 (made a multiple of 8). The "
                            "video's own otherwise.",
                            "WxH"};
    QCommandLineOption frameRate{
        "frame-rate", "The frame rate, 0.001 to 1000. The stored choice otherwise.", "R"};
};

// The run's own values, read before anything else happens.
struct TypedValues {
    std::optional<std::int64_t> start; // 100-ns units
    std::optional<std::int64_t> end;
    std::optional<QSize> size;
    std::optional<double> frameRate;
};

std::optional<QString> ReadValues(const QCommandLineParser& parser, const ClipOptions& options,
                                  TypedValues& values) {
    for (const auto& [option, mark] :
         {std::pair{&options.start, &values.start}, std::pair{&options.end, &values.end}}) {
        if (parser.isSet(*option)) {
            const std::optional<std::int64_t> millis = uikit::ParseClockText(parser.value(*option));
            if (!millis) {
                return Refused(*option, parser.value(*option));
            }
            *mark = *millis * kUnitsPerMillisecond;
        }
    }
    if (values.start && values.end && *values.end <= *values.start) {
        return MessageText(res::kMsgConsoleMarkOrder)
            .arg(parser.value(options.end), parser.value(options.start));
    }
    if (parser.isSet(options.size)) {
        values.size = settings::FrameSizeFromText(parser.value(options.size));
        if (!values.size) {
            return Refused(options.size, parser.value(options.size));
        }
    }
    if (parser.isSet(options.frameRate)) {
        values.frameRate = settings::FrameRateFromText(parser.value(options.frameRate));
        if (!values.frameRate) {
            return Refused(options.frameRate, parser.value(options.frameRate));
        }
    }
    return std::nullopt;
}

// The output file: --output with ".avi" added when it has no extension, else
// the video's name in the stored output folder.
std::optional<QString> ReadOutput(const QCommandLineParser& parser, const ClipOptions& options,
                                  ClipPlan& plan) {
    const QString extension = settings::OutputExtensionOf(settings::kFormatAvi);
    if (!parser.isSet(options.output)) {
        const QString folder = QFileInfo(plan.output.outputPath).absolutePath();
        plan.output.outputPath = settings::BatchOutputPaths({plan.source}, folder, extension)[0];
        return std::nullopt;
    }
    const QString path = QFileInfo(parser.value(options.output)).absoluteFilePath();
    const QString suffix = QFileInfo(path).suffix();
    if (!suffix.isEmpty() && settings::FormatOfExtension(suffix) != settings::kFormatAvi) {
        return MessageText(res::kMsgConsoleExtension).arg(path, extension);
    }
    plan.output.outputPath = suffix.isEmpty() ? path + extension : path;
    return std::nullopt;
}

media::ProbeResult ProbeSource(const QString& source) {
    const QFileInfo info(source);
    // Anything but a file is refused when the run starts, unread.
    if (info.exists() && !info.isFile()) {
        return {};
    }
    media::ProbeResult probe;
    QEventLoop loop;
    QObject receiver;
    media::RunInBackground<media::ProbeResult>(
        &receiver, [file = source.toStdString()] { return media::ProbeMedia(file); },
        [&](media::ProbeResult result) {
            probe = std::move(result);
            loop.quit();
        });
    // The probe bounds its own waits; this bound only keeps a lost answer from
    // holding the run, which then fails as on a file that does not open.
    QTimer::singleShot(kProbeBoundMs, &loop, &QEventLoop::quit);
    loop.exec();
    return probe;
}

// Puts the marks, size and rate of the run over the opened clip; the reason
// when the marks do not fit the video.
std::optional<QString> ApplyValues(const TypedValues& values, ClipPlan& plan) {
    ConverterState& state = plan.state;
    const std::int64_t length = state.endMark;
    if (values.start && *values.start >= length) {
        return MessageText(res::kMsgConsoleMarkPastEnd)
            .arg(MarkText(*values.start), MarkText(length));
    }
    state.startMark = values.start.value_or(0);
    // An end past the video's is its end, as the window's end mark cannot pass it.
    state.endMark = std::min(values.end.value_or(length), length);
    if (state.endMark <= state.startMark) {
        return MessageText(res::kMsgConsoleMarkOrder)
            .arg(MarkText(state.endMark), MarkText(state.startMark));
    }
    if (values.size) {
        plan.output.outputWidth = values.size->width();
        plan.output.outputHeight = values.size->height();
    }
    if (values.frameRate) {
        plan.output.frameRateIndex = settings::kFrameRateCustomIndex;
        plan.output.outputFrameRate = *values.frameRate;
    }
    return std::nullopt;
}

} // namespace

int RunCommandLine(const QStringList& arguments) {
    uikit::ConsoleSession session({res::VeltranoStrings(), res::VeltranoLanguageKeys(),
                                   res::VeltranoAboutDialog(), kVersionLabel,
                                   "Converts a video, or the part between two marks, to AVI.\n"
                                   "Without --convert the window opens.",
                                   "FILE", "The video to convert."});
    uikit::ConsoleOptions& console = session.options();
    const ClipOptions options;
    console.parser().addOptions(
        {options.output, options.start, options.end, options.size, options.frameRate});
    if (const std::optional<int> exitCode = console.Parse(arguments)) {
        return *exitCode;
    }
    const QStringList files = console.parser().positionalArguments();
    if (files.size() != 1) {
        return uikit::UsageError(
            MessageText(files.isEmpty() ? res::kMsgConsoleNoInput : res::kMsgConsoleOneVideo));
    }
    TypedValues values;
    if (const std::optional<QString> refused = ReadValues(console.parser(), options, values)) {
        return uikit::UsageError(*refused);
    }
    ClipPlan plan;
    plan.source = QFileInfo(files.front()).absoluteFilePath();
    plan.overwrite = console.Overwrite();
    LoadConverterSettings(nullptr, plan.state, plan.output);
    std::optional<QString> refused = ReadOutput(console.parser(), options, plan);
    if (!refused) {
        plan.probe = ProbeSource(plan.source);
        if (plan.probe.ok) {
            plan.state.clipFile = plan.source;
            TakeOpenedClip(plan.source, plan.probe, plan.state, plan.output);
            refused = ApplyValues(values, plan);
        }
    }
    int exitCode = uikit::kExitUsage;
    if (refused) {
        uikit::UsageError(*refused);
    } else {
        CommandLineJob job(plan, session.prompts());
        exitCode = uikit::RunConsoleBatch({plan.source}, job);
    }
    settings::ReleaseCompressors();
    return exitCode;
}

} // namespace veltrano
