// The preview player as the main window drives it: opened with a file, played,
// paused, stopped, sought with the slider, marks taken from it, and closed.

#include "ConversionFixture.h"
#include "MediaWorker.h"
#include "MenuBuilder.h"
#include "PreviewPlayer.h"
#include "PreviewWindow.h"

#include <QMenu>
#include <QPointer>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QThread>
#include <QTime>

namespace {

using namespace convtest;
using namespace veltrano;

// Share of pixels that are not (nearly) black.
double LitShare(const QImage& image) {
    if (image.isNull()) {
        return 0.0;
    }
    const QImage small = image.scaled(64, 48).convertToFormat(QImage::Format_RGB32);
    int lit = 0;
    for (int y = 0; y < small.height(); ++y) {
        for (int x = 0; x < small.width(); ++x) {
            lit += qGray(small.pixel(x, y)) > 24 ? 1 : 0;
        }
    }
    return static_cast<double>(lit) / (small.width() * small.height());
}

// Mean difference of two pictures' grey levels, 0 to 255.
double Difference(const QImage& a, const QImage& b) {
    const QImage x = a.scaled(64, 48).convertToFormat(QImage::Format_RGB32);
    const QImage y = b.scaled(64, 48).convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int row = 0; row < 48; ++row) {
        for (int col = 0; col < 64; ++col) {
            sum += std::abs(qGray(x.pixel(col, row)) - qGray(y.pixel(col, row)));
        }
    }
    return sum / (64 * 48);
}

class PlayerTest : public ConversionTest {
protected:
    // Opens through Open Video and waits until the player shows its first frame.
    PreviewPlayer& OpenAndShow(CConverterDlg& dialog, const std::string& clip) {
        Open(dialog, clip);
        EXPECT_TRUE(ProcessEventsUntil(
            [&] {
                // Shown once opened; the first frame may come before or after.
                return dialog.player() != nullptr && dialog.player()->window() != nullptr &&
                       dialog.player()->window()->isVisible() &&
                       !dialog.player()->window()->CurrentFrame().isNull();
            },
            30000));
        return *dialog.player();
    }
    // Drags the slider's thumb to `fraction` of its length through the window.
    void DragSlider(CConverterDlg& dialog, double fraction) {
        auto* slider = dialog.Control<QSlider>(idc::kSlider);
        QStyleOptionSlider option;
        option.initFrom(slider);
        option.orientation = slider->orientation();
        option.minimum = slider->minimum();
        option.maximum = slider->maximum();
        option.sliderPosition = slider->sliderPosition();
        option.sliderValue = slider->value();
        const QRect handle = slider->style()->subControlRect(QStyle::CC_Slider, &option,
                                                             QStyle::SC_SliderHandle, slider);
        QWindow* window = dialog.windowHandle();
        const QPoint from = slider->mapTo(&dialog, handle.center());
        const QPoint to(slider->mapTo(
            &dialog, QPoint(static_cast<int>(slider->width() * fraction), handle.center().y())));
        QTest::mousePress(window, Qt::LeftButton, {}, from);
        QTest::mouseMove(window, (from + to) / 2);
        QTest::mouseMove(window, to);
        QTest::mouseRelease(window, Qt::LeftButton, {}, to);
    }
    // Waits until 1057 shows a playback position of at least `seconds`, of the
    // 10 s clip.
    bool PositionReaches(CConverterDlg& dialog, int seconds) {
        const auto reached = [&] {
            const QString text = Text(dialog, idc::kPosition);
            const QTime shown = QTime::fromString(text.left(8), "hh:mm:ss");
            return text.endsWith(" / 00:00:10") && shown.isValid() &&
                   QTime(0, 0).secsTo(shown) >= seconds;
        };
        const bool shown = ProcessEventsUntil(reached, 8000);
        EXPECT_TRUE(shown) << Text(dialog, idc::kPosition).toStdString();
        return shown;
    }
    // Waits for the next position message to show `text` at the start of 1057.
    // Whether `window` comes to show a picture like `expected`: a seek back to
    // the start ends after the position already reads zero.
    static bool ComesToShow(QWidget& window, const QImage& expected) {
        return ProcessEventsUntil(
            [&] { return Difference(window.grab().toImage(), expected) < 4.0; }, 5000);
    }
    bool PositionShows(CConverterDlg& dialog, const QString& text, int timeoutMs = 8000) {
        const bool shown = ProcessEventsUntil(
            [&] { return Text(dialog, idc::kPosition).startsWith(text); }, timeoutMs);
        EXPECT_TRUE(shown) << Text(dialog, idc::kPosition).toStdString();
        return shown;
    }
};

