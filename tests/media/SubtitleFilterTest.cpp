// The subtitle filter in rendered graphs: when it joins, what it draws and
// where, and that graphs holding it play through, seek and finish.

#include "SubtitleFilter.h"
#include "FilterGraph.h"
#include "FrameSink.h"
#include "MediaTestSupport.h"
#include "SubtitleMedia.h"
#include "TestMedia.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryFile>

#include <optional>

namespace {

using namespace media;
using namespace testmedia;

const QColor kRed(255, 0, 0);

QImage ToImage(const VideoFrame& frame) {
    return QImage(frame.bits(), frame.width(), frame.height(), frame.bytesPerLine(),
                  QImage::Format_RGBX8888)
        .convertToFormat(QImage::Format_RGB888);
}

bool HasFilter(const FilterGraph& graph) {
    for (const Element& element : graph.EnumFilters()) {
        if (element.Name() == kSubtitleFilterName) {
            return true;
        }
    }
    return false;
}

class SubtitleFilterTest : public mediatest::MediaTest {
protected:
    void SetLevel(std::optional<int> level) {
        QSettings settings(QSettings::UserScope, kSubtitleFilterOrganization,
                           kSubtitleFilterApplication);
        settings.beginGroup(kSubtitleFilterSettingsGroup);
        if (level) {
            settings.setValue(kSubtitleFilterLoadLevelKey, *level);
        } else {
            settings.remove(kSubtitleFilterLoadLevelKey);
        }
    }

    // Renders `path` with the pictures going to a frame sink; null on failure.
    std::shared_ptr<FilterGraph> Render(const std::string& path) {
        std::shared_ptr<FilterGraph> graph;
        if (FilterGraph::Create(graph) != S_OK) {
            return {};
        }
        sink_ = std::make_shared<FrameSink>(&receiver_, [this](const VideoFrame& frame) {
            std::int64_t position = -1;
            sink_->position(position);
            frames_.push_back({position, ToImage(frame)});
        });
        graph->SetRendererFactory([sink = sink_](MajorType type) {
            return type == MajorType::Video ? sink->renderer() : Element();
        });
        const Result result = graph->RenderFile(path);
        EXPECT_TRUE(Succeeded(result)) << path << ": " << graph->LastErrorText();
        return Succeeded(result) ? graph : nullptr;
    }

    // The pictures near kSubtitleShownAt and kNoSubtitleAt of `path` played at
    // `level`. Played, not sought: a picture prerolled right after a seek can
    // go out before the overlay has the subtitle that covers it.
    std::pair<QImage, QImage> PlayedFrames(const std::string& path, int level) {
        SetLevel(level);
        std::shared_ptr<FilterGraph> graph = Render(path);
        if (!graph) {
            return {};
        }
        PlayToEnd(*graph);
        graph->Stop();
        return {KeptFrameNear(kSubtitleShownAt), KeptFrameNear(kNoSubtitleAt)};
    }

    // Plays the graph to its end, keeping the pictures shown on the way.
    void PlayToEnd(FilterGraph& graph) {
        frames_.clear();
        ASSERT_TRUE(Succeeded(graph.Run()));
        long code = 0;
        Result waited = E_ABORT;
        mediatest::ProcessEventsUntil(
            [&] {
                waited = graph.WaitForCompletion(20, code);
                return waited != E_ABORT;
            },
            60000);
        EXPECT_EQ(waited, S_OK) << graph.LastErrorText();
        EXPECT_EQ(code, EC_COMPLETE);
    }

    // The last picture kept whose time lies within 0.3 s of `seconds`.
    QImage KeptFrameNear(double seconds) const {
        for (auto it = frames_.rbegin(); it != frames_.rend(); ++it) {
            if (std::abs(it->first - seconds * kUnitsPerSecond) < 0.3 * kUnitsPerSecond) {
                return it->second;
            }
        }
        return {};
    }

