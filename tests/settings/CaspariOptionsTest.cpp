#include "FakeCompressorDevices.h"
#include "LanguagePack.h"
#include "OutputExtension.h"
#include "OutputOptionsDlg.h"
#include "OutputSettingsStore.h"
#include "Profile.h"
#include "RecordingPrompts.h"
#include "TestEnvironment.h"
#include "UserInput.h"
#include "VeltranoStrings.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <limits>

namespace {

using settings::CompressorCategory;
using settings::COutputOptionsDlg;
using settings::OptionsVariant;
using testenv::Member;

TEST(SetOutputExtension, ReplacesTheExtensionOfTheFileName) {
    uikit::RecordingPrompts prompts;
    uikit::ScopedPrompts scoped(prompts);
    const std::tuple<int, const char*, const char*> cases[] = {
        {0, "/v/out.wmv", "/v/out.avi"},
        {1, "/v/out.avi", "/v/out.wmv"},
        {2, "/v/out", "/v/out.mkv"},
        {3, "/v/a.b.c", "/v/a.b.asf"},
        {1, "/v/my.dir/out", "/v/my.dir/out.wmv"},
        {5, "/v/out.avi", "/v/out.mp4"}};
    for (const auto& [format, path, expected] : cases) {
        QString out;
        EXPECT_TRUE(settings::SetOutputExtension(format, path, out));
        EXPECT_EQ(out, expected);
    }
    QString kept = "unchanged";
    EXPECT_FALSE(settings::SetOutputExtension(4, "/v/out.avi", kept));
    EXPECT_FALSE(settings::SetOutputExtension(-1, "/v/out.avi", kept));
    EXPECT_EQ(kept, "unchanged");
    ASSERT_EQ(prompts.records().size(), 2u);
    EXPECT_EQ(prompts.records()[0].text, "Does not support the video format");
    EXPECT_EQ(prompts.records()[0].caption, "Error");
    EXPECT_EQ(prompts.records()[0].owner, nullptr);
}

class CaspariOptionsTest : public ::testing::Test {
protected:
    CaspariOptionsTest() : scopedPrompts_(prompts_), scopedDevices_(devices_) {
        uikit::Language().SetBuiltInStrings(res::VeltranoStrings());
        settings::DefaultCompressorNames names;
        names.videoName = "ffdshow video encoder";
        settings::SetDefaultCompressorNames(names);
        devices_.SetMembers(CompressorCategory::Video,
                            {Member("Codec A", "x264enc"), Member("MPEG-4", "avenc_mpeg4")});
        devices_.SetMembers(CompressorCategory::Audio, {Member("MP3", "lamemp3enc")});
        base_.outputPath = "/videos/out.avi";
        base_.outputFormat = 0;
        base_.sourceWidth = 352;
        base_.sourceHeight = 288;
    }
    ~CaspariOptionsTest() override { settings::SetDefaultCompressorNames({}); }

    void Choose(COutputOptionsDlg& dialog, int id, int position) {
        auto* list = dialog.Control<QComboBox>(id);
        list->setCurrentIndex(position);
        emit list->activated(position);
    }
    void Click(COutputOptionsDlg& dialog, int id) {
        testenv::ClickThroughWindow(*dialog.Control(id));
    }