TEST_F(PlayerTest, PlaysPausesStopsSeeksAndMarksTheConvertedRange) {
    const std::string clip = testmedia::Mkv640x480();
    ASSERT_FALSE(clip.empty());
    CConverterDlg dialog;
    dialog.show();
    PreviewPlayer& player = OpenAndShow(dialog, clip);
    PreviewWindow& window = *player.window();
    const QString name = QString::fromStdString(clip).section('/', -1);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.size(), QSize(640, 480));
    EXPECT_EQ(window.windowTitle(), name + "  ");
    EXPECT_EQ(player.state(), PreviewPlayer::State::Stopped);
    const QImage first = window.grab().toImage();
    EXPECT_GT(LitShare(first), 0.5) << "the first frame is shown, not black";
    // It is the clip's own first frame, as an independent decoder sees it.
    const QString reference = OutputPath("first.png");
    ASSERT_EQ(testmedia::Run("ffmpeg", {"-v", "error", "-y", "-i", QString::fromStdString(clip),
                                        "-frames:v", "1", reference}),
              0);
    EXPECT_LT(Difference(first, QImage(reference)), 4.0);

    Click(dialog, idc::kPlay);
    EXPECT_EQ(player.state(), PreviewPlayer::State::Running);
    // The display follows the playback; on a busy machine a tick may come
    // late and skip a second, so each step only has to be reached.
    ASSERT_TRUE(PositionReaches(dialog, 1));
    ASSERT_TRUE(PositionReaches(dialog, 2));
    EXPECT_GT(player.framesDelivered(), 10) << "pictures keep coming while it plays";

    Click(dialog, idc::kPause);
    EXPECT_EQ(window.windowTitle(), name + "  (Paused)");
    QTest::qWait(1300);
    const QString held = Text(dialog, idc::kPosition);
    QTest::qWait(1300);
    EXPECT_EQ(Text(dialog, idc::kPosition), held);
    Click(dialog, idc::kStartTime);
    EXPECT_EQ(Text(dialog, idc::kStartMark), held.left(8));
    EXPECT_GE(dialog.state().startMark, 2 * kSecond);

    Click(dialog, idc::kStop);
    EXPECT_EQ(player.state(), PreviewPlayer::State::Stopped);
    EXPECT_EQ(window.windowTitle(), name + "  ");
    ASSERT_TRUE(PositionShows(dialog, "00:00:00 / 00:00:10"));
    EXPECT_TRUE(ComesToShow(window, first)) << "back on the first frame";

    // Dragging the slider to the middle shows the picture there.
    DragSlider(dialog, 0.6);
    EXPECT_GT(dialog.state().sliderPos, 300);
    ASSERT_TRUE(PositionShows(dialog, "00:00:06 / 00:00:10"));
    EXPECT_GT(Difference(window.grab().toImage(), first), 4.0) << "the frame changed";
    Click(dialog, idc::kEndTime);
    EXPECT_EQ(Text(dialog, idc::kEndMark), "00:00:06");

    // The conversion covers exactly the marked range.
    const std::int64_t marked = dialog.state().endMark - dialog.state().startMark;
    ASSERT_GT(marked, kSecond);
    dialog.outputSettings().outputPath = OutputPath("marked.avi");
    ConvertAndWait(dialog);
    const testmedia::ProbeInfo output = testmedia::Probe(OutputPath("marked.avi").toStdString());
    EXPECT_NEAR(output.duration, static_cast<double>(marked) / kSecond, 0.25);
}

TEST_F(PlayerTest, EndOfStreamReturnsToTheStartAndClosingResetsTheMarks) {
    const std::string clip = testmedia::Mp4(); // 3 s
    ASSERT_FALSE(clip.empty());
    CConverterDlg dialog;
    dialog.show();
    PreviewPlayer& player = OpenAndShow(dialog, clip);
    const QImage first = player.window()->grab().toImage();
    Click(dialog, idc::kPlay);
    ASSERT_TRUE(
        ProcessEventsUntil([&] { return player.state() == PreviewPlayer::State::Stopped; }, 15000));
    ASSERT_TRUE(PositionShows(dialog, "00:00:00 / 00:00:03"));
    EXPECT_TRUE(ComesToShow(*player.window(), first)) << "back on the first frame";

    // Opening again while it plays replaces the player.
    Click(dialog, idc::kPlay);
    const PreviewPlayer* before = dialog.player();
    OpenAndShow(dialog, clip);
    EXPECT_NE(dialog.player(), before);

    // The user closes the preview window while a conversion runs: the marks and
    // the playback set are reset, but the conversion can still be stopped.
    dialog.outputSettings().outputPath = OutputPath("closed.avi");
    Click(dialog, idc::kConvert);
    ASSERT_EQ(dialog.state().converting, 1);
    dialog.player()->window()->windowHandle()->close();
    ASSERT_TRUE(ProcessEventsUntil([&] { return dialog.player() == nullptr; }, 5000));
    EXPECT_EQ(dialog.state().startMark, 0);
    EXPECT_EQ(dialog.state().endMark, 0);
    EXPECT_EQ(Text(dialog, idc::kStartMark), "00:00:00");
    EXPECT_EQ(Text(dialog, idc::kEndMark), "00:00:00");
    EXPECT_EQ(Text(dialog, idc::kPosition), "");
    EXPECT_FALSE(dialog.Control(idc::kPlay)->isEnabled());
    EXPECT_FALSE(dialog.Control(idc::kSlider)->isEnabled());
    if (dialog.state().converting == 1) {
        EXPECT_TRUE(dialog.Control(idc::kConvert)->isEnabled());
        Click(dialog, idc::kConvert);
        EXPECT_TRUE(ProcessEventsUntil([&] { return dialog.state().converting == 0; }, 10000));
    }
    EXPECT_EQ(dialog.outputSettings().sourceCount, 0);
}

