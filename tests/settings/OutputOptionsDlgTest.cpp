#include "OutputOptionsDlg.h"
#include "FakeCompressorDevices.h"
#include "LanguagePack.h"
#include "Profile.h"
#include "RecordingPrompts.h"
#include "TestEnvironment.h"
#include "UserInput.h"
#include "VeltranoStrings.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

using settings::CompressorCategory;
using settings::COutputOptionsDlg;
using settings::OutputSettings;
using testenv::Member;

class OutputOptionsDlgTest : public ::testing::Test {
protected:
    OutputOptionsDlgTest() : scopedPrompts_(prompts_), scopedDevices_(devices_) {
        uikit::Language().SetBuiltInStrings(res::VeltranoStrings());
        settings::SetDefaultCompressorNames({});
        devices_.SetMembers(
            CompressorCategory::Video,
            {Member("H.264 encoder", "x264enc"), Member("MPEG-4 part 2 encoder", "avenc_mpeg4")});
        devices_.SetMembers(CompressorCategory::Audio, {Member("MP3 encoder", "lamemp3enc")});
        base_.outputPath = "/videos/out.avi";
    }

    void Click(COutputOptionsDlg& dialog, int id) {
        testenv::ClickThroughWindow(*dialog.Control(id));
    }
    // Picks a list position the way a user does, which notifies the dialog.
    void Choose(COutputOptionsDlg& dialog, int id, int position) {
        QComboBox* list = dialog.Control<QComboBox>(id);
        list->setCurrentIndex(position);
        emit list->activated(position);
    }
    uikit::Profile Store() { return uikit::Profile::Application(); }

    testenv::ScopedSettingsFolder folder_;
    uikit::RecordingPrompts prompts_;
    uikit::ScopedPrompts scopedPrompts_;
    testenv::FakeCompressorDevices devices_;
    settings::ScopedCompressorDevices scopedDevices_;
    OutputSettings base_;
    const settings::OptionsLayout& ids_ =
        settings::OptionsLayoutOf(settings::OptionsVariant::Veltrano);
};

TEST_F(OutputOptionsDlgTest, BeforeAnySourceOriginalSizeIsChosenAndOkStoresTheSmallestSize) {
    COutputOptionsDlg dialog(base_, nullptr);
    EXPECT_EQ(dialog.windowTitle(), "Output options");
    EXPECT_EQ(dialog.Control<QComboBox>(ids_.sizeList)->currentIndex(), 0);
    EXPECT_EQ(dialog.Control<QComboBox>(ids_.sizeList)->itemText(0), "Original size");
    EXPECT_EQ(dialog.Control<QComboBox>(ids_.frameRateList)->itemText(0), "Original frame rate");
    EXPECT_EQ(dialog.Control<QComboBox>(ids_.frameRateList)->currentIndex(), 1);
    EXPECT_TRUE(dialog.Control<QLineEdit>(ids_.width)->isHidden());
    EXPECT_TRUE(dialog.Control<QLineEdit>(ids_.frameRate)->isHidden());
    EXPECT_TRUE(dialog.Control(ids_.codecList)->isHidden());
    EXPECT_EQ(dialog.Control<QLineEdit>(ids_.outputFile)->text(), "/videos/out.avi");
    // The default compressors are preselected.
    EXPECT_EQ(dialog.Control<QComboBox>(ids_.videoList)->currentIndex(), 2);
    EXPECT_EQ(dialog.Control<QComboBox>(ids_.audioList)->currentIndex(), 1);

    Click(dialog, ids_.ok);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.settings().outputWidth, 16);
    EXPECT_EQ(dialog.settings().outputHeight, 16);
    EXPECT_EQ(Store().GetInt("Settings", "OutputWidth", 0), 16);
    EXPECT_EQ(Store().GetInt("Settings", "OutputHigh", 0), 16);
    EXPECT_EQ(Store().GetString("Settings", "OutputName", ""), "/videos/out.avi");
    EXPECT_EQ(Store().GetInt("Settings", "OutputFrameRateIndex", -9), 1);
    EXPECT_EQ(Store().GetString("Settings", "OutputFrameRate", ""), "23.976");
    EXPECT_EQ(Store().GetInt("DexVideoCompress", "CompressorNumber", -9), 1);
    EXPECT_EQ(Store().GetInt("DexAudioCompress", "CompressorNumber", -9), 0);
    EXPECT_EQ(devices_.BoundIndex(CompressorCategory::Video), 1);
    EXPECT_EQ(devices_.BoundIndex(CompressorCategory::Audio), 0);
    EXPECT_EQ(dialog.settings().useVideoCompressor, 1);
}

