#pragma once

#include "CompressorCatalogue.h"
#include "OutputSettings.h"
#include "Profile.h"

class QWidget;

namespace settings {

// Section and value names of the stored output settings.
namespace keys {
inline constexpr auto kSettings = "Settings";
inline constexpr auto kOutputName = "OutputName";
inline constexpr auto kOutputWidth = "OutputWidth";
inline constexpr auto kOutputHeight = "OutputHigh";
inline constexpr auto kFrameRateIndex = "OutputFrameRateIndex";
inline constexpr auto kFrameRate = "OutputFrameRate";
inline constexpr auto kVideoCompressSection = "DexVideoCompress";
inline constexpr auto kAudioCompressSection = "DexAudioCompress";
inline constexpr auto kCompressorNumber = "CompressorNumber";
inline constexpr auto kDefaultFrameRateText = "23.976";
inline constexpr auto kOutputFormat = "nOuptputFormat";
inline constexpr auto kVideoBitrate = "n_video_bitrate";
inline constexpr auto kAudioBitrate = "n_audio_bitrate";
inline constexpr auto kFileProfile = "b_file_profile";
} // namespace keys

// Where each compressor choice is stored and which record fields follow it.
struct CompressorKeys {
    CompressorCategory category;
    const char* section;
    std::int32_t OutputSettings::*useFlag;
    std::int32_t OutputSettings::*chosenEntry;
};
inline constexpr CompressorKeys kCompressorKeys[] = {
    {CompressorCategory::Video, keys::kVideoCompressSection, &OutputSettings::useVideoCompressor,
     &OutputSettings::videoCompressorIndex},
    {CompressorCategory::Audio, keys::kAudioCompressSection, &OutputSettings::useAudioCompressor,
     &OutputSettings::audioCompressorIndex},
};

// The default output file: "output.avi" in the user's video folder. When the
// platform has no such folder, says "Can not get My Video directory!" and falls
// back to the home folder.
QString DefaultOutputPath(QWidget* owner);
// The same for a given video folder; an empty one counts as missing.
QString DefaultOutputPathIn(QWidget* owner, const QString& videoFolder);

// Loading the stored settings, one step each, in the order the main window runs them.
// The compressors: the stored entry numbers bind the process-wide filter slots;
// a number never chosen binds the default compressor, when one is installed.
void LoadCompressors(const uikit::Profile& profile, OutputSettings& settings);
void LoadOutputPath(const uikit::Profile& profile, const QString& defaultPath,
                    OutputSettings& settings);
void LoadOutputSize(const uikit::Profile& profile, OutputSettings& settings);
void LoadFrameRate(const uikit::Profile& profile, OutputSettings& settings);
// The subtitle converter's own: the container format, read before the rest,
// and the WMV bitrates with the stored profile flag.
void LoadOutputFormat(const uikit::Profile& profile, OutputSettings& settings);
void LoadBitrates(const uikit::Profile& profile, OutputSettings& settings);

// Saving what the options dialog accepted: stores the record's output path,
// size, frame-rate choice (with `frameRateText` as typed) and compressor
// entries, binds the chosen compressors and writes the store back. With
// `caspariFields` the bitrates and the container format are stored as well.
void SaveOutputOptions(uikit::Profile& profile, const OutputSettings& settings,
                       const QString& frameRateText, bool caspariFields);

} // namespace settings
