// What a run from the command line writes while it converts, and the times it reads.
#include "ClockText.h"
#include "ConsoleProgress.h"
#include "LanguagePack.h"
#include "VeltranoStrings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>

namespace {

class ConsoleProgressTest : public ::testing::Test {
protected:
    ConsoleProgressTest() : stream_(std::tmpfile()) {
        uikit::Language().SetBuiltInStrings(res::VeltranoStrings());
    }
    ~ConsoleProgressTest() override { std::fclose(stream_); }

    std::string Written() {
        std::fflush(stream_);
        std::rewind(stream_);
        std::string text;
        for (int c = std::fgetc(stream_); c != EOF; c = std::fgetc(stream_)) {
            text.push_back(static_cast<char>(c));
        }
        return text;
    }

    std::FILE* stream_;
};

TEST_F(ConsoleProgressTest, ATerminalSeesOneLineRewrittenInPlace) {
    uikit::ProgressLine line(stream_, true);
    line.Show(3, 12, "Folge 03.mkv", -1.0, 0);
    line.Show(3, 12, "Folge 03.mkv", 0.45, 10);
    line.Show(3, 12, "Folge 03.mkv", 0.45, 10); // nothing new: not written again
    line.End("[3/12] Folge 03.mkv  Done");
    EXPECT_EQ(Written(), "\r[3/12] Folge 03.mkv\x1b[K"
                         "\r[3/12] Folge 03.mkv  45%  about 00:00:12 left\x1b[K"
                         "\r[3/12] Folge 03.mkv  Done\x1b[K\n");
}

TEST_F(ConsoleProgressTest, ALogGetsALineAtTheStartAndAtEachTenth) {
    uikit::ProgressLine line(stream_, false);
    for (const double done : {-1.0, 0.0, 0.05, 0.31, 0.35, 0.39, 1.0}) {
        line.Show(1, 2, "a.mkv", done, 0);
    }
    line.End("[1/2] a.mkv  Done");
    line.Show(2, 2, "b.mkv", 0.5, 0);
    EXPECT_EQ(Written(), "[1/2] a.mkv\n[1/2] a.mkv  0%\n[1/2] a.mkv  31%\n[1/2] a.mkv  100%\n"
                         "[1/2] a.mkv  Done\n[2/2] b.mkv  50%\n");
}

TEST(ClockTextTest, ReadsHoursMinutesSecondsAndAFraction) {
    const std::pair<const char*, std::optional<std::int64_t>> cases[] = {
        {"00:00:02", 2000},          {"01:02:03.5", 3723500},     {"123:59:59.999", 446399999},
        {"0:00:01", 1000},           {"00:60:00", std::nullopt},  {"00:01", std::nullopt},
        {"-00:00:01", std::nullopt}, {"00:00:01.", std::nullopt}, {"", std::nullopt}};
    for (const auto& [text, millis] : cases) {
        EXPECT_EQ(uikit::ParseClockText(text), millis) << text;
    }
}

} // namespace
