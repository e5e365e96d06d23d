#include "CommandLine.h"

#include "BatchOutputNames.h"
#include "CaspariDialogs.h"
#include "CaspariStrings.h"
#include "CommandLineJob.h"
#include "CompressorCatalogue.h"
#include "ConsoleSession.h"
#include "ConversionSettings.h"
#include "DivxFeedback.h"
#include "ExitCodes.h"
#include "FormatCompressors.h"
#include "LanguagePack.h"
#include "MessageIds.h"
#include "OptionValues.h"
#include "OutputExtension.h"
#include "OutputReplacement.h"
#include "SubtitleFilterLoad.h"

#include <QFileInfo>

namespace caspari {

namespace {

constexpr int kVersionLabel = 1044;

QString PlanText(int id) {
    return uikit::Language().GetMessageText(id);
}

QString BadValue(const QCommandLineOption& option, const QString& value) {
    return PlanText(res::kMsgConsoleBadValue).arg("--" + option.names().front(), value);
}

struct Options {
    QCommandLineOption format{"format",
                              "The output format. The stored one, or the one the --output "
                              "file's extension names, otherwise.",
                              "avi|wmv|mkv|asf|mp4"};
    QCommandLineOption output{"output", "The output file, for one video.", "FILE"};
    QCommandLineOption outputDir{"output-dir",
                                 "The folder the output files go into, each named after its "
                                 "video. The stored output file's folder otherwise.",
                                 "DIR"};
    QCommandLineOption videoBitrate{"video-bitrate",
                                    "The video bitrate of WMV in kbit/s, 1 to 100000.", "KBPS"};
    QCommandLineOption audioBitrate{
        "audio-bitrate", "The audio bitrate of WMV in kbit/s: 64, 128, 192 or 320.", "KBPS"};
};

// Whether `path` can be the folder of the output files.
bool UsableFolder(const QString& path) {
    const QFileInfo info(path);
    return info.exists() ? info.isDir()
                         : settings::ClassifyOutputPath(path) == settings::OutputTarget::Writable;
}

// Puts the run's options over the stored settings; the reason when they are refused.
std::optional<QString> MakePlan(const QCommandLineParser& parser, const Options& options,
                                RunPlan& plan) {
    for (const QString& source : parser.positionalArguments()) {
        plan.sources.append(QFileInfo(source).absoluteFilePath());
    }
    if (plan.sources.isEmpty()) {
        return PlanText(res::kMsgConsoleNoInput);
    }
    const bool oneOutput = parser.isSet(options.output);
    if (oneOutput && parser.isSet(options.outputDir)) {
        return PlanText(res::kMsgConsoleOutputOrFolder);
    }
    if (oneOutput && plan.sources.size() != 1) {
        return PlanText(res::kMsgConsoleOutputOneInput);
    }
    LoadStoredOutputSettings(nullptr, plan.output);
    const std::int32_t storedFormat = plan.output.outputFormat;

    std::optional<std::int32_t> format;
    if (parser.isSet(options.format)) {
        format = settings::FormatFromName(parser.value(options.format));
        if (!format) {
            return BadValue(options.format, parser.value(options.format));
        }
    }
    const QString outputFile =
        oneOutput ? QFileInfo(parser.value(options.output)).absoluteFilePath() : QString();
    const QString suffix = QFileInfo(outputFile).suffix();
    if (!suffix.isEmpty()) {
        const std::int32_t named = settings::FormatOfExtension(suffix);
        if (named < 0 || (format && *format != named)) {
            return PlanText(res::kMsgConsoleExtension)
                .arg(outputFile, settings::OutputExtensionOf(format.value_or(storedFormat)));
        }
        format = named;
    }
    plan.output.outputFormat = format.value_or(storedFormat);
    if (!settings::WritesFile(plan.output.outputFormat)) {
        return BadValue(options.format, QString::number(plan.output.outputFormat));
    }

    for (const auto& [option, read, field] :
         {std::tuple{&options.videoBitrate, &settings::VideoBitrateFromKbps,
                     &settings::OutputSettings::videoBitrate},
          std::tuple{&options.audioBitrate, &settings::AudioBitrateFromKbps,
                     &settings::OutputSettings::audioBitrate}}) {
        if (!parser.isSet(*option)) {
            continue;
        }
        // Only the Windows Media writer is given bitrates; the encoders of the
        // other formats keep their own settings.
        if (plan.output.outputFormat != settings::kFormatWmv) {
            return PlanText(res::kMsgConsoleBitrateFormat).arg("--" + option->names().front());
        }
        const std::optional<std::int32_t> bitrate = read(parser.value(*option));
        if (!bitrate) {
            return BadValue(*option, parser.value(*option));
        }
        plan.output.*field = *bitrate;
    }
    if (plan.output.outputFormat != storedFormat) {
        settings::ProposeCompressorsFor(plan.output.outputFormat, plan.output);
    }

    const QString extension = settings::OutputExtensionOf(plan.output.outputFormat);
    if (oneOutput) {
        plan.outputs = {suffix.isEmpty() ? outputFile + extension : outputFile};
        return std::nullopt;
    }
    QString folder = QFileInfo(plan.output.outputPath).absolutePath();
    if (parser.isSet(options.outputDir)) {
        folder = QFileInfo(parser.value(options.outputDir)).absoluteFilePath();
        if (!UsableFolder(folder)) {
            return BadValue(options.outputDir, parser.value(options.outputDir));
        }
    }
    plan.outputs = settings::BatchOutputPaths(plan.sources, folder, extension);
    return std::nullopt;
}

} // namespace

int RunCommandLine(const QStringList& arguments) {
    uikit::ConsoleSession session(
        {res::CaspariStrings(), res::CaspariLanguageKeys(), res::CaspariAboutDialog(),
         kVersionLabel,
         "Converts videos to AVI, WMV, MKV, ASF or MP4 with their subtitles drawn into the "
         "picture.\nWithout --convert the window opens.",
         "FILE...", "The videos to convert."});
    uikit::ConsoleOptions& console = session.options();
    const Options options;
    console.parser().addOptions({options.format, options.output, options.outputDir,
                                 options.videoBitrate, options.audioBitrate});
    if (const std::optional<int> exitCode = console.Parse(arguments)) {
        return *exitCode;
    }
    RunPlan plan;
    plan.overwrite = console.Overwrite();
    if (const std::optional<QString> refused = MakePlan(console.parser(), options, plan)) {
        settings::ReleaseCompressors();
        return uikit::UsageError(*refused);
    }
    settings::WriteDivxFeedbackSwitch();
    SubtitleFilterLoad filterLoad;
    ForceSubtitleFilterLoad(filterLoad);
    int exitCode = uikit::kExitIncomplete;
    {
        CommandLineJob job(plan, session.prompts());
        exitCode = uikit::RunConsoleBatch(plan.sources, job);
    }
    RestoreSubtitleFilterLoad(filterLoad);
    settings::ReleaseCompressors();
    return exitCode;
}

} // namespace caspari
