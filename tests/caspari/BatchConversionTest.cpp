// caspari's window with several videos: dropped or picked together, converted
// one after another into the output folder, stopped part way, and the files
// that fail or keep their output reported in one summary at the end.

#include "CaspariStrings.h"
#include "CompressorSlots.h"
#include "LanguagePack.h"
#include "MediaInit.h"
#include "OutputExtension.h"
#include "Profile.h"
#include "RecordingPrompts.h"
#include "SubtitleConverterDlg.h"
#include "SubtitleMedia.h"
#include "TestEnvironment.h"
#include "TestMedia.h"
#include "UserInput.h"
#include "WindowIds.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace {

using caspari::CSubtitleConverterDlg;
using testenv::ProcessEventsUntil;
using Kind = uikit::RecordingPrompts::Kind;
namespace idc = caspari::idc;

constexpr int kWaitMs = 60000;
constexpr int kBatchTimeoutMs = 480000;

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class BatchConversionTest : public ::testing::Test {
protected:
    BatchConversionTest() : scoped_(prompts_) {
        uikit::Language().SetBuiltInStrings(res::CaspariStrings());
        EXPECT_GE(media::Initialize(), 0);
        EXPECT_TRUE(QDir().mkpath(in_.filePath("more")));
    }
    ~BatchConversionTest() override {
        settings::ReleaseCompressor(settings::CompressorCategory::Video);
        settings::ReleaseCompressor(settings::CompressorCategory::Audio);
    }

    // The window as started with AVI and an output file in the output folder stored.
    std::unique_ptr<CSubtitleConverterDlg> StartWindow() {
        uikit::Profile profile = uikit::Profile::Application();
        profile.WriteInt("Settings", "nOuptputFormat", settings::kFormatAvi);
        profile.WriteString("Settings", "OutputName", StoredOutput());
        return std::make_unique<CSubtitleConverterDlg>();
    }
    QString StoredOutput() const { return out_.filePath("stored name.avi"); }
    // A copy of `source` in the input folder under `name`.
    QString Input(const std::string& source, const QString& name) {
        const QString path = in_.filePath(name);
        EXPECT_TRUE(QFile::copy(QString::fromStdString(source), path)) << name.toStdString();
        return path;
    }
    static QString Text(CSubtitleConverterDlg& window, int id) {
        return window.Control<QLabel>(id)->text();
    }
    // Presses Convert and waits for the batch's end; `whileRunning` is called
    // once it started. The number converted, or none when the batch never ended.
    std::optional<int> ConvertBatch(CSubtitleConverterDlg& window,
                                    const std::function<void()>& whileRunning = {}) {
        QSignalSpy finished(&window, &CSubtitleConverterDlg::batchFinished);
        testenv::ClickThroughWindow(*window.Control(idc::kConvert));
        if (whileRunning && window.converting()) {
            whileRunning();
        }
        EXPECT_TRUE(ProcessEventsUntil([&] { return !finished.isEmpty() && !window.busy(); },
                                       kBatchTimeoutMs));
        if (finished.isEmpty()) {
            return std::nullopt;
        }
        return finished.first().first().toInt();
    }
    static void ExpectIdle(CSubtitleConverterDlg& window) {
        EXPECT_FALSE(window.converting());
        EXPECT_EQ(window.Control<QAbstractButton>(idc::kConvert)->text(), "Convert");
        EXPECT_TRUE(window.Control(idc::kOpenVideo)->isEnabled());
        EXPECT_TRUE(window.Control(idc::kOptions)->isEnabled());
        EXPECT_TRUE(window.Control(idc::kProgress)->isHidden());
    }
    // A whole AVI of `source`'s length that decodes without an error.
    static void ExpectWhole(const QString& source, const QString& output) {
        const testmedia::ProbeInfo probe = testmedia::Probe(output.toStdString());
        ASSERT_TRUE(probe.ok) << output.toStdString();
        ASSERT_NE(probe.First("video"), nullptr);
        EXPECT_EQ(probe.First("video")->codecName, "mpeg4");
        EXPECT_NEAR(probe.duration, testmedia::Probe(source.toStdString()).duration, 0.25);
        std::string errors;
        EXPECT_TRUE(testmedia::DecodesCleanly(output.toStdString(), &errors)) << errors;
    }

    testenv::ScopedSettingsFolder folder_;
    uikit::RecordingPrompts prompts_;
    uikit::ScopedPrompts scoped_;
    QTemporaryDir dir_;
    QDir in_{dir_.filePath("in")};
    QDir out_{dir_.filePath("out")};
};