TEST_F(OutputOptionsDlgTest, StoredSizeSelectsItsPresetOrCustom) {
    base_.sourceWidth = 640;
    base_.sourceHeight = 480;
    base_.outputWidth = 720;
    base_.outputHeight = 480;
    {
        COutputOptionsDlg dialog(base_, nullptr);
        EXPECT_EQ(dialog.Control<QComboBox>(ids_.sizeList)->currentIndex(), 3);
        EXPECT_EQ(dialog.Control<QComboBox>(ids_.sizeList)->currentText(), "720 * 480");
        EXPECT_EQ(dialog.Control<QComboBox>(ids_.sizeList)->itemText(0), "Original size 640*480");
        EXPECT_TRUE(dialog.Control<QLineEdit>(ids_.width)->isHidden());
        EXPECT_TRUE(dialog.Control<QLineEdit>(ids_.height)->isHidden());
    }
    base_.outputWidth = 704;
    base_.outputHeight = 400;
    COutputOptionsDlg dialog(base_, nullptr);
    EXPECT_EQ(dialog.Control<QComboBox>(ids_.sizeList)->currentIndex(), 8);
    EXPECT_EQ(dialog.Control<QComboBox>(ids_.sizeList)->currentText(), "Custom size");
    EXPECT_FALSE(dialog.Control<QLineEdit>(ids_.width)->isHidden());
    EXPECT_EQ(dialog.Control<QLineEdit>(ids_.width)->text(), "704");
    EXPECT_EQ(dialog.Control<QLineEdit>(ids_.height)->text(), "400");

    // Choosing a preset fills and hides the edits; original size puts the source back.
    Choose(dialog, ids_.sizeList, 2);
    EXPECT_EQ(dialog.Control<QLineEdit>(ids_.width)->text(), "720");
    EXPECT_EQ(dialog.Control<QLineEdit>(ids_.height)->text(), "576");
    EXPECT_TRUE(dialog.Control<QLineEdit>(ids_.width)->isHidden());
    Choose(dialog, ids_.sizeList, 0);
    EXPECT_EQ(dialog.Control<QLineEdit>(ids_.width)->text(), "640");
    Choose(dialog, ids_.sizeList, 8);
    EXPECT_EQ(dialog.Control<QLineEdit>(ids_.width)->text(), "704");
    EXPECT_FALSE(dialog.Control<QLineEdit>(ids_.height)->isHidden());
}

TEST_F(OutputOptionsDlgTest, FrameRateChoicesFillTheEdit) {
    base_.sourceCount = 1;
    base_.sourceFrameRate = 25.0;
    COutputOptionsDlg dialog(base_, nullptr);
    EXPECT_EQ(dialog.Control<QComboBox>(ids_.frameRateList)->itemText(0),
              "Original frame rate 25.000");
    EXPECT_EQ(dialog.Control<QLineEdit>(ids_.frameRate)->text(), "23.976");
    Choose(dialog, ids_.frameRateList, 6);
    EXPECT_FALSE(dialog.Control<QLineEdit>(ids_.frameRate)->isHidden());
    EXPECT_EQ(dialog.Control<QLineEdit>(ids_.frameRate)->text(), "23.976");
    Choose(dialog, ids_.frameRateList, 4);
    EXPECT_EQ(dialog.Control<QLineEdit>(ids_.frameRate)->text(), "29.970000");
    EXPECT_TRUE(dialog.Control<QLineEdit>(ids_.frameRate)->isHidden());
    Choose(dialog, ids_.frameRateList, 0);
    EXPECT_EQ(dialog.Control<QLineEdit>(ids_.frameRate)->text(), "25.000000");

    Click(dialog, ids_.ok);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.settings().frameRateIndex, 0);
    EXPECT_DOUBLE_EQ(dialog.settings().outputFrameRate, 25.0);
    EXPECT_EQ(Store().GetString("Settings", "OutputFrameRate", ""), "23.976");
}

