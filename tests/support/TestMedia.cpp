#include "TestMedia.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace testmedia {

namespace {

QString TempNameFor(const QString& finalPath) {
    const QFileInfo info(finalPath);
    // Keep the extension last: ffmpeg picks the container from it.
    return info.dir().filePath(QStringLiteral(".%1.%2-%3.%4")
                                   .arg(info.completeBaseName())
                                   .arg(QCoreApplication::applicationPid())
                                   .arg(QRandomGenerator::global()->generate())
                                   .arg(info.suffix()));
}

} // namespace

bool PublishAtomically(const QString& tempPath, const QString& finalPath) {
    // link() publishes the complete file under its name at once and never
    // replaces one a parallel test process published first: that one may be
    // open in a graph already, and a new file under its name would be read
    // half from each.
    const QByteArray temp = QFile::encodeName(tempPath);
    const bool published =
        ::link(temp.constData(), QFile::encodeName(finalPath).constData()) == 0 || errno == EEXIST;
    ::unlink(temp.constData());
    return published;
}

int Run(const QString& program, const QStringList& args, QByteArray* output, QByteArray* errors,
        int timeoutMs) {
    QProcess process;
    process.start(program, args);
    if (!process.waitForStarted(10000)) {
        return -1;
    }
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(5000);
        return -1;
    }
    if (output != nullptr) {
        *output = process.readAllStandardOutput();
    }
    if (errors != nullptr) {
        *errors = process.readAllStandardError();
    }
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

std::string MediaDir() {
    QString dir = qEnvironmentVariable("CONVERTERS_TEST_MEDIA_DIR");
    if (dir.isEmpty()) {
        dir = QDir::temp().filePath(QStringLiteral("converters-test-media"));
    }
    QDir().mkpath(dir);
    return dir.toStdString();
}

std::string Ensure(const std::string& fileName, const QStringList& args) {
    const QString finalPath =
        QDir(QString::fromStdString(MediaDir())).filePath(QString::fromStdString(fileName));
    if (QFileInfo(finalPath).size() > 0) {
        return finalPath.toStdString();
    }
    const QString tempPath = TempNameFor(finalPath);
    QStringList full = {QStringLiteral("-y"), QStringLiteral("-v"), QStringLiteral("error")};
    full << args << tempPath;
    QByteArray errors;
    const int code = Run(QStringLiteral("ffmpeg"), full, nullptr, &errors);
    if (code != 0 || !PublishAtomically(tempPath, finalPath)) {
        QFile::remove(tempPath);
        ADD_FAILURE() << "ffmpeg could not make " << fileName << ": " << errors.toStdString();
        return {};
    }
    return finalPath.toStdString();
}

std::string SubtitleScript() {
    const QString path =
        QDir(QString::fromStdString(MediaDir())).filePath(QStringLiteral("subtitles.ass"));
    if (QFileInfo::exists(path)) {
        return path.toStdString();
    }
    static const char kScript[] =
        "[Script Info]\nScriptType: v4.00+\nPlayResX: 640\nPlayResY: 480\n\n"
        "[V4+ Styles]\nFormat: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, "
        "OutlineColour, BackColour, Bold, Italic, Underline, StrikeOut, ScaleX, ScaleY, "
        "Spacing, Angle, BorderStyle, Outline, Shadow, Alignment, MarginL, MarginR, MarginV, "
        "Encoding\n"
        "Style: Default,DejaVu Sans,28,&H00FFFFFF,&H000000FF,&H00000000,&H00000000,0,0,0,0,"
        "100,100,0,0,1,2,0,2,10,10,10,1\n\n"
        "[Events]\nFormat: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, "
        "Text\n"
        "Dialogue: 0,0:00:00.50,0:00:02.00,Default,,0,0,0,,First line\n"
        "Dialogue: 0,0:00:02.50,0:00:04.00,Default,,0,0,0,,Second line\n"
        "Dialogue: 0,0:00:05.00,0:00:07.00,Default,,0,0,0,,Third line\n";
    const QString tempPath = TempNameFor(path);
    QFile file(tempPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(kScript) < 0) {
        ADD_FAILURE() << "cannot write " << tempPath.toStdString();
        return {};
    }
    file.close();
    if (!PublishAtomically(tempPath, path)) {
        QFile::remove(tempPath);
    }
    return path.toStdString();
}

std::string MakeMkv(int width, int height, int fps, int seconds) {
    const std::string subtitles = SubtitleScript();
    if (subtitles.empty()) {
        return {};
    }
    const QString size = QStringLiteral("%1x%2").arg(width).arg(height);
    const QString name =
        QStringLiteral("h264-aac-ass-%1-%2fps-%3s.mkv").arg(size).arg(fps).arg(seconds);
    return Ensure(name.toStdString(),
                  {"-f",       "lavfi",
                   "-i",       QStringLiteral("testsrc2=size=%1:rate=%2").arg(size).arg(fps),
                   "-f",       "lavfi",
                   "-i",       "sine=frequency=440:sample_rate=48000",
                   "-i",       QString::fromStdString(subtitles),
                   "-t",       QString::number(seconds),
                   "-map",     "0:v",
                   "-map",     "1:a",
                   "-map",     "2:s",
                   "-c:v",     "libx264",
                   "-preset",  "ultrafast",
                   "-g",       QString::number(fps),
                   "-pix_fmt", "yuv420p",
                   "-c:a",     "aac",
                   "-ac",      "2",
                   "-c:s",     "ass"});
}

