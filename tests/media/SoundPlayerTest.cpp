#include "SoundPlayer.h"
#include "MediaTestSupport.h"

#include <QDataStream>
#include <QElapsedTimer>
#include <QFile>

#include <memory>

namespace {

using media::SoundPlayer;
using mediatest::ProcessEventsUntil;

// A fake sink that keeps the clock, so a play lasts as long as the sound.
constexpr auto kTimedSink = "fakesink sync=true";
constexpr int kWaitMs = 5000;

QByteArray HoverWav() {
    QFile file(CONVERTERS_SOUND_DIR "/hover.wav");
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// `seconds` of silence as 8 kHz mono 16-bit PCM in a WAV file.
QByteArray SilentWav(int seconds) {
    constexpr quint32 kRate = 8000;
    const quint32 dataBytes = kRate * 2 * static_cast<quint32>(seconds);
    QByteArray wav;
    QDataStream out(&wav, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + dataBytes);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << kRate << quint32(kRate * 2) << quint16(2)
        << quint16(16);
    out.writeRawData("data", 4);
    out << dataBytes;
    return wav + QByteArray(static_cast<qsizetype>(dataBytes), '\0');
}

class SoundPlayerTest : public mediatest::MediaTest {};

TEST_F(SoundPlayerTest, PlayReturnsAtOnceEvenTwiceInARow) {
    SoundPlayer player(SilentWav(1), kTimedSink);
    QElapsedTimer clock;
    clock.start();
    player.Play();
    player.Play();
    // A second of sound: waiting for any of it to play would show here.
    EXPECT_LT(clock.elapsed(), 300);
    EXPECT_TRUE(ProcessEventsUntil([&] { return player.finishedCount() >= 1; }, kWaitMs));
    EXPECT_EQ(player.errorCount(), 0);
}

TEST_F(SoundPlayerTest, TheHoverSoundPlaysAgainAfterItEnded) {
    SoundPlayer player(HoverWav(), kTimedSink);
    player.Play();
    ASSERT_TRUE(ProcessEventsUntil([&] { return player.finishedCount() == 1; }, kWaitMs));
    player.Play();
    EXPECT_TRUE(ProcessEventsUntil([&] { return player.finishedCount() == 2; }, kWaitMs));
    EXPECT_EQ(player.errorCount(), 0);
}

TEST_F(SoundPlayerTest, SwallowsErrorsAndTriesAfreshOnTheNextPlay) {
    SoundPlayer player(QByteArray(4096, 'x'), kTimedSink);
    player.Play();
    ASSERT_TRUE(ProcessEventsUntil([&] { return player.errorCount() >= 1; }, kWaitMs));
    player.Play();
    EXPECT_TRUE(ProcessEventsUntil([&] { return player.errorCount() >= 2; }, kWaitMs));
    EXPECT_EQ(player.finishedCount(), 0);
}

TEST_F(SoundPlayerTest, GoesAwayWhilePlaysAreQueuedAndStaysSilentWithoutASink) {
    for (int round = 0; round < 5; ++round) {
        auto player = std::make_unique<SoundPlayer>(HoverWav(), kTimedSink);
        player->Play();
        player->Play();
        player.reset();
    }
    // Never built, so nothing runs that could fail or finish.
    SoundPlayer missing(HoverWav(), "no-such-sink-element");
    missing.Play();
    missing.Play();
    EXPECT_FALSE(ProcessEventsUntil(
        [&] { return missing.errorCount() + missing.finishedCount() > 0; }, 300));
}

} // namespace
