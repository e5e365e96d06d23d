#include "OutputSettingsStore.h"
#include "RecordingPrompts.h"
#include "TestEnvironment.h"

#include <QDir>
#include <QRect>
#include <QSettings>
#include <gtest/gtest.h>

namespace {

using settings::OutputSettings;
namespace keys = settings::keys;

class OutputSettingsStoreTest : public ::testing::Test {
protected:
    uikit::Profile Store() const { return uikit::Profile("TarnwickStudio", "veltrano"); }

    // Writes raw values the way a hand-edited or damaged settings file holds them.
    void Put(const QString& key, const QVariant& value) {
        QSettings raw("TarnwickStudio", "veltrano");
        raw.setValue(key, value);
    }

    OutputSettings LoadAll() {
        OutputSettings loaded;
        settings::LoadOutputPath(Store(), "/default/output.avi", loaded);
        settings::LoadOutputSize(Store(), loaded);
        settings::LoadFrameRate(Store(), loaded);
        return loaded;
    }

    testenv::ScopedSettingsFolder folder_;
};

TEST_F(OutputSettingsStoreTest, MissingValuesTakeTheDefaults) {
    const OutputSettings loaded = LoadAll();
    EXPECT_EQ(loaded.outputPath, "/default/output.avi");
    EXPECT_EQ(loaded.outputWidth, 0);
    EXPECT_EQ(loaded.outputHeight, 0);
    EXPECT_EQ(loaded.frameRateIndex, 1);
    EXPECT_DOUBLE_EQ(loaded.outputFrameRate, 23.976);
    // Construction defaults the loader leaves alone.
    EXPECT_EQ(loaded.resizeMode, 2);
    EXPECT_EQ(loaded.useVideoCompressor, 1);
    EXPECT_EQ(loaded.useAudioCompressor, 1);
    EXPECT_DOUBLE_EQ(loaded.sourceFrameRate, 23.976);
    EXPECT_EQ(loaded.sourceCount, 0);
}

TEST_F(OutputSettingsStoreTest, StoredValuesAreLoaded) {
    Put("Settings/OutputName", "/videos/my clip ä.avi");
    Put("Settings/OutputWidth", 720);
    Put("Settings/OutputHigh", 576);
    Put("Settings/OutputFrameRateIndex", 3);
    const OutputSettings loaded = LoadAll();
    EXPECT_EQ(loaded.outputPath, "/videos/my clip ä.avi");
    EXPECT_EQ(loaded.outputWidth, 720);
    EXPECT_EQ(loaded.outputHeight, 576);
    EXPECT_EQ(loaded.frameRateIndex, 3);
    EXPECT_DOUBLE_EQ(loaded.outputFrameRate, 25.0);
}

TEST_F(OutputSettingsStoreTest, FrameRateIndexOutOfRangeLoadsIndexOne) {
    for (int stored : {7, -1, 1000, -2147483647}) {
        Put("Settings/OutputFrameRateIndex", stored);
        const OutputSettings loaded = LoadAll();
        EXPECT_EQ(loaded.frameRateIndex, 1) << stored;
        EXPECT_DOUBLE_EQ(loaded.outputFrameRate, 23.976) << stored;
    }
}

TEST_F(OutputSettingsStoreTest, EachIndexGivesItsRate) {
    const double expected[] = {23.976, 23.976, 24.0, 25.0, 29.97, 30.0, 23.976};
    for (int index = 0; index < 7; ++index) {
        Put("Settings/OutputFrameRateIndex", index);
        const OutputSettings loaded = LoadAll();
        EXPECT_EQ(loaded.frameRateIndex, index);
        EXPECT_DOUBLE_EQ(loaded.outputFrameRate, expected[index]) << index;
    }
}

TEST_F(OutputSettingsStoreTest, CustomRateTextIsReadAsLeadingNumber) {
    Put("Settings/OutputFrameRateIndex", 6);
    const std::pair<const char*, double> cases[] = {
        {"12.5", 12.5},  {"abc", 0.0}, {"15fps", 15.0}, {"", 0.0},
        {" 7.25", 7.25}, {"nan", 0.0}, {"1e999", 0.0}};
    for (const auto& [text, rate] : cases) {
        Put("Settings/OutputFrameRate", text);
        const OutputSettings loaded = LoadAll();
        EXPECT_EQ(loaded.frameRateIndex, 6);
        EXPECT_DOUBLE_EQ(loaded.outputFrameRate, rate) << text;
    }
}

TEST_F(OutputSettingsStoreTest, GarbageValuesLoadByTheRules) {
    Put("Settings/OutputWidth", "wide");
    Put("Settings/OutputHigh", "99999999999"); // beyond 32 bits: the low 32 bits stay
    Put("Settings/OutputFrameRateIndex", "3.5x");
    Put("Settings/OutputName", QStringList{"a", "b"});
    const OutputSettings loaded = LoadAll();
    EXPECT_EQ(loaded.outputWidth, 0);
    EXPECT_EQ(loaded.outputHeight, static_cast<std::int32_t>(99999999999LL & 0xFFFFFFFF));
    EXPECT_EQ(loaded.frameRateIndex, 1);
    EXPECT_EQ(loaded.outputPath, "a, b");
}

TEST_F(OutputSettingsStoreTest, OutputPathOfAnotherTypeTakesTheDefault) {
    Put("Settings/OutputName", QRect(1, 2, 3, 4));
    EXPECT_EQ(LoadAll().outputPath, "/default/output.avi");
}

TEST_F(OutputSettingsStoreTest, NegativeSizesAreKeptAsStored) {
    // The size is only checked when confirmed in the options dialog.
    Put("Settings/OutputWidth", -20);
    Put("Settings/OutputHigh", "-1");
    const OutputSettings loaded = LoadAll();
    EXPECT_EQ(loaded.outputWidth, -20);
    EXPECT_EQ(loaded.outputHeight, -1);
}

TEST(DefaultOutputPath, IsOutputAviInTheVideoFolder) {
    uikit::RecordingPrompts prompts;
    uikit::ScopedPrompts scoped(prompts);
    EXPECT_EQ(settings::DefaultOutputPathIn(nullptr, "/home/u/Videos"),
              "/home/u/Videos/output.avi");
    EXPECT_TRUE(settings::DefaultOutputPath(nullptr).endsWith("/output.avi"));
    EXPECT_TRUE(prompts.records().empty());
}

TEST(DefaultOutputPath, WithoutVideoFolderWarnsAndUsesHome) {
    uikit::RecordingPrompts prompts;
    uikit::ScopedPrompts scoped(prompts);
    const QString path = settings::DefaultOutputPathIn(nullptr, QString());
    ASSERT_EQ(prompts.records().size(), 1u);
    EXPECT_EQ(prompts.records()[0].text, "Can not get My Video directory!");
    EXPECT_EQ(prompts.records()[0].caption, "Error");
    EXPECT_EQ(path, QDir::homePath() + "/output.avi");
}

} // namespace
