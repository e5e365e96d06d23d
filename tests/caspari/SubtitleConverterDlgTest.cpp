// caspari's main window driven through its controls as a user does: open a
// video, convert it into each container, stop, close, and the files and
// commands it refuses. Outputs are checked with ffprobe and by comparing their
// frames with the source's.

#include "SubtitleConverterDlg.h"
#include "CaspariStrings.h"
#include "CompressorSlots.h"
#include "FilterGraph.h"
#include "FilterPropertiesDlg.h"
#include "LanguagePack.h"
#include "MediaInit.h"
#include "OutputExtension.h"
#include "Profile.h"
#include "ProgressWatchdog.h"
#include "RecordingPrompts.h"
#include "StreamHold.h"
#include "SubtitleConverterApp.h"
#include "SubtitleMedia.h"
#include "TestEnvironment.h"
#include "TestMedia.h"
#include "UserInput.h"
#include "WindowIds.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <unistd.h>

#include <functional>
#include <optional>
#include <ostream>

namespace {

using caspari::CFilterPropertiesDlg;
using caspari::ConversionOutcome;
using caspari::CSubtitleConverterDlg;
using testenv::ProcessEventsUntil;
namespace idc = caspari::idc;

constexpr int kWaitMs = 60000;
constexpr int kConvertTimeoutMs = 240000;

QVariant LoadLevel() {
    return QSettings(QSettings::UserScope, "Pellmar", "VSFilter").value("General/LoadLevel");
}

void SetLoadLevel(int level) {
    QSettings(QSettings::UserScope, "Pellmar", "VSFilter").setValue("General/LoadLevel", level);
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// `path`, or empty when it could not be written.
QString WriteFile(const QString& path, const QByteArray& contents) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size() ? path
                                                                                      : QString();
}

struct Format {
    std::int32_t format;
    const char* name;
    const char* extension;
    const char* videoCodec;
    const char* audioCodec;
};

void PrintTo(const Format& format, std::ostream* out) {
    *out << format.name;
}

constexpr Format kAvi{settings::kFormatAvi, "Avi", "avi", "mpeg4", "mp3"};
constexpr Format kWmv{settings::kFormatWmv, "Wmv", "wmv", "wmv2", "wmav2"};
constexpr Format kMkv{settings::kFormatMkv, "Mkv", "mkv", "mpeg4", "mp3"};

// What ffprobe finds in a complete output of the 25 fps 320x240 clips.
void ExpectConverted(const std::string& source, const QString& output, const Format& format,
                     bool subtitles) {
    const std::string written = output.toStdString();
    const testmedia::ProbeInfo out = testmedia::Probe(written);
    ASSERT_TRUE(out.ok) << written;
    const testmedia::StreamInfo* video = out.First("video");
    const testmedia::StreamInfo* audio = out.First("audio");
    ASSERT_NE(video, nullptr);
    ASSERT_NE(audio, nullptr);
    EXPECT_EQ(video->codecName, format.videoCodec);
    EXPECT_EQ(audio->codecName, format.audioCodec);
    EXPECT_EQ(video->width, 320);
    EXPECT_EQ(video->height, 240);
    EXPECT_NEAR(testmedia::FramesPerSecond(video->frameRate), 25.0, 0.05) << video->frameRate;
    EXPECT_NEAR(out.duration, testmedia::Probe(source).duration, 0.25);
    EXPECT_EQ(out.First("subtitle"), nullptr);
    std::string errors;
    EXPECT_TRUE(testmedia::DecodesCleanly(written, &errors)) << errors;
    testmedia::ExpectSubtitleDrawn(source, written, subtitles, true);
}

class SubtitleConverterDlgTest : public ::testing::Test {
protected:
    SubtitleConverterDlgTest() : scoped_(prompts_) {
        uikit::Language().SetBuiltInStrings(res::CaspariStrings());
        EXPECT_GE(media::Initialize(), 0);
    }
    ~SubtitleConverterDlgTest() override {
        settings::ReleaseCompressor(settings::CompressorCategory::Video);
        settings::ReleaseCompressor(settings::CompressorCategory::Audio);
    }

