#include "SubtitleMedia.h"

#include "TestMedia.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace testmedia {

namespace {

// Full blocks make the event one solid red area, whatever the font.
const char kBlocks[] = "\u2588\u2588\u2588\u2588\u2588";

QString CachePath(const QString& name) {
    return QDir(QString::fromStdString(MediaDir())).filePath(name);
}

// Writes a text file into the cache once (its content never changes per name).
std::string WriteCached(const QString& name, const QByteArray& content) {
    const QString path = CachePath(name);
    if (QFileInfo(path).size() == content.size()) {
        return path.toStdString();
    }
    const QString temp = path + QStringLiteral(".%1.tmp").arg(QCoreApplication::applicationPid());
    QFile file(temp);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()) {
        ADD_FAILURE() << "cannot write " << temp.toStdString();
        return {};
    }
    file.close();
    if (!PublishAtomically(temp, path)) {
        ADD_FAILURE() << "cannot publish " << path.toStdString();
        return {};
    }
    return path.toStdString();
}

// A script at the frame's own resolution, so sizes scale with the picture.
QByteArray AssScript(int width, int height, const QList<std::pair<double, double>>& events) {
    const int fontSize = height / 6;
    QByteArray script = QStringLiteral("[Script Info]\nScriptType: v4.00+\nPlayResX: %1\n"
                                       "PlayResY: %2\n\n[V4+ Styles]\n"
                                       "Format: Name, Fontname, Fontsize, PrimaryColour, "
                                       "SecondaryColour, OutlineColour, BackColour, Bold, Italic, "
                                       "Underline, StrikeOut, ScaleX, ScaleY, Spacing, Angle, "
                                       "BorderStyle, Outline, Shadow, Alignment, MarginL, MarginR, "
                                       "MarginV, Encoding\n"
                                       "Style: Default,DejaVu Sans,%3,&H000000FF,&H000000FF,"
                                       "&H000000FF,&H00000000,-1,0,0,0,100,100,0,0,1,0,0,8,10,10,"
                                       "%4,1\n\n[Events]\n"
                                       "Format: Layer, Start, End, Style, Name, MarginL, MarginR, "
                                       "MarginV, Effect, Text\n")
                            .arg(width)
                            .arg(height)
                            .arg(fontSize)
                            .arg(height / 12)
                            .toUtf8();
    for (const auto& [start, end] : events) {
        const auto time = [](double seconds) {
            const int centis = static_cast<int>(seconds * 100 + 0.5);
            return QStringLiteral("%1:%2:%3.%4")
                .arg(centis / 360000)
                .arg(centis / 6000 % 60, 2, 10, QLatin1Char('0'))
                .arg(centis / 100 % 60, 2, 10, QLatin1Char('0'))
                .arg(centis % 100, 2, 10, QLatin1Char('0'));
        };
        script += QStringLiteral("Dialogue: 0,%1,%2,Default,,0,0,0,,%3\n")
                      .arg(time(start), time(end), QString::fromUtf8(kBlocks))
                      .toUtf8();
    }
    return script;
}

std::string SrtScript() {
    return WriteCached(QStringLiteral("event-1s-2s.srt"),
                       QByteArray("1\n00:00:01,000 --> 00:00:02,000\n") + kBlocks + "\n\n");
}

QStringList Picture(int width, int height, int fps) {
    // A small box sliding along the left edge, mid-height.
    return {"-f", "lavfi", "-i",
            QStringLiteral("color=c=gray:size=%1x%2:rate=%3,drawbox=x='mod(t*%4,%4)':y=%5:w=%6:"
                           "h=%6:color=blue:t=fill")
                .arg(width)
                .arg(height)
                .arg(fps)
                .arg(width / 8)
                .arg(height / 2 - height / 24)
                .arg(height / 12)};
}

QStringList Sound() {
    return {"-f", "lavfi", "-i", "sine=frequency=440:sample_rate=48000"};
}

