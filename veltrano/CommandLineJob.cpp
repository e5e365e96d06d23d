#include "CommandLineJob.h"

#include "ConsolePrompts.h"
#include "ConversionChecks.h"
#include "ConversionSteps.h"
#include "DivxFeedback.h"
#include "GraphEvents.h"
#include "LanguagePack.h"
#include "MessageIds.h"
#include "OutputReplacement.h"
#include "ProbeMessages.h"
#include "Profile.h"
#include "Prompts.h"

namespace veltrano {

namespace {

constexpr int kWatchIntervalMs = 1000;
constexpr int kMessageError = 105;

} // namespace

CommandLineJob::CommandLineJob(ClipPlan& plan, uikit::ConsolePrompts& prompts)
    : plan_(plan), prompts_(prompts) {
    watchTimer_.setInterval(kWatchIntervalMs);
    connect(&watchTimer_, &QTimer::timeout, this, &CommandLineJob::WatchProgress);
}

CommandLineJob::~CommandLineJob() = default;

void CommandLineJob::Start(int, Finished finished) {
    finished_ = std::move(finished);
    prompts_.TakeReason();
    const QString& output = plan_.output.outputPath;
    if (!plan_.overwrite && settings::OutputFileExists(output)) {
        End(uikit::FileOutcome::Skipped,
            uikit::Language().GetMessageText(res::kMsgConsoleOutputExists).arg(output));
        return;
    }
    if (settings::RefuseNonFileInput(nullptr, plan_.source)) {
        End(uikit::FileOutcome::Failed);
        return;
    }
    if (!plan_.probe.ok) {
        settings::ReportProbeFailure(nullptr, plan_.probe);
        End(uikit::FileOutcome::Failed, QString::fromStdString(plan_.probe.errorText));
        return;
    }
    if (!ConfirmConversion(nullptr, plan_.source, plan_.output, ExistingOutput::Replace)) {
        End(uikit::FileOutcome::Failed);
        return;
    }
    settings::WriteDivxFeedbackSwitch();
    ReadSources(this, plan_.state, [this] { StartConversion(); });
}

void CommandLineJob::StartConversion() {
    if (stopRequested_) {
        End(uikit::FileOutcome::Skipped,
            uikit::Language().GetMessageText(res::kMsgConsoleNotStarted));
        return;
    }
    job_ = std::make_unique<ConversionJob>(nullptr);
    if (!StartJob(*job_, plan_.state, plan_.output, this)) {
        const QString error = job_->RunError();
        job_.reset();
        End(uikit::FileOutcome::Failed, error);
        return;
    }
    watchTimer_.start();
}

bool CommandLineJob::event(QEvent* event) {
    if (event->type() != media::GraphNotifyEventType()) {
        return QObject::event(event);
    }
    // A stop in progress decides how the run ends.
    if (job_ == nullptr || stopping_) {
        return true;
    }
    const JobEnd end = TakeJobEnd(*job_);
    if (!end.ended) {
        return true;
    }
    if (!end.error.isEmpty()) {
        uikit::CurrentPrompts().ShowMessage(nullptr, end.error,
                                            uikit::Language().GetMessageText(kMessageError),
                                            uikit::PromptIcon::Error);
    }
    End(end.error.isEmpty() ? uikit::FileOutcome::Converted : uikit::FileOutcome::Failed,
        end.error);
    return true;
}

void CommandLineJob::WatchProgress() {
    if (job_ == nullptr || stopping_) {
        return;
    }
    if (const QString failure = StallFailure(*job_); !failure.isEmpty()) {
        StopJob(failure);
    }
}

void CommandLineJob::Stop() {
    stopRequested_ = true;
    if (job_ != nullptr) {
        StopJob({});
    }
}

void CommandLineJob::StopJob(const QString& failure) {
    if (stopping_ || job_ == nullptr) {
        return;
    }
    stopping_ = true;
    job_->StopInBackground(
        this,
        [this, failure] {
            stopping_ = false;
            if (!failure.isEmpty()) {
                uikit::CurrentPrompts().ShowMessage(nullptr, failure,
                                                    uikit::Language().GetMessageText(kMessageError),
                                                    uikit::PromptIcon::Error);
            }
            End(failure.isEmpty() ? uikit::FileOutcome::Stopped : uikit::FileOutcome::Failed,
                failure);
        },
        failure.isEmpty() ? QString() : uikit::Profile::Application().Folder());
}

double CommandLineJob::Progress() const {
    return job_ != nullptr && !stopping_ ? std::max(ConvertedShare(*job_, plan_.state), 0.0) : -1.0;
}

void CommandLineJob::End(uikit::FileOutcome outcome, const QString& fallback) {
    watchTimer_.stop();
    if (job_ != nullptr) {
        job_->Finish();
        job_.reset();
    }
    // A failure's reason is the last message shown, if any.
    const QString shown = prompts_.TakeReason(fallback);
    const QString reason = outcome == uikit::FileOutcome::Failed ? shown : fallback;
    if (finished_) {
        std::exchange(finished_, {})(outcome, reason);
    }
}

} // namespace veltrano