    // The window as started with `format` and `outputName` stored by an earlier run.
    std::unique_ptr<CSubtitleConverterDlg> StartWindow(std::int32_t format,
                                                       const QString& outputName = {}) {
        uikit::Profile profile = uikit::Profile::Application();
        profile.WriteInt("Settings", "nOuptputFormat", format);
        profile.WriteString("Settings", "OutputName",
                            outputName.isEmpty() ? dir_.filePath("subtitled out.tmp") : outputName);
        return std::make_unique<CSubtitleConverterDlg>();
    }
    QString OutputOf(const Format& format) const {
        return dir_.filePath(QString("subtitled out.") + format.extension);
    }

    // Presses the control and waits out the background work it starts.
    void Click(CSubtitleConverterDlg& window, int id) {
        testenv::ClickThroughWindow(*window.Control(id));
        EXPECT_TRUE(ProcessEventsUntil([&] { return !window.busy(); }, kWaitMs));
    }
    void Open(CSubtitleConverterDlg& window, const std::string& path) {
        prompts_.QueueFile(QString::fromStdString(path));
        Click(window, idc::kOpenVideo);
    }
    static QString Text(CSubtitleConverterDlg& window, int id) {
        return window.Control<QLabel>(id)->text();
    }
    // Presses Convert and waits for the end and for the source to be rendered
    // again; `whileRunning` is called once the run started. No outcome when
    // none came.
    std::optional<ConversionOutcome> Convert(CSubtitleConverterDlg& window,
                                             const std::function<void()>& whileRunning = {}) {
        QSignalSpy finished(&window, &CSubtitleConverterDlg::conversionFinished);
        testenv::ClickThroughWindow(*window.Control(idc::kConvert));
        if (finished.isEmpty() && !window.converting()) {
            ADD_FAILURE() << "nothing started; status: " << Text(window, idc::kStatus).toStdString()
                          << (prompts_.Messages().empty()
                                  ? std::string()
                                  : "; last message: " +
                                        prompts_.Messages().back().text.toStdString());
            return std::nullopt;
        }
        if (whileRunning && window.converting()) {
            whileRunning();
        }
        EXPECT_TRUE(ProcessEventsUntil([&] { return !finished.isEmpty() && !window.busy(); },
                                       kConvertTimeoutMs));
        if (finished.isEmpty()) {
            return std::nullopt;
        }
        return finished.first().first().value<ConversionOutcome>();
    }
    // The controls of a window that is not converting.
    static void ExpectIdle(CSubtitleConverterDlg& window) {
        EXPECT_FALSE(window.converting());
        EXPECT_EQ(window.Control<QAbstractButton>(idc::kConvert)->text(), "Convert");
        EXPECT_TRUE(window.Control(idc::kOpenVideo)->isEnabled());
        EXPECT_TRUE(window.Control(idc::kOptions)->isEnabled());
        EXPECT_TRUE(window.Control(idc::kProgress)->isHidden());
    }

