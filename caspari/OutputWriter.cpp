#include "OutputWriter.h"

#include "OutputExtension.h"
#include "ProfileGenerator.h"
#include "Prompts.h"
#include "WindowsMediaProfile.h"

namespace caspari {

namespace {

constexpr auto kSetOutputFailed =
    "Error pBuilder->SetOutputFileName(&guid, Filename, &pMux, &pWriter )";
constexpr auto kFileProfileName = "test2";

void ShowFormatted(const char* format, media::Result result) {
    uikit::CurrentPrompts().ShowMessage(nullptr,
                                        QString::asprintf(format, static_cast<unsigned>(result)),
                                        "Message", uikit::PromptIcon::None);
}

// The failure text of a format's multiplexer: a missing one is named with the
// package that brings it.
QString SetOutputFailureText(std::int32_t format, media::OutputFormat container) {
    const QString missing = QString::fromStdString(media::MissingMultiplexerText(container));
    QString text;
    switch (format) {
    case settings::kFormatMkv:
        text = "Please install MKV codec)";
        break;
    case settings::kFormatAsf:
        text = "Please install ASF Multipexer)";
        break;
    default:
        text = kSetOutputFailed;
        break;
    }
    return missing.isEmpty() ? text : text + "\n" + missing;
}

media::Result OpenWriter(media::OutputBuilder& builder, const QString& outputPath,
                         std::int32_t format, media::OutputFormat container,
                         OutputWriter& created) {
    const media::Result result =
        builder.SetOutputFileName(container, outputPath.toStdString(), created.mux, created.writer);
    if (media::Failed(result)) {
        uikit::ShowAppMessage(nullptr, SetOutputFailureText(format, container));
        return result;
    }
    media::SetInterleavingMode(created.mux, media::InterleavingMode::Full);
    media::SetFileWriterMode(created.writer, true);
    return result;
}

media::Result OpenWindowsMediaWriter(media::OutputBuilder& builder, const QString& outputPath,
                                     settings::OutputSettings& output, OutputWriter& created) {
    std::shared_ptr<media::WmProfile> generated;
    media::Result result = GenerateWindowsMediaProfile(output, generated, created.videoCodec);
    if (media::Failed(result)) {
        ShowFormatted("Failed to GenerateProfile Audio video with script!  hr=0x%x\n", result);
        return result;
    }
    result = OpenWriter(builder, outputPath, settings::kFormatWmv,
                        media::OutputFormat::WindowsMedia, created);
    if (media::Failed(result)) {
        return result;
    }
    if (output.fileProfile == 1) {
        std::shared_ptr<media::WmProfile> mapped;
        result = MapProfile(kFileProfileName, &mapped);
        if (media::Failed(result)) {
            ShowFormatted("Failed to map profile ID!  hr=0x%x\n", result);
            return result;
        }
        result = media::ConfigureFilterUsingProfile(created.mux, *mapped);
        if (media::Failed(result)) {
            ShowFormatted("Failed to configure filter to use file profile!  hr=0x%x\n", result);
            return result;
        }
    } else {
        result = media::ConfigureFilterUsingProfile(created.mux, *generated);
        if (media::Failed(result)) {
            ShowFormatted("Failed to configure filter to use profile!  hr=0x%x\n", result);
            return result;
        }
    }
    // The writer encodes by itself; the flags stay off until the options are
    // confirmed again.
    output.useVideoCompressor = 0;
    output.useAudioCompressor = 0;
    return result;
}

} // namespace

media::Result CreateOutputWriter(media::OutputBuilder& builder, const QString& outputPath,
                                 settings::OutputSettings& output, OutputWriter& created) {
    created = OutputWriter();
    switch (output.outputFormat) {
    case settings::kFormatAvi:
        return OpenWriter(builder, outputPath, output.outputFormat, media::OutputFormat::Avi,
                          created);
    case settings::kFormatWmv:
        return OpenWindowsMediaWriter(builder, outputPath, output, created);
    case settings::kFormatMkv:
        return OpenWriter(builder, outputPath, output.outputFormat, media::OutputFormat::Matroska,
                          created);
    case settings::kFormatAsf:
        return OpenWriter(builder, outputPath, output.outputFormat, media::OutputFormat::Asf,
                          created);
    case settings::kFormatMp4:
        return OpenWriter(builder, outputPath, output.outputFormat, media::OutputFormat::Mp4,
                          created);
    default:
        return media::S_OK;
    }
}

} // namespace caspari