std::string Mkv640x480() {
    return MakeMkv(640, 480, 25, 10);
}

std::string Mp4() {
    return Ensure("h264-aac-320x240-25fps-3s.mp4",
                  {"-f", "lavfi", "-i", "testsrc2=size=320x240:rate=25", "-f", "lavfi", "-i",
                   "sine=frequency=330:sample_rate=44100", "-t", "3", "-c:v", "libx264", "-preset",
                   "ultrafast", "-pix_fmt", "yuv420p", "-c:a", "aac"});
}

std::string AviMpeg4Mp3() {
    return Ensure("mpeg4-mp3-320x240-25fps-3s.avi",
                  {"-f", "lavfi", "-i", "testsrc2=size=320x240:rate=25", "-f", "lavfi", "-i",
                   "sine=frequency=330:sample_rate=44100", "-t", "3", "-c:v", "mpeg4", "-c:a",
                   "libmp3lame"});
}

std::string WebmVp8Vorbis() {
    return Ensure("vp8-vorbis-320x240-25fps-3s.webm",
                  {"-f",        "lavfi",    "-i",        "testsrc2=size=320x240:rate=25",
                   "-f",        "lavfi",    "-i",        "sine=frequency=330:sample_rate=44100",
                   "-t",        "3",        "-c:v",      "libvpx",
                   "-deadline", "realtime", "-cpu-used", "8",
                   "-b:v",      "500k",     "-c:a",      "libvorbis",
                   "-ac",       "2"});
}

std::string AnimatedGif() {
    return Ensure("anim-160x120-10fps-2s.gif",
                  {"-f", "lavfi", "-i", "testsrc=size=160x120:rate=10", "-t", "2"});
}

std::string MkvAt(int fps) {
    return Ensure(QStringLiteral("h264-160x120-%1fps-1s.mkv").arg(fps).toStdString(),
                  {"-f", "lavfi", "-i", QStringLiteral("testsrc2=size=160x120:rate=%1").arg(fps),
                   "-t", "1", "-c:v", "libx264", "-pix_fmt", "yuv420p"});
}

std::string MkvSingleFrameWithoutRate() {
    return Ensure("h264-160x120-single-frame.mkv",
                  {"-f", "lavfi", "-i", "testsrc2=size=160x120:rate=1000", "-frames:v", "1", "-c:v",
                   "libx264", "-pix_fmt", "yuv420p"});
}

std::string AudioOnlyM4a() {
    return Ensure("aac-2s.m4a", {"-f", "lavfi", "-i", "sine=frequency=330:sample_rate=44100", "-t",
                                 "2", "-c:a", "aac"});
}

double FramesPerSecond(const std::string& rate) {
    const auto slash = rate.find('/');
    if (slash == std::string::npos) {
        return rate.empty() ? 0.0 : std::stod(rate);
    }
    return std::stod(rate.substr(0, slash)) / std::stod(rate.substr(slash + 1));
}

const StreamInfo* ProbeInfo::First(const std::string& codecType) const {
    for (const StreamInfo& stream : streams) {
        if (stream.codecType == codecType) {
            return &stream;
        }
    }
    return nullptr;
}

ProbeInfo Probe(const std::string& path) {
    ProbeInfo info;
    QByteArray output;
    const int code = Run(QStringLiteral("ffprobe"),
                         {"-v", "error", "-show_entries",
                          "stream=codec_type,codec_name,profile,pix_fmt,width,height,r_frame_rate,"
                          "duration:format=duration",
                          "-of", "json", QString::fromStdString(path)},
                         &output);
    if (code != 0) {
        return info;
    }
    const QJsonObject root = QJsonDocument::fromJson(output).object();
    info.duration = root.value("format").toObject().value("duration").toString().toDouble();
    for (const QJsonValue& value : root.value("streams").toArray()) {
        const QJsonObject stream = value.toObject();
        StreamInfo s;
        s.codecType = stream.value("codec_type").toString().toStdString();
        s.codecName = stream.value("codec_name").toString().toStdString();
        s.profile = stream.value("profile").toString().toStdString();
        s.pixelFormat = stream.value("pix_fmt").toString().toStdString();
        s.width = stream.value("width").toInt();
        s.height = stream.value("height").toInt();
        s.frameRate = stream.value("r_frame_rate").toString().toStdString();
        s.duration = stream.value("duration").toString().toDouble();
        info.streams.push_back(s);
    }
    info.ok = true;
    return info;
}

bool DecodesCleanly(const std::string& path, std::string* errors) {
    QByteArray stderrText;
    const int code = Run(QStringLiteral("ffmpeg"),
                         {"-v", "error", "-i", QString::fromStdString(path), "-f", "null", "-"},
                         nullptr, &stderrText);
    if (errors != nullptr) {
        *errors = stderrText.toStdString();
    }
    return code == 0 && stderrText.trimmed().isEmpty();
}

} // namespace testmedia
