#pragma once

#include <QByteArray>

#include <memory>
#include <string>

namespace media {

namespace detail {
struct SoundState;
}

// Plays a short sound held in memory as WAV bytes, from its beginning each time
// Play() is called. Nothing here ever blocks the calling thread or reports a
// failure: a machine without a sound device simply stays silent.
class SoundPlayer {
public:
    // `sink` is the description of where the sound goes (tests pass a fake
    // sink). The pipeline is built on the first Play().
    explicit SoundPlayer(QByteArray wav, std::string sink = "autoaudiosink");
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    // Restarts the sound and returns at once; the state changes happen on a
    // framework thread. Does nothing before media::Initialize().
    void Play();

    // How often the sound ran to its end, and how many errors were swallowed.
    int finishedCount() const;
    int errorCount() const;

private:
    bool Build();

    QByteArray wav_;
    std::string sink_;
    bool buildFailed_ = false;
    std::shared_ptr<detail::SoundState> state_;
};

} // namespace media
