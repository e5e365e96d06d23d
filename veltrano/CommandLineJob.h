#pragma once

#include "ConsoleBatch.h"
#include "ConversionJob.h"
#include "ConverterState.h"
#include "MediaProbe.h"
#include "OutputSettings.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>

namespace uikit {
class ConsolePrompts;
}

namespace veltrano {

// What a run from the command line converts: the probed clip with its marks,
// the stored settings as the run's options changed them, and the output file.
struct ClipPlan {
    QString source;
    media::ProbeResult probe;
    ConverterState state;
    settings::OutputSettings output;
    bool overwrite = false;
};

// Converts the clip of a run as the main window's Convert does: the checks,
// the sources read, the job built and started, its end or a stall, and Stop
// finishing the file where it got.
class CommandLineJob : public QObject, public uikit::ConsoleJob {
    Q_OBJECT

public:
    // The reasons a file fails are the messages shown through `prompts`.
    CommandLineJob(ClipPlan& plan, uikit::ConsolePrompts& prompts);
    ~CommandLineJob() override;

    void Start(int index, Finished finished) override;
    void Stop() override;
    double Progress() const override;

protected:
    bool event(QEvent* event) override;

private:
    void StartConversion();
    void WatchProgress();
    // Ends the file under way on the media worker, finished where it got; with
    // a `failure` the run ends failed.
    void StopJob(const QString& failure);
    void End(uikit::FileOutcome outcome, const QString& fallback = {});

    ClipPlan& plan_;
    uikit::ConsolePrompts& prompts_;
    std::unique_ptr<ConversionJob> job_;
    Finished finished_;
    QTimer watchTimer_;
    bool stopRequested_ = false;
    bool stopping_ = false;
};

} // namespace veltrano
