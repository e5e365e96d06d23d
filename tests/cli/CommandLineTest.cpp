// caspari --convert and veltrano --convert run as separate processes with no
// display (DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM unset), each with a
// settings folder of its own; outputs are checked with ffprobe and ffmpeg.

#include "SubtitleMedia.h"
#include "TestMedia.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>

namespace {

const QString kCaspari = QStringLiteral(CONVERTERS_CASPARI);
const QString kVeltrano = QStringLiteral(CONVERTERS_VELTRANO);
constexpr int kRunTimeoutMs = 120000;

struct Outcome {
    int exitCode = -1;
    QString out;
    QString err;
};

class CommandLineTest : public ::testing::Test {
protected:
    // A process of `program` as a user starts it from a shell without display.
    void Prepare(QProcess& process, const QString& program, const QStringList& arguments) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
            environment.remove(name);
        }
        environment.insert("XDG_CONFIG_HOME", ConfigFolder());
        environment.insert("LC_ALL", "C.UTF-8");
        // A sanitized build of the programs checks for leaks at exit as the test
        // programs do, with the same suppressions (ignored by a normal build).
        environment.insert("ASAN_OPTIONS",
                           "detect_leaks=1:fast_unwind_on_malloc=0:malloc_context_size=10");
        environment.insert("LSAN_OPTIONS", "suppressions=" CONVERTERS_LSAN_SUPPRESSIONS);
        process.setProcessEnvironment(environment);
        process.setProgram(program);
        process.setArguments(arguments);
    }

    Outcome Run(const QString& program, const QStringList& arguments) {
        QProcess process;
        Prepare(process, program, arguments);
        process.start();
        Outcome outcome;
        if (!process.waitForFinished(kRunTimeoutMs)) {
            process.kill();
            process.waitForFinished(5000);
            ADD_FAILURE() << "the run did not end";
            return outcome;
        }
        outcome.out = QString::fromUtf8(process.readAllStandardOutput());
        outcome.err = QString::fromUtf8(process.readAllStandardError());
        outcome.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        return outcome;
    }

    QString ConfigFolder() const { return dir_.filePath("config"); }
    // Where the stored output folder defaults to: the user's video folder.
    QString VideoFolder() const { return dir_.filePath("videos"); }
    void SetUp() override {
        QDir().mkpath(ConfigFolder());
        QFile dirs(ConfigFolder() + "/user-dirs.dirs");
        ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
        dirs.write("XDG_VIDEOS_DIR=\"" + VideoFolder().toUtf8() + "\"\n");
    }
    QString SettingsFile(const QString& program) const {
        return ConfigFolder() + "/TarnwickStudio/" + program + ".conf";
    }
    void WriteSettings(const QString& program, const QString& text) {
        QDir().mkpath(QFileInfo(SettingsFile(program)).absolutePath());
        QFile file(SettingsFile(program));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
    }
    QByteArray ReadFile(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // A copy of the cached clip `source` named `name` in a folder of the test.
    QString Copy(const std::string& source, const QString& name) {
        const QString path = dir_.filePath(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        EXPECT_TRUE(QFile::copy(QString::fromStdString(source), path)) << name.toStdString();
        return path;
    }
    QString Out(const QString& name = {}) const { return dir_.filePath("out/" + name); }

    static void ExpectPlays(const QString& path, const char* videoCodec, double seconds) {
        const testmedia::ProbeInfo info = testmedia::Probe(path.toStdString());
        ASSERT_TRUE(info.ok) << path.toStdString();
        ASSERT_NE(info.First("video"), nullptr);
        EXPECT_EQ(info.First("video")->codecName, videoCodec);
        EXPECT_NE(info.First("audio"), nullptr);
        EXPECT_NEAR(info.duration, seconds, 0.35);
        std::string errors;
        EXPECT_TRUE(testmedia::DecodesCleanly(path.toStdString(), &errors)) << errors;
    }

    QTemporaryDir dir_;
};

TEST_F(CommandLineTest, OneVideoIsConvertedWithItsSubtitlesAndTheSettingsStayUntouched) {
    const std::string source = testmedia::MkvWithAss();
    const Outcome run = Run(kCaspari, {"--convert", "--format", "mp4", "--output", Out("one"),
                                       QString::fromStdString(source)});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains("1 converted, 0 skipped, 0 failed.")) << run.out.toStdString();
    ExpectPlays(Out("one.mp4"), "mpeg4", testmedia::kSubtitleClipSeconds);
    testmedia::ExpectSubtitleDrawn(source, Out("one.mp4").toStdString(), true, true);
    // The run's options are never stored.
    EXPECT_FALSE(QFileInfo::exists(SettingsFile("caspari")));
}

