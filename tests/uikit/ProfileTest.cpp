#include "Profile.h"
#include "TestEnvironment.h"

#include <QSettings>
#include <gtest/gtest.h>

namespace {

TEST(Profile, ReadsIntegersAsDwordValues) {
    testenv::ScopedSettingsFolder folder;
    uikit::Profile profile("TarnwickStudio", "veltrano");
    QSettings raw("TarnwickStudio", "veltrano");
    raw.setValue("S/plain", 42);
    raw.setValue("S/negative", -7);
    raw.setValue("S/unsigned", "4294967295"); // a DWORD pattern of -1
    raw.setValue("S/text", "forty");
    raw.setValue("S/padded", " 12 ");
    raw.sync();
    EXPECT_EQ(profile.GetInt("S", "plain", 0), 42);
    EXPECT_EQ(profile.GetInt("S", "negative", 0), -7);
    EXPECT_EQ(profile.GetInt("S", "unsigned", 0), -1);
    EXPECT_EQ(profile.GetInt("S", "text", 5), 5);
    EXPECT_EQ(profile.GetInt("S", "padded", 0), 12);
    EXPECT_EQ(profile.GetInt("S", "missing", -2), -2);
}

TEST(Profile, WritesRoundTripPerSection) {
    testenv::ScopedSettingsFolder folder;
    uikit::Profile profile("TarnwickStudio", "veltrano");
    profile.WriteInt("Settings", "OutputWidth", 640);
    profile.WriteString("Settings", "OutputName", "/tmp/a b/ü.avi");
    profile.WriteString("Option", "OutputName", "other");
    EXPECT_EQ(profile.GetInt("Settings", "OutputWidth", 0), 640);
    EXPECT_EQ(profile.GetString("Settings", "OutputName", ""), "/tmp/a b/ü.avi");
    EXPECT_EQ(profile.GetString("Option", "OutputName", ""), "other");
    EXPECT_TRUE(profile.Contains("Settings", "OutputWidth"));
    EXPECT_FALSE(profile.Contains("Settings", "OutputHigh"));
    // Another application's values stay apart.
    uikit::Profile other("TarnwickStudio", "caspari");
    EXPECT_EQ(other.GetInt("Settings", "OutputWidth", -1), -1);
}

TEST(Profile, NamesCompareIgnoringCaseAndKeepTheirFirstSpelling) {
    testenv::ScopedSettingsFolder folder;
    uikit::Profile profile("TarnwickStudio", "veltrano");
    profile.WriteInt("German", "lfWeight", 700);
    EXPECT_EQ(profile.GetInt("german", "LFWEIGHT", 400), 700);
    profile.WriteInt("GERMAN", "lfweight", 600);
    EXPECT_EQ(profile.GetInt("German", "lfWeight", 400), 600);
    QSettings raw("TarnwickStudio", "veltrano");
    EXPECT_EQ(raw.childGroups(), QStringList{"German"});
    raw.beginGroup("German");
    EXPECT_EQ(raw.childKeys(), QStringList{"lfWeight"});
}

TEST(Profile, UnwritableFolderDoesNotFail) {
    testenv::ScopedSettingsFolder folder;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, "/proc/no-such-folder");
    uikit::Profile profile("TarnwickStudio", "veltrano");
    profile.WriteInt("Settings", "OutputWidth", 1);
    EXPECT_EQ(profile.GetInt("Settings", "OutputHigh", 3), 3);
}

} // namespace
