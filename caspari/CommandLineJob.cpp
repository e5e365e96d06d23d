#include "CommandLineJob.h"

#include "ConsoleOutput.h"
#include "ConsolePrompts.h"
#include "ConversionSettings.h"
#include "LanguagePack.h"
#include "MediaWorker.h"
#include "MessageIds.h"
#include "OutputFileCheck.h"
#include "OutputReplacement.h"
#include "ProbeMessages.h"
#include "Profile.h"

#include <QTimer>

namespace caspari {

namespace {

QString JobText(int id) {
    return uikit::Language().GetMessageText(id);
}

} // namespace

CommandLineJob::CommandLineJob(const RunPlan& plan, uikit::ConsolePrompts& prompts)
    : plan_(plan), prompts_(prompts), engine_(nullptr, uikit::Language()) {
    connect(&engine_, &SubtitleConversion::sourceRendered, this, &CommandLineJob::OnSourceRendered);
    connect(&engine_, &SubtitleConversion::conversionFinished, this,
            &CommandLineJob::OnConversionFinished);
}

void CommandLineJob::Start(int index, Finished finished) {
    index_ = index;
    finished_ = std::move(finished);
    stopRequested_ = false;
    prompts_.TakeReason();
    const QString& source = plan_.sources[index];
    const QString& output = plan_.outputs[index];
    if (!plan_.overwrite && settings::OutputFileExists(output)) {
        End(uikit::FileOutcome::Skipped, JobText(res::kMsgConsoleOutputExists).arg(output));
        return;
    }
    // Refused before anything is read, as the window refuses such an input.
    if (settings::RefuseNonFileInput(nullptr, source) ||
        !settings::CheckOutputFile(nullptr, output, source)) {
        End(uikit::FileOutcome::Failed);
        return;
    }
    step_ = Step::Probing;
    media::RunInBackground<media::ProbeResult>(
        this, [file = source.toStdString()] { return media::ProbeMedia(file); },
        [this](media::ProbeResult probe) { OnProbed(probe); });
}

void CommandLineJob::OnProbed(const media::ProbeResult& probe) {
    if (EndIfStopped()) {
        return;
    }
    if (!probe.ok) {
        settings::ReportProbeFailure(nullptr, probe);
        End(uikit::FileOutcome::Failed, QString::fromStdString(probe.errorText));
        return;
    }
    // Each file starts from the run's settings: building the writer changes them.
    output_ = plan_.output;
    output_.outputPath = plan_.outputs[index_];
    TakeProbedSource(probe, output_);
    duration_ = probe.duration;
    step_ = Step::Rendering;
    engine_.RenderSourceGraph(plan_.sources[index_]);
}

void CommandLineJob::OnSourceRendered(int result) {
    // The engine renders a converted source again for another run: not ours.
    if (step_ != Step::Rendering || EndIfStopped()) {
        return;
    }
    if (result != 1) {
        End(uikit::FileOutcome::Failed);
        return;
    }
    if (const QString leftOut = engine_.SubtitlesLeftOutText(); !leftOut.isEmpty()) {
        uikit::PrintLine(stderr, uikit::ApplicationName() + ": " + leftOut);
    }
    step_ = Step::Converting;
    const media::Result built = engine_.PrepareCompressorsAndBuild(output_);
    if (media::Failed(built)) {
        engine_.FinishConversion(ConversionOutcome::Failed,
                                 QString::fromStdString(media::ErrorText160(built)));
        return;
    }
    const media::Result run = engine_.Run();
    if (media::Failed(run)) {
        engine_.FinishConversion(ConversionOutcome::Failed,
                                 QString::fromStdString(media::ErrorText160(run)));
    }
}

void CommandLineJob::OnConversionFinished(ConversionOutcome outcome, const QString& errorText) {
    if (step_ != Step::Converting) {
        return;
    }
    step_ = Step::Idle;
    // The engine renders the source again once this returns; that graph is
    // not wanted and goes at once.
    QTimer::singleShot(0, this, [this, outcome, errorText] {
        engine_.ReleaseGraph();
        switch (outcome) {
        case ConversionOutcome::Completed:
            End(uikit::FileOutcome::Converted);
            break;
        case ConversionOutcome::Stopped:
            End(uikit::FileOutcome::Stopped);
            break;
        case ConversionOutcome::Failed:
            End(uikit::FileOutcome::Failed, errorText);
            break;
        }
    });
}

void CommandLineJob::Stop() {
    stopRequested_ = true;
    if (step_ == Step::Converting && engine_.Converting()) {
        engine_.Stop();
    }
}

bool CommandLineJob::EndIfStopped() {
    if (!stopRequested_) {
        return false;
    }
    engine_.ReleaseGraph();
    End(uikit::FileOutcome::Skipped, JobText(res::kMsgConsoleNotStarted));
    return true;
}

double CommandLineJob::Progress() const {
    media::ReferenceTime position = 0;
    const media::FilterGraph* graph = engine_.Graph();
    if (step_ != Step::Converting || !engine_.Converting() || graph == nullptr || duration_ <= 0 ||
        media::Failed(graph->GetCurrentPosition(position))) {
        return -1.0;
    }
    return static_cast<double>(position) / static_cast<double>(duration_);
}

void CommandLineJob::End(uikit::FileOutcome outcome, const QString& fallback) {
    step_ = Step::Idle;
    // A failure's reason is the last message shown, if any.
    const QString shown = prompts_.TakeReason(fallback);
    const QString reason = outcome == uikit::FileOutcome::Failed ? shown : fallback;
    if (finished_) {
        std::exchange(finished_, {})(outcome, reason);
    }
}

} // namespace caspari