// Output options; the length ends the endless generated inputs.
QStringList VideoCodec(int fps, double seconds) {
    return {"-t", QString::number(seconds), "-c:v",     "libx264", "-preset", "ultrafast",
            "-g", QString::number(fps),     "-pix_fmt", "yuv420p"};
}

QStringList AudioCodec() {
    return {"-c:a", "aac", "-ac", "2"};
}

// A 320x240 clip's cache name: `kind` and its length, so a change of length
// makes new files.
std::string ClipName(const char* kind, const char* extension) {
    return QStringLiteral("%1-320x240-%2s.%3")
        .arg(QLatin1String(kind), QString::number(kSubtitleClipSeconds), QLatin1String(extension))
        .toStdString();
}

} // namespace

std::string RedEventScript() {
    return WriteCached(QStringLiteral("red-event-1s-2s-320x240.ass"),
                       AssScript(320, 240, {{1.0, 2.0}}));
}

std::string MkvWithAss() {
    const std::string script = RedEventScript();
    if (script.empty()) {
        return {};
    }
    return Ensure(ClipName("sub-ass", "mkv"),
                  Picture(320, 240, 25) + Sound() +
                      QStringList{"-i", QString::fromStdString(script), "-map", "0:v", "-map",
                                  "1:a", "-map", "2:s"} +
                      VideoCodec(25, kSubtitleClipSeconds) + AudioCodec() +
                      QStringList{"-c:s", "ass"});
}

std::string MkvWithSrt() {
    const std::string script = SrtScript();
    if (script.empty()) {
        return {};
    }
    return Ensure(ClipName("sub-srt", "mkv"),
                  Picture(320, 240, 25) + Sound() +
                      QStringList{"-i", QString::fromStdString(script), "-map", "0:v", "-map",
                                  "1:a", "-map", "2:s"} +
                      VideoCodec(25, kSubtitleClipSeconds) + AudioCodec() +
                      QStringList{"-c:s", "srt"});
}

std::string Mp4WithSidecarSrt() {
    const std::string script = SrtScript();
    QFile source(QString::fromStdString(script));
    if (script.empty() || !source.open(QIODevice::ReadOnly)) {
        return {};
    }
    const std::string clip = ClipName("sidecar-srt", "mp4");
    const QString sidecar = QString::fromStdString(clip).chopped(4) + QStringLiteral(".SRT");
    if (WriteCached(sidecar, source.readAll()).empty()) {
        return {};
    }
    return Ensure(clip, Picture(320, 240, 25) + Sound() + VideoCodec(25, kSubtitleClipSeconds) +
                            AudioCodec());
}

std::string MkvWithoutSubtitles() {
    return Ensure(ClipName("nosub", "mkv"), Picture(320, 240, 25) + Sound() +
                                                VideoCodec(25, kSubtitleClipSeconds) +
                                                AudioCodec());
}

std::string MkvWithoutAudio() {
    const std::string script = RedEventScript();
    if (script.empty()) {
        return {};
    }
    return Ensure(
        ClipName("sub-ass-noaudio", "mkv"),
        Picture(320, 240, 25) +
            QStringList{"-i", QString::fromStdString(script), "-map", "0:v", "-map", "1:s"} +
            VideoCodec(25, kSubtitleClipSeconds) + QStringList{"-c:s", "ass"});
}

std::string HdMkvWithAss(int seconds) {
    // Short events every two seconds: 1.1-1.9, 3.1-3.9, ...
    QList<std::pair<double, double>> events;
    for (double start = 1.1; start < seconds; start += 2.0) {
        events.append({start, start + 0.8});
    }
    const std::string script =
        WriteCached(QStringLiteral("red-events-1.1s-every-2s-1280x720-%1s.ass").arg(seconds),
                    AssScript(1280, 720, events));
    if (script.empty()) {
        return {};
    }
    return Ensure(
        QStringLiteral("sub-ass-1.1s-every-2s-1280x720-%1s.mkv").arg(seconds).toStdString(),
        Picture(1280, 720, 30) + Sound() +
            QStringList{"-i", QString::fromStdString(script), "-map", "0:v", "-map", "1:a", "-map",
                        "2:s"} +
            VideoCodec(30, seconds) + AudioCodec() + QStringList{"-c:s", "ass"});
}

