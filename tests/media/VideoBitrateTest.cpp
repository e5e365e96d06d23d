// The bitrate a person sets reaches the video encoder: each MPEG-4 family
// encoder of the catalogue writes about the bitrate asked for, and more bits
// buy a picture closer to the source.

#include "ConversionSupport.h"
#include "MediaTestSupport.h"
#include "TestMedia.h"

#include <QRegularExpression>

#include <string>

namespace {

using namespace media;
using namespace mediatest;

struct Clip {
    int width;
    int height;
    int fps;
    int seconds;
    // Targets the codecs reach on this busy test pattern: below about
    // 1.3 Mbit/s at 1280x720 and 0.65 Mbit/s at 640x480 their coarsest
    // quantizer already spends more, and over 4 s the first key frames add
    // about 0.3 Mbit/s.
    int lowBitrate;
    int highBitrate;
};

// Bits per second of the first video stream, from its packets.
double StreamBitrate(const std::string& path, double seconds) {
    QByteArray sizes;
    EXPECT_EQ(testmedia::Run("ffprobe",
                             {"-v", "error", "-select_streams", "v:0", "-show_entries",
                              "packet=size", "-of", "csv=p=0", QString::fromStdString(path)},
                             &sizes),
              0);
    double bytes = 0;
    for (const QByteArray& line : sizes.split('\n')) {
        bytes += line.trimmed().toDouble();
    }
    return bytes * 8 / seconds;
}

// Mean PSNR of the output's video against the source's, in dB.
double Psnr(const std::string& output, const std::string& source) {
    QByteArray log;
    testmedia::Run("ffmpeg",
                   {"-v", "info", "-nostats", "-i", QString::fromStdString(output), "-i",
                    QString::fromStdString(source), "-lavfi", "[0:v][1:v]psnr", "-f", "null", "-"},
                   nullptr, &log);
    static const QRegularExpression average(QStringLiteral("PSNR .* average:([0-9.]+)"));
    const QRegularExpressionMatch match = average.match(QString::fromUtf8(log));
    EXPECT_TRUE(match.hasMatch()) << log.toStdString();
    return match.captured(1).toDouble();
}

// The rate control does not depend on the frame size: one encoder is held to
// its bitrates on the HD clip, the others on a short small one.
const Clip kHdClip{1280, 720, 30, 8, 2000000, 4000000};
const Clip kSmallClip{640, 480, 25, 4, 2000000, 4000000};

struct EncoderCase {
    const char* factory;
    const char* codec; // as ffprobe names it
    Clip clip;
};

class VideoBitrate : public MediaTest, public ::testing::WithParamInterface<EncoderCase> {};

TEST_P(VideoBitrate, FollowsTheTargetAndBuysQuality) {
    const Clip& clip = GetParam().clip;
    const std::string source = testmedia::MakeMkv(clip.width, clip.height, clip.fps, clip.seconds);
    ASSERT_FALSE(source.empty());
    const ReferenceTime length = clip.seconds * kUnitsPerSecond;
    double psnr[2] = {};
    int index = 0;
    for (const int target : {clip.lowBitrate, clip.highBitrate}) {
        SCOPED_TRACE(std::to_string(clip.width) + "x" + std::to_string(clip.height) + " at " +
                     std::to_string(target));
        const std::string output = OutputPath(std::to_string(target) + ".avi");
        const testmedia::ProbeInfo info = ConvertTimeline(
            MakeTimeline(source, {0, length, 0, length}, clip.width, clip.height, clip.fps), output,
            {GetParam().factory, nullptr, {{"bitrate", std::to_string(target)}}});
        ASSERT_TRUE(info.ok && info.First("video"));
        EXPECT_EQ(info.First("video")->codecName, GetParam().codec);
        EXPECT_NEAR(info.duration, clip.seconds, 0.1);
        EXPECT_NEAR(StreamBitrate(output, clip.seconds), target, 0.25 * target);
        psnr[index++] = Psnr(output, source);
    }
    EXPECT_GT(psnr[1], psnr[0] + 0.5);
}

INSTANTIATE_TEST_SUITE_P(MpegFourFamily, VideoBitrate,
                         ::testing::Values(EncoderCase{"avenc_mpeg4", "mpeg4", kHdClip},
                                           EncoderCase{"avenc_wmv2", "wmv2", kSmallClip},
                                           EncoderCase{"avenc_wmv1", "wmv1", kSmallClip},
                                           EncoderCase{"avenc_msmpeg4", "msmpeg4v3", kSmallClip}),
                         [](const ::testing::TestParamInfo<EncoderCase>& info) {
                             return std::string(info.param.codec);
                         });

} // namespace
