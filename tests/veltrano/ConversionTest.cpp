#include "ConversionFixture.h"
#include "ProgressWatchdog.h"
#include "StreamHold.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QThread>
#include <sys/stat.h>

namespace {

using namespace convtest;
using namespace veltrano;

TEST_F(ConversionTest, ConvertBeforeOpenAsksForAVideo) {
    CConverterDlg dialog;
    dialog.Control(idc::kConvert)->setEnabled(true);
    Click(dialog, idc::kConvert);
    ASSERT_EQ(prompts_.records().size(), 1u);
    EXPECT_EQ(prompts_.records()[0].text, "Open a video file");
    EXPECT_EQ(prompts_.records()[0].caption, "Error");
    EXPECT_EQ(dialog.state().converting, 0);
}

TEST_F(ConversionTest, OpenFillsTheClipMarksAndStatus) {
    const std::string clip = testmedia::Mkv640x480();
    ASSERT_FALSE(clip.empty());
    CConverterDlg dialog;
    dialog.state().startMark = 3 * kSecond;
    Open(dialog, clip);
    ASSERT_EQ(prompts_.records().size(), 1u);
    const auto& request = prompts_.records()[0].fileRequest;
    EXPECT_EQ(request.title, "Open a video file");
    ASSERT_EQ(request.filters.size(), 2u);
    EXPECT_EQ(request.filters[0].patterns, "*.mkv");
    EXPECT_EQ(request.filters[1].description, "Any Files (*.*)");

    EXPECT_EQ(dialog.outputSettings().sourceCount, 1);
    EXPECT_EQ(dialog.state().musicCount, 1);
    EXPECT_EQ(dialog.state().startMark, 0);
    EXPECT_EQ(dialog.state().endMark, 10 * kSecond);
    EXPECT_EQ(Text(dialog, idc::kStartMark), "00:00:00");
    EXPECT_EQ(Text(dialog, idc::kEndMark), "00:00:10");
    EXPECT_EQ(Text(dialog, idc::kPosition), "00:00:00 / 00:00:10");
    EXPECT_EQ(dialog.outputSettings().outputWidth, 640);
    EXPECT_EQ(dialog.outputSettings().outputHeight, 480);
    EXPECT_NEAR(dialog.outputSettings().sourceFrameRate, 25.0, 0.01);
    EXPECT_EQ(Text(dialog, idc::kStatus),
              "Output file: " + dialog.outputSettings().outputPath + "     Resolution: 640*480");
    EXPECT_TRUE(dialog.Control(idc::kPlay)->isEnabled());
    EXPECT_TRUE(dialog.Control(idc::kConvert)->isEnabled());
    const QString folder = QString::fromStdString(clip).left(
        static_cast<int>(QString::fromStdString(clip).lastIndexOf('/')) + 1);
    EXPECT_EQ(uikit::Profile::Application().GetString("Option", "LastPhotoFolder", ""), folder);

    // A cancelled dialog leaves everything as it was.
    prompts_.Clear();
    Click(dialog, idc::kOpenVideo);
    EXPECT_EQ(dialog.outputSettings().sourceCount, 1);
    EXPECT_EQ(dialog.state().endMark, 10 * kSecond);
}

TEST_F(ConversionTest, APipePickedInOpenVideoIsRefusedAndTheNextFileOpens) {
    const QString pipe = OutputPath("pipe.mkv");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const std::string clip = testmedia::Mkv640x480();
    CConverterDlg dialog;
    Open(dialog, pipe.toStdString());
    ASSERT_EQ(prompts_.records().size(), 2u); // the file request, then the refusal
    EXPECT_EQ(prompts_.records()[1].text,
              pipe + " is a folder, a pipe or a device, not a video file, and cannot be opened.");
    EXPECT_EQ(prompts_.records()[1].caption, "Error");
    EXPECT_EQ(dialog.outputSettings().sourceCount, 0);
    EXPECT_FALSE(dialog.busy());

    Open(dialog, clip);
    EXPECT_EQ(dialog.outputSettings().sourceCount, 1);
    EXPECT_EQ(dialog.state().endMark, 10 * kSecond);
}

TEST_F(ConversionTest, ConvertsTheMarkedRangeThroughTheDefaultCompressors) {
    const std::string clip = testmedia::Mkv640x480();
    CConverterDlg dialog;
    Open(dialog, clip);
    dialog.outputSettings().outputPath = OutputPath("marked out.avi");
    dialog.state().startMark = 2 * kSecond;
    dialog.state().endMark = 5 * kSecond;
    prompts_.Clear();

    ConvertAndWait(dialog);
    EXPECT_TRUE(prompts_.records().empty());
    EXPECT_EQ(Text(dialog, idc::kStatus),
              "Done. Output file: " + OutputPath("marked out.avi") + "     Resolution: 640*480");
    EXPECT_TRUE(dialog.Control(idc::kProgress)->isHidden());
    EXPECT_EQ(dialog.Control<QAbstractButton>(idc::kConvert)->text(), "Convert");
    EXPECT_TRUE(dialog.Control(idc::kOpenVideo)->isEnabled());

    const testmedia::ProbeInfo out = testmedia::Probe(OutputPath("marked out.avi").toStdString());
    ASSERT_TRUE(out.ok);
    const auto* video = out.First("video");
    const auto* audio = out.First("audio");
    ASSERT_NE(video, nullptr);
    ASSERT_NE(audio, nullptr);
    EXPECT_EQ(video->codecName, "mpeg4");
    EXPECT_EQ(audio->codecName, "mp3");
    EXPECT_EQ(video->width, 640);
    EXPECT_EQ(video->height, 480);
    // The stored choice is 23.976 frames per second.
    EXPECT_EQ(video->frameRate, "24000/1001");
    EXPECT_NEAR(out.duration, 3.0, 1.0 / 23.976 + 0.05);
    std::string errors;
    EXPECT_TRUE(testmedia::DecodesCleanly(OutputPath("marked out.avi").toStdString(), &errors))
        << errors;

    // A second conversion without a second open works too.
    dialog.outputSettings().outputPath = OutputPath("again.avi");
    ConvertAndWait(dialog);
    EXPECT_TRUE(Text(dialog, idc::kStatus).startsWith("Done."));
    EXPECT_NEAR(testmedia::Probe(OutputPath("again.avi").toStdString()).duration, 3.0, 0.1);
}

TEST_F(ConversionTest, ConvertsUncompressedAfterTheWarning) {
    const std::string clip = testmedia::Mkv640x480();
    CConverterDlg dialog;
    Open(dialog, clip);
    auto& output = dialog.outputSettings();
    output.outputPath = OutputPath("raw.avi");
    output.outputWidth = 320;
    output.outputHeight = 240;
    output.useVideoCompressor = 0;
    output.useAudioCompressor = 0;
    dialog.state().endMark = 2 * kSecond;
    prompts_.Clear();
    prompts_.QueueAnswer(uikit::PromptAnswer::Yes);
    ConvertAndWait(dialog);
    ASSERT_EQ(prompts_.records().size(), 1u);
    EXPECT_TRUE(prompts_.records()[0].text.startsWith(
        "You do not select a video compressor in Options dialog."));
    EXPECT_TRUE(prompts_.records()[0].text.endsWith("\nDo you want to continue?"));
    EXPECT_EQ(prompts_.records()[0].caption, "Warning");

    const testmedia::ProbeInfo out = testmedia::Probe(OutputPath("raw.avi").toStdString());
    ASSERT_TRUE(out.ok);
    ASSERT_NE(out.First("video"), nullptr);
    ASSERT_NE(out.First("audio"), nullptr);
    EXPECT_EQ(out.First("video")->codecName, "rawvideo");
    EXPECT_EQ(out.First("video")->width, 320);
    EXPECT_EQ(out.First("video")->height, 240);
    EXPECT_EQ(out.First("audio")->codecName.rfind("pcm_", 0), 0u);
    EXPECT_NEAR(out.duration, 2.0, 0.1);

    // No cancels the conversion.
    prompts_.Clear();
    prompts_.QueueAnswer(uikit::PromptAnswer::No);
    output.outputPath = OutputPath("never.avi");
    Click(dialog, idc::kConvert);
    EXPECT_EQ(dialog.state().converting, 0);
    EXPECT_FALSE(QFile::exists(OutputPath("never.avi")));
}

TEST_F(ConversionTest, ExistingOutputIsReplacedOnlyAfterYes) {
    const std::string clip = testmedia::Mkv640x480();
    CConverterDlg dialog;
    Open(dialog, clip);
    dialog.outputSettings().outputPath = OutputPath("exists.avi");
    dialog.state().endMark = 1 * kSecond;
    {
        QFile old(OutputPath("exists.avi"));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old contents");
    }
    prompts_.Clear();
    prompts_.QueueAnswer(uikit::PromptAnswer::No);
    Click(dialog, idc::kConvert);
    ASSERT_EQ(prompts_.records().size(), 1u);
    EXPECT_EQ(prompts_.records()[0].text,
              OutputPath("exists.avi") + " exists. Do you want to replace it?");
    EXPECT_EQ(prompts_.records()[0].caption, "Warning");
    EXPECT_EQ(dialog.state().converting, 0);
    QFile kept(OutputPath("exists.avi"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "old contents");
    kept.close();

    prompts_.QueueAnswer(uikit::PromptAnswer::Yes);
    ConvertAndWait(dialog);
    EXPECT_TRUE(testmedia::Probe(OutputPath("exists.avi").toStdString()).ok);
}

TEST_F(ConversionTest, AFolderOrDeviceAsOutputIsRefusedBeforeAnyQuestion) {
    const std::string clip = testmedia::Mkv640x480();
    CConverterDlg dialog;
    Open(dialog, clip);
    const QString folder = OutputPath("clips.avi");
    ASSERT_TRUE(QDir().mkpath(folder + "/kept"));
    const struct {
        QString path;
        QString message;
    } refused[] = {
        {folder,
         "The output file " + folder + " is a folder. Please choose a file name in Options."},
        {"/dev/null", "The output file /dev/null is not a file that can be written. Please "
                      "choose a file name in Options."},
    };
    for (const auto& output : refused) {
        prompts_.Clear();
        dialog.outputSettings().outputPath = output.path;
        Click(dialog, idc::kConvert);
        ASSERT_EQ(prompts_.records().size(), 1u);
        EXPECT_EQ(prompts_.records()[0].text, output.message);
        EXPECT_EQ(prompts_.records()[0].caption, "Error");
        EXPECT_EQ(dialog.state().converting, 0);
    }
    EXPECT_TRUE(QFileInfo(folder + "/kept").isDir());
    EXPECT_FALSE(QFileInfo::exists(folder + ".replaced"));
}

// The pad where the timeline's picture leaves it.
media::Pad VideoOutputOf(media::FilterGraph& graph) {
    for (const media::Element& element : graph.EnumFilters()) {
        if (element.PadCount(media::PadDirection::Input) != 0) {
            continue;
        }
        for (const media::Pad& pad : element.Pads(media::PadDirection::Output)) {
            if (pad.ConnectionMajorType() == media::MajorType::Video) {
                return pad;
            }
        }
    }
    return {};
}

TEST_F(ConversionTest, ProgressThenStopLeavesAPlayablePartialFile) {
    // Long enough to be running when the first progress tick comes, on one
    // processor of a fast machine.
    const std::string clip = testmedia::MakeMkv(1280, 720, 30, 30);
    ASSERT_FALSE(clip.empty());
    CConverterDlg dialog;
    Open(dialog, clip);
    dialog.outputSettings().outputPath = OutputPath("stopped.avi");
    prompts_.Clear();
    const testenv::ScopedSingleProcessor oneProcessor;
    Click(dialog, idc::kConvert);
    ASSERT_EQ(dialog.state().converting, 1);
    EXPECT_EQ(dialog.Control<QAbstractButton>(idc::kConvert)->text(), "Stop");
    EXPECT_FALSE(dialog.Control(idc::kOpenVideo)->isEnabled());
    EXPECT_FALSE(dialog.Control(idc::kOptions)->isEnabled());
    EXPECT_FALSE(dialog.Control(idc::kProgress)->isHidden());
    ASSERT_TRUE(ProcessEventsUntil(
        [&] { return Text(dialog, idc::kStatus).startsWith("Please wait"); }, 5000))
        << Text(dialog, idc::kStatus).toStdString();
    EXPECT_EQ(Text(dialog, idc::kStatus), "Please wait... Used Time: 00:00:01");
    ASSERT_EQ(dialog.state().converting, 1) << "the conversion ended before it could be stopped";
    // The bar follows the written part of the marked range.
    auto* progress = dialog.Control<QProgressBar>(idc::kProgress);
    EXPECT_TRUE(ProcessEventsUntil([&] { return progress->value() > 0; }, 30000));
    EXPECT_TRUE(progress->text().contains("left")) << progress->text().toStdString();
    ASSERT_EQ(dialog.state().converting, 1) << "the conversion ended before it could be stopped";
    // The streaming threads read the process locale: a new one waits for the end.
    const QString localeBefore = QLocale().name();
    uikit::SetProcessLocale("de-DE", "de-DE");
    EXPECT_EQ(QLocale().name(), localeBefore);

    // The picture stalls where it leaves the timeline (the sound, cheap to
    // make, is far ahead), so the whole graph soon stands still: Stop still
    // ends it within two seconds with the file finished.
    ASSERT_NE(dialog.job(), nullptr);
    const media::StreamHold stalled(VideoOutputOf(*dialog.job()->Graph()));
    ASSERT_TRUE(stalled);
    QThread::msleep(500);

    // Stop, pressed twice in a row: the second press comes while the first
    // works, on the button that is disabled meanwhile, and does nothing.
    QElapsedTimer stopping;
    stopping.start();
    Click(dialog, idc::kConvert);
    EXPECT_EQ(dialog.state().converting, 1);
    QWidget* convert = dialog.Control(idc::kConvert);
    EXPECT_FALSE(convert->isEnabled());
    testenv::ClickThroughWindow(*convert);
    EXPECT_TRUE(ProcessEventsUntil([&] { return dialog.state().converting == 0; }, 10000));
    EXPECT_LT(stopping.elapsed(), 2000);
    EXPECT_TRUE(convert->isEnabled());
    EXPECT_EQ(dialog.Control<QAbstractButton>(idc::kConvert)->text(), "Convert");
    EXPECT_EQ(QLocale().name(), "de_DE");
    std::setlocale(LC_ALL, "C");
    QLocale::setDefault(QLocale::c());
    EXPECT_TRUE(prompts_.records().empty());
    EXPECT_TRUE(Text(dialog, idc::kStatus).startsWith("Done. Output file: "));
    const testmedia::ProbeInfo out = testmedia::Probe(OutputPath("stopped.avi").toStdString());
    ASSERT_TRUE(out.ok);
    // The picture ends where it was held; the sound may have run near the end.
    const testmedia::StreamInfo* video = out.First("video");
    ASSERT_NE(video, nullptr);
    EXPECT_GT(video->duration, 0.0);
    EXPECT_LT(video->duration, 28.0);
    std::string errors;
    EXPECT_TRUE(testmedia::DecodesCleanly(OutputPath("stopped.avi").toStdString(), &errors))
        << errors;
}

// A run that stands still ends by itself: a failure naming the time reached,
// shown once the file is finished, and the graph described beside the settings.
TEST_F(ConversionTest, AConversionThatStandsStillEndsWithAMessage) {
    const std::string clip = testmedia::MakeMkv(1280, 720, 30, 10);
    ASSERT_FALSE(clip.empty());
    const std::chrono::milliseconds bound = media::NoProgressBound();
    const auto restore = qScopeGuard([bound] { media::SetNoProgressBound(bound); });
    media::SetNoProgressBound(std::chrono::milliseconds(1500));
    CConverterDlg dialog;
    Open(dialog, clip);
    const QString output = OutputPath("stalled.avi");
    dialog.outputSettings().outputPath = output;
    prompts_.Clear();
    const testenv::ScopedSingleProcessor oneProcessor;
    Click(dialog, idc::kConvert);
    ASSERT_EQ(dialog.state().converting, 1);
    auto* progress = dialog.Control<QProgressBar>(idc::kProgress);
    EXPECT_TRUE(ProcessEventsUntil([&] { return progress->value() > 0; }, 30000));
    ASSERT_EQ(dialog.state().converting, 1) << "the conversion ended before it could stall";
    const media::StreamHold stalled(VideoOutputOf(*dialog.job()->Graph()));
    ASSERT_TRUE(stalled);
    QElapsedTimer ending;
    ending.start();
    EXPECT_TRUE(ProcessEventsUntil([&] { return dialog.state().converting == 0; }, 15000));
    // The other stream runs on until the queues before the writer are full
    // (seconds on a loaded machine), then the bound, a tick and the finishing.
    EXPECT_LT(ending.elapsed(), 15000);
    ASSERT_EQ(prompts_.records().size(), 1u);
    const QString message = prompts_.records()[0].text;
    EXPECT_TRUE(message.contains(
        QRegularExpression("^The conversion stopped making progress at 00:00:0\\d\\.$")))
        << message.toStdString();
    EXPECT_EQ(Text(dialog, idc::kStatus), "Error: " + message);
    EXPECT_EQ(dialog.Control<QAbstractButton>(idc::kConvert)->text(), "Convert");
    const testmedia::ProbeInfo out = testmedia::Probe(output.toStdString());
    ASSERT_TRUE(out.ok);
    EXPECT_GT(out.duration, 0.0);
    std::string errors;
    EXPECT_TRUE(testmedia::DecodesCleanly(output.toStdString(), &errors)) << errors;
    QDirIterator dumps(folder_.path(), {"stalled-*.dot"}, QDir::Files,
                       QDirIterator::Subdirectories);
    EXPECT_TRUE(dumps.hasNext());
}

TEST_F(ConversionTest, AClipWithATransitionStillConverts) {
    uikit::Profile::Application().WriteInt("TransitionSettings", "TransitionType", 2);
    uikit::Profile::Application().WriteInt("TransitionSettings", "TransitionName", 36);
    CConverterDlg dialog;
    Open(dialog, testmedia::Mp4());
    EXPECT_EQ(dialog.state().clipTransition, 36);
    dialog.outputSettings().outputPath = OutputPath("transition.avi");
    prompts_.Clear();
    ConvertAndWait(dialog);
    EXPECT_TRUE(prompts_.records().empty());
    EXPECT_NEAR(testmedia::Probe(OutputPath("transition.avi").toStdString()).duration, 3.0, 0.1);
}

TEST_F(ConversionTest, ConfiguredEncoderSettingsReachTheFile) {
    CConverterDlg dialog;
    Open(dialog, testmedia::Mkv640x480());
    dialog.outputSettings().outputPath = OutputPath("configured.avi");

    // Configure the bound video encoder the way the options dialog's Settings button does.
    QComboBox videoList;
    settings::FillCompressorList(settings::CompressorCategory::Video, videoList);
    const int mpeg4 = videoList.findText("MPEG-4 part 2", Qt::MatchContains);
    ASSERT_GT(mpeg4, 0);
    videoList.setCurrentIndex(mpeg4);
    QComboBox codecList;
    bool configured = false;
    QTimer::singleShot(0, [&configured] {
        auto* settingsDialog =
            qobject_cast<settings::CEncoderSettingsDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(settingsDialog, nullptr);
        auto* bitrate = qobject_cast<QSpinBox*>(settingsDialog->Editor("bitrate"));
        auto* keyframes = qobject_cast<QSpinBox*>(settingsDialog->Editor("gop-size"));
        ASSERT_NE(bitrate, nullptr);
        ASSERT_NE(keyframes, nullptr);
        bitrate->setValue(500000);
        keyframes->setValue(5);
        configured = true;
        settingsDialog->accept();
    });
    settings::ConfigureSelectedCodec(&dialog, videoList, codecList, "divx");
    ASSERT_TRUE(configured);

    prompts_.Clear();
    ConvertAndWait(dialog);
    EXPECT_TRUE(prompts_.records().empty());
    // The bound encoder took the settings, and the file shows them: a key frame every 5.
    const media::Element encoder =
        settings::CompressorForConversion(settings::CompressorCategory::Video);
    EXPECT_EQ(encoder.GetProperty("bitrate"), "500000");
    QByteArray keys;
    ASSERT_EQ(testmedia::Run("ffprobe",
                             {"-v", "error", "-select_streams", "v:0", "-skip_frame", "nokey",
                              "-show_entries", "frame=pts", "-of", "csv=p=0",
                              OutputPath("configured.avi")},
                             &keys),
              0);
    const auto keyFrames = keys.trimmed().split('\n').size();
    // 10 s at 23.976 frames per second is 240 frames.
    EXPECT_NEAR(static_cast<double>(keyFrames), 48.0, 2.0);

    // Settings put back to the defaults reach the next conversion: each one
    // takes a fresh encoder.
    settings::SetCodecState(std::nullopt);
    const media::Element next =
        settings::CompressorForConversion(settings::CompressorCategory::Video);
    EXPECT_FALSE(next == encoder);
    EXPECT_EQ(next.GetProperty("bitrate"),
              media::Element::Create(next.FactoryName()).GetProperty("bitrate"));
    EXPECT_NE(next.GetProperty("bitrate"), "500000");
}

TEST_F(ConversionTest, AnAnimatedGifOpensAndConverts) {
    CConverterDlg dialog;
    Open(dialog, testmedia::AnimatedGif());
    ASSERT_EQ(dialog.outputSettings().sourceCount, 1);
    EXPECT_EQ(dialog.state().endMark, 2 * kSecond);
    // A GIF has no sound: the audio list still names it, as for every clip, and the
    // file gets a silent audio stream.
    dialog.outputSettings().outputPath = OutputPath("gif.avi");
    prompts_.Clear();
    ConvertAndWait(dialog, 60000);
    for (const auto& record : prompts_.Messages()) {
        ADD_FAILURE() << record.caption.toStdString() << ": " << record.text.toStdString();
    }
    const testmedia::ProbeInfo out = testmedia::Probe(OutputPath("gif.avi").toStdString());
    ASSERT_TRUE(out.ok) << Text(dialog, idc::kStatus).toStdString();
    ASSERT_NE(out.First("video"), nullptr);
    EXPECT_EQ(out.First("video")->width, 160);
    EXPECT_NE(out.First("audio"), nullptr);
    EXPECT_NEAR(out.duration, 2.0, 0.1);
    std::string errors;
    EXPECT_TRUE(testmedia::DecodesCleanly(OutputPath("gif.avi").toStdString(), &errors)) << errors;
}

TEST_F(ConversionTest, HighSourceFrameRateIsQuestioned) {
    const std::string fast = FixedRateAvi(1000);
    const std::string hundred = FixedRateAvi(100);
    ASSERT_FALSE(fast.empty());
    ASSERT_FALSE(hundred.empty());
    uikit::Profile::Application().WriteInt("Settings", "OutputFrameRateIndex", 0);
    uikit::Profile::Application().WriteInt("DexVideoCompress", "CompressorNumber", -1);
    uikit::Profile::Application().WriteInt("DexAudioCompress", "CompressorNumber", -1);

    const std::pair<uikit::PromptAnswer, const char*> answers[] = {
        {uikit::PromptAnswer::Yes, "24000/1001"}, {uikit::PromptAnswer::No, "1000/1"}};
    for (const auto& [answer, rate] : answers) {
        CConverterDlg dialog;
        Open(dialog, fast);
        dialog.outputSettings().outputPath = OutputPath("fast.avi");
        QFile::remove(OutputPath("fast.avi"));
        prompts_.Clear();
        prompts_.QueueAnswer(answer);
        prompts_.QueueAnswer(uikit::PromptAnswer::Yes); // the uncompressed warning
        ConvertAndWait(dialog);
        ASSERT_EQ(prompts_.records().size(), 2u);
        EXPECT_EQ(prompts_.records()[0].text,
                  "The output frame rate is 1000.000000.The value may not be proper.\nClick Yes "
                  "to set the output frame rate 23.976. Click No to keep it.");
        const testmedia::ProbeInfo out = testmedia::Probe(OutputPath("fast.avi").toStdString());
        ASSERT_TRUE(out.ok);
        ASSERT_NE(out.First("video"), nullptr);
        EXPECT_NEAR(testmedia::FramesPerSecond(out.First("video")->frameRate),
                    testmedia::FramesPerSecond(rate), 0.01)
            << rate;
    }

    CConverterDlg dialog;
    Open(dialog, hundred);
    dialog.outputSettings().outputPath = OutputPath("hundred.avi");
    prompts_.Clear();
    ConvertAndWait(dialog);
    ASSERT_EQ(prompts_.records().size(), 1u); // only the uncompressed warning
    EXPECT_TRUE(prompts_.records()[0].text.startsWith("You do not select"));
}

TEST_F(ConversionTest, AClipShorterThanASecondConverts) {
    const std::string clip = testmedia::Ensure(
        "mpeg4-160x120-25fps-0.5s.avi", {"-f", "lavfi", "-i", "testsrc2=size=160x120:rate=25", "-t",
                                         "0.5", "-c:v", "mpeg4", "-q:v", "5"});
    ASSERT_FALSE(clip.empty());
    CConverterDlg dialog;
    Open(dialog, clip);
    EXPECT_NEAR(static_cast<double>(dialog.state().endMark) / kSecond, 0.5, 0.05);
    EXPECT_EQ(Text(dialog, idc::kEndMark), "00:00:00");
    dialog.outputSettings().outputPath = OutputPath("short.avi");
    prompts_.Clear();
    ConvertAndWait(dialog);
    EXPECT_TRUE(Text(dialog, idc::kStatus).startsWith("Done."))
        << Text(dialog, idc::kStatus).toStdString();
    const testmedia::ProbeInfo out = testmedia::Probe(OutputPath("short.avi").toStdString());
    ASSERT_TRUE(out.ok);
    EXPECT_NEAR(out.duration, 0.5, 0.1);
}

} // namespace