QRect SubtitleArea(QSize frame) {
    // The text spans about 0.3..0.7 of the width and 0.08..0.25 of the height;
    // this keeps inside it.
    return QRect(frame.width() * 40 / 100, frame.height() * 11 / 100, frame.width() * 20 / 100,
                 frame.height() * 11 / 100);
}

QRect PlainTextArea(QSize frame) {
    // The default style's text is 1/18 of the height, just above the bottom
    // margin: the blocks span about 0.43..0.57 of the width and 0.91..0.96
    // of the height.
    return QRect(frame.width() * 46 / 100, frame.height() * 92 / 100, frame.width() * 7 / 100,
                 frame.height() * 3 / 100);
}

QImage GrabFrame(const std::string& path, double seconds) {
    QByteArray png;
    const int code =
        Run(QStringLiteral("ffmpeg"),
            {"-v", "error", "-ss", QString::number(seconds), "-i", QString::fromStdString(path),
             "-frames:v", "1", "-f", "image2pipe", "-vcodec", "png", "-"},
            &png);
    if (code != 0) {
        return {};
    }
    QImage image = QImage::fromData(png, "PNG");
    return image.isNull() ? QImage() : image.convertToFormat(QImage::Format_RGB888);
}

double DifferingShare(const QImage& a, const QImage& b, const QRect& region, int threshold) {
    const QRect area = region & a.rect() & b.rect();
    if (area.isEmpty()) {
        return 0.0;
    }
    int differing = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor p = a.pixelColor(x, y);
            const QColor q = b.pixelColor(x, y);
            const int delta =
                std::max({std::abs(p.red() - q.red()), std::abs(p.green() - q.green()),
                          std::abs(p.blue() - q.blue())});
            differing += delta > threshold ? 1 : 0;
        }
    }
    return static_cast<double>(differing) / (area.width() * area.height());
}

double ColourShare(const QImage& image, const QRect& region, const QColor& colour, int tolerance) {
    const QRect area = region & image.rect();
    if (area.isEmpty()) {
        return 0.0;
    }
    int matching = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor p = image.pixelColor(x, y);
            const int delta =
                std::max({std::abs(p.red() - colour.red()), std::abs(p.green() - colour.green()),
                          std::abs(p.blue() - colour.blue())});
            matching += delta <= tolerance ? 1 : 0;
        }
    }
    return static_cast<double>(matching) / (area.width() * area.height());
}

// Whether the subtitle is in the output's picture: at its time the text area
// differs from the source, at a time without subtitle it does not.
void ExpectSubtitleDrawn(const std::string& source, const std::string& output, bool drawn,
                         bool redAss) {
    const QImage sourceShown = GrabFrame(source, kSubtitleShownAt);
    const QImage outputShown = GrabFrame(output, kSubtitleShownAt);
    const QImage sourceClear = GrabFrame(source, kNoSubtitleAt);
    const QImage outputClear = GrabFrame(output, kNoSubtitleAt);
    ASSERT_FALSE(sourceShown.isNull() || outputShown.isNull() || sourceClear.isNull() ||
                 outputClear.isNull());
    const QRect area =
        redAss ? SubtitleArea(sourceShown.size()) : PlainTextArea(sourceShown.size());
    const double shownDifference = DifferingShare(sourceShown, outputShown, area);
    if (drawn) {
        // Thin plain text covers less of its area than the bold styled line.
        EXPECT_GT(shownDifference, redAss ? 0.05 : 0.02) << "no subtitle in the picture";
    } else {
        EXPECT_LT(shownDifference, 0.01) << "something was drawn";
    }
    EXPECT_LT(DifferingShare(sourceClear, outputClear, area), 0.01);
    if (drawn && redAss) {
        EXPECT_GT(ColourShare(outputShown, area, QColor(255, 0, 0)), 0.02)
            << "the style's colour is missing";
    }
}

} // namespace testmedia