    testenv::ScopedSettingsFolder folder_;
    uikit::RecordingPrompts prompts_;
    uikit::ScopedPrompts scoped_;
    QTemporaryDir dir_;
};

class FormatConversion : public SubtitleConverterDlgTest,
                         public ::testing::WithParamInterface<Format> {};

TEST_P(FormatConversion, ConvertsTheOpenedVideoWithItsSubtitleAndPutsTheLoadLevelBack) {
    const Format& format = GetParam();
    const std::string source = testmedia::MkvWithAss();
    ASSERT_FALSE(source.empty());
    ASSERT_EQ(testmedia::Probe(source).First("video")->frameRate, "25/1");
    // The filter would stay out of the graph at 2; the window makes it join.
    SetLoadLevel(2);
    auto window = StartWindow(format.format);
    const QString output = OutputOf(format);
    EXPECT_EQ(LoadLevel(), 0);
    EXPECT_EQ(window->outputSettings().outputFormat, format.format);
    EXPECT_EQ(window->outputSettings().outputPath, output);
    EXPECT_EQ(window->outputSettings().videoBitrate, 798720);
    EXPECT_EQ(window->outputSettings().audioBitrate, 128000);
    EXPECT_EQ(Text(*window, idc::kStatus),
              "Output file: " + output + "     Resolution: Original size");
    EXPECT_EQ(Text(*window, idc::kSourceInfo), "00:00:00");
    EXPECT_TRUE(window->Control(idc::kBuildFilters)->isHidden());

    Open(*window, source);
    EXPECT_EQ(window->sourcePath(), QString::fromStdString(source));
    EXPECT_EQ(Text(*window, idc::kSourceInfo), "sub-ass-320x240-3s.mkv: 00:00:03");
    const settings::OutputSettings& settings = window->outputSettings();
    EXPECT_EQ(settings.outputWidth, 320);
    EXPECT_EQ(settings.outputHeight, 240);
    EXPECT_NEAR(settings.sourceFrameRate, 25.0, 0.01);
    EXPECT_NEAR(settings.outputFrameRate, 25.0, 0.01);

    ASSERT_EQ(Convert(*window), ConversionOutcome::Completed);
    EXPECT_TRUE(prompts_.Messages().empty()) << prompts_.Messages().front().text.toStdString();
    EXPECT_EQ(Text(*window, idc::kStatus),
              "Done. Output file: " + output + "     Resolution: 320*240");
    ExpectIdle(*window);
    ExpectConverted(source, output, format, true);

    testenv::ClickThroughWindow(*window->Control(idc::kExit));
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(LoadLevel(), 2);
}

INSTANTIATE_TEST_SUITE_P(Window, FormatConversion, ::testing::Values(kAvi, kWmv, kMkv),
                         [](const auto& info) { return std::string(info.param.name); });

// The first pad in the graph carrying sound out of an element.
media::Pad FirstAudioOutput(media::FilterGraph& graph) {
    for (const media::Element& element : graph.EnumFilters()) {
        for (const media::Pad& pad : element.Pads(media::PadDirection::Output)) {
            if (pad.ConnectionMajorType() == media::MajorType::Audio) {
                return pad;
            }
        }
    }
    return {};
}

TEST_F(SubtitleConverterDlgTest, ConvertsAgainWithoutOpeningAndStopsWithAPlayableFile) {
    // Long enough to be stopped part way at the first progress tick on one
    // processor: ten seconds of it convert in under one.
    const std::string source = testmedia::HdMkvWithAss(30);
    ASSERT_FALSE(source.empty());
    auto window = StartWindow(kAvi.format);
    const QString output = OutputOf(kAvi);
    Open(*window, source);
    ASSERT_EQ(Convert(*window), ConversionOutcome::Completed);
    const double fullDuration = testmedia::Probe(output.toStdString()).duration;
    const QByteArray first = Contents(output);

    // No to replacing the output leaves everything as it was.
    prompts_.QueueAnswer(uikit::PromptAnswer::No);
    Click(*window, idc::kConvert);
    ASSERT_EQ(prompts_.Messages().size(), 1u);
    EXPECT_EQ(prompts_.Messages()[0].text, output + " exists. Do you want to replace it?");
    EXPECT_EQ(prompts_.Messages()[0].caption, "Warning");
    ExpectIdle(*window);
    EXPECT_EQ(Contents(output), first);

    prompts_.Clear();
    prompts_.QueueAnswer(uikit::PromptAnswer::Yes);
    // On one processor the short clip takes well over the second to the first
    // progress tick.
    const testenv::ScopedSingleProcessor oneProcessor;
    std::optional<media::StreamHold> stall;
    QElapsedTimer stopping;
    qint64 stopTook = -1;
    const auto stopped = Convert(*window, [&] {
        EXPECT_EQ(window->Control<QAbstractButton>(idc::kConvert)->text(), "Stop");
        EXPECT_FALSE(window->Control(idc::kOpenVideo)->isEnabled());
        EXPECT_FALSE(window->Control(idc::kOptions)->isEnabled());
        EXPECT_FALSE(window->Control(idc::kProgress)->isHidden());
        EXPECT_TRUE(ProcessEventsUntil(
            [&] { return Text(*window, idc::kStatus).startsWith("Please wait"); }, 5000));
        EXPECT_EQ(Text(*window, idc::kStatus), "Please wait... Used Time: 00:00:01");
        ASSERT_TRUE(window->converting()) << "the run ended before it could be stopped";
        const auto* progress = window->Control<QProgressBar>(idc::kProgress);
        EXPECT_TRUE(ProcessEventsUntil([&] { return progress->value() > 0; }, 10000));
        EXPECT_TRUE(progress->text().contains('%')) << progress->text().toStdString();
        // Neither Exit nor the close box ends the window while it converts.
        testenv::ClickThroughWindow(*window->Control(idc::kExit));
        window->close();
        EXPECT_TRUE(window->isVisible());
        const auto refusals = prompts_.Messages();
        ASSERT_EQ(refusals.size(), 3u); // the question, then one refusal each
        for (std::size_t i = 1; i < refusals.size(); ++i) {
            EXPECT_EQ(refusals[i].text, "Please first stop converting");
            EXPECT_EQ(refusals[i].caption, "Warning");
        }
        ASSERT_TRUE(window->converting()) << "the run ended before it could be stopped";
        // The sound stalls on its way out of the decoder, so the whole graph
        // soon stands still: Stop still ends the run within two seconds.
        ASSERT_NE(window->conversion().Graph(), nullptr);
        stall.emplace(FirstAudioOutput(*window->conversion().Graph()));
        ASSERT_TRUE(*stall);
        QThread::msleep(500);
        QObject::connect(window.get(), &CSubtitleConverterDlg::conversionFinished, window.get(),
                         [&] { stopTook = stopping.elapsed(); });
        stopping.start();
        testenv::ClickThroughWindow(*window->Control(idc::kConvert));
    });
    EXPECT_EQ(stopped, ConversionOutcome::Stopped);
    EXPECT_GE(stopTook, 0);
    EXPECT_LT(stopTook, 2000);
    ExpectIdle(*window);
    const testmedia::ProbeInfo probe = testmedia::Probe(output.toStdString());
    ASSERT_TRUE(probe.ok);
    EXPECT_GT(probe.duration, 0.0);
    EXPECT_LT(probe.duration, fullDuration - 0.5);
    std::string errors;
    EXPECT_TRUE(testmedia::DecodesCleanly(output.toStdString(), &errors)) << errors;

    // Stopped, the window closes.
    testenv::ClickThroughWindow(*window->Control(idc::kExit));
    EXPECT_FALSE(window->isVisible());
}

// A run whose graph stands still ends by itself as a failure that names the
// time it reached, with its file finished and its graph described beside the
// settings.
TEST_F(SubtitleConverterDlgTest, AConversionThatStandsStillEndsWithAMessage) {
    const std::string source = testmedia::HdMkvWithAss(30);
    ASSERT_FALSE(source.empty());
    const std::chrono::milliseconds bound = media::NoProgressBound();
    const auto restore = qScopeGuard([bound] { media::SetNoProgressBound(bound); });
    media::SetNoProgressBound(std::chrono::milliseconds(1500));
    auto window = StartWindow(kAvi.format);
    const QString output = OutputOf(kAvi);
    Open(*window, source);
    const testenv::ScopedSingleProcessor oneProcessor;
    std::optional<media::StreamHold> stall;
    QElapsedTimer ending;
    const auto outcome = Convert(*window, [&] {
        const auto* progress = window->Control<QProgressBar>(idc::kProgress);
        EXPECT_TRUE(ProcessEventsUntil([&] { return progress->value() > 0; }, 10000));
        ASSERT_TRUE(window->converting()) << "the run ended before it could stall";
        stall.emplace(FirstAudioOutput(*window->conversion().Graph()));
        ASSERT_TRUE(*stall);
        ending.start();
    });
    EXPECT_EQ(outcome, ConversionOutcome::Failed);
    // The other stream runs on until the queues before the writer are full
    // (seconds on a loaded machine), then the bound, a tick and the finishing.
    EXPECT_LT(ending.elapsed(), 15000);
    ASSERT_EQ(prompts_.Messages().size(), 1u);
    EXPECT_TRUE(prompts_.Messages()[0].text.contains(
        QRegularExpression("^The conversion stopped making progress at 00:00:\\d\\d\\.$")))
        << prompts_.Messages()[0].text.toStdString();
    EXPECT_EQ(Text(*window, idc::kStatus), "Error: " + prompts_.Messages()[0].text);
    ExpectIdle(*window);
    const testmedia::ProbeInfo probe = testmedia::Probe(output.toStdString());
    ASSERT_TRUE(probe.ok);
    EXPECT_GT(probe.duration, 0.0);
    std::string errors;
    EXPECT_TRUE(testmedia::DecodesCleanly(output.toStdString(), &errors)) << errors;
    QDirIterator dumps(folder_.path(), {"stalled-*.txt"}, QDir::Files,
                       QDirIterator::Subdirectories);
    ASSERT_TRUE(dumps.hasNext());
    QFile dump(dumps.next());
    ASSERT_TRUE(dump.open(QIODevice::ReadOnly));
    EXPECT_TRUE(dump.readAll().contains("avimux"));
}

// The subtitle file beside it cannot be read: the video opens and converts as
// it is, and the status line says what was left out.
TEST_F(SubtitleConverterDlgTest, ConvertsAVideoWithoutReadableSubtitlesAsItIs) {
    const QString source = dir_.filePath("plain.mkv");
    ASSERT_TRUE(QFile::copy(QString::fromStdString(testmedia::MkvWithoutSubtitles()), source));
    const QString sidecar =
        WriteFile(dir_.filePath("plain.srt"), "\xEF\xBB\xBF\x01\x02 --> \x7F\n\n\n");
    ASSERT_FALSE(sidecar.isEmpty());
    auto window = StartWindow(kMkv.format);
    Open(*window, source.toStdString());
    EXPECT_EQ(Text(*window, idc::kStatus),
              "The subtitle file plain.srt could not be read; the video is converted without it.");
    ASSERT_EQ(Convert(*window), ConversionOutcome::Completed);
    EXPECT_TRUE(prompts_.Messages().empty());
    ExpectConverted(source.toStdString(), OutputOf(kMkv), kMkv, false);
}

struct BadFile {
    const char* name;
    std::function<QString(const QDir&)> make;
};

void PrintTo(const BadFile& file, std::ostream* out) {
    *out << file.name;
}

class BadSource : public SubtitleConverterDlgTest, public ::testing::WithParamInterface<BadFile> {};

TEST_P(BadSource, IsReportedAndLeavesNoSourceToConvert) {
    const QString bad = GetParam().make(QDir(dir_.path()));
    ASSERT_FALSE(bad.isEmpty());
    auto window = StartWindow(kAvi.format);
    // A video opened before is let go as well.
    Open(*window, testmedia::MkvWithAss());
    Open(*window, bad.toStdString());
    auto messages = prompts_.Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_FALSE(messages[0].text.isEmpty());
    EXPECT_EQ(messages[1].text, "Can not get the duration of the clip!Cannot open the file. You "
                                "need to install appropriate decoders. Or the file is corrupt.");
    EXPECT_EQ(messages[1].caption, "Error IDS_MESSAGE_NO_DURATION");
    EXPECT_TRUE(window->sourcePath().isEmpty());
    EXPECT_EQ(Text(*window, idc::kSourceInfo), "00:00:00");

    Click(*window, idc::kConvert);
    messages = prompts_.Messages();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[2].text, "Please open an media file fisrt!");
    ExpectIdle(*window);
    EXPECT_FALSE(QFile::exists(OutputOf(kAvi)));
}

