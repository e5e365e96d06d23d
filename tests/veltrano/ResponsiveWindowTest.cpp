#include "ConverterDlg.h"
#include "LanguagePack.h"
#include "MediaInit.h"
#include "MediaWorker.h"
#include "PreviewPlayer.h"
#include "PreviewWindow.h"
#include "RecordingPrompts.h"
#include "TestEnvironment.h"
#include "TestMedia.h"
#include "UserInput.h"
#include "VeltranoStrings.h"
#include "WindowIds.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

using namespace veltrano;
using Kind = uikit::RecordingPrompts::Kind;

// Opening a file while the media worker is held up (as by a file slow to
// preroll before it): the probe waits its turn, and the window goes on
// handling events meanwhile.
TEST(ResponsiveWindowTest, OpeningAFileThatWaitsForTheMediaWorkerKeepsTheWindowResponsive) {
    ASSERT_GE(media::Initialize(), 0);
    uikit::Language().SetBuiltInStrings(res::VeltranoStrings());
    testenv::ScopedSettingsFolder folder;
    uikit::RecordingPrompts prompts;
    uikit::ScopedPrompts scoped(prompts);
    const std::string clip = testmedia::Mkv640x480();
    ASSERT_FALSE(clip.empty());
    constexpr auto kDelay = std::chrono::milliseconds(1500);

    CConverterDlg dialog;
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(20);
    prompts.QueueFile(QString::fromStdString(clip));
    QElapsedTimer clock;
    clock.start();
    media::RunOnMediaWorker([kDelay] { std::this_thread::sleep_for(kDelay); });
    testenv::ClickThroughWindow(*dialog.Control(idc::kOpenVideo));
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_TRUE(dialog.busy());
    EXPECT_EQ(dialog.cursor().shape(), Qt::BusyCursor);

    // A second command meanwhile is not taken: no second file dialog.
    testenv::ClickThroughWindow(*dialog.Control(idc::kOpenVideo));
    testenv::ClickThroughWindow(*dialog.Control(idc::kOptions));
    EXPECT_EQ(prompts.records().size(), 1u);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    while (dialog.busy() && clock.elapsed() < 30000) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    // The preview player then reads the file in the background and shows the clip.
    EXPECT_TRUE(testenv::ProcessEventsUntil(
        [&] { return dialog.player() != nullptr && dialog.player()->window()->isVisible(); },
        30000));
    ASSERT_FALSE(dialog.busy());
    EXPECT_NE(dialog.cursor().shape(), Qt::BusyCursor);
    // The timer kept firing all along the wait (it would not have once, had the
    // probe blocked the UI thread).
    const auto waited = std::chrono::milliseconds(clock.elapsed());
    EXPECT_GE(waited, kDelay);
    EXPECT_GE(ticks, static_cast<int>(kDelay / std::chrono::milliseconds(20)) / 2);
    // The file opened once its data came.
    EXPECT_EQ(dialog.outputSettings().sourceCount, 1);
    EXPECT_EQ(dialog.outputSettings().outputWidth, 640);
    EXPECT_TRUE(dialog.Control(idc::kConvert)->isEnabled());
}

} // namespace
