#include "MediaProbe.h"
#include "MediaTestSupport.h"
#include "TestMedia.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcessEnvironment>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

#include <functional>

namespace {

using media::ProbeMedia;
using media::ProbeResult;
using media::ProbeStep;

struct ProbeCase {
    const char* name;
    std::function<std::string()> make;
    int width;
    int height;
    double frameRate;
};

class ProbeKnownMedia : public mediatest::MediaTest,
                        public ::testing::WithParamInterface<ProbeCase> {};

TEST_P(ProbeKnownMedia, ReportsDurationSizeAndRateLikeFfprobe) {
    const ProbeCase& c = GetParam();
    const std::string path = c.make();
    ASSERT_FALSE(path.empty());
    const testmedia::ProbeInfo reference = testmedia::Probe(path);
    ASSERT_TRUE(reference.ok);

    const ProbeResult probe = ProbeMedia(path);
    ASSERT_TRUE(probe.ok) << probe.message << " / " << probe.errorText;
    EXPECT_EQ(probe.failedStep, ProbeStep::None);
    EXPECT_EQ(probe.width, c.width);
    EXPECT_EQ(probe.height, c.height);
    EXPECT_NEAR(probe.frameRate, c.frameRate, 0.01);
    EXPECT_NEAR(static_cast<double>(probe.duration) / media::kUnitsPerSecond, reference.duration,
                0.1);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, ProbeKnownMedia,
    ::testing::Values(
        ProbeCase{"MkvH264AacAss", testmedia::Mkv640x480, 640, 480, 25.0},
        ProbeCase{"Mp4", testmedia::Mp4, 320, 240, 25.0},
        ProbeCase{"AviMpeg4Mp3", testmedia::AviMpeg4Mp3, 320, 240, 25.0},
        ProbeCase{"WebmVp8Vorbis", testmedia::WebmVp8Vorbis, 320, 240, 25.0},
        ProbeCase{"AnimatedGif", testmedia::AnimatedGif, 160, 120, 10.0},
        // States no rate; it is measured from the frames.
        ProbeCase{"MkvWithoutStatedRate", [] { return testmedia::MkvAt(1000); }, 160, 120, 1000.0},
        ProbeCase{"SmallMkvAt25", [] { return testmedia::MkvAt(25); }, 160, 120, 25.0}),
    [](const ::testing::TestParamInfo<ProbeCase>& info) { return std::string(info.param.name); });

class ProbeFailure : public mediatest::MediaTest {
protected:
    // Probes and checks what every failure must give: a readable reason, fast.
    ProbeResult ProbeExpectingFailure(const std::string& path, int withinMs = 10000) {
        QElapsedTimer timer;
        timer.start();
        ProbeResult probe = ProbeMedia(path);
        EXPECT_LT(timer.elapsed(), withinMs) << "probing a broken file must not hang";
        EXPECT_FALSE(probe.ok);
        EXPECT_TRUE(media::Failed(probe.result));
        EXPECT_FALSE(probe.errorText.empty());
        return probe;
    }