INSTANTIATE_TEST_SUITE_P(
    Window, BadSource,
    ::testing::Values(
        BadFile{"ZeroBytes",
                [](const QDir& dir) { return WriteFile(dir.filePath("empty.mkv"), {}); }},
        BadFile{"Text",
                [](const QDir& dir) {
                    return WriteFile(dir.filePath("notes.mkv"), "this is not a video\n");
                }},
        BadFile{"AudioOnly",
                [](const QDir&) { return QString::fromStdString(testmedia::AudioOnlyM4a()); }},
        // Cut inside the header: the streams are named, no picture follows.
        BadFile{"Truncated",
                [](const QDir& dir) {
                    return WriteFile(
                        dir.filePath("cut.mkv"),
                        Contents(QString::fromStdString(testmedia::MkvWithAss())).left(1536));
                }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SubtitleConverterDlgTest, NeverWritesOverTheVideoBeingConverted) {
    const QString copy = OutputOf(kMkv);
    ASSERT_TRUE(QFile::copy(QString::fromStdString(testmedia::MkvWithAss()), copy));
    const QByteArray original = Contents(copy);
    auto window = StartWindow(kMkv.format, copy);
    Open(*window, copy.toStdString());
    ASSERT_EQ(window->outputSettings().outputPath, copy);
    Click(*window, idc::kConvert);
    const auto messages = prompts_.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.startsWith("The output file is the video being converted."))
        << messages[0].text.toStdString();
    ExpectIdle(*window);
    EXPECT_EQ(Contents(copy), original);
}

TEST_F(SubtitleConverterDlgTest, AFolderAsOutputIsRefusedWithNothingRenamed) {
    const QString folder = OutputOf(kAvi);
    ASSERT_TRUE(QDir().mkpath(folder + "/kept"));
    auto window = StartWindow(kAvi.format, folder);
    Open(*window, testmedia::MkvWithAss());
    Click(*window, idc::kConvert);
    const auto messages = prompts_.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text,
              "The output file " + folder + " is a folder. Please choose a file name in Options.");
    EXPECT_EQ(messages[0].caption, "Error");
    ExpectIdle(*window);
    EXPECT_TRUE(QFileInfo(folder + "/kept").isDir());
    EXPECT_FALSE(QFileInfo::exists(folder + ".replaced"));
}