TEST_F(BatchConversionTest, DroppedFilesConvertInTurnAndStopEndsTheFileUnderWay) {
    const QString first = Input(testmedia::MkvWithAss(), "Folge 01.mkv");
    // Long enough to be stopped part way on one processor.
    const QString second = Input(testmedia::HdMkvWithAss(30), "Folge 02.mkv");
    const QString third = Input(testmedia::MkvWithAss(), "more/Folge 01.mkv");
    auto window = StartWindow();
    ASSERT_TRUE(
        testenv::DropFilesThroughWindow(*window->Control(idc::kStatus), {first, second, third}));
    EXPECT_TRUE(ProcessEventsUntil([&] { return !window->busy(); }, kWaitMs));
    ASSERT_NE(window->batch(), nullptr);
    EXPECT_EQ(Text(*window, idc::kSourceInfo), "Folge 01.mkv: 00:00:03  (+2 more)");
    EXPECT_TRUE(prompts_.records().empty());

    ASSERT_EQ(ConvertBatch(*window), 3);
    const QString outputs[] = {out_.filePath("Folge 01.avi"), out_.filePath("Folge 02.avi"),
                               out_.filePath("Folge 01 (2).avi")};
    ExpectWhole(first, outputs[0]);
    ExpectWhole(second, outputs[1]);
    ExpectWhole(third, outputs[2]);
    testmedia::ExpectSubtitleDrawn(first.toStdString(), outputs[0].toStdString(), true, true);
    EXPECT_FALSE(QFile::exists(StoredOutput()));
    ASSERT_EQ(prompts_.Messages().size(), 1u);
    EXPECT_EQ(prompts_.Messages()[0].text, "3 of 3 files converted.");
    EXPECT_EQ(prompts_.Messages()[0].icon, uikit::PromptIcon::Information);
    EXPECT_EQ(Text(*window, idc::kStatus), "3 of 3 files converted.");
    EXPECT_EQ(Text(*window, idc::kSourceInfo), "Folge 01.mkv: 00:00:03  (+2 more)");
    EXPECT_EQ(window->outputSettings().outputPath, StoredOutput());
    ExpectIdle(*window);

    // Converting again asks once about all three outputs; Stop in the second
    // file finishes it and leaves the third as it was.
    const double fullDuration = testmedia::Probe(outputs[1].toStdString()).duration;
    const QByteArray thirdBefore = Contents(outputs[2]);
    prompts_.Clear();
    prompts_.QueueAnswer(uikit::PromptAnswer::Yes);
    const testenv::ScopedSingleProcessor oneProcessor;
    const auto converted = ConvertBatch(*window, [&] {
        EXPECT_EQ(window->Control<QAbstractButton>(idc::kConvert)->text(), "Stop");
        EXPECT_FALSE(window->Control(idc::kOpenVideo)->isEnabled());
        EXPECT_EQ(Text(*window, idc::kStatus), "File 1 of 3: Folge 01.mkv");
        ASSERT_TRUE(ProcessEventsUntil(
            [&] {
                return Text(*window, idc::kStatus)
                    .startsWith("File 2 of 3: Folge 02.mkv\nPlease wait");
            },
            kWaitMs));
        EXPECT_EQ(Text(*window, idc::kStatus),
                  "File 2 of 3: Folge 02.mkv\nPlease wait... Used Time: 00:00:01");
        // The refusal to close reaches the user at once, not the summary.
        window->close();
        EXPECT_TRUE(window->isVisible());
        const auto* progress = window->Control<QProgressBar>(idc::kProgress);
        EXPECT_TRUE(ProcessEventsUntil([&] { return progress->value() > 0; }, 10000));
        ASSERT_TRUE(window->converting());
        testenv::ClickThroughWindow(*window->Control(idc::kConvert));
    });
    EXPECT_EQ(converted, 1);
    const auto messages = prompts_.Messages();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0].kind, Kind::YesNo);
    EXPECT_EQ(messages[0].text, "3 of the 3 output files exist already in " + out_.path() +
                                    ". Do you want to replace them? No converts only the files "
                                    "whose output is new.");
    EXPECT_EQ(messages[1].text, "Please first stop converting");
    EXPECT_EQ(messages[2].text, "1 of 3 files converted.\n\nStopped during Folge 02.mkv, which "
                                "plays up to where it got. Not started: 1.");
    EXPECT_EQ(Text(*window, idc::kStatus), "1 of 3 files converted.");
    ExpectIdle(*window);
    ExpectWhole(first, outputs[0]);
    const testmedia::ProbeInfo stopped = testmedia::Probe(outputs[1].toStdString());
    ASSERT_TRUE(stopped.ok);
    EXPECT_GT(stopped.duration, 0.0);
    EXPECT_LT(stopped.duration, fullDuration - 0.5);
    std::string errors;
    EXPECT_TRUE(testmedia::DecodesCleanly(outputs[1].toStdString(), &errors)) << errors;
    EXPECT_EQ(Contents(outputs[2]), thirdBefore);
}

