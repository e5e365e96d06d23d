#include "OutputSettingsStore.h"

#include "CompressorCatalogue.h"
#include "Prompts.h"

#include <QDir>
#include <QStandardPaths>

namespace settings {

QString DefaultOutputPath(QWidget* owner) {
    return DefaultOutputPathIn(owner,
                               QStandardPaths::writableLocation(QStandardPaths::MoviesLocation));
}

QString DefaultOutputPathIn(QWidget* owner, const QString& videoFolder) {
    if (videoFolder.isEmpty()) {
        uikit::ShowError(owner, "Can not get My Video directory!");
        return QDir::homePath() + "/output.avi";
    }
    return videoFolder + "/output.avi";
}

void LoadCompressors(const uikit::Profile& profile, OutputSettings& settings) {
    for (const CompressorKeys& compressor : kCompressorKeys) {
        const std::int32_t stored =
            profile.GetInt(compressor.section, keys::kCompressorNumber, kCompressorNeverChosen);
        if (stored == kCompressorNeverChosen) {
            std::int32_t entry = 0;
            if (FindDefaultCompressor(compressor.category, entry)) {
                BindCompressor(compressor.category, entry);
            } else {
                settings.*compressor.useFlag = 0;
            }
        } else if (stored == kCompressorNone) {
            settings.*compressor.useFlag = 0;
        } else {
            settings.*compressor.useFlag = 1;
            BindCompressor(compressor.category, stored);
        }
    }
}

void LoadOutputPath(const uikit::Profile& profile, const QString& defaultPath,
                    OutputSettings& settings) {
    settings.outputPath = profile.GetString(keys::kSettings, keys::kOutputName, defaultPath);
}

void LoadOutputSize(const uikit::Profile& profile, OutputSettings& settings) {
    settings.outputWidth = profile.GetInt(keys::kSettings, keys::kOutputWidth, 0);
    settings.outputHeight = profile.GetInt(keys::kSettings, keys::kOutputHeight, 0);
}

void LoadFrameRate(const uikit::Profile& profile, OutputSettings& settings) {
    const std::int32_t index = profile.GetInt(keys::kSettings, keys::kFrameRateIndex, 1);
    if (static_cast<std::uint32_t>(index) >= kFrameRateChoices) {
        settings.frameRateIndex = 1;
        settings.outputFrameRate = kDefaultFrameRate;
        return;
    }
    settings.frameRateIndex = index;
    if (index == kFrameRateCustomIndex) {
        settings.outputFrameRate = LeadingNumber(
            profile.GetString(keys::kSettings, keys::kFrameRate, keys::kDefaultFrameRateText));
    } else {
        settings.outputFrameRate = kFixedFrameRates[static_cast<std::size_t>(index)];
    }
}

void LoadOutputFormat(const uikit::Profile& profile, OutputSettings& settings) {
    settings.outputFormat = profile.GetInt(keys::kSettings, keys::kOutputFormat, 0);
}

void LoadBitrates(const uikit::Profile& profile, OutputSettings& settings) {
    settings.videoBitrate = profile.GetInt(keys::kSettings, keys::kVideoBitrate, 798720);
    settings.audioBitrate = profile.GetInt(keys::kSettings, keys::kAudioBitrate, 128000);
    settings.fileProfile = profile.GetInt(keys::kSettings, keys::kFileProfile, 0);
}

void SaveOutputOptions(uikit::Profile& profile, const OutputSettings& settings,
                       const QString& frameRateText, bool caspariFields) {
    profile.WriteInt(keys::kSettings, keys::kFrameRateIndex, settings.frameRateIndex);
    profile.WriteString(keys::kSettings, keys::kFrameRate,
                        settings.frameRateIndex != kFrameRateSourceIndex
                            ? frameRateText
                            : QString(keys::kDefaultFrameRateText));
    profile.WriteString(keys::kSettings, keys::kOutputName, settings.outputPath);
    profile.WriteInt(keys::kSettings, keys::kOutputWidth, settings.outputWidth);
    profile.WriteInt(keys::kSettings, keys::kOutputHeight, settings.outputHeight);
    for (const CompressorKeys& compressor : kCompressorKeys) {
        const std::int32_t entry = settings.*compressor.chosenEntry;
        profile.WriteInt(compressor.section, keys::kCompressorNumber, entry);
        if (settings.*compressor.useFlag != 0) {
            BindCompressor(compressor.category, entry);
        }
    }
    if (caspariFields) {
        profile.WriteInt(keys::kSettings, keys::kVideoBitrate, settings.videoBitrate);
        profile.WriteInt(keys::kSettings, keys::kAudioBitrate, settings.audioBitrate);
        profile.WriteInt(keys::kSettings, keys::kOutputFormat, settings.outputFormat);
    }
    profile.Save();
}

} // namespace settings