TEST_F(SubtitleConverterDlgTest, AnOutputThatCannotBeReplacedStartsNothing) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root may replace files in a read-only folder";
    }
    const QString folder = dir_.filePath("locked");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString output = folder + "/old.avi";
    ASSERT_FALSE(WriteFile(output, "old contents").isEmpty());
    ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    const auto unlock = qScopeGuard([&] {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    });
    auto window = StartWindow(kAvi.format, output);
    Open(*window, testmedia::MkvWithAss());
    prompts_.QueueAnswer(uikit::PromptAnswer::Yes);
    Click(*window, idc::kConvert);
    const auto messages = prompts_.Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, output + " exists. Do you want to replace it?");
    EXPECT_EQ(messages[1].text, "The existing file " + output +
                                    " can not be replaced. Please choose another output file in "
                                    "Options.");
    ExpectIdle(*window);
    EXPECT_EQ(Contents(output), "old contents");
}

TEST_F(SubtitleConverterDlgTest, FilterGraphOnlyListsTheElementsThenRunsToTheEnd) {
    const std::string source = testmedia::MkvWithAss();
    auto window = StartWindow(4);
    Open(*window, source);
    prompts_.Clear();
    QStringList lines;
    QStringList elements;
    // The dialog is modal: it is driven from inside its own event loop.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<CFilterPropertiesDlg*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible()) {
            return;
        }
        watch.stop();
        const auto* list = dialog->Control<QTreeWidget>(CFilterPropertiesDlg::kFilterListId);
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            lines << list->topLevelItem(i)->text(0);
        }
        for (const media::Element& element : window->conversion().Graph()->EnumFilters()) {
            elements << QString::fromStdString(element.Name());
        }
        testenv::ClickThroughWindow(*dialog->Control(CFilterPropertiesDlg::kContinueId));
        if (dialog->isVisible()) {
            ADD_FAILURE() << "Continue left the dialog open";
            dialog->reject();
        }
    });
    watch.start(10);
    EXPECT_EQ(Convert(*window), ConversionOutcome::Completed);
    EXPECT_GE(lines.size(), 4);
    EXPECT_EQ(lines, elements);
    EXPECT_TRUE(prompts_.Messages().empty()) << prompts_.Messages().front().text.toStdString();
    EXPECT_TRUE(Text(*window, idc::kStatus).startsWith("Done."))
        << Text(*window, idc::kStatus).toStdString();
    ExpectIdle(*window);
    EXPECT_TRUE(QDir(dir_.path()).isEmpty()) << "a file was written";
}

