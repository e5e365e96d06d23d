// Output settings typed on the command line: bounded and rounded as the
// options dialog bounds and rounds them.
#include "OptionValues.h"
#include "OutputExtension.h"

#include <gtest/gtest.h>

namespace {

using settings::AudioBitrateFromKbps;
using settings::FrameRateFromText;
using settings::FrameSizeFromText;
using settings::VideoBitrateFromKbps;

TEST(OptionValues, TakeWhatTheDialogTakesAndNothingElse) {
    EXPECT_EQ(settings::FormatFromName("MP4"), settings::kFormatMp4);
    EXPECT_EQ(settings::FormatFromName("asf"), settings::kFormatAsf);
    EXPECT_EQ(settings::FormatFromName(".avi"), std::nullopt);
    EXPECT_EQ(settings::FormatFromName("mov"), std::nullopt);

    EXPECT_EQ(FrameSizeFromText("650x485"), QSize(648, 480));
    EXPECT_EQ(FrameSizeFromText("16x16384"), QSize(16, 16384));
    for (const char* refused : {"15x100", "100x16385", "640*480", "640x", "x480"}) {
        EXPECT_EQ(FrameSizeFromText(refused), std::nullopt) << refused;
    }

    EXPECT_EQ(FrameRateFromText("29.97"), 29.97);
    EXPECT_EQ(FrameRateFromText("1000"), 1000.0);
    for (const char* refused : {"1000.5", "0.0005", "0", "nan", "25fps"}) {
        EXPECT_EQ(FrameRateFromText(refused), std::nullopt) << refused;
    }

    // The dialog stores kbit/s of 1024 bit for video and of 1000 bit for sound.
    EXPECT_EQ(VideoBitrateFromKbps("780"), 798720);
    EXPECT_EQ(VideoBitrateFromKbps("100000"), 102400000);
    for (const char* refused : {"0", "100001", "7.5", "-5"}) {
        EXPECT_EQ(VideoBitrateFromKbps(refused), std::nullopt) << refused;
    }
    EXPECT_EQ(AudioBitrateFromKbps("320"), 320000);
    EXPECT_EQ(AudioBitrateFromKbps("100"), std::nullopt);
}

} // namespace