    testenv::ScopedSettingsFolder settingsFolder_;
    QObject receiver_;
    std::shared_ptr<FrameSink> sink_;
    std::vector<std::pair<std::int64_t, QImage>> frames_;
};

// A cache name for a file made from `source`, so a new source makes a new file.
std::string MadeFrom(const std::string& source, const char* suffix) {
    return QFileInfo(QString::fromStdString(source)).completeBaseName().toStdString() + suffix;
}

// A copy of a subtitle-free clip beside a sidecar of the given name holding
// the script of MkvWithAss.
std::string ClipWithSidecar(const std::string& dir, const std::string& sidecarName) {
    const std::string scriptSource = RedEventScript();
    if (scriptSource.empty()) {
        return {};
    }
    const QDir folder(QString::fromStdString(dir));
    const QString clip = folder.filePath("clip.mkv");
    if (!QFile::copy(QString::fromStdString(MkvWithoutSubtitles()), clip) ||
        !QFile::copy(QString::fromStdString(scriptSource),
                     folder.filePath(QString::fromStdString(sidecarName)))) {
        return {};
    }
    return clip.toStdString();
}

TEST_F(SubtitleFilterTest, LoadLevelDecidesWhetherTheFilterJoins) {
    ASSERT_TRUE(SubtitleFilterInstalled());
    const std::string withSubtitles = MkvWithAss();
    const std::string without = MkvWithoutSubtitles();
    ASSERT_FALSE(withSubtitles.empty() || without.empty());
    struct Case {
        std::optional<int> level;
        bool withSubtitles;
        bool withoutSubtitles;
    };
    for (const Case& c : {Case{0, true, true}, Case{1, true, false}, Case{2, false, false},
                          Case{std::nullopt, true, false}}) {
        SetLevel(c.level);
        EXPECT_EQ(SubtitleFilterLoadLevel(), c.level.value_or(1));
        for (const auto& [path, expected] :
             {std::pair{withSubtitles, c.withSubtitles}, {without, c.withoutSubtitles}}) {
            std::shared_ptr<FilterGraph> graph = Render(path);
            ASSERT_TRUE(graph);
            EXPECT_EQ(HasFilter(*graph), expected) << path << " level " << c.level.value_or(-1);
            // Callers find the source by the file's name.
            EXPECT_TRUE(graph->FindFilterByName(
                QFileInfo(QString::fromStdString(path)).fileName().toStdString()));
            const Element filter = graph->FindFilterByName(kSubtitleFilterName);
            if (filter) {
                // Between the converter and the renderer; never taken for a renderer.
                EXPECT_EQ(filter.PadCount(PadDirection::Output), 1);
                EXPECT_EQ(filter.FindPad("sink").ConnectedTo().Owner().FactoryName(),
                          "videoconvert");
                EXPECT_TRUE(filter.FindPad("src").ConnectedTo().Owner() == sink_->renderer());
            }
        }
    }
    QSettings(QSettings::UserScope, kSubtitleFilterOrganization, kSubtitleFilterApplication)
        .setValue(QStringLiteral("General/LoadLevel"), "often");
    EXPECT_EQ(SubtitleFilterLoadLevel(), kSubtitleFilterWithSubtitles);
}

struct DrawCase {
    const char* name;
    std::function<std::string(const std::string& dir)> make;
    QRect (*area)(QSize);
    bool red;
};

class SubtitleDrawingTest : public SubtitleFilterTest,
                            public ::testing::WithParamInterface<DrawCase> {};

// Each source of subtitles is drawn at its time, in its place, and only then.
TEST_P(SubtitleDrawingTest, DrawnWhileTheEventLasts) {
    QTemporaryDir dir;
    const std::string path = GetParam().make(dir.path().toStdString());
    ASSERT_FALSE(path.empty());
    const auto [plainShown, plainLater] = PlayedFrames(path, kSubtitleFilterNever);
    const auto [shown, later] = PlayedFrames(path, kSubtitleFilterWithSubtitles);
    ASSERT_FALSE(plainShown.isNull() || plainLater.isNull() || shown.isNull() || later.isNull());
    const QRect area = GetParam().area(shown.size());
    EXPECT_GT(DifferingShare(shown, plainShown, area), 0.3);
    EXPECT_LT(DifferingShare(later, plainLater, area), 0.02);
    if (GetParam().red) {
        EXPECT_GT(ColourShare(shown, area, kRed), 0.8);
        EXPECT_LT(ColourShare(later, area, kRed), 0.02);
    }
}

// Sources both the picture and the playback tests use.
const DrawCase kEmbeddedAss{"EmbeddedAss", [](const std::string&) { return MkvWithAss(); },
                            SubtitleArea, true};
const DrawCase kEmbeddedSrt{"EmbeddedSrt", [](const std::string&) { return MkvWithSrt(); },
                            PlainTextArea, false};
const DrawCase kSidecarSrt{"SidecarUpperCaseSrt",
                           [](const std::string&) { return Mp4WithSidecarSrt(); }, PlainTextArea,
                           false};

INSTANTIATE_TEST_SUITE_P(Sources, SubtitleDrawingTest,
                         ::testing::Values(kEmbeddedAss, kEmbeddedSrt, kSidecarSrt,
                                           DrawCase{"SidecarAss",
                                                    [](const std::string& dir) {
                                                        return ClipWithSidecar(dir, "clip.Ass");
                                                    },
                                                    SubtitleArea, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// Of two subtitle streams the one flagged default is drawn.
TEST_F(SubtitleFilterTest, DrawsTheDefaultStream) {
    ASSERT_FALSE(MkvWithAss().empty() || MkvWithSrt().empty());
    const std::string path = Ensure(MadeFrom(MkvWithAss(), "-srt-default-second.mkv"),
                                    {"-i", QString::fromStdString(MkvWithAss()), "-i",
                                     QString::fromStdString(MkvWithSrt()), "-map", "0:v", "-map",
                                     "0:a", "-map", "0:s", "-map", "1:s", "-c", "copy",
                                     "-disposition:s:0", "0", "-disposition:s:1", "default"});
    ASSERT_FALSE(path.empty());
    const QImage plain = PlayedFrames(path, kSubtitleFilterNever).first;
    const QImage drawn = PlayedFrames(path, kSubtitleFilterWithSubtitles).first;
    ASSERT_FALSE(plain.isNull() || drawn.isNull());
    EXPECT_GT(DifferingShare(drawn, plain, PlainTextArea(drawn.size())), 0.3);
    EXPECT_LT(ColourShare(drawn, SubtitleArea(drawn.size()), kRed), 0.02);
}

// A font attached to the file reaches libass: the same script draws other
// shapes with the attachment than without it (where fontconfig falls back).
TEST_F(SubtitleFilterTest, AttachedFontIsUsed) {
    const QString font = QStringLiteral("/usr/share/directfb-1.7.7/decker.ttf");
    if (!QFileInfo::exists(font)) {
        GTEST_SKIP() << "no font outside the system's font folders to attach";
    }
    QFile scriptFile(QString::fromStdString(MediaDir()) + "/attached-font-1s-2s.ass");
    ASSERT_TRUE(scriptFile.open(QIODevice::WriteOnly));
    scriptFile.write("[Script Info]\nScriptType: v4.00+\nPlayResX: 320\nPlayResY: 240\n\n"
                     "[V4+ Styles]\nFormat: Name, Fontname, Fontsize, PrimaryColour, "
                     "SecondaryColour, OutlineColour, BackColour, Bold, Italic, Underline, "
                     "StrikeOut, ScaleX, ScaleY, Spacing, Angle, BorderStyle, Outline, Shadow, "
                     "Alignment, MarginL, MarginR, MarginV, Encoding\n"
                     "Style: Default,Decker,48,&H000000FF,&H000000FF,&H000000FF,&H00000000,0,0,0,"
                     "0,100,100,0,0,1,0,0,8,10,10,20,1\n\n[Events]\n"
                     "Format: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, "
                     "Text\nDialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,WMWMW\n");
    scriptFile.close();
    const QStringList common = {"-i",   QString::fromStdString(MkvWithoutAudio()),
                                "-i",   scriptFile.fileName(),
                                "-map", "0:v",
                                "-map", "1:s",
                                "-c:v", "copy",
                                "-c:s", "ass"};
    const std::string attached =
        Ensure(MadeFrom(MkvWithoutAudio(), "-attached-font.mkv"),
               common + QStringList{"-attach", font, "-metadata:s:t",
                                    "mimetype=application/x-truetype-font"});
    const std::string fallback = Ensure(MadeFrom(MkvWithoutAudio(), "-fallback-font.mkv"), common);
    ASSERT_FALSE(attached.empty() || fallback.empty());
    const QImage withFont = PlayedFrames(attached, kSubtitleFilterWithSubtitles).first;
    const QImage withoutFont = PlayedFrames(fallback, kSubtitleFilterWithSubtitles).first;
    ASSERT_FALSE(withFont.isNull() || withoutFont.isNull());
    const QRect textLine(0, 0, withFont.width(), withFont.height() / 3);
    EXPECT_GT(ColourShare(withFont, textLine, kRed), 0.02);
    EXPECT_GT(ColourShare(withoutFont, textLine, kRed), 0.02);
    EXPECT_GT(DifferingShare(withFont, withoutFont, textLine), 0.03);
}

// Plain-text cues look as the common tools draw them, colour tags included: a
// picture of ours is far closer to ffmpeg's libass drawing of the same cues
// than that is to the picture without them, on dark and bright pictures, and
// the cue goes at its end.
struct LookCase {
    const char* name;
    const char* colour; // of the whole picture
    bool sidecar;       // the cues beside an MP4, else a track of an MKV
};

class TextSubtitleLookTest : public SubtitleFilterTest,
                             public ::testing::WithParamInterface<LookCase> {};

// The cues, in the media cache: ffmpeg reads them as a file.
std::string LookCues() {
    const QByteArray cues = "1\n00:00:01,000 --> 00:00:02,000\n"
                            "Readable <i>subtitle</i> text\non <font color=\"#ffff00\">two</font> "
                            "lines\n\n";
    const QString path =
        QDir(QString::fromStdString(MediaDir())).filePath("look-cues-colour-1s-2s.srt");
    if (QFileInfo(path).size() == cues.size()) {
        return path.toStdString();
    }
    // Test processes running in parallel may write it at once.
    QTemporaryFile file(path + ".XXXXXX.tmp");
    file.setAutoRemove(false);
    bool written = file.open() && file.write(cues) == cues.size();
    file.close();
    written = written && PublishAtomically(file.fileName(), path);
    if (!written) {
        ADD_FAILURE() << "cannot write " << path.toStdString();
        return {};
    }
    return path.toStdString();
}

// ffmpeg's picture of `clip` at `seconds`, with `cues` drawn by its subtitles
// filter unless empty; null on failure. Its defaults differ from the filter's
// style only in the face's name and a thinner outline without shadow; those
// are set to the filter's, the rest (size, place, wrapping) is ffmpeg's own.
QImage ReferenceFrame(const std::string& clip, const std::string& cues, double seconds) {
    QStringList args = {"-v", "error", "-i", QString::fromStdString(clip)};
    if (!cues.empty()) {
        // Filter arguments give ':' and quotes a meaning; the cache path has none.
        if (QString::fromStdString(cues).contains(QRegularExpression("[^A-Za-z0-9/._-]"))) {
            ADD_FAILURE() << "cannot pass " << cues << " to ffmpeg's filter";
            return {};
        }
        args << "-vf"
             << QString::fromStdString("subtitles=" + cues +
                                       ":force_style='FontName=Sans,Outline=2,Shadow=1,"
                                       "BackColour=&H80000000'");
    }
    // Seeking on the output keeps the cues' times on the clip's own clock.
    args << "-ss" << QString::number(seconds) << "-frames:v"
         << "1"
         << "-f"
         << "image2pipe"
         << "-vcodec"
         << "png"
         << "-";
    QByteArray png;
    if (Run("ffmpeg", args, &png) != 0) {
        return {};
    }
    return QImage::fromData(png, "PNG").convertToFormat(QImage::Format_RGB888);
}

// Mean squared difference per colour channel of two pictures of one size.
double MeanSquaredError(const QImage& a, const QImage& b) {
    double sum = 0.0;
    for (int y = 0; y < a.height(); ++y) {
        const uchar* p = a.constScanLine(y);
        const uchar* q = b.constScanLine(y);
        for (int x = 0; x < a.width() * 3; ++x) {
            const double d = static_cast<double>(p[x]) - q[x];
            sum += d * d;
        }
    }
    return sum / (3.0 * a.width() * a.height());
}

TEST_P(TextSubtitleLookTest, MatchesTheCommonToolsDrawing) {
    const LookCase& look = GetParam();
    const std::string cues = LookCues();
    const std::string clean =
        Ensure(std::string("look-") + look.colour + "-640x360-3s.mp4",
               {"-f", "lavfi", "-i", QStringLiteral("color=c=%1:s=640x360:r=25").arg(look.colour),
                "-t", "3", "-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p"});
    ASSERT_FALSE(cues.empty() || clean.empty());
    QTemporaryDir dir;
    std::string path = dir.filePath("clip.mp4").toStdString();
    if (look.sidecar) {
        ASSERT_TRUE(QFile::copy(QString::fromStdString(clean), dir.filePath("clip.mp4")) &&
                    QFile::copy(QString::fromStdString(cues), dir.filePath("clip.srt")));
    } else {
        path = Ensure(std::string("look-") + look.colour + "-640x360-3s-colour-srt.mkv",
                      {"-i", QString::fromStdString(clean), "-i", QString::fromStdString(cues),
                       "-map", "0:v", "-map", "1:s", "-c:v", "copy", "-c:s", "srt"});
        ASSERT_FALSE(path.empty());
    }
    const auto [shown, later] = PlayedFrames(path, kSubtitleFilterWithSubtitles);
    const QImage reference = ReferenceFrame(clean, cues, kSubtitleShownAt);
    const QImage plain = ReferenceFrame(clean, {}, kSubtitleShownAt);
    const QImage plainLater = ReferenceFrame(clean, {}, kNoSubtitleAt);
    ASSERT_FALSE(shown.isNull() || later.isNull() || reference.isNull() || plain.isNull() ||
                 plainLater.isNull());
    ASSERT_TRUE(shown.size() == reference.size() && later.size() == reference.size() &&
                plain.size() == reference.size() && plainLater.size() == reference.size());
    const double subtitle = MeanSquaredError(reference, plain);
    const double ours = MeanSquaredError(shown, reference);
    const double afterEnd = MeanSquaredError(later, plainLater);
    RecordProperty("mse_reference_vs_plain", QString::number(subtitle).toStdString());
    RecordProperty("mse_ours_vs_reference", QString::number(ours).toStdString());
    RecordProperty("mse_after_end_vs_plain", QString::number(afterEnd).toStdString());
    ASSERT_GT(subtitle, 10.0) << "ffmpeg drew no subtitle";
    EXPECT_LE(ours, subtitle / 5);
    EXPECT_LE(afterEnd, subtitle / 20) << "the cue outlasts its end";
}

INSTANTIATE_TEST_SUITE_P(Pictures, TextSubtitleLookTest,
                         ::testing::Values(LookCase{"DarkTrack", "black", false},
                                           LookCase{"DarkSidecar", "black", true},
                                           LookCase{"BrightTrack", "white", false},
                                           LookCase{"BrightSidecar", "white", true}),
                         [](const auto& info) { return std::string(info.param.name); });

// Graphs with the filter play to their end despite long stretches without
// subtitles, and show them again after a flushing seek back to the start.
class SubtitlePlaybackTest : public SubtitleFilterTest,
                             public ::testing::WithParamInterface<DrawCase> {};

TEST_P(SubtitlePlaybackTest, PlaysToTheEndAndAgainAfterRewinding) {
    QTemporaryDir dir;
    const std::string path = GetParam().make(dir.path().toStdString());
    ASSERT_FALSE(path.empty());
    std::shared_ptr<FilterGraph> graph = Render(path);
    ASSERT_TRUE(graph);
    ASSERT_TRUE(HasFilter(*graph));
    for (int pass = 0; pass < 2; ++pass) {
        SCOPED_TRACE(pass);
        PlayToEnd(*graph);
        const QImage shown = KeptFrameNear(kSubtitleShownAt);
        const QImage plain = KeptFrameNear(0.5);
        ASSERT_FALSE(shown.isNull() || plain.isNull());
        const QRect area = GetParam().area(shown.size());
        EXPECT_GT(DifferingShare(shown, plain, area), 0.3);
        if (GetParam().red) {
            EXPECT_GT(ColourShare(shown, area, kRed), 0.8);
        }
        ASSERT_EQ(graph->SetPositions(0, Positioning::Absolute, 0, Positioning::None), S_OK);
    }
    EXPECT_TRUE(Succeeded(graph->Stop()));
}

INSTANTIATE_TEST_SUITE_P(
    Sources, SubtitlePlaybackTest,
    ::testing::Values(
        kEmbeddedAss, kEmbeddedSrt, kSidecarSrt,
        DrawCase{"SidecarSsa",
                 [](const std::string& dir) { return ClipWithSidecar(dir, "clip.ssa"); },
                 SubtitleArea, true},
        DrawCase{"HdAss", [](const std::string&) { return HdMkvWithAss(4); }, SubtitleArea, true}),
    [](const auto& info) { return std::string(info.param.name); });

// A sidecar that cannot be read costs the subtitles, never the video: the file
// renders without the filter, and the graph names what it left out. Junk in
// front of well-formed cues costs nothing: the cues are drawn.
struct DamagedSidecar {
    const char* name;
    QByteArray bytes;
    bool cuesKept = false;
};

class DamagedSidecarTest : public SubtitleFilterTest,
                           public ::testing::WithParamInterface<DamagedSidecar> {};

TEST_P(DamagedSidecarTest, VideoRendersWithoutIt) {
    QTemporaryDir dir;
    const QString clip = dir.filePath("clip.mkv");
    const QString sidecar = dir.filePath("clip.srt");
    ASSERT_TRUE(QFile::copy(QString::fromStdString(MkvWithoutSubtitles()), clip));
    QFile file(sidecar);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(GetParam().bytes);
    file.close();
    SetLevel(kSubtitleFilterWithSubtitles);
    std::shared_ptr<FilterGraph> graph = Render(clip.toStdString());
    ASSERT_TRUE(graph);
    if (GetParam().cuesKept) {
        EXPECT_TRUE(graph->SubtitlesLeftOut().sidecarPath.empty());
        EXPECT_TRUE(HasFilter(*graph));
        PlayToEnd(*graph);
        const QImage shown = KeptFrameNear(kSubtitleShownAt);
        const QImage plain = KeptFrameNear(0.5);
        ASSERT_FALSE(shown.isNull() || plain.isNull());
        EXPECT_GT(DifferingShare(shown, plain, PlainTextArea(shown.size())), 0.3);
    } else {
        EXPECT_EQ(graph->SubtitlesLeftOut().sidecarPath, sidecar.toStdString());
        EXPECT_FALSE(HasFilter(*graph));
    }
    EXPECT_TRUE(Succeeded(graph->Stop()));
}

QByteArray RandomBytes(int size) {
    QByteArray bytes(size, '\0');
    std::uint32_t state = 2463534242u; // xorshift: the same bytes every run
    for (char& byte : bytes) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        byte = static_cast<char>(state);
    }
    return bytes;
}

const QByteArray kCue = "1\n00:00:01,000 --> 00:00:02,000\nHello\n\n";

INSTANTIATE_TEST_SUITE_P(
    Damage, DamagedSidecarTest,
    ::testing::Values(DamagedSidecar{"RandomBytes", RandomBytes(20000)},
                      DamagedSidecar{"MegabyteLine", kCue + QByteArray(1 << 20, 'A') + "\n"},
                      DamagedSidecar{"ByteOrderMarkOnly", "\xEF\xBB\xBF"},
                      DamagedSidecar{"BrokenTimes", "1\n00:00:xx,500 --> 00:0y:02,000\nHi\n\n"
                                                    "2\n99:99:99 --> -1:00:00,000\nHo\n"},
                      DamagedSidecar{"JunkBeforeTheCues", RandomBytes(3000) + "\n\n" + kCue, true}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