// A file manager's "Open with" and a drop open the video as Open Video does;
// while converting the window takes no drop.
TEST_F(SubtitleConverterDlgTest, AVideoFromTheCommandLineOrADropOpensAsOpenVideoDoes) {
    const QString clip = QString::fromStdString(testmedia::MkvWithAss());
    QString shown;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* window = qobject_cast<CSubtitleConverterDlg*>(QApplication::activeModalWidget());
        if (window != nullptr && !window->busy() && window->conversion().Graph() != nullptr) {
            shown = Text(*window, idc::kSourceInfo);
            watch.stop();
            window->close();
        }
    });
    watch.start(50);
    QTimer::singleShot(kWaitMs, &watch, [&] {
        watch.stop();
        if (auto* window = QApplication::activeModalWidget()) {
            window->close();
        }
    });
    caspari::CSubtitleConverterApp app;
    app.InitInstance({"caspari", "--ignored", clip});
    EXPECT_EQ(shown, "sub-ass-320x240-3s.mkv: 00:00:03");
    EXPECT_TRUE(prompts_.records().empty());

    auto window = StartWindow(kMkv.format);
    ASSERT_TRUE(testenv::DropFilesThroughWindow(*window->Control(idc::kStatus), {clip}));
    EXPECT_TRUE(ProcessEventsUntil([&] { return !window->busy(); }, kWaitMs));
    EXPECT_TRUE(prompts_.records().empty());
    EXPECT_EQ(window->sourcePath(), clip);
    EXPECT_EQ(Text(*window, idc::kSourceInfo), "sub-ass-320x240-3s.mkv: 00:00:03");
    const auto outcome = Convert(*window, [&] {
        EXPECT_FALSE(testenv::DropFilesThroughWindow(*window->Control(idc::kStatus),
                                                     {QString::fromStdString(testmedia::Mp4())}));
    });
    EXPECT_EQ(outcome, ConversionOutcome::Completed);
    EXPECT_EQ(window->sourcePath(), clip);
}

TEST(SubtitleConverterDlg, ProgressTextShowsTheTimeUsed) {
    EXPECT_EQ(CSubtitleConverterDlg::ProgressText(3725), "Please wait... Used Time: 01:02:05");
    EXPECT_EQ(CSubtitleConverterDlg::ProgressText(59), "Please wait... Used Time: 00:00:59");
}

} // namespace