    testenv::ScopedSettingsFolder folder_;
    uikit::RecordingPrompts prompts_;
    uikit::ScopedPrompts scopedPrompts_;
    testenv::FakeCompressorDevices devices_;
    settings::ScopedCompressorDevices scopedDevices_;
    settings::OutputSettings base_;
    const settings::OptionsLayout& ids_ = settings::OptionsLayoutOf(OptionsVariant::Caspari);
};

TEST_F(CaspariOptionsTest, SetUpShowsFormatBitratesAndHidesTheRest) {
    COutputOptionsDlg dialog(base_, nullptr, OptionsVariant::Caspari);
    for (int hidden : {ids_.sizeLabel, ids_.sizeList, ids_.width, ids_.height, ids_.frameRateLabel,
                       ids_.frameRateList, ids_.resizeLabel, ids_.resizeList, ids_.codecList,
                       ids_.audioBitrateText}) {
        EXPECT_TRUE(dialog.Control(hidden)->isHidden()) << hidden;
    }
    EXPECT_EQ(dialog.Control<QComboBox>(ids_.sizeList)->count(), 1);
    EXPECT_EQ(dialog.Control<QComboBox>(ids_.sizeList)->itemText(0), "Original size 352*288");
    EXPECT_EQ(dialog.Control<QComboBox>(ids_.frameRateList)->itemText(0), "Original frame rate");
    EXPECT_EQ(dialog.Control<QComboBox>(ids_.formatList)->currentIndex(), 0);
    EXPECT_EQ(dialog.Control<QLineEdit>(ids_.videoBitrate)->text(), "380");
    EXPECT_EQ(dialog.Control<QLineEdit>(ids_.audioBitrateText)->text(), "128");
    EXPECT_EQ(dialog.Control<QComboBox>(ids_.audioBitrate)->currentIndex(), 1);
    // AVI shows the compressors and hides the bitrates.
    for (int shown : {ids_.videoLabel, ids_.videoList, ids_.audioLabel, ids_.audioList,
                      ids_.settings, ids_.note}) {
        EXPECT_FALSE(dialog.Control(shown)->isHidden()) << shown;
    }
    for (int hidden : {ids_.videoBitrateLabel, ids_.videoBitrate, ids_.videoKbps,
                       ids_.audioBitrateLabel, ids_.audioBitrate, ids_.audioKbps}) {
        EXPECT_TRUE(dialog.Control(hidden)->isHidden()) << hidden;
    }
    EXPECT_TRUE(prompts_.records().empty());
}

TEST_F(CaspariOptionsTest, SwitchingToWmvSwapsTheControlsAndTheExtension) {
    COutputOptionsDlg dialog(base_, nullptr, OptionsVariant::Caspari);
    Choose(dialog, ids_.formatList, 1);
    EXPECT_EQ(dialog.Control<QLineEdit>(ids_.outputFile)->text(), "/videos/out.wmv");
    for (int shown : {ids_.videoBitrateLabel, ids_.videoBitrate, ids_.videoKbps,
                      ids_.audioBitrateLabel, ids_.audioBitrate, ids_.audioKbps}) {
        EXPECT_FALSE(dialog.Control(shown)->isHidden()) << shown;
    }
    for (int hidden : {ids_.videoLabel, ids_.videoList, ids_.audioLabel, ids_.audioList,
                       ids_.settings, ids_.note}) {
        EXPECT_TRUE(dialog.Control(hidden)->isHidden()) << hidden;
    }
    Choose(dialog, ids_.formatList, 2);
    EXPECT_EQ(dialog.Control<QLineEdit>(ids_.outputFile)->text(), "/videos/out.mkv");
    EXPECT_FALSE(dialog.Control(ids_.videoList)->isHidden());
}

TEST_F(CaspariOptionsTest, DefaultWithWmvResetsTheBitrates) {
    base_.outputFormat = 1;
    base_.videoBitrate = 100 * 1024;
    base_.audioBitrate = 64000;
    COutputOptionsDlg dialog(base_, nullptr, OptionsVariant::Caspari);
    EXPECT_EQ(dialog.Control<QLineEdit>(ids_.videoBitrate)->text(), "100");
    EXPECT_EQ(dialog.Control<QComboBox>(ids_.audioBitrate)->currentIndex(), 0);
    dialog.Control<QComboBox>(ids_.videoList)->setCurrentIndex(0);
    Click(dialog, ids_.defaults);
    EXPECT_EQ(dialog.Control<QLineEdit>(ids_.videoBitrate)->text(), "780");
    EXPECT_EQ(dialog.Control<QComboBox>(ids_.audioBitrate)->currentText(), "128");
    // The compressors stay untouched.
    EXPECT_EQ(dialog.Control<QComboBox>(ids_.videoList)->currentIndex(), 0);
}

TEST_F(CaspariOptionsTest, OkStoresFormatBitratesAndChosenEntries) {
    COutputOptionsDlg dialog(base_, nullptr, OptionsVariant::Caspari);
    Choose(dialog, ids_.formatList, 1);
    dialog.Control<QLineEdit>(ids_.videoBitrate)->setText("780");
    dialog.Control<QComboBox>(ids_.audioBitrate)->setCurrentIndex(2);
    dialog.Control<QComboBox>(ids_.videoList)->setCurrentIndex(2);
    Click(dialog, ids_.ok);
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    const auto& saved = dialog.settings();
    EXPECT_EQ(saved.outputFormat, 1);
    EXPECT_EQ(saved.videoBitrate, 798720);
    EXPECT_EQ(saved.audioBitrate, 192000);
    EXPECT_EQ(saved.videoCompressorIndex, 1);
    EXPECT_EQ(saved.outputPath, "/videos/out.wmv");
    const uikit::Profile store = uikit::Profile::Application();
    EXPECT_EQ(store.GetInt("Settings", "nOuptputFormat", -1), 1);
    EXPECT_EQ(store.GetInt("Settings", "n_video_bitrate", -1), 798720);
    EXPECT_EQ(store.GetInt("Settings", "n_audio_bitrate", -1), 192000);
    EXPECT_EQ(store.GetInt("DexVideoCompress", "CompressorNumber", -9), 1);
    EXPECT_FALSE(store.Contains("Settings", "b_file_profile"));
}

TEST_F(CaspariOptionsTest, BrowseOffersTheFormatsFilter) {
    base_.outputFormat = 2;
    COutputOptionsDlg dialog(base_, nullptr, OptionsVariant::Caspari);
    prompts_.QueueFile("/home/u/film.avi");
    Click(dialog, ids_.browse);
    ASSERT_EQ(prompts_.records().size(), 1u);
    ASSERT_EQ(prompts_.records()[0].fileRequest.filters.size(), 1u);
    EXPECT_EQ(prompts_.records()[0].fileRequest.filters[0].description,
              "Matroska video file(*.mkv)");
    EXPECT_EQ(dialog.Control<QLineEdit>(ids_.outputFile)->text(), "/home/u/film.mkv");
}

// MP4 is listed after MKV and stored as 5; ASF, stored by hand as 3, has no
// entry and stays what it was.
TEST_F(CaspariOptionsTest, Mp4IsStoredAsFiveAndAsfStaysThree) {
    base_.videoCompressorIndex = settings::kCompressorNone;
    auto reopened = [&] {
        settings::OutputSettings loaded = base_;
        settings::LoadOutputFormat(uikit::Profile::Application(), loaded);
        return loaded;
    };
    {
        COutputOptionsDlg dialog(base_, nullptr, OptionsVariant::Caspari);
        auto* formats = dialog.Control<QComboBox>(ids_.formatList);
        ASSERT_EQ(formats->count(), 4);
        EXPECT_EQ(formats->itemText(3), "MP4");
        Choose(dialog, ids_.formatList, 3);
        EXPECT_EQ(dialog.Control<QLineEdit>(ids_.outputFile)->text(), "/videos/out.mp4");
        // No picture compressor cannot go into MP4: H.264 is proposed; MP3 can stay.
        EXPECT_EQ(dialog.Control<QComboBox>(ids_.videoList)->currentText(), "Codec A");
        EXPECT_EQ(dialog.Control<QComboBox>(ids_.audioList)->currentText(), "MP3");
        prompts_.QueueFile("/home/u/film");
        Click(dialog, ids_.browse);
        ASSERT_EQ(prompts_.records().size(), 1u);
        EXPECT_EQ(prompts_.records()[0].fileRequest.filters.at(0).description,
                  "MPEG-4 file(*.mp4)");
        Click(dialog, ids_.ok);
        ASSERT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(uikit::Profile::Application().GetInt("Settings", "nOuptputFormat", -1), 5);
        EXPECT_EQ(dialog.settings().outputPath, "/home/u/film.mp4");
    }
    {
        COutputOptionsDlg dialog(reopened(), nullptr, OptionsVariant::Caspari);
        EXPECT_EQ(dialog.Control<QComboBox>(ids_.formatList)->currentText(), "MP4");
    }
    uikit::Profile store = uikit::Profile::Application();
    store.WriteInt("Settings", "nOuptputFormat", 3);
    store.Save();
    base_.outputPath = "/videos/out.asf";
    COutputOptionsDlg dialog(reopened(), nullptr, OptionsVariant::Caspari);
    EXPECT_EQ(dialog.Control<QComboBox>(ids_.formatList)->currentIndex(), -1);
    Click(dialog, ids_.ok);
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.settings().outputFormat, 3);
    EXPECT_EQ(uikit::Profile::Application().GetInt("Settings", "nOuptputFormat", -1), 3);
    EXPECT_EQ(dialog.settings().outputPath, "/videos/out.asf");
}