TEST_F(OutputOptionsDlgTest, OriginalFrameRateEditShowsTheDefaultWithSixDecimals) {
    base_.frameRateIndex = 0;
    COutputOptionsDlg dialog(base_, nullptr);
    EXPECT_EQ(dialog.Control<QLineEdit>(ids_.frameRate)->text(), "23.976000");
    EXPECT_EQ(dialog.Control<QComboBox>(ids_.frameRateList)->currentIndex(), 0);
}

TEST_F(OutputOptionsDlgTest, BadFrameRatesAreRefusedAndNothingIsSaved) {
    base_.frameRateIndex = 6;
    base_.outputFrameRate = 12.5;
    for (const char* typed : {"abc", "0", "-5", "0.0009"}) {
        COutputOptionsDlg dialog(base_, nullptr);
        dialog.Control<QLineEdit>(ids_.frameRate)->setText(typed);
        prompts_.Clear();
        Click(dialog, ids_.ok);
        EXPECT_NE(dialog.result(), QDialog::Accepted) << typed;
        ASSERT_EQ(prompts_.records().size(), 1u) << typed;
        EXPECT_EQ(prompts_.records()[0].text, "The frame rate is too small!");
        EXPECT_EQ(prompts_.records()[0].caption, "veltrano");
    }
    {
        COutputOptionsDlg dialog(base_, nullptr);
        dialog.Control<QLineEdit>(ids_.frameRate)->setText("1e9");
        prompts_.Clear();
        Click(dialog, ids_.ok);
        EXPECT_NE(dialog.result(), QDialog::Accepted);
        ASSERT_EQ(prompts_.records().size(), 1u);
        EXPECT_EQ(prompts_.records()[0].text, "The frame rate is too large!");
    }
    COutputOptionsDlg dialog(base_, nullptr);
    dialog.Control<QLineEdit>(ids_.frameRate)->setText("0.001");
    Click(dialog, ids_.ok);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(dialog.settings().outputFrameRate, 0.001);
    EXPECT_EQ(Store().GetString("Settings", "OutputFrameRate", ""), "0.001");
}

TEST_F(OutputOptionsDlgTest, ConfirmedSizesAreMultiplesOfEightAndAtLeastSixteen) {
    base_.outputWidth = 100;
    base_.outputHeight = 7;
    const std::pair<const char*, int> cases[] = {{"100", 96}, {"7", 16},           {"-20", 16},
                                                 {"abc", 16}, {"99999999999", 16}, {"1927", 1920}};
    for (const auto& [typed, stored] : cases) {
        COutputOptionsDlg dialog(base_, nullptr);
        dialog.Control<QLineEdit>(ids_.width)->setText(typed);
        dialog.Control<QLineEdit>(ids_.height)->setText(typed);
        Click(dialog, ids_.ok);
        ASSERT_EQ(dialog.result(), QDialog::Accepted) << typed;
        EXPECT_EQ(dialog.settings().outputWidth, stored) << typed;
        EXPECT_EQ(dialog.settings().outputHeight, stored) << typed;
        EXPECT_EQ(Store().GetInt("Settings", "OutputWidth", 0), stored) << typed;
    }
}

