// The Convert/Stop button, the progress of a running conversion and its end.
#include "ConversionChecks.h"
#include "ConversionJob.h"
#include "ConversionProgress.h"
#include "ConversionSteps.h"
#include "ConverterDlg.h"
#include "DivxFeedback.h"
#include "GraphEvents.h"
#include "LanguagePack.h"
#include "Profile.h"
#include "Prompts.h"
#include "UnitsClockText.h"
#include "WindowIds.h"

#include <QAbstractButton>
#include <QLabel>
#include <QProgressBar>

namespace veltrano {

namespace {

using uikit::Language;

} // namespace

void CConverterDlg::OnConvert() {
    if (busy_) {
        return;
    }
    if (outputSettings_.sourceCount == 0) {
        uikit::CurrentPrompts().ShowMessage(this, Language().GetMessageText(119),
                                            Language().GetMessageText(105),
                                            uikit::PromptIcon::Error);
        return;
    }
    if (state_.converting != 0) {
        StopConversion();
        return;
    }
    if (!ConfirmConversion(this, state_.clipFile, outputSettings_, ExistingOutput::Ask)) {
        return;
    }
    settings::WriteDivxFeedbackSwitch();
    PrepareConversion();
}

void CConverterDlg::PrepareConversion() {
    SetBusy(true);
    ReadSources(this, state_, [this] {
        SetBusy(false);
        if (!closeAccepted_) {
            StartConversion();
        }
    });
}

void CConverterDlg::StartConversion() {
    job_ = std::make_unique<ConversionJob>(this);
    if (!StartJob(*job_, state_, outputSettings_, this)) {
        // A failed start leaves the window as it was; the messages said why.
        const QString error = job_->RunError();
        job_.reset();
        if (!error.isEmpty()) {
            uikit::CurrentPrompts().ShowMessage(this, error, Language().GetMessageText(105),
                                                uikit::PromptIcon::Error);
            SetStatus(Language().GetMessageText(105) + ": " + error);
        }
        return;
    }
    state_.converting = 1;
    localeHold_.emplace();
    RefreshConvertLabel();
    progressTimer_.start(kProgressIntervalMs);
    EnableOpenSet(false);
    uikit::StartConversionProgress(*Control<QProgressBar>(idc::kProgress));
}

void CConverterDlg::StopConversion(const QString& failure) {
    if (stopping_ || job_ == nullptr) {
        return;
    }
    // The streams end where they leave the timeline and the file is finished
    // up to there, on the media worker: the window keeps repainting, with Stop
    // disabled until the job is done.
    stopping_ = true;
    Control(idc::kConvert)->setEnabled(false);
    job_->StopInBackground(
        this,
        [this, failure] {
            stopping_ = false;
            Control(idc::kConvert)->setEnabled(true);
            if (state_.converting == 0) {
                return;
            }
            if (!failure.isEmpty()) {
                uikit::CurrentPrompts().ShowMessage(this, failure, Language().GetMessageText(105),
                                                    uikit::PromptIcon::Error);
            }
            FinishConversion(failure);
        },
        failure.isEmpty() ? QString() : uikit::Profile::Application().Folder());
}

void CConverterDlg::OnProgressTick() {
    ++state_.elapsedSeconds;
    SetStatus("Please wait... Used Time: " + ClockText(state_.elapsedSeconds));
    UpdateProgress();
    // A run that stands still ends as a failure, its file finished as on Stop.
    if (!stopping_ && job_ != nullptr) {
        if (const QString failure = StallFailure(*job_); !failure.isEmpty()) {
            StopConversion(failure);
        }
    }
}

void CConverterDlg::UpdateProgress() {
    const double done = job_ != nullptr ? ConvertedShare(*job_, state_) : -1.0;
    if (done < 0.0) {
        return;
    }
    uikit::ShowConversionProgress(*Control<QProgressBar>(idc::kProgress), done,
                                  state_.elapsedSeconds);
}

bool CConverterDlg::event(QEvent* event) {
    if (event->type() == media::GraphNotifyEventType()) {
        OnGraphNotify();
        return true;
    }
    return QDialog::event(event);
}

void CConverterDlg::OnGraphNotify() {
    // A stop in progress decides how the run ends.
    if (stopping_) {
        return;
    }
    if (job_ == nullptr) {
        return;
    }
    const JobEnd end = TakeJobEnd(*job_);
    if (!end.ended) {
        return;
    }
    if (!end.error.isEmpty()) {
        uikit::CurrentPrompts().ShowMessage(this, end.error, Language().GetMessageText(105),
                                            uikit::PromptIcon::Error);
    }
    FinishConversion(end.error);
}

void CConverterDlg::FinishConversion(const QString& error) {
    progressTimer_.stop();
    if (job_ != nullptr) {
        job_->Finish();
        job_.reset();
    }
    state_.converting = 0;
    RefreshConvertLabel();
    state_.elapsedSeconds = 0;
    if (error.isEmpty()) {
        SetStatus(QString("%1. %2 %3     %4 %5*%6")
                      .arg(Language().GetMessageText(163), Language().GetMessageText(115),
                           outputSettings_.outputPath, Language().GetMessageText(116))
                      .arg(outputSettings_.outputWidth)
                      .arg(outputSettings_.outputHeight));
    } else {
        SetStatus(Language().GetMessageText(105) + ": " + error);
    }
    EnableOpenSet(true);
    Control(idc::kProgress)->hide();
    localeHold_.reset();
    emit conversionFinished();
}

void CConverterDlg::RefreshConvertLabel() {
    Control<QAbstractButton>(idc::kConvert)
        ->setText(Language().GetDialogText(state_.converting != 0 ? 124 : 125));
}

void CConverterDlg::SetBusy(bool busy) {
    busy_ = busy;
    if (busy) {
        setCursor(Qt::BusyCursor);
    } else {
        unsetCursor();
    }
}

} // namespace veltrano