TEST_F(CommandLineTest, SeveralVideosGoIntoTheFolderUnderTheirOwnNamesInTheStoredFormat) {
    // MKV (2) is the stored format; the run names none.
    WriteSettings("caspari", "[Settings]\nnOuptputFormat=2\n");
    const QByteArray stored = ReadFile(SettingsFile("caspari"));
    const QStringList sources = {Copy(testmedia::MkvWithAss(), "a.mkv"),
                                 Copy(testmedia::MkvWithoutSubtitles(), "b.mkv"),
                                 Copy(testmedia::MkvWithAss(), "second/a.mkv")};
    const Outcome run =
        Run(kCaspari, QStringList{"--convert", "--output-dir", Out("new folder")} + sources);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(QDir(Out("new folder")).entryList(QDir::Files, QDir::Name),
              (QStringList{"a (2).mkv", "a.mkv", "b.mkv"}));
    for (const char* name : {"a.mkv", "a (2).mkv", "b.mkv"}) {
        ExpectPlays(Out(QString("new folder/") + name), "mpeg4", testmedia::kSubtitleClipSeconds);
    }
    EXPECT_EQ(ReadFile(SettingsFile("caspari")), stored);
}

TEST_F(CommandLineTest, AFileThatIsNoVideoFailsAndTheOthersConvert) {
    QFile text(dir_.filePath("notes.mkv"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("these are notes, not a video\n");
    text.close();
    const Outcome run = Run(kCaspari, {"--convert", "--format", "avi", "--output-dir", Out(),
                                       Copy(testmedia::MkvWithAss(), "a.mkv"), text.fileName(),
                                       Copy(testmedia::MkvWithoutSubtitles(), "b.mkv")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.contains("2 converted, 0 skipped, 1 failed.")) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains("Failed notes.mkv: ")) << run.out.toStdString();
    ExpectPlays(Out("a.avi"), "mpeg4", testmedia::kSubtitleClipSeconds);
    ExpectPlays(Out("b.avi"), "mpeg4", testmedia::kSubtitleClipSeconds);
    EXPECT_FALSE(QFileInfo::exists(Out("notes.avi")));
}

TEST_F(CommandLineTest, AnExistingOutputIsKeptUnlessOverwriteIsGiven) {
    // The messages follow the stored language.
    WriteSettings("caspari", "[Option]\nCurrentLanguage=German\n");
    const QByteArray stored = ReadFile(SettingsFile("caspari"));
    const QString source = Copy(testmedia::MkvWithAss(), "clip.mkv");
    QDir().mkpath(Out());
    QFile old(Out("clip.mkv"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an earlier output");
    old.close();

    const Outcome kept =
        Run(kCaspari, {"--convert", "--format", "mkv", "--output-dir", Out(), source});
    EXPECT_EQ(kept.exitCode, 1);
    EXPECT_TRUE(kept.out.contains("0 konvertiert, 1 übersprungen, 0 fehlgeschlagen."))
        << kept.out.toStdString();
    EXPECT_EQ(ReadFile(Out("clip.mkv")), "an earlier output");

    const Outcome replaced = Run(
        kCaspari, {"--convert", "--overwrite", "--format", "mkv", "--output-dir", Out(), source});
    EXPECT_EQ(replaced.exitCode, 0) << replaced.err.toStdString();
    ExpectPlays(Out("clip.mkv"), "mpeg4", testmedia::kSubtitleClipSeconds);
    EXPECT_EQ(ReadFile(SettingsFile("caspari")), stored);
}

TEST_F(CommandLineTest, VeltranoConvertsTheMarkedPartAtTheGivenSizeAndRate) {
    const Outcome run = Run(kVeltrano, {"--convert", "--start", "00:00:01", "--end", "00:00:02.5",
                                        "--size", "160x120", "--frame-rate", "10", "--output",
                                        Out("part"), QString::fromStdString(testmedia::Mp4())});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    ExpectPlays(Out("part.avi"), "mpeg4", 1.5);
    const testmedia::ProbeInfo info = testmedia::Probe(Out("part.avi").toStdString());
    ASSERT_NE(info.First("video"), nullptr);
    EXPECT_EQ(info.First("video")->width, 160);
    EXPECT_EQ(info.First("video")->height, 120);
    EXPECT_DOUBLE_EQ(testmedia::FramesPerSecond(info.First("video")->frameRate), 10.0);
}

class HelpAndVersion : public CommandLineTest,
                       public ::testing::WithParamInterface<std::pair<const char*, const char*>> {};

// Both answer without a display and without converting, whatever else is given.
TEST_P(HelpAndVersion, AnswerWithoutDisplay) {
    const auto& [program, ownOption] = GetParam();
    const QString path = QString(program) == "caspari" ? kCaspari : kVeltrano;
    const Outcome help = Run(path, {"--help", "--convert", "x.mkv"});
    EXPECT_EQ(help.exitCode, 0) << help.err.toStdString();
    for (const QString& option :
         {QString("--convert"), QString("--overwrite"), QString(ownOption)}) {
        EXPECT_TRUE(help.out.contains(option)) << option.toStdString();
    }
    const Outcome version = Run(path, {"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.out.startsWith(QString(program) + ' ')) << version.out.toStdString();
    EXPECT_TRUE(version.out.contains(QRegularExpression(R"( \d+\.\d+\n$)")))
        << version.out.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Programs, HelpAndVersion,
                         ::testing::Values(std::pair{"caspari", "--output-dir"},
                                           std::pair{"veltrano", "--frame-rate"}));

struct Refused {
    const char* program;
    QStringList arguments; // "@out" stands for the test's output folder; the video is added last
};

class RefusedCommandLine : public CommandLineTest, public ::testing::WithParamInterface<Refused> {};

TEST_P(RefusedCommandLine, EndsWithUsageErrorAndWritesNothing) {
    const QString program = QString(GetParam().program) == "caspari" ? kCaspari : kVeltrano;
    QStringList arguments = {"--convert"};
    for (const QString& argument : GetParam().arguments) {
        arguments.append(argument == "@out" ? Out() : argument);
    }
    const Outcome run =
        Run(program, arguments + QStringList{QString::fromStdString(testmedia::Mp4())});
    EXPECT_EQ(run.exitCode, 2) << run.out.toStdString() << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("--help")) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    EXPECT_FALSE(QFileInfo::exists(Out()));
    EXPECT_FALSE(QFileInfo::exists(VideoFolder()));
}

INSTANTIATE_TEST_SUITE_P(
    Caspari, RefusedCommandLine,
    ::testing::Values(Refused{"caspari", {"--format", "mov"}},
                      Refused{"caspari", {"--format", "wmv", "--video-bitrate", "0"}},
                      Refused{"caspari", {"--format", "wmv", "--audio-bitrate", "100"}},
                      Refused{"caspari", {"--format", "mkv", "--audio-bitrate", "128"}},
                      Refused{"caspari", {"--format", "mp4", "--output", "@out/x.avi"}},
                      Refused{"caspari", {"--output", "@out/x.avi", "--output-dir", "@out"}},
                      Refused{"caspari", {"--bogus"}}));

INSTANTIATE_TEST_SUITE_P(
    Veltrano, RefusedCommandLine,
    ::testing::Values(Refused{"veltrano", {"--output-dir", "@out"}},
                      Refused{"veltrano", {"--output", "@out/clip.mkv"}},
                      Refused{"veltrano", {"--start", "1:02"}},
                      Refused{"veltrano", {"--start", "00:00:02", "--end", "00:00:01"}},
                      // Past the 3 s video: found once it is read, still before anything runs.
                      Refused{"veltrano", {"--start", "00:00:09", "--output", "@out/clip"}},
                      Refused{"veltrano", {"--size", "10x10"}},
                      Refused{"veltrano", {"--frame-rate", "0"}}));

class InterruptedRun : public CommandLineTest, public ::testing::WithParamInterface<const char*> {};

// SIGINT once the output is being written: the file is finished where it got
// and plays, the rest is skipped, and the run says it was interrupted.
TEST_P(InterruptedRun, FinishesTheFileUnderWayAndSkipsTheRest) {
    const bool caspari = QString(GetParam()) == "caspari";
    const QString source = Copy(testmedia::HdMkvWithAss(30), "long.mkv");
    QStringList arguments = {"--convert", "--output-dir", Out(), source};
    if (caspari) {
        arguments = QStringList{"--format", "mkv"} + arguments +
                    QStringList{Copy(testmedia::MkvWithAss(), "short.mkv")};
    } else {
        arguments = QStringList{"--convert", "--output", Out("long.avi"), source};
    }
    const QString output = Out(caspari ? "long.mkv" : "long.avi");
    QProcess process;
    Prepare(process, caspari ? kCaspari : kVeltrano, arguments);
    process.start();
    ASSERT_TRUE(process.waitForStarted(10000));
    QElapsedTimer waited;
    waited.start();
    while (QFileInfo(output).size() < 100000 && process.state() == QProcess::Running &&
           waited.elapsed() < kRunTimeoutMs) {
        QThread::msleep(20);
    }
    ASSERT_EQ(process.state(), QProcess::Running) << "the run ended before it could be stopped";
    ::kill(static_cast<pid_t>(process.processId()), SIGINT);
    ASSERT_TRUE(process.waitForFinished(kRunTimeoutMs));
    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 130) << out.toStdString();
    EXPECT_TRUE(out.contains("Failed long.mkv: Stopped at")) << out.toStdString();
    if (caspari) {
        EXPECT_TRUE(out.contains("Skipped short.mkv: Not started")) << out.toStdString();
        EXPECT_FALSE(QFileInfo::exists(Out("short.mkv")));
    }
    const testmedia::ProbeInfo info = testmedia::Probe(output.toStdString());
    ASSERT_TRUE(info.ok);
    EXPECT_GT(info.duration, 0.5);
    EXPECT_LT(info.duration, 29.0);
    std::string errors;
    EXPECT_TRUE(testmedia::DecodesCleanly(output.toStdString(), &errors)) << errors;
}

INSTANTIATE_TEST_SUITE_P(Programs, InterruptedRun, ::testing::Values("caspari", "veltrano"));

} // namespace