TEST_F(OutputOptionsDlgTest, BrowseGivesAnAviName) {
    base_.outputPath = "/home/u/my.videos/old.avi";
    COutputOptionsDlg dialog(base_, nullptr);
    prompts_.QueueFile("/home/u/clip");
    prompts_.QueueFile("/home/u/clip.mkv");
    prompts_.QueueFile("/home/u/my.videos/clip");
    prompts_.QueueFile("/home/u/a.b.c");
    const char* expected[] = {"/home/u/clip.avi", "/home/u/clip.avi", "/home/u/my.videos/clip.avi",
                              "/home/u/a.b.avi"};
    for (const char* result : expected) {
        Click(dialog, ids_.browse);
        EXPECT_EQ(dialog.Control<QLineEdit>(ids_.outputFile)->text(), result);
    }
    const auto& request = prompts_.records()[0];
    EXPECT_EQ(request.kind, uikit::RecordingPrompts::Kind::SaveFile);
    EXPECT_EQ(request.fileRequest.title, "Select Output File Name");
    EXPECT_EQ(request.fileRequest.initialFolder, "/home/u/my.videos");
    ASSERT_EQ(request.fileRequest.filters.size(), 1u);
    EXPECT_EQ(request.fileRequest.filters[0].description, "AVI file");
    EXPECT_EQ(request.fileRequest.filters[0].patterns, "*.avi");

    // Cancel keeps the text.
    Click(dialog, ids_.browse);
    EXPECT_EQ(dialog.Control<QLineEdit>(ids_.outputFile)->text(), "/home/u/a.b.avi");
}

TEST_F(OutputOptionsDlgTest, UncompressedWritesMinusOneWithoutTouchingTheSlot) {
    settings::BindCompressor(CompressorCategory::Video, 1);
    devices_.releases.clear();
    COutputOptionsDlg dialog(base_, nullptr);
    Choose(dialog, ids_.videoList, 0);
    Click(dialog, ids_.ok);
    EXPECT_EQ(Store().GetInt("DexVideoCompress", "CompressorNumber", 0), -1);
    EXPECT_EQ(dialog.settings().useVideoCompressor, 0);
    EXPECT_EQ(devices_.BoundIndex(CompressorCategory::Video), 1);
    EXPECT_EQ(devices_.releases[CompressorCategory::Video], 0);
}

TEST_F(OutputOptionsDlgTest, StoredNumbersSelectTheirEntries) {
    uikit::Profile store = Store();
    store.WriteInt("DexVideoCompress", "CompressorNumber", -1);
    store.WriteInt("DexAudioCompress", "CompressorNumber", 5);
    COutputOptionsDlg dialog(base_, nullptr);
    EXPECT_EQ(dialog.Control<QComboBox>(ids_.videoList)->currentIndex(), 0);
    EXPECT_EQ(dialog.Control<QComboBox>(ids_.audioList)->currentIndex(), -1);

    // With no selection -2 is stored and the slot is left empty.
    Click(dialog, ids_.ok);
    EXPECT_EQ(Store().GetInt("DexAudioCompress", "CompressorNumber", 0), -2);
    EXPECT_FALSE(devices_.Bound(CompressorCategory::Audio));
    EXPECT_EQ(dialog.settings().useAudioCompressor, 1);
}

TEST_F(OutputOptionsDlgTest, DefaultSelectsTheDefaultCompressorsOnly) {
    uikit::Profile store = Store();
    store.WriteInt("DexVideoCompress", "CompressorNumber", -1);
    store.WriteInt("DexAudioCompress", "CompressorNumber", -1);
    COutputOptionsDlg dialog(base_, nullptr);
    Click(dialog, ids_.defaults);
    EXPECT_EQ(dialog.Control<QComboBox>(ids_.videoList)->currentIndex(), 2);
    EXPECT_EQ(dialog.Control<QComboBox>(ids_.audioList)->currentIndex(), 1);
    EXPECT_EQ(Store().GetInt("DexVideoCompress", "CompressorNumber", 0), -1);
    EXPECT_TRUE(devices_.binds.empty());
}

