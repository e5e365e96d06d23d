#pragma once

// veltrano's conversion job driven headless, as its Convert command drives it:
// shared by the benchmarks that time it and that watch its memory.

#include "RecordingPrompts.h"

#include <QString>

namespace bench {

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
