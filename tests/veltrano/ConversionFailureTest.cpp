// Conversions that cannot start or that fail: what the person is told, and
// that nothing of theirs is lost.
#include "ConversionFixture.h"

namespace {

using namespace convtest;
using namespace veltrano;

TEST_F(ConversionTest, FileThatCannotBeOpenedIsReportedTwice) {
    QFile text(OutputPath("notes.mkv"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("this is not a video\n");
    text.close();
    CConverterDlg dialog;
    Open(dialog, text.fileName().toStdString());
    const auto messages = prompts_.Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].caption, "Error IDS_MESSAGE_NOT_OPEN_FILE");
    EXPECT_EQ(messages[0].owner, nullptr);
    EXPECT_EQ(messages[1].text, "Can not get the duration of the clip!Cannot open the file. You "
                                "need to install appropriate decoders. Or the file is corrupt.");
    EXPECT_EQ(messages[1].caption, "Error IDS_MESSAGE_NO_DURATION");
    EXPECT_EQ(dialog.outputSettings().sourceCount, 0);
    EXPECT_FALSE(dialog.Control(idc::kConvert)->isEnabled());
}

TEST_F(ConversionTest, TheSourceIsNeverTheOutput) {
    const std::string clip = testmedia::Mp4();
    const QString copy = OutputPath("source.avi");
    ASSERT_TRUE(QFile::copy(QString::fromStdString(clip), copy));
    CConverterDlg dialog;
    Open(dialog, copy.toStdString());
    dialog.outputSettings().outputPath = copy;
    prompts_.Clear();
    Click(dialog, idc::kConvert);
    ASSERT_EQ(prompts_.records().size(), 1u);
    EXPECT_TRUE(prompts_.records()[0].text.contains("video being converted"));
    EXPECT_EQ(dialog.state().converting, 0);
    EXPECT_EQ(QFileInfo(copy).size(), QFileInfo(QString::fromStdString(clip)).size());
}

TEST_F(ConversionTest, MissingOutputFolderIsMadeOrReported) {
    const std::string clip = testmedia::Mp4();
    // A folder below a plain file cannot exist, even for root.
    QFile blocker(OutputPath("plain-file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    CConverterDlg dialog;
    Open(dialog, clip);
    dialog.outputSettings().outputPath = OutputPath("plain-file") + "/out.avi";
    prompts_.Clear();
    ConvertAndWait(dialog, 30000);
    EXPECT_EQ(dialog.state().converting, 0);
    // The missing folder is made where it can be; here it cannot, and nothing runs.
    const auto messages = prompts_.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "veltrano");
    EXPECT_EQ(messages[0].text,
              "Could not create the folder " + OutputPath("plain-file") + " for the output file.");
    EXPECT_FALSE(Text(dialog, idc::kStatus).startsWith("Done"));
    EXPECT_TRUE(dialog.Control(idc::kOpenVideo)->isEnabled());

    prompts_.Clear();
    dialog.outputSettings().outputPath = OutputPath("new/folders/out.avi");
    ConvertAndWait(dialog);
    EXPECT_TRUE(prompts_.records().empty());
    EXPECT_TRUE(testmedia::Probe(OutputPath("new/folders/out.avi").toStdString()).ok);
}

TEST_F(ConversionTest, EndMarkBeforeStartMarkIsRefusedByTheSource) {
    CConverterDlg dialog;
    Open(dialog, testmedia::Mp4());
    dialog.outputSettings().outputPath = OutputPath("backwards.avi");
    dialog.state().startMark = 2 * kSecond;
    dialog.state().endMark = 1 * kSecond;
    prompts_.Clear();
    Click(dialog, idc::kConvert);
    EXPECT_TRUE(ProcessEventsUntil([&] { return dialog.state().converting == 0; }, 10000));
    // The first failing step ends the job: its message is the only one, and nothing runs.
    const auto messages = prompts_.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Could not configure media source");
    EXPECT_EQ(messages[0].caption, "veltrano");
    EXPECT_TRUE(dialog.Control(idc::kOpenVideo)->isEnabled());
}

TEST_F(ConversionTest, ChosenCompressorWithAnEmptySlotShowsTheErrorAndRunsNothing) {
    CConverterDlg dialog;
    Open(dialog, testmedia::Mp4());
    dialog.outputSettings().outputPath = OutputPath("empty-slot.avi");
    settings::ReleaseCompressor(settings::CompressorCategory::Video);
    dialog.outputSettings().useVideoCompressor = 1;
    prompts_.Clear();
    Click(dialog, idc::kConvert);
    EXPECT_EQ(dialog.state().converting, 0);
    ASSERT_EQ(prompts_.Messages().size(), 1u);
    EXPECT_FALSE(prompts_.Messages()[0].text.isEmpty());
    EXPECT_EQ(prompts_.Messages()[0].caption, "veltrano");
}

TEST_F(ConversionTest, AFailedStartKeepsTheOldOutputAndRunsNothing) {
    CConverterDlg dialog;
    Open(dialog, testmedia::Mp4());
    auto& output = dialog.outputSettings();
    output.outputPath = OutputPath("precious.avi");
    const auto oldBytesKept = [&] {
        QFile old(OutputPath("precious.avi"));
        return old.open(QIODevice::ReadOnly) && old.readAll() == "old contents";
    };
    {
        QFile old(output.outputPath);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old contents");
    }

    // Yes to replacing, then No to the uncompressed warning.
    output.useVideoCompressor = 0;
    prompts_.Clear();
    prompts_.QueueAnswer(uikit::PromptAnswer::Yes);
    prompts_.QueueAnswer(uikit::PromptAnswer::No);
    Click(dialog, idc::kConvert);
    EXPECT_EQ(prompts_.records().size(), 2u);
    EXPECT_TRUE(oldBytesKept());

    // A frame size the timeline cannot take, and a kept source rate above its
    // limit: the video group fails, so the audio group must not become the video.
    output.useVideoCompressor = 1;
    const struct {
        int width;
        double sourceRate;
        const char* message;
    } failures[] = {{20000, 25.0, "Could not pVideoGroup->SetMediaType(&mtGroup)"},
                    {320, 2000.0, "Could not SetOutputFPS"}};
    for (const auto& failure : failures) {
        output.outputWidth = failure.width;
        output.frameRateIndex = settings::kFrameRateSourceIndex;
        output.sourceFrameRate = failure.sourceRate;
        output.outputFrameRate = failure.sourceRate;
        prompts_.Clear();
        prompts_.defaultAnswer = uikit::PromptAnswer::Yes;
        if (failure.sourceRate > 1000) {
            prompts_.QueueAnswer(uikit::PromptAnswer::Yes); // replace
            prompts_.QueueAnswer(uikit::PromptAnswer::No);  // keep the rate
        }
        ConvertAndWait(dialog);
        const auto messages = prompts_.Messages();
        ASSERT_FALSE(messages.empty());
        EXPECT_EQ(messages.back().text, failure.message);
        EXPECT_EQ(dialog.job(), nullptr);
        EXPECT_FALSE(Text(dialog, idc::kStatus).startsWith("Done"));
        EXPECT_TRUE(oldBytesKept()) << failure.message;
    }
}

TEST_F(ConversionTest, ASourceGoneSinceOpenIsNamed) {
    const QString copy = OutputPath("moved away.mp4");
    ASSERT_TRUE(QFile::copy(QString::fromStdString(testmedia::Mp4()), copy));
    CConverterDlg dialog;
    Open(dialog, copy.toStdString());
    ASSERT_EQ(dialog.outputSettings().sourceCount, 1);
    ASSERT_TRUE(QFile::remove(copy));
    dialog.outputSettings().outputPath = OutputPath("from-gone.avi");
    prompts_.Clear();
    ConvertAndWait(dialog);
    const auto messages = prompts_.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text,
              "The video file " + copy + " can not be found. It may have been moved or deleted.");
    EXPECT_FALSE(QFile::exists(OutputPath("from-gone.avi")));
}

} // namespace
