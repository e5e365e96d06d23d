#include "MediaTestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace mediatest {

namespace {

// Shuts the framework down after the last test so the leak checker only sees
// what the tests themselves left behind.
class FrameworkShutdown : public ::testing::Environment {
public:
    void TearDown() override { media::Uninitialize(); }
};

const auto* const kShutdown = ::testing::AddGlobalTestEnvironment(new FrameworkShutdown);

} // namespace

TestSources MakeTestSources(int videoFrames, int audioBuffers) {
    TestSources sources;
    if (media::Failed(media::FilterGraph::Create(sources.graph))) {
        return {};
    }
    sources.video = media::Element::Create("videotestsrc");
    sources.audio = media::Element::Create("audiotestsrc");
    sources.video.SetProperty("num-buffers", std::to_string(videoFrames));
    sources.audio.SetProperty("num-buffers", std::to_string(audioBuffers));
    if (media::Failed(sources.graph->AddFilter(sources.video, "Video")) ||
        media::Failed(sources.graph->AddFilter(sources.audio, "Audio"))) {
        return {};
    }
    return sources;
}

} // namespace mediatest