TEST_F(CaspariOptionsTest, UnknownStoredFormatIsReported) {
    base_.outputFormat = 6;
    COutputOptionsDlg dialog(base_, nullptr, OptionsVariant::Caspari);
    const auto messages = prompts_.Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, "Does not support the video format");
    EXPECT_EQ(messages[1].text, "unknown error");
    EXPECT_EQ(messages[1].caption, "error");
    EXPECT_EQ(dialog.Control<QLineEdit>(ids_.outputFile)->text(), "/videos/out.avi");
    EXPECT_EQ(dialog.Control<QComboBox>(ids_.formatList)->currentIndex(), -1);
}

TEST_F(CaspariOptionsTest, VideoBitrateStaysWithinItsBoundsSoBitsPerSecondFit) {
    base_.outputFormat = 1;
    base_.videoBitrate = std::numeric_limits<std::int32_t>::max();
    COutputOptionsDlg dialog(base_, nullptr, OptionsVariant::Caspari);
    auto* edit = dialog.Control<QLineEdit>(ids_.videoBitrate);
    EXPECT_EQ(edit->text(), "100000");
    edit->clear();
    QTest::keyClicks(edit, "-99999999999");
    EXPECT_EQ(edit->text(), "999999"); // no sign, and six digits at most
    Click(dialog, ids_.ok);
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.settings().videoBitrate, 100000 * 1024);
    EXPECT_EQ(uikit::Profile::Application().GetInt("Settings", "n_video_bitrate", -1),
              100000 * 1024);
}

} // namespace
