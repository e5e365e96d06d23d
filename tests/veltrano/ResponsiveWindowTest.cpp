#include "ConverterDlg.h"
#include "LanguagePack.h"
#include "MediaInit.h"
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
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace veltrano;
using Kind = uikit::RecordingPrompts::Kind;

// Opening a file whose data arrives late: the probe waits for it to preroll,
// and the window goes on handling events meanwhile.
TEST(ResponsiveWindowTest, OpeningAFileThatIsSlowToPrerollKeepsTheWindowResponsive) {
    ASSERT_GE(media::Initialize(), 0);
    uikit::Language().SetBuiltInStrings(res::VeltranoStrings());
    testenv::ScopedSettingsFolder folder;
    uikit::RecordingPrompts prompts;
    uikit::ScopedPrompts scoped(prompts);
    QFile clip(QString::fromStdString(testmedia::Mkv640x480()));
    ASSERT_TRUE(clip.open(QIODevice::ReadOnly));
    const QByteArray bytes = clip.readAll();

    // A pipe gives the file's bytes only once the writer sends them. Every
    // reader (the probe, then the preview player) gets a whole pass of its own;
    // only the first one waits.
    QTemporaryDir dir;
    const QByteArray pipePath = dir.filePath("slow.mkv").toLocal8Bit();
    ASSERT_EQ(::mkfifo(pipePath.constData(), 0600), 0);
    constexpr auto kDelay = std::chrono::milliseconds(1500);
    // A reader that leaves early must not end the test program.
    const auto previousPipeHandler = std::signal(SIGPIPE, SIG_IGN);
    std::atomic<bool> stopWriting{false};
    std::thread writer([&] {
        for (int pass = 0; !stopWriting;) {
            const int fd = ::open(pipePath.constData(), O_WRONLY | O_NONBLOCK);
            if (fd < 0) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
                continue;
            }
            if (pass++ == 0) {
                std::this_thread::sleep_for(kDelay);
            }
            // Without blocking, so a reader that stops reading cannot hold up the end.
            for (qsizetype sent = 0; sent < bytes.size() && !stopWriting;) {
                const ssize_t written = ::write(fd, bytes.constData() + sent,
                                                static_cast<std::size_t>(bytes.size() - sent));
                if (written > 0) {
                    sent += written;
                } else if (written < 0 && errno == EAGAIN) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(2));
                } else {
                    break;
                }
            }
            ::close(fd);
        }
    });

    CConverterDlg dialog;
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(20);
    prompts.QueueFile(QString::fromLocal8Bit(pipePath));
    QElapsedTimer clock;
    clock.start();
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
    // The preview player then reads the pipe in the background and shows the clip.
    EXPECT_TRUE(testenv::ProcessEventsUntil(
        [&] { return dialog.player() != nullptr && dialog.player()->window()->isVisible(); },
        30000));
    stopWriting = true;
    writer.join();
    std::signal(SIGPIPE, previousPipeHandler);
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
