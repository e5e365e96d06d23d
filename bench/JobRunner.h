#pragma once

// veltrano's conversion job driven headless, as its Convert command drives it:
// shared by the benchmarks that time it and that watch its memory.

#include "RecordingPrompts.h"

#include <QObject>
#include <QString>

#include <functional>

namespace veltrano {
class ConversionJob;
}

namespace bench {

// Receives a veltrano job's graph events: notes the end (completion or error)
// and calls `onEnd` once it came.
class JobEvents : public QObject {
public:
    explicit JobEvents(veltrano::ConversionJob& job, std::function<void()> onEnd = {})
        : job_(job), onEnd_(std::move(onEnd)) {}
    bool ended = false;
    bool failed = false;

protected:
    bool event(QEvent* event) override;

private:
    veltrano::ConversionJob& job_;
    std::function<void()> onEnd_;
};

class JobRunner {
public:
    // Any message box would mean the job failed; the runner records them instead.
    JobRunner();
    ~JobRunner();
    JobRunner(const JobRunner&) = delete;
    JobRunner& operator=(const JobRunner&) = delete;

    // Starts the media framework and binds the MPEG-4 part 2 and MP3 compressors.
    // False, with the reason on stderr, when either is missing.
    bool Start();

    // Converts the first kSeconds of input to output at 1280x720, 30 fps. Wall
    // time in seconds, negative when the job failed or showed a message.
    double Convert(const QString& input, const QString& output);

    // The video bitrate (bit/s) the job's MPEG-4 encoder is set to.
    int VideoBitrate() const;

    // Prints the messages the job showed to stderr.
    void PrintPrompts() const;

private:
    uikit::RecordingPrompts prompts_;
    uikit::ScopedPrompts scoped_;
    bool bound_ = false;
};

} // namespace bench