TEST_F(OutputOptionsDlgTest, CancelChangesNothing) {
    base_.outputWidth = 352;
    base_.outputHeight = 288;
    COutputOptionsDlg dialog(base_, nullptr);
    dialog.Control<QLineEdit>(ids_.outputFile)->setText("/elsewhere/x.avi");
    Choose(dialog, ids_.sizeList, 1);
    Choose(dialog, ids_.resizeList, 1);
    Click(dialog, ids_.cancel);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.settings().outputPath, "/videos/out.avi");
    EXPECT_EQ(dialog.settings().outputWidth, 352);
    EXPECT_EQ(dialog.settings().resizeMode, 2);
    EXPECT_FALSE(Store().Contains("Settings", "OutputName"));
    EXPECT_FALSE(Store().Contains("DexVideoCompress", "CompressorNumber"));
    EXPECT_TRUE(devices_.binds.empty());
}

TEST_F(OutputOptionsDlgTest, ResizeAndPathAreTakenOnOk) {
    COutputOptionsDlg dialog(base_, nullptr);
    EXPECT_EQ(dialog.Control<QComboBox>(ids_.resizeList)->currentIndex(), 0);
    EXPECT_EQ(dialog.Control<QComboBox>(ids_.resizeList)->itemText(1), "Stretch");
    Choose(dialog, ids_.resizeList, 1);
    dialog.Control<QLineEdit>(ids_.outputFile)->setText("/tmp/dir with space/ä 'q'.avi");
    Click(dialog, ids_.ok);
    EXPECT_EQ(dialog.settings().resizeMode, 0);
    EXPECT_EQ(dialog.settings().outputPath, "/tmp/dir with space/ä 'q'.avi");
}

TEST_F(OutputOptionsDlgTest, OutputFileWithoutFolderIsRefused) {
    COutputOptionsDlg dialog(base_, nullptr);
    dialog.Control<QLineEdit>(ids_.outputFile)->setText("output.avi");
    Click(dialog, ids_.ok);
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(prompts_.records().size(), 1u);
    EXPECT_TRUE(prompts_.records()[0].text.contains("full path"));
    EXPECT_FALSE(Store().Contains("Settings", "OutputName"));
}

TEST_F(OutputOptionsDlgTest, FrameSizesBeyondTheTimelineAreRefusedAndNothingIsSaved) {
    base_.outputWidth = 704;
    base_.outputHeight = 400;
    for (const auto& [width, height] : {std::pair{"16392", "480"}, std::pair{"640", "20000"}}) {
        COutputOptionsDlg dialog(base_, nullptr);
        dialog.Control<QLineEdit>(ids_.width)->setText(width);
        dialog.Control<QLineEdit>(ids_.height)->setText(height);
        prompts_.Clear();
        Click(dialog, ids_.ok);
        EXPECT_NE(dialog.result(), QDialog::Accepted) << width;
        ASSERT_EQ(prompts_.records().size(), 1u) << width;
        EXPECT_EQ(prompts_.records()[0].text,
                  "The frame size is too large! Width and height can be at most 16384.");
        EXPECT_EQ(prompts_.records()[0].caption, "veltrano");
        EXPECT_FALSE(Store().Contains("Settings", "OutputWidth"));
        EXPECT_FALSE(Store().Contains("Settings", "OutputName"));
    }
    // Typed sizes drop to a multiple of 8, so 16391 still fits.
    COutputOptionsDlg dialog(base_, nullptr);
    dialog.Control<QLineEdit>(ids_.width)->setText("16391");
    dialog.Control<QLineEdit>(ids_.height)->setText("16384");
    Click(dialog, ids_.ok);
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(Store().GetInt("Settings", "OutputWidth", 0), 16384);
    EXPECT_EQ(Store().GetInt("Settings", "OutputHigh", 0), 16384);
}

} // namespace
