#pragma once

#include "ConsoleBatch.h"
#include "MediaProbe.h"
#include "OutputSettings.h"
#include "SubtitleConversion.h"

#include <QObject>
#include <QStringList>

namespace uikit {
class ConsolePrompts;
}

namespace caspari {

// What a run from the command line converts: each source into the output at
// the same position, with the stored settings as the run's options changed them.
struct RunPlan {
    QStringList sources;
    QStringList outputs;
    settings::OutputSettings output;
    bool overwrite = false;
};

// Converts the files of a run one at a time through the engine, as the main
// window converts an opened video: the output checked, the source probed and
// rendered, the conversion graph built and run.
class CommandLineJob : public QObject, public uikit::ConsoleJob {
    Q_OBJECT

public:
    // The reasons a file fails are the messages shown through `prompts`.
    CommandLineJob(const RunPlan& plan, uikit::ConsolePrompts& prompts);

    void Start(int index, Finished finished) override;
    void Stop() override;
    double Progress() const override;

private:
    enum class Step { Idle, Probing, Rendering, Converting };

    void OnProbed(const media::ProbeResult& probe);
    void OnSourceRendered(int result);
    void OnConversionFinished(ConversionOutcome outcome, const QString& errorText);
    // Ends the file; a failure's reason is the last message shown, else `fallback`.
    void End(uikit::FileOutcome outcome, const QString& fallback = {});
    // Ends the file as skipped when a stop came before it started converting.
    bool EndIfStopped();

    const RunPlan& plan_;
    uikit::ConsolePrompts& prompts_;
    SubtitleConversion engine_;
    settings::OutputSettings output_;
    int index_ = -1;
    Finished finished_;
    Step step_ = Step::Idle;
    bool stopRequested_ = false;
    media::ReferenceTime duration_ = 0;
};

} // namespace caspari