TEST_F(BatchConversionTest, PickedFilesThatFailOrKeepTheirOutputAreReportedOnce) {
    const QString kept = Input(testmedia::MkvWithoutSubtitles(), "a.mkv");
    const QString bad = in_.filePath("b.mkv");
    {
        QFile file(bad);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("this is not a video\n");
    }
    const QString good = Input(testmedia::MkvWithAss(), "c.mkv");
    ASSERT_TRUE(out_.mkpath("."));
    {
        QFile file(out_.filePath("a.avi"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old contents");
    }
    auto window = StartWindow();
    prompts_.QueueFiles({kept, bad, good});
    testenv::ClickThroughWindow(*window->Control(idc::kOpenVideo));
    EXPECT_TRUE(ProcessEventsUntil([&] { return !window->busy(); }, kWaitMs));
    ASSERT_EQ(prompts_.records().size(), 1u);
    EXPECT_EQ(prompts_.records()[0].kind, Kind::OpenFiles);
    EXPECT_EQ(Text(*window, idc::kSourceInfo), "a.mkv: 00:00:03  (+2 more)");

    // No keeps the existing output; the file that does not open is passed over.
    prompts_.Clear();
    prompts_.QueueAnswer(uikit::PromptAnswer::No);
    ASSERT_EQ(ConvertBatch(*window), 1);
    const auto messages = prompts_.Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text.left(40), "1 of the 3 output files exist already in");
    EXPECT_TRUE(messages[1].text.startsWith(
        "1 of 3 files converted.\n\nThese files could not be converted:\nb.mkv: "))
        << messages[1].text.toStdString();
    EXPECT_TRUE(messages[1].text.endsWith(
        "\n\nThese files were not converted, to keep their existing output:\na.mkv"))
        << messages[1].text.toStdString();
    EXPECT_EQ(messages[1].icon, uikit::PromptIcon::Warning);
    EXPECT_EQ(Contents(out_.filePath("a.avi")), "old contents");
    EXPECT_FALSE(QFile::exists(out_.filePath("b.avi")));
    ExpectWhole(good, out_.filePath("c.avi"));
    ExpectIdle(*window);

    // One file picked afterwards opens as it always did.
    prompts_.QueueFiles({good});
    testenv::ClickThroughWindow(*window->Control(idc::kOpenVideo));
    EXPECT_TRUE(ProcessEventsUntil([&] { return !window->busy(); }, kWaitMs));
    EXPECT_EQ(window->batch(), nullptr);
    EXPECT_EQ(Text(*window, idc::kSourceInfo), "c.mkv: 00:00:03");
    EXPECT_NE(window->conversion().Graph(), nullptr);
}

} // namespace
