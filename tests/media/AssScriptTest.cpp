#include "internal/SubtitleSidecar.h"
#include "internal/TextToAss.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using media::internal::AssScript;
using media::internal::ParseAssScript;

constexpr std::int64_t kNs = 1'000'000'000;

std::string Script(const std::string& dialogue) {
    return "\xEF\xBB\xBF[Script Info]\nScriptType: v4.00+\n\n[Events]\n"
           "Format: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\n" +
           dialogue;
}

// Times out of range are dropped with their event, never wrapped or cast out
// of range (the sanitizer build checks the arithmetic).
TEST(AssScript, KeepsEventsWithTimesInRangeOnly) {
    AssScript script;
    ASSERT_TRUE(ParseAssScript(
        Script("Dialogue: 0,0:00:03.50,0:00:05.00,Default,,0,0,0,,later, with comma\n"
               "Dialogue: 0,999:59:59.99,999:59:59.99,Default,,0,0,0,,last hour\n"
               "Dialogue: 0,2147483647:00:00.00,2147483647:00:01.00,Default,,0,0,0,,hours\n"
               "Dialogue: 0,1000:00:00.00,1000:00:01.00,Default,,0,0,0,,thousand\n"
               "Dialogue: 0,0:00:1e300,0:00:1e301,Default,,0,0,0,,seconds\n"
               "Dialogue: 0,0:00:nan,0:00:01.00,Default,,0,0,0,,not a number\n"
               "Dialogue: 0,0:-5:00.00,0:00:01.00,Default,,0,0,0,,negative\n"
               "Dialogue: 0,0:75:00.00,0:76:00.00,Default,,0,0,0,,minutes\n"
               "Dialogue: 0,0:00:02.00,0:00:01.00,Default,,0,0,0,,ends first\n"
               "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,first\n"),
        script));
    ASSERT_EQ(script.events.size(), 3u);
    EXPECT_EQ(script.events[0].startNs, kNs);
    EXPECT_EQ(script.events[0].durationNs, kNs);
    EXPECT_EQ(script.events[0].block, "9,0,Default,,0,0,0,,first");
    EXPECT_EQ(script.events[1].startNs, 3 * kNs + kNs / 2);
    EXPECT_EQ(script.events[1].block, "0,0,Default,,0,0,0,,later, with comma");
    EXPECT_EQ(script.events[2].startNs, (999 * 3600 + 59 * 60 + 59) * kNs + 990'000'000);
    EXPECT_EQ(script.events[2].durationNs, 0);
}

TEST(AssScript, AFileTooLargeToReadIsRefused) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString small = dir.filePath("small.ass");
    const QString large = dir.filePath("large.ass");
    for (const QString& path : {small, large}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(
            Script("Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,text\n")));
        if (path == large) {
            // Sparse: no disk space taken.
            ASSERT_TRUE(file.resize(media::internal::kMaxSubtitleFileBytes + 1));
        }
    }
    using media::internal::SidecarFormat;
    AssScript script;
    EXPECT_TRUE(
        media::internal::ReadSidecarScript({small.toStdString(), SidecarFormat::Ass}, script));
    EXPECT_EQ(script.events.size(), 1u);
    EXPECT_FALSE(
        media::internal::ReadSidecarScript({large.toStdString(), SidecarFormat::Ass}, script));
}

// SRT as written by hand and by tools: CR LF or LF, a missing blank line, a
// point for the comma, position fields, cues out of order, a cue with bad
// times; its tags become override tags of the default style.
TEST(SrtScript, ReadsCuesAsEventsOfTheDefaultStyle) {
    AssScript script;
    ASSERT_TRUE(media::internal::ParseSrtScript(
        "\xEF\xBB\xBF"
        "1\r\n00:00:05,000 --> 00:00:06,500\r\n<font color=\"#FFFF00\">late</font>\r\n"
        "\r\n2\n00:00:01.25 --> 00:00:02,000 X1:10 X2:20 Y1:5 Y2:9\n<i>first</i> line\nsecond "
        "line\n"
        "3\n00:00:03,000 --> 00:00:04,000\nno blank line before\n\n"
        "4\n00:00:09,000 --> 00:00:08,000\nends before it starts\n\n"
        "5\n00:00:10,000 --> 00:0x:11,000\nbad time\n\n"
        "6\n00:00:12,000 --> 00:00:13,000\n\n",
        script));
    EXPECT_EQ(script.header, media::internal::TextToAssHeader());
    ASSERT_EQ(script.events.size(), 3u);
    EXPECT_EQ(script.events[0].startNs, kNs + kNs / 4);
    EXPECT_EQ(script.events[0].durationNs, 3 * kNs / 4);
    EXPECT_EQ(script.events[0].block, "1,0,Default,,0,0,0,,{\\i1}first{\\i0} line\\Nsecond line");
    EXPECT_EQ(script.events[1].startNs, 3 * kNs);
    EXPECT_EQ(script.events[1].block, "2,0,Default,,0,0,0,,no blank line before");
    EXPECT_EQ(script.events[2].startNs, 5 * kNs);
    EXPECT_EQ(script.events[2].block, "0,0,Default,,0,0,0,,{\\c&H00FFFF&}late{\\c}");

    // Not UTF-8: Windows-1252, as older files are written.
    ASSERT_TRUE(media::internal::ParseSrtScript(
        "1\n00:00:01,000 --> 00:00:02,000\nd\xE9j\xE0 \x80 5\n", script));
    ASSERT_EQ(script.events.size(), 1u);
    EXPECT_EQ(script.events[0].block, "0,0,Default,,0,0,0,,d\xC3\xA9j\xC3\xA0 \xE2\x82\xAC 5");
    EXPECT_FALSE(media::internal::ParseSrtScript("just text\n\nno times\n", script));
}

} // namespace