    std::string WriteFile(const std::string& name, const QByteArray& bytes) {
        const std::string path = OutputPath(name);
        QFile file(QString::fromStdString(path));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
};

TEST_F(ProbeFailure, AudioOnlyFileFailsAtBasicVideo) {
    const std::string path = testmedia::AudioOnlyM4a();
    ASSERT_FALSE(path.empty());
    const ProbeResult probe = ProbeExpectingFailure(path);
    EXPECT_EQ(probe.failedStep, ProbeStep::QueryBasicVideo);
    EXPECT_EQ(probe.message, "Failed to IID_IBasicVideo");
    EXPECT_FALSE(probe.renderFailed);
}

// No stated rate and a single frame: nothing to measure a rate from.
TEST_F(ProbeFailure, SingleFrameWithoutRateFailsAtFrameTime) {
    const std::string path = testmedia::MkvSingleFrameWithoutRate();
    ASSERT_FALSE(path.empty());
    const ProbeResult probe = ProbeExpectingFailure(path);
    EXPECT_EQ(probe.failedStep, ProbeStep::GetAvgTimePerFrame);
    EXPECT_EQ(probe.message, "Failed to get_AvgTimePerFrame");
    EXPECT_FALSE(probe.renderFailed);
}

TEST_F(ProbeFailure, MissingFileIsARenderFailure) {
    const ProbeResult probe = ProbeExpectingFailure(OutputPath("no such file.mkv"));
    EXPECT_TRUE(probe.renderFailed);
    EXPECT_EQ(probe.failedStep, ProbeStep::RenderFile);
    EXPECT_EQ(probe.result, media::E_FILE_NOT_FOUND);
}

TEST_F(ProbeFailure, EmptyFileIsARenderFailure) {
    const ProbeResult probe = ProbeExpectingFailure(WriteFile("empty.mkv", {}));
    EXPECT_TRUE(probe.renderFailed);
    EXPECT_EQ(probe.result, media::VFW_E_FILE_EMPTY);
}

// Reading a named pipe without a writer would wait for good.
TEST_F(ProbeFailure, PipeFolderAndDeviceAreRefusedAtOnce) {
    const std::string pipe = OutputPath("pipe.mkv");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const std::string folder = OutputPath("folder.mkv");
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(folder)));
    for (const std::string& path : {pipe, folder, std::string("/dev/zero")}) {
        SCOPED_TRACE(path);
        const ProbeResult probe = ProbeExpectingFailure(path, 2000);
        EXPECT_TRUE(probe.renderFailed);
        EXPECT_EQ(probe.result, media::VFW_E_UNSUPPORTED_STREAM);
    }
}

TEST_F(ProbeFailure, TextFileNamedMkvIsARenderFailure) {
    QByteArray text;
    for (int i = 0; i < 200; ++i) {
        text += "This is a plain text file, not a movie. Line " + QByteArray::number(i) + "\n";
    }
    const ProbeResult probe = ProbeExpectingFailure(WriteFile("notes.mkv", text));
    EXPECT_TRUE(probe.renderFailed);
}

TEST_F(ProbeFailure, TruncatedFileFailsWithReason) {
    const std::string source = testmedia::Mp4();
    ASSERT_FALSE(source.empty());
    QFile file(QString::fromStdString(source));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    // ffmpeg writes the MP4 index at the end; cutting the file in half loses it.
    const QByteArray half = file.read(file.size() / 2);
    const std::string truncated = WriteFile("truncated.mp4", half);
    // Again and again, on one processor: with the plugins warm the demuxer's
    // error mostly comes while decodebin still holds its errors back, and
    // must not get lost.
    const testenv::ScopedSingleProcessor oneProcessor;
    for (int attempt = 0; attempt < 3; ++attempt) {
        SCOPED_TRACE(attempt);
        const ProbeResult probe = ProbeExpectingFailure(truncated, 3000);
        EXPECT_NE(probe.failedStep, ProbeStep::None);
        EXPECT_FALSE(probe.errorText.empty());
    }
}

// Root reads every file regardless of its mode, so as root the check runs again
// in a child process of this test binary under an unprivileged user.
TEST_F(ProbeFailure, UnreadableFileIsAccessDenied) {
    if (::geteuid() == 0) {
        const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
        if (setpriv.isEmpty()) {
            GTEST_SKIP() << "running as root, which reads any file, and setpriv is missing";
        }
        QProcessEnvironment env = testenv::ChildTestEnvironment();
        QTemporaryDir home(QDir::temp().filePath(QStringLiteral("probe-home-XXXXXX")));
        ASSERT_TRUE(home.isValid());
        ::chmod(QFile::encodeName(home.path()).constData(), 0777);
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("XDG_CACHE_HOME"), home.path());
        env.remove(QStringLiteral("GST_REGISTRY_UPDATE"));
        QProcess child;
        child.setProcessEnvironment(env);
        child.start(setpriv, {"--reuid=65534", "--regid=65534", "--clear-groups",
                              QCoreApplication::applicationFilePath(),
                              "--gtest_filter=ProbeFailure.UnreadableFileIsAccessDenied"});
        ASSERT_TRUE(child.waitForFinished(90000));
        const QByteArray output = child.readAllStandardOutput() + child.readAllStandardError();
        EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
        EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
        return;
    }
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("locked.mkv"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("0123456789");
    file.close();
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0), 0);
    const ProbeResult probe = ProbeExpectingFailure(path.toStdString());
    EXPECT_TRUE(probe.renderFailed);
    EXPECT_EQ(probe.result, media::E_ACCESSDENIED);
}

} // namespace