TEST_F(PlayerTest, AudioOnlyFileKeepsTheWindowHiddenAndStillPlays) {
    const std::string audio = testmedia::AudioOnlyM4a();
    ASSERT_FALSE(audio.empty());
    QWidget mainWindow;
    PreviewPlayer player(&mainWindow);
    bool opened = false;
    QObject::connect(&player, &PreviewPlayer::opened, [&](bool ok) { opened = ok; });
    player.OpenFile(QString::fromStdString(audio));
    ASSERT_TRUE(ProcessEventsUntil([&] { return opened; }, 30000));
    EXPECT_TRUE(player.audioOnly());
    EXPECT_FALSE(player.window()->isVisible());
    player.window()->ToggleFullScreen();
    EXPECT_FALSE(player.window()->IsFullScreen());
    player.Play();
    EXPECT_EQ(player.state(), PreviewPlayer::State::Running);
    ASSERT_TRUE(ProcessEventsUntil([&] { return player.currentPosition() >= kSecond / 2; }, 5000));
    player.Pause();
    EXPECT_EQ(player.state(), PreviewPlayer::State::Paused);
    player.Stop();
    EXPECT_EQ(player.state(), PreviewPlayer::State::Stopped);
    EXPECT_TRUE(prompts_.records().empty());
}

TEST_F(PlayerTest, FileThePlayerCannotOpenIsReported) {
    QTemporaryDir folder;
    const QString path = folder.filePath("noise.mkv");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    QWidget mainWindow;
    PreviewPlayer player(&mainWindow);
    std::optional<bool> opened;
    QObject::connect(&player, &PreviewPlayer::opened, [&](bool ok) { opened = ok; });
    player.OpenFile(path);
    ASSERT_TRUE(ProcessEventsUntil([&] { return opened.has_value(); }, 30000));
    EXPECT_FALSE(*opened);
    EXPECT_EQ(player.state(), PreviewPlayer::State::Closed);
    ASSERT_EQ(prompts_.records().size(), 1u);
    EXPECT_EQ(prompts_.records()[0].caption, "VELTRANO");
    EXPECT_TRUE(prompts_.records()[0].text.startsWith("Cannot play the file.  The file"));
}

// Another file arrives while the old preview's menu is open: the old player
// and window retire under the menu, and what is picked in it then does nothing.
TEST_F(PlayerTest, AnotherFileArrivingWhileThePreviewMenuIsOpenRetiresTheOldPreview) {
    const std::string first = testmedia::Mp4();
    const std::string second = testmedia::AviMpeg4Mp3();
    ASSERT_FALSE(first.empty() || second.empty());
    CConverterDlg dialog;
    const QPointer<PreviewWindow> oldWindow(OpenAndShow(dialog, first).window());
    ASSERT_TRUE(oldWindow);
    // The second file's probe waits behind this, so it ends while the menu is open.
    media::RunOnMediaWorker([] { QThread::msleep(700); });
    prompts_.QueueFile(QString::fromStdString(second));
    testenv::ClickThroughWindow(*dialog.Control(idc::kOpenVideo));
    ASSERT_TRUE(dialog.busy());

    ASSERT_TRUE(testenv::WithPopupMenu(*oldWindow, [&](QMenu& menu) {
        EXPECT_TRUE(ProcessEventsUntil([&] { return oldWindow.isNull(); }, 30000));
        for (QAction* item : menu.actions()) {
            if (uikit::CommandId(*item) == kPreviewCommandFullScreen) {
                QTest::mouseClick(menu.windowHandle(), Qt::LeftButton, {},
                                  menu.actionGeometry(item).center());
            }
        }
    }));
    EXPECT_TRUE(oldWindow.isNull());
    // The second file plays in a window of its own, as it would have anyway.
    ASSERT_TRUE(ProcessEventsUntil(
        [&] {
            return dialog.player() != nullptr && dialog.player()->window() != nullptr &&
                   dialog.player()->window()->isVisible();
        },
        30000));
    EXPECT_FALSE(dialog.player()->window()->IsFullScreen());
    EXPECT_EQ(dialog.state().clipFile, QString::fromStdString(second));
}

} // namespace
