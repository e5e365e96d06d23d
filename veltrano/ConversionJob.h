#pragma once

#include "ConverterDlg.h"
#include "Element.h"
#include "FilterGraph.h"
#include "ProgressWatchdog.h"
#include "Result.h"

#include <functional>
#include <memory>
#include <optional>

class QObject;
class QWidget;

namespace media {
class Timeline;
class TimelineGroup;
class TimelineTrack;
class RenderEngine;
} // namespace media

namespace veltrano {

// What a conversion is made from.
struct JobInputs {
    const ConverterState& state;
    const settings::OutputSettings& output;
    media::Element videoCompressor;
    media::Element audioCompressor;
};

// One conversion of the opened clip to AVI: the editing timeline, the render
// engine's front end and the output through the compressors. Failures are
// shown in boxes owned by `owner` with the application's name as caption.
class ConversionJob {
public:
    explicit ConversionJob(QWidget* owner);
    ~ConversionJob();
    ConversionJob(const ConversionJob&) = delete;
    ConversionJob& operator=(const ConversionJob&) = delete;

    media::Result BuildTimeline(const JobInputs& inputs);
    // Builds the front end and the output and runs the graph; events are posted
    // to `notifyTarget`. Returns 0 like its steps do; Running() tells the outcome.
    media::Result StartRender(const JobInputs& inputs, QObject* notifyTarget);
    bool Running() const { return running_; }
    // Why the graph did not run, when it was built but refused to start.
    const QString& RunError() const { return runError_; }
    media::FilterGraph* Graph() const { return graph_.get(); }
    // Whether the running conversion's position has stood still too long (see
    // ProgressWatchdog), and the furthest position it reached.
    bool Stalled();
    media::ReferenceTime Reached() const { return watchdog_ ? watchdog_->Reached() : 0; }
    // Ends the running conversion early on the media worker, the file finished
    // up to where it got (see FilterGraph::FinishThenStop), then calls `done`
    // on the UI thread unless `receiver` is gone. Finish() still follows. With
    // a `diagnosticsFolder` the graph is described there first, as it stood.
    void StopInBackground(QObject* receiver, std::function<void()> done,
                          const QString& diagnosticsFolder = {});
    // Stops the graph, stops its notifications and releases every job object.
    void Finish();

private:
    media::Result AddVideoGroup(const JobInputs& inputs);
    media::Result AddClipTrack(const JobInputs& inputs, media::TimelineGroup& group,
                               const QString& path);
    media::Result AddTransition(const JobInputs& inputs, media::TimelineTrack& track,
                                std::int64_t start, std::int64_t stop);
    media::Result AddAudioGroup(const JobInputs& inputs);
    media::Result AddAudioTrack(const JobInputs& inputs, media::TimelineGroup& group,
                                const QString& path);
    media::Result ConnectOutput(const JobInputs& inputs, QObject* notifyTarget);
    void ShowMessage(const QString& text) const;

    QWidget* owner_;
    std::shared_ptr<media::Timeline> timeline_;
    std::unique_ptr<media::RenderEngine> engine_;
    std::shared_ptr<media::FilterGraph> graph_;
    media::Element mux_;
    bool running_ = false;
    QString runError_;
    std::optional<media::ProgressWatchdog> watchdog_;
};

} // namespace veltrano
