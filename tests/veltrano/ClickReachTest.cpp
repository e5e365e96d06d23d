#include "ConverterDlg.h"
#include "LanguagePack.h"
#include "RecordingPrompts.h"
#include "TestEnvironment.h"
#include "TestMedia.h"
#include "UserInput.h"
#include "VeltranoStrings.h"
#include "WindowIds.h"

#include <QTest>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using namespace veltrano;
using ::testing::IsEmpty;
using ::testing::IsSupersetOf;
using Kind = uikit::RecordingPrompts::Kind;

// Mouse presses at the centre of every control of the main window reach that
// control, idle and with a clip open; a real click on Open Video opens one.
TEST(ClickReach, MainWindowControlsTakeTheirOwnPresses) {
    testenv::ScopedSettingsFolder folder;
    uikit::RecordingPrompts prompts;
    uikit::ScopedPrompts scoped(prompts);
    uikit::Language().SetBuiltInStrings(res::VeltranoStrings());
    CConverterDlg dialog;
    ASSERT_TRUE(dialog.initialised());

    testenv::PressReach reach = testenv::PressEveryControl(dialog);
    EXPECT_THAT(reach.pressed,
                IsSupersetOf(testenv::ControlNames({idc::kOpenVideo, idc::kOptions, idc::kHelp,
                                                    idc::kAbout, idc::kHomepage, idc::kExit})));
    EXPECT_THAT(reach.missed, IsEmpty());
    // Only looked at: Open Video asked for no file, Exit left the window open.
    EXPECT_TRUE(prompts.records().empty());
    EXPECT_TRUE(dialog.isVisible());

    const std::string clip = testmedia::Mp4();
    ASSERT_FALSE(clip.empty());
    prompts.QueueFile(QString::fromStdString(clip));
    ASSERT_TRUE(testenv::ClickThroughWindow(*dialog.Control(idc::kOpenVideo)));
    ASSERT_EQ(prompts.records().size(), 1u);
    EXPECT_EQ(prompts.records()[0].kind, Kind::OpenFile);
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.Control(idc::kConvert)->isEnabled(); }, 30000));

    reach = testenv::PressEveryControl(dialog);
    EXPECT_THAT(reach.pressed, IsSupersetOf(testenv::ControlNames(
                                   {idc::kConvert, idc::kSlider, idc::kPlay, idc::kPause,
                                    idc::kStop, idc::kStartTime, idc::kEndTime})));
    EXPECT_THAT(reach.missed, IsEmpty());
    EXPECT_EQ(prompts.records().size(), 1u);
}

} // namespace
