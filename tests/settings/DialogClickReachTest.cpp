#include "EncoderProperties.h"
#include "EncoderSettingsDlg.h"
#include "FakeCompressorDevices.h"
#include "LanguagePack.h"
#include "MediaInit.h"
#include "OutputOptionsDlg.h"
#include "RecordingPrompts.h"
#include "TestEnvironment.h"
#include "UserInput.h"
#include "VeltranoStrings.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <memory>

namespace {

using settings::CompressorCategory;
using settings::COutputOptionsDlg;
using settings::OptionsVariant;
using ::testing::IsEmpty;
using ::testing::IsSupersetOf;

// A mouse press at the centre of any control of the settings dialogs reaches
// that control: no other widget lies on top of it in any of the layouts.
TEST(DialogClickReach, EveryControlTakesItsOwnPress) {
    testenv::ScopedSettingsFolder folder;
    uikit::RecordingPrompts prompts;
    uikit::ScopedPrompts scopedPrompts(prompts);
    testenv::FakeCompressorDevices devices;
    settings::ScopedCompressorDevices scopedDevices(devices);
    uikit::Language().SetBuiltInStrings(res::VeltranoStrings());
    settings::SetDefaultCompressorNames({});
    devices.SetMembers(CompressorCategory::Video, {testenv::Member("MPEG-4", "avenc_mpeg4")});
    devices.SetMembers(CompressorCategory::Audio, {testenv::Member("MP3", "lamemp3enc")});
    settings::OutputSettings avi;
    avi.outputPath = "/videos/out.avi";
    avi.outputFormat = 0;
    settings::OutputSettings wmv = avi;
    wmv.outputFormat = 1;

    ASSERT_GE(media::Initialize(), 0);
    const auto specs = media::DescribeEncoderProperties("avenc_mpeg4", {});
    ASSERT_FALSE(specs.empty());
    std::vector<std::string> editors = {"QPushButton \"OK\"", "QPushButton \"Cancel\""};
    for (const auto& spec : specs) {
        editors.push_back(spec.name);
    }

    struct Case {
        const char* name;
        std::unique_ptr<QDialog> dialog;
        std::vector<std::string> controls; // each must be among those pressed
    };
    const settings::OptionsLayout& velt = settings::OptionsLayoutOf(OptionsVariant::Veltrano);
    const settings::OptionsLayout& casp = settings::OptionsLayoutOf(OptionsVariant::Caspari);
    Case cases[] = {
        {"veltrano options", std::make_unique<COutputOptionsDlg>(avi, nullptr),
         testenv::ControlNames({velt.outputFile, velt.browse, velt.sizeList, velt.frameRateList,
                                velt.resizeList, velt.videoList, velt.settings, velt.audioList,
                                velt.ok, velt.defaults, velt.cancel})},
        {"caspari options, AVI",
         std::make_unique<COutputOptionsDlg>(avi, nullptr, OptionsVariant::Caspari),
         testenv::ControlNames({casp.formatList, casp.outputFile, casp.browse, casp.videoList,
                                casp.settings, casp.audioList, casp.ok, casp.defaults,
                                casp.cancel})},
        {"caspari options, WMV",
         std::make_unique<COutputOptionsDlg>(wmv, nullptr, OptionsVariant::Caspari),
         testenv::ControlNames({casp.formatList, casp.outputFile, casp.browse, casp.videoBitrate,
                                casp.audioBitrate, casp.ok, casp.defaults, casp.cancel})},
        {"encoder settings",
         std::make_unique<settings::CEncoderSettingsDlg>("MPEG-4", specs, nullptr), editors},
    };
    for (Case& c : cases) {
        const testenv::PressReach reach = testenv::PressEveryControl(*c.dialog);
        EXPECT_THAT(reach.pressed, IsSupersetOf(c.controls)) << c.name;
        EXPECT_THAT(reach.missed, IsEmpty()) << c.name;
        // The presses were only looked at: OK and Cancel left the dialog open.
        EXPECT_TRUE(c.dialog->isVisible()) << c.name;
        c.dialog->hide();
    }
    // Nor did Browse or Settings ask anything.
    EXPECT_TRUE(prompts.records().empty());
}

} // namespace
