#pragma once

// Test media made with ffmpeg on demand and checked with ffprobe. Files are
// cached in CONVERTERS_TEST_MEDIA_DIR; each is written under a temporary name
// and renamed into place, so test processes running in parallel never see a
// half-written file.

#include <QStringList>

#include <string>
#include <vector>

namespace testmedia {

// The cache folder (created on first use).
std::string MediaDir();

// Makes fileName in the cache by running ffmpeg with args (the output path is
// appended) unless it is there already. Empty string when ffmpeg failed; the
// failure is recorded on the running test.
std::string Ensure(const std::string& fileName, const QStringList& args);

// An ASS subtitle script with a few events over the first seconds.
std::string SubtitleScript();

// H.264 + AAC + ASS subtitles in Matroska, testsrc2 pattern, stereo sine.
std::string MakeMkv(int width, int height, int fps, int seconds);
std::string Mkv640x480();    // 25 fps, 10 s
std::string Mp4();           // H.264 + AAC, 320x240, 25 fps, 3 s
std::string AviMpeg4Mp3();   // MPEG-4 video + MP3, 320x240, 25 fps, 3 s
std::string WebmVp8Vorbis(); // 320x240, 25 fps, 3 s
std::string AnimatedGif();   // 160x120, 10 fps, 2 s
std::string AudioOnlyM4a();  // AAC, 2 s
// H.264 in Matroska, 160x120, 1 s. At 1000 fps the frame duration equals the
// container's time unit, so ffmpeg leaves it out and the file states no rate.
std::string MkvAt(int fps);
// One such frame alone: no rate stated and none to measure.
std::string MkvSingleFrameWithoutRate();

struct StreamInfo {
    std::string codecType; // "video", "audio", "subtitle"
    std::string codecName;
    std::string profile; // "High", "LC", ...
    std::string pixelFormat;
    int width = 0;
    int height = 0;
    std::string frameRate; // r_frame_rate, e.g. "30000/1001"
    double duration = 0.0; // seconds, 0 when unknown
};

struct ProbeInfo {
    bool ok = false;
    double duration = 0.0; // of the container, seconds
    std::vector<StreamInfo> streams;
    // First stream of the type, or null.
    const StreamInfo* First(const std::string& codecType) const;
};

ProbeInfo Probe(const std::string& path);

// A rate as ffprobe writes it ("30000/1001", "25") in frames per second.
double FramesPerSecond(const std::string& rate);

// Decodes every stream to the end; errors receives ffmpeg's complaints.
bool DecodesCleanly(const std::string& path, std::string* errors);

// Publishes the finished file `tempPath` under `finalPath` in one step,
// unless a parallel test process published that name first (its copy then
// stays and `tempPath` goes). False when neither happened.
bool PublishAtomically(const QString& tempPath, const QString& finalPath);

// Runs a program; returns its exit code (-1 when it could not run or timed out).
int Run(const QString& program, const QStringList& args, QByteArray* output = nullptr,
        QByteArray* errors = nullptr, int timeoutMs = 120000);

} // namespace testmedia
