#pragma once

#include <QString>
#include <array>
#include <cstdint>

namespace settings {

// What a conversion writes. Owned by the main window; the options dialog edits
// a copy and hands it back on OK.
struct OutputSettings {
    QString outputPath;
    std::int32_t outputWidth = 0;
    std::int32_t outputHeight = 0;
    std::int32_t sourceWidth = 0;
    std::int32_t sourceHeight = 0;
    double sourceFrameRate = 23.976;
    double outputFrameRate = 23.976;
    std::int32_t frameRateIndex = 1;
    std::int32_t resizeMode = 2; // 2 keeps the aspect ratio, 0 stretches
    std::int32_t useVideoCompressor = 1;
    std::int32_t useAudioCompressor = 1;
    std::int32_t sourceCount = 0;
    // The subtitle converter's own fields: its options dialog edits them, and
    // its main window and conversion engine (still to be built) read them;
    // fileProfile is the stored WMV profile flag its main window loads.
    std::int32_t outputFormat = 1;
    std::int32_t videoCompressorIndex = 0;
    std::int32_t audioCompressorIndex = 0;
    std::int32_t videoBitrate = 389120;
    std::int32_t audioBitrate = 128000;
    std::int32_t fileProfile = 0;
};

inline constexpr std::int32_t kResizePreserveAspectRatio = 2;
inline constexpr std::int32_t kResizeStretch = 0;

// Compressor entry numbers with a meaning of their own.
inline constexpr std::int32_t kCompressorNone = -1;        // write uncompressed
inline constexpr std::int32_t kCompressorNeverChosen = -2; // search the default

// Frame-rate choices by index: 0 is the source's rate and 6 the typed one.
inline constexpr int kFrameRateChoices = 7;
inline constexpr int kFrameRateSourceIndex = 0;
inline constexpr int kFrameRateCustomIndex = 6;
inline constexpr double kDefaultFrameRate = 23.976;
inline constexpr std::array<double, kFrameRateChoices> kFixedFrameRates = {
    kDefaultFrameRate, 23.976, 24.0, 25.0, 29.97, 30.0, kDefaultFrameRate};

// The leading decimal number of `text` as the C runtime reads it ("12.5fps" →
// 12.5); 0 when there is none or it is not finite.
double LeadingNumber(const QString& text);

} // namespace settings
