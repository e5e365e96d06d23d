#include "ConverterDlg.h"
#include "LanguagePack.h"
#include "Profile.h"
#include "RecordingPrompts.h"
#include "TestEnvironment.h"
#include "UserInput.h"
#include "VeltranoStrings.h"
#include "WindowIds.h"

#include <QAbstractButton>
#include <QLabel>
#include <QSettings>
#include <QSlider>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

using namespace veltrano;

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() : scoped_(prompts_) {
        uikit::Language().SetBuiltInStrings(res::VeltranoStrings());
        uikit::Language().SetCurrentName("english");
    }

    QString LabelText(const CConverterDlg& dialog, int id) {
        return dialog.Control<QLabel>(id)->text();
    }

    testenv::ScopedSettingsFolder folder_;
    uikit::RecordingPrompts prompts_;
    uikit::ScopedPrompts scoped_;
};

TEST_F(MainWindowTest, StartsIdleWithItsControls) {
    CConverterDlg dialog;
    ASSERT_TRUE(dialog.initialised());
    EXPECT_EQ(dialog.windowTitle(), "VELTRANO");

    for (int id : {idc::kConvert, idc::kSlider, idc::kPlay, idc::kPause, idc::kStop,
                   idc::kStartTime, idc::kEndTime, idc::kStartMark, idc::kEndMark}) {
        EXPECT_FALSE(dialog.Control(id)->isEnabled()) << id;
    }
    for (int id :
         {idc::kOpenVideo, idc::kOptions, idc::kHelp, idc::kAbout, idc::kHomepage, idc::kExit}) {
        EXPECT_TRUE(dialog.Control(id)->isEnabled()) << id;
        EXPECT_FALSE(dialog.Control(id)->isHidden()) << id;
    }
    for (int id : {idc::kClipList, idc::kMusicList, idc::kEditorButton3, idc::kEditorButton4,
                   idc::kEditorButton1, idc::kEditorButton2, idc::kEditorButton5, idc::kTransition,
                   idc::kPreview, idc::kAddMusic, idc::kClipInfo, idc::kPlayerClosed}) {
        EXPECT_TRUE(dialog.Control(id)->isHidden()) << id;
    }
    EXPECT_EQ(LabelText(dialog, idc::kStartMark), "00:00:00");
    EXPECT_EQ(LabelText(dialog, idc::kEndMark), "00:00:00");
    auto* slider = dialog.Control<QSlider>(idc::kSlider);
    EXPECT_EQ(slider->minimum(), 0);
    EXPECT_EQ(slider->maximum(), 600);
    EXPECT_EQ(slider->value(), 0);
    EXPECT_EQ(dialog.Control<QAbstractButton>(idc::kConvert)->text(), "Convert");
    EXPECT_EQ(dialog.Control(idc::kOpenVideo)->toolTip(), "Open a video file");
    EXPECT_TRUE(prompts_.records().empty());
}

TEST_F(MainWindowTest, StatusLineShowsDefaultOutputAndOriginalSize) {
    CConverterDlg dialog;
    const QString videos = QStandardPaths::writableLocation(QStandardPaths::MoviesLocation);
    EXPECT_EQ(LabelText(dialog, idc::kStatus),
              "Output file: " + videos + "/output.avi     Resolution: Original size");
    EXPECT_EQ(dialog.outputSettings().outputPath, videos + "/output.avi");
}

TEST_F(MainWindowTest, LoadsStoredSettingsAtStartUp) {
    {
        QSettings raw("TarnwickStudio", "veltrano");
        raw.setValue("Settings/OutputName", "/data/out put.avi");
        raw.setValue("Settings/OutputWidth", 352);
        raw.setValue("Settings/OutputHigh", 288);
        raw.setValue("Settings/OutputFrameRateIndex", 6);
        raw.setValue("Settings/OutputFrameRate", "12.5");
        raw.setValue("TransitionSettings/TransitionType", 2);
        raw.setValue("TransitionSettings/TransitionName", 36);
    }
    CConverterDlg dialog;
    EXPECT_EQ(dialog.outputSettings().outputPath, "/data/out put.avi");
    EXPECT_EQ(dialog.outputSettings().outputWidth, 352);
    EXPECT_EQ(dialog.outputSettings().outputHeight, 288);
    EXPECT_EQ(dialog.outputSettings().frameRateIndex, 6);
    EXPECT_DOUBLE_EQ(dialog.outputSettings().outputFrameRate, 12.5);
    EXPECT_EQ(dialog.state().transitionMode, 2);
    EXPECT_EQ(dialog.state().fixedTransition, 36);
    EXPECT_EQ(LabelText(dialog, idc::kStatus),
              "Output file: /data/out put.avi     Resolution: Original size");
}

TEST_F(MainWindowTest, ControlsSitAtTheirTemplatePlaces) {
    CConverterDlg dialog;
    const QRect open = dialog.Control(idc::kOpenVideo)->geometry();
    const QRect options = dialog.Control(idc::kOptions)->geometry();
    const QRect status = dialog.Control(idc::kStatus)->geometry();
    // Same row and size, Options right of Open Video, the status line at the bottom.
    EXPECT_EQ(open.top(), options.top());
    EXPECT_EQ(open.size(), options.size());
    EXPECT_GT(options.left(), open.right());
    EXPECT_GT(status.top(), dialog.Control(idc::kExit)->geometry().bottom());
    EXPECT_LE(status.bottom(), dialog.height());
    EXPECT_GT(status.width(), dialog.width() * 9 / 10);
}

TEST_F(MainWindowTest, ClosingIsRefusedWhileConverting) {
    CConverterDlg dialog;
    dialog.show();
    dialog.state().converting = 1;
    EXPECT_FALSE(dialog.close());
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(prompts_.records().size(), 1u);
    EXPECT_EQ(prompts_.records()[0].text, "Please first stop converting");
    EXPECT_EQ(prompts_.records()[0].caption, "Warning");
    EXPECT_EQ(prompts_.records()[0].owner, &dialog);

    // Escape takes the same road.
    dialog.reject();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(prompts_.records().size(), 2u);
    EXPECT_FALSE(uikit::Profile::Application().Contains("Option", "CurrentLanguage"));
}

TEST_F(MainWindowTest, ClosingStoresTheCurrentLanguage) {
    uikit::Language().SetCurrentName("German");
    CConverterDlg dialog;
    ASSERT_TRUE(testenv::ClickThroughWindow(*dialog.Control(idc::kExit)));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(uikit::Profile::Application().GetString("Option", "CurrentLanguage", ""), "German");
    EXPECT_TRUE(prompts_.records().empty());
}

} // namespace
