#include "SubtitleFilterLoad.h"
#include "TestEnvironment.h"

#include <QSettings>
#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace {

using caspari::SubtitleFilterLoad;

// The filter's own settings, as it keeps them for this user.
std::unique_ptr<QSettings> FilterKey() {
    auto key = std::make_unique<QSettings>(QSettings::UserScope, "Pellmar", "VSFilter");
    key->beginGroup("General");
    return key;
}

struct LoadCase {
    const char* name;
    bool groupExists;
    std::optional<int> startValue;
    std::optional<int> whileRunning; // value seen after ForceSubtitleFilterLoad
    bool changed;
};

class SubtitleFilterLoadTest : public ::testing::TestWithParam<LoadCase> {
protected:
    testenv::ScopedSettingsFolder folder_;
};

TEST_P(SubtitleFilterLoadTest, ForcesZeroWhileRunningAndPutsTheOldValueBack) {
    const LoadCase& param = GetParam();
    if (param.groupExists) {
        auto key = FilterKey();
        key->setValue("Other", "kept"); // makes the group exist without a LoadLevel
        if (param.startValue) {
            key->setValue("LoadLevel", *param.startValue);
        }
    }
    SubtitleFilterLoad load;
    caspari::ForceSubtitleFilterLoad(load);
    EXPECT_EQ(load.loadLevelChanged, param.changed);
    {
        auto key = FilterKey();
        EXPECT_EQ(key->contains("LoadLevel"), param.whileRunning.has_value());
        if (param.whileRunning) {
            EXPECT_EQ(key->value("LoadLevel").toInt(), *param.whileRunning);
        }
    }
    caspari::RestoreSubtitleFilterLoad(load);
    EXPECT_FALSE(load.loadLevelChanged);
    auto key = FilterKey();
    EXPECT_EQ(key->contains("LoadLevel"), param.startValue.has_value());
    if (param.startValue) {
        EXPECT_EQ(key->value("LoadLevel").toInt(), *param.startValue);
    }
    // Nothing creates the filter's settings when they were not there.
    EXPECT_EQ(
        QSettings(QSettings::UserScope, "Pellmar", "VSFilter").childGroups().contains("General"),
        param.groupExists);
}

INSTANTIATE_TEST_SUITE_P(
    Levels, SubtitleFilterLoadTest,
    ::testing::Values(LoadCase{"NotSetUp", false, std::nullopt, std::nullopt, false},
                      LoadCase{"NoValue", true, std::nullopt, std::nullopt, false},
                      LoadCase{"AlreadyZero", true, 0, 0, false},
                      LoadCase{"WhenSubtitled", true, 1, 0, true},
                      LoadCase{"Never", true, 2, 0, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SubtitleFilterLoad, RestoresNothingWhenTheValueWentAwayMeanwhile) {
    testenv::ScopedSettingsFolder folder;
    FilterKey()->setValue("LoadLevel", 2);
    SubtitleFilterLoad load;
    caspari::ForceSubtitleFilterLoad(load);
    ASSERT_TRUE(load.loadLevelChanged);
    FilterKey()->remove("LoadLevel");
    caspari::RestoreSubtitleFilterLoad(load);
    EXPECT_FALSE(FilterKey()->contains("LoadLevel"));
    EXPECT_FALSE(load.loadLevelChanged);
}

} // namespace
